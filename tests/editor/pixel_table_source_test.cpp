#include "generators/pixtables/pixel_table_source.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using PIXTABLES::CPixelTableSource;
using PIXTABLES::PIXEL_TABLE;

// A header and 16 equal pixel rows.
std::string Image(const std::string& header, const std::string& fill = "................")
{
    std::string text = header + "\n";
    for (int r = 0; r < 16; ++r)
        text += fill + "\n";
    return text;
}

std::string Lamps()
{
    return Image("lamp 0: round", "#...............") + "\n" + Image("lamp 1: round inverted") + "\n" +
           Image("lamp 2: square", "...............#") + "\n" + Image("lamp 3: square inverted", "##..............");
}

bool Parse(const std::string& text, std::string& error, const PIXTABLES::TABLE_LAYOUT& layout = PIXTABLES::LAMP_TABLE)
{
    PIXEL_TABLE table;
    return CPixelTableSource::Parse(text, layout, table, error);
}

TEST(PixelTableSource, LampsGoIntoWordThreeMinusIndexBigEndianWithColumnZeroInBitZero)
{
    PIXEL_TABLE table;
    std::string error;
    ASSERT_TRUE(CPixelTableSource::Parse("; lamps\n\n" + Lamps(), PIXTABLES::LAMP_TABLE, table, error)) << error;
    ASSERT_EQ(table.bytes.size(), 128u);
    for (int r = 0; r < 16; ++r) {
        const BYTE expected[8] = {0x00, 0x03, 0x80, 0x00, 0x00, 0x00, 0x00, 0x01};
        for (int b = 0; b < 8; ++b)
            EXPECT_EQ(table.bytes[static_cast<size_t>(r * 8 + b)], expected[b]) << r << " " << b;
    }
    ASSERT_EQ(table.imageNames.size(), 4u);
    EXPECT_EQ(table.imageNames[1], "round inverted");
    EXPECT_EQ(table.imageNames[3], "square inverted");
}

TEST(PixelTableSource, KeyTableHasThePrefixInTheLastWord)
{
    std::string text = Image("prefix: hand", "..#.............");
    for (int k = 0; k < 25; ++k)
        text += Image("key " + std::to_string(k) + ": K" + std::to_string(k),
                      k == 0 ? "...#............" : "................");
    PIXEL_TABLE table;
    std::string error;
    ASSERT_TRUE(CPixelTableSource::Parse(text, PIXTABLES::FUNCTION_KEY_TABLE, table, error)) << error;
    ASSERT_EQ(table.bytes.size(), 832u);
    EXPECT_EQ(table.bytes[50], 0x00);
    EXPECT_EQ(table.bytes[51], 0x04); // prefix, word 25
    EXPECT_EQ(table.bytes[48], 0x00);
    EXPECT_EQ(table.bytes[49], 0x08); // key 0, word 24
    EXPECT_EQ(table.bytes[52 + 49], 0x08);
    EXPECT_EQ(table.prefixName, "hand");
    EXPECT_EQ(table.imageNames[24], "K24");
}

TEST(PixelTableSource, ToleratesCarriageReturnsAndTrailingBlanks)
{
    std::string text;
    for (char c : Lamps()) {
        if (c == '\n')
            text += " \r";
        text += c;
    }
    std::string error;
    EXPECT_TRUE(Parse(text, error)) << error;
}

TEST(PixelTableSource, RefusesFaultySourcesNamingTheLine)
{
    std::string error;
    const std::string good = Lamps();

    EXPECT_FALSE(Parse(good + Image("lamp 2: again"), error));
    EXPECT_NE(error.find("twice"), std::string::npos) << error;

    EXPECT_FALSE(Parse(good + Image("lamp 4: fifth"), error));
    EXPECT_NE(error.find("line 72"), std::string::npos) << error;

    EXPECT_FALSE(Parse(Image("lamp 0: round") + Image("lamp 1: x") + Image("lamp 2: y"), error));
    EXPECT_NE(error.find("missing images: lamp 3"), std::string::npos) << error;

    EXPECT_FALSE(Parse(Image("lamp 0: round", "..............."), error));
    EXPECT_NE(error.find("line 2"), std::string::npos) << error;
    EXPECT_NE(error.find("16 characters"), std::string::npos) << error;

    EXPECT_FALSE(Parse(Image("lamp 0: round", ".......o........"), error));
    EXPECT_NE(error.find("only '#' and '.'"), std::string::npos) << error;

    std::string truncated = Image("lamp 0: round");
    truncated.resize(truncated.size() - 17);
    EXPECT_FALSE(Parse(truncated, error));
    EXPECT_NE(error.find("15 of 16 rows"), std::string::npos) << error;

    EXPECT_FALSE(Parse("lamp 0 round\n", error));
    EXPECT_FALSE(Parse("lamp 0:\n", error));
    EXPECT_FALSE(Parse("lamp x: round\n", error));
    EXPECT_FALSE(Parse("lamp -1: round\n", error));
    EXPECT_FALSE(Parse("prefix: hand\n", error)) << "lamps have no prefix";
    EXPECT_FALSE(Parse("key 0: F1\n", error));
    EXPECT_FALSE(Parse("", error));
    EXPECT_FALSE(Parse(Image("prefix: hand"), error, PIXTABLES::FUNCTION_KEY_TABLE));
    EXPECT_NE(error.find("key 0, key 1"), std::string::npos) << error;
}

} // namespace
