// The design views' zoom levels (rows 0-6 of the zoom bar) and the wheel steps between them.
#pragma once

class CZoomLevels {
public:
    static constexpr int COUNT = 7;
    static constexpr int WHEEL_STEP = 120;

    // 1.0, 1.5, 2.0, 2.5, 3.0, 4.0, 5.0; rows outside 0-6 give 1.0.
    static double RateOfRow(int row);
    // The row of a rate; a rate that is no level gives row 0.
    static int RowOfRate(double rate);
    // The row after a wheel step: row minus delta / 120 (the delta taken as a signed 16-bit
    // value, the division truncating), kept within 0-6.
    static int StepRow(int row, int wheelDelta);
};
