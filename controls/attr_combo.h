// What an attribute needs of the drop-down list the attribute window shows for it.
#pragma once

#include "controls/controls_api.h"

class CONTROLS_API IAttrComboBox {
public:
    virtual ~IAttrComboBox() = default;
    virtual void ResetContent() = 0;
    // Appends a GBK text.
    virtual void AddString(const char* text) = 0;
    // Selects the entry at index (an index outside the list selects nothing).
    virtual void SetCurSel(int index) = 0;
};
