#include "controls/screen_base.h"

#include "comkit/gbk.h"
#include "comkit/gui_ex_dc.h"
#include "controls/name_buffers.h"
#include "devices/device_base.h"

#include <cmath>
#include <cstring>

using COM_GUI_EX::CGUIEXDC;

BYTE CScreenBase::s_byScreenID = 1;
CScreenBase::GetAsciiCharPixelFunc CScreenBase::s_GetAsciiCharPixel = nullptr;
CScreenBase::GetChineseCharPixelFunc CScreenBase::s_GetChineseCharPixel = nullptr;
CScreenBase::GetLightPixelFunc CScreenBase::s_GetLightPixel = nullptr;
CScreenBase::GetFunctionPixelFunc CScreenBase::s_GetFunctionPixel = nullptr;

namespace {

constexpr DWORD BLACK = 0x000000;
constexpr DWORD WHITE = 0xFFFFFF;

DWORD TextColour(int white)
{
    return white ? WHITE : BLACK;
}

// A question for the panel model, or `none` when the screen has none.
template <typename R, typename... Params, typename... Args>
R Ask(CDeviceBase* device, R (CDeviceBase::*query)(Params...), R none, Args... args)
{
    return device ? (device->*query)(args...) : none;
}

// A text of the panel model (at most 259 bytes), empty without one.
std::string AskText(CDeviceBase* device, void (CDeviceBase::*query)(char*, int))
{
    char text[CScreenBase::DEVICE_TEXT_LEN] = {};
    if (device)
        (device->*query)(text, CScreenBase::DEVICE_TEXT_LEN);
    return text;
}

} // namespace

CScreenBase::CScreenBase() = default;

CScreenBase::~CScreenBase()
{
    DestroyAllControls();
    delete m_pSelectedRect;
    delete m_pOrderIndexRect;
}

void CScreenBase::GetControlDefPos(int& x, int& y)
{
    x = m_nNextX;
    y = m_nNextY;
    m_nNextX += DEFAULT_POS_STEP;
    m_nNextY += DEFAULT_POS_STEP;
    const int right = m_nScreenX + GetScreenWidth() - DEFAULT_POS_MARGIN;
    const int bottom = m_nScreenY + GetScreenHeight() - DEFAULT_POS_MARGIN;
    if (m_nNextX <= right && m_nNextY <= bottom)
        return;
    m_nColumnX += DEFAULT_POS_MARGIN;
    if (m_nColumnX > right) {
        m_nColumnX = DEFAULT_POS_START;
        m_nRowY += DEFAULT_POS_MARGIN;
    }
    m_nNextX = m_nColumnX;
    m_nNextY = m_nRowY;
}

void CScreenBase::GetDefPosCursor(int& nextX, int& nextY, int& columnX, int& rowY) const
{
    nextX = m_nNextX;
    nextY = m_nNextY;
    columnX = m_nColumnX;
    rowY = m_nRowY;
}

void CScreenBase::SetDefPosCursor(int nextX, int nextY, int columnX, int rowY)
{
    m_nNextX = nextX;
    m_nNextY = nextY;
    m_nColumnX = columnX;
    m_nRowY = rowY;
}

int CScreenBase::GetScreenWidth() const
{
    return int(Ask(m_pDependenceDevice, &CDeviceBase::GetScreenWidth, 0u));
}

int CScreenBase::GetScreenHeight() const
{
    return int(Ask(m_pDependenceDevice, &CDeviceBase::GetScreenHeight, 0u));
}

int CScreenBase::GetDrawScreenWidth() const
{
    return int(std::floor(GetScreenWidth() * m_dZoomRate + 0.5));
}

int CScreenBase::GetDrawScreenHeight() const
{
    return int(std::floor(GetScreenHeight() * m_dZoomRate + 0.5));
}

void CScreenBase::GetDeviceName(std::string& name) const
{
    name = AskText(m_pDependenceDevice, &CDeviceBase::GetDeviceName);
}

void CScreenBase::GetPLCName(std::string& name) const
{
    name = AskText(m_pDependenceDevice, &CDeviceBase::GetPLCName);
}

int CScreenBase::IsPLCFree() const
{
    return Ask(m_pDependenceDevice, &CDeviceBase::GetPLCID, 0u) == FREE_PLC_ID;
}

int CScreenBase::GetRegisterIntegerMaxCount() const
{
    return Ask(m_pDependenceDevice, &CDeviceBase::GetRegisterIntegerMaxCount, 0);
}

int CScreenBase::GetRegisterFloorMaxCount() const
{
    return Ask(m_pDependenceDevice, &CDeviceBase::GetRegisterFloorMaxCount, 0);
}

int CScreenBase::GetDeviceAllKeysCollection(char** names, int* codes, int maxCount) const
{
    return Ask(m_pDependenceDevice, &CDeviceBase::GetDeviceAllKeyCollection, 0, names, codes, maxCount);
}

int CScreenBase::GetPLCStation() const
{
    return Ask(m_pDependenceDevice, &CDeviceBase::GetPLCStation, 0);
}

int CScreenBase::GetPLCStationVisibled() const
{
    return Ask(m_pDependenceDevice, &CDeviceBase::GetPLCStationVisibled, 0);
}

int CScreenBase::GetPLCStationDisabled() const
{
    return Ask(m_pDependenceDevice, &CDeviceBase::GetPLCStationDisabled, 0);
}

int CScreenBase::GetPLCRegisterCollection(int* codes, char** names, DWORD* values1, DWORD* values2, int maxCount) const
{
    return Ask(m_pDependenceDevice, &CDeviceBase::GetPLCRegisterCollection, 0, codes, names, values1, values2,
               maxCount);
}

int CScreenBase::GetPLCRegisterDefIndex() const
{
    return Ask(m_pDependenceDevice, &CDeviceBase::GetPLCRegisterDefIndex, 0);
}

int CScreenBase::GetPLCCoilCollection(int* codes, char** names, DWORD* values1, DWORD* values2, int maxCount) const
{
    return Ask(m_pDependenceDevice, &CDeviceBase::GetPLCCoilCollection, 0, codes, names, values1, values2, maxCount);
}

int CScreenBase::GetPLCCoilDefIndex() const
{
    return Ask(m_pDependenceDevice, &CDeviceBase::GetPLCCoilDefIndex, 0);
}

bool CScreenBase::GetPLCAddressRange(bool coil, int kind, long long& minimum, long long& maximum) const
{
    constexpr int MAX = CNameBuffers::MAX_NAMES;
    CNameBuffers names; // a panel model may write the names whether asked or not
    DWORD lows[MAX] = {}, highs[MAX] = {};
    const int count = coil ? GetPLCCoilCollection(nullptr, names.pointers, lows, highs, MAX)
                           : GetPLCRegisterCollection(nullptr, names.pointers, lows, highs, MAX);
    if (kind < 0 || kind >= count || kind >= MAX)
        return false;
    minimum = INT(lows[kind]);
    maximum = INT(highs[kind]);
    return true;
}

DWORD CScreenBase::ConvertPLCRegisterAddress(int kind, DWORD address) const
{
    return Ask(m_pDependenceDevice, &CDeviceBase::ConvertPLCRegisterAddress, address, kind, address);
}

DWORD CScreenBase::ConvertPLCCoilAddress(int kind, DWORD address) const
{
    return Ask(m_pDependenceDevice, &CDeviceBase::ConvertPLCCoilAddress, address, kind, address);
}

void CScreenBase::CreateSelectedRectangle(const CGUIEXDC* compatible)
{
    delete m_pSelectedRect;
    m_pSelectedRect = new CGUIEXDC(compatible, 2 * HANDLE_SIZE, HANDLE_SIZE);
    m_pSelectedRect->Clear(WHITE);
    m_pSelectedRect->FillRectangle(0, 0, HANDLE_SIZE, HANDLE_SIZE, SELECTED_COLOR);
    const QRect outline(HANDLE_SIZE, 0, HANDLE_SIZE, HANDLE_SIZE);
    m_pSelectedRect->DrawRectangle(&outline, SELECTED_COLOR);
}

void CScreenBase::CreateOrderIndexRectangle(const CGUIEXDC* compatible)
{
    delete m_pOrderIndexRect;
    m_pOrderIndexRect = new CGUIEXDC(compatible, ORDER_MARK_SIZE, ORDER_MARK_SIZE);
    const QRect badge(0, 0, ORDER_MARK_SIZE, ORDER_MARK_SIZE);
    m_pOrderIndexRect->FrawRectangleWithBg(&badge, BLACK, ORDER_MARK_BACK_COLOR);
}

CGUIEXDC* CScreenBase::GetSelectedRectangle()
{
    if (!m_pSelectedRect)
        CreateSelectedRectangle(nullptr);
    return m_pSelectedRect;
}

CGUIEXDC* CScreenBase::GetOrderIndexRectangle()
{
    if (!m_pOrderIndexRect)
        CreateOrderIndexRectangle(nullptr);
    return m_pOrderIndexRect;
}

int CScreenBase::GetStringLength(const char* text, int& width, int& height)
{
    height = CHAR_HEIGHT;
    width = 0;
    if (!text || !*text) {
        width = ASCII_CHAR_WIDTH;
        return width;
    }
    for (COMMON_EX::GBK_CHARACTER c; (c = COMMON_EX::GbkCharacterAt(text)).size; text += c.size)
        width += c.IsDouble() ? CHINESE_CHAR_WIDTH : ASCII_CHAR_WIDTH;
    return width;
}

void CScreenBase::DrawStringPixel(CGUIEXDC* dc, const char* text, int x, int y, int white)
{
    if (!dc || !text)
        return;
    BYTE bits[CHINESE_PIXEL_BYTES];
    for (COMMON_EX::GBK_CHARACTER c; (c = COMMON_EX::GbkCharacterAt(text)).size; text += c.size) {
        // Each glyph starts from a clean buffer, so a failed lookup draws nothing rather than the
        // previous character.
        std::memset(bits, 0, sizeof(bits));
        if (c.IsDouble()) {
            if (s_GetChineseCharPixel && s_GetChineseCharPixel(c.DoubleCode(), bits))
                DrawChineseChar(dc, bits, x, y, white);
            x += CHINESE_CHAR_WIDTH;
        } else {
            if (s_GetAsciiCharPixel && s_GetAsciiCharPixel(c.code, bits))
                DrawAsciiChar(dc, bits, x, y, white);
            x += ASCII_CHAR_WIDTH;
        }
    }
}

void CScreenBase::DrawChineseChar(CGUIEXDC* dc, const BYTE* bits, int x, int y, int white)
{
    if (!dc || !bits)
        return;
    const DWORD colour = TextColour(white);
    for (int r = 0; r < CHAR_HEIGHT; ++r) {
        const unsigned row = (unsigned(bits[2 * r]) << 8) | bits[2 * r + 1];
        for (int c = 0; c < CHINESE_CHAR_WIDTH; ++c)
            if (row & (0x8000u >> c))
                dc->SetPixel(x + c, y + r, colour);
    }
}

void CScreenBase::DrawAsciiChar(CGUIEXDC* dc, const BYTE* bits, int x, int y, int white)
{
    if (!dc || !bits)
        return;
    const DWORD colour = TextColour(white);
    for (int r = 0; r < CHAR_HEIGHT; ++r) {
        const unsigned row = bits[r];
        for (int c = 0; c < ASCII_CHAR_WIDTH; ++c)
            if (row & (0x80u >> c))
                dc->SetPixel(x + c, y + r, colour);
    }
}

void CScreenBase::DrawPixel(CGUIEXDC* dc, const BYTE* bits, int x, int y, DWORD colour)
{
    if (!dc || !bits)
        return;
    for (int r = 0; r < IMAGE_SIZE; ++r) {
        const unsigned row = bits[2 * r] | (unsigned(bits[2 * r + 1]) << 8);
        for (int c = 0; c < IMAGE_SIZE; ++c)
            if (row & (1u << c))
                dc->SetPixel(x + c, y + r, colour);
    }
}

void CScreenBase::DrawLight(CGUIEXDC* dc, int image, int x, int y)
{
    BYTE bits[IMAGE_PIXEL_BYTES] = {};
    if (!dc || !s_GetLightPixel || !s_GetLightPixel(image, bits))
        return;
    DrawPixel(dc, bits, x, y, BLACK);
}

void CScreenBase::DrawFunction(CGUIEXDC* dc, int withPrefix, int disabled, int key, int x, int y, int lit)
{
    BYTE prefix[IMAGE_PIXEL_BYTES] = {};
    BYTE image[IMAGE_PIXEL_BYTES] = {};
    if (!dc || !s_GetFunctionPixel || !s_GetFunctionPixel(key, prefix, image))
        return;
    const DWORD colour = disabled ? FUNCTION_DISABLED_COLOR : TextColour(lit);
    if (withPrefix && !disabled) {
        DrawPixel(dc, prefix, x, y, colour);
        x += FUNCTION_PREFIX_WIDTH;
    }
    DrawPixel(dc, image, x, y, colour);
}
