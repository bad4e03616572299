#include "controls/screens_list.h"

#include "controls/attribute_enum.h"
#include "controls/compile_session.h"
#include "controls/control_base.h"
#include "controls/screen_base.h"

#include <memory>

using COMMON_EX::CRecordReader;
using COMMON_EX::CRecordWriter;

CScreensList::CScreensList()
{
    m_listScreens.AddTail(new CScreenBase);
    CAttributeEnum::s_lpGobalScreensList = this;
    CAttributeEnum::s_pfnGetScreenNames = ListScreenNames;
}

CScreensList::~CScreensList()
{
    DestroyAllScreens();
    if (CAttributeEnum::s_lpGobalScreensList == this)
        CAttributeEnum::s_lpGobalScreensList = nullptr;
}

void CScreensList::ListScreenNames(CScreensList* list, std::vector<std::string>& names)
{
    list->GetScreenNames(names);
}

void CScreensList::GetScreenNames(std::vector<std::string>& names) const
{
    names.clear();
    for (ScreenList::Node* n = m_listScreens.GetHead(); n; n = n->pNext)
        names.emplace_back(n->pItem->GetScreenName());
}

void CScreensList::DestroyAllScreens()
{
    m_pScreenCursor = nullptr;
    m_pActivateScreen = nullptr;
    m_nActivateScreenIndex = -1;
    while (CScreenBase* screen = m_listScreens.RemoveHead())
        delete screen;
}

void CScreensList::SetDependenceDevice(CDeviceBase* device)
{
    m_pDependenceDevice = device;
    for (ScreenList::Node* n = m_listScreens.GetHead(); n; n = n->pNext)
        n->pItem->SetDependenceDevice(device);
}

void CScreensList::SetNewScreenAttribute(CScreenBase* screen)
{
    screen->SetScreenID(unsigned(m_nNextScreenID++));
    screen->SetDependenceDevice(m_pDependenceDevice);
    if (CScreenBase* first = GetFirstScreen())
        screen->SetScreenZoomRate(first->GetScreenZoomRate());
}

CScreenBase* CScreensList::AppendNew(CScreenBase* screen)
{
    SetNewScreenAttribute(screen);
    m_listScreens.AddTail(screen);
    return screen;
}

CScreenBase* CScreensList::AddNewScreen()
{
    return AppendNew(new CScreenBase);
}

CScreenBase* CScreensList::CopyScreen(CScreenBase* screen)
{
    return screen ? AppendNew(screen->Clone()) : nullptr;
}

void CScreensList::RemoveScreen(CScreenBase* screen)
{
    for (ScreenList::Node* n = m_listScreens.GetHead(); n; n = n->pNext)
        if (n->pItem == screen) {
            if (m_pScreenCursor == n)
                m_pScreenCursor = n->pNext;
            m_listScreens.Remove(n);
            delete screen;
            break;
        }
    if (CScreenBase* last = GetLastScreen()) {
        SetActivateScreen(last);
    } else {
        m_pActivateScreen = nullptr;
        m_nActivateScreenIndex = -1;
    }
}

CScreenBase* CScreensList::RemoveCurrentActivateScreen()
{
    CScreenBase* active = m_pActivateScreen;
    if (active)
        RemoveScreen(active);
    return active;
}

CScreenBase* CScreensList::GetFirstScreen() const
{
    return m_listScreens.GetHead() ? m_listScreens.GetHead()->pItem : nullptr;
}

CScreenBase* CScreensList::GetLastScreen() const
{
    return m_listScreens.GetTail() ? m_listScreens.GetTail()->pItem : nullptr;
}

CScreenBase* CScreensList::GetNextScreen()
{
    if (!m_pScreenCursor)
        return nullptr;
    CScreenBase* screen = m_pScreenCursor->pItem;
    m_pScreenCursor = m_pScreenCursor->pNext;
    return screen;
}

CScreenBase* CScreensList::GetScreenAt(int index) const
{
    ScreenList::Node* n = index >= 0 ? m_listScreens.GetHead() : nullptr;
    for (int i = 0; n && i < index; ++i)
        n = n->pNext;
    return n ? n->pItem : nullptr;
}

int CScreensList::GetScreenIndex(const CScreenBase* screen) const
{
    int index = 0;
    for (ScreenList::Node* n = m_listScreens.GetHead(); n; n = n->pNext, ++index)
        if (n->pItem == screen)
            return index;
    return -1;
}

void CScreensList::SetActivateScreen(CScreenBase* screen)
{
    m_pActivateScreen = screen;
    m_nActivateScreenIndex = GetScreenIndex(screen);
}

const char* CScreensList::GetActivateScreenName()
{
    return m_pActivateScreen ? m_pActivateScreen->GetScreenName() : "";
}

int CScreensList::GetControlsCount() const
{
    int count = 0;
    for (ScreenList::Node* n = m_listScreens.GetHead(); n; n = n->pNext)
        count += n->pItem->GetControlCount();
    return count;
}

int CScreensList::GetStaticControlsCount() const
{
    int count = 0;
    for (ScreenList::Node* n = m_listScreens.GetHead(); n; n = n->pNext)
        count += n->pItem->GetStaticControlsCount();
    return count;
}

void CScreensList::AdjustControls()
{
    for (ScreenList::Node* n = m_listScreens.GetHead(); n; n = n->pNext)
        n->pItem->AdjustControls();
}

// ---- compile ----

template <typename Produce>
DWORD CScreensList::RunPasses(BYTE* buffer, DWORD size, Produce produce)
{
    CCompileSession::ResetNumbering();
    DWORD written = 0;
    for (int pass = CScreenBase::PASS_REGISTERS; pass < CScreenBase::PASS_COUNT; ++pass) {
        CScreenBase::s_byScreenID = 1;
        for (ScreenList::Node* n = m_listScreens.GetHead(); n; n = n->pNext) {
            written += produce(n->pItem, buffer ? buffer + written : nullptr, buffer ? size - written : 0, pass);
            ++CScreenBase::s_byScreenID;
        }
    }
    return written;
}

DWORD CScreensList::GetCompileControlData(BYTE* buffer, DWORD size)
{
    return RunPasses(buffer, size, [](CScreenBase* screen, BYTE* out, DWORD room, int pass) {
        return screen->GetCompileControlData(out, room, pass);
    });
}

DWORD CScreensList::GetCompileControlParameterData(BYTE* buffer, DWORD size)
{
    return RunPasses(buffer, size, [](CScreenBase* screen, BYTE* out, DWORD room, int pass) {
        return screen->GetCompileControlParameterData(out, room, pass);
    });
}

DWORD CScreensList::GetCompileStaticControlText(BYTE* buffer, DWORD size)
{
    DWORD written = 0;
    for (ScreenList::Node* n = m_listScreens.GetHead(); n; n = n->pNext)
        written +=
            n->pItem->GetCompileStaticControlText(buffer ? buffer + written : nullptr, buffer ? size - written : 0);
    return written;
}

DWORD CScreensList::Compile(BYTE*, DWORD)
{
    return 0;
}

// ---- record ----

DWORD CScreensList::Save(BYTE* buffer, DWORD size)
{
    DWORD used = 4;
    if (buffer)
        COMMON_EX::WriteLE32(buffer, DWORD(m_listScreens.GetCount()));
    for (ScreenList::Node* n = m_listScreens.GetHead(); n; n = n->pNext)
        used += n->pItem->Save(buffer ? buffer + used : nullptr, buffer ? size - used : 0);
    if (buffer) {
        COMMON_EX::WriteLE32(buffer + used, DWORD(m_nActivateScreenIndex));
        COMMON_EX::WriteLE32(buffer + used + 4, DWORD(m_nNextScreenID));
    }
    return used + 8;
}

DWORD CScreensList::Load(BYTE* buffer, DWORD size)
{
    CRecordReader reader(buffer, size);
    LoadRecord(reader);
    return reader.Consumed();
}

bool CScreensList::LoadRecord(CRecordReader& reader)
{
    DestroyAllScreens();
    DWORD count = 0;
    bool whole = reader.ReadDWORD(count) && count > 0;
    for (DWORD i = 0; whole && i < count; ++i) {
        auto screen = std::make_unique<CScreenBase>();
        screen->SetDependenceDevice(m_pDependenceDevice);
        whole = screen->LoadRecord(reader);
        m_listScreens.AddTail(screen.release());
    }
    int active = -1, nextID = 1;
    if (whole && reader.ReadInt(active) && reader.ReadInt(nextID)) {
        m_nActivateScreenIndex = active;
        m_nNextScreenID = nextID;
    } else {
        whole = false;
    }
    // The editor relies on a list that is never empty.
    if (m_listScreens.IsEmpty()) {
        CScreenBase* screen = new CScreenBase;
        screen->SetDependenceDevice(m_pDependenceDevice);
        m_listScreens.AddTail(screen);
    }
    return whole;
}
