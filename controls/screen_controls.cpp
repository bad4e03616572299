// The screen's identity, its three control lists, copying, drawing and its share of the compile
// passes.
#include "controls/screen_base.h"

#include "controls/control_base.h"
#include "controls/control_creator.h"

#include <cstdio>
#include <utility>

namespace {

bool IsStaticKind(int type)
{
    return type == CControlBase::CONTROL_STATIC_TEXT || type == CControlBase::CONTROL_PICTURE;
}

bool InPass(int type, int pass)
{
    switch (pass) {
    case CScreenBase::PASS_REGISTERS: return type == CControlBase::CONTROL_REGISTER;
    case CScreenBase::PASS_LIGHTS: return type == CControlBase::CONTROL_LIGHT;
    case CScreenBase::PASS_OTHERS: return type != CControlBase::CONTROL_REGISTER && type != CControlBase::CONTROL_LIGHT;
    default: return false;
    }
}

// Appends, for each control of the draw order that `take` accepts, what `produce` writes
// (null buffer: a size query); stops at the first record that does not fit.
template <typename Take, typename Produce>
DWORD AppendRecords(const CScreenBase::ControlList& layout, BYTE* buffer, DWORD size, Take take, Produce produce)
{
    DWORD written = 0;
    for (CScreenBase::ControlList::Node* n = layout.GetHead(); n; n = n->pNext) {
        if (!take(n->pItem->GetControlType()))
            continue;
        const DWORD bytes = produce(n->pItem, buffer ? buffer + written : nullptr, buffer ? size - written : 0);
        if (!bytes)
            break;
        written += bytes;
    }
    return written;
}

} // namespace

// ---- identity ----

const char* CScreenBase::GetScreenName()
{
    if (!m_bHasName)
        CreateTitleByDefaultID();
    return m_strName.c_str();
}

void CScreenBase::SetScreenName(const char* name)
{
    m_bHasName = name != nullptr;
    m_strName = name ? std::string(name).substr(0, MAX_SCREEN_NAME) : std::string();
}

void CScreenBase::CreateTitleByDefaultID()
{
    char name[32];
    std::snprintf(name, sizeof name, "Screen_%d", int(m_uScreenID));
    SetScreenName(name);
}

// ---- lists ----

std::vector<CControlBase*> CScreenBase::Items(const ControlList& list)
{
    std::vector<CControlBase*> items;
    items.reserve(size_t(list.GetCount()));
    for (ControlList::Node* n = list.GetHead(); n; n = n->pNext)
        items.push_back(n->pItem);
    return items;
}

CScreenBase::ControlList::Node* CScreenBase::FindNode(const ControlList& list, const CControlBase* control)
{
    for (ControlList::Node* n = list.GetHead(); n; n = n->pNext)
        if (n->pItem == control)
            return n;
    return nullptr;
}

bool CScreenBase::RemoveFrom(ControlList& list, const CControlBase* control)
{
    ControlList::Node* node = FindNode(list, control);
    return node && list.Remove(node);
}

void CScreenBase::RemoveAll(ControlList& list)
{
    while (!list.IsEmpty())
        list.RemoveHead();
}

void CScreenBase::DestroyControl(CControlBase* control)
{
    if (m_pControlCursor && m_pControlCursor->pItem == control)
        m_pControlCursor = m_pControlCursor->pNext;
    RemoveFrom(m_listSelected, control);
    RemoveFrom(m_listLayout, control);
    if (RemoveFrom(m_listControls, control))
        delete control;
}

void CScreenBase::DestroyAllControls()
{
    m_pControlCursor = nullptr;
    RemoveAll(m_listSelected);
    RemoveAll(m_listLayout);
    while (CControlBase* control = m_listControls.RemoveHead())
        delete control;
}

void CScreenBase::ReplaceLayout(const std::vector<CControlBase*>& order)
{
    m_pControlCursor = nullptr;
    RemoveAll(m_listLayout);
    for (CControlBase* control : order)
        m_listLayout.AddTail(control);
}

void CScreenBase::NumberLevelsByLayout()
{
    int level = 0;
    for (ControlList::Node* n = m_listLayout.GetHead(); n; n = n->pNext)
        n->pItem->SetLevelIndex(level++);
}

CControlBase* CScreenBase::AddControl(unsigned type)
{
    CControlBase* control = CControlCreator::Create(type, this);
    if (control)
        AddControl(control, 1);
    return control;
}

unsigned CScreenBase::AddControl(CControlBase* control, int newID)
{
    if (!control)
        return 0;
    if (newID)
        control->SetControlID(unsigned(GetNewControlID()));
    control->SetSelected(1);
    control->SetMultipleSelectedType(0);
    m_listSelected.AddTail(control);
    m_listControls.AddTail(control);
    m_listLayout.AddTail(control);
    return control->GetControlID();
}

CControlBase* CScreenBase::GetControlByID(unsigned id) const
{
    for (ControlList::Node* n = m_listControls.GetHead(); n; n = n->pNext)
        if (n->pItem->GetControlID() == id)
            return n->pItem;
    return nullptr;
}

int CScreenBase::GetStaticControlsCount() const
{
    int count = 0;
    for (ControlList::Node* n = m_listControls.GetHead(); n; n = n->pNext)
        count += IsStaticKind(n->pItem->GetControlType());
    return count;
}

CControlBase* CScreenBase::GetNextControls()
{
    if (!m_pControlCursor)
        return nullptr;
    CControlBase* control = m_pControlCursor->pItem;
    m_pControlCursor = m_pControlCursor->pNext;
    return control;
}

void CScreenBase::AdjustControls()
{
    for (ControlList::Node* n = m_listControls.GetHead(); n; n = n->pNext)
        n->pItem->AdjustAddress();
}

CScreenBase* CScreenBase::Clone()
{
    CScreenBase* copy = new CScreenBase;
    copy->SetDependenceDevice(m_pDependenceDevice);
    std::vector<std::pair<const CControlBase*, CControlBase*>> copies;
    for (ControlList::Node* n = m_listControls.GetHead(); n; n = n->pNext)
        if (CControlBase* control = n->pItem->Clone(copy, 1)) {
            copy->m_listControls.AddTail(control);
            copies.emplace_back(n->pItem, control);
        }
    // The copy keeps the draw order, which is also the registers' input order.
    std::vector<CControlBase*> layout;
    for (ControlList::Node* n = m_listLayout.GetHead(); n; n = n->pNext)
        for (const auto& pair : copies)
            if (pair.first == n->pItem)
                layout.push_back(pair.second);
    copy->ReplaceLayout(layout);
    return copy;
}

void CScreenBase::DrawControls(COM_GUI_EX::CGUIEXDC* target)
{
    for (ControlList::Node* n = m_listLayout.GetHead(); n; n = n->pNext)
        n->pItem->Draw(target);
}

// ---- compile ----

DWORD CScreenBase::GetCompileControlData(BYTE* buffer, DWORD size, int pass)
{
    return AppendRecords(
        m_listLayout, buffer, size, [pass](int type) { return InPass(type, pass); },
        [](CControlBase* c, BYTE* out, DWORD room) { return c->GetCompileControlData(out, room); });
}

DWORD CScreenBase::GetCompileControlParameterData(BYTE* buffer, DWORD size, int pass)
{
    return AppendRecords(
        m_listLayout, buffer, size, [pass](int type) { return !IsStaticKind(type) && InPass(type, pass); },
        [](CControlBase* c, BYTE* out, DWORD room) { return c->GetCompileControlParameterData(out, room); });
}

DWORD CScreenBase::GetCompileStaticControlText(BYTE* buffer, DWORD size)
{
    return AppendRecords(
        m_listLayout, buffer, size, [](int type) { return type == CControlBase::CONTROL_STATIC_TEXT; },
        [](CControlBase* c, BYTE* out, DWORD room) { return c->GetCompileStaticControlText(out, room); });
}

DWORD CScreenBase::Compile(BYTE*, DWORD)
{
    return 0;
}
