// Background colour bar.
#include "editor/app/dialogs/dlg_backcolor.h"

#include "controls/global_draw.h"

#include <QComboBox>

CDlgBackcolor::CDlgBackcolor(QWidget* parent)
    : CDlgBar(parent, QString::fromUtf8("背景色"), ID_BACKCOLOR,
              {QString::fromUtf8("白色"), QString::fromUtf8("绿色"), QString::fromUtf8("蓝色")}, 110)
{
    const int index = CGlobalDraw::GetInstance()->GetBackColorIndex();
    m_pCombo->setCurrentIndex(index >= 0 && index < m_pCombo->count() ? index : 0);
    connect(m_pCombo, &QComboBox::activated, this, [this](int row) {
        CGlobalDraw::GetInstance()->SetBackColorIndex(row);
        emit BackColorChanged();
    });
}
