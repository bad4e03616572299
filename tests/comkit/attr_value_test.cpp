#include "comkit/attr_value.h"

#include <gtest/gtest.h>

#include <vector>

using COMMON_EX::CAttrValue;

namespace {

std::vector<BYTE> Stored(const CAttrValue& v)
{
    std::vector<BYTE> out(v.GetStoredSize());
    EXPECT_EQ(v.Store(out.data()), out.size());
    return out;
}

TEST(CAttrValue, IntegerImagesCarryTypeCodeZeroWordsAndData)
{
    EXPECT_EQ(Stored(CAttrValue::Int32(0x12345678)),
              (std::vector<BYTE>{3, 0, 0, 0, 0, 0, 0, 0, 0x78, 0x56, 0x34, 0x12, 0, 0, 0, 0}));
    EXPECT_EQ(Stored(CAttrValue::Int16(1)), (std::vector<BYTE>{2, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Stored(CAttrValue::Double(1.0)),
              (std::vector<BYTE>{5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F}));
    EXPECT_EQ(Stored(CAttrValue()).size(), 16u);
}

TEST(CAttrValue, SixteenBitValuesKeepTheUpperHalfOfTheirIntegerViewZero)
{
    const CAttrValue v = CAttrValue::Int16(-1);
    EXPECT_EQ(v.GetInt16(), -1);
    EXPECT_EQ(v.GetInt32(), 0xFFFF);
    EXPECT_EQ(CAttrValue::Int32(-7).GetInt32(), -7);
    EXPECT_DOUBLE_EQ(CAttrValue::Int32(-7).GetDouble(), -7.0);
    EXPECT_DOUBLE_EQ(CAttrValue::Double(3.25).GetDouble(), 3.25);
}

TEST(CAttrValue, StringsStoreTypeCodeByteLengthAndUtf16le)
{
    EXPECT_EQ(Stored(CAttrValue::String(u"")), (std::vector<BYTE>{8, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Stored(CAttrValue::String(u"A\u9759")), (std::vector<BYTE>{8, 0, 4, 0, 0, 0, 0x41, 0, 0x59, 0x97}));
}

TEST(CAttrValue, RestoreReadsBackEveryKind)
{
    for (const CAttrValue& v : {CAttrValue::Int16(-3), CAttrValue::Int32(60000), CAttrValue::Double(-2.5),
                                CAttrValue::String(u"xyz\u6587"), CAttrValue::String(u""), CAttrValue()}) {
        const std::vector<BYTE> bytes = Stored(v);
        CAttrValue back = CAttrValue::Int32(99);
        EXPECT_EQ(back.Restore(bytes.data(), DWORD(bytes.size())), bytes.size());
        EXPECT_EQ(back, v);
    }
}

TEST(CAttrValue, UnknownTypeCodesSurviveARoundTrip)
{
    std::vector<BYTE> image{11, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0, 0, 1, 2, 3, 4};
    CAttrValue v;
    ASSERT_EQ(v.Restore(image.data(), 16), 16u);
    EXPECT_EQ(v.GetType(), 11);
    image[2] = 0; // reserved words are written as zero
    EXPECT_EQ(Stored(v), image);
}

TEST(CAttrValue, ACutFieldIsNotReadAndLeavesTheValue)
{
    const CAttrValue keep = CAttrValue::Int32(5);
    for (const CAttrValue& v : {CAttrValue::Int32(1), CAttrValue::String(u"abc")}) {
        const std::vector<BYTE> bytes = Stored(v);
        for (DWORD cut = 0; cut < bytes.size(); ++cut) {
            std::vector<BYTE> part(bytes.begin(), bytes.begin() + cut);
            CAttrValue back = keep;
            EXPECT_EQ(back.Restore(part.data(), cut), 0u) << cut;
            EXPECT_EQ(back, keep);
        }
    }
}

TEST(CAttrValue, AnOddStringLengthConsumesTheStrayByte)
{
    const std::vector<BYTE> bytes{8, 0, 3, 0, 0, 0, 0x41, 0, 0x42};
    CAttrValue v;
    EXPECT_EQ(v.Restore(bytes.data(), DWORD(bytes.size())), 9u);
    EXPECT_EQ(v.GetString(), u"A");
}

TEST(CAttrValue, EqualityComparesTypeAndContent)
{
    EXPECT_EQ(CAttrValue::Int32(1), CAttrValue::Int32(1));
    EXPECT_NE(CAttrValue::Int32(1), CAttrValue::Int16(1));
    EXPECT_NE(CAttrValue::String(u"a"), CAttrValue::String(u"b"));
}

} // namespace
