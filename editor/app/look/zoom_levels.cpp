// The zoom rows and wheel steps of the design views.
#include "editor/app/look/zoom_levels.h"

#include <algorithm>
#include <cstdint>

namespace {
const double LEVELS[CZoomLevels::COUNT] = {1.0, 1.5, 2.0, 2.5, 3.0, 4.0, 5.0};
}

double CZoomLevels::RateOfRow(int row)
{
    return row >= 0 && row < COUNT ? LEVELS[row] : LEVELS[0];
}

int CZoomLevels::RowOfRate(double rate)
{
    for (int row = 0; row < COUNT; ++row)
        if (LEVELS[row] == rate)
            return row;
    return 0;
}

int CZoomLevels::StepRow(int row, int wheelDelta)
{
    const int steps = int(int16_t(uint16_t(wheelDelta))) / WHEEL_STEP;
    return std::clamp(row - steps, 0, COUNT - 1);
}
