// flasher-screenshot MANUAL.png AUTO.png [ABOUT.png]
// Renders the programmer's dialog with sample settings, as a user sees it in manual mode and in
// the unattended mode the editor starts it in, and its About box, each under a drawn title bar.
// Run it offscreen:
//   QT_QPA_PLATFORM=offscreen out/flasher-screenshot docs/flasher-manual.png docs/flasher-auto.png docs/flasher-about.png
// With ZQ_LANG=en the pictures are in English (and refused while a Chinese text is left on them).
#include "appkit/window_picture.h"
#include "flasher/app/about_dlg.h"
#include "flasher/app/flasher_app.h"
#include "flasher/app/flasher_dlg.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdio>

namespace {

bool Render(const QString& settingsDir, const QByteArray& isp, const QString& output, bool autoMode)
{
    QFile file(settingsDir + "/isp.ini");
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    file.write(isp);
    file.close();

    tagFlasherOptions options;
    options.settingsDirectory = settingsDir.toStdString();
    options.libraryDirectory = (QCoreApplication::applicationDirPath() + "/bin").toStdString();
    options.commSettingsFile = (settingsDir + "/MD_DLL.DFT").toStdString();
    options.confirmPort = false;
    options.startDelayMs = 3600 * 1000; // the run never starts here
    options.runLimitMs = 3600 * 1000;
    CFlasherDlg dlg(options);
    dlg.SetMessageHook([](const QString&, const QString&) {});
    if (autoMode) {
        dlg.SetProgressRange(0, 1000);
        dlg.SetProgressPos(384);
        dlg.SetStatusText("Start to program ...");
    } else {
        dlg.SetStatusText("Program Finished");
    }
    dlg.show();
    QCoreApplication::processEvents();
    if (!ZQ_CLI::ShowsUserLanguage(dlg))
        return false;
    const bool saved = ZQ_CLI::FramedWindowPicture(dlg, CFlasherApp::GetDialogFont()).save(output, "PNG");
    dlg.hide();
    return saved;
}

// The About box's picture; refused while a text of the other language is left on it.
bool RenderAbout(const QString& output)
{
    CAboutDlg about;
    about.show();
    QCoreApplication::processEvents();
    return ZQ_CLI::ShowsUserLanguage(about) &&
           ZQ_CLI::FramedWindowPicture(about, CFlasherApp::GetDialogFont()).save(output, "PNG");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: flasher-screenshot MANUAL.png AUTO.png [ABOUT.png]\n");
        return 2;
    }
    CFlasherApp app(argc, argv);
    ZQ_I18N::InstallWindowTranslators(app);
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return 1;
    const QString sample = "/opt/zq/Data/panel_program.hex";
    const bool manual = Render(scratch.path(),
                               "[sysset]\r\nauto=0\r\nnotenc=0\r\naddr=1\r\nfile=" + sample.toUtf8() +
                                   "\r\nledport=4\r\nledbit=0\r\n485port=2\r\n485bit=5\r\npaddr=48\r\n",
                               QString::fromLocal8Bit(argv[1]), false);
    const bool automatic =
        Render(scratch.path(),
               "[sysset]\r\nfile=/opt/zq/Data/20240101120000_1234.vxg\r\nauto=1\r\nnotenc=1\r\npaddr=48\r\n",
               QString::fromLocal8Bit(argv[2]), true);
    const bool about = argc < 4 || RenderAbout(QString::fromLocal8Bit(argv[3]));
    if (!manual || !automatic || !about) {
        std::fprintf(stderr, "flasher-screenshot: cannot write the images\n");
        return 1;
    }
    return 0;
}
