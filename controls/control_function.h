// A function key of the panel: sets a coil or jumps to another screen when pressed.
#pragma once

#include "controls/controls_api.h"

#include "controls/control_base.h"

class CONTROLS_API CControlFunction : public CControlBase {
public:
    static constexpr int HAND_WIDTH = 17;
    static constexpr int KEY_WIDTH = 16;
    static constexpr int KEY_HEIGHT = 16;
    enum Function { FUNCTION_SET_COIL = 0, FUNCTION_JUMP = 1 };
    enum ValueSetting { VALUE_ON = 0, VALUE_OFF = 1, VALUE_TOGGLE = 2, VALUE_HOLD = 3 };

    explicit CControlFunction(CScreenBase* screen);

    void SetKeyIndex(int index) { *m_pKey = index; }
    int GetKeyIndex() const { return *m_pKey; }
    void SetHand(int hand) { *m_pHand = hand; }
    int GetHand() const { return *m_pHand; }
    void SetInvisible(int invisible) { *m_pInvisible = invisible; }
    int GetInvisible() const { return *m_pInvisible; }
    void SetFunction(int function) { *m_pFunction = function; }
    int GetFunction() const { return *m_pFunction; }
    // Index 0 = no jump, k = the k-th screen of the project.
    void SetJumpScreen(int index) { *m_pJumpScreen = index; }
    int GetJumpScreen() const { return *m_pJumpScreen; }
    void SetValueSetting(int setting) { *m_pValueSetting = setting; }
    int GetValueSetting() const { return *m_pValueSetting; }

    CAttributeEnum* GetKeyAttribute() const { return m_pKey; }
    CAttributeBool* GetHandAttribute() const { return m_pHand; }
    CAttributeBool* GetInvisibleAttribute() const { return m_pInvisible; }
    CAttributeEnum* GetFunctionAttribute() const { return m_pFunction; }
    CAttributeEnum* GetJumpScreenAttribute() const { return m_pJumpScreen; }
    CAttributeEnum* GetValueSettingAttribute() const { return m_pValueSetting; }

    // Reactions of "显示手型", "隐形" and "功能设置".
    static void HandChangedHandle(void* control, void* attribute, const CAttrValue* value);
    static void InvisibleChangedHandle(void* control, void* attribute, const CAttrValue* value);
    static void FunctionChangedHandle(void* control, void* attribute, const CAttrValue* value);

    void GetSelectedStatusString(std::string& status) override;

protected:
    // Width = key + hand (unless invisible).
    virtual void HandChanged();
    // Locks the hand and the inversion while invisible; the inversion goes off.
    virtual void InvisibleChanged();
    // Shows the coil attributes or the jump target.
    virtual void FunctionChanged();

    void DrawObject(COM_GUI_EX::CGUIEXDC* dc) override;
    bool BindAttributes() override;
    void CopyValuesFrom(CControlBase* source) override;

private:
    void UpdateWidth();

    CAttributeEnum* m_pKey = nullptr;
    CAttributeBool* m_pHand = nullptr;
    CAttributeBool* m_pInvisible = nullptr;
    CAttributeEnum* m_pFunction = nullptr;
    CAttributeEnum* m_pJumpScreen = nullptr;
    CAttributeEnum* m_pValueSetting = nullptr;
};
