// The undo history of a screen's control edits: each kind of step played back and forth against
// the screen's bytes, the limits of both lists, and controls found again by the IDs they got back.
#include "editor/operate_ctrl.h"

#include "project_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace PROJECT_TEST;

namespace {

Bytes RecordOf(COM_INTERFACE_EX::ISerialize* object)
{
    Bytes bytes(object->Save(nullptr, 0));
    EXPECT_EQ(object->Save(bytes.data(), DWORD(bytes.size())), bytes.size());
    return bytes;
}

// Offset of the first byte where two records differ; -1 when they are equal.
long FirstDifference(const Bytes& a, const Bytes& b)
{
    const auto at = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    return at.first == a.end() && at.second == b.end() ? -1 : long(at.first - a.begin());
}

class OperateCtrl : public ::testing::Test {
protected:
    void SetUp() override
    {
        screen = project->GetFirstScreen();
        ASSERT_NE(screen, nullptr);
        history.SetScreen(screen);
        text = AddText(screen, "温度");
        reg = Add(screen, CControlBase::CONTROL_REGISTER);
        lamp = Add(screen, CControlBase::CONTROL_LIGHT);
        ASSERT_TRUE(lamp->SetX(40));
        // An exchange stores the shown default name ("[Control n]"), as a save after showing
        // the control does; store it from the start so records compare byte for byte.
        for (CControlBase* c : {text, reg, lamp})
            c->GetControlName();
    }

    // Selects exactly these controls, in this order (the last is the primary).
    void Select(std::initializer_list<CControlBase*> controls)
    {
        screen->SetControlsAllNotSelected(nullptr);
        for (CControlBase* c : controls)
            ASSERT_EQ(screen->MouseDown(1, 0, CenterOf(c), nullptr), 1);
    }

    QPoint CenterOf(CControlBase* c) const
    {
        QRect r;
        c->GetControlRect(r);
        const double z = screen->GetScreenZoomRate();
        return QPoint(int(z * (r.x() + 1)) + 1, int(z * (r.y() + 1)) + 1);
    }

    std::unique_ptr<CProject> project = NewProject();
    CScreenBase* screen = nullptr;
    COperateCtrl history;
    CControlBase* text = nullptr;
    CControlBase* reg = nullptr;
    CControlBase* lamp = nullptr;
};

TEST_F(OperateCtrl, ModifyExchangesValuesSoUndoAndRedoRestoreTheScreenBytes)
{
    screen->SetControlsAllNotSelected(nullptr);
    const Bytes before = RecordOf(screen);
    Select({text, lamp});
    ASSERT_EQ(history.RecordSelectedControls(COperateCtrl::OPERATE_MODIFY), 1);
    screen->MoveSelectedControls(QSize(3, 5));
    static_cast<CControlStaticText*>(text)->SetText(Gbk("压力").c_str());
    text->SetControlName("inlet");
    screen->SetControlsAllNotSelected(nullptr);
    const Bytes after = RecordOf(screen);
    ASSERT_NE(before, after);

    for (int round = 0; round < 2; ++round) {
        ASSERT_EQ(history.Undo(), 1);
        EXPECT_EQ(FirstDifference(RecordOf(screen), before), -1) << "round " << round;
        EXPECT_EQ(history.GetRedoKind(), int(COperateCtrl::OPERATE_MODIFY));
        EXPECT_EQ(history.Undo(), 0) << "one step only";
        ASSERT_EQ(history.Redo(), 1);
        EXPECT_EQ(FirstDifference(RecordOf(screen), after), -1) << "round " << round;
        EXPECT_EQ(screen->GetCurrentSelectControlsCount(), 0);
        EXPECT_EQ(history.Redo(), 0);
    }
}

TEST_F(OperateCtrl, AttributeEditRecordsTheCallersCopyWhichStaysTheCallers)
{
    std::unique_ptr<CControlBase> shown(screen->CopyForUndo(reg));
    const Bytes before = RecordOf(reg);
    ASSERT_EQ(history.RecordModifyControl(shown.get()), 1);
    ASSERT_TRUE(reg->SetWidth(50));
    reg->SetRegisterAddr(77);
    const Bytes after = RecordOf(reg);

    shown.reset(); // the step holds its own copy
    ASSERT_EQ(history.Undo(), 1);
    EXPECT_EQ(FirstDifference(RecordOf(reg), before), -1);
    ASSERT_EQ(history.Redo(), 1);
    EXPECT_EQ(FirstDifference(RecordOf(reg), after), -1);
    EXPECT_EQ(history.RecordModifyControl(nullptr), 0);
    EXPECT_EQ(history.GetUndoCount(), 1);
}

TEST_F(OperateCtrl, AddAndPasteUndoDeleteByIDAndRedoBringsTheSameControlsBack)
{
    screen->SetControlsAllNotSelected(nullptr);
    CControlBase* added = screen->AddControl(CControlBase::CONTROL_FUNCTION);
    ASSERT_EQ(history.RecordAddControl(added), 1);
    const unsigned addedID = added->GetControlID();
    const Bytes addedBytes = RecordOf(added);

    Select({text, reg});
    Bytes clip(screen->CopySelectedControlsCode(nullptr, 0, 0));
    ASSERT_EQ(screen->CopySelectedControlsCode(clip.data(), DWORD(clip.size()), 0), clip.size());
    DWORD pasteCount = 0;
    ASSERT_EQ(screen->PasteControlsFromData(clip.data() + 8, DWORD(clip.size() - 8), pasteCount), 2);
    ASSERT_EQ(history.RecordSelectedControls(COperateCtrl::OPERATE_PASTE), 1);
    screen->SetControlsAllNotSelected(nullptr);
    const Bytes withAll = RecordOf(screen);
    ASSERT_EQ(screen->GetControlCount(), 6);

    ASSERT_EQ(history.Undo(), 1);
    EXPECT_EQ(screen->GetControlCount(), 4) << "the pasted copies are gone";
    EXPECT_EQ(screen->GetCurrentSelectControlsCount(), 0);
    ASSERT_EQ(history.Undo(), 1);
    EXPECT_EQ(screen->GetControlByID(addedID), nullptr);
    EXPECT_EQ(screen->GetControlCount(), 3);

    ASSERT_EQ(history.Redo(), 1);
    CControlBase* back = screen->GetControlByID(addedID);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetSelected(), 1);
    EXPECT_EQ(FirstDifference(RecordOf(back), addedBytes), -1);
    ASSERT_EQ(history.Redo(), 1);
    screen->SetControlsAllNotSelected(nullptr);
    EXPECT_EQ(FirstDifference(RecordOf(screen), withAll), -1) << "same IDs, values and order";
    EXPECT_EQ(history.GetUndoKind(), int(COperateCtrl::OPERATE_PASTE));
}

// Delete and cut play back alike: undo re-adds the controls with their IDs and names, selected
// as a group without moving the default position of new controls; redo removes them again.
TEST_F(OperateCtrl, DeleteAndCutUndoReAddsTheControlsAndRedoRemovesThemAgain)
{
    for (UINT kind : {COperateCtrl::OPERATE_DELETE, COperateCtrl::OPERATE_CUT}) {
        SCOPED_TRACE(kind);
        text->SetControlName("title");
        Select({text, lamp});
        const Bytes textBytes = RecordOf(text), lampBytes = RecordOf(lamp);
        const unsigned textID = text->GetControlID(), lampID = lamp->GetControlID();
        ASSERT_EQ(history.RecordSelectedControls(kind), 1);
        if (kind == COperateCtrl::OPERATE_CUT) {
            Bytes clip(screen->CopySelectedControlsCode(nullptr, 0, 1));
            screen->CopySelectedControlsCode(clip.data(), DWORD(clip.size()), 1);
        } else {
            screen->DeleteSelectedControls();
        }
        ASSERT_EQ(screen->GetControlCount(), 1);
        int cursor[4], cursorAfter[4];
        screen->GetDefPosCursor(cursor[0], cursor[1], cursor[2], cursor[3]);

        ASSERT_EQ(history.Undo(), 1);
        text = screen->GetControlByID(textID);
        lamp = screen->GetControlByID(lampID);
        ASSERT_TRUE(text && lamp);
        EXPECT_EQ(screen->GetSelectedControls(), (std::vector<CControlBase*>{text, lamp}));
        EXPECT_EQ(text->GetMultipleSelectedType(), 2);
        EXPECT_EQ(lamp->GetMultipleSelectedType(), 1);
        EXPECT_EQ(FirstDifference(RecordOf(text), textBytes), -1);
        EXPECT_EQ(FirstDifference(RecordOf(lamp), lampBytes), -1);
        screen->GetDefPosCursor(cursorAfter[0], cursorAfter[1], cursorAfter[2], cursorAfter[3]);
        EXPECT_TRUE(std::equal(cursor, cursor + 4, cursorAfter));

        ASSERT_EQ(history.Redo(), 1);
        EXPECT_EQ(screen->GetControlCount(), 1);
        EXPECT_EQ(screen->GetControlByID(textID), nullptr);
        ASSERT_EQ(history.Undo(), 1);
        text = screen->GetControlByID(textID);
        lamp = screen->GetControlByID(lampID);
        ASSERT_TRUE(text && lamp);
    }
}

TEST_F(OperateCtrl, AReAddedControlWhoseIDIsTakenGetsANewOneAndRedoFindsIt)
{
    Select({lamp});
    const unsigned lampID = lamp->GetControlID();
    ASSERT_EQ(history.RecordSelectedControls(COperateCtrl::OPERATE_DELETE), 1);
    screen->DeleteSelectedControls();
    reg->SetControlID(lampID); // a control that holds the ID meanwhile

    ASSERT_EQ(history.Undo(), 1);
    ASSERT_EQ(screen->GetControlCount(), 3);
    CControlBase* back = screen->GetCurrentSelectControl();
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetControlType(), CControlBase::CONTROL_LIGHT);
    EXPECT_NE(back->GetControlID(), lampID);
    const unsigned newID = back->GetControlID();

    ASSERT_EQ(history.Redo(), 1);
    EXPECT_EQ(screen->GetControlByID(newID), nullptr);
    EXPECT_EQ(screen->GetControlByID(lampID), reg) << "the other holder of the old ID stays";
}

// A move, then a delete: undoing both must find the re-added control for the older step.
TEST_F(OperateCtrl, OlderStepsFindAControlThatADeleteUndoBroughtBack)
{
    Select({lamp});
    const unsigned lampID = lamp->GetControlID();
    const int x = lamp->GetX(), y = lamp->GetY();
    ASSERT_EQ(history.RecordSelectedControls(COperateCtrl::OPERATE_MODIFY), 1);
    screen->MoveSelectedControls(QSize(10, 4));
    ASSERT_EQ(history.RecordSelectedControls(COperateCtrl::OPERATE_DELETE), 1);
    screen->DeleteSelectedControls();

    ASSERT_EQ(history.Undo(), 1);
    ASSERT_EQ(history.Undo(), 1);
    CControlBase* back = screen->GetControlByID(lampID);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(QPoint(back->GetX(), back->GetY()), QPoint(x, y)) << "the move was undone";
    ASSERT_EQ(history.Redo(), 1);
    EXPECT_EQ(QPoint(back->GetX(), back->GetY()), QPoint(x + 10, y + 4));
    ASSERT_EQ(history.Redo(), 1);
    EXPECT_EQ(screen->GetControlByID(lampID), nullptr);
}

TEST_F(OperateCtrl, EachListKeepsTheNewestHundredStepsAndRecordingEmptiesRedo)
{
    const int start = lamp->GetX();
    for (int i = 0; i < 101; ++i) {
        Select({lamp});
        ASSERT_EQ(history.RecordSelectedControls(COperateCtrl::OPERATE_MODIFY), 1);
        ASSERT_TRUE(lamp->SetX(start + i + 1));
    }
    EXPECT_EQ(history.GetUndoCount(), COperateCtrl::MAX_STEPS);
    while (history.Undo())
        ;
    EXPECT_EQ(lamp->GetX(), start + 1) << "the first step is gone";
    EXPECT_EQ(history.GetRedoCount(), 100);
    EXPECT_EQ(history.GetUndoKind(), -1);

    ASSERT_EQ(history.Redo(), 1);
    EXPECT_EQ(history.GetRedoCount(), 99) << "redo keeps the rest of its list";
    Select({text});
    ASSERT_EQ(history.RecordSelectedControls(COperateCtrl::OPERATE_DELETE), 1);
    EXPECT_EQ(history.GetRedoCount(), 0);
    EXPECT_EQ(history.GetUndoCount(), 2);
}

TEST_F(OperateCtrl, NothingIsRecordedWithoutSelectionOrScreenAndAnotherScreenForgetsTheSteps)
{
    Select({reg});
    ASSERT_EQ(history.RecordSelectedControls(COperateCtrl::OPERATE_MODIFY), 1);
    ASSERT_EQ(history.Undo(), 1);
    screen->SetControlsAllNotSelected(nullptr);
    EXPECT_EQ(history.RecordSelectedControls(COperateCtrl::OPERATE_DELETE), 0);
    EXPECT_EQ(history.CanRedo(), 1) << "a refused record keeps the redo list";
    Select({reg});
    EXPECT_EQ(history.RecordSelectedControls(5), 0);

    history.SetScreen(screen);
    EXPECT_EQ(history.CanRedo(), 1);
    CScreenBase* other = project->AddNewScreen();
    ASSERT_NE(other, nullptr);
    history.SetScreen(other);
    EXPECT_EQ(history.CanRedo(), 0);
    EXPECT_EQ(history.Redo(), 0);
    history.SetScreen(nullptr);
    EXPECT_EQ(history.RecordAddControl(reg), 0);
    EXPECT_EQ(history.Undo(), 0);
}

} // namespace
