// The attribute pane for one control: the stack of its five shown attribute groups (layout,
// display, custom, data, other), each a CDspAttrList.
#pragma once

#include "controls/dsp/dsp_api.h"

#include "controls/dsp/dsp_wnd.h"

#include <QPointer>

#include <array>

class CAttrList;
class CControlBase;
class CDspAttrList;

class DSP_API CDspControl : public CDspWnd {
    Q_OBJECT
public:
    enum { GROUP_COUNT = 5, FIRST_GROUP_ID = 256 };

    // The attribute editor that last had the focus; cleared whenever a CDspControl is built.
    static QPointer<QWidget> s_lpFocusControl;

    // Shows control (may be null: nothing built) at rect's place and width; the height follows
    // the stack and the new bottom is written back into rect (when not null).
    CDspControl(CControlBase* control, QRect* rect, UINT id, QWidget* parent);

    // Shows another control (or none) and rebuilds the stack in place.
    void ChangeDisplayControl(CControlBase* control);
    CControlBase* GetDisplayControl() const { return m_pControl; }
    // The group windows in the order layout, display, custom, data, other (null until built).
    const std::array<CDspAttrList*, GROUP_COUNT>& GetGroupWindows() const { return m_groups; }

protected slots:
    // Passes the change on; after a value edit (first == 1) rebuilds the stack, since a value can
    // show or hide other attributes.
    void OnAttributeChanged(int first, int second) override;

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    void RecreateControl();
    // Builds or rebinds the group windows for width and returns the stack's height.
    int BuildStack(int width);
    std::array<CAttrList*, GROUP_COUNT> GroupsOf(CControlBase* control) const;

    CControlBase* m_pControl;
    std::array<CDspAttrList*, GROUP_COUNT> m_groups{};
    UINT m_uNextGroupID = FIRST_GROUP_ID;
};
