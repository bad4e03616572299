// Whole-file replacement: a failed write leaves the old file, links and permissions survive, and
// temporaries of killed writers are cleaned up by the next write.
#include "comkit/replace_file.h"

#include "comkit/file_size_limit.h"
#include "comkit/test_temp_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

namespace {

// The id of a process that has ended.
pid_t EndedProcessId()
{
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

mode_t ModeOf(const std::string& path)
{
    struct stat st {};
    stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

} // namespace

TEST(ReplaceFileContent, FailedWriteLeavesTheOldFileAndNoTemporary)
{
    CTestTempDir dir;
    const std::string path = dir.File("isp.ini");
    CTestTempDir::WriteBytes(path, "[sysset]\r\nauto=0\r\n");
    std::string error;
    {
        CFileSizeLimit full(8);
        EXPECT_FALSE(COMMON_EX::ReplaceFileContent(path, std::string(100, 'x'), &error));
    }
    EXPECT_EQ(CTestTempDir::ReadBytes(path), "[sysset]\r\nauto=0\r\n");
    EXPECT_NE(error.find(path), std::string::npos) << error;
    EXPECT_NE(error.find("too large"), std::string::npos) << error;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(ReplaceFileContent, KeepsPermissionsAndLinks)
{
    CTestTempDir dir;
    const std::string path = dir.File("MD_DLL.DFT");
    CTestTempDir::WriteBytes(path, "old");
    chmod(path.c_str(), 0640);
    const std::string link = dir.File("link");
    ASSERT_EQ(symlink(path.c_str(), link.c_str()), 0);
    ASSERT_TRUE(COMMON_EX::ReplaceFileContent(link, std::string("\x02new", 4)));
    EXPECT_EQ(CTestTempDir::ReadBytes(path), std::string("\x02new", 4));
    EXPECT_EQ(ModeOf(path), 0640u);
    struct stat st {};
    ASSERT_EQ(lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    // A file the user may not write is not replaced behind its back (root may write anything).
    if (geteuid() != 0) {
        chmod(path.c_str(), 0440);
        EXPECT_FALSE(COMMON_EX::ReplaceFileContent(path, "x"));
        EXPECT_EQ(CTestTempDir::ReadBytes(path), std::string("\x02new", 4));
    }
}

TEST(ReplaceFileContent, RemovesTemporariesOfEndedWritersOnly)
{
    CTestTempDir dir;
    const std::string path = dir.File("isp.ini");
    const std::string stale = path + "." + std::to_string(EndedProcessId()) + ".1.tmp";
    const std::string live = path + "." + std::to_string(getpid()) + ".999.tmp";
    const std::string other = dir.File("other.ini.1.1.tmp");
    for (const std::string& file : {stale, live, other})
        CTestTempDir::WriteBytes(file, "left over");
    ASSERT_TRUE(COMMON_EX::ReplaceFileContent(path, "[sysset]\r\n"));
    EXPECT_FALSE(std::filesystem::exists(stale));
    EXPECT_TRUE(std::filesystem::exists(live));
    EXPECT_TRUE(std::filesystem::exists(other));
    EXPECT_EQ(CTestTempDir::ReadBytes(path), "[sysset]\r\n");
}
