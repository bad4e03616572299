#include "controls/attribute_enum.h"

#include "controls/attr_combo.h"
#include "controls/model_text.h"

using COMMON_EX::CRecordReader;
using COMMON_EX::CRecordWriter;

const char* const CAttributeEnum::s_lpcszNotOperate = "\xB2\xBB\xCC\xF8\xD7\xAA"; // 不跳转
CScreensList* CAttributeEnum::s_lpGobalScreensList = nullptr;
CAttributeEnum::GetScreenNamesFunc CAttributeEnum::s_pfnGetScreenNames = nullptr;

CAttributeEnum::CAttributeEnum(CControlBase* parent) : CAttributeBase(parent, ATTRIBUTE_ENUM, CAttrValue::Int32(0))
{
}

int CAttributeEnum::SetValue(const CAttrValue& value)
{
    if (value.GetType() == CAttrValue::VT_I4)
        return ApplyValue(value);
    if (value.IsString()) {
        const int index = FindItem(ModelText::Utf16ToGbk(value.GetString()).c_str());
        return index < 0 ? 0 : ApplyValue(CAttrValue::Int32(index));
    }
    return 0;
}

int CAttributeEnum::SetValueString(const char* text)
{
    // Searched as GBK directly: the same item a string value would select, without a round trip
    // through UTF-16.
    const int index = FindItem(text ? text : "");
    return index < 0 ? 0 : SetValue(CAttrValue::Int32(index));
}

void CAttributeEnum::ValueStored()
{
    const int index = m_value.GetInt32();
    m_strText = index >= 0 && index < GetItemCount() ? m_items[size_t(index)] : std::string();
}

int CAttributeEnum::FindItem(const char* text) const
{
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i] == text)
            return int(i);
    return -1;
}

void CAttributeEnum::GetValueString(std::string& out, const char* format) const
{
    out = ModelText::FormatText(format, "%s", m_strText.c_str());
}

void CAttributeEnum::AddAllItemToComboBox(IAttrComboBox* combo)
{
    if (!combo)
        return;
    combo->ResetContent();
    if (!m_nScreenListMode) {
        for (const std::string& item : m_items)
            combo->AddString(item.c_str());
    } else if (s_lpGobalScreensList && s_pfnGetScreenNames) {
        std::vector<std::string> names;
        s_pfnGetScreenNames(s_lpGobalScreensList, names);
        combo->AddString(s_lpcszNotOperate);
        for (const std::string& name : names)
            combo->AddString(name.c_str());
    }
    combo->SetCurSel(m_value.GetInt32());
}

CAttributeBase* CAttributeEnum::Clone(CControlBase* owner) const
{
    CAttributeEnum* copy = CloneBase<CAttributeEnum>(owner);
    copy->m_nScreenListMode = m_nScreenListMode;
    copy->m_strText = m_strText;
    copy->m_items = m_items;
    return copy;
}

void CAttributeEnum::SetEnumValueList(const std::vector<std::string>& items)
{
    m_items = items;
    SetValue(CAttrValue::Int32(0));
}

void CAttributeEnum::SetEnumValueList(const char** items, int count)
{
    std::vector<std::string> list;
    for (int i = 0; items && i < count; ++i)
        list.emplace_back(items[i] ? items[i] : "");
    SetEnumValueList(list);
}

CAttributeEnum& CAttributeEnum::operator=(int index)
{
    SetValue(CAttrValue::Int32(index));
    return *this;
}

CAttributeEnum& CAttributeEnum::operator=(const char* itemText)
{
    SetValueString(itemText);
    return *this;
}

DWORD CAttributeEnum::GetExtensionSize() const
{
    DWORD size = ModelText::TextSize(m_strText) + 8;
    for (const std::string& item : m_items)
        size += ModelText::TextSize(item);
    return size;
}

void CAttributeEnum::SaveExtension(CRecordWriter& writer) const
{
    ModelText::WriteText(writer, m_strText);
    writer.WriteInt(m_nScreenListMode);
    writer.WriteInt(GetItemCount());
    for (const std::string& item : m_items)
        ModelText::WriteText(writer, item);
}

bool CAttributeEnum::LoadExtension(CRecordReader& reader)
{
    std::string text;
    int mode, count;
    if (!ModelText::ReadText(reader, text) || !reader.ReadInt(mode) || !reader.ReadInt(count))
        return false;
    std::vector<std::string> items;
    // Each item takes at least its 4-byte length, which bounds a damaged count.
    for (int i = 0; i < count; ++i) {
        std::string item;
        if (!ModelText::ReadText(reader, item))
            return false;
        items.push_back(std::move(item));
    }
    m_strText = text;
    m_nScreenListMode = mode;
    m_items = std::move(items);
    return true;
}
