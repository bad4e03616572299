#include "controls/attribute_kinds.h"

#include "controls/attr_combo.h"
#include "controls/model_text.h"

using COMMON_EX::CRecordReader;
using COMMON_EX::CRecordWriter;

// ---- yes/no ----

CAttributeBool::CAttributeBool(CControlBase* parent) : CAttributeBase(parent, ATTRIBUTE_BOOL, CAttrValue::Int16(0))
{
}

int CAttributeBool::SetValueString(const char* text)
{
    return SetValue(CAttrValue::Int16(short(ModelText::ParseInt(text))));
}

void CAttributeBool::GetValueString(std::string& out, const char* format) const
{
    out = ModelText::FormatInt(format, "%d", m_value.GetInt32());
}

void CAttributeBool::AddAllItemToComboBox(IAttrComboBox* combo)
{
    if (!combo)
        return;
    combo->ResetContent();
    combo->AddString(m_strNo.empty() ? "\xB7\xF1" : m_strNo.c_str());   // 否
    combo->AddString(m_strYes.empty() ? "\xCA\xC7" : m_strYes.c_str()); // 是
    combo->SetCurSel(m_value.GetInt32());
}

CAttributeBase* CAttributeBool::Clone(CControlBase* owner) const
{
    CAttributeBool* copy = CloneBase<CAttributeBool>(owner);
    copy->m_strNo = m_strNo;
    copy->m_strYes = m_strYes;
    return copy;
}

void CAttributeBool::SetComboBoxSelectString(const char* noText, const char* yesText)
{
    m_strNo = noText ? noText : "";
    m_strYes = yesText ? yesText : "";
}

CAttributeBool& CAttributeBool::operator=(int value)
{
    SetValue(CAttrValue::Int16(short(value)));
    return *this;
}

DWORD CAttributeBool::GetExtensionSize() const
{
    return ModelText::TextSize(m_strNo) + ModelText::TextSize(m_strYes);
}

void CAttributeBool::SaveExtension(CRecordWriter& writer) const
{
    ModelText::WriteText(writer, m_strNo);
    ModelText::WriteText(writer, m_strYes);
}

bool CAttributeBool::LoadExtension(CRecordReader& reader)
{
    std::string no, yes;
    if (!ModelText::ReadText(reader, no) || !ModelText::ReadText(reader, yes))
        return false;
    m_strNo = no;
    m_strYes = yes;
    return true;
}

// ---- integer ----

CAttributeInt::CAttributeInt(CControlBase* parent) : CAttributeBase(parent, ATTRIBUTE_INT, CAttrValue::Int32(0))
{
}

int CAttributeInt::SetValueString(const char* text)
{
    return SetValue(CAttrValue::Int32(ModelText::ParseInt(text)));
}

void CAttributeInt::GetValueString(std::string& out, const char* format) const
{
    out = ModelText::FormatInt(format, "%d", m_value.GetInt32());
}

CAttributeBase* CAttributeInt::Clone(CControlBase* owner) const
{
    return CloneBase<CAttributeInt>(owner);
}

CAttributeInt& CAttributeInt::operator=(int value)
{
    SetValue(CAttrValue::Int32(value));
    return *this;
}

// ---- floating ----

CAttributeDouble::CAttributeDouble(CControlBase* parent)
    : CAttributeBase(parent, ATTRIBUTE_DOUBLE, CAttrValue::Double(0.0))
{
}

int CAttributeDouble::SetValueString(const char* text)
{
    return SetValue(CAttrValue::Double(ModelText::ParseDouble(text)));
}

void CAttributeDouble::GetValueString(std::string& out, const char* format) const
{
    out = ModelText::FormatDouble(format, "%.2f", m_value.GetDouble());
}

CAttributeBase* CAttributeDouble::Clone(CControlBase* owner) const
{
    return CloneBase<CAttributeDouble>(owner);
}

CAttributeDouble& CAttributeDouble::operator=(double value)
{
    SetValue(CAttrValue::Double(value));
    return *this;
}

// ---- string ----

CAttributeString::CAttributeString(CControlBase* parent)
    : CAttributeBase(parent, ATTRIBUTE_STRING, CAttrValue::String(u""))
{
}

int CAttributeString::SetValue(const CAttrValue& value)
{
    if (!value.IsString())
        return 0;
    return ApplyValue(value);
}

int CAttributeString::SetValueString(const char* text)
{
    return SetValue(CAttrValue::String(ModelText::GbkToUtf16(text ? text : "")));
}

void CAttributeString::GetValueString(std::string& out, const char* format) const
{
    out = ModelText::FormatText(format, "%s", m_strText.c_str());
}

CAttributeBase* CAttributeString::Clone(CControlBase* owner) const
{
    CAttributeString* copy = CloneBase<CAttributeString>(owner);
    copy->m_strText = m_strText;
    return copy;
}

CAttributeString& CAttributeString::operator=(const char* text)
{
    SetValueString(text);
    return *this;
}

void CAttributeString::ValueStored()
{
    m_strText = ModelText::Utf16ToGbk(m_value.GetString());
}

DWORD CAttributeString::GetExtensionSize() const
{
    return ModelText::TextSize(m_strText);
}

void CAttributeString::SaveExtension(CRecordWriter& writer) const
{
    ModelText::WriteText(writer, m_strText);
}

bool CAttributeString::LoadExtension(CRecordReader& reader)
{
    return ModelText::ReadText(reader, m_strText);
}
