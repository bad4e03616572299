// Builds the editor's 12-pixel panel font table from a bitmap font read through FreeType.
#pragma once

#include "comkit/types.h"

#include <string>
#include <vector>

namespace FONTGEN {

// Table layout: 256 single-byte glyphs of 16 bytes (one byte per row, rows 0-11 used, bit 7 = leftmost),
// then the 94 × 94 GB2312 cells of 24 bytes (12 big-endian rows, bit 15 = leftmost, 13 columns used).
constexpr size_t FONT_TABLE_SIZE = 524288;
constexpr size_t SINGLE_BYTE_GLYPH_SIZE = 16;
constexpr size_t DOUBLE_BYTE_BASE = 256 * SINGLE_BYTE_GLYPH_SIZE;
constexpr size_t DOUBLE_BYTE_GLYPH_SIZE = 24;
constexpr int GB2312_ROWS = 94;
constexpr int GB2312_CELLS = 94;
constexpr size_t DOUBLE_BYTE_END = DOUBLE_BYTE_BASE + GB2312_ROWS * GB2312_CELLS * DOUBLE_BYTE_GLYPH_SIZE;
constexpr int GLYPH_ROWS = 12;
constexpr int SINGLE_BYTE_COLUMNS = 8;
constexpr int DOUBLE_BYTE_COLUMNS = 13;
// Rows above the baseline: the font's ideographs rise 10 rows and its descenders drop 2.
constexpr int GLYPH_BASELINE = 10;
constexpr int FONT_PIXEL_SIZE = 12;

// The 12-pixel strike of the WenQuanYi bitmap font as Debian's xfonts-wqy installs it.
extern const char* const DEFAULT_FONT_PATH;

struct BUILD_REPORT {
    int singleByteGlyphs = 0; // single-byte codes drawn
    int doubleByteGlyphs = 0; // GB2312 cells drawn
    int unmappedCells = 0;    // cells GBK gives no character for
    int missingGlyphs = 0;    // characters the font has no glyph for
    int narrowedGlyphs = 0;   // glyphs wider than their cell
    int cutGlyphs = 0;        // glyphs taller than their cell
};

class CFontTableBuilder {
public:
    // Fills table with FONT_TABLE_SIZE bytes. Returns false with a reason in error when the font cannot
    // be read or has no 12-pixel strike.
    static bool Build(const std::string& fontPath, std::vector<BYTE>& table, BUILD_REPORT& report, std::string& error);
};

} // namespace FONTGEN
