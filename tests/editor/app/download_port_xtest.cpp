// "下载串口设置" on a real X server (run_under_xvfb.sh) with real key presses from xdotool: Down
// moves to the next port by name, Return presses the dialog's default button, and the choice is
// stored in MD_DLL.DFT. Skipped (77) without xdotool.
#include "editor/app/dialogs/dlg_download_port.h"
#include "editor/app/download_commands.h"

#include "editor_test_support.h"
#include "tests/vexorisp/fake_serial_folders.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <cstdio>

namespace {

bool Xdotool(const QStringList& arguments)
{
    return QProcess::execute("xdotool", arguments) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (QStandardPaths::findExecutable("xdotool").isEmpty()) {
        std::puts("xdotool is not installed: skipped");
        return 77;
    }
    UseTemporarySettings();
    QApplication app(argc, argv);
    PromptAnswers prompts;
    QTemporaryDir suite;
    CFakeSerialFolders folders;
    QDir().mkpath(suite.filePath("bin"));
    folders.AddPtyDevice("ttyUSB0");
    const std::string stable = folders.AddStableName("usb-ACME_Panel_Cable_0042-if00-port0", "ttyUSB0");
    folders.SetEnvironment();
    QFile settings(suite.filePath("bin/MD_DLL.DFT"));
    if (!settings.open(QIODevice::WriteOnly))
        return 1;
    settings.write(QByteArray(1, '\0') + "COM1=/dev/zq-unplugged\n");
    settings.close();
    CDownloadCommands::SetSuiteDirectory(suite.path().toStdString());

    bool walked = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<CDlgDownloadPort*>(QApplication::activeModalWidget());
        if (!dialog || !QTest::qWaitForWindowExposed(dialog))
            return;
        QComboBox* list = dialog->Child<QComboBox>(CDlgDownloadPort::ID_PORT);
        list->setFocus();
        dialog->activateWindow();
        // The pointer over the dialog gives it the X input focus without a window manager.
        const QPoint centre = dialog->mapToGlobal(dialog->rect().center());
        walked = Xdotool({"mousemove", QString::number(centre.x()), QString::number(centre.y())}) &&
                 Xdotool({"key", "--delay", "50", "Down"});
        QTRY_COMPARE_WITH_TIMEOUT(list->currentIndex(), 1, 10000);
        walked = walked && Xdotool({"key", "Return"});
    });
    const bool stored = CDownloadCommands::DownloadCommSettings(nullptr);
    CDownloadCommands::SetSuiteDirectory("");
    if (!settings.open(QIODevice::ReadOnly))
        return 1;
    const QByteArray bytes = settings.readAll();
    const bool ok = walked && stored &&
                    bytes == QByteArray(1, '\0') + "COM1=" + QByteArray::fromStdString(stable) + "\n" &&
                    prompts.messages.isEmpty();
    std::printf("%s: walked %d, stored %d, file %s\n", ok ? "PASS" : "FAIL", int(walked), int(stored),
                bytes.mid(1).constData());
    return ok ? 0 : 1;
}
