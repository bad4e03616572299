// HEX files from an independent producer, srecord's srec_cat, load to the bytes they were made from.
#include "image_test_support.h"

#include <cstdlib>

namespace {

bool HaveSrecCat()
{
    return std::system("srec_cat --version >/dev/null 2>&1") == 0;
}

// srec_cat writes 16-byte records with CR LF; extra arguments go before the output.
bool MakeHex(const std::string& binary, const std::string& hex, const std::string& extra = "")
{
    const std::string command = "srec_cat '" + binary + "' -binary " + extra + " -o '" + hex +
                                "' -intel -Output_Block_Size=16 -line-termination=crlf";
    return std::system(command.c_str()) == 0;
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

TEST_F(HexSrecordTest, RecordsBeyondSixtyFourKiBKeepTheirSixteenBitAddress)
{
    const Bytes data = SequenceBytes(64, 3);
    const std::string binary = m_dir.Write("in.bin", data);
    const std::string hex = m_dir.File("high.hex");
    // 32 bytes below the 64 KiB line, 32 above it (behind an extended address record, which
    // moves nothing: they land at 0x0000).
    ASSERT_TRUE(MakeHex(binary, hex, "-offset 0xFFE0"));
    EXPECT_EQ(0x10000, LoadProgramImage(hex.c_str(), m_settings));
    EXPECT_EQ(Bytes(data.begin(), data.begin() + 32), ImageBytes(0xFFE0, 32));
    EXPECT_EQ(Bytes(data.begin() + 32, data.end()), ImageBytes(0, 32));
    EXPECT_EQ(Bytes(0xFFE0 - 32, 0xFF), ImageBytes(32, 0xFFE0 - 32));
    EXPECT_TRUE(ErasedFrom(0x10000));
}
