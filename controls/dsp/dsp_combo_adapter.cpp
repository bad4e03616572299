// Filling a QComboBox for an attribute.
#include "controls/dsp/dsp_combo_adapter.h"

#include "controls/dsp/dsp_text.h"

#include <QComboBox>
#include <QSignalBlocker>

void CDspComboAdapter::ResetContent()
{
    m_items.clear();
    m_nSelection = -1;
}

void CDspComboAdapter::AddString(const char* text)
{
    m_items.append(DspText::Shown(text));
}

void CDspComboAdapter::Apply()
{
    if (!m_pCombo)
        return;
    const QSignalBlocker blocker(m_pCombo);
    bool same = m_pCombo->count() == m_items.size();
    for (int i = 0; same && i < m_items.size(); ++i)
        same = m_pCombo->itemText(i) == m_items.at(i);
    if (!same) {
        m_pCombo->clear();
        m_pCombo->addItems(m_items);
    }
    m_pCombo->setCurrentIndex(m_nSelection >= 0 && m_nSelection < m_items.size() ? m_nSelection : -1);
}
