#include "generators/fontgen/font_table_builder.h"

#include "comkit/gbk.h"
#include "generators/fontgen/glyph_cell.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <memory>
#include <type_traits>

namespace FONTGEN {

const char* const DEFAULT_FONT_PATH = "/usr/share/fonts/X11/misc/wenquanyi_9pt.pcf";

namespace {

// GBK bytes to one Unicode code point; 0 when the bytes are not exactly one GBK character.
// Every character of the table lies in the Basic Multilingual Plane, so one UTF-16 unit holds it.
DWORD DecodeGbk(const char* bytes, size_t length)
{
    std::u16string text;
    if (!COMMON_EX::GbkToUtf16(bytes, length, text) || text.size() != 1)
        return 0;
    return text[0];
}

struct FaceDeleter {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};
struct LibraryDeleter {
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
using FacePtr = std::unique_ptr<std::remove_pointer_t<FT_Face>, FaceDeleter>;
using LibraryPtr = std::unique_ptr<std::remove_pointer_t<FT_Library>, LibraryDeleter>;

// Chooses the 12-pixel strike of a bitmap font, or scales an outline font to 12 pixels.
bool SelectPixelSize(FT_Face face)
{
    if (FT_HAS_FIXED_SIZES(face)) {
        for (int i = 0; i < face->num_fixed_sizes; ++i)
            if ((face->available_sizes[i].y_ppem + 32) >> 6 == FONT_PIXEL_SIZE)
                return FT_Select_Size(face, i) == 0;
        return false;
    }
    return FT_Set_Pixel_Sizes(face, 0, FONT_PIXEL_SIZE) == 0;
}

// The glyph of a code point as monochrome ink; false when the font lacks it.
bool LoadInk(FT_Face face, DWORD codePoint, GLYPH_INK& ink)
{
    const FT_UInt index = FT_Get_Char_Index(face, codePoint);
    if (index == 0 || FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0)
        return false;
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO && bitmap.rows > 0)
        return false;
    ink.left = slot->bitmap_left;
    ink.top = slot->bitmap_top;
    ink.advance = static_cast<int>(slot->advance.x >> 6);
    ink.width = static_cast<int>(bitmap.width);
    ink.rows = static_cast<int>(bitmap.rows);
    ink.bits.assign(static_cast<size_t>(ink.width * ink.rows), false);
    for (int r = 0; r < ink.rows; ++r) {
        const unsigned char* row = bitmap.buffer + static_cast<long>(r) * bitmap.pitch;
        for (int c = 0; c < ink.width; ++c)
            ink.bits[static_cast<size_t>(r * ink.width + c)] = (row[c / 8] >> (7 - c % 8)) & 1;
    }
    return true;
}

class CTableWriter {
public:
    CTableWriter(FT_Face face, std::vector<BYTE>& table, BUILD_REPORT& report)
        : m_face(face), m_table(table), m_report(report)
    {
    }

    // Places the glyph of a code point into a cell; false when the font lacks it.
    bool Draw(DWORD codePoint, const CELL_GEOMETRY& cell, std::vector<WORD>& rows)
    {
        GLYPH_INK ink;
        if (!LoadInk(m_face, codePoint, ink)) {
            ++m_report.missingGlyphs;
            return false;
        }
        CELL_FIT fit;
        rows = CGlyphCell::Place(ink, cell, &fit);
        m_report.narrowedGlyphs += fit.mergedColumns > 0;
        m_report.cutGlyphs += fit.droppedRows > 0;
        return true;
    }

    void WriteSingleByte(int code, const std::vector<WORD>& rows)
    {
        BYTE* glyph = m_table.data() + static_cast<size_t>(code) * SINGLE_BYTE_GLYPH_SIZE;
        for (int r = 0; r < GLYPH_ROWS; ++r)
            glyph[r] = static_cast<BYTE>(rows[static_cast<size_t>(r)] >> 8);
        ++m_report.singleByteGlyphs;
    }

    void WriteDoubleByte(int cellIndex, const std::vector<WORD>& rows)
    {
        BYTE* glyph = m_table.data() + DOUBLE_BYTE_BASE + static_cast<size_t>(cellIndex) * DOUBLE_BYTE_GLYPH_SIZE;
        for (int r = 0; r < GLYPH_ROWS; ++r) {
            glyph[2 * r] = static_cast<BYTE>(rows[static_cast<size_t>(r)] >> 8);
            glyph[2 * r + 1] = static_cast<BYTE>(rows[static_cast<size_t>(r)] & 0xFF);
        }
        ++m_report.doubleByteGlyphs;
    }

private:
    FT_Face m_face;
    std::vector<BYTE>& m_table;
    BUILD_REPORT& m_report;
};

bool IsControl(DWORD codePoint)
{
    return codePoint < 0x20 || (codePoint >= 0x7F && codePoint < 0xA0);
}

} // namespace

bool CFontTableBuilder::Build(const std::string& fontPath, std::vector<BYTE>& table, BUILD_REPORT& report,
                              std::string& error)
{
    report = BUILD_REPORT();
    FT_Library rawLibrary = nullptr;
    if (FT_Init_FreeType(&rawLibrary) != 0) {
        error = "FreeType cannot start";
        return false;
    }
    LibraryPtr library(rawLibrary);
    FT_Face rawFace = nullptr;
    if (FT_New_Face(library.get(), fontPath.c_str(), 0, &rawFace) != 0) {
        error = "cannot read font " + fontPath;
        return false;
    }
    FacePtr face(rawFace);
    if (!SelectPixelSize(face.get())) {
        error = "font " + fontPath + " has no " + std::to_string(FONT_PIXEL_SIZE) + "-pixel size";
        return false;
    }
    table.assign(FONT_TABLE_SIZE, 0);
    CTableWriter writer(face.get(), table, report);
    std::vector<WORD> rows;

    // Single bytes that GBK reads as a character of their own; control codes stay blank.
    const CELL_GEOMETRY singleCell{SINGLE_BYTE_COLUMNS, GLYPH_ROWS, GLYPH_BASELINE, true};
    for (int code = 0; code < 256; ++code) {
        const char byte = static_cast<char>(code);
        const DWORD codePoint = DecodeGbk(&byte, 1);
        if (codePoint == 0 || IsControl(codePoint))
            continue;
        if (writer.Draw(codePoint, singleCell, rows))
            writer.WriteSingleByte(code, rows);
    }

    // GB2312 row/cell (0-based) is the GBK pair 0xA1 + row, 0xA1 + cell.
    const CELL_GEOMETRY doubleCell{DOUBLE_BYTE_COLUMNS, GLYPH_ROWS, GLYPH_BASELINE, false};
    for (int row = 0; row < GB2312_ROWS; ++row)
        for (int cell = 0; cell < GB2312_CELLS; ++cell) {
            const char bytes[2] = {static_cast<char>(0xA1 + row), static_cast<char>(0xA1 + cell)};
            const DWORD codePoint = DecodeGbk(bytes, 2);
            if (codePoint == 0) {
                ++report.unmappedCells;
                continue;
            }
            if (writer.Draw(codePoint, doubleCell, rows))
                writer.WriteDoubleByte(row * GB2312_CELLS + cell, rows);
        }
    return true;
}

} // namespace FONTGEN
