// Reading the editor's 16 x 16 symbol images from their text sources into the panel's binary tables.
//
// Source format: lines starting with ';' are comments; blank lines separate images. An image is a
// header line "<kind> <index>: <name>" (or "prefix: <name>" for the key table's prefix image) and
// 16 rows of 16 characters, '#' for a set pixel and '.' for a clear one, column 0 leftmost.
//
// Table format: 16 pixel rows; each row holds one big-endian 16-bit word per image, bit c = column c.
// Image i sits in word count - 1 - i of its row; the prefix image, if any, in the last word.
#pragma once

#include "comkit/types.h"

#include <string>
#include <vector>

namespace PIXTABLES {

constexpr int IMAGE_SIZE = 16;

struct TABLE_LAYOUT {
    const char* imageKind; // header word of the images ("lamp", "key")
    int imageCount;
    bool hasPrefix; // one extra image, headed "prefix", in the last word of each row

    int WordsPerRow() const { return imageCount + (hasPrefix ? 1 : 0); }
    size_t TableSize() const { return static_cast<size_t>(IMAGE_SIZE * WordsPerRow() * 2); }
    int ImageWord(int index) const { return imageCount - 1 - index; }
    int PrefixWord() const { return imageCount; }
};

// Lamp images 0-3 (round, round inverted, square, square inverted): 128 bytes.
extern const TABLE_LAYOUT LAMP_TABLE;
// Prefix image and key images 0-24: 832 bytes.
extern const TABLE_LAYOUT FUNCTION_KEY_TABLE;

struct PIXEL_TABLE {
    std::vector<BYTE> bytes;
    std::string prefixName;
    std::vector<std::string> imageNames; // by image index
};

class CPixelTableSource {
public:
    // Parses a whole source. Every image of the layout must appear exactly once. On failure returns
    // false and names the line and the fault in error.
    static bool Parse(const std::string& text, const TABLE_LAYOUT& layout, PIXEL_TABLE& table, std::string& error);
};

} // namespace PIXTABLES
