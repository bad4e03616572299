#include "comkit/init_setting.h"
#include "comkit/module_path.h"
#include "comkit/test_temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class InitSettingTest : public ::testing::Test {
protected:
    std::string Read(const char* section, const char* key, const char* def = nullptr)
    {
        char buf[300];
        store.GetValue(section, key, buf, sizeof buf, def);
        return buf;
    }
    void Write(const std::string& bytes) { CTestTempDir::WriteBytes(path, bytes); }
    std::string Bytes() { return CTestTempDir::ReadBytes(path); }

    CTestTempDir dir;
    std::string path = dir.File("t.ini");
    CInitSetting store{path.c_str()};
};

TEST_F(InitSettingTest, GetValueDefaultsPrefixSuffixAndCut)
{
    char buf[16] = "junk";
    EXPECT_EQ(store.GetValue("S", "missing", buf, sizeof buf, "0"), 1u);
    EXPECT_STREQ(buf, "0");
    // No default: empty, and neither prefix nor suffix is added.
    EXPECT_EQ(store.GetValue("S", "missing", buf, sizeof buf, nullptr, "[", "]"), 0u);
    EXPECT_STREQ(buf, "");

    Write("[S]\nk=abc\n");
    char small[4];
    EXPECT_EQ(store.GetValue("S", "k", small, sizeof small, nullptr, "[", "]"), 3u);
    EXPECT_STREQ(small, "[ab");
    EXPECT_EQ(store.GetValue("S", "k", buf, sizeof buf, nullptr, "[", "]"), 3u);
    EXPECT_STREQ(buf, "[abc]");
    char one[1] = {'x'};
    EXPECT_EQ(store.GetValue("S", "k", one, sizeof one), 3u);
    EXPECT_EQ(one[0], 0);
}

TEST_F(InitSettingTest, ReadRulesCaseTrimQuotesTabs)
{
    Write("ignored=1\n[Main]\n  Key One =  \t  value with\ttab \t \nQ=\"quoted \"\nQQ=\"\"x\"\"\n"
          "Half=\"open\nEmpty=\nnoequals\n[main]\nDup=second section\n[Other]\nk=other\n");
    EXPECT_EQ(Read("MAIN", "key one"), "value with\ttab");
    EXPECT_EQ(Read("main", "q"), "quoted ");
    EXPECT_EQ(Read("Main", "QQ"), "\"x\"");
    EXPECT_EQ(Read("Main", "Half"), "\"open");
    EXPECT_EQ(Read("Main", "Empty", "d"), "");
    EXPECT_EQ(Read("Main", "noequals", "d"), "d");
    // Keys outside any section and keys of a later section with the same name are not seen.
    EXPECT_EQ(Read("Main", "ignored", "d"), "d");
    EXPECT_EQ(Read("Main", "Dup", "d"), "d");
    EXPECT_EQ(Read("other", "K"), "other");
}

TEST_F(InitSettingTest, NamesAskedWithBlanksAroundThemMatchTheStoredOnes)
{
    Write("[Main]\nKey=1\n");
    EXPECT_EQ(Read(" Main\t", "  key "), "1");
    // A write finds the same section and key: replaced in place, nothing added.
    EXPECT_NE(store.SetValue(" main ", " KEY ", "2"), 0);
    EXPECT_NE(store.SetValue(" main ", "new ", "3"), 0);
    EXPECT_NE(store.SetValue(" main ", "new", "4"), 0);
    EXPECT_EQ(Bytes(), "[Main]\nKey=2\nnew=4\n");
    EXPECT_NE(store.DeleteKey("Main ", " new"), 0);
    EXPECT_NE(store.SetValue(" MAIN", nullptr, nullptr), 0);
    EXPECT_EQ(Bytes(), "");
}

TEST_F(InitSettingTest, DoubleByteNamesCompareExactly)
{
    // 0x81 0x41 is one GBK character whose trail byte is 'A'; it must not match 0x81 0x61.
    Write("[\x81\x41x]\nK\x81\x42=1\n[Ab]\nk=2\n");
    EXPECT_EQ(Read("\x81\x41X", "k\x81\x42"), "1");
    EXPECT_EQ(Read("\x81\x61x", "K\x81\x42", "no"), "no");
    EXPECT_EQ(Read("\x81\x41x", "K\x81\x62", "no"), "no");
    EXPECT_EQ(Read("aB", "K"), "2");
}

TEST_F(InitSettingTest, ValuesAreSeenCutTo254Bytes)
{
    Write("[S]\nlong=" + std::string(300, 'v') + "\n");
    char buf[400];
    EXPECT_EQ(store.GetValue("S", "long", buf, sizeof buf), 254u);
    EXPECT_EQ(std::string(buf), std::string(254, 'v'));
}

TEST_F(InitSettingTest, WritesEditInPlaceAppendKeysAndSections)
{
    Write("; head\n[A]\nx=1\ny = 2\n\n[B]\nz=3\n");
    EXPECT_NE(store.SetValue("a", "Y", "20"), 0);  // in place, keeps the stored key spelling
    EXPECT_NE(store.SetValue("A", "new", "n"), 0); // end of its section, before the blank line
    EXPECT_NE(store.SetValue("C", "c", "9"), 0);   // new section at the end
    EXPECT_EQ(Bytes(), "; head\n[A]\nx=1\ny=20\nnew=n\n\n[B]\nz=3\n[C]\nc=9\n");

    EXPECT_NE(store.DeleteKey("A", "x"), 0);
    EXPECT_NE(store.SetValue("B", nullptr, nullptr), 0);
    EXPECT_EQ(Bytes(), "; head\n[A]\ny=20\nnew=n\n\n[C]\nc=9\n");
    EXPECT_EQ(Read("A", "x", "gone"), "gone");
    EXPECT_EQ(Read("B", "z", "gone"), "gone");
}

TEST_F(InitSettingTest, KeepsLineEndingsAndAMissingFinalNewline)
{
    Write("[A]\r\nx=1\r\n[B]\r\ny=2");
    EXPECT_NE(store.SetValue("B", "z", "3"), 0);
    EXPECT_NE(store.SetValue("A", "x", "one"), 0);
    EXPECT_EQ(Bytes(), "[A]\r\nx=one\r\n[B]\r\ny=2\r\nz=3\r\n");
    EXPECT_EQ(Read("A", "x"), "one");
}

TEST_F(InitSettingTest, FileCreatedOnFirstWriteAndDeletesOfNothingCreateNothing)
{
    EXPECT_NE(store.DeleteKey("S", "k"), 0);
    EXPECT_NE(store.SetValue("S", nullptr, nullptr), 0);
    EXPECT_FALSE(CTestTempDir::ReadBytes(path).size());
    EXPECT_EQ(dir.CountEntries(), 0);

    EXPECT_NE(store.SetValue("S", "k", "v"), 0);
    EXPECT_EQ(Bytes(), "[S]\nk=v\n");
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask);
    EXPECT_EQ(dir.CountEntries(), 1); // no temporary file left behind
}

TEST_F(InitSettingTest, RewriteKeepsModeAndLeavesNoTemporaryFile)
{
    Write("[S]\nk=1\n");
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    EXPECT_NE(store.SetValue("S", "k", "2"), 0);
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(dir.CountEntries(), 1);
}

TEST_F(InitSettingTest, FailedWriteLeavesTheOldFileWhole)
{
    Write("[S]\nk=old\n");
    // A file size limit makes the write of the new contents fail half-way, even for root.
    struct rlimit saved;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    struct rlimit small = saved;
    small.rlim_cur = 16;
    void (*oldHandler)(int) = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    int result = store.SetValue("S", "k", std::string(100, 'n').c_str());
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(Bytes(), "[S]\nk=old\n");
    EXPECT_EQ(dir.CountEntries(), 1);
}

TEST_F(InitSettingTest, AFileTheUserMayNotWriteIsNotReplaced)
{
    Write("[S]\nk=old\n");
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    if (geteuid() != 0) {
        EXPECT_EQ(store.SetValue("S", "k", "new"), 0);
    } else {
        // Root may write any file: try as an ordinary user, in a folder that user may write.
        ASSERT_EQ(chmod(dir.Path().c_str(), 0777), 0);
        pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            if (setgid(65534) != 0 || setuid(65534) != 0 || access(path.c_str(), R_OK) != 0)
                _exit(2);
            _exit(store.SetValue("S", "k", "new") == 0 ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFEXITED(status));
        if (WEXITSTATUS(status) == 2)
            GTEST_SKIP() << "cannot act as an ordinary user here";
        EXPECT_EQ(WEXITSTATUS(status), 0) << "the write was not refused";
    }
    EXPECT_EQ(Bytes(), "[S]\nk=old\n");
    EXPECT_EQ(dir.CountEntries(), 1);
}

TEST_F(InitSettingTest, WriteFailures)
{
    // The rename over a directory fails: refused, and no temporary file is left behind.
    std::string sub = dir.File("sub.ini");
    ASSERT_EQ(mkdir(sub.c_str(), 0700), 0);
    CInitSetting onDir(sub.c_str());
    EXPECT_EQ(onDir.SetValue("S", "k", "v"), 0);
    EXPECT_EQ(dir.CountEntries(), 1);
    ASSERT_EQ(rmdir(sub.c_str()), 0);

    CInitSetting nowhere(dir.File("no/such/dir/x.ini").c_str());
    EXPECT_EQ(nowhere.SetValue("S", "k", "v"), 0);
    // Lines that would not read back as written are refused.
    EXPECT_EQ(store.SetValue("S", "k", "two\nlines"), 0);
    EXPECT_EQ(store.SetValue("S", "a=b", "v"), 0);
    EXPECT_EQ(store.SetValue("S]", "k", "v"), 0);
    EXPECT_EQ(store.SetValue(nullptr, "k", "v"), 0);
    EXPECT_EQ(dir.CountEntries(), 0);
}

TEST_F(InitSettingTest, StoreWithoutPathReadsDefaultsAndRefusesWrites)
{
    CInitSetting none(nullptr);
    char buf[8];
    EXPECT_EQ(none.GetValue("S", "k", buf, sizeof buf, "dflt"), 4u);
    EXPECT_STREQ(buf, "dflt");
    EXPECT_EQ(none.SetValue("S", "k", "v"), 0);
    EXPECT_EQ(none.DeleteKey("S", "k"), 0);
    EXPECT_EQ(none.GetValueK2K("S", "k", "T", "k", 1), 0);
    EXPECT_EQ(none.SetInitFilePath(nullptr), 0);
    EXPECT_EQ(none.SetInitFilePath(path.c_str()), 1);
    EXPECT_NE(none.SetValue("S", "k", "v"), 0);
    EXPECT_EQ(Read("S", "k"), "v");
}

TEST_F(InitSettingTest, ValueK2KCopiesOrMoves)
{
    Write("[A]\nfrom=42\n");
    EXPECT_EQ(store.GetValueK2K("A", "from", "B", "to", 0), 1);
    EXPECT_EQ(Read("B", "to"), "42");
    EXPECT_EQ(Read("A", "from"), "42");
    EXPECT_EQ(store.GetValueK2K("A", "from", "B", "moved", 1), 1);
    EXPECT_EQ(Read("B", "moved"), "42");
    EXPECT_EQ(Read("A", "from", "none"), "none");
    EXPECT_EQ(store.GetValueK2K("A", "from", "B", "again", 1), 0);
    EXPECT_EQ(Read("B", "again", "none"), "none");
}

TEST_F(InitSettingTest, WrittenFileReadsBackIdentically)
{
    const char* values[] = {"plain", "with\ttabs\tinside", "\xBE\xB2\xCC\xAC", "", "a=b=c", "[not a section]"};
    for (int i = 0; i < 6; ++i)
        ASSERT_NE(store.SetValue(i % 2 ? "Odd" : "Even", ("k" + std::to_string(i)).c_str(), values[i]), 0);
    CInitSetting other(path.c_str());
    for (int i = 0; i < 6; ++i) {
        char buf[64];
        other.GetValue(i % 2 ? "ODD" : "even", ("K" + std::to_string(i)).c_str(), buf, sizeof buf, "missing");
        EXPECT_STREQ(buf, values[i]) << i;
    }
    // Writing back what was read leaves the file byte for byte as it was.
    std::string before = Bytes();
    for (int i = 0; i < 6; ++i)
        ASSERT_NE(store.SetValue(i % 2 ? "Odd" : "Even", ("k" + std::to_string(i)).c_str(), values[i]), 0);
    EXPECT_EQ(Bytes(), before);
}

TEST(InitSettingModule, BindsBesideTheModule)
{
    EXPECT_EQ(COMMON_EX::CombineBesideFile("/dir/prog", "a.ini"), "/dir/a.ini");
    EXPECT_EQ(COMMON_EX::CombineBesideFile("prog", "a.ini"), "proga.ini");
    EXPECT_EQ(COMMON_EX::CombineBesideFile("/prog", "a.ini"), "/a.ini");

    std::string dir = COMMON_EX::GetProgramDirectory();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.back(), '/');
    CInitSetting beside("a.ini", nullptr);
    EXPECT_EQ(std::string(beside.GetInitFilePath()), dir + "a.ini");

    // A shared object's address binds beside that shared object.
    CInitSetting besideLib("b.ini", reinterpret_cast<const void*>(&COMMON_EX::GetProgramDirectory));
    std::string lib = COMMON_EX::GetModuleFilePath(reinterpret_cast<const void*>(&COMMON_EX::GetProgramDirectory));
    EXPECT_NE(lib.find("libCOMKIT.so"), std::string::npos) << lib;
    EXPECT_EQ(std::string(besideLib.GetInitFilePath()), COMMON_EX::CombineBesideFile(lib, "b.ini"));
}

} // namespace
