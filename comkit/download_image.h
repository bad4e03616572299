// Layout of the compiled download image the panel's runtime reads, for its writer (the compile of
// the controls and the project) and its readers (the image check, the emulator, the programmer).
// Multi-byte numbers are big-endian; sections follow each other without alignment.
#pragma once

#include "comkit/types.h"

namespace DOWNLOAD_IMAGE {

enum : DWORD {
    OFFSET_LENGTH = 0,  // u16 total length T
    OFFSET_VERSION = 2, // version text, zero-filled
    VERSION_FIELD_SIZE = 32,
    OFFSET_BACKLIGHT = 34,      // u16, 0xFFFF = always on
    OFFSET_CONSTANT = 36,       // always CONSTANT_VALUE
    OFFSET_FUNCTION_PAGES = 37, // four bytes
    OFFSET_RESERVED = 41,       // nine zero bytes
    RESERVED_SIZE = 9,
    OFFSET_STATIC_TEXT_LENGTH = 50,
    OFFSET_INDEX = 52,  // u16 offset of the character index
    OFFSET_GLYPHS = 54, // u16 offset of the glyph data
    OFFSET_SCREEN_COUNT = 56,
    OFFSET_CONTROL_COUNT = 57,
    OFFSET_PARAMETER_COUNT = 58,
    IMAGE_HEADER_SIZE = 59, // the control records start here

    CONTROL_RECORD_SIZE = 16,
    PARAMETER_RECORD_SIZE = 17,
    FUNCTION_TABLE_SIZE = 832,
    LIGHT_TABLE_SIZE = 128,
    INDEX_ENTRY_SIZE = 4,
    DOUBLE_GLYPH_SIZE = 32, // 24 font bytes and 8 zero bytes
    DOUBLE_GLYPH_FONT_BYTES = 24,
    SINGLE_GLYPH_SIZE = 16,
    MAX_IMAGE_SIZE = 0xFFFF, // the length and offsets are 16-bit

    // The header, one EMPTY_SECTION byte for each of the three record sections and the two symbol
    // tables: no image is shorter.
    MIN_IMAGE_SIZE = IMAGE_HEADER_SIZE + 3 + FUNCTION_TABLE_SIZE + LIGHT_TABLE_SIZE,
};

constexpr BYTE CONSTANT_VALUE = 6;
constexpr BYTE EMPTY_SECTION = 0xFF;    // stands for a section without records
constexpr BYTE SINGLE_BYTE_MARK = 0xFF; // second byte of an index entry of a single-byte character
constexpr DWORD EMPTY_STATIC_TEXT_LENGTH = 1;

// Characters the panel's runtime needs whatever the project holds, in this order: the double-byte
// characters of "程序终止" (GBK) and the single-byte characters below.
constexpr const char* SEED_DOUBLE_BYTE_TEXT = "\xB3\xCC\xD0\xF2\xD6\xD5\xD6\xB9";
constexpr const char* SEED_SINGLE_BYTE_TEXT = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ-.! *";

// Panel type codes of the control records (byte 1), by kind of control.
enum : BYTE {
    PANEL_CODE_STATIC_TEXT = 3,
    PANEL_CODE_LIGHT = 4,
    PANEL_CODE_BAR = 5,
    PANEL_CODE_REGISTER = 6,
    PANEL_CODE_FUNCTION = 7,
    PANEL_CODE_PICTURE = 8,
    PANEL_CODE_NONE = 0, // trend chart and dynamic text
};

// Big-endian 16-bit numbers: ReadBE16 reads p[0] and p[1]; WriteBE16 writes the low 16 bits of value.
inline WORD ReadBE16(const BYTE* p)
{
    return static_cast<WORD>(p[0] << 8 | p[1]);
}

inline void WriteBE16(BYTE* p, DWORD value)
{
    p[0] = static_cast<BYTE>(value >> 8);
    p[1] = static_cast<BYTE>(value);
}

} // namespace DOWNLOAD_IMAGE
