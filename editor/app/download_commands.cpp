// The download commands: messages, the port dialog and starting the programmer.
#include "editor/app/download_commands.h"

#include "comkit/user_files.h"
#include "editor/app/dialogs/dlg_download_port.h"
#include "editor/app/look/user_prompts.h"
#include "editor/download_handoff.h"
#include "editor/editor_strings.h"
#include "editor/project.h"
#include "editor/project_check.h"
#include "vexorisp/comm_settings.h"
#include "vexorisp/serial_ports.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>

#include <string>

namespace {

CDownloadCommands::PortDialog g_dialog;
CDownloadCommands::ProgrammerStarter g_starter;
std::string g_suite;

CDownloadHandoff Handoff()
{
    return CDownloadHandoff(g_suite.empty() ? COMMON_EX::CUserFiles::ForRunningProgram()
                                            : COMMON_EX::CUserFiles(g_suite));
}

void Tell(QWidget* parent, const QString& text)
{
    CUserPrompts::Message(parent, text, QMessageBox::Ok, QMessageBox::Warning);
}

QString Text(UINT id)
{
    return QString::fromUtf8(CEditorStrings::Get(id));
}

} // namespace

void CDownloadCommands::SetPortDialog(PortDialog dialog)
{
    g_dialog = std::move(dialog);
}

void CDownloadCommands::SetProgrammerStarter(ProgrammerStarter starter)
{
    g_starter = std::move(starter);
}

void CDownloadCommands::SetSuiteDirectory(const std::string& directory)
{
    g_suite = directory;
}

bool CDownloadCommands::DownloadProgram(CProject& project, QWidget* parent)
{
    if (project.CheckCompile() == CProject::COMPILE_REFUSED) {
        Tell(parent, Text(CEditorStrings::IDS_DOWNLOAD_REFUSED));
        return false;
    }
    const int errors = CProjectCheck::Count(CProjectCheck::Run(project), CProjectCheck::SEVERITY_ERROR);
    if (errors > 0) {
        Tell(parent,
             QCoreApplication::translate("Editor", "项目检查发现 %1 个错误，不能下载！\n请在“问题”窗口中查看并改正。")
                 .arg(errors));
        return false;
    }
    CDownloadHandoff handoff = Handoff();
    const QString programmer = QString::fromStdString(handoff.GetProgrammerPath());
    if (!QFileInfo(programmer).isExecutable()) {
        Tell(parent, QCoreApplication::translate("Editor", "找不到下载程序 %1，无法下载！").arg(programmer));
        return false;
    }
    // Asked before anything is written, so the panel is powered up again while the programmer's
    // entry requests are already knocking.
    // Cancel there stops the download before anything is written.
    if (CDownloadHandoff::NeedsPowerCycle(project) &&
        CUserPrompts::Message(parent, Text(CEditorStrings::IDS_DOWNLOAD_POWER), QMessageBox::Ok | QMessageBox::Cancel,
                              QMessageBox::Warning) != QMessageBox::Ok)
        return false;
    std::string image, message;
    if (handoff.Prepare(project, image, message) != CDownloadHandoff::HANDOFF_READY) {
        Tell(parent,
             QCoreApplication::translate("Editor", "不能写入下载文件：\n%1").arg(QString::fromStdString(message)));
        return false;
    }
    const bool started = g_starter ? g_starter(programmer) : QProcess::startDetached(programmer, {});
    if (!started)
        Tell(parent, QCoreApplication::translate("Editor", "不能启动下载程序 %1！").arg(programmer));
    return started;
}

bool CDownloadCommands::DownloadCommSettings(QWidget* parent)
{
    const std::string path = Handoff().GetCommSettingsFile();
    std::string bytes;
    COMM_SETTINGS settings = GetDefaultCommSettings();
    if (!ReadCommSettingsFile(path, bytes) || !ParseCommSettings(bytes, settings))
        return false;
    CDlgDownloadPort dialog(settings, ListSerialPorts(SERIAL_PORT_FOLDERS::FromEnvironment()), parent);
    const bool accepted = g_dialog ? g_dialog(dialog) : dialog.exec() == QDialog::Accepted;
    const std::string device = dialog.GetDevice();
    if (!accepted || device.empty())
        return false;
    // Byte 0 and that number's device line; the line settings stay the file's own.
    const std::string updated = UpdateCommSettingsPort(bytes, ChooseComNumber(settings, device), device);
    if (!WriteCommSettingsFile(path, updated)) {
        Tell(parent, QCoreApplication::translate("Editor", "不能写入 %1，下载串口未改变。")
                         .arg(QString::fromLocal8Bit(path.c_str())));
        return false;
    }
    return true;
}
