// The yes/no, integer, floating and string attributes. Every typed setter goes through the
// virtual SetValue, so the owning control's veto and reaction run.
#pragma once

#include "controls/controls_api.h"

#include "controls/attribute_base.h"

// Held as a 16-bit integer, 0 for no and 1 for yes; the texts shown for the two entries are
// the attribute's own or "否" and "是" when empty.
class CONTROLS_API CAttributeBool : public CAttributeBase {
public:
    explicit CAttributeBool(CControlBase* parent);

    int SetValueString(const char* text) override;
    void GetValueString(std::string& out, const char* format) const override;
    void AddAllItemToComboBox(IAttrComboBox* combo) override;
    CAttributeBase* Clone(CControlBase* owner) const override;
    // Replaces both texts; a null text leaves that entry empty.
    virtual void SetComboBoxSelectString(const char* noText, const char* yesText);

    const std::string& GetNoText() const { return m_strNo; }
    const std::string& GetYesText() const { return m_strYes; }

    CAttributeBool& operator=(int value);
    operator int() const { return m_value.GetInt32(); }

protected:
    DWORD GetExtensionSize() const override;
    void SaveExtension(COMMON_EX::CRecordWriter& writer) const override;
    bool LoadExtension(COMMON_EX::CRecordReader& reader) override;

private:
    std::string m_strNo;
    std::string m_strYes;
};

// Held as a 32-bit integer.
class CONTROLS_API CAttributeInt : public CAttributeBase {
public:
    explicit CAttributeInt(CControlBase* parent);

    int SetValueString(const char* text) override;
    void GetValueString(std::string& out, const char* format) const override;
    CAttributeBase* Clone(CControlBase* owner) const override;

    CAttributeInt& operator=(int value);
    operator int() const { return m_value.GetInt32(); }
};

// Held as a double.
class CONTROLS_API CAttributeDouble : public CAttributeBase {
public:
    explicit CAttributeDouble(CControlBase* parent);

    int SetValueString(const char* text) override;
    void GetValueString(std::string& out, const char* format) const override;
    CAttributeBase* Clone(CControlBase* owner) const override;

    CAttributeDouble& operator=(double value);
    operator double() const { return m_value.GetDouble(); }
};

// Held as UTF-16, with a GBK copy that is what the control draws and compiles. Only string
// values are taken.
class CONTROLS_API CAttributeString : public CAttributeBase {
public:
    explicit CAttributeString(CControlBase* parent);

    int SetValue(const CAttrValue& value) override;
    int SetValueString(const char* text) override;
    void GetValueString(std::string& out, const char* format) const override;
    CAttributeBase* Clone(CControlBase* owner) const override;

    CAttributeString& operator=(const char* text);
    operator const char*() const { return m_strText.c_str(); }
    const std::string& GetText() const { return m_strText; }

protected:
    void ValueStored() override;
    DWORD GetExtensionSize() const override;
    void SaveExtension(COMMON_EX::CRecordWriter& writer) const override;
    bool LoadExtension(COMMON_EX::CRecordReader& reader) override;

private:
    std::string m_strText;
};
