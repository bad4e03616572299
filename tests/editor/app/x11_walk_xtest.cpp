// A user's first project on a real X server (started by run_under_xvfb.sh), with real mouse and
// keyboard input from xdotool: a new project through the device selection, two screens with
// controls, Delete in a number field, the wheel over the attribute pane and a refused address,
// save, reopen and compare, a save through a symbolic link, hidden screen windows and a screen
// delete, and File > Close.
#include "editor_test_support.h"

#include "controls/control_base.h"
#include "controls/control_register.h"
#include "controls/dsp/dsp_attr_list.h"
#include "controls/dsp/dsp_attribute.h"
#include "controls/dsp/dsp_control.h"
#include "controls/dsp/dsp_screen.h"
#include "controls/screen_base.h"
#include "editor/app/child_frame.h"
#include "editor/app/dialogs/dlg_attributes_set.h"
#include "editor/app/dialogs/dlg_device_select.h"
#include "editor/app/dialogs/dlg_zoom.h"
#include "editor/app/dialogs/editor_dialogs.h"
#include "editor/app/editor_commands.h"
#include "editor/app/editor_doc.h"
#include "editor/app/editor_view.h"
#include "editor/app/main_frame.h"
#include "editor/project.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

namespace {

constexpr int WAIT_MS = 30000; // states are waited for; this only ends a hung run

bool XDo(const QStringList& arguments)
{
    return QProcess::execute(QStringLiteral("xdotool"), arguments) == 0;
}

// A real click (button 1 left, 3 right, 4/5 wheel up/down) at a point of widget.
bool ClickAt(QWidget* widget, const QPoint& local, int button = 1)
{
    // Pending layouts first (a bar that grew moves the ones beside it), then the point.
    for (int pass = 0; pass < 3; ++pass) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QApplication::processEvents();
    }
    const QPoint at = widget->mapToGlobal(local);
    return XDo({QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(at.x()), QString::number(at.y()),
                QStringLiteral("click"), QString::number(button)});
}

bool ClickCenter(QWidget* widget, int button = 1)
{
    return ClickAt(widget, widget->rect().center(), button);
}

bool Key(const QString& keys)
{
    return XDo({QStringLiteral("key"), keys});
}

bool Type(const QString& text)
{
    return XDo({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("30"), text});
}

QByteArray Bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The centre of a sub-window's close button, as its style lays out the title bar.
QPoint CloseButtonOf(QMdiSubWindow* window)
{
    QStyleOptionTitleBar option;
    option.initFrom(window);
    option.subControls = QStyle::SC_All;
    option.titleBarFlags = window->windowFlags();
    option.titleBarState = int(window->windowState()) | int(QStyle::State_Active);
    option.state |= QStyle::State_Active;
    option.text = window->windowTitle();
    const int height = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, window);
    option.rect = QRect(0, 0, window->width(), height);
    return window->style()
        ->subControlRect(QStyle::CC_TitleBar, &option, QStyle::SC_TitleBarCloseButton, window)
        .center();
}

// Counts the wheel events that reach a widget.
class WheelCounter : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Wheel)
            ++count;
        return false;
    }
};

} // namespace

class X11WalkTest : public QObject {
    Q_OBJECT

    CMainFrame* m_frame = nullptr;

    QWidget* Button(unsigned command) const
    {
        for (int bar : {CMainFrame::TOOLBAR_STANDARD, CMainFrame::TOOLBAR_INSERT, CMainFrame::TOOLBAR_SCREENS})
            if (QWidget* button = m_frame->GetToolBar(bar)->widgetForAction(m_frame->GetAction(command)))
                return button;
        return nullptr;
    }
    CDlgAttributesSet* Pane() const { return m_frame->findChild<CDlgAttributesSet*>(); }
    CProject* Project() const { return m_frame->GetDocument() ? m_frame->GetDocument()->GetProject() : nullptr; }

private slots:
    void aFirstProjectWithRealInput()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            QSKIP("xdotool is not installed");
        PromptAnswers prompts;
        QTemporaryDir dir;
        CMainFrame frame;
        m_frame = &frame;
        InstallEditorDialogs(&frame);
        frame.resize(1280, 900);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));

        // New: the device selection opens; its OK is clicked.
        QTimer confirm;
        connect(&confirm, &QTimer::timeout, this, [&] {
            if (auto* dialog = qobject_cast<CDlgDeviceSelect*>(QApplication::activeModalWidget())) {
                confirm.stop();
                if (QTest::qWaitForWindowExposed(dialog))
                    ClickCenter(dialog->Child<QPushButton>(1));
            }
        });
        confirm.start(50);
        QVERIFY(ClickCenter(Button(ID_FILE_NEW)));
        QTRY_VERIFY_WITH_TIMEOUT(Project() != nullptr, WAIT_MS);
        QCOMPARE(Project()->GetScreenCount(), 1);

        // A register on the first screen; Delete in its X field removes the digit after the caret.
        QVERIFY(ClickCenter(Button(ID_INSERT_REGISTER)));
        QTRY_VERIFY_WITH_TIMEOUT(Pane()->GetControlWindow() && Pane()->GetControlWindow()->isVisible(), WAIT_MS);
        QVERIFY(frame.GetActiveView());
        CControlBase* inserted = frame.GetActiveView()->GetScreen()->GetCurrentSelectControl();
        QVERIFY(inserted);
        auto* reg = dynamic_cast<CControlRegister*>(inserted);
        QVERIFY2(reg, qPrintable(QString::number(inserted->GetControlType())));
        QLineEdit* x = RowOf(Pane(), reg->GetLayoutAtttribute()->GetXAttribute())->GetEditBox();
        QVERIFY(ClickCenter(x));
        QTRY_VERIFY_WITH_TIMEOUT(x->hasFocus(), WAIT_MS);
        QVERIFY(Key(QStringLiteral("ctrl+a")));
        QVERIFY(Type(QStringLiteral("12")));
        QTRY_COMPARE_WITH_TIMEOUT(reg->GetX(), 12, WAIT_MS);
        QVERIFY(Key(QStringLiteral("Home")));
        QVERIFY(Key(QStringLiteral("Delete")));
        QTRY_COMPARE_WITH_TIMEOUT(x->text(), QStringLiteral("2"), WAIT_MS);
        QCOMPARE(reg->GetX(), 2);

        // The wheel over an unfocused drop-down of the pane leaves its attribute alone.
        QComboBox* digits = RowOf(Pane(), reg->GetIntegerDigitsAttribute())->GetComboBox();
        const int digitsBefore = reg->GetIntegerDigits();
        const int steps = frame.GetActiveView()->GetOperateCtrl()->GetUndoCount();
        WheelCounter wheel;
        digits->installEventFilter(&wheel);
        QVERIFY(ClickAt(digits, digits->rect().center(), 5));
        QVERIFY(ClickAt(digits, digits->rect().center(), 4));
        QVERIFY(ClickAt(digits, digits->rect().center(), 5));
        QTRY_COMPARE_WITH_TIMEOUT(wheel.count, 3, WAIT_MS);
        digits->removeEventFilter(&wheel);
        QVERIFY(x->hasFocus());
        QCOMPARE(reg->GetIntegerDigits(), digitsBefore);
        QCOMPARE(frame.GetActiveView()->GetOperateCtrl()->GetUndoCount(), steps);

        // An address beyond its kind (D is 0-8511) typed with the real keyboard: the last digit is
        // refused and shown so, the register keeps what it took, and leaving shows what is stored.
        QLineEdit* address = RowOf(Pane(), reg->GetDataAtttribute()->GetRegisterAddrAttribute())->GetEditBox();
        QVERIFY(ClickCenter(address));
        QTRY_VERIFY_WITH_TIMEOUT(address->hasFocus(), WAIT_MS);
        QVERIFY(Key(QStringLiteral("ctrl+a")));
        QVERIFY(Type(QStringLiteral("9000")));
        QTRY_COMPARE_WITH_TIMEOUT(address->text(), QStringLiteral("9000"), WAIT_MS);
        QCOMPARE(reg->GetRegisterAddr(), 900);
        QVERIFY2(address->toolTip().endsWith(QStringLiteral("有效范围：0 - 8511")), qPrintable(address->toolTip()));
        QVERIFY(Key(QStringLiteral("Tab")));
        QTRY_COMPARE_WITH_TIMEOUT(address->text(), QStringLiteral("900"), WAIT_MS);

        // A second screen with a lamp.
        QVERIFY(ClickCenter(Button(ID_SCREEN_NEW)));
        QTRY_COMPARE_WITH_TIMEOUT(Project()->GetScreenCount(), 2, WAIT_MS);
        QTRY_VERIFY_WITH_TIMEOUT(frame.GetActiveView()->GetScreen() == Project()->GetLastScreen(), WAIT_MS);
        QVERIFY(ClickCenter(Button(ID_INSERT_LAMP)));
        QTRY_COMPARE_WITH_TIMEOUT(Project()->GetLastScreen()->GetControlCount(), 1, WAIT_MS);

        // Save, reopen, compare.
        const QString path = dir.filePath(QStringLiteral("boiler.ZQE"));
        prompts.files << path;
        QVERIFY(ClickCenter(Button(ID_FILE_SAVE)));
        QTRY_VERIFY_WITH_TIMEOUT(!frame.GetDocument()->IsModified(), WAIT_MS);
        const QByteArray saved = Bytes(path);
        QVERIFY(!saved.isEmpty());
        const int registerX = reg->GetX();
        prompts.files << path;
        QVERIFY(ClickCenter(Button(ID_FILE_OPEN)));
        QTRY_VERIFY_WITH_TIMEOUT(Project() && Project()->GetFirstScreen()->GetControlCount() == 1 &&
                                     frame.GetViews().size() == 2,
                                 WAIT_MS);
        QCOMPARE(Project()->GetFirstScreen()->GetCreatedControls().front()->GetX(), registerX);
        QCOMPARE(Project()->GetLastScreen()->GetControlCount(), 1);
        const QString again = dir.filePath(QStringLiteral("again.ZQE"));
        std::string error;
        QVERIFY(frame.GetDocument()->SaveProject(again, error));
        QCOMPARE(Bytes(again), saved);

        // Opened through a symbolic link, changed and saved with the button: the file it names is
        // replaced, the link and the file's permission bits stay, no temporary is left.
        const QString link = dir.filePath(QStringLiteral("linked.ZQE"));
        QVERIFY(QFile::link(path, link));
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup));
        prompts.files << link;
        QVERIFY(ClickCenter(Button(ID_FILE_OPEN)));
        QTRY_VERIFY_WITH_TIMEOUT(Project() && frame.GetDocument()->GetPathName().endsWith(QStringLiteral("linked.ZQE")),
                                 WAIT_MS);
        QTRY_VERIFY_WITH_TIMEOUT(frame.GetActiveView() != nullptr, WAIT_MS);
        const int lamps = Project()->GetLastScreen()->GetControlCount();
        QTRY_VERIFY_WITH_TIMEOUT(frame.GetActiveView()->GetScreen() == Project()->GetLastScreen(), WAIT_MS);
        QVERIFY(ClickCenter(Button(ID_INSERT_LAMP)));
        QTRY_COMPARE_WITH_TIMEOUT(Project()->GetLastScreen()->GetControlCount(), lamps + 1, WAIT_MS);
        QVERIFY(ClickCenter(Button(ID_FILE_SAVE)));
        QTRY_VERIFY_WITH_TIMEOUT(!frame.GetDocument()->IsModified(), WAIT_MS);
        QVERIFY(QFileInfo(link).isSymLink());
        QVERIFY(Bytes(path) != saved && Bytes(link) == Bytes(path));
        QCOMPARE(QFile::permissions(path) & 0x0FFF, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                        QFileDevice::ReadUser | QFileDevice::WriteUser |
                                                        QFileDevice::ReadGroup);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::System).size(), 3); // boiler, again, the link

        // A third screen; two windows closed with their title bar's close button hide; the shown
        // one is deleted.
        QVERIFY(ClickCenter(Button(ID_SCREEN_NEW)));
        QTRY_COMPARE_WITH_TIMEOUT(Project()->GetScreenCount(), 3, WAIT_MS);
        for (int hidden = 1; hidden <= 2; ++hidden) {
            CZQEditorView* view = frame.GetActiveView();
            QVERIFY(view);
            QVERIFY(ClickAt(frame.FrameOf(view), CloseButtonOf(frame.FrameOf(view))));
            QTRY_VERIFY_WITH_TIMEOUT(!frame.FrameOf(view)->isVisible(), WAIT_MS);
        }
        CZQEditorView* shown = frame.GetActiveView();
        QVERIFY(shown);
        CScreenBase* doomed = shown->GetScreen();
        QVERIFY(ClickCenter(Button(ID_SCREEN_DELETE))); // the question is answered OK
        QTRY_COMPARE_WITH_TIMEOUT(Project()->GetScreenCount(), 2, WAIT_MS);
        QTRY_VERIFY_WITH_TIMEOUT(frame.GetActiveView() != nullptr, WAIT_MS);
        QVERIFY(frame.FrameOf(frame.GetActiveView())->isVisible());
        QVERIFY(Pane()->GetScreen() != doomed);
        QCOMPARE(Pane()->GetScreen(), frame.GetActiveView()->GetScreen());
        QLineEdit* name = Pane()->GetScreenWindow()->GetNameEdit();
        QVERIFY(ClickCenter(name));
        QTRY_VERIFY_WITH_TIMEOUT(name->hasFocus(), WAIT_MS);
        QVERIFY(Key(QStringLiteral("ctrl+a")));
        QVERIFY(Type(QStringLiteral("Boiler")));
        QTRY_COMPARE_WITH_TIMEOUT(QByteArray(frame.GetActiveView()->GetScreen()->GetScreenName()), QByteArray("Boiler"),
                                  WAIT_MS);

        // File > Close through the menu; the save question is answered No.
        prompts.answers << QMessageBox::No;
        QMenu* file = frame.menuBar()->actions().first()->menu();
        QVERIFY(ClickAt(frame.menuBar(), frame.menuBar()->actionGeometry(file->menuAction()).center()));
        QTRY_VERIFY_WITH_TIMEOUT(file->isVisible(), WAIT_MS);
        QVERIFY(ClickAt(file, file->actionGeometry(frame.GetAction(ID_FILE_CLOSE)).center()));
        QTRY_VERIFY_WITH_TIMEOUT(!frame.GetDocument(), WAIT_MS);
        QVERIFY(!Pane()->GetScreen() && !Pane()->GetComboBox()->isEnabled());
        QVERIFY(!frame.findChild<CDlgZoom*>()->isEnabled());
        QVERIFY(prompts.answers.isEmpty() && prompts.files.isEmpty());
        QCOMPARE(prompts.messages.size(), 2); // the delete question and the save question
    }
};

int main(int argc, char** argv)
{
    UseTemporarySettings();
    QApplication app(argc, argv);
    X11WalkTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "x11_walk_xtest.moc"
