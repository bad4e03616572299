// HEX files from an independent producer, srecord's srec_cat, load to the bytes they were made from.
#include "image_test_support.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

Bytes ReadBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool HaveSrecCat()
{
    return std::system("srec_cat --version >/dev/null 2>&1") == 0;
}

// srec_cat writes 16-byte records with CR LF unless told otherwise; extra arguments go before the
// output, format after it (an empty format: srec_cat's own default, LF and 32-byte records).
bool MakeHex(const std::string& binary, const std::string& hex, const std::string& extra = "",
             const std::string& format = "-Output_Block_Size=16 -line-termination=crlf")
{
    const std::string command = "srec_cat '" + binary + "' -binary " + extra + " -o '" + hex + "' -intel " + format;
    return std::system(command.c_str()) == 0;
}

// What srec_cat says the panel's 64 KiB hold after programming hex at begin 0 (erased elsewhere).
Bytes SrecFlash(const std::string& hex, const std::string& out)
{
    const std::string command =
        "srec_cat '" + hex + "' -intel -fill 0xFF 0x0000 0x10000 -o '" + out + "' -binary 2>/dev/null";
    return std::system(command.c_str()) == 0 ? ReadBytes(out) : Bytes();
}

// The file's lines (LF kept out; a CR stays at the end of its line).
std::vector<std::string> Lines(const std::string& path)
{
    std::vector<std::string> lines;
    std::ifstream file(path, std::ios::binary);
    for (std::string line; std::getline(file, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

class HexSrecordTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!HaveSrecCat()) {
            GTEST_SKIP() << "srec_cat (Debian package srecord) is not installed";
        }
        m_settings.bNotEnc = TRUE;
        m_settings.pMessages = &m_messages;
    }

    CScratchDir m_dir;
    CMessageCapture m_messages;
    IMAGE_LOAD_SETTINGS m_settings;
};

} // namespace

TEST_F(HexSrecordTest, RandomBinariesLoadExactly)
{
    for (size_t size : {size_t(3), size_t(16), size_t(1000), size_t(4097), size_t(65535), size_t(65536)}) {
        const Bytes data = SequenceBytes(size, unsigned(size));
        const std::string binary = m_dir.Write("in.bin", data);
        const std::string hex = m_dir.File("out.hex");
        ASSERT_TRUE(MakeHex(binary, hex)) << size;
        // srec_cat opens with an address record (count 2), which raises the length to at least 2.
        const INT expected = INT(std::max<size_t>(size, 2));
        EXPECT_EQ(expected, LoadProgramImage(hex.c_str(), m_settings)) << size;
        EXPECT_EQ(data, ImageBytes(0, INT(size))) << size;
        EXPECT_TRUE(ErasedFrom(INT(size) > expected ? INT(size) : expected)) << size;
    }
    EXPECT_TRUE(m_messages.messages.empty());
}

TEST_F(HexSrecordTest, OffsetDataKeepsItsAddress)
{
    const Bytes data = SequenceBytes(300, 77);
    const std::string binary = m_dir.Write("in.bin", data);
    const std::string hex = m_dir.File("OFFSET.HEX");
    ASSERT_TRUE(MakeHex(binary, hex, "-offset 0x1234"));
    EXPECT_EQ(0x1234 + 300, LoadProgramImage(hex.c_str(), m_settings));
    EXPECT_EQ(Bytes(0x1234, 0xFF), ImageBytes(0, 0x1234));
    EXPECT_EQ(data, ImageBytes(0x1234, 300));
    EXPECT_TRUE(ErasedFrom(0x1234 + 300));
}

TEST_F(HexSrecordTest, EveryRecordSizeAndLineEndLoadsWhatSrecCatSays)
{
    const Bytes data = SequenceBytes(20000, 41);
    const std::string binary = m_dir.Write("in.bin", data);
    for (const char* ending : {"", "-line-termination=crlf", "-line-termination=nl"}) {
        for (int size : {1, 2, 15, 16, 17, 31, 32, 33, 64, 128, 200, 254, 255}) {
            const std::string format = std::string(ending) + " -Output_Block_Size=" + std::to_string(size);
            const std::string hex = m_dir.File("sized.hex");
            ASSERT_TRUE(MakeHex(binary, hex, "-offset 0x0100", format)) << format;
            EXPECT_EQ(0x100 + 20000, LoadProgramImage(hex.c_str(), m_settings)) << format;
            EXPECT_EQ(SrecFlash(hex, m_dir.File("flash.bin")), ImageBytes(0, 0x10000)) << format;
        }
    }
    // srec_cat's plain default: LF line ends and 32-byte records.
    const std::string hex = m_dir.File("default.hex");
    ASSERT_TRUE(MakeHex(binary, hex, "", ""));
    EXPECT_EQ(20000, LoadProgramImage(hex.c_str(), m_settings));
    EXPECT_EQ(data, ImageBytes(0, 20000));
    EXPECT_TRUE(m_messages.messages.empty()) << m_messages.messages.front();
}

TEST_F(HexSrecordTest, EachDamagedFormIsRefusedWithItsLine)
{
    const std::string binary = m_dir.Write("in.bin", SequenceBytes(1000, 5));
    const std::string hex = m_dir.File("good.hex");
    ASSERT_TRUE(MakeHex(binary, hex));
    const std::vector<std::string> good = Lines(hex);
    ASSERT_GT(good.size(), 10u);
    ASSERT_EQ(good.back(), ":00000001FF\r");
    struct DAMAGE {
        size_t line; // from 1
        std::string text;
        std::string reason;
    };
    std::vector<DAMAGE> damages;
    std::string sum = good[4];
    sum[sum.size() - 2] = sum[sum.size() - 2] == '0' ? '1' : '0';
    damages.push_back({5, sum, "checksum error"});
    std::string digit = good[6];
    digit[12] = 'G';
    damages.push_back({7, digit, "a character that is not a hex digit"});
    damages.push_back(
        {3, good[2].substr(0, good[2].size() - 3) + "\r", "the record's length does not match its byte count"});
    damages.push_back({4, " " + good[3], "the record does not start with ':'"});
    for (const DAMAGE& damage : damages) {
        std::vector<std::string> lines = good;
        lines[damage.line - 1] = damage.text;
        const std::string path = m_dir.Write("bad.hex", Joined(lines));
        m_messages.messages.clear();
        EXPECT_LE(LoadProgramImage(path.c_str(), m_settings), 0) << damage.reason;
        ASSERT_EQ(m_messages.messages.size(), 1u);
        EXPECT_EQ(m_messages.messages[0],
                  "HEX format error in line " + std::to_string(damage.line) + ": " + damage.reason);
    }
    // A record after the end, the end missing, and data disagreeing with an earlier record.
    std::vector<std::string> after = good;
    after.push_back(good[3]);
    std::vector<std::string> cut(good.begin(), good.end() - 1);
    std::vector<std::string> overlap = good;
    overlap.insert(overlap.end() - 1, HexRecord(0, 0x10, {0xEE}) + "\r");
    const std::pair<std::vector<std::string>, std::string> files[] = {
        {after, "line " + std::to_string(after.size()) + ": a record after the end-of-file record"},
        {cut, "line " + std::to_string(cut.size()) + ": the file ends without an end-of-file record"},
        {overlap, "line " + std::to_string(overlap.size() - 1) + ": two records give address 0x0010 different values"},
    };
    for (const auto& [lines, words] : files) {
        const std::string path = m_dir.Write("bad.hex", Joined(lines));
        m_messages.messages.clear();
        EXPECT_LE(LoadProgramImage(path.c_str(), m_settings), 0) << words;
        ASSERT_EQ(m_messages.messages.size(), 1u);
        EXPECT_EQ(m_messages.messages[0], "HEX format error in " + words);
    }
}

TEST_F(HexSrecordTest, DataInTwoSegmentsIsRefusedNotWrapped)
{
    const Bytes data = SequenceBytes(64, 3);
    const std::string binary = m_dir.Write("in.bin", data);
    const std::string hex = m_dir.File("high.hex");
    // 32 bytes below the 64 KiB line, 32 above it behind an extended address record: folding them
    // onto 0x0000 would program what the file does not say.
    ASSERT_TRUE(MakeHex(binary, hex, "-offset 0xFFE0"));
    EXPECT_EQ(-1, LoadProgramImage(hex.c_str(), m_settings));
    ASSERT_EQ(m_messages.messages.size(), 1u);
    EXPECT_NE(m_messages.messages[0].find("the program does not fit the panel's 64 KiB"), std::string::npos);
    // Wholly inside one segment above 64 KiB: the offsets are what counts.
    m_messages.messages.clear();
    ASSERT_TRUE(MakeHex(binary, hex, "-offset 0x30010"));
    EXPECT_EQ(0x10 + 64, LoadProgramImage(hex.c_str(), m_settings));
    EXPECT_EQ(data, ImageBytes(0x10, 64));
    EXPECT_TRUE(m_messages.messages.empty());
}
