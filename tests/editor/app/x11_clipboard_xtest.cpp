// On a real X server (started by run_under_xvfb.sh): controls copied in one editor process are
// pasted in a second one through the X11 clipboard, and the pixels of the real window match the
// view's own off-screen drawing.
#include "editor_test_support.h"

#include "editor/app/controls_clipboard.h"
#include "editor/app/editor_commands.h"
#include "editor/app/editor_doc.h"
#include "editor/app/editor_view.h"
#include "editor/app/main_frame.h"

#include "controls/control_base.h"
#include "controls/screen_base.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QProcess>
#include <QScreen>
#include <QTest>

#include <cstdio>
#include <memory>

namespace {

const char* const PASTE_ROLE = "--paste-into-demo";

// One line per selected control: "type x y".
QStringList DescribeSelection(CZQEditorView* view)
{
    QStringList lines;
    for (CControlBase* control : Selected(view))
        lines
            << QStringLiteral("%1 %2 %3").arg(int(control->GetControlType())).arg(control->GetX()).arg(control->GetY());
    return lines;
}

// The second editor: opens the demo, pastes what the clipboard holds and reports the selection.
int RunPasteRole()
{
    CMainFrame frame;
    frame.show();
    if (!QTest::qWaitForWindowExposed(&frame) || !OpenDemo(frame))
        return 2;
    QDeadlineTimer deadline(60000);
    while (!CControlsClipboard::HasData() && !deadline.hasExpired())
        QTest::qWait(50);
    if (!CControlsClipboard::HasData())
        return 3;
    frame.GetAction(ID_EDIT_PASTE)->trigger();
    std::printf("%s\n", qPrintable(DescribeSelection(frame.GetActiveView()).join(QLatin1Char(';'))));
    std::fflush(stdout);
    frame.GetDocument()->SetModified(false);
    return 0;
}

} // namespace

class X11ClipboardTest : public QObject {
    Q_OBJECT

private slots:
    void controlsCopiedInOneEditorPasteIntoAnother()
    {
        PromptAnswers prompts;
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        CMainFrame frame;
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QVERIFY(OpenDemo(frame));
        CZQEditorView* view = frame.GetActiveView();
        const auto controls = Layout(view);
        Click(view, CenterOf(view, controls[0]));
        Click(view, CenterOf(view, controls[2]), Qt::ShiftModifier); // a text and the register
        const QStringList copied = DescribeSelection(view);
        frame.GetAction(ID_EDIT_COPY)->trigger();
        QVERIFY(QGuiApplication::clipboard()->ownsClipboard());

        QProcess other;
        other.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        other.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(PASTE_ROLE)});
        QVERIFY(other.waitForStarted(60000));
        // This process serves the clipboard while the other one pastes: keep the event loop going.
        QTRY_VERIFY_WITH_TIMEOUT(other.state() == QProcess::NotRunning, 120000);
        QCOMPARE(other.exitCode(), 0);
        const QString report = QString::fromLocal8Bit(other.readAllStandardOutput()).trimmed();
        // The same kinds, moved together (the demo's own controls lie where they were copied from)
        // so their layout among themselves stays.
        const QStringList pasted = report.split(QLatin1Char(';'));
        QCOMPARE(pasted.size(), copied.size());
        const QStringList first = pasted.first().split(QLatin1Char(' '));
        const QStringList origin = copied.first().split(QLatin1Char(' '));
        const int dx = first[1].toInt() - origin[1].toInt(), dy = first[2].toInt() - origin[2].toInt();
        QVERIFY(dx != 0 || dy != 0);
        QStringList expected;
        for (const QString& line : copied) {
            const QStringList f = line.split(QLatin1Char(' '));
            expected << QStringLiteral("%1 %2 %3").arg(f[0]).arg(f[1].toInt() + dx).arg(f[2].toInt() + dy);
        }
        QCOMPARE(report, expected.join(QLatin1Char(';')));
        frame.GetDocument()->SetModified(false);
    }

    void realWindowShowsTheViewsDrawing()
    {
        PromptAnswers prompts;
        CMainFrame frame;
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QVERIFY(OpenDemo(frame));
        CZQEditorView* view = frame.GetActiveView();
        view->SelectControlByLayoutIndex(2);
        QWidget* port = view->viewport();
        const QSize size = port->size().boundedTo(view->GetScreenRect().size() + QSize(20, 20));
        const QImage drawn = view->RenderImage().copy(QRect(QPoint(0, 0), size)).convertToFormat(QImage::Format_RGB32);
        QImage shown;
        const QPoint at = port->mapTo(&frame, QPoint(0, 0));
        // Wait until the server holds the painted window.
        QTRY_VERIFY_WITH_TIMEOUT((shown = frame.screen()
                                              ->grabWindow(frame.winId(), at.x(), at.y(), size.width(), size.height())
                                              .toImage()
                                              .convertToFormat(QImage::Format_RGB32)) == drawn,
                                 20000);
        drawn.save(QStringLiteral(ZQ_SCREENSHOT_DIR "/x11-view-drawn.png"));
        shown.save(QStringLiteral(ZQ_SCREENSHOT_DIR "/x11-view-shown.png"));
        frame.GetDocument()->SetModified(false);
    }
};

int main(int argc, char** argv)
{
    UseTemporarySettings();
    QApplication app(argc, argv);
    if (argc > 1 && qstrcmp(argv[1], PASTE_ROLE) == 0)
        return RunPasteRole();
    X11ClipboardTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "x11_clipboard_xtest.moc"
