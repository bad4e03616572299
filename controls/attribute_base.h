// The common part of every editable property of a control: name, typed value, flags and the
// two callbacks through which the owning control vetoes or reacts to a change.
#pragma once

#include "controls/controls_api.h"

#include "comkit/attr_value.h"
#include "comkit/record_io.h"
#include "comkit/serialize.h"

#include <string>

class CControlBase;
class IAttrComboBox;

using COMMON_EX::CAttrValue;

// Returns 0 to refuse newValue.
typedef int (*AttrPreValueChangeHandle)(void* control, void* attribute, const CAttrValue* newValue);
// Called with the stored value after a change.
typedef void (*AttrValueChangedHandle)(void* control, void* attribute, const CAttrValue* value);

class CONTROLS_API CAttributeBase : public COM_INTERFACE_EX::ISerialize, public COM_INTERFACE_EX::ICompile {
public:
    // Stored in the records and passed to CAttributeCreator.
    enum Attribute_Type {
        ATTRIBUTE_NONE = 0,
        ATTRIBUTE_BOOL = 1,
        ATTRIBUTE_INT = 2,
        ATTRIBUTE_DOUBLE = 3,
        ATTRIBUTE_STRING = 4,
        ATTRIBUTE_ENUM = 5,
    };

    explicit CAttributeBase(CControlBase* parent);
    ~CAttributeBase() override;
    CAttributeBase(const CAttributeBase&) = delete;
    CAttributeBase& operator=(const CAttributeBase&) = delete;

    // Record: kind, name, value field, read-only, visible, then the kind's own fields. A cut
    // record changes nothing and returns the bytes of the whole fields before the cut.
    DWORD Load(BYTE* buffer, DWORD size) override;
    DWORD Save(BYTE* buffer, DWORD size) override;
    DWORD Compile(BYTE* buffer, DWORD size) override;

    // Runs the veto, stores the value, runs the reaction and marks the control for redraw.
    // Returns non-zero when the value was taken.
    virtual int SetValue(const CAttrValue& value);
    // Parses text by the kind's rules and sets it; returns SetValue's result.
    virtual int SetValueString(const char* text);
    virtual void GetValue(CAttrValue& value) const;
    // The value printf-formatted (GBK); a null or empty format uses the kind's default.
    virtual void GetValueString(std::string& out, const char* format) const;
    virtual void AddAllItemToComboBox(IAttrComboBox* combo);
    // A new attribute of the same class with the same state and handlers, owned by `owner`.
    virtual CAttributeBase* Clone(CControlBase* owner) const;

    void SetAttributeName(const char* name);
    // The name (GBK); empty when the attribute has none.
    const char* GetAttributeName() const { return m_strName.c_str(); }
    Attribute_Type GetType() const { return m_nType; }
    CControlBase* GetParentControl() const { return m_pParentControl; }
    const CAttrValue& GetValueRef() const { return m_value; }

    void SetPreValueChangeHandle(AttrPreValueChangeHandle handle) { m_pfnPreValueChange = handle; }
    void SetValueChangedHandle(AttrValueChangedHandle handle) { m_pfnValueChanged = handle; }
    AttrPreValueChangeHandle GetPreValueChangeHandle() const { return m_pfnPreValueChange; }
    AttrValueChangedHandle GetValueChangedHandle() const { return m_pfnValueChanged; }
    void SetReadonly(int readonly) { m_nReadonly = readonly; }
    int GetReadonly() const { return m_nReadonly; }
    void SetVisible(int visible) { m_nVisible = visible; }
    int GetVisible() const { return m_nVisible; }

    // Save/Load through a caller's writer and reader (for lists and controls); LoadRecord
    // returns false, changing nothing, when the record is cut.
    DWORD GetRecordSize() const;
    void SaveRecord(COMMON_EX::CRecordWriter& writer) const;
    bool LoadRecord(COMMON_EX::CRecordReader& reader);

protected:
    CAttributeBase(CControlBase* parent, Attribute_Type type, const CAttrValue& initial);

    // The setting steps on an already converted value.
    int ApplyValue(const CAttrValue& value);
    // Called once a new value is stored, before the reaction runs (derived copies follow it).
    virtual void ValueStored() {}

    // The kind's fields after the common ones. LoadExtension reads them all and applies them
    // only when every one fitted.
    virtual DWORD GetExtensionSize() const { return 0; }
    virtual void SaveExtension(COMMON_EX::CRecordWriter&) const {}
    virtual bool LoadExtension(COMMON_EX::CRecordReader&) { return true; }

    // A new T owned by `owner` with this attribute's name, value, flags and handlers.
    template <class T>
    T* CloneBase(CControlBase* owner) const
    {
        T* copy = new T(owner);
        CopyBaseTo(copy);
        return copy;
    }

    CAttrValue m_value;

private:
    void CopyBaseTo(CAttributeBase* copy) const;

    std::string m_strName;
    Attribute_Type m_nType;
    int m_nReadonly = 0;
    int m_nVisible = 1;
    AttrPreValueChangeHandle m_pfnPreValueChange = nullptr;
    AttrValueChangedHandle m_pfnValueChanged = nullptr;
    CControlBase* m_pParentControl;
};
