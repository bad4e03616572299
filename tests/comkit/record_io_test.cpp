#include "comkit/record_io.h"

#include <gtest/gtest.h>

using namespace COMMON_EX;

namespace {

TEST(RecordIO, WritesLittleEndianFieldsAndStrings)
{
    BYTE buf[32] = {};
    CRecordWriter w(buf);
    w.WriteDWORD(0x11223344);
    w.WriteInt(-2);
    w.WriteString("ab");
    w.WriteString(nullptr);
    EXPECT_EQ(w.Written(), 4u + 4 + 6 + 4);
    const BYTE expected[] = {0x44, 0x33, 0x22, 0x11, 0xFE, 0xFF, 0xFF, 0xFF, 2, 0, 0, 0, 'a', 'b', 0, 0, 0, 0};
    EXPECT_EQ(0, memcmp(buf, expected, sizeof expected));
    EXPECT_EQ(CRecordWriter::StringSize("ab"), 6u);
    EXPECT_EQ(CRecordWriter::StringSize(nullptr), 4u);
}

TEST(RecordIO, ReaderStopsAtTheLastWholeField)
{
    const BYTE data[] = {5, 0, 0, 0, 'h', 'e', 'l', 'l'}; // a 5-byte text with only 4 bytes present
    CRecordReader r(data, sizeof data);
    char* text = nullptr;
    EXPECT_FALSE(r.ReadString(text));
    EXPECT_EQ(text, nullptr);
    EXPECT_EQ(r.Consumed(), 0u);
    DWORD v;
    EXPECT_TRUE(r.ReadDWORD(v));
    EXPECT_EQ(v, 5u);
    EXPECT_FALSE(r.Skip(5));
    EXPECT_TRUE(r.Skip(4));
    EXPECT_FALSE(r.ReadDWORD(v));
    EXPECT_EQ(r.Consumed(), 8u);
}

TEST(RecordIO, StringsAndCounts)
{
    const BYTE data[] = {2, 0, 0, 0, 'o', 'k', 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F};
    CRecordReader r(data, sizeof data);
    char* text = new char[3]{'o', 'l', 'd'};
    ASSERT_TRUE(r.ReadString(text));
    EXPECT_STREQ(text, "ok");
    ASSERT_TRUE(r.ReadString(text)); // length 0: absent
    EXPECT_EQ(text, nullptr);
    int n = 7;
    ASSERT_TRUE(r.ReadCount(n, 32)); // -1: no entries
    EXPECT_EQ(n, 0);
    EXPECT_FALSE(r.ReadCount(n, 32)); // a huge count cannot fit: refused before any allocation
    EXPECT_EQ(r.Remaining(), 4u);
    CRecordReader none(nullptr, 100);
    EXPECT_EQ(none.Remaining(), 0u);
}

} // namespace
