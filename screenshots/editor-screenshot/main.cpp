// editor-screenshot PROJECT.ZQE OUTPUT_DIR
// Renders the editor's main window with a project open, as a user sees it: plain, with controls
// selected, and in the register input order mode, into editor-main.png, editor-selection.png and
// editor-order-mode.png, then with a mistake made the problems dock and the address dock, into
// editor-problems.png and editor-addresses.png, and the About box into editor-about.png
// (editor-main-en.png ... when the language is English). Run it offscreen:
//   QT_QPA_PLATFORM=offscreen out/editor-screenshot build/default/examples/demo.ZQE docs
//   QT_QPA_PLATFORM=offscreen ZQ_LANG=en out/editor-screenshot build/default/examples/demo.ZQE docs
#include "editor/app/about_dlg.h"
#include "editor/app/child_frame.h"
#include "editor/app/editor_app.h"
#include "editor/app/editor_doc.h"
#include "editor/app/editor_view.h"
#include "editor/app/main_frame.h"
#include "editor/project.h"

#include "appkit/window_picture.h"
#include "controls/control_base.h"
#include "controls/screen_base.h"

#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QTemporaryDir>

#include <cstdio>

namespace {

// Writes the window's picture as out/<name><language suffix>.png; in English only when no Chinese
// text of the suite is left on it.
bool Save(QWidget& window, const QDir& out, const char* name)
{
    QApplication::processEvents();
    // The project's screen names are the user's own texts.
    QStringList typed;
    if (auto* frame = qobject_cast<CMainFrame*>(&window))
        for (CZQEditorView* view : frame->GetViews())
            typed << view->GetScreenTitle();
    if (!ZQ_CLI::ShowsUserLanguage(window, typed))
        return false;
    const QString path = out.filePath(QString::fromLatin1(name) + ZQ_CLI::LanguageSuffix() + QStringLiteral(".png"));
    if (!ZQ_CLI::FramedWindowPicture(window, window.font()).save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir settings; // leave the user's recent files alone
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings.path()));
    QApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: editor-screenshot PROJECT.ZQE OUTPUT_DIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[2]));
    ZQ_I18N::InstallWindowTranslators(application);
    CZQEditorApp editor;
    if (!editor.InitInstance({}, false))
        return 1;
    CMainFrame* frame = editor.GetMainFrame();
    frame->resize(1480, 960);
    if (!frame->OpenDocument(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 1;
    }
    // The screen windows cascaded, the first one in front.
    const QList<CZQEditorView*> views = frame->GetViews();
    for (int i = 0; i < views.size(); ++i) {
        const int step = 32 * (int(views.size()) - 1 - i); // the later screens behind and above
        frame->FrameOf(views[i])->move(step, step);
    }
    frame->ShowScreen(views.first()->GetScreen());
    bool ok = Save(*frame, out, "editor-main");

    // The temperature text, its register and its unit selected (the unit is the primary).
    CZQEditorView* view = views.first();
    CScreenBase* screen = view->GetScreen();
    const double zoom = screen->GetScreenZoomRate();
    screen->SetControlsAllNotSelected(nullptr);
    const std::vector<CControlBase*> layout = screen->GetLayoutControls();
    for (size_t i = 1; i < layout.size() && i <= 3; ++i) {
        QRect rect;
        layout[i]->GetControlRect(rect);
        screen->MouseDown(0, 1, QPoint(int(zoom * (rect.x() + 1)), int(zoom * (rect.y() + 1))), nullptr);
    }
    frame->UpdateCommandStates();
    view->RefreshScreen();
    ok = Save(*frame, out, "editor-selection") && ok;

    view->SelectScreenItself();
    view->ToggleOrderMode();
    frame->UpdateCommandStates();
    ok = Save(*frame, out, "editor-order-mode") && ok;
    view->ToggleOrderMode();

    // Two mistakes: the furnace register on D9000 (beyond D, the line reaches D4840) and moved onto
    // its unit; the check finds both, and the address table lists D9000 beside D200.
    CControlBase* furnace = layout.size() > 2 ? layout[2] : nullptr;
    if (furnace) {
        furnace->SetRegisterAddr(9000);
        furnace->SetX(furnace->GetX() + 16);
    }
    screen->SetControlsAllNotSelected(nullptr);
    view->RefreshScreen();
    frame->RefreshChecks();
    view->SelectScreenItself();
    frame->GetProblemsDock()->raise();
    ok = Save(*frame, out, "editor-problems") && ok;
    frame->GetAddressDock()->raise();
    ok = Save(*frame, out, "editor-addresses") && ok;
    CAboutDlg about(CAboutDlg::ABOUT, frame);
    about.show();
    ok = Save(about, out, "editor-about") && ok;
    frame->GetDocument()->SetModified(false);
    return ok ? 0 : 1;
}
