// "Confirm every block" walked on a real X server (run_under_xvfb.sh) with xdotool: the port
// question at the programmer's start offers the box unchecked, a real click checks it and another
// presses OK; a real press of "Local Program" then programs 2 KiB of zeros (every block equal to
// the one before) into the panel simulator with every block confirmed: "Program Finished", the
// flash holds the image, and the choice is stored for the next start. Skipped (77) without xdotool.
#include "flasher/app/comm_port_dlg.h"
#include "flasher/app/flasher_dlg.h"
#include "tools/zqpanel-sim/panel_sim_process.h"
#include "vexorisp/comm_settings.h"
#include "vexorisp/event_wait.h"
#include "x11_walk_support.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <cstdio>

namespace {

using namespace FLASHER_X11_WALK;

constexpr int PANEL_ADDRESS = 48; // isp.ini's paddr: the image starts at 0x6000

int Fail(const char* why)
{
    std::printf("FAIL: %s\n", why);
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (XdotoolMissing())
        return SKIPPED;
    QApplication app(argc, argv);
    QTemporaryDir scratch;
    const QString flash = scratch.filePath("flash.bin");
    CPanelSimProcess sim(OutFile("zqpanel-sim").toStdString(), flash.toStdString());
    if (sim.Device().empty())
        return Fail("the panel simulator did not start");
    const QByteArray image(2048, 0);
    if (!WriteRunSettings(scratch, sim.Device(), false, scratch.filePath("zeros.bin"), PANEL_ADDRESS) ||
        !WriteFile(scratch.filePath("zeros.bin"), image))
        return Fail("the settings could not be written");

    // The port question: the box clicked once it is shown, OK clicked once the box is checked.
    bool offeredUnchecked = false, clickedBox = false, clickedOk = false, inputOk = true;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* port = dynamic_cast<CCommPortDlg*>(QApplication::activeModalWidget());
        auto* box = port != nullptr ? port->findChild<QCheckBox*>("confirmAll") : nullptr;
        if (box == nullptr || !port->windowHandle() || !port->windowHandle()->isExposed())
            return;
        if (!clickedBox) {
            offeredUnchecked = !box->isChecked();
            clickedBox = true;
            // On its square: the row is wider than the box's words, which alone take clicks.
            inputOk = PointAt(box, true, QPoint(box->height() / 2, box->height() / 2)) && inputOk;
        } else if (box->isChecked() && !clickedOk) {
            clickedOk = true;
            inputOk = PointAt(port->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), true) && inputOk;
        }
    });
    answer.start(20);
    tagFlasherOptions options;
    options.settingsDirectory = scratch.path().toStdString();
    options.libraryDirectory = (QCoreApplication::applicationDirPath() + "/bin").toStdString();
    options.commSettingsFile = scratch.filePath("MD_DLL.DFT").toStdString();
    options.confirmPort = true;
    CFlasherDlg dlg(options); // asks for the port before it returns
    answer.stop();
    QStringList messages;
    dlg.SetMessageHook([&messages](const QString& text, const QString&) { messages << text; });
    if (!inputOk || !offeredUnchecked || !clickedOk || !dlg.IsConfirmAll())
        return Fail("the port question's box was not offered unchecked and checked by the click");
    dlg.show();
    if (!QTest::qWaitForWindowExposed(&dlg))
        return Fail("the dialog was not shown");
    if (!PointAt(dlg.GetControl(CFlasherDlg::IDC_LOCAL_PROGRAM), true))
        return Fail("xdotool failed");
    if (!QTest::qWaitFor([&] { return dlg.GetExchange().GetResult() == ISP_RESULT_FINISHED; }, TEST_HANG_GUARD_MS) ||
        messages != QStringList{"Program Finished"})
        return Fail("the run did not end in \"Program Finished\" alone");
    sim.Stop();
    QByteArray expected(0x10000, char(0xFF));
    expected.replace(PANEL_ADDRESS * qsizetype(512), image.size(), image);
    if (ReadFile(flash) != expected)
        return Fail("the simulator's flash differs from the image");
    // Stored for the next start (Flasher.conf in the suite's settings folder); put back afterwards.
    const bool stored = QSettings("zqpanel", "Flasher").value("Programming/confirmAll").toBool();
    dlg.SetConfirmAll(false);
    if (!stored)
        return Fail("the choice was not stored");
    std::puts("PASS: every block of zeros confirmed after the real clicks");
    return 0;
}
