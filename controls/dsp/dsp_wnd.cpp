// Forwarding of the design windows' notifications.
#include "controls/dsp/dsp_wnd.h"

void CDspWnd::Listen(CDspWnd* child)
{
    connect(child, &CDspWnd::AttributeChanged, this, &CDspWnd::OnAttributeChanged);
    connect(child, &CDspWnd::ScreenNameChanged, this, &CDspWnd::ScreenNameChanged);
    connect(child, &CDspWnd::AttributeModifyUndo, this, &CDspWnd::AttributeModifyUndo);
    connect(child, &CDspWnd::AttributeEditorFocused, this, &CDspWnd::AttributeEditorFocused);
    connect(child, &CDspWnd::DeviceSettingRequested, this, &CDspWnd::DeviceSettingRequested);
}
