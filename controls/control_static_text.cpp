#include "controls/control_static_text.h"

#include "controls/screen_base.h"

CControlStaticText::CControlStaticText(CScreenBase* screen) : CControlBase(screen)
{
    SetControlType(CONTROL_STATIC_TEXT);
    CAttributeString* text = new CAttributeString(this);
    text->SetAttributeName("\xCE\xC4\xD7\xD6\xB4\xAE"); // 文字串
    AddCustomAtttribute(text);
    CControlStaticText::BindAttributes();
    SetText("\xBE\xB2\xCC\xAC\xCE\xC4\xD7\xD6"); // 静态文字
}

bool CControlStaticText::BindAttributes()
{
    if (!CControlBase::BindAttributes())
        return false;
    m_pText = dynamic_cast<CAttributeString*>(GetCustomAtttribute()->GetLastAttribute());
    if (!m_pText)
        return false;
    m_pText->SetValueChangedHandle(TextChangedHandle);
    return true;
}

void CControlStaticText::TextChangedHandle(void* control, void*, const CAttrValue*)
{
    ControlOf<CControlStaticText>(control)->TextChanged();
}

void CControlStaticText::TextChanged()
{
    FitToText(GetText());
}

void CControlStaticText::DrawObject(COM_GUI_EX::CGUIEXDC* dc)
{
    CScreenBase::DrawStringPixel(dc, GetText(), 0, 0, GetInvertColor());
}

void CControlStaticText::CopyValuesFrom(CControlBase* source)
{
    CopyGeometryAndAppearance(source);
    if (auto* text = dynamic_cast<CControlStaticText*>(source))
        SetText(text->GetText());
    CopyPLCValues(source);
}
