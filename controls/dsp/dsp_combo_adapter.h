// Lets an attribute fill a QComboBox through IAttrComboBox.
#pragma once

#include "controls/dsp/dsp_api.h"

#include "controls/attr_combo.h"

#include <QStringList>

class QComboBox;

// Collects what the attribute puts into the list and applies it to the combo box when Apply is
// called: the items are replaced only when they differ (so an open list is not rebuilt under
// the user), then the selection is set. Programmatic changes never look like a user's choice.
class DSP_API CDspComboAdapter : public IAttrComboBox {
public:
    explicit CDspComboAdapter(QComboBox* combo) : m_pCombo(combo) {}

    void ResetContent() override;
    void AddString(const char* text) override;
    void SetCurSel(int index) override { m_nSelection = index; }

    void Apply();

private:
    QComboBox* m_pCombo;
    QStringList m_items;
    int m_nSelection = -1;
};
