#include "controls/control_function.h"

#include "controls/name_buffers.h"
#include "controls/screen_base.h"

namespace {

// Where the function key's own attributes lie, appended in this order by the constructor: its
// properties make up the custom group; its value setting follows the common data attributes.
enum CustomPosition { KEY_KIND, HAND, INVISIBLE, FUNCTION_KIND, JUMP_SCREEN };
enum DataPosition { VALUE_SETTING = CDataAttributes::POS_KIND_FIRST };

} // namespace

CControlFunction::CControlFunction(CScreenBase* screen) : CControlBase(screen)
{
    SetControlType(CONTROL_FUNCTION);

    CNameBuffers keys;
    int codes[CNameBuffers::MAX_NAMES];
    CAttributeEnum* key = new CAttributeEnum(this);
    key->SetAttributeName("\xCF\xD4\xCA\xBE\xBC\xFC\xC0\xE0\xD0\xCD"); // 显示键类型
    key->SetEnumValueList(
        keys.Collect(screen->GetDeviceAllKeysCollection(keys.pointers, codes, CNameBuffers::MAX_NAMES)));
    AppendAttributeAt(GetCustomAtttribute(), KEY_KIND, key);

    CAttributeBool* hand = new CAttributeBool(this);
    hand->SetAttributeName("\xCF\xD4\xCA\xBE\xCA\xD6\xD0\xCD"); // 显示手型
    *hand = 1;
    AppendAttributeAt(GetCustomAtttribute(), HAND, hand);

    CAttributeBool* invisible = new CAttributeBool(this);
    invisible->SetAttributeName("\xD2\xFE\xD0\xCE"); // 隐形
    AppendAttributeAt(GetCustomAtttribute(), INVISIBLE, invisible);

    CAttributeEnum* function = new CAttributeEnum(this);
    function->SetAttributeName("\xB9\xA6\xC4\xDC\xC9\xE8\xD6\xC3"); // 功能设置
    const char* functions[] = {"\xC9\xE8\xB6\xA8\xCF\xDF\xC8\xA6",  // 设定线圈
                               "\xBB\xAD\xC3\xE6\xCC\xF8\xD7\xAA"}; // 画面跳转
    function->SetEnumValueList(functions, 2);
    AppendAttributeAt(GetCustomAtttribute(), FUNCTION_KIND, function);

    CAttributeEnum* jump = new CAttributeEnum(this);
    jump->SetAttributeName("\xBB\xAD\xC3\xE6\xCC\xF8\xD7\xAA\xD6\xC1"); // 画面跳转至
    jump->SetScreenListMode(1);
    jump->SetVisible(0);
    AppendAttributeAt(GetCustomAtttribute(), JUMP_SCREEN, jump);

    CAttributeEnum* value = new CAttributeEnum(this);
    value->SetAttributeName("\xD6\xB5\xC9\xE8\xD6\xC3");                                 // 值设置
    const char* values[] = {"\xC9\xE8\xB6\xA8\xCE\xAAON", "\xC9\xE8\xB6\xA8\xCE\xAAOFF", // 设定为ON, 设定为OFF
                            "\xBD\xBB\xCC\xE6", "\xB1\xA3\xB3\xD6"};                     // 交替, 保持
    value->SetEnumValueList(values, 4);
    AppendAttributeAt(GetDataAtttribute(), VALUE_SETTING, value);

    CControlFunction::BindAttributes();
    SetHeight(KEY_HEIGHT);
    UpdateWidth();
    ShowCoil();
}

bool CControlFunction::BindAttributes()
{
    if (!CControlBase::BindAttributes())
        return false;
    CCustomAttributes* custom = GetCustomAtttribute();
    m_pKey = AttributeAt<CAttributeEnum>(custom, KEY_KIND);
    m_pHand = AttributeAt<CAttributeBool>(custom, HAND);
    m_pInvisible = AttributeAt<CAttributeBool>(custom, INVISIBLE);
    m_pFunction = AttributeAt<CAttributeEnum>(custom, FUNCTION_KIND);
    m_pJumpScreen = AttributeAt<CAttributeEnum>(custom, JUMP_SCREEN);
    m_pValueSetting = AttributeAt<CAttributeEnum>(GetDataAtttribute(), VALUE_SETTING);
    if (!m_pKey || !m_pHand || !m_pInvisible || !m_pFunction || !m_pJumpScreen || !m_pValueSetting)
        return false;
    m_pHand->SetValueChangedHandle(HandChangedHandle);
    m_pInvisible->SetValueChangedHandle(InvisibleChangedHandle);
    m_pFunction->SetValueChangedHandle(FunctionChangedHandle);
    return true;
}

void CControlFunction::HandChangedHandle(void* control, void*, const CAttrValue*)
{
    ControlOf<CControlFunction>(control)->HandChanged();
}

void CControlFunction::InvisibleChangedHandle(void* control, void*, const CAttrValue*)
{
    ControlOf<CControlFunction>(control)->InvisibleChanged();
}

void CControlFunction::FunctionChangedHandle(void* control, void*, const CAttrValue*)
{
    ControlOf<CControlFunction>(control)->FunctionChanged();
}

void CControlFunction::UpdateWidth()
{
    SetWidth(KEY_WIDTH + (GetInvisible() ? 0 : (GetHand() ? 1 : 0) * HAND_WIDTH));
}

void CControlFunction::HandChanged()
{
    UpdateWidth();
}

void CControlFunction::InvisibleChanged()
{
    UpdateWidth();
    const int locked = GetInvisible() ? 1 : 0;
    m_pHand->SetReadonly(locked);
    GetDisplayAtttribute()->SetInvertColorReadonly(locked);
    SetInvertColor(0);
}

void CControlFunction::FunctionChanged()
{
    const int coil = GetFunction() != FUNCTION_JUMP ? 1 : 0;
    CDataAttributes* data = GetDataAtttribute();
    if (!coil)
        data->SetPLCStationVisible(0);
    else
        ShowPLCStation();
    data->SetCoilVisible(coil);
    data->SetCoilAddrVisible(coil);
    m_pValueSetting->SetVisible(coil);
    m_pJumpScreen->SetVisible(!coil);
}

void CControlFunction::DrawObject(COM_GUI_EX::CGUIEXDC* dc)
{
    CScreenBase::DrawFunction(dc, GetHand(), GetInvisible(), GetKeyIndex(), 0, 0, GetInvertColor());
}

void CControlFunction::CopyValuesFrom(CControlBase* source)
{
    if (auto* key = dynamic_cast<CControlFunction*>(source)) {
        SetKeyIndex(key->GetKeyIndex());
        SetHand(key->GetHand());
        SetInvisible(key->GetInvisible());
        SetFunction(key->GetFunction());
        SetValueSetting(key->GetValueSetting());
        SetJumpScreen(key->GetJumpScreen());
    }
    CControlBase::CopyValuesFrom(source);
}

void CControlFunction::GetSelectedStatusString(std::string& status)
{
    CControlBase::GetSelectedStatusString(status);
    AppendCoilStatus(status);
}
