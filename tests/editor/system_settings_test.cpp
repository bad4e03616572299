// The editor's settings file: the background colour index read at creation into the drawing
// settings and written back at destruction, beside the program or at a given path.
#include "editor/system_settings.h"

#include "comkit/module_path.h"
#include "comkit/test_temp_dir.h"
#include "controls/global_draw.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class SystemSettings : public ::testing::Test {
protected:
    void TearDown() override { CGlobalDraw::GetInstance()->SetBackColorIndex(CGlobalDraw::BACK_WHITE); }
    int Index() const { return CGlobalDraw::GetInstance()->GetBackColorIndex(); }
    // The index a settings object reads from the file (and writes back when it goes).
    int ReadIndex()
    {
        CSystemSettings settings(file.c_str());
        return Index();
    }

    CTestTempDir dir;
    std::string file = dir.File("SystemInit.ini");
};

TEST_F(SystemSettings, ReadsTheIndexAtCreationAndWritesTheCurrentOneBackKeepingOtherEntries)
{
    CTestTempDir::WriteBytes(file, "[view]\nzoom=3\n[system]\nBgColor=2\nOTHER=x\n");
    {
        CSystemSettings settings(file.c_str());
        EXPECT_EQ(Index(), 2);
        CGlobalDraw::GetInstance()->SetBackColorIndex(1);
    }
    EXPECT_EQ(CTestTempDir::ReadBytes(file), "[view]\nzoom=3\n[system]\nBgColor=1\nOTHER=x\n");
}

TEST_F(SystemSettings, AMissingFileOrNumberReadsAsWhiteAndTheWriteCreatesTheFile)
{
    CGlobalDraw::GetInstance()->SetBackColorIndex(2);
    EXPECT_EQ(ReadIndex(), 0);
    EXPECT_EQ(CTestTempDir::ReadBytes(file), "[SYSTEM]\nBGCOLOR=0\n");

    CTestTempDir::WriteBytes(file, "[SYSTEM]\nBGCOLOR=blue\n");
    EXPECT_EQ(ReadIndex(), 0);
    CTestTempDir::WriteBytes(file, "[SYSTEM]\nBGCOLOR=2 (blue)\n");
    EXPECT_EQ(ReadIndex(), 2) << "read as atoi reads";
}

TEST_F(SystemSettings, TheDefaultFileLiesBesideTheProgram)
{
    const std::string beside = COMMON_EX::GetProgramFilePath("SystemInit.ini");
    const bool existed = std::filesystem::exists(beside);
    {
        CSystemSettings settings;
        EXPECT_EQ(settings.GetFilePath(), beside);
    }
    if (!existed) // leave the output folder as it was
        std::filesystem::remove(beside);
    CSystemSettings none(nullptr);
    EXPECT_EQ(none.GetFilePath(), "");
}

} // namespace
