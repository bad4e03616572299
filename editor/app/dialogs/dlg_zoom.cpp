// Zoom bar.
#include "editor/app/dialogs/dlg_zoom.h"

#include <QComboBox>
#include <QSignalBlocker>

#include <algorithm>

CDlgZoom::CDlgZoom(QWidget* parent)
    : CDlgBar(parent, QString::fromUtf8("缩放比例"), ID_ZOOM, {"100%", "150%", "200%", "250%", "300%", "400%", "500%"}, 122)
{
    connect(m_pCombo, &QComboBox::activated, this, &CDlgZoom::ZoomChosen);
}

int CDlgZoom::RowOfRate(double rate)
{
    static const double rates[ROW_COUNT] = {1.0, 1.5, 2.0, 2.5, 3.0, 4.0, 5.0};
    for (int row = 0; row < ROW_COUNT; ++row)
        if (rate == rates[row])
            return row;
    return 0;
}

void CDlgZoom::ShowZoomRate(double rate)
{
    const QSignalBlocker blocker(m_pCombo);
    m_pCombo->setCurrentIndex(RowOfRate(rate));
}

void CDlgZoom::OnWheelStep(int delta)
{
    const int steps = -int(short(delta)) / WHEEL_DELTA;
    const int row = std::clamp(std::max(0, m_pCombo->currentIndex()) + steps, 0, ROW_COUNT - 1);
    {
        const QSignalBlocker blocker(m_pCombo);
        m_pCombo->setCurrentIndex(row);
    }
    emit ZoomChosen(row);
}
