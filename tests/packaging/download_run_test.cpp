// From the editor's "下载程序" to a programmed panel: the command writes the image and isp.ini,
// the real programmer runs them in automatic mode against the panel simulator on a pseudo-terminal,
// and the panel's flash holds the image at 0x6000. Once in a user's own copy of the suite, once from
// an installation made read-only, which nothing may write into; and once with the port chosen by its
// stable name in the editor's port dialog.
#include "comkit/init_setting.h"
#include "comkit/module_path.h"
#include "comkit/user_files.h"
#include "editor/app/dialogs/dlg_download_port.h"
#include "editor/app/download_commands.h"
#include "editor/app/look/user_prompts.h"
#include "editor/download_handoff.h"
#include "editor/editor_strings.h"
#include "editor/project.h"
#include "editor/project_file.h"
#include "tests/vexorisp/fake_serial_folders.h"
#include "tools/zqpanel-sim/panel_sim_process.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <map>
#include <memory>

namespace {

using Bytes = std::vector<BYTE>;

Bytes ReadAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = file.readAll();
    return Bytes(data.begin(), data.end());
}

// Every file and folder below root with its size and modification time.
std::map<QString, QString> Listing(const QString& root)
{
    std::map<QString, QString> listing;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        listing[info.filePath()] =
            QString::number(info.size()) + "@" + QString::number(info.lastModified().toMSecsSinceEpoch());
    }
    return listing;
}

class DownloadRun : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(scratch.isValid());
        environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("XDG_CONFIG_HOME", scratch.filePath("config"));
        environment.insert("XDG_DATA_HOME", scratch.filePath("data"));
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME"})
            ::setenv(name, environment.value(name).toLocal8Bit().constData(), 1);
        CUserPrompts::SetMessageHook([this](const QString& text, QMessageBox::StandardButtons) {
            messages << text;
            return answer;
        });
        CDownloadCommands::SetProgrammerStarter([this](const QString& program) {
            programmer = std::make_unique<QProcess>();
            programmer->setProcessEnvironment(environment);
            // As the editor starts it, but reporting its closing message on standard error instead
            // of waiting for somebody to press OK.
            programmer->start(program, {"--unattended"});
            return programmer->waitForStarted(60000);
        });
        std::string error;
        project = std::unique_ptr<CProject>(CProjectFile::Open(ZQ_DEMO_PROJECT, error));
        ASSERT_TRUE(project) << error;
    }
    void TearDown() override
    {
        CUserPrompts::SetMessageHook(nullptr);
        CDownloadCommands::SetProgrammerStarter(nullptr);
        CDownloadCommands::SetSuiteDirectory("");
        ::unsetenv("XDG_CONFIG_HOME");
        ::unsetenv("XDG_DATA_HOME");
    }

    // Points COM1 of the communication settings the suite at `suite` uses to the simulator.
    void WireSimulator(const QString& suite, const std::string& device)
    {
        const std::string settings = CDownloadHandoff(COMMON_EX::CUserFiles(suite.toStdString())).GetCommSettingsFile();
        QFile file(QString::fromStdString(settings));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << settings;
        file.write(QByteArray(1, '\0') +
                   "baud=38400\ndatabits=8\nparity=even\nstopbits=1\nCOM1=" + QByteArray::fromStdString(device) + "\n");
    }

    // A copy of the suite as a user keeps it: programs, libraries, catalogues and settings.
    QString CopySuite()
    {
        const QString out = QString::fromStdString(COMMON_EX::GetProgramDirectory());
        QString suite = scratch.filePath("suite");
        QDir().mkpath(suite + "/bin");
        for (const QString& entry : QDir(out).entryList({"lib*.so*", "*.ini"}, QDir::Files))
            EXPECT_TRUE(QFile::copy(out + entry, suite + "/" + entry));
        for (const QString& entry : QDir(out + "bin").entryList(QDir::Files))
            EXPECT_TRUE(QFile::copy(out + "bin/" + entry, suite + "/bin/" + entry));
        return suite;
    }

    std::unique_ptr<CPanelSimProcess> StartSimulator()
    {
        auto sim = std::make_unique<CPanelSimProcess>(COMMON_EX::GetProgramDirectory() + "zqpanel-sim",
                                                      scratch.filePath("flash.bin").toStdString());
        EXPECT_FALSE(sim->Device().empty());
        return sim;
    }

    // Runs the command in `suite` and checks the panel ends up holding the image.
    void DownloadInto(const QString& suite)
    {
        std::unique_ptr<CPanelSimProcess> sim = StartSimulator();
        WireSimulator(suite, sim->Device());
        DownloadThroughTheSettings(suite, *sim);
    }

    // The download command in `suite` with its settings file as it is, into the simulator.
    void DownloadThroughTheSettings(const QString& suite, CPanelSimProcess& sim)
    {
        CDownloadCommands::SetSuiteDirectory(suite.toStdString());
        ASSERT_TRUE(CDownloadCommands::DownloadProgram(*project, nullptr)) << messages.join("\n").toStdString();
        // The demo's panel model is switched off and on before the programmer starts.
        ASSERT_EQ(messages, QStringList{QString::fromUtf8(CEditorStrings::Get(CEditorStrings::IDS_DOWNLOAD_POWER))});
        ASSERT_TRUE(programmer);
        ASSERT_TRUE(programmer->waitForFinished(90000)) << "the programmer did not close itself";
        EXPECT_EQ(programmer->exitCode(), 0) << programmer->readAllStandardError().toStdString();
        sim.Stop();

        const std::string isp =
            CDownloadHandoff(COMMON_EX::CUserFiles(suite.toStdString())).GetProgrammerSettingsFile();
        CInitSetting settings(isp.c_str());
        auto value = [&settings](const char* key) {
            char text[300] = {};
            settings.GetValue("sysset", key, text, sizeof text);
            return QString::fromLocal8Bit(text);
        };
        const QString image = value("file");
        EXPECT_EQ(value("auto"), "0") << "the programmer clears automatic mode once it has taken it";
        EXPECT_EQ(value("notenc"), "1");
        EXPECT_EQ(value("paddr"), "48");
        const Bytes compiled = ReadAll(image);
        ASSERT_GT(compiled.size(), 50u) << image.toStdString();
        Bytes expected(project->Compile(nullptr, 0));
        project->Compile(expected.data(), expected.size());
        EXPECT_EQ(compiled, expected);
        const Bytes flash = ReadAll(scratch.filePath("flash.bin"));
        ASSERT_EQ(flash.size(), 0x10000u);
        EXPECT_TRUE(std::equal(compiled.begin(), compiled.end(), flash.begin() + 0x6000))
            << "the panel's flash does not hold the image at 0x6000";
    }

    QTemporaryDir scratch;
    QProcessEnvironment environment;
    QStringList messages;
    QMessageBox::StandardButton answer = QMessageBox::Ok;
    std::unique_ptr<QProcess> programmer;
    std::unique_ptr<CProject> project;
};

TEST_F(DownloadRun, EditorCommandProgramsThePanelFromAUsersCopyOfTheSuite)
{
    const QString suite = CopySuite();
    DownloadInto(suite);
    EXPECT_TRUE(QFileInfo(suite + "/Data").isDir()) << "the image lies in the suite's own Data/";
    EXPECT_FALSE(QFileInfo::exists(scratch.filePath("config"))) << "a user's own copy keeps its settings";
}

TEST_F(DownloadRun, MissingProgrammerIsReportedBeforeThePowerQuestionAndNothingIsWritten)
{
    const QString suite = scratch.filePath("no-programmer");
    QDir().mkpath(suite + "/bin");
    CDownloadCommands::SetSuiteDirectory(suite.toStdString());
    EXPECT_FALSE(CDownloadCommands::DownloadProgram(*project, nullptr));
    ASSERT_EQ(messages.size(), 1) << messages.join("\n").toStdString();
    EXPECT_TRUE(messages[0].contains(suite + "/bin/Flasher")) << messages[0].toStdString();
    EXPECT_FALSE(programmer);
    EXPECT_FALSE(QFileInfo::exists(suite + "/Data"));
    EXPECT_FALSE(QFileInfo::exists(suite + "/bin/isp.ini"));
}

TEST_F(DownloadRun, CancelAtThePowerQuestionWritesNothingAndStartsNothing)
{
    const QString out = QString::fromStdString(COMMON_EX::GetProgramDirectory());
    const QString suite = scratch.filePath("cancelled");
    QDir().mkpath(suite + "/bin");
    ASSERT_TRUE(QFile::copy(out + "bin/Flasher", suite + "/bin/Flasher"));
    CDownloadCommands::SetSuiteDirectory(suite.toStdString());
    answer = QMessageBox::Cancel;
    EXPECT_FALSE(CDownloadCommands::DownloadProgram(*project, nullptr));
    EXPECT_EQ(messages, QStringList{QString::fromUtf8(CEditorStrings::Get(CEditorStrings::IDS_DOWNLOAD_POWER))});
    EXPECT_FALSE(programmer);
    EXPECT_FALSE(QFileInfo::exists(suite + "/Data"));
    EXPECT_FALSE(QFileInfo::exists(suite + "/bin/isp.ini"));
}

TEST_F(DownloadRun, InstalledSuiteMadeReadOnlyIsNeverWritten)
{
    const QString prefix = scratch.filePath("install");
    QProcess install;
    install.start("cmake", {"--install", ZQ_BUILD_DIR, "--prefix", prefix});
    ASSERT_TRUE(install.waitForFinished(120000));
    ASSERT_EQ(install.exitCode(), 0) << install.readAllStandardError().toStdString();
    ASSERT_EQ(QProcess::execute("chmod", {"-R", "a-w", prefix}), 0);
    const auto before = Listing(prefix);

    const QString suite = prefix + "/lib/zqpanel";
    DownloadInto(suite);
    EXPECT_TRUE(QFileInfo::exists(scratch.filePath("config/zqpanel/isp.ini")));
    EXPECT_FALSE(QDir(scratch.filePath("data/zqpanel/Data")).isEmpty());
    EXPECT_EQ(Listing(prefix), before) << "something was written into the installation";
    QProcess::execute("chmod", {"-R", "u+w", prefix});
}

TEST_F(DownloadRun, PortChosenByItsStableNameInTheEditorReachesThePanel)
{
    // The port dialog is a window: an offscreen application for it.
    static int argc = 1;
    static char name[] = "download_run_test";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(argc, argv);

    const QString suite = CopySuite();
    std::unique_ptr<CPanelSimProcess> sim = StartSimulator();
    CFakeSerialFolders folders;
    folders.AddDevice("ttyUSB3", sim->Device());
    const std::string stable = folders.AddStableName("usb-ACME_Panel_Cable_0042-if00-port0", "ttyUSB3");
    folders.SetEnvironment();
    WireSimulator(suite, "/dev/zq-unplugged");
    CDownloadCommands::SetSuiteDirectory(suite.toStdString());
    CDownloadCommands::SetPortDialog([&](CDlgDownloadPort& dialog) {
        QComboBox* list = dialog.Child<QComboBox>(CDlgDownloadPort::ID_PORT);
        list->setCurrentIndex(list->findData(QString::fromStdString(stable)));
        return list->currentIndex() > 0;
    });
    const bool stored = CDownloadCommands::DownloadCommSettings(nullptr);
    CDownloadCommands::SetPortDialog(nullptr);
    ASSERT_TRUE(stored);
    DownloadThroughTheSettings(suite, *sim);
}

} // namespace
