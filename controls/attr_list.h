// A named, ordered list of attributes, which it owns.
#pragma once

#include "controls/controls_api.h"

#include "controls/attribute_base.h"

#include "comkit/serialize.h"

class CONTROLS_API CAttrList : public COM_INTERFACE_EX::ISerialize, public COM_INTERFACE_EX::ICompile {
public:
    explicit CAttrList(CControlBase* parent);
    ~CAttrList() override;
    CAttrList(const CAttrList&) = delete;
    CAttrList& operator=(const CAttrList&) = delete;

    // Record: name, count, the attribute records in order. Loading replaces the attributes;
    // an entry of an unknown kind, or a cut one, ends the reading there.
    DWORD Load(BYTE* buffer, DWORD size) override;
    DWORD Save(BYTE* buffer, DWORD size) override;
    DWORD Compile(BYTE* buffer, DWORD size) override;
    // A list of the same class holding clones of every attribute, owned by `owner`.
    virtual CAttrList* Clone(CControlBase* owner) const;

    void SetListName(const char* name);
    const char* GetListName() const { return m_strName.c_str(); }
    CControlBase* GetParentControl() const { return m_pParentControl; }

    // Appends and takes ownership.
    void AddAtttribute(CAttributeBase* attribute);
    void RemoveAllAttributes();
    // One cursor per list: a second StartGetAttribute restarts an iteration in progress.
    void StartGetAttribute();
    CAttributeBase* GetNextAttribute();
    CAttributeBase* GetLastAttribute() const;
    int GetAttributesCount() const { return m_attributes.GetCount(); }
    // The attribute at a 0-based position, null past the end.
    CAttributeBase* GetAttributeAt(int index) const;

    DWORD GetRecordSize() const;
    void SaveRecord(COMMON_EX::CRecordWriter& writer) const;
    // False when the record was cut or held an unknown kind; the entries read before stay.
    virtual bool LoadRecord(COMMON_EX::CRecordReader& reader);

protected:
    // Gives `copy` this list's name and clones of every attribute, owned by `owner`.
    CAttrList* CloneInto(CAttrList* copy, CControlBase* owner) const;

private:
    std::string m_strName;
    COMMON_EX::CMNEXList<CAttributeBase> m_attributes;
    CControlBase* m_pParentControl;
    COMMON_EX::CMNEXList<CAttributeBase>::Node* m_pCursor = nullptr;
};
