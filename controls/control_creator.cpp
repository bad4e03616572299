#include "controls/control_creator.h"

#include "controls/control_function.h"
#include "controls/control_light.h"
#include "controls/control_plain_kinds.h"
#include "controls/control_register.h"
#include "controls/control_static_text.h"
#include "controls/screen_base.h"

#include "devices/device_collection.h"

#include <cstring>

namespace {

// Display names by type, GBK.
const char* const KIND_NAMES[] = {
    nullptr,
    "\xBE\xB2\xCC\xAC\xCE\xC4\xD7\xD6", // 静态文字
    "\xBC\xC4\xB4\xE6\xC6\xF7",         // 寄存器
    "\xD6\xB8\xCA\xBE\xB5\xC6",         // 指示灯
    "\xB9\xA6\xC4\xDC\xBC\xFC",         // 功能键
    "\xC7\xF7\xCA\xC6\xCD\xBC",         // 趋势图
    "\xB0\xF4\xD7\xB4\xCD\xBC",         // 棒状图
    "\xCD\xBC\xC6\xAC",                 // 图片
    "\xB6\xAF\xCC\xAC\xCE\xC4\xB1\xBE", // 动态文本
};

// Panel models whose octal-addressed coil kinds are known.
constexpr unsigned DEVICE_QMX200 = 100;
constexpr unsigned DEVICE_QMX300 = 101;

} // namespace

CControlBase* CControlCreator::Create(unsigned type, CScreenBase* screen)
{
    if (!screen)
        return nullptr;
    switch (type) {
    case CControlBase::CONTROL_STATIC_TEXT: return new CControlStaticText(screen);
    case CControlBase::CONTROL_REGISTER: return new CControlRegister(screen);
    case CControlBase::CONTROL_LIGHT: return new CControlLight(screen);
    case CControlBase::CONTROL_FUNCTION: return new CControlFunction(screen);
    case CControlBase::CONTROL_CURVE: return new CControlCurve(screen);
    case CControlBase::CONTROL_CTLBAR: return new CControlCtlBar(screen);
    case CControlBase::CONTROL_PICTURE: return new CControlPicture(screen);
    case CControlBase::CONTROL_ACTIVATE_TEXT: return new CControlActivateText(screen);
    default: return nullptr;
    }
}

int CControlCreator::GetControlBaseName(unsigned type, std::string& name)
{
    name.clear();
    if (type < 1 || type > CControlBase::CONTROL_ACTIVATE_TEXT)
        return 0;
    name = KIND_NAMES[type];
    return 1;
}

int CControlCreator::GetControlAttributeInputType(CAttributeBase* attribute)
{
    CControlBase* control = attribute ? attribute->GetParentControl() : nullptr;
    if (!control || (control->GetControlType() != CControlBase::CONTROL_LIGHT &&
                     control->GetControlType() != CControlBase::CONTROL_FUNCTION))
        return INPUT_PLAIN;
    if (std::strcmp(attribute->GetAttributeName(), CDataAttributes::ATTR_COIL_ADDR_NAME) != 0)
        return INPUT_PLAIN;
    std::string device;
    control->GetScreenPointer()->GetDeviceName(device);
    const unsigned id = CDeviceCollection::GetInstance()->ConvertDeviceNameToDeviceID(device.c_str());
    const int coil = control->GetCoil();
    if (id == DEVICE_QMX200)
        return coil == 1 || coil == 2 ? INPUT_OCTAL : INPUT_DECIMAL;
    if (id == DEVICE_QMX300)
        return coil == 1 || coil == 4 ? INPUT_OCTAL : INPUT_DECIMAL;
    return INPUT_PLAIN;
}
