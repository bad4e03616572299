#include "generators/fontgen/glyph_cell.h"

#include <algorithm>
#include <climits>

namespace FONTGEN {

namespace {

// Shift that moves the span [lo, hi] into [0, size - 1] as far as it fits, keeping its start ≥ 0.
int ShiftInto(int lo, int hi, int size)
{
    if (lo < 0)
        return -lo;
    if (hi > size - 1)
        return -std::min(hi - (size - 1), lo);
    return 0;
}

// Merges the adjacent pair of columns that differ in the fewest rows, until at most width remain.
void NarrowColumns(std::vector<std::vector<bool>>& columns, int width, CELL_FIT& fit)
{
    while (static_cast<int>(columns.size()) > width) {
        size_t best = 0;
        int bestDiff = INT_MAX;
        for (size_t i = 0; i + 1 < columns.size(); ++i) {
            int diff = 0;
            for (size_t r = 0; r < columns[i].size(); ++r)
                diff += columns[i][r] != columns[i + 1][r];
            if (diff < bestDiff) {
                bestDiff = diff;
                best = i;
            }
        }
        for (size_t r = 0; r < columns[best].size(); ++r)
            columns[best][r] = columns[best][r] || columns[best + 1][r];
        columns.erase(columns.begin() + static_cast<long>(best) + 1);
        ++fit.mergedColumns;
    }
}

} // namespace

std::vector<WORD> CGlyphCell::Place(const GLYPH_INK& ink, const CELL_GEOMETRY& cell, CELL_FIT* fit)
{
    CELL_FIT localFit;
    std::vector<WORD> rows(static_cast<size_t>(cell.height), 0);
    const int offset = (cell.centre && ink.advance < cell.width) ? (cell.width - ink.advance) / 2 : 0;

    // Ink box in cell coordinates.
    int x0 = INT_MAX, x1 = INT_MIN, y0 = INT_MAX, y1 = INT_MIN;
    for (int r = 0; r < ink.rows; ++r)
        for (int c = 0; c < ink.width; ++c)
            if (ink.bits[static_cast<size_t>(r * ink.width + c)]) {
                x0 = std::min(x0, ink.left + offset + c);
                x1 = std::max(x1, ink.left + offset + c);
                y0 = std::min(y0, cell.baseline - ink.top + r);
                y1 = std::max(y1, cell.baseline - ink.top + r);
            }
    if (x1 < x0) {
        if (fit)
            *fit = localFit;
        return rows;
    }

    const int dy = ShiftInto(y0, y1, cell.height);
    const int dx = ShiftInto(x0, x1, cell.width);
    const int firstX = x0 + dx;
    const int spanX = x1 - x0 + 1;

    // Column-wise copy of the ink box, so over-wide ink can be narrowed before it is written.
    std::vector<std::vector<bool>> columns(static_cast<size_t>(spanX),
                                           std::vector<bool>(static_cast<size_t>(cell.height), false));
    for (int r = 0; r < ink.rows; ++r)
        for (int c = 0; c < ink.width; ++c) {
            if (!ink.bits[static_cast<size_t>(r * ink.width + c)])
                continue;
            const int y = cell.baseline - ink.top + r + dy;
            if (y >= cell.height) {
                localFit.droppedRows = std::max(localFit.droppedRows, y - cell.height + 1);
                continue;
            }
            columns[static_cast<size_t>(ink.left + offset + c - x0)][static_cast<size_t>(y)] = true;
        }
    NarrowColumns(columns, cell.width, localFit);

    for (size_t c = 0; c < columns.size(); ++c)
        for (int y = 0; y < cell.height; ++y)
            if (columns[c][static_cast<size_t>(y)])
                rows[static_cast<size_t>(y)] |= static_cast<WORD>(0x8000u >> (static_cast<int>(c) + firstX));
    if (fit)
        *fit = localFit;
    return rows;
}

} // namespace FONTGEN
