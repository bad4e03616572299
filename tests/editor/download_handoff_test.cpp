// Handing a project to the programmer: the refusal, the image file and its name, the programmer's
// settings, nothing left behind on failure, and the port byte of the communication settings.
#include "project_test_support.h"

#include "comkit/init_setting.h"
#include "editor/download_handoff.h"
#include "editor/editor_strings.h"

#include <QTemporaryDir>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

using namespace PROJECT_TEST;

namespace {

Bytes ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Value(const std::string& ini, const char* key)
{
    CInitSetting settings(ini.c_str());
    char value[300] = {};
    settings.GetValue("sysset", key, value, sizeof value, "<missing>");
    return value;
}

size_t FilesIn(const std::string& folder)
{
    std::error_code error;
    size_t count = 0;
    for (auto it = std::filesystem::directory_iterator(folder, error);
         !error && it != std::filesystem::directory_iterator(); ++it)
        ++count;
    return count;
}

class DownloadHandoff : public testing::Test {
protected:
    void SetUp() override
    {
        suite = dir.path().toStdString() + "/";
        ::mkdir((suite + "bin").c_str(), 0755);
        std::ofstream(suite + "bin/isp.ini") << "[sysset]\r\nledport=2\r\nauto=0\r\n";
    }
    CDownloadHandoff Handoff() const { return CDownloadHandoff(COMMON_EX::CUserFiles(suite)); }

    QTemporaryDir dir;
    std::string suite;
    // 2026-12-08 07:15:00 in the local time zone.
    std::time_t now = [] {
        struct tm t {};
        t.tm_year = 126, t.tm_mon = 11, t.tm_mday = 8, t.tm_hour = 7, t.tm_min = 15, t.tm_isdst = -1;
        return std::mktime(&t);
    }();
};

TEST_F(DownloadHandoff, WritesTheCompiledImageAndTheFourSettingsKeepingTheOthers)
{
    auto project = NewProject();
    Add(project->GetFirstScreen(), CControlBase::CONTROL_REGISTER);
    std::string image, message;
    ASSERT_EQ(Handoff().Prepare(*project, now, 12345, image, message), CDownloadHandoff::HANDOFF_READY) << message;
    EXPECT_EQ(image, suite + "Data/20261208071500_12345.vxg") << "Data is created when missing";
    EXPECT_EQ(ReadBytes(image), CompileBytes(*project));
    const std::string ini = suite + "bin/isp.ini";
    EXPECT_EQ(Value(ini, "file"), image);
    EXPECT_EQ(Value(ini, "auto"), "1");
    EXPECT_EQ(Value(ini, "notenc"), "1");
    EXPECT_EQ(Value(ini, "paddr"), "48");
    EXPECT_EQ(Value(ini, "ledport"), "2");
    EXPECT_TRUE(CDownloadHandoff::NeedsPowerCycle(*project)) << "device 100 asks for a power cycle";

    std::string second;
    ASSERT_EQ(Handoff().Prepare(*project, now, 12345, second, message), CDownloadHandoff::HANDOFF_READY);
    EXPECT_EQ(second, suite + "Data/20261208071500_12346.vxg") << "a taken name is never replaced";
    EXPECT_EQ(CDownloadHandoff::MakeImageFileName("D/", now, 0xFFFFFFFF), "D/20261208071500_-1.vxg");
}

TEST_F(DownloadHandoff, RefusedProjectsWriteNothing)
{
    auto project = NewProject();
    AddText(project->GetFirstScreen(), "TEXT");
    std::string image, message;
    EXPECT_EQ(Handoff().Prepare(*project, now, 1, image, message), CDownloadHandoff::HANDOFF_REFUSED);
    EXPECT_EQ(message, CEditorStrings::Get(CEditorStrings::IDS_DOWNLOAD_REFUSED));
    EXPECT_TRUE(image.empty());
    EXPECT_EQ(Value(suite + "bin/isp.ini", "file"), "<missing>");
    EXPECT_EQ(FilesIn(suite + "Data"), 0u);
}

TEST_F(DownloadHandoff, FailuresLeaveNoImageAndNoSettingsNamingOne)
{
    auto project = NewProject();
    Add(project->GetFirstScreen(), CControlBase::CONTROL_LIGHT);
    std::string image, message;
    std::ofstream(suite + "Data") << "a file where the folder should be";
    EXPECT_EQ(Handoff().Prepare(*project, now, 1, image, message), CDownloadHandoff::HANDOFF_NO_DATA_FOLDER);
    EXPECT_FALSE(message.empty());
    std::filesystem::remove(suite + "Data");

    std::filesystem::remove(suite + "bin/isp.ini");
    std::filesystem::create_directory(suite + "bin/isp.ini"); // cannot be written as a file
    EXPECT_EQ(Handoff().Prepare(*project, now, 1, image, message), CDownloadHandoff::HANDOFF_SETTINGS_NOT_WRITTEN);
    EXPECT_TRUE(image.empty());
    EXPECT_EQ(FilesIn(suite + "Data"), 0u) << "the image is taken back when the settings fail";
}

TEST_F(DownloadHandoff, PortByteChangesAloneAndMissingFileShowsNothing)
{
    int com = 0;
    EXPECT_FALSE(Handoff().ReadCommPort(com)) << "no MD_DLL.DFT: no port dialog";
    const std::string dft = suite + "bin/MD_DLL.DFT";
    const Bytes original = {0, 'b', 'a', 'u', 'd', '=', '9', 0, 0xFF, '\n'};
    std::ofstream(dft, std::ios::binary).write(reinterpret_cast<const char*>(original.data()), original.size());
    ASSERT_TRUE(Handoff().ReadCommPort(com));
    EXPECT_EQ(com, 1);
    std::string message;
    ASSERT_TRUE(Handoff().WriteCommPort(3, message)) << message;
    Bytes expected = original;
    expected[0] = 2;
    EXPECT_EQ(ReadBytes(dft), expected);
    EXPECT_FALSE(Handoff().WriteCommPort(0, message));
    EXPECT_FALSE(Handoff().WriteCommPort(257, message));
    EXPECT_EQ(ReadBytes(dft), expected);
}

TEST_F(DownloadHandoff, SystemInstallWritesIntoTheUsersFoldersOnly)
{
    std::ofstream(suite + COMMON_EX::SYSTEM_INSTALL_MARKER) << "";
    const std::string home = dir.path().toStdString() + "/home/";
    ::setenv("XDG_CONFIG_HOME", (home + "config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (home + "data").c_str(), 1);
    auto project = NewProject();
    Add(project->GetFirstScreen(), CControlBase::CONTROL_REGISTER);
    std::string image, message;
    EXPECT_EQ(Handoff().Prepare(*project, now, 7, image, message), CDownloadHandoff::HANDOFF_READY) << message;
    EXPECT_EQ(image, home + "data/zqpanel/Data/20261208071500_7.vxg");
    EXPECT_EQ(Value(home + "config/zqpanel/isp.ini", "file"), image);
    EXPECT_EQ(Value(home + "config/zqpanel/isp.ini", "ledport"), "2") << "seeded from the installed copy";
    EXPECT_EQ(Value(suite + "bin/isp.ini", "file"), "<missing>");
    EXPECT_EQ(Handoff().GetProgrammerPath(), suite + "bin/Flasher");
    ::unsetenv("XDG_CONFIG_HOME");
    ::unsetenv("XDG_DATA_HOME");
}

} // namespace
