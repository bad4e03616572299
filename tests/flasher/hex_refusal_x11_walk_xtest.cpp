// The programmer's dialog on a real X server (run_under_xvfb.sh), walked with xdotool: "Open
// File..." is clicked, a damaged HEX file's name typed into the file dialog, and the refusal, which
// names the line and the reason, is answered by clicking its OK button. The line settings name a
// port that is not there, so the refusal cannot wait for any port. Skipped (77) without xdotool.
#include "flasher/app/flasher_dlg.h"
#include "vexorisp/comm_settings.h"
#include "vexorisp/event_wait.h"
#include "x11_walk_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCompleter>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <cstdio>

namespace {

using namespace FLASHER_X11_WALK;

// What the walk did, step by step, as the modal windows came and went; counts the Return presses
// the application has received, so that the next key waits for the last one to arrive.
class CWalk : public QObject {
public:
    int step = 0; // 0 dialog shown, 1 file dialog open, 2 refusal answered, 3 done
    bool inputOk = true;
    int returnsSent = 0;
    int returnsSeen = 0;
    bool typed = false; // the file's name, once
    bool boxClicked = false;
    QString refusal;
    QString caption;

protected:
    bool eventFilter(QObject* target, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return &&
            target->isWindowType())
            ++returnsSeen; // once a press: where it reaches a window, before the widgets
        return false;
    }
};

} // namespace

int main(int argc, char** argv)
{
    if (XdotoolMissing())
        return SKIPPED;
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs); // Qt's own file dialog, on any desktop
    QApplication app(argc, argv);
    QTemporaryDir scratch;
    const QString damaged = scratch.filePath("damaged.hex");
    // Line 2's checksum is wrong: the whole file is refused, naming that line.
    const QByteArray hex = ":0400000001020304F2\n:0400040005060708DD\n:00000001FF\n";
    COMM_SETTINGS settings = GetDefaultCommSettings();
    settings.com = 1;
    settings.devices[1] = "/dev/zq-unplugged";
    const QString comm = scratch.filePath("MD_DLL.DFT");
    if (!scratch.isValid() || !WriteFile(damaged, hex) || !WriteFile(scratch.filePath("old.bin"), "x") ||
        !WriteFile(scratch.filePath("isp.ini"),
                   "[sysset]\r\nauto=0\r\nnotenc=1\r\nfile=" + scratch.filePath("old.bin").toLocal8Bit() + "\r\n") ||
        !WriteCommSettingsFile(comm.toStdString(), FormatCommSettings(settings)))
        return 1;

    tagFlasherOptions options;
    options.settingsDirectory = scratch.path().toStdString();
    options.libraryDirectory = (QCoreApplication::applicationDirPath() + "/bin").toStdString();
    options.commSettingsFile = comm.toStdString();
    options.confirmPort = false;
    CFlasherDlg dlg(options);
    dlg.show();

    // Each tick looks at the window in front and gives it the next input; the modal windows run
    // their own event loops, in which the ticks go on.
    CWalk walk;
    app.installEventFilter(&walk);
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        QWidget* front = QApplication::activeModalWidget();
        const bool dialogInFront = front == nullptr || front == &dlg; // shown, not run modally
        if (walk.step == 0 && dialogInFront && dlg.windowHandle() && dlg.windowHandle()->isExposed()) {
            walk.inputOk = walk.inputOk && PointAt(dlg.GetControl(CFlasherDlg::IDC_OPEN_FILE), true);
            walk.step = 1;
        } else if (auto* files = qobject_cast<QFileDialog*>(front); files && walk.step == 1) {
            auto* name = files->findChild<QLineEdit*>("fileNameEdit");
            if (!name || !files->windowHandle() || !files->windowHandle()->isExposed())
                return;
            if (!walk.typed) {
                walk.typed = true;
                walk.inputOk = walk.inputOk && PointAt(name, false) && Xdotool({"type", "--delay", "20", damaged});
            } else if (name->text() == damaged && walk.returnsSeen == walk.returnsSent) {
                // Return picks the file; with the completion list open, the first Return closes it.
                walk.inputOk = walk.inputOk && Xdotool({"key", "Return"});
                ++walk.returnsSent;
            }
        } else if (auto* box = qobject_cast<QMessageBox*>(front); box && box->isVisible()) {
            if (walk.step == 1) {
                walk.refusal = box->text();
                walk.caption = box->windowTitle();
                walk.step = 2;
            } else if (walk.step != 2) {
                walk.inputOk = false; // a second message
            }
            if (!walk.boxClicked && box->windowHandle() && box->windowHandle()->isExposed()) {
                walk.inputOk = walk.inputOk && PointAt(box->button(QMessageBox::Ok), true);
                walk.boxClicked = true;
            }
        } else if (walk.step == 2 && dialogInFront) {
            walk.step = 3;
        }
    });
    tick.start(100);
    const bool walked = WaitUntil([&] { return walk.step == 3 || !walk.inputOk; }, TEST_HANG_GUARD_MS, 20);
    tick.stop();

    const QString expected = "HEX format error in line 2: checksum error";
    const QString shown = dlg.GetControl(CFlasherDlg::IDC_FILE_PATH)->property("text").toString();
    const bool ok = walked && walk.inputOk && walk.refusal == expected && walk.caption.isEmpty() &&
                    shown == scratch.filePath("old.bin") && dlg.GetCurrentFilePath() == scratch.filePath("old.bin");
    std::printf("%s: step %d, input %d, box '%s' (caption '%s'), file box '%s'\n", ok ? "PASS" : "FAIL", walk.step,
                int(walk.inputOk), qPrintable(walk.refusal), qPrintable(walk.caption), qPrintable(shown));
    return ok ? 0 : 1;
}
