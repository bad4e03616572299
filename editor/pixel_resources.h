// The panel bitmap tables the editor carries ("PIC_PIXEL" 151 lamps, 152 function keys, 153 font) and
// the four pixel lookups the screens draw with and the compile copies glyphs through.
#pragma once

#include "editor/editor_api.h"

#include "comkit/types.h"

class EDITOR_API CPixelResources {
public:
    enum { PIC_PIXEL_LIGHT = 151, PIC_PIXEL_FUNCTION = 152, PIC_PIXEL_FONT = 153 };
    static constexpr DWORD LIGHT_TABLE_SIZE = 128;    // 16 rows of 4 big-endian words
    static constexpr DWORD FUNCTION_TABLE_SIZE = 832; // 16 rows of 26 big-endian words
    static constexpr DWORD FONT_TABLE_SIZE = 524288;
    static constexpr DWORD DOUBLE_BYTE_BASE = 4096; // after 256 single-byte glyphs of 16 bytes
    static constexpr int LIGHT_IMAGE_COUNT = 4;     // round, round inverted, square, square inverted
    static constexpr int FUNCTION_KEY_COUNT = 25;

    // A table by resource number, and its size; null (size 0) for any other number.
    static const BYTE* GetResource(UINT id, DWORD* size = nullptr);

    // Offset of the glyph of a double-byte character in the font table (low byte of code = lead
    // byte): 4096 + ((lead - 0xA1) * 94 + (trail - 0xA1)) * 24, or -1 when either byte lies outside
    // 0xA1-0xFE (no GB2312 cell, so no glyph).
    static long GetChineseCharOffset(WORD code);

    // The lookups. Each returns 1 when it filled its buffer(s), else 0 and leaves them untouched.
    // 16 bytes, one per row (rows 0-11 used), bit 7 = leftmost pixel.
    static int GetAsciiCharPixel(BYTE code, BYTE* bits);
    // 24 bytes: 12 big-endian rows, bit 15 = leftmost pixel.
    static int GetChineseCharPixel(WORD code, BYTE* bits);
    // Lamp image 0-3: 32 bytes, 16 little-endian rows, bit 0 = leftmost pixel.
    static int GetLightPixel(int image, BYTE* bits);
    // Key 0-24: the prefix (hand) image and the key image, each 32 bytes like a lamp image.
    static int GetFunctionPixel(int key, BYTE* prefix, BYTE* image);

    // Points CScreenBase's four lookup pointers at the functions above. Repeating it changes nothing.
    static void InstallScreenPixelFunctions();
};
