// The two download commands of the File menu: "下载程序" compiles the project into a new image
// file, sets the programmer up to run unattended on it and starts the programmer; "下载串口设置"
// chooses the serial port of the programmer's communication library. The work itself is
// CDownloadHandoff's; this unit asks and tells the user and starts the programmer.
#pragma once

#include <QString>

#include <functional>
#include <string>

class CDlgDownloadPort;
class CProject;
class QWidget;

class CDownloadCommands {
public:
    // "下载程序": string 3005 and nothing written for a project that cannot be downloaded; then the
    // project check: with errors a message counts them and nothing is written; string 3004 (switch
    // the panel off and on, OK or Cancel; Cancel stops there) for device 100 before anything is
    // written; then the image and isp.ini, then the programmer started detached with no arguments.
    // When the image or the settings cannot be written, or the programmer is missing or does not
    // start, a message says so and the programmer is not started. True when the programmer was
    // started.
    static bool DownloadProgram(CProject& project, QWidget* parent);

    // "下载串口设置": the port dialog on the machine's ports (the folders of
    // SERIAL_PORT_FOLDERS::FromEnvironment) and the device of the COM number in byte 0 of
    // MD_DLL.DFT. OK stores the number ChooseComNumber gives for the chosen device minus one in
    // byte 0 and that number's COMn= line, keeping every other byte. Missing, empty or unreadable
    // file: nothing is shown. A file that cannot be written is reported and stays as it was. True
    // when the file was written.
    static bool DownloadCommSettings(QWidget* parent);

    // Shows the port dialog, true on OK. Replaced by tests; the default runs it modally.
    using PortDialog = std::function<bool(CDlgDownloadPort& dialog)>;
    static void SetPortDialog(PortDialog dialog);
    // Starts the programmer; false when it did not start. Replaced by tests; the default starts it
    // detached with no arguments.
    using ProgrammerStarter = std::function<bool(const QString& program)>;
    static void SetProgrammerStarter(ProgrammerStarter starter);
    // The suite folder the commands work in; empty (the default): the running program's.
    static void SetSuiteDirectory(const std::string& directory);
};
