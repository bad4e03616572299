// The HEX line reader, record checks and parser, on text in memory.
#include "image_test_support.h"

#include <cstring>
#include <memory>

namespace {

struct LineRead {
    INT answer;
    std::string line;
};

std::vector<LineRead> ReadAllLines(const std::string& text)
{
    std::vector<LineRead> lines;
    INT position = 0;
    char line[HEX_LINE_BUFFER_SIZE];
    for (;;) {
        const INT n = ReadHexLine(text.data(), INT(text.size()), &position, line);
        lines.push_back({n, n > 0 ? std::string(line, size_t(n)) : std::string()});
        if (n <= 0) {
            return lines;
        }
    }
}

INT Parse(const std::string& text)
{
    std::memset(GetProgramImage(), 0xFF, PROGRAM_IMAGE_SIZE);
    return ParseIntelHex(text.data(), INT(text.size()));
}

INT Record(const std::string& line, INT* highest)
{
    return ParseHexRecord(line.data(), INT(line.size()), highest);
}

} // namespace

TEST(ReadHexLine, SplitsAtCrLfAndNeverReturnsTheLastCharacter)
{
    const auto lines = ReadAllLines("AB\r\nCDE\r\nXY");
    ASSERT_EQ(4u, lines.size());
    EXPECT_EQ("AB", lines[0].line);
    EXPECT_EQ("CDE", lines[1].line);
    // "XY" at the end: the final character is dropped.
    EXPECT_EQ("X", lines[2].line);
    EXPECT_EQ(0, lines[3].answer);
    // So is a final LF, and the line keeps its CR.
    EXPECT_EQ("AB\r", ReadAllLines("AB\r\n").front().line);
    EXPECT_EQ(0, ReadAllLines("Z").front().answer);
    EXPECT_EQ(0, ReadAllLines("").front().answer);
}

TEST(ReadHexLine, EmptyLineEndsAndBareLfFails)
{
    EXPECT_EQ(0, ReadAllLines("\r\nAB\r\n").front().answer);
    EXPECT_EQ(HEX_LINE_NO_CR, ReadAllLines("\nAB\r\n").front().answer);
    EXPECT_EQ(HEX_LINE_NO_CR, ReadAllLines("AB\nCD\r\n").front().answer);
}

TEST(ReadHexLine, LongLinesAreRefusedWithoutOverrun)
{
    // The CR counts while copying: 255 characters is the longest line.
    EXPECT_EQ(255, ReadAllLines(std::string(255, 'A') + "\r\n:").front().answer);
    EXPECT_EQ(HEX_LINE_TOO_LONG, ReadAllLines(std::string(256, 'A') + "\r\n:").front().answer);
    EXPECT_EQ(HEX_LINE_TOO_LONG, ReadAllLines(std::string(100000, 'A')).front().answer);
}

TEST(ReadHexLine, PositionOutsideTheTextAnswersZero)
{
    const std::string text = "AB\r\n";
    char line[HEX_LINE_BUFFER_SIZE];
    INT position = 4;
    EXPECT_EQ(0, ReadHexLine(text.data(), 4, &position, line));
    position = -3;
    EXPECT_EQ(0, ReadHexLine(text.data(), 4, &position, line));
}

TEST(ParseHexRecord, EachCheckHasItsAnswer)
{
    INT highest = 0;
    EXPECT_EQ(HEX_RECORD_BAD_LENGTH, Record(":00000001F", &highest));
    EXPECT_EQ(HEX_RECORD_BAD_LENGTH, Record(":" + std::string(256, '0'), &highest));
    EXPECT_EQ(HEX_RECORD_NO_COLON, Record(";00000001FF", &highest));
    EXPECT_EQ(HEX_RECORD_EVEN_LENGTH, Record(":00000001FF0", &highest));
    EXPECT_EQ(HEX_RECORD_BAD_DIGIT, Record(":000000G1FF", &highest));
    EXPECT_EQ(HEX_RECORD_BAD_DIGIT, Record(":00000001F ", &highest));
    EXPECT_EQ(HEX_RECORD_BAD_SUM, Record(":00000001FE", &highest));
    // Count and length disagree, though the sum is right.
    EXPECT_EQ(HEX_RECORD_BAD_SUM, Record(HexRecord(0, 0, {1, 2}, 3), &highest));
    EXPECT_EQ(HEX_RECORD_BAD_SUM, Record(HexRecord(0, 0, Bytes(17, 1)), &highest));
    EXPECT_EQ(HEX_RECORD_TOO_HIGH, Record(HexRecord(0, 0xFFF8, Bytes(9, 1)), &highest));
    EXPECT_EQ(0, highest);
    EXPECT_EQ(HEX_RECORD_OTHER_TYPE, Record(HexRecord(4, 0, {0, 0}), &highest));
    EXPECT_EQ(2, highest);
    EXPECT_EQ(HEX_RECORD_END, Record(":00000001ff", &highest));
    // With a memory of the bytes written, a record that changes one an earlier record wrote is
    // refused and copies nothing; the same values again are fine.
    auto written = std::make_unique<HEX_WRITTEN_BYTES>();
    const std::string first = HexRecord(0, 0x20, {5, 6});
    const std::string same = HexRecord(0, 0x21, {6, 7});
    const std::string other = HexRecord(0, 0x1F, {1, 2, 3});
    EXPECT_EQ(HEX_RECORD_DATA, ParseHexRecord(first.c_str(), INT(first.size()), &highest, written.get()));
    EXPECT_EQ(HEX_RECORD_DATA, ParseHexRecord(same.c_str(), INT(same.size()), &highest, written.get()));
    EXPECT_EQ(HEX_RECORD_CONFLICT, ParseHexRecord(other.c_str(), INT(other.size()), &highest, written.get()));
    EXPECT_EQ(0x20, written->nConflict);
    EXPECT_EQ((Bytes{0xFF, 5, 6, 7}), ImageBytes(0x1F, 4));
}

TEST(ParseHexRecord, DataRecordsFillTheImageUpToSixtyFourKiB)
{
    std::memset(GetProgramImage(), 0xFF, PROGRAM_IMAGE_SIZE);
    INT highest = 0;
    const Bytes data = SequenceBytes(16, 3);
    EXPECT_EQ(HEX_RECORD_DATA, Record(HexRecord(0, 0xFFF0, data), &highest));
    EXPECT_EQ(0x10000, highest);
    EXPECT_EQ(data, ImageBytes(0xFFF0, 16));
    EXPECT_TRUE(ErasedFrom(0x10000));
    // Lower records do not lower the highest end; lower-case digits are accepted.
    std::string lower = HexRecord(0, 0x0010, {0xAB, 0xCD});
    for (char& c : lower) {
        c = char(std::tolower(c));
    }
    EXPECT_EQ(HEX_RECORD_DATA, Record(lower, &highest));
    EXPECT_EQ(0x10000, highest);
    EXPECT_EQ((Bytes{0xAB, 0xCD}), ImageBytes(0x10, 2));
}

TEST(ParseIntelHex, LastLineWithoutCrLfStillLoads)
{
    const std::string text = HexRecord(0, 0, {1, 2, 3}) + "\r\n" + HEX_END;
    EXPECT_EQ(3, Parse(text));
    EXPECT_EQ((Bytes{1, 2, 3}), ImageBytes(0, 3));
}

TEST(ParseIntelHex, BlankLineEndsParsing)
{
    const std::string text = HexRecord(0, 0, {1}) + "\r\n\r\n" + HexRecord(0, 0x20, {2}) + "\r\n" + HEX_END + "\r\n";
    EXPECT_EQ(1, Parse(text));
    EXPECT_EQ(0xFF, GetProgramImage()[0x20]);
}

TEST(ParseIntelHex, LfWithoutCrFails)
{
    EXPECT_EQ(-1, Parse(HexRecord(0, 0, {1}) + "\n" + HEX_END + "\r\n"));
    EXPECT_EQ(-1, Parse(HexRecord(0, 0, {1}) + "\r\n" + std::string(300, 'F') + "\r\n"));
}

TEST(ParseIntelHex, SkipsBadRecordsAndKeepsGoing)
{
    std::string badSum = HexRecord(0, 0x40, {9, 9});
    badSum.back() = badSum.back() == '0' ? '1' : '0';
    const std::string text = HexRecord(0, 0x80, Bytes(32, 7)) + "\r\n" + badSum + "\r\n" +
                             HexRecord(0, 0x10, Bytes(16, 5)) + "\r\n" + HEX_END + "\r\n";
    EXPECT_EQ(0x20, Parse(text));
    EXPECT_EQ(Bytes(16, 5), ImageBytes(0x10, 16));
    EXPECT_EQ(0xFF, GetProgramImage()[0x40]);
    EXPECT_EQ(0xFF, GetProgramImage()[0x80]);
}

TEST(ParseIntelHex, AddressRecordRaisesTheLength)
{
    const std::string text =
        HexRecord(4, 0x0100, {0, 0}) + "\r\n" + HexRecord(0, 0, {0x55}) + "\r\n" + HEX_END + "\r\n";
    EXPECT_EQ(0x102, Parse(text));
    EXPECT_EQ(0xFF, GetProgramImage()[0x100]);
}

TEST(ParseIntelHex, LinearAddressRecordsDoNotMoveData)
{
    // Existing program files carry address records their data does not depend on: data lands at
    // its 16-bit address, and nothing is dropped.
    const std::string text = HexRecord(4, 0, {0x08, 0x00}) + "\r\n" + HexRecord(0, 0x0000, {1, 2}) + "\r\n" +
                             HexRecord(4, 0, {0x00, 0x00}) + "\r\n" + HexRecord(0, 0x0040, {3}) + "\r\n" + HEX_END +
                             "\r\n";
    EXPECT_EQ(0x41, Parse(text));
    EXPECT_EQ((Bytes{1, 2}), ImageBytes(0, 2));
    EXPECT_EQ(Bytes(0x3E, 0xFF), ImageBytes(2, 0x3E));
    EXPECT_EQ(3, GetProgramImage()[0x40]);
    EXPECT_TRUE(ErasedFrom(0x41));
}

TEST(ParseIntelHex, SegmentAddressRecordsDoNotMoveData)
{
    const std::string text = HexRecord(2, 0, {0x01, 0x00}) + "\r\n" + HexRecord(0, 0x0010, {7, 8}) + "\r\n" +
                             HexRecord(2, 0, {0x10, 0x00}) + "\r\n" + HexRecord(0, 0, {9}) + "\r\n" + HEX_END + "\r\n";
    EXPECT_EQ(0x12, Parse(text));
    EXPECT_EQ(9, GetProgramImage()[0]);
    EXPECT_EQ((Bytes{7, 8}), ImageBytes(0x10, 2));
    EXPECT_TRUE(ErasedFrom(0x12));
}

TEST(ParseIntelHex, RecordsGivingOneByteDifferentValuesRefuseTheFile)
{
    INT conflict = 0;
    const std::string agree =
        HexRecord(0, 0x100, {1, 2, 3}) + "\r\n" + HexRecord(0, 0x102, {3, 4}) + "\r\n" + HEX_END + "\r\n";
    std::memset(GetProgramImage(), 0xFF, PROGRAM_IMAGE_SIZE);
    EXPECT_EQ(0x104, ParseIntelHex(agree.data(), INT(agree.size()), &conflict));
    EXPECT_EQ(-1, conflict);
    // The second half of a file past 64 KiB, folded onto the first by its address record.
    const std::string folded = HexRecord(0, 0x100, {1, 2, 3}) + "\r\n" + HexRecord(4, 0, {0, 1}) + "\r\n" +
                               HexRecord(0, 0x0F0, Bytes(16, 0)) + "\r\n" + HexRecord(0, 0x100, {1, 2, 9}) + "\r\n" +
                               HEX_END + "\r\n";
    std::memset(GetProgramImage(), 0xFF, PROGRAM_IMAGE_SIZE);
    EXPECT_EQ(-1, ParseIntelHex(folded.data(), INT(folded.size()), &conflict));
    EXPECT_EQ(0x102, conflict);
    EXPECT_EQ(1, Parse(HexRecord(0, 0, {1}) + "\r\n" + HexRecord(0, 0, {1}) + "\r\n" + HEX_END + "\r\n"));
}

TEST(ParseIntelHex, DataHighUpGivesItsEndAndLeavesTheRestErased)
{
    const Bytes data = SequenceBytes(16, 9);
    EXPECT_EQ(0x1010, Parse(HexRecord(0, 0x1000, data) + "\r\n" + HEX_END + "\r\n"));
    EXPECT_EQ(Bytes(0x1000, 0xFF), ImageBytes(0, 0x1000));
    EXPECT_EQ(data, ImageBytes(0x1000, 16));
    EXPECT_TRUE(ErasedFrom(0x1010));
}

TEST(ParseIntelHex, StopsAtTheEndRecord)
{
    EXPECT_EQ(0, Parse(HEX_END + "\r\n"));
    EXPECT_EQ(1, Parse(HexRecord(0, 0, {1}) + "\r\n" + HEX_END + "\r\n" + HexRecord(0, 0x30, {2}) + "\r\n"));
    EXPECT_EQ(0xFF, GetProgramImage()[0x30]);
}

TEST(ParseIntelHex, FullSixtyFourKiB)
{
    const Bytes data = SequenceBytes(0x10000, 21);
    std::string text;
    for (int address = 0; address < 0x10000; address += 16) {
        text += HexRecord(0, address, Bytes(data.begin() + address, data.begin() + address + 16)) + "\r\n";
    }
    text += HEX_END + "\r\n";
    EXPECT_EQ(0x10000, Parse(text));
    EXPECT_EQ(data, ImageBytes(0, 0x10000));
    EXPECT_TRUE(ErasedFrom(0x10000));
}

TEST(ParseIntelHex, BinaryGarbageNeverWritesOutsideSixtyFourKiB)
{
    std::string text;
    const Bytes noise = SequenceBytes(200000, 5);
    for (size_t i = 0; i < noise.size(); ++i) {
        const char c = noise[i] == '\n' ? ':' : char(noise[i]);
        text += i % 40 == 38 ? '\r' : i % 40 == 39 ? '\n' : c;
    }
    const INT result = Parse(text);
    EXPECT_GE(result, 0);
    EXPECT_LE(result, 0x10000);
    EXPECT_TRUE(ErasedFrom(0x10000));
    EXPECT_EQ(-1, ParseIntelHex(nullptr, 10));
}
