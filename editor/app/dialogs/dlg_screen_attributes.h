// The panel settings dialog ("页面属性"): the backlight delay and the four function pages of a
// project.
#pragma once

#include "editor/app/dialogs/dlg_base.h"

class CProject;

class CDlgScreenAttributes : public CDlgBase {
    Q_OBJECT
public:
    enum : UINT { IDD = 6300, ID_BACKLIGHT_MODE = 6301, ID_BACKLIGHT_DELAY = 6302, ID_FIRST_FUNCTION_PAGE = 6303 };
    enum { BACKLIGHT_ALWAYS_ON_ROW = 0, BACKLIGHT_TIMED_ROW = 1, DELAY_TEXT_LIMIT = 3 };

    // Edits project (not owned, must outlive the dialog). A delay of 0xFFFF opens on "背景灯常开"
    // with the delay box empty and disabled, any other on "背景灯定时" with the delay in decimal.
    // Each function page list opens on the stored position ("不使用" = 0, k = the k-th screen),
    // or on none when there is no such screen.
    explicit CDlgScreenAttributes(CProject* project, QWidget* parent = nullptr);

    // OK: "背景灯定时" with a number above 0 (blanks at both ends ignored) stores it; empty, 0 or
    // not a number, or "背景灯常开", stores 0xFFFF. Each function page with a selection stores its
    // position. Then closes.
    void accept() override;

private:
    void OnBacklightModeChanged(int row);

    CProject* m_pProject;
};
