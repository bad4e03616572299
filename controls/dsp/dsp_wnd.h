// The notifications every design window sends to its parent, as signals. A row reports to its
// group window, the group to the control window, the control or screen window to the attribute
// bar, which tells the main frame.
#pragma once

#include "controls/dsp/dsp_api.h"

#include "controls/dsp/gui_ex_wnd.h"

class DSP_API CDspWnd : public COM_GUI_EX::CGUIEXWnd {
    Q_OBJECT
public:
    // The window message numbers the notifications stand for.
    enum : UINT {
        WM_ATTRIBUTE_CHANGED = 0x1400,
        WM_SCREEN_NAME_CHANGED = 0x1401,
        WM_ATTRIBUTE_MODIFY_UNDO = 0x1402,
        WM_ATTRIBUTE_SET_FOCUS = 0x1403,
        WM_DEVICE_SETTING = 0x1404,
    };

    explicit CDspWnd(QWidget* parent = nullptr) : CGUIEXWnd(parent) {}

signals:
    // An attribute of the shown object changed: first is 1 after a value edit, 0 after an
    // input-mode change.
    void AttributeChanged(int first, int second);
    // The screen name edit renamed the screen.
    void ScreenNameChanged();
    // Sent once before the first change made while one editor holds the focus.
    void AttributeModifyUndo();
    // An attribute editor received the keyboard focus.
    void AttributeEditorFocused();
    // The screen panel's "设置" button was pressed.
    void DeviceSettingRequested();

protected slots:
    // What a window does with a child's attribute change; the default passes it on.
    virtual void OnAttributeChanged(int first, int second) { emit AttributeChanged(first, second); }

protected:
    // Routes every notification of child to this window's own (the change through
    // OnAttributeChanged).
    void Listen(CDspWnd* child);
};
