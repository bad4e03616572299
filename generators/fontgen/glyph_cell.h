// Placing one glyph's ink, as a bitmap font hands it out, into a fixed cell of the panel font.
#pragma once

#include "comkit/types.h"

#include <vector>

namespace FONTGEN {

// A monochrome glyph bitmap positioned against the pen: the top-left pixel lies `left` columns right of
// the pen and `top` rows above the baseline. bits holds rows × width values, row-major.
struct GLYPH_INK {
    int left = 0;
    int top = 0;
    int advance = 0;
    int width = 0;
    int rows = 0;
    std::vector<bool> bits;
};

// A cell of the table: width ≤ 16 columns, height rows, baseline = rows above the baseline.
// With centre set, a glyph narrower in advance than the cell is moved right by half the difference.
struct CELL_GEOMETRY {
    int width = 8;
    int height = 12;
    int baseline = 10;
    bool centre = false;
};

// What placing had to give up to keep the ink inside the cell.
struct CELL_FIT {
    int mergedColumns = 0; // adjacent columns OR-ed together because the ink was wider than the cell
    int droppedRows = 0;   // rows of ink cut off below the cell because the ink was taller than it
};

class CGlyphCell {
public:
    // Returns height rows; in each, bit 15 is column 0, bit 14 column 1, and so on.
    // Ink beyond the cell is moved inside it first (keeping its shape); only ink larger than the
    // cell is narrowed (merging the most alike adjacent columns) or cut (rows at the bottom).
    static std::vector<WORD> Place(const GLYPH_INK& ink, const CELL_GEOMETRY& cell, CELL_FIT* fit = nullptr);
};

} // namespace FONTGEN
