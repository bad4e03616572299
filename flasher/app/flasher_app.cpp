#include "flasher/app/flasher_app.h"

#include "appkit/window_places.h"
#include "comkit/module_path.h"
#include "comkit/user_files.h"
#include "flasher/app/flasher_dlg.h"

#include <QPainter>
#include <QPixmap>

#include <cstdio>

CFlasherApp::CFlasherApp(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Flasher"));
    setApplicationVersion(QStringLiteral("2.42"));
    // Kept from the original start-up; nothing reads settings through it.
    setOrganizationName(QStringLiteral("应用程序向导生成的本地应用程序"));
    setWindowIcon(GetAppIcon());
}

int CFlasherApp::InitInstance(bool unattended, const std::string& chosenFile)
{
    // isp.ini and remote.ini beside the programmer, or the user's copies of them when the suite is
    // installed for the system; the communication library's settings likewise.
    // The programmer lies in the suite's bin/.
    const COMMON_EX::CUserFiles files(COMMON_EX::GetProgramDirectory() + "..");
    tagFlasherOptions options;
    const std::string settings = files.GetSettingsFile("bin/isp.ini");
    files.GetSettingsFile("bin/remote.ini");
    options.settingsDirectory = settings.substr(0, settings.rfind('/') + 1);
    options.commSettingsFile = files.GetSettingsFile("bin/MD_DLL.DFT");
    options.chosenFile = chosenFile;
    CFlasherDlg dlg(options);
    if (unattended)
        dlg.SetMessageHook([](const QString& text, const QString&) {
            std::fprintf(stderr, "zqflasher: %s\n", text.toLocal8Bit().constData());
        });
    // The window opens where the user left it (Flasher.conf in the suite's settings folder). An
    // unattended run, started by the editor's download, was placed by nobody: it stores nothing, so
    // a user's own copy of the suite keeps every setting beside it after a download.
    const QString placeName = QStringLiteral("Flasher");
    dlg.setObjectName(QStringLiteral("FlasherDlg"));
    ZQ_WINDOWS::RestoreWindowPlace(dlg, placeName);
    dlg.exec();
    if (!unattended)
        ZQ_WINDOWS::StoreWindowPlace(dlg, placeName);
    if (unattended)
        return dlg.GetExchange().GetResult() == ISP_RESULT_FINISHED ? 0 : 1;
    return 0;
}

QIcon CFlasherApp::GetAppIcon()
{
    QIcon result;
    for (int size : {16, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        const qreal unit = size / 16.0;
        // A chip with pins, and a download arrow on it.
        painter.setPen(QPen(QColor(90, 90, 90), unit));
        for (int i = 0; i < 4; ++i) {
            const qreal y = (4 + 2.5 * i) * unit;
            painter.drawLine(QPointF(0.5 * unit, y), QPointF(2.5 * unit, y));
            painter.drawLine(QPointF(13.5 * unit, y), QPointF(15.5 * unit, y));
        }
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(30, 60, 120));
        painter.drawRoundedRect(QRectF(2.5 * unit, 1.5 * unit, 11 * unit, 13 * unit), unit, unit);
        painter.setBrush(QColor(250, 210, 60));
        QPolygonF arrow;
        arrow << QPointF(6.5, 3.5) << QPointF(9.5, 3.5) << QPointF(9.5, 7.5) << QPointF(11.5, 7.5) << QPointF(8, 11.5)
              << QPointF(4.5, 7.5) << QPointF(6.5, 7.5);
        for (QPointF& point : arrow)
            point *= unit;
        painter.drawPolygon(arrow);
        painter.drawRect(QRectF(4.5 * unit, 12 * unit, 7 * unit, 1 * unit));
        painter.end();
        result.addPixmap(pixmap);
    }
    return result;
}

QFont CFlasherApp::GetDialogFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("WenQuanYi Bitmap Song"),
                      QStringLiteral("WenQuanYi Zen Hei")});
    font.setPointSize(9);
    return font;
}
