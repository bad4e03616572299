#include "comkit/file_info.h"
#include "comkit/test_temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace {

TEST(FileInfo, ExistenceAndSize)
{
    CTestTempDir dir;
    std::string f = dir.File("five");
    CTestTempDir::WriteBytes(f, "12345");
    EXPECT_EQ(CFileInfo::CheckExist(f.c_str()), 1);
    EXPECT_EQ(CFileInfo::CheckExist(dir.Path().c_str()), 1);
    EXPECT_EQ(CFileInfo::CheckExist(dir.File("none").c_str()), 0);
    EXPECT_EQ(CFileInfo::GetFileSize(f.c_str()), 5u);
    EXPECT_EQ(CFileInfo::GetFileSize(dir.File("none").c_str()), 0u);
    EXPECT_EQ(CFileInfo::GetFileSize(dir.Path().c_str()), 0u);
}

TEST(FileInfo, ReadsWholeFileIntoANewBlockWithItsExtraZero)
{
    CTestTempDir dir;
    std::string f = dir.File("five");
    CTestTempDir::WriteBytes(f, "abcde");
    void* block = std::malloc(3); // replaced by the new block
    ASSERT_EQ(CFileInfo::SetFileContentToPointer(f.c_str(), block, 1, 1), 1);
    EXPECT_EQ(std::memcmp(block, "abcde", 6), 0); // six bytes: the last is the zero
    std::free(block);

    char own[6];
    std::memset(own, 'x', sizeof own);
    void* p = own;
    ASSERT_EQ(CFileInfo::SetFileContentToPointer(f.c_str(), p, 0, 0), 1);
    EXPECT_EQ(p, own);
    EXPECT_EQ(std::memcmp(own, "abcdex", 6), 0);
}

TEST(FileInfo, EmptyOrMissingFilesLeaveTheBufferAlone)
{
    CTestTempDir dir;
    std::string empty = dir.File("empty");
    CTestTempDir::WriteBytes(empty, "");
    char own[4] = "abc";
    void* p = own;
    EXPECT_EQ(CFileInfo::SetFileContentToPointer(empty.c_str(), p, 1, 1), 0);
    EXPECT_EQ(p, own);
    EXPECT_EQ(CFileInfo::SetFileContentToPointer(dir.File("none").c_str(), p, 1, 0), 0);
    EXPECT_EQ(p, own);
    void* null = nullptr;
    EXPECT_EQ(CFileInfo::SetFileContentToPointer(empty.c_str(), null, 0, 0), 0);
}

TEST(FileInfo, WritesOverTheStartAndKeepsTheRest)
{
    CTestTempDir dir;
    std::string f = dir.File("five");
    CTestTempDir::WriteBytes(f, "12345");
    EXPECT_EQ(CFileInfo::SetFilePointerToContent(f.c_str(), "abc", 3), 1);
    EXPECT_EQ(CTestTempDir::ReadBytes(f), "abc45");
    EXPECT_EQ(CFileInfo::SetFilePointerToContent(f.c_str(), "ABCDEFG", 7), 1);
    EXPECT_EQ(CTestTempDir::ReadBytes(f), "ABCDEFG");

    std::string created = dir.File("new");
    EXPECT_EQ(CFileInfo::SetFilePointerToContent(created.c_str(), "xy", 2), 1);
    EXPECT_EQ(CTestTempDir::ReadBytes(created), "xy");
    std::string empty = dir.File("empty");
    EXPECT_EQ(CFileInfo::SetFilePointerToContent(empty.c_str(), "", 0), 0);
    EXPECT_EQ(CFileInfo::SetFilePointerToContent(f.c_str(), nullptr, 0), 1);
    EXPECT_EQ(CFileInfo::SetFilePointerToContent(dir.File("no/dir").c_str(), "a", 1), 0);
    EXPECT_EQ(CFileInfo::SetFilePointerToContent(dir.Path().c_str(), "a", 1), 0);
}

} // namespace
