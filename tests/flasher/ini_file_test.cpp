// The programmer's settings file scanner: lookup rules (with the quirks the hand-off relies on)
// and the exact bytes it writes.
#include "flasher/ini_file.h"

#include "comkit/file_size_limit.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

namespace {

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/zq_ini_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_dir = pattern;
        m_ini.SetPath(m_dir, "isp");
    }
    void TearDown() override
    {
        m_ini.Close();
        std::remove(m_ini.GetPath().c_str());
        rmdir(m_dir.c_str());
    }
    void Write(const std::string& text)
    {
        std::ofstream(m_ini.GetPath(), std::ios::binary) << text;
        ASSERT_TRUE(m_ini.OpenForRead());
    }
    std::string Read()
    {
        std::ifstream in(m_ini.GetPath(), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::string String(const char* key, const char* section = "sysset")
    {
        std::string value = "<unchanged>";
        m_ini.GetString(section, key, value);
        return value;
    }

    std::string m_dir;
    CIniFile m_ini;
};

TEST_F(IniFileTest, PathAppendsIniToDirectoryAndName)
{
    CIniFile ini;
    ini.SetPath("/opt/zq/bin/", "isp");
    EXPECT_EQ(ini.GetPath(), "/opt/zq/bin/isp.ini");
    ini.SetPath("/opt/zq/bin", "remote");
    EXPECT_EQ(ini.GetPath(), "/opt/zq/bin/remote.ini");
}

TEST_F(IniFileTest, EditorHandOffMakesAddrFindPaddr)
{
    // What the editor leaves when no isp.ini existed: four keys, paddr before any addr.
    Write("[sysset]\r\nfile=/opt/zq/Data/20240101120000_1234.vxg\r\nauto=1\r\nnotenc=1\r\npaddr=48\r\n");
    EXPECT_EQ(String("addr"), "48");
    int value = -7;
    EXPECT_EQ(m_ini.GetInt("sysset", "paddr", value), 1);
    EXPECT_EQ(value, 48);
    EXPECT_EQ(String("file"), "/opt/zq/Data/20240101120000_1234.vxg");
    value = -7;
    EXPECT_EQ(m_ini.GetInt("sysset", "ledport", value), 0);
    EXPECT_EQ(value, -7) << "a missing key leaves the value alone";
}

TEST_F(IniFileTest, FirstMatchingNameWinsAndSpacesAroundValueAreStripped)
{
    Write("[sysset]\r\naddr=3\r\nledport = 2 \r\npaddr=48\r\nfile =  /a b/c.hex  \r\nx=a=b\r\n");
    EXPECT_EQ(String("addr"), "3");
    int value = 0;
    EXPECT_EQ(m_ini.GetInt("sysset", "ledport", value), 1);
    EXPECT_EQ(value, 2);
    EXPECT_EQ(String("file"), "/a b/c.hex");
    EXPECT_EQ(String("x"), "a=b") << "only the first '=' splits";
}

TEST_F(IniFileTest, SectionIsAnyLineContainingItsNameAndScanRunsToTheEnd)
{
    Write("auto=5\nsysset\nnoequals\n=9\n[other]\nauto=1\n");
    int value = 0;
    EXPECT_EQ(m_ini.GetInt("sysset", "auto", value), 1);
    EXPECT_EQ(value, 1) << "lines before the section are ignored, later sections are not";
    EXPECT_EQ(String("auto", "missing"), "<unchanged>");
    EXPECT_EQ(String("equals"), "<unchanged>") << "a line without '=' has no name";
}

TEST_F(IniFileTest, LinesWithBracketsAreSkipped)
{
    Write("[sysset]\r\nfile=[draft].hex\r\nfile=/x.hex\r\n");
    EXPECT_EQ(String("file"), "/x.hex");
}

TEST_F(IniFileTest, LookupsRepeatFromTheStart)
{
    Write("[sysset]\r\nauto=1\r\nnotenc=0\r\n");
    int a = 0, b = 1, c = 0;
    EXPECT_EQ(m_ini.GetInt("sysset", "notenc", b), 1);
    EXPECT_EQ(m_ini.GetInt("sysset", "auto", a), 1);
    EXPECT_EQ(m_ini.GetInt("sysset", "auto", c), 1);
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 0);
    EXPECT_EQ(c, 1);
}

TEST_F(IniFileTest, NumbersConvertLikeAtoiWithoutOverflow)
{
    EXPECT_EQ(CIniFile::TextToInt("  -12abc"), -12);
    EXPECT_EQ(CIniFile::TextToInt("+7"), 7);
    EXPECT_EQ(CIniFile::TextToInt("abc"), 0);
    EXPECT_EQ(CIniFile::TextToInt(""), 0);
    EXPECT_EQ(CIniFile::TextToInt("0x30"), 0);
    EXPECT_EQ(CIniFile::TextToInt("2147483647"), INT_MAX);
    EXPECT_EQ(CIniFile::TextToInt("99999999999999999999"), INT_MAX);
    EXPECT_EQ(CIniFile::TextToInt("-2147483648"), INT_MIN);
    EXPECT_EQ(CIniFile::TextToInt("-99999999999999999999"), INT_MIN);
}

TEST_F(IniFileTest, WritesExactLinesWithCrLf)
{
    ASSERT_TRUE(m_ini.OpenForWrite());
    EXPECT_EQ(m_ini.WriteSection("sysset"), 1);
    EXPECT_EQ(m_ini.WriteInt("auto", 0), 1);
    EXPECT_EQ(m_ini.WriteInt("paddr", -1), 1);
    EXPECT_EQ(m_ini.WriteString("file", "/a/b.hex"), 1);
    EXPECT_EQ(m_ini.WriteString("addr", ""), 1);
    m_ini.Close();
    EXPECT_EQ(Read(), "[sysset]\r\nauto=0\r\npaddr=-1\r\nfile=/a/b.hex\r\naddr=\r\n");
}

TEST_F(IniFileTest, WritesAreRefusedWhenNotOpenForWriting)
{
    EXPECT_EQ(m_ini.WriteSection("sysset"), 0);
    Write("[sysset]\r\nauto=1\r\n");
    EXPECT_EQ(m_ini.WriteInt("auto", 0), 0);
    m_ini.Close();
    EXPECT_EQ(Read(), "[sysset]\r\nauto=1\r\n");
    int value = 3;
    EXPECT_EQ(m_ini.GetInt("sysset", "auto", value), 0) << "closed";
    EXPECT_EQ(value, 3);
}

TEST_F(IniFileTest, OpenForWriteTruncates)
{
    Write("[sysset]\r\nauto=1\r\nfile=/long/old/path.hex\r\n");
    ASSERT_TRUE(m_ini.OpenForWrite());
    m_ini.WriteSection("sysset");
    m_ini.Close();
    EXPECT_EQ(Read(), "[sysset]\r\n");
}

TEST_F(IniFileTest, FailedWriteBackLeavesTheOldFile)
{
    const std::string old = "[sysset]\r\nauto=0\r\naddr=7\r\n";
    Write(old);
    ASSERT_TRUE(m_ini.OpenForWrite());
    m_ini.WriteSection("sysset");
    m_ini.WriteString("file", std::string(200, 'f').c_str());
    {
        CFileSizeLimit full(16);
        EXPECT_FALSE(m_ini.Close());
    }
    EXPECT_EQ(Read(), old);
}

TEST_F(IniFileTest, MissingFileDoesNotOpen)
{
    EXPECT_FALSE(m_ini.OpenForRead());
    EXPECT_FALSE(m_ini.IsOpen());
    CIniFile ini;
    ini.SetPath(m_dir + "/no/such/dir", "isp");
    EXPECT_FALSE(ini.OpenForWrite());
}

} // namespace
