// Editing the demo's screens with synthesized mouse, wheel and key events on the real design
// views of a main frame: selection, rubber band, drags, keyboard moves, the clipboard, undo and
// redo, zoom and the register input order.
#include "editor_test_support.h"

#include "editor/app/controls_clipboard.h"
#include "editor/app/editor_commands.h"
#include "editor/app/editor_doc.h"
#include "editor/app/editor_view.h"
#include "editor/app/main_frame.h"
#include "editor/editor_strings.h"
#include "editor/project.h"

#include "controls/control_base.h"
#include "controls/screen_base.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <memory>

class EditorViewTest : public QObject, private FrameFixture {
    Q_OBJECT

private:
    CZQEditorView* m_view = nullptr;

    // Right-clicks at a viewport point and returns the enabled entries of the menu that opens
    // (closing it); fails the test when no menu opens.
    QStringList RightClickMenu(const QPoint& at)
    {
        QStringList enabled;
        bool shown = false;
        QTimer::singleShot(0, [&] {
            QMenu* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            shown = menu != nullptr;
            if (!menu)
                return;
            for (QAction* action : menu->actions())
                if (action->isEnabled())
                    enabled << action->text();
            menu->close();
        });
        QTest::mousePress(m_view->viewport(), Qt::RightButton, Qt::NoModifier, at);
        QTest::mouseRelease(m_view->viewport(), Qt::RightButton, Qt::NoModifier, at);
        if (!shown)
            enabled << QStringLiteral("(no menu)");
        return enabled;
    }

private slots:
    void init()
    {
        QVERIFY(StartFrame());
        QVERIFY(OpenDemo(*m_frame));
        m_view = m_frame->GetActiveView();
        QVERIFY(m_view);
        QCOMPARE(m_view->GetScreen(), m_frame->GetDocument()->GetProject()->GetFirstScreen());
    }

    void cleanup() { QVERIFY(EndFrame()); }

    void clicksSelectWithShiftAndCtrl()
    {
        const auto controls = Layout(m_view);
        Click(m_view, CenterOf(m_view, controls[0]));
        QCOMPARE(Selected(m_view), std::vector<CControlBase*>{controls[0]});
        Click(m_view, CenterOf(m_view, controls[1]), Qt::ShiftModifier);
        QCOMPARE(Selected(m_view), (std::vector<CControlBase*>{controls[0], controls[1]}));
        QCOMPARE(controls[1]->GetMultipleSelectedType(), 1);             // the primary
        Click(m_view, CenterOf(m_view, controls[1]), Qt::ShiftModifier); // toggles off
        QCOMPARE(Selected(m_view), std::vector<CControlBase*>{controls[0]});
        Click(m_view, CenterOf(m_view, controls[2]), Qt::ControlModifier);
        Click(m_view, CenterOf(m_view, controls[0]), Qt::ControlModifier); // stays, becomes primary
        QCOMPARE(Selected(m_view), (std::vector<CControlBase*>{controls[2], controls[0]}));
        // A plain click on one member keeps only it; a click on nothing clears.
        Click(m_view, CenterOf(m_view, controls[2]));
        QCOMPARE(Selected(m_view), std::vector<CControlBase*>{controls[2]});
        Click(m_view, EmptyPoint(m_view));
        QVERIFY(Selected(m_view).empty());
    }

    void rubberBandSelectsWhatItTouches()
    {
        const auto controls = Layout(m_view);
        CControlBase* lamp = controls[5];
        QCOMPARE(lamp->GetControlType(), CControlBase::CONTROL_LIGHT);
        // From the corner outside the screen to the middle of the second text.
        Drag(m_view, m_view->ToViewport(QPoint(1, 1)), CenterOf(m_view, controls[1]));
        const auto selected = Selected(m_view);
        QVERIFY(std::count(selected.begin(), selected.end(), controls[0]));
        QVERIFY(std::count(selected.begin(), selected.end(), controls[1]));
        QVERIFY(!std::count(selected.begin(), selected.end(), lamp));
        // Shift adds what a second band touches.
        Drag(m_view, m_view->ToViewport(QPoint(m_view->GetScreenRect().right() + 2, 1)), CenterOf(m_view, lamp),
             Qt::ShiftModifier);
        QVERIFY(lamp->GetSelected());
        QCOMPARE(int(Selected(m_view).size()), int(selected.size()) + 1);
    }

    void dragMovesAndUndoRestores()
    {
        CControlBase* text = Layout(m_view)[0];
        const int x = text->GetX(), y = text->GetY();
        Click(m_view, CenterOf(m_view, text));
        const QPoint from = CenterOf(m_view, text);
        Drag(m_view, from, from + QPoint(40, 20)); // zoom 4: 10 and 5 panel pixels
        QCOMPARE(text->GetX(), x + 10);
        QCOMPARE(text->GetY(), y + 5);
        QVERIFY(m_frame->GetDocument()->IsModified());
        QVERIFY(Enabled(ID_EDIT_UNDO));
        Trigger(ID_EDIT_UNDO);
        QCOMPARE(text->GetX(), x);
        QCOMPARE(text->GetY(), y);
        Trigger(ID_EDIT_REDO);
        QCOMPARE(text->GetX(), x + 10);
        // A drag never leaves the screen: far to the upper left stops at the corner.
        Drag(m_view, CenterOf(m_view, text), CenterOf(m_view, text) - QPoint(2000, 2000));
        QCOMPARE(text->GetX(), 0);
        QCOMPARE(text->GetY(), 0);
    }

    void movementOfTwoPixelsIsAClick()
    {
        const auto controls = Layout(m_view);
        Click(m_view, CenterOf(m_view, controls[0]));
        Click(m_view, CenterOf(m_view, controls[1]), Qt::ShiftModifier);
        const int x = controls[0]->GetX();
        const QPoint from = CenterOf(m_view, controls[0]);
        Drag(m_view, from, from + QPoint(2, -2));
        QCOMPARE(controls[0]->GetX(), x);
        QCOMPARE(Selected(m_view), std::vector<CControlBase*>{controls[0]});
        QVERIFY(!Enabled(ID_EDIT_UNDO));
    }

    void ctrlDragCopiesTheSelection()
    {
        const auto controls = Layout(m_view);
        const int count = m_view->GetScreen()->GetControlCount();
        Click(m_view, CenterOf(m_view, controls[0]));
        const QPoint from = CenterOf(m_view, controls[0]);
        Drag(m_view, from, from + QPoint(0, 80), Qt::ControlModifier);
        QCOMPARE(m_view->GetScreen()->GetControlCount(), count + 1);
        CControlBase* copy = Selected(m_view).at(0);
        QVERIFY(copy != controls[0]);
        QVERIFY(copy->GetControlID() != controls[0]->GetControlID());
        QCOMPARE(copy->GetY(), controls[0]->GetY() + 20);
        QCOMPARE(copy->GetX(), controls[0]->GetX());
        Trigger(ID_EDIT_UNDO);
        QCOMPARE(m_view->GetScreen()->GetControlCount(), count);
    }

    void twentyFiveArrowPressesAreTwoUndoSteps()
    {
        CControlBase* text = Layout(m_view)[0];
        Click(m_view, CenterOf(m_view, text));
        const int x = text->GetX();
        for (int i = 0; i < 25; ++i)
            QTest::keyClick(m_view, Qt::Key_Right);
        QCOMPARE(text->GetX(), x + 25);
        QCOMPARE(m_view->GetOperateCtrl()->GetUndoCount(), 2);
        Trigger(ID_EDIT_UNDO);
        QCOMPARE(text->GetX(), x + 20);
        Trigger(ID_EDIT_UNDO);
        QCOMPARE(text->GetX(), x);
        QVERIFY(!Enabled(ID_EDIT_UNDO));
        // A mouse click starts a new run.
        Click(m_view, CenterOf(m_view, text));
        QTest::keyClick(m_view, Qt::Key_Down);
        QTest::keyClick(m_view, Qt::Key_Down);
        QCOMPARE(m_view->GetOperateCtrl()->GetUndoCount(), 1);
        Click(m_view, CenterOf(m_view, text));
        QTest::keyClick(m_view, Qt::Key_Down);
        QCOMPARE(m_view->GetOperateCtrl()->GetUndoCount(), 2);
        // So does any other edit: a move right after undoing a delete is undone on its own.
        const unsigned id = text->GetControlID();
        QTest::keyClick(m_view, Qt::Key_Delete);
        Trigger(ID_EDIT_UNDO);
        CControlBase* back = m_view->GetScreen()->GetControlByID(id);
        QVERIFY(back && back->GetSelected());
        const int y = back->GetY();
        QTest::keyClick(m_view, Qt::Key_Down);
        QCOMPARE(back->GetY(), y + 1);
        Trigger(ID_EDIT_UNDO);
        QCOMPARE(m_view->GetScreen()->GetControlByID(id)->GetY(), y);
    }

    void alignAndSpreadFollowTheSelectionCount()
    {
        const auto controls = Layout(m_view);
        Click(m_view, CenterOf(m_view, controls[0]));
        QVERIFY(!Enabled(ID_ALIGN_LEFT));
        Click(m_view, CenterOf(m_view, controls[1]), Qt::ShiftModifier);
        for (unsigned id : {ID_ALIGN_LEFT, ID_ALIGN_RIGHT, ID_ALIGN_TOP, ID_ALIGN_BOTTOM, ID_ALIGN_VERTICAL_CENTER,
                            ID_ALIGN_HORIZONTAL_CENTER})
            QVERIFY(Enabled(id));
        QVERIFY(!Enabled(ID_SPREAD_HORIZONTAL));
        QVERIFY(!Enabled(ID_SPREAD_VERTICAL));
        Click(m_view, CenterOf(m_view, controls[4]), Qt::ShiftModifier);
        QVERIFY(Enabled(ID_SPREAD_HORIZONTAL));
        QVERIFY(Enabled(ID_SPREAD_VERTICAL));
        Trigger(ID_ALIGN_LEFT);
        QCOMPARE(controls[0]->GetX(), controls[4]->GetX());
        QCOMPARE(controls[1]->GetX(), controls[4]->GetX());
    }

    void copyAndPasteThreeTimesCoverNothing()
    {
        QGuiApplication::clipboard()->clear();
        QVERIFY(!Enabled(ID_EDIT_PASTE));
        QVERIFY(!Enabled(ID_EDIT_COPY));
        CControlBase* text = Layout(m_view)[0];
        Click(m_view, CenterOf(m_view, text));
        QVERIFY(Enabled(ID_EDIT_COPY));
        QTest::keyClick(m_view, Qt::Key_C, Qt::ControlModifier);
        QVERIFY(CControlsClipboard::HasData());
        QVERIFY(Enabled(ID_EDIT_PASTE));
        const int count = m_view->GetScreen()->GetControlCount();
        // Each paste goes where it covers no control: not the copied one nor an earlier paste.
        const auto coversNothing = [this](CControlBase* pasted) {
            const QRect place(pasted->GetX(), pasted->GetY(), pasted->GetWidth(), pasted->GetHeight());
            for (CControlBase* other : Layout(m_view))
                if (other != pasted &&
                    place.intersects(QRect(other->GetX(), other->GetY(), other->GetWidth(), other->GetHeight())))
                    return false;
            return true;
        };
        for (int i = 1; i <= 3; ++i) {
            QTest::keyClick(m_view, Qt::Key_V, Qt::ControlModifier);
            QVERIFY(coversNothing(Selected(m_view).at(0)));
        }
        QCOMPARE(m_view->GetScreen()->GetControlCount(), count + 3);
        // A new copy of a paste pastes where nothing lies too.
        QTest::keyClick(m_view, Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(m_view, Qt::Key_V, Qt::ControlModifier);
        QVERIFY(coversNothing(Selected(m_view).at(0)));
        Trigger(ID_EDIT_UNDO);
        QCOMPARE(m_view->GetScreen()->GetControlCount(), count + 3);

        // Damaged data under the editor's format pastes nothing and records nothing.
        const int steps = m_view->GetOperateCtrl()->GetUndoCount();
        for (const QByteArray& bytes :
             {QByteArray("short"), QByteArray::fromHex("20000000010000000300000063000000ffff")}) {
            auto* mime = new QMimeData;
            mime->setData(QString::fromLatin1(CControlsClipboard::MIME_FORMAT), bytes);
            QGuiApplication::clipboard()->setMimeData(mime);
            QTest::keyClick(m_view, Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(m_view->GetScreen()->GetControlCount(), count + 3);
            QCOMPARE(m_view->GetOperateCtrl()->GetUndoCount(), steps);
        }
    }

    void cutDeleteAndTheirUndoRedo()
    {
        const int count = m_view->GetScreen()->GetControlCount();
        CControlBase* text = Layout(m_view)[0];
        const unsigned id = text->GetControlID();
        Click(m_view, CenterOf(m_view, text));
        QTest::keyClick(m_view, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(m_view->GetScreen()->GetControlCount(), count - 1);
        QVERIFY(!m_view->GetScreen()->GetControlByID(id));
        QVERIFY(CControlsClipboard::HasData());
        Trigger(ID_EDIT_UNDO);
        QVERIFY(m_view->GetScreen()->GetControlByID(id));
        Trigger(ID_EDIT_REDO);
        QVERIFY(!m_view->GetScreen()->GetControlByID(id));
        Trigger(ID_EDIT_UNDO);

        CControlBase* lamp = m_view->GetScreen()->GetControlByID(Layout(m_view)[5]->GetControlID());
        const unsigned lampId = lamp->GetControlID();
        Click(m_view, CenterOf(m_view, lamp));
        QTest::keyClick(m_view, Qt::Key_Delete);
        QVERIFY(!m_view->GetScreen()->GetControlByID(lampId));
        QVERIFY(!Enabled(ID_EDIT_DELETE));
        Trigger(ID_EDIT_UNDO);
        QVERIFY(m_view->GetScreen()->GetControlByID(lampId));
        Trigger(ID_EDIT_REDO);
        QVERIFY(!m_view->GetScreen()->GetControlByID(lampId));
        QCOMPARE(m_view->GetScreen()->GetControlCount(), count - 1);
    }

    void insertOnlyTheFourPlainKindsAndUndoIt()
    {
        for (unsigned id : {ID_INSERT_TEXT, ID_INSERT_REGISTER, ID_INSERT_LAMP, ID_INSERT_FUNCTION_KEY})
            QVERIFY(Enabled(id));
        for (unsigned id : {ID_INSERT_TREND, ID_INSERT_BAR, ID_INSERT_PICTURE, ID_INSERT_DYNAMIC_TEXT})
            QVERIFY(!Enabled(id));
        const int count = m_view->GetScreen()->GetControlCount();
        Trigger(ID_INSERT_REGISTER);
        QCOMPARE(m_view->GetScreen()->GetControlCount(), count + 1);
        CControlBase* added = Selected(m_view).at(0);
        QCOMPARE(added->GetControlType(), CControlBase::CONTROL_REGISTER);
        const unsigned id = added->GetControlID();
        Trigger(ID_EDIT_UNDO);
        QVERIFY(!m_view->GetScreen()->GetControlByID(id));
        Trigger(ID_EDIT_REDO);
        QVERIFY(m_view->GetScreen()->GetControlByID(id));
    }

    void ctrlWheelZoomsEveryScreen()
    {
        CProject* project = m_frame->GetDocument()->GetProject();
        QCOMPARE(project->GetScreenZoomRate(), 4.0);
        const QRect before = m_view->GetScreenRect();
        Wheel(m_view, -120, Qt::ControlModifier);
        QCOMPARE(project->GetScreenZoomRate(), 5.0);
        QCOMPARE(m_view->GetScreenRect().width(), 192 * 5);
        QVERIFY(m_view->GetScreenRect() != before);
        Wheel(m_view, -120, Qt::ControlModifier); // already the largest
        QCOMPARE(project->GetScreenZoomRate(), 5.0);
        Wheel(m_view, 240, Qt::ControlModifier);
        QCOMPARE(project->GetScreenZoomRate(), 3.0);
        QCOMPARE(project->GetLastScreen()->GetScreenZoomRate(), 3.0);
        Wheel(m_view, 120, Qt::NoModifier); // plain wheel scrolls only
        QCOMPARE(project->GetScreenZoomRate(), 3.0);
    }

    void orderModeNumbersRegistersAndRefusesScreensWithout()
    {
        CControlBase* reg = Layout(m_view)[2];
        QCOMPARE(reg->GetControlType(), CControlBase::CONTROL_REGISTER);
        QTest::keyClick(m_view, Qt::Key_D, Qt::ControlModifier);
        QVERIFY(m_view->IsOrderMode());
        QCOMPARE(reg->GetDrawOrderID(), 1);
        QVERIFY(!Enabled(ID_INSERT_TEXT));
        Click(m_view, CenterOf(m_view, reg)); // the order click, no selection
        QVERIFY(Selected(m_view).empty());
        QCOMPARE(Layout(m_view)[0], reg);
        QTest::keyClick(m_view, Qt::Key_D, Qt::ControlModifier);
        QVERIFY(!m_view->IsOrderMode());
        QCOMPARE(reg->GetDrawOrderID(), 0);

        // The alarm screen has no register.
        m_frame->OnNextScreen();
        m_frame->OnNextScreen();
        CZQEditorView* alarm = m_frame->GetActiveView();
        QCOMPARE(alarm->GetScreen(), m_frame->GetDocument()->GetProject()->GetLastScreen());
        QTest::keyClick(alarm, Qt::Key_D, Qt::ControlModifier);
        QVERIFY(!alarm->IsOrderMode());
        QCOMPARE(m_prompts->messages,
                 QStringList{QString::fromUtf8(CEditorStrings::Get(CEditorStrings::IDS_NO_REGISTER))});
        QVERIFY(Enabled(ID_INSERT_TEXT));
    }

    void rightClickSelectsAndShowsTheEditMenu()
    {
        QGuiApplication::clipboard()->clear();
        const auto controls = Layout(m_view);
        Click(m_view, CenterOf(m_view, controls[0]));
        // A right click on an unselected control selects it: its menu offers cut, copy and
        // delete (nothing to paste); on the empty screen it clears the selection.
        QCOMPARE(RightClickMenu(CenterOf(m_view, controls[2])),
                 (QStringList{QStringLiteral("剪切(&T)"), QStringLiteral("复制(&C)"), QStringLiteral("删除(&D)")}));
        QCOMPARE(Selected(m_view), std::vector<CControlBase*>{controls[2]});
        QCOMPARE(RightClickMenu(EmptyPoint(m_view)), QStringList());
        QVERIFY(Selected(m_view).empty());
        Click(m_view, CenterOf(m_view, controls[2]));
        Trigger(ID_EDIT_COPY);
        QCOMPARE(RightClickMenu(CenterOf(m_view, controls[2])),
                 (QStringList{QStringLiteral("剪切(&T)"), QStringLiteral("复制(&C)"), QStringLiteral("粘帖(&P)"),
                              QStringLiteral("删除(&D)")}));
        QCOMPARE(Selected(m_view), std::vector<CControlBase*>{controls[2]}); // still selected
    }

    void paintedViewShowsTheDraggedOutlineAndBand()
    {
        CControlBase* text = Layout(m_view)[0];
        const QImage still = m_view->RenderImage();
        QWidget* port = m_view->viewport();
        const QPoint from = CenterOf(m_view, text);
        QTest::mousePress(port, Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(port, from + QPoint(20, 20));
        const QImage dragging = m_view->RenderImage();
        QVERIFY(dragging != still);
        QTest::mouseRelease(port, Qt::LeftButton, Qt::NoModifier, from + QPoint(20, 20));
        Trigger(ID_EDIT_UNDO);
        Click(m_view, EmptyPoint(m_view)); // deselect: the picture is the still one again
        QCOMPARE(m_view->RenderImage(), still);
    }
};

int main(int argc, char** argv)
{
    UseTemporarySettings();
    QApplication app(argc, argv);
    EditorViewTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "editor_view_qtest.moc"
