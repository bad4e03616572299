// The cipher library beside the programmer, and image files deciphered with it.
#include "flasher/cipher_library.h"

#include "comkit/module_path.h"
#include "image_test_support.h"

#include <dlfcn.h>
#include <limits.h>
#include <stdlib.h>

namespace {

// The tests run in out/; the programmer and its libraries live in out/bin.
std::string BinDirectory()
{
    return COMMON_EX::GetProgramDirectory() + "bin";
}

std::string RealPath(const std::string& path)
{
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : std::string();
}

Bytes Encipher(Bytes bytes, const BYTE* key)
{
    bytes.resize((bytes.size() + 7) / 8 * 8, 0);
    PFN_DES_GO desGo = CCipherLibrary::GetInstance().GetDesGo();
    EXPECT_EQ(1, desGo(bytes.data(), bytes.data(), int(bytes.size()), key, IMAGE_KEY_LENGTH, 0));
    return bytes;
}

Bytes ToBytes(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

class ImageDecipherTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        CCipherLibrary& library = CCipherLibrary::GetInstance();
        library.Release();
        library.SetDirectory(BinDirectory());
        ASSERT_TRUE(library.Load(nullptr));
    }
    static void TearDownTestSuite() { CCipherLibrary::GetInstance().Release(); }

    void SetUp() override
    {
        BuildImageKey(m_key);
        m_settings.pfnDesGo = CCipherLibrary::GetInstance().GetDesGo();
        m_settings.pMessages = &m_messages;
    }
    INT Load(const std::string& path) { return LoadProgramImage(path.c_str(), m_settings); }

    BYTE m_key[IMAGE_KEY_LENGTH];
    CScratchDir m_dir;
    CMessageCapture m_messages;
    IMAGE_LOAD_SETTINGS m_settings;
};

} // namespace

TEST(CipherLibrary, LoadsOnceFromTheProgramDirectoryOnly)
{
    CCipherLibrary& library = CCipherLibrary::GetInstance();
    library.Release();
    library.SetDirectory("");
    CMessageCapture messages;
    // Nothing named libvexorenc.so lies beside the test program itself.
    EXPECT_FALSE(library.Load(&messages));
    EXPECT_EQ(nullptr, library.GetDesGo());
    EXPECT_EQ(COMMON_EX::GetProgramDirectory() + "libvexorenc.so", library.GetPath());
    ASSERT_EQ(std::vector<std::string>{"cannot load vexorenc.dll!"}, messages.messages);
    // The outcome of the first attempt stands until released.
    library.SetDirectory(BinDirectory());
    EXPECT_FALSE(library.Load(&messages));
    EXPECT_EQ(1u, messages.messages.size());

    library.Release();
    EXPECT_TRUE(library.Load(&messages));
    EXPECT_EQ(1u, messages.messages.size());
    Dl_info info{};
    ASSERT_NE(0, dladdr(reinterpret_cast<void*>(library.GetDesGo()), &info));
    const std::string expected = RealPath(BinDirectory() + "/libvexorenc.so");
    EXPECT_FALSE(expected.empty());
    EXPECT_EQ(expected, RealPath(info.dli_fname));
    EXPECT_EQ(expected, RealPath(library.GetPath()));

    library.Release();
    EXPECT_EQ(nullptr, library.GetDesGo());
}

TEST_F(ImageDecipherTest, EncipheredRawFileLoadsPlain)
{
    const Bytes plain = SequenceBytes(4096, 4);
    EXPECT_EQ(4096, Load(m_dir.Write("prog.vxg", Encipher(plain, m_key))));
    EXPECT_EQ(plain, ImageBytes(0, 4096));
    EXPECT_TRUE(ErasedFrom(4096));
    EXPECT_TRUE(m_messages.messages.empty());
}

TEST_F(ImageDecipherTest, TailBlockIsDecipheredWithZeroPadding)
{
    const Bytes file = SequenceBytes(13, 5);
    Bytes expected = file;
    expected.resize(16, 0);
    PFN_DES_GO desGo = CCipherLibrary::GetInstance().GetDesGo();
    ASSERT_EQ(1, desGo(expected.data(), expected.data(), 16, m_key, IMAGE_KEY_LENGTH, 1));
    EXPECT_EQ(13, Load(m_dir.Write("odd.bin", file)));
    EXPECT_EQ(Bytes(expected.begin(), expected.begin() + 13), ImageBytes(0, 13));
    EXPECT_TRUE(ErasedFrom(13));
}

TEST_F(ImageDecipherTest, EncipheredHexFileLoads)
{
    const Bytes data = SequenceBytes(48, 6);
    std::string text;
    for (int i = 0; i < 48; i += 16) {
        text += HexRecord(0, 0x200 + i, Bytes(data.begin() + i, data.begin() + i + 16)) + "\r\n";
    }
    text += HEX_END + "\r\n";
    EXPECT_EQ(0x230, Load(m_dir.Write("prog.hex", Encipher(ToBytes(text), m_key))));
    EXPECT_EQ(data, ImageBytes(0x200, 48));
    // Read as plain, the enciphered text is no HEX.
    m_settings.bNotEnc = TRUE;
    EXPECT_LE(Load(m_dir.File("prog.hex")), 0);
    ASSERT_EQ(m_messages.messages.size(), 1u);
    EXPECT_EQ(m_messages.messages[0].rfind("HEX format error in line 1: ", 0), 0u) << m_messages.messages[0];
}

TEST_F(ImageDecipherTest, PlainHexDeciphersToNoise)
{
    const std::string text = HexRecord(0, 0, {1, 2}) + "\r\n" + HEX_END + "\r\n";
    EXPECT_LE(Load(m_dir.Write("plain.hex", text)), 0);
    ASSERT_EQ(m_messages.messages.size(), 1u);
    EXPECT_EQ(m_messages.messages[0].rfind("HEX format error in line 1: ", 0), 0u) << m_messages.messages[0];
}

TEST_F(ImageDecipherTest, WithoutTheCipherEncipheredFilesAreRefused)
{
    m_settings.pfnDesGo = nullptr;
    const Bytes plain = SequenceBytes(64, 7);
    EXPECT_EQ(-1, Load(m_dir.Write("prog.bin", Encipher(plain, m_key))));
    EXPECT_EQ(-1, Load(m_dir.Write("prog.hex", HEX_END + "\r\n")));
    EXPECT_EQ(std::vector<std::string>(2, MSG_IMAGE_NO_CIPHER), m_messages.messages);
    EXPECT_TRUE(ErasedFrom(0));
    // Plain files need no cipher.
    m_settings.bNotEnc = TRUE;
    EXPECT_EQ(64, Load(m_dir.Write("plain.bin", plain)));
    EXPECT_EQ(plain, ImageBytes(0, 64));
}

TEST_F(ImageDecipherTest, ConfiguredKeyReplacesTheBuiltInOne)
{
    const BYTE other[IMAGE_KEY_LENGTH] = {9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 1, 2, 3, 4, 5};
    const Bytes plain = SequenceBytes(256, 8);
    const std::string path = m_dir.Write("other.dat", Encipher(plain, other));
    EXPECT_EQ(256, Load(path));
    EXPECT_NE(plain, ImageBytes(0, 256));
    m_settings.pKey = other;
    EXPECT_EQ(256, Load(path));
    EXPECT_EQ(plain, ImageBytes(0, 256));
}

namespace {

// Bytes with the shape of a compiled download image of size bytes (the fields the check reads).
Bytes DownloadImageBytes(size_t size)
{
    Bytes image = SequenceBytes(size, 11);
    image[0] = BYTE(size >> 8);
    image[1] = BYTE(size);
    image[36] = 6;
    std::fill(image.begin() + 41, image.begin() + 50, BYTE(0));
    image[52] = 0x04, image[53] = 0x80; // character index at 0x480
    image[54] = 0x05, image[55] = 0x00; // glyphs at 0x500
    image[57] = 3, image[58] = 2;
    return image;
}

} // namespace

TEST(DownloadImage, RecognisedByItsHeaderOnly)
{
    const Bytes image = DownloadImageBytes(3000);
    EXPECT_TRUE(IsDownloadImage(image.data(), image.size()));
    EXPECT_FALSE(IsDownloadImage(image.data(), image.size() - 1)) << "length field disagrees";
    Bytes changed = image;
    changed[36] = 7;
    EXPECT_FALSE(IsDownloadImage(changed.data(), changed.size()));
    changed = image;
    changed[58] = 4;
    EXPECT_FALSE(IsDownloadImage(changed.data(), changed.size())) << "more parameter controls than controls";
    changed = image;
    changed[54] = 0x40;
    EXPECT_FALSE(IsDownloadImage(changed.data(), changed.size())) << "glyphs beyond the end";
    const Bytes noise = SequenceBytes(3000, 5);
    EXPECT_FALSE(IsDownloadImage(noise.data(), noise.size()));
}

TEST_F(ImageDecipherTest, PlainDownloadImageReadAsEncipheredIsRefused)
{
    const Bytes image = DownloadImageBytes(3000);
    const std::string plain = m_dir.Write("plain.vxg", image);
    EXPECT_EQ(-1, Load(plain));
    ASSERT_EQ(1u, m_messages.messages.size());
    EXPECT_EQ(MSG_IMAGE_PLAIN, m_messages.messages[0]);
    EXPECT_NE(m_messages.messages[0].find("not enciphered"), std::string::npos);
    EXPECT_TRUE(ErasedFrom(0));

    // Enciphered, the same image loads; plain with notenc too.
    m_messages.messages.clear();
    Bytes enciphered = Encipher(image, m_key);
    enciphered.resize(image.size());
    const std::string secret = m_dir.Write("secret.vxg", enciphered);
    EXPECT_EQ(3000, Load(secret));
    m_settings.bNotEnc = TRUE;
    EXPECT_EQ(3000, Load(plain));
    EXPECT_EQ(image, ImageBytes(0, 3000));
    EXPECT_TRUE(m_messages.messages.empty());
}
