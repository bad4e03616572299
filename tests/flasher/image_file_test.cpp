// Loading raw and HEX image files (plain): kinds, sizes, messages, and what the image holds after.
#include "image_test_support.h"

#include <sys/stat.h>

namespace {

class ImageFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_settings.bNotEnc = TRUE;
        m_settings.pMessages = &m_messages;
        // Leave something behind, so every test sees the image refilled.
        std::fill(GetProgramImage(), GetProgramImage() + PROGRAM_IMAGE_SIZE, BYTE(0x5A));
    }
    INT Load(const std::string& path) { return LoadProgramImage(path.c_str(), m_settings); }
    std::vector<std::string> Messages(std::initializer_list<const char*> texts)
    {
        return std::vector<std::string>(texts.begin(), texts.end());
    }

    CScratchDir m_dir;
    CMessageCapture m_messages;
    IMAGE_LOAD_SETTINGS m_settings;
};

} // namespace

// First in this file: no test has touched the process-wide image yet.
TEST(ProgramImage, ReadsAsErasedFlashBeforeAnyLoad)
{
    const BYTE* image = GetProgramImage();
    EXPECT_EQ(std::count(image, image + PROGRAM_IMAGE_SIZE, BYTE(0xFF)), PROGRAM_IMAGE_SIZE);
}

TEST(ImageFileKind, ByTheLowercasedLastFourCharacters)
{
    EXPECT_EQ(IMAGE_KIND_HEX, GetImageFileKind("/a/b/prog.hex"));
    EXPECT_EQ(IMAGE_KIND_HEX, GetImageFileKind("PROG.HEX"));
    EXPECT_EQ(IMAGE_KIND_HEX, GetImageFileKind(".hEx"));
    for (const char* raw : {"x.bin", "x.DAT", "x.Vxc", "/data/20240101.vxg"}) {
        EXPECT_EQ(IMAGE_KIND_RAW, GetImageFileKind(raw)) << raw;
    }
    for (const char* bad : {"prog.hex.bak", "hex", "", "a.hx", "a.bin ", "prog.txt"}) {
        EXPECT_EQ(IMAGE_KIND_NONE, GetImageFileKind(bad)) << bad;
    }
    EXPECT_EQ(IMAGE_KIND_NONE, GetImageFileKind(nullptr));
}

TEST_F(ImageFileTest, RejectedKindIsNotOpened)
{
    const std::string path = m_dir.Write("prog.hex.bak", HEX_END + "\r\n");
    EXPECT_EQ(-1, Load(path));
    EXPECT_EQ(Messages({MSG_IMAGE_BAD_KIND}), m_messages.messages);
    EXPECT_STREQ("file must be .hex or .bin or .vxc or .vxg!", MSG_IMAGE_BAD_KIND);
    EXPECT_TRUE(ErasedFrom(0));
    EXPECT_EQ(-1, GetProgramImageLength());
}

TEST_F(ImageFileTest, RawFileIsCopiedToTheImageFront)
{
    const Bytes data = SequenceBytes(1000, 1);
    for (const char* name : {"a.bin", "a.DAT", "a.vxc", "a.VXG"}) {
        EXPECT_EQ(1000, Load(m_dir.Write(name, data))) << name;
        EXPECT_EQ(data, ImageBytes(0, 1000));
        EXPECT_TRUE(ErasedFrom(1000));
    }
    EXPECT_EQ(1000, GetProgramImageLength());
    EXPECT_TRUE(m_messages.messages.empty());
}

TEST_F(ImageFileTest, RawSizeLimitIsSixtyFourKiB)
{
    const Bytes full = SequenceBytes(65536, 2);
    EXPECT_EQ(65536, Load(m_dir.Write("full.bin", full)));
    EXPECT_EQ(full, ImageBytes(0, 65536));
    EXPECT_TRUE(ErasedFrom(65536));

    EXPECT_LE(Load(m_dir.Write("over.bin", SequenceBytes(65537, 2))), 0);
    EXPECT_EQ(Messages({MSG_IMAGE_SIZE_OVER}), m_messages.messages);
    EXPECT_STREQ("error:file size over 65535!", MSG_IMAGE_SIZE_OVER);
    EXPECT_TRUE(ErasedFrom(0));
}

TEST_F(ImageFileTest, EmptyFilesGiveZero)
{
    EXPECT_EQ(0, Load(m_dir.Write("empty.bin", "")));
    EXPECT_EQ(0, Load(m_dir.Write("empty.hex", "")));
    EXPECT_EQ(Messages({MSG_IMAGE_SIZE_ZERO, MSG_IMAGE_SIZE_ZERO}), m_messages.messages);
    EXPECT_STREQ("error:file size is zero", MSG_IMAGE_SIZE_ZERO);
}

TEST_F(ImageFileTest, UnopenableFilesHaveTheirOwnMessages)
{
    EXPECT_EQ(-1, Load(m_dir.File("missing.bin")));
    EXPECT_EQ(-1, Load(m_dir.File("missing.hex")));
    // A folder opens on this system but is no image file.
    std::filesystem::create_directory(m_dir.File("folder.bin"));
    EXPECT_EQ(-1, Load(m_dir.File("folder.bin")));
    EXPECT_EQ(Messages({MSG_IMAGE_RAW_OPEN, MSG_IMAGE_HEX_OPEN, MSG_IMAGE_RAW_OPEN}), m_messages.messages);
    EXPECT_STREQ("open input file error", MSG_IMAGE_RAW_OPEN);
    EXPECT_STREQ("open input file error!", MSG_IMAGE_HEX_OPEN);
    EXPECT_TRUE(ErasedFrom(0));
}

TEST_F(ImageFileTest, HexFileInCapitalsLoads)
{
    const std::string text = HexRecord(0, 0x20, {1, 2, 3, 4}) + "\r\n" + HEX_END + "\r\n";
    EXPECT_EQ(0x24, Load(m_dir.Write("PROG.HEX", text)));
    EXPECT_EQ(Bytes(0x20, 0xFF), ImageBytes(0, 0x20));
    EXPECT_EQ((Bytes{1, 2, 3, 4}), ImageBytes(0x20, 4));
    EXPECT_TRUE(m_messages.messages.empty());
}

TEST_F(ImageFileTest, UnusableHexTextIsAFormatError)
{
    // Nothing to program, and a damaged record (LF line ends themselves are fine).
    EXPECT_EQ(0, Load(m_dir.Write("eof.hex", HEX_END + "\r\n")));
    EXPECT_EQ(1, Load(m_dir.Write("lf.hex", HexRecord(0, 0, {1}) + "\n" + HEX_END + "\n")));
    EXPECT_EQ(-1, Load(m_dir.Write("bad.hex", HexRecord(0, 0, {1}) + "0\n" + HEX_END + "\n")));
    EXPECT_EQ(Messages({MSG_IMAGE_HEX_FORMAT,
                        "HEX format error in line 1: the record's length does not match its byte count"}),
              m_messages.messages);
    EXPECT_STREQ("HEX format error", MSG_IMAGE_HEX_FORMAT);
}

TEST_F(ImageFileTest, HexWithoutFinalCrLfUsesTheZeroPadding)
{
    // The last line needs no line end: the zeros padding the file in memory are not read.
    const std::string text = HexRecord(0, 0, {7, 7}) + "\r\n" + HEX_END;
    EXPECT_EQ(2, Load(m_dir.Write("tail.hex", text)));
    EXPECT_EQ((Bytes{7, 7}), ImageBytes(0, 2));
}

TEST_F(ImageFileTest, ValidateChosenFileLoadsOnlyHex)
{
    const std::string good = m_dir.Write("good.hex", HexRecord(0, 0, {9}) + "\r\n" + HEX_END + "\r\n");
    EXPECT_TRUE(ValidateChosenFile(good.c_str(), m_settings));
    EXPECT_EQ(1, GetProgramImageLength());
    EXPECT_EQ(9, GetProgramImage()[0]);

    const std::string eofOnly = m_dir.Write("eof.hex", HEX_END + "\r\n");
    EXPECT_FALSE(ValidateChosenFile(eofOnly.c_str(), m_settings));
    EXPECT_FALSE(ValidateChosenFile(m_dir.File("missing.hex").c_str(), m_settings));
    EXPECT_EQ(Messages({MSG_IMAGE_HEX_FORMAT, MSG_IMAGE_HEX_OPEN}), m_messages.messages);

    // Other kinds are accepted unopened, whatever they are.
    m_messages.messages.clear();
    EXPECT_TRUE(ValidateChosenFile(m_dir.File("missing.bin").c_str(), m_settings));
    EXPECT_TRUE(ValidateChosenFile(m_dir.File("notes.txt").c_str(), m_settings));
    EXPECT_TRUE(m_messages.messages.empty());
}

TEST_F(ImageFileTest, WorksWithoutAMessageSink)
{
    m_settings.pMessages = nullptr;
    EXPECT_EQ(-1, Load(m_dir.File("missing.hex")));
    EXPECT_EQ(-1, Load(m_dir.File("x.txt")));
}

TEST_F(ImageFileTest, HexRecordsThatDisagreeAreRefusedWithTheAddress)
{
    const std::string text =
        HexRecord(0, 0x100, {1, 2, 3}) + "\r\n" + HexRecord(0, 0x102, {4}) + "\r\n" + HEX_END + "\r\n";
    EXPECT_EQ(-1, Load(m_dir.Write("twice.hex", text)));
    EXPECT_EQ(Messages({"HEX format error in line 2: two records give address 0x0102 different values"}),
              m_messages.messages);
}

TEST_F(ImageFileTest, FifoIsRefusedWithoutWaitingForAWriter)
{
    // Nobody ever writes to it: opening it for reading the usual way would wait for ever.
    const std::string fifo = m_dir.File("pipe.bin");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(-1, Load(fifo));
    const std::string hexFifo = m_dir.File("pipe.hex");
    ASSERT_EQ(mkfifo(hexFifo.c_str(), 0600), 0);
    EXPECT_EQ(-1, Load(hexFifo));
    EXPECT_EQ(Messages({MSG_IMAGE_RAW_OPEN, MSG_IMAGE_HEX_OPEN}), m_messages.messages);
}
