// The background colour bar: "背景色" with white, green and blue; the index lives in CGlobalDraw
// and is saved with the editor's system settings at exit.
#pragma once

#include "editor/app/dialogs/dlg_bar.h"

class CDlgBackcolor : public CDlgBar {
    Q_OBJECT
public:
    enum : UINT { IDD = 6600, ID_BACKCOLOR = 6601 };

    // Starts on the current background colour index.
    explicit CDlgBackcolor(QWidget* parent = nullptr);

signals:
    // A row was chosen and has become the background colour index (message 0x601).
    void BackColorChanged();
};
