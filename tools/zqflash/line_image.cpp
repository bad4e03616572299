// Writing the line run's plain image as Intel HEX.
#include "tools/zqflash/line_image.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr std::size_t RECORD_BYTES = 16;
constexpr std::size_t ADDRESS_SPACE = 0x10000;

void AppendHexByte(std::string& text, unsigned value, unsigned& sum)
{
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", value & 0xFF);
    text += digits;
    sum += value & 0xFF;
}

} // namespace

std::string FormatIntelHex(const std::vector<BYTE>& image)
{
    std::string text;
    const std::size_t size = std::min(image.size(), ADDRESS_SPACE);
    for (std::size_t at = 0; at < size; at += RECORD_BYTES) {
        const std::size_t count = std::min(RECORD_BYTES, size - at);
        unsigned sum = 0;
        text += ':';
        AppendHexByte(text, static_cast<unsigned>(count), sum);
        AppendHexByte(text, static_cast<unsigned>(at >> 8), sum);
        AppendHexByte(text, static_cast<unsigned>(at), sum);
        AppendHexByte(text, 0, sum);
        for (std::size_t i = 0; i < count; ++i)
            AppendHexByte(text, image[at + i], sum);
        unsigned ignored = 0;
        AppendHexByte(text, (0x100 - (sum & 0xFF)) & 0xFF, ignored);
        text += "\r\n";
    }
    text += ":00000001FF\r\n";
    return text;
}
