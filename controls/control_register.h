// A register display and entry field: shown in the editor as a sample of its digits.
#pragma once

#include "controls/controls_api.h"

#include "controls/control_base.h"

class CONTROLS_API CControlRegister : public CControlBase {
public:
    explicit CControlRegister(CScreenBase* screen);

    const char* GetSample() const { return *m_pSample; }
    int GetIntegerDigits() const { return *m_pIntegerDigits; }
    int GetDecimalDigits() const { return *m_pDecimalDigits; }
    int GetAsterisk() const { return *m_pAsterisk; }
    int GetInvalidZero() const { return *m_pInvalidZero; }
    int GetEditable() const { return *m_pEditable; }
    int GetMinimum() const { return *m_pMinimum; }
    int GetMaximum() const { return *m_pMaximum; }
    // Each returns 0 when the value was refused (the digit check).
    int SetIntegerDigits(int digits) { return m_pIntegerDigits->SetValue(CAttrValue::Int32(digits)); }
    int SetDecimalDigits(int digits) { return m_pDecimalDigits->SetValue(CAttrValue::Int32(digits)); }
    void SetAsterisk(int on) { *m_pAsterisk = on; }
    void SetInvalidZero(int on) { *m_pInvalidZero = on; }
    void SetEditable(int on) { *m_pEditable = on; }
    void SetMinimum(int value) { *m_pMinimum = value; }
    void SetMaximum(int value) { *m_pMaximum = value; }

    CAttributeString* GetSampleAttribute() const { return m_pSample; }
    CAttributeEnum* GetIntegerDigitsAttribute() const { return m_pIntegerDigits; }
    CAttributeEnum* GetDecimalDigitsAttribute() const { return m_pDecimalDigits; }

    // Reactions and veto of the register's attributes.
    static void SampleChangedHandle(void* control, void* attribute, const CAttrValue* value);
    static int DigitsPreChangeHandle(void* control, void* attribute, const CAttrValue* value);
    static void RebuildSampleHandle(void* control, void* attribute, const CAttrValue* value);

    void GetSelectedStatusString(std::string& status) override;

protected:
    virtual void SampleChanged();
    // Accepts 1 <= integer + decimal digits <= the panel's maximum, with `value` in place of
    // the digit attribute being changed.
    virtual int CheckDigits(CAttributeBase* attribute, int value);
    virtual void RebuildSample();

    void DrawObject(COM_GUI_EX::CGUIEXDC* dc) override;
    bool BindAttributes() override;
    void CopyValuesFrom(CControlBase* source) override;

private:
    CAttributeString* m_pSample = nullptr;
    CAttributeEnum* m_pIntegerDigits = nullptr;
    CAttributeEnum* m_pDecimalDigits = nullptr;
    CAttributeBool* m_pAsterisk = nullptr;
    CAttributeBool* m_pInvalidZero = nullptr;
    CAttributeBool* m_pEditable = nullptr;
    CAttributeInt* m_pMinimum = nullptr;
    CAttributeInt* m_pMaximum = nullptr;
};
