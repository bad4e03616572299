#include "controls/attr_groups.h"

using COMMON_EX::CRecordReader;

bool CTypedAttrList::LoadRecord(CRecordReader& reader)
{
    const bool complete = CAttrList::LoadRecord(reader);
    if (!BindAttributes()) {
        RemoveAllAttributes();
        CreateAttributes();
        return false;
    }
    AfterLoad();
    return complete;
}

// ---- hidden ----

CHideAttributes::CHideAttributes(CControlBase* parent, Content content) : CTypedAttrList(parent)
{
    SetListName("\xD2\xFE\xB2\xD8"); // 隐藏
    if (content == WITH_DEFAULTS)
        CreateAttributes();
}

void CHideAttributes::CreateAttributes()
{
    AddAtttribute(m_pSelected = new CAttributeBool(GetParentControl()));
    AddAtttribute(m_pMultipleSelectedType = new CAttributeBool(GetParentControl()));
    AddAtttribute(m_pLevelIndex = new CAttributeInt(GetParentControl()));
}

bool CHideAttributes::BindAttributes()
{
    return BindAt(m_pSelected, POS_SELECTED) && BindAt(m_pMultipleSelectedType, POS_MULTIPLE_SELECTED_TYPE) &&
           BindAt(m_pLevelIndex, POS_LEVEL_INDEX);
}

void CHideAttributes::AfterLoad()
{
    // Only values that are set change, so an unselected control saves again byte for byte.
    if (GetSelected())
        SetSelected(0);
    if (GetMultipleSelectedType())
        SetMultipleSelectedType(0);
}

void CHideAttributes::SetMultipleSelectedType(int type)
{
    m_pMultipleSelectedType->SetValue(CAttrValue::Int32(type));
}

CAttrList* CHideAttributes::Clone(CControlBase* owner) const
{
    CHideAttributes* copy = new CHideAttributes(owner);
    copy->SetSelected(GetSelected());
    copy->SetMultipleSelectedType(GetMultipleSelectedType());
    copy->SetLevelIndex(GetLevelIndex());
    return copy;
}

// ---- layout ----

CLayoutAttributes::CLayoutAttributes(CControlBase* parent, Content content) : CTypedAttrList(parent)
{
    SetListName("\xB2\xBC\xBE\xD6"); // 布局
    if (content == WITH_DEFAULTS)
        CreateAttributes();
}

void CLayoutAttributes::CreateAttributes()
{
    AddAtttribute(m_pX = new CAttributeInt(GetParentControl()));
    m_pX->SetAttributeName("X");
    AddAtttribute(m_pY = new CAttributeInt(GetParentControl()));
    m_pY->SetAttributeName("Y");
    AddAtttribute(m_pWidth = new CAttributeInt(GetParentControl()));
    m_pWidth->SetAttributeName("\xBF\xED\xB6\xC8"); // 宽度
    m_pWidth->SetReadonly(1);
    AddAtttribute(m_pHeight = new CAttributeInt(GetParentControl()));
    m_pHeight->SetAttributeName("\xB8\xDF\xB6\xC8"); // 高度
    m_pHeight->SetReadonly(1);
}

bool CLayoutAttributes::BindAttributes()
{
    return BindAt(m_pX, POS_X) && BindAt(m_pY, POS_Y) && BindAt(m_pWidth, POS_WIDTH) && BindAt(m_pHeight, POS_HEIGHT);
}

int CLayoutAttributes::SetInt(CAttributeInt* attribute, int value)
{
    return attribute->SetValue(CAttrValue::Int32(value));
}

CAttrList* CLayoutAttributes::Clone(CControlBase* owner) const
{
    CLayoutAttributes* copy = new CLayoutAttributes(owner);
    copy->SetX(GetX());
    copy->SetY(GetY());
    copy->SetWidth(GetWidth());
    copy->SetHeight(GetHeight());
    return copy;
}

// ---- appearance ----

CDisplayAttributes::CDisplayAttributes(CControlBase* parent, Content content) : CTypedAttrList(parent)
{
    SetListName("\xCD\xE2\xB9\xDB"); // 外观
    if (content == WITH_DEFAULTS)
        CreateAttributes();
}

void CDisplayAttributes::CreateAttributes()
{
    AddAtttribute(m_pZoomOnce = new CAttributeBool(GetParentControl()));
    m_pZoomOnce->SetVisible(0);
    AddAtttribute(m_pInvertColor = new CAttributeBool(GetParentControl()));
    m_pInvertColor->SetAttributeName("\xB7\xB4\xC9\xAB\xCF\xD4\xCA\xBE"); // 反色显示
}

bool CDisplayAttributes::BindAttributes()
{
    return BindAt(m_pZoomOnce, POS_ZOOM_ONCE) && BindAt(m_pInvertColor, POS_INVERT_COLOR);
}

CAttrList* CDisplayAttributes::Clone(CControlBase* owner) const
{
    CDisplayAttributes* copy = new CDisplayAttributes(owner);
    copy->SetZoomOnce(GetZoomOnce());
    copy->SetInvertColor(GetInvertColor());
    return copy;
}

// ---- properties ----

CCustomAttributes::CCustomAttributes(CControlBase* parent) : CAttrList(parent)
{
    SetListName("\xCC\xD8\xD0\xD4"); // 特性
}

CAttrList* CCustomAttributes::Clone(CControlBase* owner) const
{
    return CloneInto(new CCustomAttributes(owner), owner);
}

// ---- data ----

const char* const CDataAttributes::DATA_ATTR_LIST_NAME = "\xCA\xFD\xBE\xDD";
const char* const CDataAttributes::ATTR_PLC_STATION_NAME = "PLC\xD5\xBE\xBA\xC5";
const char* const CDataAttributes::ATTR_REGISTER_NAME = "\xBC\xC4\xB4\xE6\xC6\xF7\xBA\xC5";
const char* const CDataAttributes::ATTR_REGISTER_ADDR_NAME = "\xBC\xC4\xB4\xE6\xC6\xF7\xB5\xD8\xD6\xB7";
const char* const CDataAttributes::ATTR_REGISTER_ADDR_REAL_NAME = "\xBC\xC4\xB4\xE6\xC6\xF7MODBUS";
const char* const CDataAttributes::ATTR_COIL_NAME = "\xCF\xDF\xC8\xA6\xBA\xC5";
const char* const CDataAttributes::ATTR_COIL_ADDR_NAME = "\xCF\xDF\xC8\xA6\xB5\xD8\xD6\xB7";
const char* const CDataAttributes::ATTR_COIL_ADDR_REAL_NAME = "\xCF\xDF\xC8\xA6MODBUS";

CDataAttributes::CDataAttributes(CControlBase* parent, Content content) : CTypedAttrList(parent)
{
    SetListName(DATA_ATTR_LIST_NAME);
    if (content == WITH_DEFAULTS)
        CreateAttributes();
}

void CDataAttributes::CreateAttributes()
{
    CControlBase* parent = GetParentControl();
    AddAtttribute(m_pPLCStation = new CAttributeInt(parent));
    m_pPLCStation->SetAttributeName(ATTR_PLC_STATION_NAME);
    AddAtttribute(m_pRegister = new CAttributeEnum(parent));
    m_pRegister->SetAttributeName(ATTR_REGISTER_NAME);
    AddAtttribute(m_pRegisterAddr = new CAttributeInt(parent));
    m_pRegisterAddr->SetAttributeName(ATTR_REGISTER_ADDR_NAME);
    AddAtttribute(m_pCoil = new CAttributeEnum(parent));
    m_pCoil->SetAttributeName(ATTR_COIL_NAME);
    AddAtttribute(m_pCoilAddr = new CAttributeInt(parent));
    m_pCoilAddr->SetAttributeName(ATTR_COIL_ADDR_NAME);
    for (CAttributeBase* attribute :
         {static_cast<CAttributeBase*>(m_pPLCStation), static_cast<CAttributeBase*>(m_pRegister),
          static_cast<CAttributeBase*>(m_pRegisterAddr), static_cast<CAttributeBase*>(m_pCoil),
          static_cast<CAttributeBase*>(m_pCoilAddr)})
        attribute->SetVisible(0);
}

bool CDataAttributes::BindAttributes()
{
    return BindAt(m_pPLCStation, POS_PLC_STATION) && BindAt(m_pRegister, POS_REGISTER) &&
           BindAt(m_pRegisterAddr, POS_REGISTER_ADDR) && BindAt(m_pCoil, POS_COIL) &&
           BindAt(m_pCoilAddr, POS_COIL_ADDR);
}

CAttrList* CDataAttributes::Clone(CControlBase* owner) const
{
    CDataAttributes* copy = new CDataAttributes(owner);
    copy->SetPLCStation(GetPLCStation());
    copy->SetRegister(GetRegister());
    copy->SetRegisterAddr(GetRegisterAddr());
    copy->SetCoil(GetCoil());
    copy->SetCoilAddr(GetCoilAddr());
    return copy;
}

// ---- miscellaneous ----

COtherAttributes::COtherAttributes(CControlBase* parent) : CAttrList(parent)
{
    SetListName("\xD4\xD3\xCF\xEE"); // 杂项
}

CAttrList* COtherAttributes::Clone(CControlBase* owner) const
{
    return CloneInto(new COtherAttributes(owner), owner);
}
