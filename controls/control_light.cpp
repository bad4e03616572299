#include "controls/control_light.h"

#include "controls/screen_base.h"

CControlLight::CControlLight(CScreenBase* screen) : CControlBase(screen)
{
    SetControlType(CONTROL_LIGHT);
    CAttributeEnum* shape = new CAttributeEnum(this);
    shape->SetAttributeName("\xCF\xD4\xCA\xBE\xCD\xE2\xD0\xCE");     // 显示外形
    const char* shapes[] = {"\xD4\xB2\xD0\xCE", "\xB7\xBD\xD0\xCE"}; // 圆形, 方形
    shape->SetEnumValueList(shapes, 2);
    AddCustomAtttribute(shape);
    CControlLight::BindAttributes();
    SetWidth(LIGHT_SIZE);
    SetHeight(LIGHT_SIZE);
    ShowCoil();
}

bool CControlLight::BindAttributes()
{
    if (!CControlBase::BindAttributes())
        return false;
    m_pShape = dynamic_cast<CAttributeEnum*>(GetCustomAtttribute()->GetLastAttribute());
    return m_pShape != nullptr;
}

void CControlLight::PreviousDraw(COM_GUI_EX::CGUIEXDC*)
{
}

void CControlLight::DrawObject(COM_GUI_EX::CGUIEXDC* dc)
{
    CScreenBase::DrawLight(dc, GetShape() * 2 + GetInvertColor(), 0, 0);
}

void CControlLight::CopyValuesFrom(CControlBase* source)
{
    if (auto* light = dynamic_cast<CControlLight*>(source))
        SetShape(light->GetShape());
    CControlBase::CopyValuesFrom(source);
}

void CControlLight::GetSelectedStatusString(std::string& status)
{
    CControlBase::GetSelectedStatusString(status);
    AppendCoilStatus(status);
}
