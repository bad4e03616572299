// A static text in the panel's own font; its size follows the text.
#pragma once

#include "controls/controls_api.h"

#include "controls/control_base.h"

class CONTROLS_API CControlStaticText : public CControlBase {
public:
    explicit CControlStaticText(CScreenBase* screen);

    // "文字串" (GBK).
    void SetText(const char* text) { *m_pText = text; }
    const char* GetText() const { return *m_pText; }
    CAttributeString* GetTextAttribute() const { return m_pText; }

    // Reaction of the text attribute.
    static void TextChangedHandle(void* control, void* attribute, const CAttrValue* value);

protected:
    virtual void TextChanged();
    void DrawObject(COM_GUI_EX::CGUIEXDC* dc) override;
    bool BindAttributes() override;
    void CopyValuesFrom(CControlBase* source) override;

private:
    CAttributeString* m_pText = nullptr;
};
