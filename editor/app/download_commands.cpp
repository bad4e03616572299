// The download commands: messages, the port dialog and starting the programmer.
#include "editor/app/download_commands.h"

#include "comkit/serial_attri.h"
#include "comkit/user_files.h"
#include "editor/app/dialogs/dlg_comm_settings.h"
#include "editor/app/user_prompts.h"
#include "editor/download_handoff.h"
#include "editor/editor_strings.h"
#include "editor/project.h"
#include "editor/project_check.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>

#include <cstdlib>
#include <string>

using COM_HARDWARE_ATTRIBUTES_EX::CHADEXSerialAttri;

namespace {

CDownloadCommands::CommSettingsDialog g_dialog;
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

void CDownloadCommands::SetCommSettingsDialog(CommSettingsDialog dialog)
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
        Tell(parent, QCoreApplication::translate("Editor", "项目检查发现 %1 个错误，不能下载！\n请在“问题”窗口中查看并改正。")
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
    CDownloadHandoff handoff = Handoff();
    int com = 0;
    if (!handoff.ReadCommPort(com))
        return false;
    CHADEXSerialAttri serial;
    serial.SetBaudrate(CHADEXSerialAttri::BAUDRATE_38400);
    serial.SetDataBits(CHADEXSerialAttri::DATABITS_8);
    serial.SetParity(CHADEXSerialAttri::PARITY_EVEN);
    serial.SetStopBits(CHADEXSerialAttri::STOPBITS_ONE);
    serial.SetSerialName(("COM" + std::to_string(com)).c_str());
    const bool accepted = g_dialog ? g_dialog(serial, parent) : [&] {
        CDlgCommSettings dialog(&serial, parent);
        return dialog.exec() == QDialog::Accepted;
    }();
    if (!accepted)
        return false;
    // The name's number after "COM"; the line settings chosen in the dialog are not kept.
    const char* name = serial.GetSerialName();
    const int chosen = name && std::string(name).size() > 3 ? std::atoi(name + 3) : 0;
    std::string message;
    if (!handoff.WriteCommPort(chosen, message)) {
        Tell(parent, QString::fromStdString(message));
        return false;
    }
    return true;
}
