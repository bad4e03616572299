#include "controls/attr_list.h"

#include "controls/attribute_creator.h"
#include "controls/model_text.h"

#include <memory>

using COMMON_EX::CRecordReader;
using COMMON_EX::CRecordWriter;

CAttrList::CAttrList(CControlBase* parent) : m_pParentControl(parent)
{
}

CAttrList::~CAttrList()
{
    RemoveAllAttributes();
}

void CAttrList::SetListName(const char* name)
{
    m_strName = name ? name : "";
}

void CAttrList::AddAtttribute(CAttributeBase* attribute)
{
    if (attribute)
        m_attributes.AddTail(attribute);
}

void CAttrList::RemoveAllAttributes()
{
    m_pCursor = nullptr;
    while (CAttributeBase* attribute = m_attributes.RemoveHead())
        delete attribute;
}

void CAttrList::StartGetAttribute()
{
    m_pCursor = m_attributes.GetHead();
}

CAttributeBase* CAttrList::GetNextAttribute()
{
    if (!m_pCursor)
        return nullptr;
    CAttributeBase* attribute = m_pCursor->pItem;
    m_pCursor = m_pCursor->pNext;
    return attribute;
}

CAttributeBase* CAttrList::GetLastAttribute() const
{
    return m_attributes.GetTail() ? m_attributes.GetTail()->pItem : nullptr;
}

CAttributeBase* CAttrList::GetAttributeAt(int index) const
{
    auto* node = m_attributes.GetHead();
    for (int i = 0; node && i < index; ++i)
        node = node->pNext;
    return index >= 0 && node ? node->pItem : nullptr;
}

CAttrList* CAttrList::Clone(CControlBase* owner) const
{
    return CloneInto(new CAttrList(owner), owner);
}

CAttrList* CAttrList::CloneInto(CAttrList* copy, CControlBase* owner) const
{
    copy->m_strName = m_strName;
    for (auto* node = m_attributes.GetHead(); node; node = node->pNext)
        copy->AddAtttribute(node->pItem->Clone(owner));
    return copy;
}

DWORD CAttrList::Compile(BYTE*, DWORD)
{
    return 0;
}

DWORD CAttrList::GetRecordSize() const
{
    DWORD size = ModelText::TextSize(m_strName) + 4;
    for (auto* node = m_attributes.GetHead(); node; node = node->pNext)
        size += node->pItem->GetRecordSize();
    return size;
}

void CAttrList::SaveRecord(CRecordWriter& writer) const
{
    ModelText::WriteText(writer, m_strName);
    writer.WriteInt(GetAttributesCount());
    for (auto* node = m_attributes.GetHead(); node; node = node->pNext)
        node->pItem->SaveRecord(writer);
}

bool CAttrList::LoadRecord(CRecordReader& reader)
{
    std::string name;
    DWORD count;
    if (!ModelText::ReadText(reader, name) || !reader.ReadDWORD(count))
        return false;
    m_strName = name;
    RemoveAllAttributes();
    for (DWORD i = 0; i < count; ++i) {
        DWORD kind;
        if (!reader.PeekDWORD(kind))
            return false;
        std::unique_ptr<CAttributeBase> attribute(CAttributeCreator::Create(m_pParentControl, kind));
        if (!attribute || !attribute->LoadRecord(reader))
            return false;
        AddAtttribute(attribute.release());
    }
    return true;
}

DWORD CAttrList::Save(BYTE* buffer, DWORD)
{
    return ModelText::SaveObject(*this, buffer);
}

DWORD CAttrList::Load(BYTE* buffer, DWORD size)
{
    return ModelText::LoadObject(*this, buffer, size);
}
