#include "editor/pixel_resources.h"

#include "controls/screen_base.h"
#include "editor/resources/pixel_tables_data.h"

#include <cstring>

namespace {

constexpr int IMAGE_ROWS = 16;
constexpr DWORD ASCII_GLYPH_SIZE = 16;
constexpr DWORD CHINESE_GLYPH_SIZE = 24;
constexpr int GB2312_CELLS = 94;
constexpr int GB2312_FIRST = 0xA1;
constexpr int GB2312_LAST = 0xFE;

DWORD TableSize(const BYTE* begin, const BYTE* end)
{
    return static_cast<DWORD>(end - begin);
}

// Copies word `word` of each of the 16 rows of a big-endian image table into 16 little-endian rows.
void CopyImageColumn(const BYTE* table, int wordsPerRow, int word, BYTE* bits)
{
    for (int r = 0; r < IMAGE_ROWS; ++r) {
        const BYTE* source = table + (r * wordsPerRow + word) * 2;
        bits[2 * r] = source[1];
        bits[2 * r + 1] = source[0];
    }
}

} // namespace

const BYTE* CPixelResources::GetResource(UINT id, DWORD* size)
{
    const BYTE* begin = nullptr;
    DWORD length = 0;
    switch (id) {
    case PIC_PIXEL_LIGHT:
        begin = zq_light_table_begin;
        length = TableSize(zq_light_table_begin, zq_light_table_end);
        break;
    case PIC_PIXEL_FUNCTION:
        begin = zq_function_table_begin;
        length = TableSize(zq_function_table_begin, zq_function_table_end);
        break;
    case PIC_PIXEL_FONT:
        begin = zq_font_table_begin;
        length = TableSize(zq_font_table_begin, zq_font_table_end);
        break;
    default: break;
    }
    if (size)
        *size = length;
    return begin;
}

long CPixelResources::GetChineseCharOffset(WORD code)
{
    // Only GB2312 cells have glyphs. Taken alone, the offset arithmetic would put a GBK-only
    // character (a byte below 0xA1) on some other character's glyph or among the single-byte ones.
    const int lead = code & 0xFF;
    const int trail = code >> 8;
    if (lead < GB2312_FIRST || lead > GB2312_LAST || trail < GB2312_FIRST || trail > GB2312_LAST)
        return -1;
    return static_cast<long>(DOUBLE_BYTE_BASE) +
           static_cast<long>((lead - GB2312_FIRST) * GB2312_CELLS + (trail - GB2312_FIRST)) *
               static_cast<long>(CHINESE_GLYPH_SIZE);
}

int CPixelResources::GetAsciiCharPixel(BYTE code, BYTE* bits)
{
    if (!bits)
        return 0;
    std::memcpy(bits, zq_font_table_begin + code * ASCII_GLYPH_SIZE, ASCII_GLYPH_SIZE);
    return 1;
}

int CPixelResources::GetChineseCharPixel(WORD code, BYTE* bits)
{
    const long offset = GetChineseCharOffset(code);
    if (!bits || offset < 0)
        return 0;
    std::memcpy(bits, zq_font_table_begin + offset, CHINESE_GLYPH_SIZE);
    return 1;
}

int CPixelResources::GetLightPixel(int image, BYTE* bits)
{
    if (!bits || image < 0 || image >= LIGHT_IMAGE_COUNT)
        return 0;
    CopyImageColumn(zq_light_table_begin, LIGHT_IMAGE_COUNT, LIGHT_IMAGE_COUNT - 1 - image, bits);
    return 1;
}

int CPixelResources::GetFunctionPixel(int key, BYTE* prefix, BYTE* image)
{
    if (!prefix || !image || key < 0 || key >= FUNCTION_KEY_COUNT)
        return 0;
    const int wordsPerRow = FUNCTION_KEY_COUNT + 1;
    CopyImageColumn(zq_function_table_begin, wordsPerRow, FUNCTION_KEY_COUNT, prefix);
    CopyImageColumn(zq_function_table_begin, wordsPerRow, FUNCTION_KEY_COUNT - 1 - key, image);
    return 1;
}

void CPixelResources::InstallScreenPixelFunctions()
{
    CScreenBase::s_GetAsciiCharPixel = &CPixelResources::GetAsciiCharPixel;
    CScreenBase::s_GetChineseCharPixel = &CPixelResources::GetChineseCharPixel;
    CScreenBase::s_GetLightPixel = &CPixelResources::GetLightPixel;
    CScreenBase::s_GetFunctionPixel = &CPixelResources::GetFunctionPixel;
}
