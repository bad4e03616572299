#include "comkit/gbk.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace COMMON_EX;

namespace {

const char GBK_TEXT[] = "\xBE\xB2\xCC\xAC\xCE\xC4\xD7\xD6 A1"; // "静态文字 A1"
const char UTF8_TEXT[] = "\xE9\x9D\x99\xE6\x80\x81\xE6\x96\x87\xE5\xAD\x97 A1";

TEST(Gbk, ConvertsBothWaysThroughUtf8AndUtf16)
{
    std::string utf8;
    ASSERT_TRUE(GbkToUtf8(std::string(GBK_TEXT), utf8));
    EXPECT_EQ(utf8, UTF8_TEXT);
    std::string gbk;
    ASSERT_TRUE(Utf8ToGbk(utf8, gbk));
    EXPECT_EQ(gbk, GBK_TEXT);

    std::u16string utf16;
    ASSERT_TRUE(GbkToUtf16(std::string(GBK_TEXT), utf16));
    EXPECT_EQ(utf16, u"\u9759\u6001\u6587\u5B57 A1");
    ASSERT_TRUE(Utf16ToGbk(utf16, gbk));
    EXPECT_EQ(gbk, GBK_TEXT);

    // The euro sign of code page 936 and empty texts.
    ASSERT_TRUE(GbkToUtf16(std::string("\x80"), utf16));
    EXPECT_EQ(utf16, u"\u20AC");
    EXPECT_TRUE(GbkToUtf8(std::string(), utf8));
    EXPECT_TRUE(utf8.empty());
}

TEST(Gbk, InvalidInputFailsWithAnEmptyResult)
{
    std::string out = "stale";
    EXPECT_FALSE(GbkToUtf8(std::string("ok\xBE"), out)); // lead byte cut off at the end
    EXPECT_TRUE(out.empty());
    EXPECT_FALSE(GbkToUtf8(std::string("\xFF"), out));
    EXPECT_FALSE(Utf8ToGbk(std::string("\xE9\x9D"), out)); // cut UTF-8 sequence
    EXPECT_FALSE(Utf8ToGbk(std::string("\xC0\x80"), out));
    EXPECT_FALSE(Utf8ToGbk(std::string("\xF0\x9F\x98\x80"), out)); // not in GBK
    std::u16string u16 = u"x";
    EXPECT_FALSE(GbkToUtf16(std::string("\x81"), u16));
    EXPECT_TRUE(u16.empty());
    EXPECT_FALSE(Utf16ToGbk(std::u16string(1, char16_t(0xD800)), out)); // lone surrogate
    EXPECT_FALSE(GbkToUtf8(nullptr, 3, out));
}

TEST(Gbk, BufferFormsNeverOverrun)
{
    char buf[9];
    std::memset(buf, 'x', sizeof buf);
    EXPECT_EQ(Utf8ToGbk(UTF8_TEXT, buf, sizeof buf), -2); // needs 11 bytes
    EXPECT_STREQ(buf, "");
    char fit[12];
    EXPECT_EQ(Utf8ToGbk(UTF8_TEXT, fit, sizeof fit), 11);
    EXPECT_STREQ(fit, GBK_TEXT);
    char exact[11];
    EXPECT_EQ(Utf8ToGbk(UTF8_TEXT, exact, sizeof exact), -2);
    EXPECT_EQ(Utf8ToGbk("\xFF", fit, sizeof fit), -1);
    EXPECT_STREQ(fit, "");
    char out[32];
    EXPECT_EQ(GbkToUtf8(GBK_TEXT, out, sizeof out), int(std::strlen(UTF8_TEXT)));
    EXPECT_STREQ(out, UTF8_TEXT);
    EXPECT_EQ(GbkToUtf8(GBK_TEXT, out, 0), -2);
}

TEST(Gbk, LossyDisplayFallsBackToMarkedAscii)
{
    EXPECT_EQ(GbkToUtf8Lossy(GBK_TEXT), UTF8_TEXT);
    EXPECT_EQ(GbkToUtf8Lossy("ab\xFF"
                             "c"),
              "ab?c");
    EXPECT_EQ(GbkToUtf8Lossy(nullptr), "");
}

} // namespace

TEST(Gbk, CharacterWalkTakesLeadBytesWithTheirTrailAndACutLeadAsOneDoubleByteCharacter)
{
    using COMMON_EX::GbkCharacterAt;
    const char text[] = "A\xD6\xD0";
    COMMON_EX::GBK_CHARACTER c = GbkCharacterAt(text);
    EXPECT_FALSE(c.IsDouble());
    EXPECT_EQ(c.code, 'A');
    EXPECT_EQ(c.size, 1);
    c = GbkCharacterAt(text + 1);
    EXPECT_TRUE(c.IsDouble());
    EXPECT_EQ(c.DoubleCode(), 0xD0D6);
    EXPECT_EQ(c.size, 2);
    EXPECT_EQ(GbkCharacterAt(text + 3).size, 0);
    // A lead byte cut off by the terminator, or by the end of a counted text (the byte after it is
    // never read), is one double-byte character with trail 0 that takes one byte.
    for (const COMMON_EX::GBK_CHARACTER cut : {GbkCharacterAt("\xD6"), GbkCharacterAt(text + 1, text + 2)}) {
        EXPECT_TRUE(cut.IsDouble());
        EXPECT_EQ(cut.DoubleCode(), 0x00D6);
        EXPECT_EQ(cut.size, 1);
    }
    // 0x80 and 0xFF are lead bytes too; the end comes first at a zero byte, at `end` or for null.
    EXPECT_TRUE(GbkCharacterAt("\x80x").IsDouble());
    EXPECT_EQ(GbkCharacterAt("\xFFx").size, 2);
    EXPECT_EQ(GbkCharacterAt(text, text).size, 0);
    EXPECT_EQ(GbkCharacterAt(nullptr).size, 0);
    const char zero[] = {'\0', 'A'};
    EXPECT_EQ(GbkCharacterAt(zero, zero + 2).size, 0);
}
