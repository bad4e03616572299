#include "editor/pixel_resources.h"

#include "controls/screen_base.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>

namespace {

using Image = std::array<BYTE, 32>;

// A text row of an image ('#' set, column 0 leftmost) as the little-endian row a lookup writes.
std::array<BYTE, 2> Row(const char* pixels)
{
    WORD bits = 0;
    for (int c = 0; c < 16; ++c)
        if (pixels[c] == '#')
            bits = static_cast<WORD>(bits | 1u << c);
    return {static_cast<BYTE>(bits & 0xFF), static_cast<BYTE>(bits >> 8)};
}

std::array<BYTE, 2> RowOf(const Image& image, int r)
{
    return {image[static_cast<size_t>(2 * r)], image[static_cast<size_t>(2 * r + 1)]};
}

const BYTE* Table(UINT id)
{
    DWORD size = 0;
    return CPixelResources::GetResource(id, &size);
}

TEST(PixelResources, TablesHaveTheirSizes)
{
    DWORD size = 1;
    EXPECT_NE(CPixelResources::GetResource(CPixelResources::PIC_PIXEL_LIGHT, &size), nullptr);
    EXPECT_EQ(size, 128u);
    EXPECT_NE(CPixelResources::GetResource(CPixelResources::PIC_PIXEL_FUNCTION, &size), nullptr);
    EXPECT_EQ(size, 832u);
    EXPECT_NE(CPixelResources::GetResource(CPixelResources::PIC_PIXEL_FONT, &size), nullptr);
    EXPECT_EQ(size, 524288u);
    EXPECT_EQ(CPixelResources::GetResource(150, &size), nullptr);
    EXPECT_EQ(size, 0u);
}

TEST(PixelResources, LampTableHoldsImageAInWordThreeMinusA)
{
    const BYTE* table = Table(CPixelResources::PIC_PIXEL_LIGHT);
    // Row 1: round ".....######.....", square ".##############.", both also inverted.
    const BYTE row1[8] = {0x7F, 0xFE, 0x7F, 0xFE, 0x07, 0xE0, 0x07, 0xE0};
    EXPECT_EQ(std::memcmp(table + 8, row1, 8), 0);
    // Row 2: square inverted, square, round inverted "...##########...", round "...##......##...".
    const BYTE row2[8] = {0x7F, 0xFE, 0x40, 0x02, 0x1F, 0xF8, 0x18, 0x18};
    EXPECT_EQ(std::memcmp(table + 16, row2, 8), 0);
    for (int b = 0; b < 8; ++b) {
        EXPECT_EQ(table[b], 0) << "row 0 is blank in every lamp";
        EXPECT_EQ(table[120 + b], 0) << "row 15 is blank in every lamp";
    }
}

TEST(PixelResources, FunctionTableHoldsPrefixInWord25AndKeyKInWord24MinusK)
{
    const BYTE* table = Table(CPixelResources::PIC_PIXEL_FUNCTION);
    // Row 1 of the hand: ".....##.........".
    EXPECT_EQ(table[52 + 50], 0x00);
    EXPECT_EQ(table[52 + 51], 0x60);
    // Every key has the frame ".##############." in row 0 and "#..............#" in row 1.
    for (int k = 0; k < 25; ++k) {
        const int word = 24 - k;
        EXPECT_EQ(table[word * 2], 0x7F) << "key " << k;
        EXPECT_EQ(table[word * 2 + 1], 0xFE) << "key " << k;
        EXPECT_EQ(table[52 + word * 2], 0x80) << "key " << k;
        EXPECT_EQ(table[52 + word * 2 + 1], 0x01) << "key " << k;
    }
    // The prefix has no frame.
    EXPECT_EQ(table[50], 0);
    EXPECT_EQ(table[51], 0);
}

TEST(PixelResources, LampLookupWritesLittleEndianRows)
{
    Image image{};
    ASSERT_EQ(CPixelResources::GetLightPixel(0, image.data()), 1);
    EXPECT_EQ(RowOf(image, 0), Row("................"));
    EXPECT_EQ(RowOf(image, 1), Row(".....######....."));
    EXPECT_EQ(image[2], 0xE0);
    EXPECT_EQ(image[3], 0x07);
    EXPECT_EQ(RowOf(image, 5), Row(".#............#."));

    ASSERT_EQ(CPixelResources::GetLightPixel(3, image.data()), 1);
    EXPECT_EQ(RowOf(image, 7), Row(".##############."));
    ASSERT_EQ(CPixelResources::GetLightPixel(2, image.data()), 1);
    EXPECT_EQ(RowOf(image, 7), Row(".#............#."));
}

TEST(PixelResources, LookupsOutsideTheirRangeReturnZeroAndLeaveBuffersAlone)
{
    Image image;
    Image prefix;
    image.fill(0xAA);
    prefix.fill(0x55);
    for (int bad : {4, -1, 1000}) {
        EXPECT_EQ(CPixelResources::GetLightPixel(bad, image.data()), 0) << bad;
    }
    for (int bad : {25, -1, 1000}) {
        EXPECT_EQ(CPixelResources::GetFunctionPixel(bad, prefix.data(), image.data()), 0) << bad;
    }
    for (BYTE b : image)
        EXPECT_EQ(b, 0xAA);
    for (BYTE b : prefix)
        EXPECT_EQ(b, 0x55);
    EXPECT_EQ(CPixelResources::GetLightPixel(0, nullptr), 0);
    EXPECT_EQ(CPixelResources::GetFunctionPixel(0, nullptr, image.data()), 0);
    EXPECT_EQ(CPixelResources::GetAsciiCharPixel('A', nullptr), 0);
    EXPECT_EQ(CPixelResources::GetChineseCharPixel(0xD0D6, nullptr), 0);
}

TEST(PixelResources, FunctionLookupFillsPrefixAndKey)
{
    Image prefix{};
    Image key{};
    ASSERT_EQ(CPixelResources::GetFunctionPixel(24, prefix.data(), key.data()), 1);
    EXPECT_EQ(RowOf(prefix, 1), Row(".....##........."));
    EXPECT_EQ(RowOf(prefix, 14), Row("....#########..."));
    EXPECT_EQ(RowOf(key, 0), Row(".##############."));
    EXPECT_EQ(RowOf(key, 15), Row(".##############."));

    // Key 0 and key 24 come from opposite ends of each row.
    const BYTE* table = Table(CPixelResources::PIC_PIXEL_FUNCTION);
    for (int k : {0, 24}) {
        ASSERT_EQ(CPixelResources::GetFunctionPixel(k, prefix.data(), key.data()), 1);
        for (int r = 0; r < 16; ++r) {
            EXPECT_EQ(key[static_cast<size_t>(2 * r)], table[r * 52 + (24 - k) * 2 + 1]) << k << " " << r;
            EXPECT_EQ(key[static_cast<size_t>(2 * r + 1)], table[r * 52 + (24 - k) * 2]) << k << " " << r;
        }
    }
}

TEST(PixelResources, SingleByteLookupCopiesSixteenBytesAtCodeTimesSixteen)
{
    const BYTE* font = Table(CPixelResources::PIC_PIXEL_FONT);
    std::array<BYTE, 16> glyph{};
    for (int code : {0, 0x41, 0x7F, 0xFF}) {
        glyph.fill(0xCC);
        ASSERT_EQ(CPixelResources::GetAsciiCharPixel(static_cast<BYTE>(code), glyph.data()), 1);
        EXPECT_EQ(std::memcmp(glyph.data(), font + code * 16, 16), 0) << code;
    }
}

TEST(PixelResources, DoubleByteOffsetTakesTheLeadByteFromTheLowByte)
{
    // "中" is GBK D6 D0: zone 53, position 47.
    EXPECT_EQ(CPixelResources::GetChineseCharOffset(0xD0D6), 4096 + (53 * 94 + 47) * 24);
    EXPECT_EQ(CPixelResources::GetChineseCharOffset(0xA1A1), 4096);
    EXPECT_EQ(CPixelResources::GetChineseCharOffset(0xFEFE), 4096 + (93 * 94 + 93) * 24);

    const BYTE* font = Table(CPixelResources::PIC_PIXEL_FONT);
    std::array<BYTE, 24> glyph{};
    ASSERT_EQ(CPixelResources::GetChineseCharPixel(0xD0D6, glyph.data()), 1);
    EXPECT_EQ(std::memcmp(glyph.data(), font + 4096 + (53 * 94 + 47) * 24, 24), 0);
}

TEST(PixelResources, DoubleByteCodesOutsideGb2312HaveNoGlyph)
{
    std::array<BYTE, 24> glyph;
    glyph.fill(0x77);
    // A lead byte of 0x81 puts the offset before the table.
    EXPECT_EQ(CPixelResources::GetChineseCharOffset(0x4081), -1);
    EXPECT_EQ(CPixelResources::GetChineseCharPixel(0x4081, glyph.data()), 0);
    // GBK-only characters would land in another cell or among the single-byte glyphs.
    for (WORD code : {0x40B0, 0xA0A1, 0xFFA1, 0xA1FF, 0xFEA0, 0xFF9F}) {
        EXPECT_EQ(CPixelResources::GetChineseCharOffset(code), -1) << std::hex << code;
        EXPECT_EQ(CPixelResources::GetChineseCharPixel(code, glyph.data()), 0) << std::hex << code;
    }
    for (BYTE b : glyph)
        EXPECT_EQ(b, 0x77);
}

TEST(PixelResources, InstallPointsTheScreenAtTheLookups)
{
    CPixelResources::InstallScreenPixelFunctions();
    CPixelResources::InstallScreenPixelFunctions();
    ASSERT_NE(CScreenBase::s_GetLightPixel, nullptr);
    Image viaScreen{};
    Image direct{};
    ASSERT_EQ(CScreenBase::s_GetLightPixel(1, viaScreen.data()), 1);
    CPixelResources::GetLightPixel(1, direct.data());
    EXPECT_EQ(viaScreen, direct);

    Image prefix{};
    ASSERT_EQ(CScreenBase::s_GetFunctionPixel(3, prefix.data(), viaScreen.data()), 1);
    std::array<BYTE, 24> glyph{};
    EXPECT_EQ(CScreenBase::s_GetChineseCharPixel(0xD0D6, glyph.data()), 1);
    EXPECT_EQ(CScreenBase::s_GetChineseCharPixel(0x4081, glyph.data()), 0);
    std::array<BYTE, 16> ascii{};
    EXPECT_EQ(CScreenBase::s_GetAsciiCharPixel('A', ascii.data()), 1);
}

} // namespace
