// Zoom bar.
#include "editor/app/dialogs/dlg_zoom.h"

#include "editor/app/look/zoom_levels.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QSignalBlocker>

#include <algorithm>

CDlgZoom::CDlgZoom(QWidget* parent)
    : CDlgBar(parent, QCoreApplication::translate("EditorDialogs", "缩放比例"), ID_ZOOM,
              {"100%", "150%", "200%", "250%", "300%", "400%", "500%"}, 122)
{
    connect(m_pCombo, &QComboBox::activated, this, &CDlgZoom::ZoomChosen);
}

void CDlgZoom::ShowZoomRate(double rate)
{
    const QSignalBlocker blocker(m_pCombo);
    m_pCombo->setCurrentIndex(CZoomLevels::RowOfRate(rate));
}

void CDlgZoom::OnWheelStep(int delta)
{
    const int row = CZoomLevels::StepRow(std::max(0, m_pCombo->currentIndex()), delta);
    {
        const QSignalBlocker blocker(m_pCombo);
        m_pCombo->setCurrentIndex(row);
    }
    emit ZoomChosen(row);
}
