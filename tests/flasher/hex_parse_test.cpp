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
        if (n < 0) {
            return lines;
        }
    }
}

INT Parse(const std::string& text, HEX_PARSE_ERROR* error = nullptr)
{
    std::memset(GetProgramImage(), 0xFF, PROGRAM_IMAGE_SIZE);
    return ParseIntelHex(text.data(), INT(text.size()), error);
}

// The refusal's words for text, or "" when it loads.
std::string Refusal(const std::string& text)
{
    HEX_PARSE_ERROR error;
    if (Parse(text, &error) >= 0) {
        return "";
    }
    char words[160];
    FormatHexError(error, words, sizeof words);
    return words;
}

INT Record(const std::string& line, INT* highest)
{
    return ParseHexRecord(line.data(), INT(line.size()), highest);
}

} // namespace

TEST(ReadHexLine, SplitsAtLfOrCrLfAndKeepsTheLastLineWhole)
{
    const auto lines = ReadAllLines("AB\r\nCDE\nXY");
    ASSERT_EQ(4u, lines.size());
    EXPECT_EQ("AB", lines[0].line);
    EXPECT_EQ("CDE", lines[1].line);
    EXPECT_EQ("XY", lines[2].line);
    EXPECT_EQ(HEX_LINE_END, lines[3].answer);
    EXPECT_EQ("Z", ReadAllLines("Z").front().line);
    EXPECT_EQ(HEX_LINE_END, ReadAllLines("").front().answer);
    // An empty line is a line of its own; a CR elsewhere stays in the line for the record check.
    EXPECT_EQ(0, ReadAllLines("\r\nAB\r\n").front().answer);
    EXPECT_EQ("A\rB", ReadAllLines("A\rB\n").front().line);
}

TEST(ReadHexLine, LongLinesAreRefusedWithoutOverrun)
{
    EXPECT_EQ(HEX_LINE_MAX, ReadAllLines(std::string(HEX_LINE_MAX, 'A') + "\r\n:").front().answer);
    const auto lines = ReadAllLines(std::string(HEX_LINE_MAX + 1, 'A') + "\r\n:");
    EXPECT_EQ(HEX_LINE_TOO_LONG, lines.front().answer);
    EXPECT_EQ(HEX_LINE_TOO_LONG, ReadAllLines(std::string(100000, 'A')).front().answer);
}

TEST(ReadHexLine, PositionOutsideTheTextAnswersZero)
{
    const std::string text = "AB\r\n";
    char line[HEX_LINE_BUFFER_SIZE];
    INT position = 4;
    EXPECT_EQ(HEX_LINE_END, ReadHexLine(text.data(), 4, &position, line));
    position = -3;
    EXPECT_EQ(HEX_LINE_END, ReadHexLine(text.data(), 4, &position, line));
}

TEST(ParseHexRecord, EachCheckHasItsAnswer)
{
    INT highest = 0;
    EXPECT_EQ(HEX_RECORD_BAD_LENGTH, Record(":00000001F", &highest));
    EXPECT_EQ(HEX_RECORD_BAD_LENGTH, Record(":" + std::string(HEX_LINE_MAX, '0'), &highest));
    EXPECT_EQ(HEX_RECORD_NO_COLON, Record(";00000001FF", &highest));
    EXPECT_EQ(HEX_RECORD_EVEN_LENGTH, Record(":00000001FF0", &highest));
    EXPECT_EQ(HEX_RECORD_BAD_DIGIT, Record(":000000G1FF", &highest));
    EXPECT_EQ(HEX_RECORD_BAD_DIGIT, Record(":00000001F ", &highest));
    EXPECT_EQ(HEX_RECORD_BAD_DIGIT, Record(":00000001\rFF", &highest));
    EXPECT_EQ(HEX_RECORD_BAD_SUM, Record(":00000001FE", &highest));
    // Count and length disagree, though the sum is right.
    EXPECT_EQ(HEX_RECORD_BAD_COUNT, Record(HexRecord(0, 0, {1, 2}, 3), &highest));
    EXPECT_EQ(HEX_RECORD_BAD_COUNT, Record(HexRecord(4, 0, {0}), &highest));
    EXPECT_EQ(HEX_RECORD_BAD_COUNT, Record(HexRecord(1, 0, {0}), &highest));
    EXPECT_EQ(HEX_RECORD_TOO_HIGH, Record(HexRecord(0, 0xFFF8, Bytes(9, 1)), &highest));
    EXPECT_EQ(HEX_RECORD_OTHER_TYPE, Record(HexRecord(6, 0, {0, 0}), &highest));
    EXPECT_EQ(0, highest);
    EXPECT_EQ(HEX_RECORD_ADDRESS, Record(HexRecord(4, 0, {0, 0}), &highest));
    EXPECT_EQ(2, highest);
    EXPECT_EQ(HEX_RECORD_START, Record(HexRecord(5, 0, {0, 0, 1, 0}), &highest));
    // Up to 255 data bytes a record.
    EXPECT_EQ(HEX_RECORD_DATA, Record(HexRecord(0, 0x100, Bytes(255, 1)), &highest));
    EXPECT_EQ(0x1FF, highest);
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

TEST(ParseIntelHex, BlankLinesAndLfLineEndsLoseNothing)
{
    const std::string text = HexRecord(0, 0, {1}) + "\r\n\r\n" + HexRecord(0, 0x20, {2}) + "\n" + HEX_END + "\n";
    EXPECT_EQ(0x21, Parse(text));
    EXPECT_EQ(2, GetProgramImage()[0x20]);
}

TEST(ParseIntelHex, AnyFailingRecordRefusesTheFileNamingItsLine)
{
    const std::string first = HexRecord(0, 0x10, Bytes(16, 5)) + "\r\n";
    std::string badSum = HexRecord(0, 0x40, {9, 9});
    badSum.back() = badSum.back() == '0' ? '1' : '0';
    const std::string end = HEX_END + "\r\n";
    EXPECT_EQ("HEX format error in line 2: checksum error", Refusal(first + badSum + "\r\n" + end));
    EXPECT_EQ("HEX format error in line 3: a character that is not a hex digit",
              Refusal(first + "\n" + HexRecord(0, 0, {1}) + "x\n" + end));
    EXPECT_EQ("HEX format error in line 1: the record does not start with ':'", Refusal(" " + first + end));
    EXPECT_EQ("HEX format error in line 2: the record's length does not match its byte count",
              Refusal(first + HexRecord(0, 0, {1, 2}, 3) + "\n" + end));
    EXPECT_EQ("HEX format error in line 2: the record's length does not match its byte count",
              Refusal(first + ":" + std::string(600, 'F') + "\r\n" + end));
    EXPECT_EQ("HEX format error in line 2: unknown record type", Refusal(first + HexRecord(6, 0, {}) + "\n" + end));
    EXPECT_EQ("HEX format error in line 2: the program does not fit the panel's 64 KiB",
              Refusal(first + HexRecord(0, 0xFFF8, Bytes(9, 1)) + "\n" + end));
    EXPECT_EQ("HEX format error in line 3: a record after the end-of-file record",
              Refusal(first + end + HexRecord(0, 0x30, {2}) + "\r\n"));
    EXPECT_EQ("HEX format error in line 1: the file ends without an end-of-file record", Refusal(first));
    EXPECT_EQ("HEX format error in line 1: the file ends without an end-of-file record", Refusal(""));
    // Blanks and the NULs of a padded file may follow the end.
    EXPECT_EQ("", Refusal(first + end + "\r\n  \n" + std::string(5, '\0')));
    EXPECT_EQ(Bytes(16, 5), ImageBytes(0x10, 16));
}

TEST(ParseIntelHex, AddressRecordRaisesTheLength)
{
    const std::string text =
        HexRecord(4, 0x0100, {0, 0}) + "\r\n" + HexRecord(0, 0, {0x55}) + "\r\n" + HEX_END + "\r\n";
    EXPECT_EQ(0x102, Parse(text));
    EXPECT_EQ(0xFF, GetProgramImage()[0x100]);
}

TEST(ParseIntelHex, AddressRecordsDoNotMoveDataButMustNameOneSegment)
{
    // Existing program files carry address records their data does not depend on: data lands at
    // its 16-bit address, and nothing is dropped.
    const std::string text = HexRecord(4, 0, {0x08, 0x00}) + "\r\n" + HexRecord(0, 0x0000, {1, 2}) + "\r\n" +
                             HexRecord(4, 0, {0x08, 0x00}) + "\r\n" + HexRecord(0, 0x0040, {3}) + "\r\n" + HEX_END +
                             "\r\n";
    EXPECT_EQ(0x41, Parse(text));
    EXPECT_EQ((Bytes{1, 2}), ImageBytes(0, 2));
    EXPECT_EQ(Bytes(0x3E, 0xFF), ImageBytes(2, 0x3E));
    EXPECT_EQ(3, GetProgramImage()[0x40]);
    EXPECT_TRUE(ErasedFrom(0x41));
    // A segment address inside the first 64 KiB is the same segment as none.
    EXPECT_EQ(0x12, Parse(HexRecord(2, 0, {0x01, 0x00}) + "\r\n" + HexRecord(0, 0x0010, {7, 8}) + "\r\n" + HEX_END));
    EXPECT_EQ((Bytes{7, 8}), ImageBytes(0x10, 2));
    // Data in two segments would fold onto itself: refused, whichever record names them.
    const std::string two = HexRecord(0, 0x0010, {7, 8}) + "\r\n" + HexRecord(2, 0, {0x10, 0x00}) + "\r\n" +
                            HexRecord(0, 0, {9}) + "\r\n" + HEX_END + "\r\n";
    EXPECT_EQ("HEX format error in line 3: the program does not fit the panel's 64 KiB (data in two 64 KiB segments)",
              Refusal(two));
    EXPECT_EQ("HEX format error in line 4: the program does not fit the panel's 64 KiB (data in two 64 KiB segments)",
              Refusal(HexRecord(4, 0, {0x08, 0x00}) + "\n" + HexRecord(0, 0, {1}) + "\n" + HexRecord(4, 0, {0, 0}) +
                      "\n" + HexRecord(0, 0x40, {3}) + "\n" + HEX_END));
}

TEST(ParseIntelHex, RecordsGivingOneByteDifferentValuesRefuseTheFile)
{
    HEX_PARSE_ERROR error;
    const std::string agree =
        HexRecord(0, 0x100, {1, 2, 3}) + "\r\n" + HexRecord(0, 0x102, {3, 4}) + "\r\n" + HEX_END + "\r\n";
    EXPECT_EQ(0x104, Parse(agree, &error));
    EXPECT_EQ(0, error.nLine);
    const std::string disagree = HexRecord(0, 0x100, {1, 2, 3}) + "\r\n" + HexRecord(0, 0x0F0, Bytes(16, 0)) + "\r\n" +
                                 HexRecord(0, 0x100, {1, 2, 9}) + "\r\n" + HEX_END + "\r\n";
    EXPECT_EQ(-1, Parse(disagree, &error));
    EXPECT_EQ(0x102, error.nConflict);
    EXPECT_EQ("HEX format error in line 3: two records give address 0x0102 different values", Refusal(disagree));
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
    EXPECT_EQ(1, Parse(HexRecord(0, 0, {1}) + "\r\n" + HEX_END + "\r\n"));
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
    EXPECT_EQ(-1, Parse(text));
    EXPECT_TRUE(ErasedFrom(0x10000));
    EXPECT_EQ(-1, ParseIntelHex(nullptr, 10));
}
