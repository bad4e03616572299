// The bytes a control contributes to the download image: its control-table entry, its parameter
// entry and, for a static text, its text entry with the characters the panel's font must hold.
#include "controls/control_base.h"

#include "comkit/download_image.h"
#include "comkit/gbk.h"

#include "controls/control_function.h"
#include "controls/control_light.h"
#include "controls/control_register.h"
#include "controls/control_static_text.h"
#include "controls/screen_base.h"

#include <algorithm>
#include <climits>
#include <cstring>

BYTE CControlBase::s_byCompileControlID = 0;
BYTE CControlBase::s_byCompileParameterIndex = 0;
BYTE CControlBase::s_byCompileLabelStringIndex = 0;
WORD CControlBase::s_wStaticTextLength = 0;
std::vector<BYTE> CControlBase::s_listASCII;
std::vector<WORD> CControlBase::s_listChinese;

namespace {

constexpr BYTE NO_PARAMETER = 0xFF;
constexpr BYTE TEXT_RECORD_MARK = 0xFF;

// The panel's type code of each ControlsType (index = type).
constexpr BYTE PANEL_TYPE_CODES[] = {DOWNLOAD_IMAGE::PANEL_CODE_NONE,     DOWNLOAD_IMAGE::PANEL_CODE_STATIC_TEXT,
                                     DOWNLOAD_IMAGE::PANEL_CODE_REGISTER, DOWNLOAD_IMAGE::PANEL_CODE_LIGHT,
                                     DOWNLOAD_IMAGE::PANEL_CODE_FUNCTION, DOWNLOAD_IMAGE::PANEL_CODE_NONE,
                                     DOWNLOAD_IMAGE::PANEL_CODE_BAR,      DOWNLOAD_IMAGE::PANEL_CODE_PICTURE,
                                     DOWNLOAD_IMAGE::PANEL_CODE_NONE};
static_assert(sizeof PANEL_TYPE_CODES == CControlBase::CONTROL_ACTIVATE_TEXT + 1, "one code for each kind");

BYTE PanelTypeCode(int type)
{
    return type >= 0 && type < int(sizeof PANEL_TYPE_CODES) ? PANEL_TYPE_CODES[type] : 0;
}

// Walks a GBK text character by character (COMMON_EX::GbkCharacterAt): fn(lead, trail) for a
// double-byte character (trail 0 for a lead byte cut off by the terminator), fn(0, code) for a
// single-byte one. Stops after `limit` characters; returns the number visited.
template <typename Fn>
int ForEachCharacter(const char* text, int limit, Fn fn)
{
    int n = 0;
    for (COMMON_EX::GBK_CHARACTER c; n < limit && (c = COMMON_EX::GbkCharacterAt(text)).size; text += c.size) {
        fn(c.lead, c.code);
        ++n;
    }
    return n;
}

template <typename T>
void AppendOnce(std::vector<T>& list, T value)
{
    if (std::find(list.begin(), list.end(), value) == list.end())
        list.push_back(value);
}

void CollectCharacter(BYTE lead, BYTE code)
{
    if (lead)
        AppendOnce(CControlBase::s_listChinese, WORD(lead | (code << 8)));
    else
        AppendOnce(CControlBase::s_listASCII, code);
}

BYTE TakeParameterIndex()
{
    return CControlBase::s_byCompileParameterIndex++;
}

} // namespace

void CControlBase::ResetCompileCharacters()
{
    s_listASCII.clear();
    s_listChinese.clear();
    s_wStaticTextLength = 0;
}

void CControlBase::CollectCompileCharacters(const char* text)
{
    ForEachCharacter(text, INT_MAX, CollectCharacter);
}

int CControlBase::CountCompileCharacters(const char* text)
{
    return ForEachCharacter(text, INT_MAX, [](BYTE, BYTE) {});
}

DWORD CControlBase::GetCompileControlData(BYTE* out, DWORD size)
{
    if (!out || size < COMPILE_CONTROL_SIZE)
        return out ? 0 : COMPILE_CONTROL_SIZE;
    BYTE record[COMPILE_CONTROL_SIZE] = {};
    record[0] = CScreenBase::s_byScreenID;
    record[1] = PanelTypeCode(m_nType);
    record[2] = BYTE(GetX());
    record[3] = BYTE(GetY());
    record[4] = BYTE(GetWidth());
    record[5] = BYTE(GetHeight());
    const bool staticKind = m_nType == CONTROL_STATIC_TEXT || m_nType == CONTROL_PICTURE;
    record[6] = staticKind ? NO_PARAMETER : TakeParameterIndex();
    if (m_nType == CONTROL_STATIC_TEXT)
        record[7] = ++s_byCompileLabelStringIndex;
    if (m_nType == CONTROL_REGISTER) {
        record[8] = 1;
    } else if (auto* light = dynamic_cast<CControlLight*>(this)) {
        record[8] = BYTE(light->GetShape());
    } else if (auto* key = dynamic_cast<CControlFunction*>(this)) {
        record[8] = BYTE(key->GetKeyIndex() + 1);
        record[9] = BYTE(key->GetValueSetting());
        record[10] = BYTE(key->GetHand());
        record[11] = BYTE(key->GetInvisible());
        record[12] = BYTE(key->GetFunction());
        record[13] = BYTE(key->GetJumpScreen());
    }
    record[14] = BYTE(GetInvertColor());
    record[15] = s_byCompileControlID++;
    std::memcpy(out, record, sizeof record);
    return COMPILE_CONTROL_SIZE;
}

DWORD CControlBase::GetCompileControlParameterData(BYTE* out, DWORD size)
{
    if (m_nType == CONTROL_STATIC_TEXT || m_nType == CONTROL_PICTURE || m_nType == CONTROL_NONE)
        return 0;
    if (!out || size < COMPILE_PARAMETER_SIZE)
        return out ? 0 : COMPILE_PARAMETER_SIZE;
    BYTE record[COMPILE_PARAMETER_SIZE] = {};
    auto* reg = dynamic_cast<CControlRegister*>(this);
    const bool coil = dynamic_cast<CControlLight*>(this) || dynamic_cast<CControlFunction*>(this);
    if (reg || coil) {
        record[0] = BYTE(GetPLCStation());
        DOWNLOAD_IMAGE::WriteBE16(record + 1,
                                  reg ? m_pScreen->ConvertPLCRegisterAddress(GetRegister(), DWORD(GetRegisterAddr()))
                                      : m_pScreen->ConvertPLCCoilAddress(GetCoil(), DWORD(GetCoilAddr())));
        record[3] = 1;
    }
    if (reg) {
        record[4] = BYTE(reg->GetIntegerDigits());
        record[5] = BYTE(reg->GetDecimalDigits());
        DOWNLOAD_IMAGE::WriteBE16(record + 6, DWORD(reg->GetMaximum()));
        DOWNLOAD_IMAGE::WriteBE16(record + 8, DWORD(reg->GetMinimum()));
        record[10] = BYTE(reg->GetAsterisk());
        record[12] = BYTE(reg->GetEditable());
        record[13] = BYTE(reg->GetInvalidZero());
    } else if (coil) {
        record[12] = 0xFF;
        record[13] = 1;
    }
    record[16] = TakeParameterIndex();
    std::memcpy(out, record, sizeof record);
    return COMPILE_PARAMETER_SIZE;
}

DWORD CControlBase::GetCompileStaticControlText(BYTE* out, DWORD size)
{
    auto* text = dynamic_cast<CControlStaticText*>(this);
    if (!text || m_nType != CONTROL_STATIC_TEXT)
        return 0;
    const int n = ForEachCharacter(text->GetText(), MAX_COMPILE_TEXT_CHARS, [](BYTE, BYTE) {});
    const DWORD length = 2 + 2 * DWORD(n);
    if (out && size < length)
        return 0;
    BYTE* cell = out ? out + 2 : nullptr;
    ForEachCharacter(text->GetText(), n, [&cell](BYTE lead, BYTE code) {
        CollectCharacter(lead, code);
        if (cell) {
            cell[0] = lead;
            cell[1] = code;
            cell += 2;
        }
    });
    s_wStaticTextLength = WORD(s_wStaticTextLength + n);
    if (out) {
        out[0] = TEXT_RECORD_MARK;
        out[1] = BYTE(n);
    }
    return length;
}
