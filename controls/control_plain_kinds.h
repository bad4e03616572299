// The kinds without attributes of their own: they draw nothing and keep a size of 0 x 0.
#pragma once

#include "controls/controls_api.h"

#include "controls/control_base.h"

// A control kind that is only its type.
template <CControlBase::ControlsType TYPE>
class CONTROLS_API CPlainControl : public CControlBase {
public:
    explicit CPlainControl(CScreenBase* screen) : CControlBase(screen) { SetControlType(TYPE); }
};

class CONTROLS_API CControlCurve : public CPlainControl<CControlBase::CONTROL_CURVE> {
public:
    using CPlainControl::CPlainControl;
};

class CONTROLS_API CControlCtlBar : public CPlainControl<CControlBase::CONTROL_CTLBAR> {
public:
    using CPlainControl::CPlainControl;
};

class CONTROLS_API CControlPicture : public CPlainControl<CControlBase::CONTROL_PICTURE> {
public:
    using CPlainControl::CPlainControl;
};

class CONTROLS_API CControlActivateText : public CPlainControl<CControlBase::CONTROL_ACTIVATE_TEXT> {
public:
    using CPlainControl::CPlainControl;
};
