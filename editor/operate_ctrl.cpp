// Undo and redo history of the control edits on one screen.
#include "editor/operate_ctrl.h"

#include "controls/control_base.h"
#include "controls/screen_base.h"

#include <QCoreApplication>
#include <QUndoCommand>

#include <iterator>
#include <memory>
#include <utility>
#include <vector>

namespace {

typedef std::vector<std::unique_ptr<CControlBase>> Copies;

// One recorded step: its kind and its own copies of the controls concerned.
class COperateStep : public QUndoCommand {
public:
    COperateStep(UINT kind, CScreenBase* screen, Copies copies, const char* label)
        : m_uKind(kind), m_pScreen(screen), m_copies(std::move(copies))
    {
        setText(QString::fromUtf8(label ? label : ""));
    }

    UINT Kind() const { return m_uKind; }

    void undo() override { Play(true); }

    void redo() override
    {
        // The first call comes from the push: the edit itself has happened (or is about to).
        if (m_bFirstRedo)
            m_bFirstRedo = false;
        else
            Play(false);
    }

private:
    // The table of the kinds: add and paste are undone by removing their controls and redone by
    // adding them again, delete and cut the other way round; modify exchanges both ways.
    void Play(bool undo)
    {
        switch (m_uKind) {
        case COperateCtrl::OPERATE_MODIFY: ExchangeCopies(); break;
        case COperateCtrl::OPERATE_ADD:
        case COperateCtrl::OPERATE_PASTE: undo ? DeleteCopies() : AddCopies(); break;
        default: // delete, cut
            undo ? AddCopies() : DeleteCopies();
            break;
        }
    }

    void DeleteCopies()
    {
        m_pScreen->SetControlsAllNotSelected(nullptr);
        for (const auto& copy : m_copies)
            m_pScreen->DeleteControlByID(copy->GetControlID());
    }

    // Both sides swap values, so the copies then hold what the next playback brings back.
    void ExchangeCopies()
    {
        std::vector<CControlBase*> raw;
        for (const auto& copy : m_copies)
            raw.push_back(copy.get());
        m_pScreen->ModifyControls(int(raw.size()), raw.data());
        m_pScreen->SetControlsAllNotSelected(nullptr);
    }

    // Copies of the copies join the screen, selected; each copy learns its control's ID.
    void AddCopies()
    {
        m_pScreen->SetControlsAllNotSelected(nullptr);
        std::vector<CControlBase*> added;
        for (const auto& copy : m_copies) {
            CControlBase* control = m_pScreen->CopyForUndo(copy.get());
            const int newID = m_pScreen->GetControlByID(copy->GetControlID()) ? 1 : 0;
            copy->SetControlID(m_pScreen->AddControl(control, newID));
            added.push_back(control);
        }
        // Marks of a multi-selection, as a paste leaves them: the last one is the primary.
        if (added.size() > 1)
            for (size_t i = 0; i < added.size(); ++i)
                added[i]->SetMultipleSelectedType(i + 1 == added.size() ? 1 : 2);
    }

    UINT m_uKind;
    CScreenBase* m_pScreen;
    Copies m_copies;
    bool m_bFirstRedo = true;
};

struct EditEntry {
    UINT kind;
    const char* label;
};

// Edits by EditKind.
const EditEntry EDITS[] = {
    {COperateCtrl::OPERATE_ADD, QT_TRANSLATE_NOOP("Editor", "插入")},
    {COperateCtrl::OPERATE_MODIFY, QT_TRANSLATE_NOOP("Editor", "移动")},
    {COperateCtrl::OPERATE_MODIFY, QT_TRANSLATE_NOOP("Editor", "对齐")},
    {COperateCtrl::OPERATE_MODIFY, QT_TRANSLATE_NOOP("Editor", "属性修改")},
    {COperateCtrl::OPERATE_DELETE, QT_TRANSLATE_NOOP("Editor", "删除")},
    {COperateCtrl::OPERATE_CUT, QT_TRANSLATE_NOOP("Editor", "剪切")},
    {COperateCtrl::OPERATE_PASTE, QT_TRANSLATE_NOOP("Editor", "粘帖")},
    {COperateCtrl::OPERATE_PASTE, QT_TRANSLATE_NOOP("Editor", "复制")},
};

} // namespace

UINT COperateCtrl::KindOfEdit(EditKind edit)
{
    return edit < std::size(EDITS) ? EDITS[edit].kind : OPERATE_MODIFY;
}

const char* COperateCtrl::LabelOfEdit(EditKind edit)
{
    return edit < std::size(EDITS) ? EDITS[edit].label : nullptr;
}

int COperateCtrl::RecordEdit(EditKind edit, const std::function<void()>& change)
{
    const UINT kind = KindOfEdit(edit);
    const bool before = kind == OPERATE_MODIFY || kind == OPERATE_DELETE || kind == OPERATE_CUT;
    int pushed = 0;
    if (before)
        pushed = PushSelected(kind, edit);
    if (change)
        change();
    if (!before)
        pushed = PushSelected(kind, edit);
    return pushed;
}

std::string COperateCtrl::GetUndoLabel() const
{
    return m_history.canUndo() ? m_history.undoText().toStdString() : std::string();
}

std::string COperateCtrl::GetRedoLabel() const
{
    return m_history.canRedo() ? m_history.redoText().toStdString() : std::string();
}

COperateCtrl::COperateCtrl()
{
    m_history.setUndoLimit(MAX_STEPS);
}

COperateCtrl::~COperateCtrl() = default;

void COperateCtrl::SetScreen(CScreenBase* screen)
{
    if (screen != m_pScreen)
        m_history.clear();
    m_pScreen = screen;
}

int COperateCtrl::RecordAddControl(CControlBase* control)
{
    return RecordOne(OPERATE_ADD, control, EDIT_INSERT);
}

int COperateCtrl::RecordModifyControl(CControlBase* before)
{
    return RecordOne(OPERATE_MODIFY, before, EDIT_ATTRIBUTE);
}

int COperateCtrl::RecordOne(UINT kind, CControlBase* control, EditKind edit)
{
    if (!m_pScreen || !control)
        return 0;
    Copies copies;
    copies.emplace_back(m_pScreen->CopyForUndo(control));
    m_history.push(new COperateStep(kind, m_pScreen, std::move(copies), LabelOfEdit(edit)));
    return 1;
}

int COperateCtrl::RecordSelectedControls(UINT kind)
{
    // The edit a bare kind stands for, for the step's label.
    static const EditKind edits[] = {EDIT_INSERT, EDIT_MOVE, EDIT_DELETE, EDIT_CUT, EDIT_PASTE};
    return kind > OPERATE_PASTE ? 0 : PushSelected(kind, edits[kind]);
}

int COperateCtrl::PushSelected(UINT kind, EditKind edit)
{
    if (!m_pScreen || kind > OPERATE_PASTE)
        return 0;
    int count = 0;
    CControlBase** array = nullptr;
    m_pScreen->GetSelectedControlsCopy(count, array);
    Copies copies;
    for (int i = 0; i < count; ++i)
        copies.emplace_back(array[i]);
    delete[] array;
    if (copies.empty())
        return 0;
    m_history.push(new COperateStep(kind, m_pScreen, std::move(copies), LabelOfEdit(edit)));
    return 1;
}

int COperateCtrl::Undo()
{
    if (!m_history.canUndo())
        return 0;
    m_history.undo();
    return 1;
}

int COperateCtrl::Redo()
{
    if (!m_history.canRedo())
        return 0;
    m_history.redo();
    return 1;
}

int COperateCtrl::KindAt(int index) const
{
    const auto* step = dynamic_cast<const COperateStep*>(m_history.command(index));
    return step ? int(step->Kind()) : -1;
}

int COperateCtrl::GetUndoKind() const
{
    return KindAt(m_history.index() - 1);
}

int COperateCtrl::GetRedoKind() const
{
    return KindAt(m_history.index());
}
