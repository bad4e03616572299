// The screen selection bar: "画面选择" and the names of the project's screens.
#pragma once

#include "editor/app/dialogs/dlg_bar.h"

class CProject;

class CDlgScreensList : public CDlgBar {
    Q_OBJECT
public:
    enum : UINT { IDD = 6500, ID_SCREENS = 6501 };

    explicit CDlgScreensList(QWidget* parent = nullptr);

public slots:
    // Lists the screens of project (none for null) in list order and selects the active one
    // (the first row when it is not found). Sends nothing.
    void Refresh(CProject* project);

signals:
    // A row was chosen (message 0x600 with the row as second parameter).
    void ScreenChosen(int row);
};
