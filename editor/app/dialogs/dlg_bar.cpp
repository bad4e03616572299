// Building a top-row bar.
#include "editor/app/dialogs/dlg_bar.h"

#include "editor/app/dialogs/dialog_look.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>

CDlgBar::CDlgBar(QWidget* parent, const QString& label, UINT comboID, const QStringList& items, int minimumWidth)
    : QWidget(parent), m_pCombo(new QComboBox(this))
{
    auto* caption = new QLabel(label, this);
    DialogLook::StyleRowLabel(caption);
    m_pCombo->setObjectName(QString::number(comboID));
    m_pCombo->addItems(items);
    m_pCombo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 1, 4, 1);
    layout->setSpacing(6);
    layout->addWidget(caption);
    layout->addWidget(m_pCombo, 1);
    setMinimumWidth(minimumWidth);
}
