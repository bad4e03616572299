// Undo and redo history of the control edits on one screen: each step owns copies of the controls
// it concerns and plays them back through the screen's control operations.
#pragma once

#include "editor/editor_api.h"

#include "comkit/types.h"

#include <QUndoStack>

#include <functional>
#include <string>

class CControlBase;
class CScreenBase;

// One per design view. Recording pushes a step onto the undo list (at most MAX_STEPS, the oldest
// step is dropped) and empties the redo list; undo moves the newest step to the redo list, redo
// moves it back (each list also holds at most MAX_STEPS). Qt's QUndoStack keeps the two lists as
// one stack of at most MAX_STEPS steps, which gives exactly these limits, and signals changes.
class EDITOR_API COperateCtrl {
public:
    // What a step records, and how it plays back:
    // ADD    after a new control was placed     undo: delete by ID     redo: re-add
    // MODIFY before a move, resize or edit      undo and redo: exchange values with the screen's
    // DELETE before the selection is deleted    undo: re-add           redo: delete by ID
    // CUT    before the selection is cut        as DELETE
    // PASTE  after a paste or a copy-drag       undo: delete by ID     redo: re-add
    enum OperateKind : UINT {
        OPERATE_ADD = 0,
        OPERATE_MODIFY = 1,
        OPERATE_DELETE = 2,
        OPERATE_CUT = 3,
        OPERATE_PASTE = 4,
    };
    static constexpr int MAX_STEPS = 100;

    // What the user did to the selected controls. Each edit records one kind (insert ADD; move,
    // align and attribute MODIFY; delete DELETE; cut CUT; paste and copy-drag PASTE) and carries
    // a label, the untranslated name of the step in the context "Editor" (for "撤消移动").
    enum EditKind : UINT {
        EDIT_INSERT = 0,
        EDIT_MOVE = 1,
        EDIT_ALIGN = 2,
        EDIT_ATTRIBUTE = 3,
        EDIT_DELETE = 4,
        EDIT_CUT = 5,
        EDIT_PASTE = 6,
        EDIT_COPY_DRAG = 7,
    };
    static UINT KindOfEdit(EditKind edit);
    // The label's source text; null for an unknown edit.
    static const char* LabelOfEdit(EditKind edit);

    COperateCtrl();
    virtual ~COperateCtrl();
    COperateCtrl(const COperateCtrl&) = delete;
    COperateCtrl& operator=(const COperateCtrl&) = delete;

    // The screen the steps apply to (not owned). Choosing another screen, or none, empties both
    // lists, because their copies and IDs belong to the old screen; the same screen keeps them.
    void SetScreen(CScreenBase* screen);
    CScreenBase* GetScreen() const { return m_pScreen; }

    // Recording. Each returns 1 when it pushed a step, 0 when there was nothing to record (no
    // screen, a null control, an empty selection or an unknown kind); then both lists stay.
    // An ADD step holding a copy of `control`, which was just added to the screen.
    int RecordAddControl(CControlBase* control);
    // A MODIFY step (labelled as an attribute edit) holding a copy of `before`: the caller's copy
    // of one control (same ID) taken before an attribute edit. The caller keeps `before`.
    int RecordModifyControl(CControlBase* before);
    // A step of `kind` holding copies of the screen's selected controls, in selection order.
    int RecordSelectedControls(UINT kind);

    // The one way the editor records an edit of the selected controls: runs change and takes
    // the copies when the edit's kind needs them, before the change for the kinds that bring
    // controls back as they were (MODIFY, DELETE, CUT), after it for the kinds that remove what
    // the change added (ADD, PASTE); the step carries the edit's label. Returns 1 when a step
    // was pushed, 0 when nothing was selected at recording time (change still runs once).
    int RecordEdit(EditKind edit, const std::function<void()>& change);
    // The label of the step the next Undo / Redo would play (source text); empty when none.
    std::string GetUndoLabel() const;
    std::string GetRedoLabel() const;

    // Playing back; each returns 1 when a step was played, 0 when its list was empty. After
    // playing, every control the step re-added is selected (as a paste selects), otherwise the
    // screen has no selection. A re-added control keeps the ID it had, or takes a new ID from
    // the screen when another control holds that ID meanwhile; the step's copy remembers it.
    int Undo();
    int Redo();
    int CanUndo() const { return m_history.canUndo() ? 1 : 0; }
    int CanRedo() const { return m_history.canRedo() ? 1 : 0; }
    int GetUndoCount() const { return m_history.index(); }
    int GetRedoCount() const { return m_history.count() - m_history.index(); }
    // Kind of the step the next Undo / Redo would play; -1 when its list is empty.
    int GetUndoKind() const;
    int GetRedoKind() const;
    // Deletes every step of both lists.
    void Clear() { m_history.clear(); }

    // The history as a Qt object, for its canUndoChanged / canRedoChanged / indexChanged signals.
    const QUndoStack* GetHistory() const { return &m_history; }

private:
    // A step of `kind` holding one copy of `control`; 0 without a screen or control.
    int RecordOne(UINT kind, CControlBase* control, EditKind edit);
    int KindAt(int index) const;
    // A step of `kind` holding copies of the selected controls; 0 when none is selected.
    int PushSelected(UINT kind, EditKind edit);

    CScreenBase* m_pScreen = nullptr;
    QUndoStack m_history;
};
