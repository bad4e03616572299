// The zoom bar: "缩放比例" and the rows 100% ... 500%.
#pragma once

#include "editor/app/dialogs/dlg_bar.h"

class CDlgZoom : public CDlgBar {
    Q_OBJECT
public:
    enum : UINT { IDD = 6400, ID_ZOOM = 6401 };

    explicit CDlgZoom(QWidget* parent = nullptr);

public slots:
    // Another screen became active: shows the row of its zoom rate (1 -> 0, 1.5 -> 1, ... 5 -> 6,
    // any other rate -> 0; no ZoomChosen).
    void ShowZoomRate(double rate);
    // A wheel step of delta (taken as a signed 16-bit value): the selection moves by
    // -delta / 120 (integer division), clamped to rows 0-6, then ZoomChosen is sent.
    void OnWheelStep(int delta);

signals:
    // A row was chosen (message 0x502 with the row as second parameter).
    void ZoomChosen(int row);
};
