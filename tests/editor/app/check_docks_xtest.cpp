// On a real X server (started by run_under_xvfb.sh) with real input from xdotool: F7 checks the
// project, a double-click on the problem selects its control, and an address typed into the
// address table's search box and Enter find it. Every step waits for the state it causes.
#include "editor_test_support.h"

#include "editor/app/address_pane.h"
#include "editor/app/editor_doc.h"
#include "editor/app/editor_view.h"
#include "editor/app/main_frame.h"
#include "editor/app/problems_pane.h"
#include "editor/project.h"

#include "controls/control_base.h"
#include "controls/screen_base.h"

#include <QDockWidget>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QTreeWidget>

#include <functional>

namespace {

// xdotool with the arguments; false when it is missing or fails.
bool Xdotool(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    if (!process.waitForFinished(30000))
        return false;
    QCoreApplication::processEvents();
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// Runs the event loop until the condition holds; false when it never does (a generous bound only
// against a hang: the test waits for states, not for times).
bool WaitFor(const std::function<bool()>& condition)
{
    for (int i = 0; i < 600 && !condition(); ++i)
        QTest::qWait(50);
    return condition();
}

// Moves the real pointer to the widget point and double-clicks there.
bool RealDoubleClick(QWidget* widget, const QPoint& local)
{
    const QPoint global = widget->mapToGlobal(local);
    return Xdotool({QStringLiteral("mousemove"), QString::number(global.x()), QString::number(global.y())}) &&
           WaitFor([&] { return QCursor::pos() == global; }) &&
           Xdotool({QStringLiteral("click"), QStringLiteral("--repeat"), QStringLiteral("2"), QStringLiteral("1")});
}

} // namespace

class CheckDocksXTest : public QObject {
    Q_OBJECT

private slots:
    void realKeysAndClicksReachTheDocks()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            QSKIP("xdotool is not installed");
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        PromptAnswers prompts;
        CMainFrame frame;
        frame.resize(1200, 900);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QVERIFY(OpenDemo(frame));
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        CProject* project = frame.GetDocument()->GetProject();
        CScreenBase* first = project->GetScreenByNumber(1);
        CControlBase* furnace = first->GetLayoutControls().at(2);
        furnace->SetRegisterAddr(9000); // an error the next check finds

        frame.GetActiveView()->setFocus();
        QVERIFY(Xdotool({QStringLiteral("key"), QStringLiteral("F7")}));
        QTreeWidget* problems = frame.GetProblemsPane()->GetList();
        QVERIFY(WaitFor([&] { return problems->topLevelItemCount() == 1; }));

        frame.ShowScreen(project->GetScreenByNumber(3));
        QVERIFY(WaitFor([&] { return frame.GetActiveView()->GetScreen() == project->GetScreenByNumber(3); }));
        QTreeWidgetItem* row = problems->topLevelItem(0);
        QVERIFY(RealDoubleClick(problems->viewport(), problems->visualItemRect(row).center()));
        QVERIFY(WaitFor([&] {
            return frame.GetActiveView()->GetScreen() == first &&
                   Selected(frame.GetActiveView()) == std::vector<CControlBase*>{furnace};
        }));

        // Typed with the real keyboard: the search box finds the coil of the F2 key.
        frame.GetAddressDock()->raise();
        QLineEdit* filter = frame.GetAddressPane()->GetFilter();
        QVERIFY(WaitFor([&] { return filter->isVisible(); }));
        const QPoint box = filter->mapToGlobal(filter->rect().center());
        QVERIFY(Xdotool({QStringLiteral("mousemove"), QString::number(box.x()), QString::number(box.y()),
                         QStringLiteral("click"), QStringLiteral("1")}));
        QVERIFY(WaitFor([&] { return filter->hasFocus(); }));
        QVERIFY(Xdotool({QStringLiteral("type"), QStringLiteral("m0")}));
        QVERIFY(Xdotool(
            {QStringLiteral("key"), QStringLiteral("BackSpace"), QStringLiteral("0"), QStringLiteral("Return")}));
        QTreeWidget* table = frame.GetAddressPane()->GetTable();
        QVERIFY(WaitFor([&] {
            return filter->text() == QStringLiteral("m0") && table->currentItem() &&
                   table->currentItem()->text(CAddressPane::COLUMN_ADDRESS) == QStringLiteral("M0");
        }));
        frame.GetDocument()->SetModified(false);
    }
};

QTEST_MAIN(CheckDocksXTest)
#include "check_docks_xtest.moc"
