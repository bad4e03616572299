// Background colour bar.
#include "editor/app/dialogs/dlg_backcolor.h"

#include "controls/global_draw.h"

#include <QComboBox>
#include <QCoreApplication>

CDlgBackcolor::CDlgBackcolor(QWidget* parent)
    : CDlgBar(parent, QCoreApplication::translate("EditorDialogs", "背景色"), ID_BACKCOLOR,
              {QCoreApplication::translate("EditorDialogs", "白色"),
               QCoreApplication::translate("EditorDialogs", "绿色"),
               QCoreApplication::translate("EditorDialogs", "蓝色")},
              110)
{
    const int index = CGlobalDraw::GetInstance()->GetBackColorIndex();
    m_pCombo->setCurrentIndex(index >= 0 && index < m_pCombo->count() ? index : 0);
    connect(m_pCombo, &QComboBox::activated, this, [this](int row) {
        CGlobalDraw::GetInstance()->SetBackColorIndex(row);
        emit BackColorChanged();
    });
}
