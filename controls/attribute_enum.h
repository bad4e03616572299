// A choice among texts, held as the 32-bit index of the selected item. In screen-list mode the
// drop-down list offers "不跳转" and then the name of every screen of the project instead.
#pragma once

#include "controls/controls_api.h"

#include "controls/attribute_base.h"

#include <vector>

class CScreensList;

class CONTROLS_API CAttributeEnum : public CAttributeBase {
public:
    // Lists the names (GBK) of the screens of `list` in order; installed by the screens list.
    typedef void (*GetScreenNamesFunc)(CScreensList* list, std::vector<std::string>& names);

    static const char* const s_lpcszNotOperate; // "不跳转"
    static CScreensList* s_lpGobalScreensList;  // the project's screens, not owned
    static GetScreenNamesFunc s_pfnGetScreenNames;

    explicit CAttributeEnum(CControlBase* parent);

    // An index is taken whatever its range (the text becomes empty outside the items); a string
    // selects the first item with exactly that text and is refused when there is none; any
    // other kind is refused.
    int SetValue(const CAttrValue& value) override;
    // The text of an item, selecting it.
    int SetValueString(const char* text) override;
    void GetValueString(std::string& out, const char* format) const override;
    void AddAllItemToComboBox(IAttrComboBox* combo) override;
    CAttributeBase* Clone(CControlBase* owner) const override;
    // The items become exactly these texts; then index 0 is set (handlers run).
    virtual void SetEnumValueList(const std::vector<std::string>& items);
    virtual void SetEnumValueList(const char** items, int count);

    void SetScreenListMode(int mode) { m_nScreenListMode = mode; }
    int GetScreenListMode() const { return m_nScreenListMode; }
    int GetItemCount() const { return int(m_items.size()); }
    const std::vector<std::string>& GetItems() const { return m_items; }
    // Position of the first item with this text, -1 when none.
    int FindItem(const char* text) const;

    CAttributeEnum& operator=(int index);
    CAttributeEnum& operator=(const char* itemText);
    operator int() const { return m_value.GetInt32(); }
    operator const char*() const { return m_strText.c_str(); }
    const std::string& GetText() const { return m_strText; }

protected:
    void ValueStored() override;
    DWORD GetExtensionSize() const override;
    void SaveExtension(COMMON_EX::CRecordWriter& writer) const override;
    bool LoadExtension(COMMON_EX::CRecordReader& reader) override;

private:
    int m_nScreenListMode = 0;
    std::string m_strText;
    std::vector<std::string> m_items;
};
