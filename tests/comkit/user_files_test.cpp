// Where written files go: beside the programs in a build tree, in the user's XDG folders for a
// system install, seeded once from the installed copies.
#include "comkit/user_files.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

using COMMON_EX::CUserFiles;

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class UserFiles : public testing::Test {
protected:
    void SetUp() override
    {
        root = dir.path().toStdString() + "/";
        suite = root + "suite/";
        ::mkdir(suite.c_str(), 0755);
        ::mkdir((suite + "bin").c_str(), 0755);
        std::ofstream(suite + "bin/isp.ini") << "[sysset]\nnotenc=1\n";
        ::setenv("XDG_CONFIG_HOME", (root + "config").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (root + "data").c_str(), 1);
    }
    void TearDown() override
    {
        ::chmod(suite.c_str(), 0755);
        ::unsetenv("XDG_CONFIG_HOME");
        ::unsetenv("XDG_DATA_HOME");
    }
    void MarkInstalled() { std::ofstream(suite + COMMON_EX::SYSTEM_INSTALL_MARKER) << ""; }

    QTemporaryDir dir;
    std::string root, suite;
};

TEST_F(UserFiles, WritableSuiteKeepsEverythingBesideThePrograms)
{
    CUserFiles files(suite);
    EXPECT_FALSE(files.IsUserLayout());
    EXPECT_EQ(files.GetSettingsFile("bin/isp.ini"), suite + "bin/isp.ini");
    EXPECT_EQ(files.GetSettingsFile("SystemInit.ini"), suite + "SystemInit.ini");
    EXPECT_EQ(files.GetDataDirectory(), suite + "Data/");
    struct stat st {};
    EXPECT_EQ(::stat((suite + "Data").c_str(), &st), 0) << "a missing Data folder is created";
}

TEST_F(UserFiles, SystemInstallWritesToXdgFoldersSeededOnce)
{
    MarkInstalled();
    CUserFiles files(suite.substr(0, suite.size() - 1)); // without the trailing slash
    ASSERT_TRUE(files.IsUserLayout());
    const std::string isp = files.GetSettingsFile("bin/isp.ini");
    EXPECT_EQ(isp, root + "config/zqpanel/isp.ini");
    EXPECT_EQ(ReadAll(isp), "[sysset]\nnotenc=1\n");
    std::ofstream(isp) << "[sysset]\nnotenc=0\n"; // the user's change
    EXPECT_EQ(ReadAll(files.GetSettingsFile("bin/isp.ini")), "[sysset]\nnotenc=0\n") << "seeded only once";
    EXPECT_EQ(files.GetSettingsFile("SystemInit.ini"), root + "config/zqpanel/SystemInit.ini");
    struct stat st {};
    EXPECT_NE(::stat((root + "config/zqpanel/SystemInit.ini").c_str(), &st), 0) << "nothing to seed from";
    EXPECT_EQ(files.GetDataDirectory(), root + "data/zqpanel/Data/");
    EXPECT_NE(::stat((suite + "Data").c_str(), &st), 0) << "nothing is written into the install";
}

TEST_F(UserFiles, ReadOnlySuiteFolderCountsAsInstalledEvenForRoot)
{
    ::chmod(suite.c_str(), 0555);
    EXPECT_TRUE(CUserFiles(suite).IsUserLayout());
}

TEST_F(UserFiles, XdgDefaultsUnderHomeAndRelativeValuesIgnored)
{
    ::setenv("XDG_CONFIG_HOME", "relative/config", 1);
    ::unsetenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    const std::string saved = home ? home : "";
    ::setenv("HOME", root.c_str(), 1);
    EXPECT_EQ(COMMON_EX::GetUserConfigDirectory(), root + ".config/zqpanel/");
    EXPECT_EQ(COMMON_EX::GetUserDataDirectory(), root + ".local/share/zqpanel/");
    ::setenv("HOME", saved.c_str(), 1);
}

} // namespace
