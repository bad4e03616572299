#include "controls/attribute_base.h"

#include "controls/control_base.h"
#include "controls/model_text.h"

using COMMON_EX::CRecordReader;
using COMMON_EX::CRecordWriter;

CAttributeBase::CAttributeBase(CControlBase* parent) : CAttributeBase(parent, ATTRIBUTE_NONE, CAttrValue())
{
}

CAttributeBase::CAttributeBase(CControlBase* parent, Attribute_Type type, const CAttrValue& initial)
    : m_value(initial), m_nType(type), m_pParentControl(parent)
{
}

CAttributeBase::~CAttributeBase() = default;

void CAttributeBase::SetAttributeName(const char* name)
{
    m_strName = name ? name : "";
}

int CAttributeBase::SetValue(const CAttrValue& value)
{
    return ApplyValue(value);
}

int CAttributeBase::ApplyValue(const CAttrValue& value)
{
    if (&value == &m_value)
        return 1;
    int result = 1;
    if (m_pfnPreValueChange && m_pParentControl) {
        result = m_pfnPreValueChange(m_pParentControl, this, &value);
        if (!result)
            return 0;
    }
    m_value = value;
    ValueStored();
    if (m_pfnValueChanged && m_pParentControl)
        m_pfnValueChanged(m_pParentControl, this, &m_value);
    if (m_pParentControl)
        m_pParentControl->AttributesChanged();
    return result;
}

int CAttributeBase::SetValueString(const char*)
{
    return 1;
}

void CAttributeBase::GetValue(CAttrValue& value) const
{
    value = m_value;
}

void CAttributeBase::GetValueString(std::string& out, const char*) const
{
    out = "(Error)";
}

void CAttributeBase::AddAllItemToComboBox(IAttrComboBox*)
{
}

CAttributeBase* CAttributeBase::Clone(CControlBase* owner) const
{
    return CloneBase<CAttributeBase>(owner);
}

void CAttributeBase::CopyBaseTo(CAttributeBase* copy) const
{
    copy->m_strName = m_strName;
    copy->m_nType = m_nType;
    copy->m_value = m_value;
    copy->m_nReadonly = m_nReadonly;
    copy->m_nVisible = m_nVisible;
    copy->m_pfnPreValueChange = m_pfnPreValueChange;
    copy->m_pfnValueChanged = m_pfnValueChanged;
}

DWORD CAttributeBase::Compile(BYTE*, DWORD)
{
    return 0;
}

DWORD CAttributeBase::GetRecordSize() const
{
    return 4 + ModelText::TextSize(m_strName) + m_value.GetStoredSize() + 8 + GetExtensionSize();
}

void CAttributeBase::SaveRecord(CRecordWriter& writer) const
{
    writer.WriteDWORD(DWORD(m_nType));
    ModelText::WriteText(writer, m_strName);
    writer.Skip(m_value.Store(writer.Current()));
    writer.WriteInt(m_nReadonly);
    writer.WriteInt(m_nVisible);
    SaveExtension(writer);
}

bool CAttributeBase::LoadRecord(CRecordReader& reader)
{
    // The kind field only chose the class (CAttrList peeks at it); the class keeps its kind.
    DWORD kind;
    std::string name;
    CAttrValue value;
    int readonly, visible;
    if (!reader.ReadDWORD(kind) || !ModelText::ReadText(reader, name))
        return false;
    const DWORD n = value.Restore(reader.Current(), reader.Remaining());
    if (!n || !reader.Skip(n))
        return false;
    if (!reader.ReadInt(readonly) || !reader.ReadInt(visible))
        return false;
    if (!LoadExtension(reader))
        return false;
    m_strName = name;
    m_value = value;
    m_nReadonly = readonly;
    m_nVisible = visible;
    return true;
}

DWORD CAttributeBase::Save(BYTE* buffer, DWORD)
{
    return ModelText::SaveObject(*this, buffer);
}

DWORD CAttributeBase::Load(BYTE* buffer, DWORD size)
{
    return ModelText::LoadObject(*this, buffer, size);
}
