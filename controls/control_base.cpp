#include "controls/control_base.h"

#include "controls/control_creator.h"
#include "controls/model_text.h"
#include "controls/name_buffers.h"
#include "controls/screen_base.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <climits>
#include <cstdio>
#include <utility>

using COMMON_EX::CRecordReader;
using COMMON_EX::CRecordWriter;

const char* const CControlBase::s_ControlDefFontName = "\xD0\xC2\xCB\xCE\xCC\xE5"; // 新宋体
const double CControlBase::s_ControlDefFontSize = 9.0;

CControlBase::Groups CControlBase::NewGroups(CControlBase* parent, CTypedAttrList::Content content)
{
    return {std::make_unique<CHideAttributes>(parent, content),    std::make_unique<CLayoutAttributes>(parent, content),
            std::make_unique<CDisplayAttributes>(parent, content), std::make_unique<CCustomAttributes>(parent),
            std::make_unique<CDataAttributes>(parent, content),    std::make_unique<COtherAttributes>(parent)};
}

bool CControlBase::LoadGroups(Groups& groups, CRecordReader& reader)
{
    for (CAttrList* list : std::array<CAttrList*, 6>{groups.hide.get(), groups.layout.get(), groups.display.get(),
                                                     groups.custom.get(), groups.data.get(), groups.other.get()})
        if (!list->LoadRecord(reader))
            return false;
    return true;
}

CControlBase::CControlBase(CScreenBase* screen) : m_pScreen(screen), m_groups(NewGroups(this))
{
    int x = 0, y = 0;
    m_pScreen->GetControlDefPos(x, y);
    CControlBase::BindAttributes();
    SetX(x);
    SetY(y);
    FillDataFromScreen();
}

CControlBase::~CControlBase() = default;

std::array<CAttrList*, 6> CControlBase::AllGroups() const
{
    return {m_groups.hide.get(),   m_groups.layout.get(), m_groups.display.get(),
            m_groups.custom.get(), m_groups.data.get(),   m_groups.other.get()};
}

// ---- identity ----

const char* CControlBase::GetControlName()
{
    if (!m_bHasName) {
        char name[32];
        std::snprintf(name, sizeof name, "[Control %d]", int(m_uID));
        SetControlName(name);
    }
    return m_strName.c_str();
}

void CControlBase::SetControlName(const char* name)
{
    m_bHasName = name != nullptr;
    m_strName = name ? name : "";
}

void CControlBase::SetDrawOrderID(int order)
{
    m_nDrawOrderID = order;
    RefreshOrderDraw();
}

// ---- geometry ----

namespace {

int Saturated(long long value)
{
    return int(std::max<long long>(INT_MIN, std::min<long long>(INT_MAX, value)));
}

} // namespace

int CControlBase::GetXInScreen() const
{
    return Saturated((long long)m_pScreen->GetScreenX() + GetX());
}

int CControlBase::GetYInScreen() const
{
    return Saturated((long long)m_pScreen->GetScreenY() + GetY());
}

bool CControlBase::GeometryFitsScreen() const
{
    const long long x = GetX(), y = GetY(), width = GetWidth(), height = GetHeight();
    if (x < 0 || y < 0 || width < 0 || height < 0)
        return false;
    // A screen not yet given its panel model (a record read on its own) knows no size to hold to.
    return !m_pScreen->GetDependenceDevice() ||
           (x + width <= m_pScreen->GetScreenWidth() && y + height <= m_pScreen->GetScreenHeight());
}

void CControlBase::GetControlRect(QRect& rect) const
{
    rect = QRect(GetXInScreen(), GetYInScreen(), GetWidth(), GetHeight());
}

void CControlBase::GetControlFrameRect(QRect& rect) const
{
    GetControlRect(rect);
    rect.adjust(-SELECTED_RECT_LEN, -SELECTED_RECT_LEN, SELECTED_RECT_LEN, 2 * SELECTED_RECT_LEN);
}

// Sums in 64 bits: a width or position from a damaged record never wraps round into the screen.
int CControlBase::InsidePreviousXChange(int x)
{
    return x >= 0 && (long long)x + GetWidth() <= m_pScreen->GetScreenWidth();
}

int CControlBase::InsidePreviousYChange(int y)
{
    return y >= 0 && (long long)y + GetHeight() <= m_pScreen->GetScreenHeight();
}

int CControlBase::InsidePreviousWidthChange(int width)
{
    return width >= 0 && width <= m_pScreen->GetScreenWidth();
}

int CControlBase::InsidePreviousHeightChange(int height)
{
    return height >= 0 && height <= m_pScreen->GetScreenHeight();
}

void CControlBase::InsideWidthChanged()
{
    const int screenWidth = m_pScreen->GetScreenWidth();
    if (GetX() + GetWidth() > screenWidth)
        SetX(screenWidth - GetWidth());
}

void CControlBase::InsideHeightChanged()
{
    const int screenHeight = m_pScreen->GetScreenHeight();
    if (GetY() + GetHeight() > screenHeight)
        SetY(screenHeight - GetHeight());
}

int CControlBase::PreviousXChangeHandle(void* control, void*, const CAttrValue* value)
{
    return ControlOf(control)->InsidePreviousXChange(ValueOf(value));
}

int CControlBase::PreviousYChangeHandle(void* control, void*, const CAttrValue* value)
{
    return ControlOf(control)->InsidePreviousYChange(ValueOf(value));
}

int CControlBase::PreviousWidthChangeHandle(void* control, void*, const CAttrValue* value)
{
    return ControlOf(control)->InsidePreviousWidthChange(ValueOf(value));
}

int CControlBase::PreviousHeightChangeHandle(void* control, void*, const CAttrValue* value)
{
    return ControlOf(control)->InsidePreviousHeightChange(ValueOf(value));
}

void CControlBase::WidthChangedHandle(void* control, void*, const CAttrValue*)
{
    ControlOf(control)->InsideWidthChanged();
}

void CControlBase::HeightChangedHandle(void* control, void*, const CAttrValue*)
{
    ControlOf(control)->InsideHeightChanged();
}

void CControlBase::AppendAttributeAt(CAttrList* group, int position, CAttributeBase* attribute)
{
    assert(group->GetAttributesCount() == position);
    (void)position;
    group->AddAtttribute(attribute);
}

bool CControlBase::BindAttributes()
{
    m_groups.layout->GetXAttribute()->SetPreValueChangeHandle(PreviousXChangeHandle);
    m_groups.layout->GetYAttribute()->SetPreValueChangeHandle(PreviousYChangeHandle);
    m_groups.layout->GetWidthAttribute()->SetPreValueChangeHandle(PreviousWidthChangeHandle);
    m_groups.layout->GetWidthAttribute()->SetValueChangedHandle(WidthChangedHandle);
    m_groups.layout->GetHeightAttribute()->SetPreValueChangeHandle(PreviousHeightChangeHandle);
    m_groups.layout->GetHeightAttribute()->SetValueChangedHandle(HeightChangedHandle);
    return true;
}

bool CControlBase::GetValidRange(const CAttributeBase* attribute, long long& first, long long& last) const
{
    const CDataAttributes* data = m_groups.data.get();
    if (attribute == data->GetRegisterAddrAttribute())
        return m_pScreen->GetPLCAddressRange(false, GetRegister(), first, last);
    if (attribute == data->GetCoilAddrAttribute())
        return m_pScreen->GetPLCAddressRange(true, GetCoil(), first, last);
    return false;
}

// ---- PLC binding ----

void CControlBase::FetchPLCKinds(bool coils, std::vector<std::string>& names) const
{
    CNameBuffers buffers;
    int codes[CNameBuffers::MAX_NAMES];
    DWORD values1[CNameBuffers::MAX_NAMES], values2[CNameBuffers::MAX_NAMES];
    const int count =
        coils ? m_pScreen->GetPLCCoilCollection(codes, buffers.pointers, values1, values2, CNameBuffers::MAX_NAMES)
              : m_pScreen->GetPLCRegisterCollection(codes, buffers.pointers, values1, values2, CNameBuffers::MAX_NAMES);
    names = buffers.Collect(count);
}

void CControlBase::FillDataFromScreen()
{
    SetPLCStation(m_pScreen->GetPLCStation());
    m_groups.data->GetPLCStationAttribute()->SetReadonly(m_pScreen->GetPLCStationDisabled());
    std::vector<std::string> names;
    FetchPLCKinds(false, names);
    m_groups.data->GetRegisterAttribute()->SetEnumValueList(names);
    SetRegister(m_pScreen->GetPLCRegisterDefIndex());
    FetchPLCKinds(true, names);
    m_groups.data->GetCoilAttribute()->SetEnumValueList(names);
    SetCoil(m_pScreen->GetPLCCoilDefIndex());
}

void CControlBase::AdjustAddress()
{
    std::vector<std::string> registers, coils;
    FetchPLCKinds(false, registers);
    FetchPLCKinds(true, coils);

    const int disabled = m_pScreen->GetPLCStationDisabled();
    m_groups.data->GetPLCStationAttribute()->SetReadonly(disabled);
    if (disabled)
        SetPLCStation(m_pScreen->GetPLCStation());

    for (auto kind : {std::make_pair(m_groups.data->GetRegisterAttribute(), &registers),
                      std::make_pair(m_groups.data->GetCoilAttribute(), &coils)}) {
        const std::string text = kind.first->GetText();
        kind.first->SetEnumValueList(*kind.second);
        *kind.first = text.c_str();
    }
}

void CControlBase::FitToText(const char* text)
{
    int width = 0, height = 0;
    CScreenBase::GetStringLength(text, width, height);
    SetWidth(width);
    SetHeight(height);
}

void CControlBase::ShowPLCStation()
{
    if (m_pScreen->GetPLCStationVisibled())
        m_groups.data->SetPLCStationVisible(1);
}

void CControlBase::ShowRegister()
{
    ShowPLCStation();
    m_groups.data->SetRegisterVisible(1);
    m_groups.data->SetRegisterAddrVisible(1);
}

void CControlBase::ShowCoil()
{
    ShowPLCStation();
    m_groups.data->SetCoilVisible(1);
    m_groups.data->SetCoilAddrVisible(1);
}

// ---- copying ----

CControlBase* CControlBase::Clone(CScreenBase* screen, int newID)
{
    return CloneOwned(screen, newID).release();
}

std::unique_ptr<CControlBase> CControlBase::CloneOwned(CScreenBase* screen, int newID)
{
    std::unique_ptr<CControlBase> copy(CControlCreator::Create(m_nType, screen));
    if (!copy) {
        if (!screen)
            return nullptr;
        copy.reset(new CControlBase(screen));
        copy->m_nType = m_nType;
    }
    copy->m_uID = newID ? unsigned(screen->GetNewControlID()) : m_uID;
    copy->SetControlName(nullptr);
    copy->m_bCopyingValues = true;
    copy->CopyValuesFrom(this);
    copy->m_bCopyingValues = false;
    return copy;
}

void CControlBase::CopyAttributes(CControlBase* source)
{
    if (!source || source == this)
        return;
    m_uID = source->m_uID;
    SetControlName(source->GetControlName());
    m_nType = source->m_nType;
    m_bCopyingValues = true;
    CopyValuesFrom(source);
    m_bCopyingValues = false;
}

void CControlBase::CopyValuesFrom(CControlBase* source)
{
    CopyGeometryAndAppearance(source);
    CopyPLCValues(source);
}

void CControlBase::CopyGeometryAndAppearance(CControlBase* source)
{
    SetWidth(source->GetWidth());
    SetHeight(source->GetHeight());
    SetX(source->GetX());
    SetY(source->GetY());
    SetZoomOnce(source->GetZoomOnce());
    SetInvertColor(source->GetInvertColor());
}

void CControlBase::CopyPLCValues(CControlBase* source)
{
    SetPLCStation(source->GetPLCStation());
    SetRegister(source->GetRegister());
    SetRegisterAddr(source->GetRegisterAddr());
    SetCoil(source->GetCoil());
    SetCoilAddr(source->GetCoilAddr());
}

void CControlBase::GetSelectedStatusString(std::string& status)
{
    CControlCreator::GetControlBaseName(m_nType, status);
}

namespace {

void AppendModbusStatus(std::string& status, const char* label, DWORD address)
{
    char text[96];
    std::snprintf(text, sizeof text, " [MODBUS %s: %d (0x%X)]", label, int(address), unsigned(address));
    status += text;
}

} // namespace

void CControlBase::AppendRegisterStatus(std::string& status) const
{
    if (m_pScreen->IsPLCFree())
        AppendModbusStatus(status, CDataAttributes::ATTR_REGISTER_ADDR_NAME,
                           m_pScreen->ConvertPLCRegisterAddress(GetRegister(), DWORD(GetRegisterAddr())));
}

void CControlBase::AppendCoilStatus(std::string& status) const
{
    if (m_pScreen->IsPLCFree())
        AppendModbusStatus(status, CDataAttributes::ATTR_COIL_ADDR_NAME,
                           m_pScreen->ConvertPLCCoilAddress(GetCoil(), DWORD(GetCoilAddr())));
}

// ---- records ----

DWORD CControlBase::Compile(BYTE*, DWORD)
{
    return 0;
}

DWORD CControlBase::GetRecordSize() const
{
    DWORD size = 12 + DWORD(m_strName.size());
    for (const CAttrList* list : AllGroups())
        size += list->GetRecordSize();
    return size;
}

void CControlBase::SaveRecord(CRecordWriter& writer) const
{
    writer.WriteDWORD(DWORD(m_nType));
    writer.WriteDWORD(m_uID);
    for (const CAttrList* list : AllGroups())
        list->SaveRecord(writer);
    ModelText::WriteText(writer, m_strName);
}

bool CControlBase::LoadRecord(CRecordReader& reader)
{
    return LoadFields(reader) == LOAD_OK;
}

CControlBase::LoadResult CControlBase::LoadFields(CRecordReader& reader)
{
    DWORD type, id;
    if (!reader.ReadDWORD(type) || !reader.ReadDWORD(id))
        return LOAD_CUT;
    if (m_nType != CONTROL_NONE && type != DWORD(m_nType))
        return LOAD_REJECTED;
    // The groups load into fresh objects and replace the current ones only when the whole
    // record was read and the kind found its attributes in it.
    Groups groups = NewGroups(this, CTypedAttrList::EMPTY_FOR_LOAD);
    std::string name;
    if (!LoadGroups(groups, reader) || !ModelText::ReadText(reader, name))
        return LOAD_CUT;
    std::swap(m_groups, groups);
    if (!BindAttributes() || !GeometryFitsScreen()) {
        std::swap(m_groups, groups);
        BindAttributes();
        return LOAD_REJECTED;
    }
    m_nType = ControlsType(type);
    m_uID = id;
    m_bHasName = !name.empty();
    m_strName = name;
    RefreshDraw();
    return LOAD_OK;
}

DWORD CControlBase::Save(BYTE* buffer, DWORD)
{
    return ModelText::SaveObject(*this, buffer);
}

DWORD CControlBase::Load(BYTE* buffer, DWORD size)
{
    CRecordReader reader(buffer, size);
    return LoadFields(reader) == LOAD_REJECTED ? 0 : reader.Consumed();
}
