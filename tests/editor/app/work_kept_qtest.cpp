// Nothing a user does in the editor loses, corrupts or silently changes their work: the whole
// editor (frame, bars, pane and dialogs) driven by real keys, wheel turns and input-method
// commits, with the texts a real keyboard sends.
#include "comkit/gbk.h"
#include "controls/attr_groups.h"
#include "controls/attribute_base.h"
#include "controls/control_register.h"
#include "controls/dsp/dsp_attr_list.h"
#include "controls/dsp/dsp_attribute.h"
#include "controls/dsp/dsp_control.h"
#include "controls/dsp/dsp_input_rules.h"
#include "controls/dsp/dsp_screen.h"
#include "controls/screen_base.h"
#include "editor/app/child_frame.h"
#include "editor/app/dialogs/dlg_attributes_set.h"
#include "editor/app/dialogs/dlg_device_select.h"
#include "editor/app/dialogs/dlg_screen_attributes.h"
#include "editor/app/dialogs/dlg_screens_list.h"
#include "editor/app/dialogs/dlg_zoom.h"
#include "editor/app/dialogs/editor_dialogs.h"
#include "editor/app/editor_commands.h"
#include "editor/app/editor_doc.h"
#include "editor/app/editor_view.h"
#include "editor/app/main_frame.h"
#include "editor/project.h"
#include "editor/project_check.h"

#include "editor_test_support.h"

#include <QAction>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QWheelEvent>
#include <QtTest>

namespace {

int g_beeps = 0;

// A key as a real X11 keyboard sends it: with its text (Delete carries "\x7f").
void RealKey(QWidget* widget, Qt::Key key, const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::sendKeyEvent(QTest::Click, widget, key, text, modifiers);
}

void Commit(QWidget* widget, const QString& text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(widget, &event);
}

// A wheel notch over widget, as the window system delivers it (it reaches the widget under the
// pointer first).
bool WheelOver(QWidget* widget, int delta)
{
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
    return event.isAccepted();
}

// The panel rectangle of a control.
QRect PanelRect(const CControlBase* control)
{
    return QRect(control->GetX(), control->GetY(), control->GetWidth(), control->GetHeight());
}

// True when a control outside `group` shares a pixel with a control of it.
bool CoversAnother(CScreenBase* screen, const std::vector<CControlBase*>& group)
{
    for (CControlBase* other : screen->GetLayoutControls())
        if (std::find(group.begin(), group.end(), other) == group.end())
            for (CControlBase* member : group)
                if (PanelRect(member).intersects(PanelRect(other)))
                    return true;
    return false;
}

} // namespace

class WorkKeptTest : public QObject, private FrameFixture {
    Q_OBJECT

    CDlgAttributesSet* Pane() const { return m_frame->findChild<CDlgAttributesSet*>(); }
    CProject* Project() const { return m_frame->GetDocument() ? m_frame->GetDocument()->GetProject() : nullptr; }

    // Opens the demo and selects its first register with a click; the pane shows it.
    CControlRegister* SelectRegister()
    {
        if (!OpenDemo(*m_frame))
            return nullptr;
        CZQEditorView* view = m_frame->GetActiveView();
        for (CControlBase* control : Layout(view))
            if (auto* reg = dynamic_cast<CControlRegister*>(control)) {
                Click(view, CenterOf(view, reg));
                return view->GetScreen()->GetCurrentSelectControl() == reg ? reg : nullptr;
            }
        return nullptr;
    }

    QLineEdit* FocusedEdit(CAttributeBase* attribute)
    {
        CDspAttribute* row = RowOf(Pane(), attribute);
        QLineEdit* edit = row ? row->GetEditBox() : nullptr;
        if (edit) {
            edit->setFocus();
            QApplication::processEvents();
        }
        return edit && edit->hasFocus() ? edit : nullptr;
    }

private slots:
    void initTestCase()
    {
        DspInput::SetBeepHook([] { ++g_beeps; });
    }
    void cleanupTestCase() { DspInput::SetBeepHook(nullptr); }
    void init()
    {
        g_beeps = 0;
        QVERIFY(StartFrame());
        InstallEditorDialogs(m_frame.get());
        QApplication::setActiveWindow(m_frame.get());
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
    }
    void cleanup() { QVERIFY(EndFrame()); }

    void deletingAScreenBesideHiddenWindowsShowsTheHeadAndRefreshesTheBars()
    {
        QVERIFY(OpenDemo(*m_frame));
        // Close two of the three windows: they hide, and only the third stays shown.
        CZQEditorView* first = m_frame->GetActiveView();
        m_frame->FrameOf(first)->close();
        CZQEditorView* second = m_frame->GetActiveView();
        m_frame->FrameOf(second)->close();
        CZQEditorView* last = m_frame->GetActiveView();
        QVERIFY(last && last != first && last != second);
        CScreenBase* deleted = last->GetScreen();
        m_frame->GetAction(ID_SCREEN_DELETE)->trigger(); // answered OK
        QCOMPARE(Project()->GetScreenCount(), 2);
        // The head of the activation order (the window hidden last) is shown and active.
        CZQEditorView* active = m_frame->GetActiveView();
        QCOMPARE(active, second);
        QVERIFY(m_frame->FrameOf(active)->isVisible());
        QCOMPARE(Pane()->GetScreen(), active->GetScreen());
        QVERIFY(Pane()->GetScreen() != deleted);
        auto* screens = m_frame->findChild<CDlgScreensList*>();
        QCOMPARE(screens->GetComboBox()->count(), 2);
        // Typing into the pane's name field renames the shown screen.
        QLineEdit* name = Pane()->GetScreenWindow()->GetNameEdit();
        name->setFocus();
        name->selectAll();
        QTest::keyClicks(name, "P9");
        QCOMPARE(QByteArray(active->GetScreen()->GetScreenName()), QByteArray("P9"));
        QCOMPARE(screens->GetComboBox()->itemText(screens->GetComboBox()->currentIndex()), QStringLiteral("P9"));
    }

    void closeEmptiesAndDisablesTheBars()
    {
        QVERIFY(OpenDemo(*m_frame));
        auto* zoom = m_frame->findChild<CDlgZoom*>();
        auto* screens = m_frame->findChild<CDlgScreensList*>();
        QVERIFY(zoom->isEnabled() && screens->isEnabled() && Pane()->GetComboBox()->isEnabled());
        Trigger(ID_FILE_CLOSE);
        QVERIFY(!m_frame->GetDocument());
        QVERIFY(!Pane()->GetScreen());
        QVERIFY(!Pane()->GetComboBox()->isEnabled());
        QCOMPARE(Pane()->GetComboBox()->count(), 0);
        QVERIFY(!Pane()->GetControlWindow() && !Pane()->GetScreenWindow());
        QCOMPARE(screens->GetComboBox()->count(), 0);
        QVERIFY(!screens->isEnabled());
        QVERIFY(!zoom->isEnabled());
    }

    void aRefusedOpenKeepsTheUnsavedMark()
    {
        QVERIFY(OpenDemo(*m_frame));
        CZQEditorDoc* doc = m_frame->GetDocument();
        m_frame->GetActiveView()->InsertControl(CControlBase::CONTROL_STATIC_TEXT);
        QTemporaryDir dir;
        const QString notAProject = dir.filePath(QStringLiteral("notes.ZQE"));
        QFile file(notAProject);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a project");
        file.close();
        m_prompts->answers = {QMessageBox::No}; // do not save, then the file is refused
        m_prompts->files = {notAProject};
        Trigger(ID_FILE_OPEN);
        QCOMPARE(m_prompts->proposedFiles, QStringList{QFileInfo(QStringLiteral(ZQ_DEMO_PROJECT)).absolutePath()});
        QCOMPARE(m_frame->GetDocument(), doc);
        QVERIFY(doc->IsModified());
        // So closing still asks before the edits go.
        m_prompts->answers = {QMessageBox::Cancel};
        QVERIFY(!m_frame->CloseDocument());
        QCOMPARE(m_prompts->messages.size(), 3);
    }

    void panelSettingsCancelAndAnUntouchedOkChangeNothing()
    {
        QVERIFY(OpenDemo(*m_frame));
        Project()->SetBacklightDelay(3600);
        m_frame->GetDocument()->SetModified(false);
        for (UINT button : {2u, 1u}) { // Cancel, then OK
            QString shown;
            QTimer::singleShot(0, this, [&] {
                auto* dialog = qobject_cast<CDlgScreenAttributes*>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                shown = dialog->Child<QLineEdit>(CDlgScreenAttributes::ID_BACKLIGHT_DELAY)->text();
                QTest::mouseClick(dialog->Child<QPushButton>(button), Qt::LeftButton);
            });
            Trigger(ID_SCREEN_ATTRIBUTES);
            QCOMPARE(shown, QStringLiteral("3600"));
            QCOMPARE(Project()->GetBacklightDelay(), WORD(3600));
            QVERIFY(!m_frame->GetDocument()->IsModified());
        }
    }

    void theDeviceSelectionCanBeCancelledAndDialogsOfferNoMinimise()
    {
        bool seen = false;
        Qt::WindowFlags flags;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<CDlgDeviceSelect*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            seen = true;
            flags = dialog->windowFlags();
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        Trigger(ID_FILE_NEW);
        QVERIFY(seen);
        QVERIFY(!m_frame->GetDocument());
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint) && !flags.testFlag(Qt::WindowMaximizeButtonHint));
    }

    void valuesLongerThanTheirBoxAreKeptWhole()
    {
        CControlRegister* reg = SelectRegister();
        QVERIFY(reg);
        CAttributeBase* maximum = reg->GetDataAtttribute()->GetAttributeAt(CDataAttributes::POS_KIND_FIRST + 2);
        QVERIFY(maximum->SetValueString("1234567"));
        Pane()->Synchronize();
        QLineEdit* edit = FocusedEdit(maximum);
        QVERIFY(edit);
        QCOMPARE(edit->text(), QStringLiteral("1234567"));
        QTest::keyClick(edit, Qt::Key_End);
        QTest::keyClick(edit, Qt::Key_Return); // confirmed unchanged
        QCOMPARE(maximum->GetValueRef().GetInt32(), 1234567);
    }

    void theWheelOverAnUnfocusedDropDownLeavesTheAttribute()
    {
        CControlRegister* reg = SelectRegister();
        QVERIFY(reg);
        CZQEditorView* view = m_frame->GetActiveView();
        QComboBox* digits = RowOf(Pane(), reg->GetIntegerDigitsAttribute())->GetComboBox();
        const int before = reg->GetIntegerDigits();
        const int steps = view->GetOperateCtrl()->GetUndoCount();
        view->setFocus();
        QVERIFY(!WheelOver(digits, -120)); // passed on to the pane's scroll area
        QCOMPARE(reg->GetIntegerDigits(), before);
        QCOMPARE(view->GetOperateCtrl()->GetUndoCount(), steps);
        QVERIFY(!m_frame->GetDocument()->IsModified());
        // A focused drop-down takes it.
        digits->setFocus();
        QApplication::processEvents();
        WheelOver(digits, -120);
        QCOMPARE(reg->GetIntegerDigits(), before + 1);
        QCOMPARE(view->GetOperateCtrl()->GetUndoCount(), steps + 1);
    }

    void deleteInANumberFieldDeletesWithTheTextARealKeyboardSends()
    {
        CControlRegister* reg = SelectRegister();
        QVERIFY(reg);
        QLineEdit* x = FocusedEdit(reg->GetLayoutAtttribute()->GetXAttribute());
        QVERIFY(x);
        x->setText(QStringLiteral("123"));
        QCOMPARE(reg->GetX(), 123);
        x->setCursorPosition(0);
        RealKey(x, Qt::Key_Delete, QStringLiteral("\x7f"));
        QCOMPARE(x->text(), QStringLiteral("23"));
        QCOMPARE(reg->GetX(), 23);
        QCOMPARE(g_beeps, 0);
        // Backspace as X11 sends it ("\b") and a refused letter.
        x->setCursorPosition(2);
        RealKey(x, Qt::Key_Backspace, QStringLiteral("\b"));
        QCOMPARE(reg->GetX(), 2);
        RealKey(x, Qt::Key_A, QStringLiteral("a"));
        QCOMPARE(x->text(), QStringLiteral("2"));
        QCOMPARE(g_beeps, 1);
    }

    void anOutOfRangeNumberIsShownAsRefused()
    {
        CControlRegister* reg = SelectRegister();
        QVERIFY(reg);
        QLineEdit* x = FocusedEdit(reg->GetLayoutAtttribute()->GetXAttribute());
        QVERIFY(x);
        x->selectAll();
        QTest::keyClicks(x, "190");
        QCOMPARE(reg->GetX(), 19);
        QCOMPARE(x->text(), QStringLiteral("190"));
        const int last = reg->GetScreenPointer()->GetScreenWidth() - reg->GetWidth();
        QVERIFY(last < 190);
        QVERIFY2(x->toolTip().endsWith(QStringLiteral("有效范围：0 - %1").arg(last)), qPrintable(x->toolTip()));
        QCOMPARE(x->palette().color(QPalette::Text), QColor(Qt::red));
        QTest::keyClick(x, Qt::Key_Tab); // the focus leaves: the stored value shows, unmarked
        QCOMPARE(x->text(), QStringLiteral("19"));
        QVERIFY(x->toolTip().isEmpty());
    }

    void inputMethodCommitsObeyTheTypingRules()
    {
        CControlRegister* reg = SelectRegister();
        QVERIFY(reg);
        QLineEdit* y = FocusedEdit(reg->GetLayoutAtttribute()->GetYAttribute());
        QVERIFY(y);
        const int before = reg->GetY();
        y->selectAll();
        Commit(y, QStringLiteral("ab"));
        QCOMPARE(reg->GetY(), before);
        QCOMPARE(y->text(), QString::number(before));
        QCOMPARE(g_beeps, 1);
        y->selectAll();
        Commit(y, QStringLiteral("12"));
        QCOMPARE(reg->GetY(), 12);
    }

    void editKeysInAnEditBoxOfThePaneActOnTheBox()
    {
        CControlRegister* reg = SelectRegister();
        QVERIFY(reg);
        CZQEditorView* view = m_frame->GetActiveView();
        QLineEdit* x = FocusedEdit(reg->GetLayoutAtttribute()->GetXAttribute());
        QVERIFY(x);
        const QString old = x->text();
        x->selectAll();
        QTest::keyClicks(x, "7");
        QCOMPARE(reg->GetX(), 7);
        const int steps = view->GetOperateCtrl()->GetUndoCount();
        RealKey(x, Qt::Key_Z, QString(), Qt::ControlModifier); // the box's own undo
        QCOMPARE(x->text(), old);
        QCOMPARE(view->GetOperateCtrl()->GetUndoCount(), steps);
        QCOMPARE(view->GetScreen()->GetCurrentSelectControl(), static_cast<CControlBase*>(reg));
        x->selectAll();
        RealKey(x, Qt::Key_Insert, QString(), Qt::ControlModifier); // copy
        RealKey(x, Qt::Key_Delete, QString(), Qt::ShiftModifier);   // cut
        QCOMPARE(x->text(), QString());
        RealKey(x, Qt::Key_Insert, QString(), Qt::ShiftModifier); // paste
        QCOMPARE(x->text(), old);
        QCOMPARE(view->GetScreen()->GetControlCount(), Project()->GetFirstScreen()->GetControlCount());
        QVERIFY(view->GetScreen()->GetCurrentSelectControl() == reg);
    }

    void anAddressOutsideItsKindIsRefusedAndAKindChangeMarksIt()
    {
        CControlRegister* reg = SelectRegister(); // D100
        QVERIFY(reg);
        CAttributeBase* address = reg->GetDataAtttribute()->GetRegisterAddrAttribute();
        QLineEdit* edit = FocusedEdit(address);
        QVERIFY(edit);
        edit->selectAll();
        QTest::keyClicks(edit, "9000"); // D is 0-8511: the last digit is refused, 900 stays
        QCOMPARE(reg->GetRegisterAddr(), 900);
        QCOMPARE(edit->text(), QStringLiteral("9000"));
        QCOMPARE(edit->palette().color(QPalette::Text), QColor(Qt::red));
        QVERIFY2(edit->toolTip().endsWith(QStringLiteral("有效范围：0 - 8511")), qPrintable(edit->toolTip()));
        QTest::keyClick(edit, Qt::Key_Tab);
        QCOMPARE(edit->text(), QStringLiteral("900"));
        QVERIFY(edit->toolTip().isEmpty());

        // T (0-255) leaves 900 outside: the kind changes, the address stays as it is, marked, and
        // the check reports it.
        QComboBox* kind = RowOf(Pane(), reg->GetDataAtttribute()->GetRegisterAttribute())->GetComboBox();
        kind->setFocus();
        QTest::keyClick(kind, Qt::Key_Down);
        QCOMPARE(QString::fromStdString(
                     COMMON_EX::GbkToUtf8Lossy(reg->GetDataAtttribute()->GetRegisterAttribute()->GetText().c_str())),
                 QStringLiteral("T(定时器当前值)"));
        QCOMPARE(reg->GetRegisterAddr(), 900);
        edit = RowOf(Pane(), address)->GetEditBox();
        QCOMPARE(edit->text(), QStringLiteral("900"));
        QCOMPARE(edit->palette().color(QPalette::Text), QColor(Qt::red));
        QVERIFY2(edit->toolTip().endsWith(QStringLiteral("有效范围：0 - 255")), qPrintable(edit->toolTip()));
        const std::vector<CProjectCheck::FINDING> findings = CProjectCheck::Run(*Project());
        QVERIFY(std::any_of(findings.begin(), findings.end(), [](const CProjectCheck::FINDING& f) {
            return f.code == CProjectCheck::ADDRESS_OUT_OF_RANGE && f.text.find("T900") == 0;
        }));
        // An address T takes clears the mark.
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, "25");
        QCOMPARE(reg->GetRegisterAddr(), 25);
        QVERIFY(edit->toolTip().isEmpty());
        QCOMPARE(edit->palette().color(QPalette::Text), QApplication::palette().color(QPalette::Text));
    }

    void newAndPastedControlsGoWhereTheyCoverNothing()
    {
        QVERIFY(OpenDemo(*m_frame));
        CZQEditorView* view = m_frame->GetActiveView();
        CScreenBase* screen = view->GetScreen();
        // The cascade's next place lies on the heading: the register goes to the first free place.
        int x = 0, y = 0, column = 0, row = 0;
        screen->GetDefPosCursor(x, y, column, row);
        QWidget* insert =
            m_frame->GetToolBar(CMainFrame::TOOLBAR_INSERT)->widgetForAction(m_frame->GetAction(ID_INSERT_REGISTER));
        QTest::mouseClick(insert, Qt::LeftButton);
        CControlBase* added = screen->GetCurrentSelectControl();
        QVERIFY(added && added->GetControlType() == CControlBase::CONTROL_REGISTER);
        QVERIFY(QPoint(added->GetX(), added->GetY()) != QPoint(x, y));
        QVERIFY(!CoversAnother(screen, {added}));
        QVERIFY(PanelRect(added).bottom() < screen->GetScreenHeight() &&
                PanelRect(added).right() < screen->GetScreenWidth());
        // One step: undo takes it away again.
        const int count = screen->GetControlCount();
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(screen->GetControlCount(), count - 1);

        // Two controls copied and pasted keep their layout among themselves and cover nothing.
        std::vector<CControlBase*> pair{Layout(view).at(0), Layout(view).at(1)}; // the two headings
        Click(view, CenterOf(view, pair[0]));
        Click(view, CenterOf(view, pair[1]), Qt::ShiftModifier);
        QCOMPARE(view->GetSelectedCount(), 2);
        QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
        const std::vector<CControlBase*> pasted = Selected(view);
        QCOMPARE(int(pasted.size()), 2);
        QVERIFY(pasted[0] != pair[0] && pasted[0] != pair[1]);
        QCOMPARE(PanelRect(pasted[1]).topLeft() - PanelRect(pasted[0]).topLeft(),
                 PanelRect(pair[1]).topLeft() - PanelRect(pair[0]).topLeft());
        QVERIFY(!CoversAnother(screen, pasted));
    }

    void deletingAScreenThatKeysAndPagesNameListsThemAndNoKeepsIt()
    {
        QVERIFY(OpenDemo(*m_frame));
        m_frame->OnNextScreen(); // 参数设置: the F1 key of the first screen and page 2 name it
        m_prompts->answers = {QMessageBox::No};
        Trigger(ID_SCREEN_DELETE);
        QCOMPARE(Project()->GetScreenCount(), 3);
        QVERIFY(!m_frame->GetDocument()->IsModified());
        QCOMPARE(m_prompts->messages.size(), 1);
        QCOMPARE(m_prompts->messages.first(),
                 QStringLiteral("以下按键和功能页指向画面2 参数设置：\n  画面1 主画面：去设置\n  功能页 2\n\n"
                                "删除后它们仍按画面号指向其后的画面或不存在的画面。仍要删除这个画面吗？"));
        m_prompts->answers = {QMessageBox::Yes, QMessageBox::Ok}; // the list, then the usual question
        Trigger(ID_SCREEN_DELETE);
        QCOMPARE(Project()->GetScreenCount(), 2);
        QCOMPARE(m_prompts->messages.size(), 3);
    }

    void theEditMenuNamesTheStepAndRightClickSelects()
    {
        QVERIFY(OpenDemo(*m_frame));
        CZQEditorView* view = m_frame->GetActiveView();
        QCOMPARE(m_frame->GetAction(ID_EDIT_UNDO)->text(), QStringLiteral("撤消(&U)"));
        CControlBase* control = Layout(view).front();
        Click(view, CenterOf(view, control));
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Right);
        QCOMPARE(m_frame->GetAction(ID_EDIT_UNDO)->text(), QStringLiteral("撤消移动(&U)"));
        Trigger(ID_EDIT_UNDO);
        QCOMPARE(m_frame->GetAction(ID_EDIT_REDO)->text(), QStringLiteral("重做移动(&R)"));
        QVERIFY(m_frame->GetEditMenu()->actions().contains(m_frame->GetAction(ID_EDIT_UNDO)));
        Trigger(ID_EDIT_SELECT_ALL);
        QCOMPARE(view->GetSelectedCount(), view->GetScreen()->GetControlCount());
        QVERIFY(Enabled(ID_ALIGN_LEFT));
        Trigger(ID_ALIGN_LEFT);
        QCOMPARE(m_frame->GetAction(ID_EDIT_UNDO)->text(), QStringLiteral("撤消对齐(&U)"));
        // A right click on an unselected control selects it before the menu opens.
        Click(view, EmptyPoint(view));
        QCOMPARE(view->GetSelectedCount(), 0);
        bool cutEnabled = false;
        QTimer::singleShot(0, this, [&] {
            cutEnabled = m_frame->GetAction(ID_EDIT_CUT)->isEnabled();
            if (QWidget* menu = QApplication::activePopupWidget())
                menu->close();
        });
        QTest::mouseClick(view->viewport(), Qt::RightButton, Qt::NoModifier, CenterOf(view, control));
        QCOMPARE(view->GetScreen()->GetCurrentSelectControl(), control);
        QVERIFY(cutEnabled);
    }
};

int main(int argc, char** argv)
{
    UseTemporarySettings();
    QApplication app(argc, argv);
    WorkKeptTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "work_kept_qtest.moc"
