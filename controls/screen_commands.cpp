// Editing commands on the selection: moving, alignment, equal spacing, deleting, the control
// clipboard, the undo helpers and the register input order numbers.
#include "controls/screen_base.h"

#include "controls/control_base.h"
#include "controls/control_creator.h"
#include "controls/control_function.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <memory>

using COMMON_EX::CRecordReader;
using COMMON_EX::CRecordWriter;

const char* const CScreenBase::CONTROLS_CLIPBOARD_FORMAT = "74D1B6A1-B689-4926-A566-0BD29871393C";

namespace {

// Milliseconds since start-up, always after the previous copy's, so two copies made within one
// millisecond are still told apart.
DWORD NextCopyTick()
{
    static DWORD last = 0;
    static bool any = false;
    const auto now =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch());
    DWORD tick = DWORD(now.count());
    if (any && std::int32_t(tick - last) <= 0)
        tick = last + 1;
    last = tick;
    any = true;
    return tick;
}

int Half(int value)
{
    return value >> 1;
}

// X + offset without leaving the int range (the control refuses what does not fit).
int Offset(int value, std::int64_t offset)
{
    const std::int64_t v = std::int64_t(value) + offset;
    return v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : int(v);
}

} // namespace

void CScreenBase::MoveSelectedControls(const QSize& offset)
{
    for (ControlList::Node* n = m_listSelected.GetHead(); n; n = n->pNext) {
        n->pItem->SetX(Offset(n->pItem->GetX(), offset.width()));
        n->pItem->SetY(Offset(n->pItem->GetY(), offset.height()));
    }
}

namespace {

bool Covers(const CControlBase* control)
{
    const auto* key = dynamic_cast<const CControlFunction*>(control);
    return !(key && key->GetInvisible()) && control->GetWidth() > 0 && control->GetHeight() > 0;
}

QRect PanelRect(const CControlBase* control)
{
    return QRect(control->GetX(), control->GetY(), control->GetWidth(), control->GetHeight());
}

} // namespace

bool CScreenBase::PlaceSelectionWhereFree()
{
    const std::vector<CControlBase*> moving = Items(m_listSelected);
    std::vector<QRect> own, others;
    QRect block;
    for (CControlBase* control : moving) {
        block = block.united(PanelRect(control));
        if (Covers(control))
            own.push_back(PanelRect(control));
    }
    for (CControlBase* control : Items(m_listLayout))
        if (Covers(control) && std::find(moving.begin(), moving.end(), control) == moving.end())
            others.push_back(PanelRect(control));
    // The first x after `x` worth trying for block row y, or -1 when the block is free at (x, y):
    // a member covering another control keeps covering it until it has passed its right edge.
    const auto nextTry = [&](int x, int y) {
        for (const QRect& r : own) {
            const QRect shifted = r.translated(x - block.x(), y - block.y());
            for (const QRect& other : others)
                if (shifted.intersects(other))
                    return other.x() + other.width() - (r.x() - block.x());
        }
        return -1;
    };
    if (moving.empty() || nextTry(block.x(), block.y()) < 0)
        return false;
    const int width = GetScreenWidth(), height = GetScreenHeight();
    for (int y = 0; y + block.height() <= height; ++y)
        for (int x = 0; x + block.width() <= width;) {
            const int next = nextTry(x, y);
            if (next < 0) {
                MoveSelectedControls(QSize(x - block.x(), y - block.y()));
                return true;
            }
            x = std::max(next, x + 1);
        }
    return false;
}

namespace {

typedef int (*ReferenceOf)(const CControlBase* primary);
typedef int (*PlaceAt)(const CControlBase* control, int reference);

// Moves each selected control's X (or Y) to place(control, v), with v taken from the primary
// selection (the list's last entry); nothing happens when v is negative.
void AlignSelection(CScreenBase::ControlList& selection, bool vertical, ReferenceOf reference, PlaceAt place)
{
    if (selection.IsEmpty())
        return;
    const int v = reference(selection.GetTail()->pItem);
    if (v < 0)
        return;
    for (CScreenBase::ControlList::Node* n = selection.GetHead(); n; n = n->pNext) {
        CControlBase* c = n->pItem;
        if (vertical)
            c->SetY(place(c, v));
        else
            c->SetX(place(c, v));
    }
}

int AtValue(const CControlBase*, int v)
{
    return v;
}

} // namespace

void CScreenBase::SetSelectedControlAlignLeft()
{
    AlignSelection(
        m_listSelected, false, [](const CControlBase* r) { return r->GetX(); }, AtValue);
}

void CScreenBase::SetSelectedControlAlignRight()
{
    AlignSelection(
        m_listSelected, false, [](const CControlBase* r) { return r->GetX() + r->GetWidth(); },
        [](const CControlBase* c, int v) { return v - c->GetWidth(); });
}

void CScreenBase::SetSelectedControlAlignTop()
{
    AlignSelection(
        m_listSelected, true, [](const CControlBase* r) { return r->GetY(); }, AtValue);
}

void CScreenBase::SetSelectedControlAlignBottom()
{
    AlignSelection(
        m_listSelected, true, [](const CControlBase* r) { return r->GetY() + r->GetHeight(); },
        [](const CControlBase* c, int v) { return v - c->GetHeight(); });
}

void CScreenBase::SetSelectedControlHorizontalCenter()
{
    AlignSelection(
        m_listSelected, true, [](const CControlBase* r) { return r->GetY() + Half(r->GetHeight()); },
        [](const CControlBase* c, int v) { return v - Half(c->GetHeight()); });
}

void CScreenBase::SetSelectedControlVerticalCenter()
{
    AlignSelection(
        m_listSelected, false, [](const CControlBase* r) { return r->GetX() + Half(r->GetWidth()); },
        [](const CControlBase* c, int v) { return v - Half(c->GetWidth()); });
}

void CScreenBase::AddControlToArray(CControlBase* control, CControlBase** array, int& count, int byY)
{
    auto key = [byY](const CControlBase* c) { return byY ? c->GetY() : c->GetX(); };
    int at = 0;
    while (at < count && key(array[at]) <= key(control))
        ++at;
    for (int i = count; i > at; --i)
        array[i] = array[i - 1];
    array[at] = control;
    ++count;
}

void CScreenBase::EqualSpacing(bool vertical)
{
    const int n = m_listSelected.GetCount();
    if (n <= 2)
        return;
    std::vector<CControlBase*> array(size_t(n), nullptr);
    int count = 0;
    auto pos = [vertical](const CControlBase* c) { return vertical ? c->GetY() : c->GetX(); };
    auto extent = [vertical](const CControlBase* c) { return vertical ? c->GetHeight() : c->GetWidth(); };
    long long total = 0;
    for (ControlList::Node* node = m_listSelected.GetHead(); node; node = node->pNext) {
        AddControlToArray(node->pItem, array.data(), count, vertical);
        total += extent(node->pItem);
    }
    const CControlBase* first = array.front();
    const CControlBase* last = array.back();
    const int gap = int((pos(last) + extent(last) - pos(first) - total) / (n - 1));
    for (int i = 1; i < n - 1; ++i) {
        const CControlBase* prev = array[size_t(i - 1)];
        const int value = pos(prev) + extent(prev) + gap;
        if (vertical)
            array[size_t(i)]->SetY(value);
        else
            array[size_t(i)]->SetX(value);
    }
}

void CScreenBase::SetSelectedControlHorizontalDSame()
{
    EqualSpacing(false);
}

void CScreenBase::SetSelectedControlVerticalDSame()
{
    EqualSpacing(true);
}

void CScreenBase::DeleteSelectedControls()
{
    for (CControlBase* control : Items(m_listSelected))
        DestroyControl(control);
    RemoveAll(m_listSelected);
}

void CScreenBase::DeleteControlByID(unsigned id)
{
    SetControlsAllNotSelected(nullptr);
    if (CControlBase* control = GetControlByID(id))
        DestroyControl(control);
}

// ---- clipboard ----

DWORD CScreenBase::CopySelectedControlsCode(BYTE* buffer, DWORD size, int cut)
{
    DWORD needed = CLIPBOARD_HEADER_SIZE;
    for (ControlList::Node* n = m_listSelected.GetHead(); n; n = n->pNext)
        needed += n->pItem->GetRecordSize();
    if (!buffer)
        return needed;
    if (size < needed)
        return 0;
    CRecordWriter writer(buffer);
    writer.WriteDWORD(size);
    writer.WriteDWORD(NextCopyTick());
    writer.WriteDWORD(DWORD(m_listSelected.GetCount()));
    for (ControlList::Node* n = m_listSelected.GetHead(); n; n = n->pNext)
        n->pItem->SaveRecord(writer);
    if (cut)
        DeleteSelectedControls();
    return writer.Written();
}

int CScreenBase::PasteControlsFromData(BYTE* data, DWORD size, DWORD& pasteCount)
{
    SetControlsAllNotSelected(nullptr);
    CRecordReader reader(data, size);
    DWORD count = 0;
    if (!reader.ReadDWORD(count))
        return 0;
    const std::int64_t offset = std::int64_t(PASTE_STEP) * (std::int64_t(pasteCount) + 1);
    std::vector<CControlBase*> pasted;
    for (DWORD i = 0; i < count; ++i) {
        // Only whole records of known kinds are pasted; the first fault ends the paste.
        DWORD type = 0;
        std::unique_ptr<CControlBase> control(reader.PeekDWORD(type) ? CControlCreator::Create(type, this) : nullptr);
        if (!control || !control->LoadRecord(reader))
            break;
        const int x = control->GetX(), y = control->GetY();
        control->SetX(Offset(x, offset));
        control->SetY(Offset(y, offset));
        if (control->GetX() == x && control->GetY() == y)
            pasteCount = 0;
        control->SetSelected(1);
        control->SetControlID(unsigned(GetNewControlID()));
        control->SetControlName(nullptr);
        control->AdjustAddress();
        CControlBase* added = control.release(); // the screen owns it from here
        m_listLayout.AddTail(added);
        m_listControls.AddTail(added);
        m_listSelected.AddTail(added);
        pasted.push_back(added);
    }
    for (CControlBase* control : pasted)
        control->SetMultipleSelectedType(pasted.size() == 1 ? 0 : control == pasted.back() ? 1 : 2);
    return int(pasted.size());
}

// ---- undo helpers ----

CControlBase* CScreenBase::CopyForUndo(CControlBase* control)
{
    if (!control)
        return nullptr;
    int cursor[4];
    GetDefPosCursor(cursor[0], cursor[1], cursor[2], cursor[3]);
    CControlBase* copy = control->Clone(this, 0);
    SetDefPosCursor(cursor[0], cursor[1], cursor[2], cursor[3]);
    if (copy && control->HasControlName())
        copy->SetControlName(control->GetControlName());
    return copy;
}

std::vector<std::unique_ptr<CControlBase>> CScreenBase::CopySelectedControls()
{
    std::vector<std::unique_ptr<CControlBase>> copies;
    for (CControlBase* control : Items(m_listSelected))
        copies.emplace_back(CopyForUndo(control));
    return copies;
}

int CScreenBase::GetSelectedControlsCopy(int& count, CControlBase**& copies)
{
    std::vector<std::unique_ptr<CControlBase>> owned = CopySelectedControls();
    count = int(owned.size());
    copies = count ? new CControlBase*[owned.size()] : nullptr;
    for (size_t i = 0; i < owned.size(); ++i)
        copies[i] = owned[i].release();
    return count;
}

int CScreenBase::ModifyControls(int count, CControlBase** copies)
{
    int swapped = 0;
    for (int i = 0; copies && i < count; ++i) {
        CControlBase* copy = copies[i];
        CControlBase* control = copy ? GetControlByID(copy->GetControlID()) : nullptr;
        if (!control || control->GetControlType() != copy->GetControlType())
            continue;
        const std::unique_ptr<CControlBase> previous(CopyForUndo(control));
        control->CopyAttributes(copy);
        if (previous)
            copy->CopyAttributes(previous.get());
        ++swapped;
    }
    return swapped;
}

// ---- register input order ----

int CScreenBase::SetRegisterOrderNow(int on)
{
    m_nRegisterOrderMode = on;
    int registers = 0;
    for (ControlList::Node* n = m_listLayout.GetHead(); n; n = n->pNext)
        if (n->pItem->GetControlType() == CControlBase::CONTROL_REGISTER) {
            ++registers;
            n->pItem->SetDrawOrderID(on ? registers : 0);
        }
    return registers;
}
