// The kinds without attributes of their own: they draw nothing and keep a size of 0 x 0.
#pragma once

#include "controls/control_base.h"

// A control kind that is only its type.
template <CControlBase::ControlsType TYPE>
class CPlainControl : public CControlBase {
public:
    explicit CPlainControl(CScreenBase* screen) : CControlBase(screen) { SetControlType(TYPE); }
};

class CControlCurve : public CPlainControl<CControlBase::CONTROL_CURVE> {
public:
    using CPlainControl::CPlainControl;
};

class CControlCtlBar : public CPlainControl<CControlBase::CONTROL_CTLBAR> {
public:
    using CPlainControl::CPlainControl;
};

class CControlPicture : public CPlainControl<CControlBase::CONTROL_PICTURE> {
public:
    using CPlainControl::CPlainControl;
};

class CControlActivateText : public CPlainControl<CControlBase::CONTROL_ACTIVATE_TEXT> {
public:
    using CPlainControl::CPlainControl;
};
