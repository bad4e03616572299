// Start-up and shut-down of the editor, and the making of its main frame.
#include "editor/app/editor_app.h"

#include "editor/app/about_dlg.h"
#include "editor/app/dialogs/dlg_device_select.h"
#include "editor/app/dialogs/dlg_screen_attributes.h"
#include "editor/app/editor_bars.h"
#include "editor/app/look/design_management.h"
#include "editor/app/main_frame.h"
#include "editor/system_settings.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QRegularExpression>

const char* const CZQEditorApp::REGISTRY_KEY = "Zenquor";
const char* const CZQEditorApp::APP_NAME = "ZQEditor";

CZQEditorApp::CZQEditorApp()
{
    QCoreApplication::setOrganizationName(QString::fromLatin1(REGISTRY_KEY));
    QCoreApplication::setApplicationName(QString::fromLatin1(APP_NAME));
    m_systemSettings = std::make_unique<CSystemSettings>();
}

CZQEditorApp::~CZQEditorApp()
{
    m_frame.reset();
    m_systemSettings.reset();
    CDesignManagement::Release();
}

QString CZQEditorApp::FileFromArgument(const QString& argument)
{
    const int first = argument.indexOf(QLatin1Char('"'));
    const int last = argument.lastIndexOf(QLatin1Char('"'));
    if (first >= 0 && last > first)
        return argument.mid(first + 1, last - first - 1);
    // A switch is "-..." or "/" and letters ("/dde"); any other argument names a file, even a
    // missing one, so that opening it can say why it failed.
    static const QRegularExpression slashSwitch(QStringLiteral("^/[A-Za-z]+$"));
    if (argument.startsWith(QLatin1Char('-')) ||
        (slashSwitch.match(argument).hasMatch() && !QFileInfo::exists(argument)))
        return QString();
    return argument;
}

std::unique_ptr<CMainFrame> CZQEditorApp::CreateMainFrame()
{
    CMainFrame::Dialogs dialogs;
    dialogs.selectDevice = [](CProject& project, QWidget* parent) {
        CDlgDeviceSelect dialog(&project, parent);
        return dialog.exec() == QDialog::Accepted;
    };
    dialogs.screenAttributes = [](CProject& project, QWidget* parent) {
        CDlgScreenAttributes dialog(&project, parent);
        return dialog.exec() == QDialog::Accepted;
    };
    auto frame = std::make_unique<CMainFrame>(std::move(dialogs));
    PlugEditorBars(frame.get());
    return frame;
}

bool CZQEditorApp::InitInstance(const QStringList& arguments, bool splash)
{
    // The program's own icon on every window, the screen windows inside the frame too.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/zqeditor.svg")));
    m_frame = CreateMainFrame();
    QString file;
    for (const QString& argument : arguments) {
        file = FileFromArgument(argument);
        if (!file.isEmpty())
            break;
    }
    if (file.isEmpty() && splash) {
        CAboutDlg splashDlg(CAboutDlg::SPLASH);
        splashDlg.exec();
    }
    m_frame->show();
    if (!file.isEmpty())
        m_frame->OpenDocument(file);
    return true;
}
