// The programmer started with a file, as a file manager starts it, on a real X server
// (run_under_xvfb.sh) with a real click from xdotool: for the demonstration's download image and
// the same bytes as Intel HEX, the dialog shows the file in manual mode although isp.ini asks for
// an automatic run of another file, nothing is programmed before the press of "Local Program",
// and after it the panel simulator on its pseudo-terminal holds the image in its flash. A HEX file
// rewritten after it was chosen with records that disagree is refused at the press with the line
// and the address in words, and nothing reaches the flash. Skipped (77) without xdotool.
#include "flasher/app/flasher_dlg.h"
#include "tools/zqflash/line_image.h"
#include "tools/zqpanel-sim/panel_sim_process.h"
#include "vexorisp/comm_settings.h"
#include "vexorisp/event_wait.h"
#include "x11_walk_support.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>

namespace {

using namespace FLASHER_X11_WALK;

constexpr int PANEL_ADDRESS = 8; // isp.ini's paddr: the image starts at 8 x 512 in the flash

class CWalk {
public:
    explicit CWalk(const QTemporaryDir& scratch) : m_scratch(scratch) {}

    // Starts the programmer with `file` and presses "Local Program" with the real pointer: the run
    // ends with `result` after the one message `shown`, and the flash then holds `image` (erased
    // for an empty one). `rewrite`, unless empty, replaces the file's bytes after it was chosen.
    // False, with the reason on standard output, when any step differs.
    bool Run(const QString& file, const QByteArray& image, const QString& shown = "Program Finished",
             IspRunResult result = ISP_RESULT_FINISHED, const QByteArray& rewrite = QByteArray())
    {
        const QString flash = m_scratch.filePath(QFileInfo(file).suffix() + "-flash.bin");
        CPanelSimProcess sim(OutFile("zqpanel-sim").toStdString(), flash.toStdString());
        if (sim.Device().empty())
            return Fail("the panel simulator did not start");
        // The editor's last download left an automatic run of another file behind.
        if (!WriteRunSettings(m_scratch, sim.Device(), true, m_scratch.filePath("old.bin"), PANEL_ADDRESS) ||
            !WriteFile(m_scratch.filePath("old.bin"), "old"))
            return Fail("the settings could not be written");

        tagFlasherOptions options;
        options.settingsDirectory = m_scratch.path().toStdString();
        options.libraryDirectory = OutFile("bin").toStdString();
        options.commSettingsFile = m_scratch.filePath("MD_DLL.DFT").toStdString();
        options.startDelayMs = 50;
        options.confirmPort = false; // the port is the simulator's, set above
        options.chosenFile = file.toStdString();
        CFlasherDlg dlg(options);
        QStringList messages;
        dlg.SetMessageHook([&messages](const QString& text, const QString&) { messages << text; });
        dlg.show();
        if (!QTest::qWaitForWindowExposed(&dlg))
            return Fail("the dialog was not shown");
        auto* path = qobject_cast<QLineEdit*>(dlg.GetControl(CFlasherDlg::IDC_FILE_PATH));
        auto* program = qobject_cast<QPushButton*>(dlg.GetControl(CFlasherDlg::IDC_LOCAL_PROGRAM));
        if (!QTest::qWaitFor([&] { return dlg.GetCurrentFilePath() == file; }, TEST_HANG_GUARD_MS) ||
            path->text() != file)
            return Fail("the dialog shows '" + path->text() + "', not the file given");
        // The file given turns isp.ini's automatic run off: the run waits for the press.
        if (dlg.IsAutoMode() || dlg.GetExchange().GetResult() != ISP_RESULT_NONE || !program->isEnabled() ||
            !messages.isEmpty())
            return Fail("something ran before the press: " + messages.join(" | "));
        if (!rewrite.isEmpty() && !WriteFile(file, rewrite))
            return Fail("the file could not be rewritten");

        if (!PointAt(program, true))
            return Fail("xdotool failed");
        if (!QTest::qWaitFor([&] { return dlg.GetExchange().GetResult() == result; }, TEST_HANG_GUARD_MS) ||
            messages != QStringList{shown})
            return Fail("the run ended with " + messages.join(" | ") + ", not " + shown);
        sim.Stop();
        QByteArray expected(0x10000, char(0xFF));
        expected.replace(PANEL_ADDRESS * qsizetype(512), image.size(), image);
        const QByteArray flashed = ReadFile(flash);
        if (flashed != expected && !(image.isEmpty() && flashed.isEmpty()))
            return Fail("the simulator's flash differs from the image");
        std::printf("PASS: %s after the press: %s\n", qPrintable(QFileInfo(file).fileName()), qPrintable(shown));
        return true;
    }

private:
    static bool Fail(const QString& why)
    {
        std::printf("FAIL: %s\n", qPrintable(why));
        return false;
    }

    const QTemporaryDir& m_scratch;
};

} // namespace

int main(int argc, char** argv)
{
    if (XdotoolMissing())
        return SKIPPED;
    QApplication app(argc, argv);
    QTemporaryDir scratch;
    // The demonstration's download image as zqe makes it, and the same bytes as Intel HEX.
    const QString vxg = scratch.filePath("demo.vxg");
    const QString hex = scratch.filePath("demo.hex");
    if (QProcess::execute(OutFile("zqe"), {"compile", ZQ_DEMO_PROJECT, "-o", vxg}) != 0)
        return 1;
    const QByteArray image = ReadFile(vxg);
    const std::string text = FormatIntelHex(std::vector<BYTE>(image.begin(), image.end()));
    if (image.isEmpty() || !WriteFile(hex, QByteArray::fromStdString(text)))
        return 1;
    // Rewritten before the press: two records give address 0 different values (line 2).
    const QString changed = scratch.filePath("changed.hex");
    if (!WriteFile(changed, QByteArray::fromStdString(text)))
        return 1;
    CWalk walk(scratch);
    const bool ok =
        walk.Run(vxg, image) && walk.Run(hex, image) &&
        walk.Run(changed, QByteArray(), "HEX format error in line 2: two records give address 0x0000 different values",
                 ISP_RESULT_EMPTY_IMAGE, ":0100000001FE\n:0100000002FD\n:00000001FF\n");
    return ok ? 0 : 1;
}
