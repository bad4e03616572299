#include "controls/control_register.h"

#include "controls/screen_base.h"

#include <string>
#include <vector>

namespace {

// "0", "1", ... up to max.
std::vector<std::string> DigitItems(int max)
{
    std::vector<std::string> items;
    for (int i = 0; i <= max; ++i)
        items.push_back(std::to_string(i));
    return items;
}

constexpr int DEFAULT_MAXIMUM = 60000;

// Where the register's own attributes lie, appended in this order by the constructor: its
// properties make up the custom group; its entry settings follow the common data attributes.
enum CustomPosition { INTEGER_DIGITS, DECIMAL_DIGITS, ASTERISK, INVALID_ZERO };
enum DataPosition { EDITABLE = CDataAttributes::POS_KIND_FIRST, MINIMUM, MAXIMUM };

} // namespace

CControlRegister::CControlRegister(CScreenBase* screen) : CControlBase(screen)
{
    SetControlType(CONTROL_REGISTER);
    const int n = screen->GetRegisterIntegerMaxCount();
    const int f = screen->GetRegisterFloorMaxCount();

    CAttributeString* sample = new CAttributeString(this);
    *sample = "12345";
    AddHideAtttribute(sample);

    CAttributeEnum* integerDigits = new CAttributeEnum(this);
    integerDigits->SetAttributeName("\xD5\xFB\xCA\xFD\xCE\xBB\xCA\xFD"); // 整数位数
    integerDigits->SetEnumValueList(DigitItems(n));
    *integerDigits = n;
    AppendAttributeAt(GetCustomAtttribute(), INTEGER_DIGITS, integerDigits);
    CAttributeEnum* decimalDigits = new CAttributeEnum(this);
    decimalDigits->SetAttributeName("\xD0\xA1\xCA\xFD\xCE\xBB\xCA\xFD"); // 小数位数
    decimalDigits->SetEnumValueList(DigitItems(f));
    AppendAttributeAt(GetCustomAtttribute(), DECIMAL_DIGITS, decimalDigits);
    CAttributeBool* asterisk = new CAttributeBool(this);
    asterisk->SetAttributeName("\xD0\xC7\xBA\xC5(*)\xCF\xD4\xCA\xBE"); // 星号(*)显示
    AppendAttributeAt(GetCustomAtttribute(), ASTERISK, asterisk);
    CAttributeBool* invalidZero = new CAttributeBool(this);
    invalidZero->SetAttributeName("\xCE\xDE\xD0\xA7"
                                  "0\xCF\xD4\xCA\xBE"); // 无效0显示
    AppendAttributeAt(GetCustomAtttribute(), INVALID_ZERO, invalidZero);

    CAttributeBool* editable = new CAttributeBool(this);
    editable->SetAttributeName("\xCA\xC7\xB7\xF1\xB1\xE0\xBC\xAD"); // 是否编辑
    AppendAttributeAt(GetDataAtttribute(), EDITABLE, editable);
    CAttributeInt* minimum = new CAttributeInt(this);
    minimum->SetAttributeName("\xD7\xEE\xD0\xA1\xD6\xB5"); // 最小值
    AppendAttributeAt(GetDataAtttribute(), MINIMUM, minimum);
    CAttributeInt* maximum = new CAttributeInt(this);
    maximum->SetAttributeName("\xD7\xEE\xB4\xF3\xD6\xB5"); // 最大值
    *maximum = DEFAULT_MAXIMUM;
    AppendAttributeAt(GetDataAtttribute(), MAXIMUM, maximum);

    CControlRegister::BindAttributes();
    RebuildSample();
    ShowRegister();
}

bool CControlRegister::BindAttributes()
{
    if (!CControlBase::BindAttributes())
        return false;
    CCustomAttributes* custom = GetCustomAtttribute();
    CDataAttributes* data = GetDataAtttribute();
    m_pSample = dynamic_cast<CAttributeString*>(GetHideAtttribute()->GetLastAttribute());
    m_pIntegerDigits = AttributeAt<CAttributeEnum>(custom, INTEGER_DIGITS);
    m_pDecimalDigits = AttributeAt<CAttributeEnum>(custom, DECIMAL_DIGITS);
    m_pAsterisk = AttributeAt<CAttributeBool>(custom, ASTERISK);
    m_pInvalidZero = AttributeAt<CAttributeBool>(custom, INVALID_ZERO);
    m_pEditable = AttributeAt<CAttributeBool>(data, EDITABLE);
    m_pMinimum = AttributeAt<CAttributeInt>(data, MINIMUM);
    m_pMaximum = AttributeAt<CAttributeInt>(data, MAXIMUM);
    if (!m_pSample || !m_pIntegerDigits || !m_pDecimalDigits || !m_pAsterisk || !m_pInvalidZero || !m_pEditable ||
        !m_pMinimum || !m_pMaximum)
        return false;
    m_pSample->SetValueChangedHandle(SampleChangedHandle);
    for (CAttributeEnum* digits : {m_pIntegerDigits, m_pDecimalDigits}) {
        digits->SetPreValueChangeHandle(DigitsPreChangeHandle);
        digits->SetValueChangedHandle(RebuildSampleHandle);
    }
    m_pAsterisk->SetValueChangedHandle(RebuildSampleHandle);
    return true;
}

void CControlRegister::SampleChangedHandle(void* control, void*, const CAttrValue*)
{
    ControlOf<CControlRegister>(control)->SampleChanged();
}

int CControlRegister::DigitsPreChangeHandle(void* control, void* attribute, const CAttrValue* value)
{
    return ControlOf<CControlRegister>(control)->CheckDigits(static_cast<CAttributeBase*>(attribute),
                                                             value ? value->GetInt32() : 0);
}

void CControlRegister::RebuildSampleHandle(void* control, void*, const CAttrValue*)
{
    ControlOf<CControlRegister>(control)->RebuildSample();
}

void CControlRegister::SampleChanged()
{
    FitToText(GetSample());
}

int CControlRegister::CheckDigits(CAttributeBase* attribute, int value)
{
    if (IsCopyingValues())
        return 1;
    // Only the offered digit counts (also refuses negative ones, which the sum would let pass).
    auto* digits = static_cast<CAttributeEnum*>(attribute);
    if (value < 0 || value >= digits->GetItemCount())
        return 0;
    const int a = attribute == m_pIntegerDigits ? value : GetIntegerDigits();
    const int b = attribute == m_pDecimalDigits ? value : GetDecimalDigits();
    const long long total = (long long)a + b;
    return total >= 1 && total <= GetScreenPointer()->GetRegisterIntegerMaxCount();
}

void CControlRegister::RebuildSample()
{
    const int a = GetIntegerDigits();
    const int b = GetDecimalDigits();
    const int n = GetScreenPointer()->GetRegisterIntegerMaxCount();
    std::string s;
    if (!GetAsterisk()) {
        if (a == 0)
            s = "0.";
        for (int i = 0; i < a + b; ++i) {
            s += char('1' + i);
            if (i + 1 == a && b > 0)
                s += '.';
        }
    }
    if (s.empty())
        s.assign(size_t(n > 0 ? n : 0), '*');
    *m_pSample = s.c_str();
}

void CControlRegister::DrawObject(COM_GUI_EX::CGUIEXDC* dc)
{
    CScreenBase::DrawStringPixel(dc, GetSample(), 0, 0, GetInvertColor());
}

void CControlRegister::CopyValuesFrom(CControlBase* source)
{
    if (auto* reg = dynamic_cast<CControlRegister*>(source)) {
        *m_pSample = reg->GetSample();
        SetIntegerDigits(reg->GetIntegerDigits());
        SetDecimalDigits(reg->GetDecimalDigits());
        SetAsterisk(reg->GetAsterisk());
        SetInvalidZero(reg->GetInvalidZero());
        SetEditable(reg->GetEditable());
        SetMinimum(reg->GetMinimum());
        SetMaximum(reg->GetMaximum());
    }
    CControlBase::CopyValuesFrom(source);
}

void CControlRegister::GetSelectedStatusString(std::string& status)
{
    CControlBase::GetSelectedStatusString(status);
    AppendRegisterStatus(status);
}
