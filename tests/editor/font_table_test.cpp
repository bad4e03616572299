#include "editor/pixel_resources.h"
#include "generators/fontgen/font_table_builder.h"
#include "generators/fontgen/glyph_cell.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using FONTGEN::CELL_FIT;
using FONTGEN::CELL_GEOMETRY;
using FONTGEN::CGlyphCell;
using FONTGEN::GLYPH_INK;

const BYTE* FontTable()
{
    return CPixelResources::GetResource(CPixelResources::PIC_PIXEL_FONT);
}

GLYPH_INK Ink(int left, int top, int advance, const std::vector<std::string>& rows)
{
    GLYPH_INK ink;
    ink.left = left;
    ink.top = top;
    ink.advance = advance;
    ink.rows = static_cast<int>(rows.size());
    ink.width = rows.empty() ? 0 : static_cast<int>(rows[0].size());
    for (const std::string& row : rows)
        for (char c : row)
            ink.bits.push_back(c == '#');
    return ink;
}

std::string Text(WORD row, int width)
{
    std::string text;
    for (int c = 0; c < width; ++c)
        text += (row & (0x8000u >> c)) ? '#' : '.';
    return text;
}

TEST(GlyphCell, PlacesInkAgainstTheBaseline)
{
    // Two rows above the baseline, one below; baseline 10 puts them in rows 8-10.
    const CELL_GEOMETRY cell{8, 12, 10, false};
    const std::vector<WORD> rows = CGlyphCell::Place(Ink(1, 2, 8, {"##", ".#", "#."}), cell);
    ASSERT_EQ(rows.size(), 12u);
    EXPECT_EQ(Text(rows[7], 8), "........");
    EXPECT_EQ(Text(rows[8], 8), ".##.....");
    EXPECT_EQ(Text(rows[9], 8), "..#.....");
    EXPECT_EQ(Text(rows[10], 8), ".#......");
    EXPECT_EQ(rows[11], 0);
}

TEST(GlyphCell, MovesInkThatLeavesTheCellBackInside)
{
    const CELL_GEOMETRY cell{8, 12, 10, false};
    // Rising to row -3 and reaching column 9: moved down by 3 and left by 1, shape kept.
    CELL_FIT fit;
    const std::vector<WORD> rows = CGlyphCell::Place(Ink(6, 13, 8, {"###", "#.#"}), cell, &fit);
    EXPECT_EQ(Text(rows[0], 8), ".....###");
    EXPECT_EQ(Text(rows[1], 8), ".....#.#");
    EXPECT_EQ(fit.mergedColumns, 0);
    EXPECT_EQ(fit.droppedRows, 0);
    // Blank rows around the ink do not count: only the ink rising above the cell is moved.
    const std::vector<WORD> padded = CGlyphCell::Place(Ink(0, 14, 8, {"....", "....", ".##.", "...."}), cell);
    EXPECT_EQ(Text(padded[0], 8), ".##.....");
}

TEST(GlyphCell, NarrowsInkWiderThanTheCellAndCutsInkTallerThanIt)
{
    const CELL_GEOMETRY cell{4, 3, 3, false};
    CELL_FIT fit;
    // Columns 1 and 2 are alike, so they merge.
    const std::vector<WORD> rows = CGlyphCell::Place(Ink(0, 4, 5, {"#...#", "#.#.#", ".##.#", "#####"}), cell, &fit);
    EXPECT_EQ(fit.mergedColumns, 1);
    EXPECT_EQ(fit.droppedRows, 1);
    EXPECT_EQ(Text(rows[0], 4), "#..#");
    EXPECT_EQ(Text(rows[1], 4), "##.#");
    EXPECT_EQ(Text(rows[2], 4), ".#.#");
}

TEST(GlyphCell, CentresNarrowAdvancesWhenAskedAndLeavesBlankGlyphsBlank)
{
    const CELL_GEOMETRY cell{8, 12, 10, true};
    const std::vector<WORD> rows = CGlyphCell::Place(Ink(0, 1, 4, {"##"}), cell);
    EXPECT_EQ(Text(rows[9], 8), "..##....");
    for (WORD row : CGlyphCell::Place(Ink(0, 5, 6, {"...", "..."}), cell))
        EXPECT_EQ(row, 0);
}

TEST(FontTable, GlyphsStayInsideTheirRowsAndColumns)
{
    const BYTE* font = FontTable();
    for (int code = 0; code < 256; ++code)
        for (int r = 12; r < 16; ++r)
            ASSERT_EQ(font[code * 16 + r], 0) << "single-byte " << code << " row " << r;
    for (int cell = 0; cell < 94 * 94; ++cell)
        for (int r = 0; r < 12; ++r)
            ASSERT_EQ(font[4096 + cell * 24 + 2 * r + 1] & 0x07, 0) << "cell " << cell << " uses column 13-15";
    for (size_t at = 216160; at < 524288; ++at)
        ASSERT_EQ(font[at], 0) << at;
}

TEST(FontTable, ControlCodesAndSpaceAreBlankAndLettersAreDrawn)
{
    const BYTE* font = FontTable();
    auto inked = [&](size_t at, size_t length) {
        int count = 0;
        for (size_t i = 0; i < length; ++i)
            count += font[at + i] != 0;
        return count;
    };
    for (int code = 0; code <= 0x20; ++code)
        EXPECT_EQ(inked(static_cast<size_t>(code) * 16, 16), 0) << code;
    EXPECT_EQ(inked(0x7F * 16, 16), 0);
    for (int code = 0x21; code < 0x7F; ++code)
        EXPECT_GT(inked(static_cast<size_t>(code) * 16, 12), 0) << static_cast<char>(code);

    // "A": rows 0-11 only; its apex is one pixel wide in the middle of the cell.
    EXPECT_GE(inked('A' * 16, 12), 6);
    // "g" descends below "A"'s lowest row.
    int lowestA = 0, lowestG = 0;
    for (int r = 0; r < 12; ++r) {
        if (font['A' * 16 + r])
            lowestA = r;
        if (font['g' * 16 + r])
            lowestG = r;
    }
    EXPECT_GT(lowestG, lowestA);

    // "中" (D6 D0): 11 rows from the top, its long vertical stroke in the same column of the first and
    // the last of them.
    const long at = CPixelResources::GetChineseCharOffset(0xD0D6);
    ASSERT_GT(at, 0);
    auto row = [&](long glyph, int r) { return static_cast<WORD>(font[glyph + 2 * r] << 8 | font[glyph + 2 * r + 1]); };
    for (int r = 0; r < 11; ++r)
        EXPECT_NE(row(at, r), 0) << "row " << r;
    EXPECT_EQ(row(at, 11), 0);
    EXPECT_NE(row(at, 0) & row(at, 10), 0);
    // The ideographic space (A1 A1) is blank; a cell GBK leaves to users (AA A1) stays zero.
    EXPECT_EQ(inked(4096, 24), 0);
    EXPECT_EQ(inked(static_cast<size_t>(CPixelResources::GetChineseCharOffset(0xA1AA)), 24), 0);
}

TEST(FontTable, RegeneratesByteForByteFromTheInstalledFont)
{
    if (!std::filesystem::exists(FONTGEN::DEFAULT_FONT_PATH))
        GTEST_SKIP() << FONTGEN::DEFAULT_FONT_PATH << " is not installed (Debian package xfonts-wqy)";
    std::vector<BYTE> table;
    FONTGEN::BUILD_REPORT report;
    std::string error;
    ASSERT_TRUE(FONTGEN::CFontTableBuilder::Build(FONTGEN::DEFAULT_FONT_PATH, table, report, error)) << error;
    ASSERT_EQ(table.size(), 524288u);
    EXPECT_GT(report.doubleByteGlyphs, 7000);
    const BYTE* font = FontTable();
    for (size_t i = 0; i < table.size(); ++i)
        ASSERT_EQ(table[i], font[i]) << "first difference at byte " << i << "; regenerate with fontgen";
}

TEST(FontTable, BuilderRefusesAMissingFont)
{
    std::vector<BYTE> table;
    FONTGEN::BUILD_REPORT report;
    std::string error;
    EXPECT_FALSE(FONTGEN::CFontTableBuilder::Build("/nonexistent/font.pcf", table, report, error));
    EXPECT_NE(error.find("/nonexistent/font.pcf"), std::string::npos);
}

} // namespace
