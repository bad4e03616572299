#include "emulator/panel_runtime.h"

#include "comkit/message_text.h"
#include "emulator/panel_display.h"
#include "emulator/panel_keys.h"
#include "emulator/panel_link.h"
#include "emulator/poll_plan.h"
#include "emulator/register_text.h"

#include <algorithm>
#include <vector>

using namespace PANEL_KEYS;

namespace {

// Shown inverted in the bottom right corner while the link is lost; every character is among the
// runtime's own glyphs, which every image carries.
const char* const LINK_ERROR_TEXT = "COM ERROR!";
constexpr WORD BACKLIGHT_ALWAYS_ON = 0xFFFF;

} // namespace

CPanelRuntime::CPanelRuntime(std::unique_ptr<CPanelImage> image) : m_pImage(std::move(image))
{
}

bool CPanelRuntime::ShowScreen(int screen)
{
    if (screen < 1 || screen > m_pImage->GetScreenCount())
        return false;
    m_nScreen = screen;
    m_nEdit = -1;
    return true;
}

bool CPanelRuntime::LinkResult(bool ok)
{
    if (ok) {
        if (m_bLinkLost)
            m_strMessage = COMMON_EX::Tr("Emulator", QT_TRANSLATE_NOOP("Emulator", "link recovered"));
        m_bLinkLost = false;
        return true;
    }
    m_bLinkLost = true;
    // Nothing read before the loss passes for a current value: each shows again from a fresh answer.
    m_registers.clear();
    m_coils.clear();
    m_strMessage =
        COMMON_EX::TrArgs("Emulator", QT_TRANSLATE_NOOP("Emulator", "link lost: %1"),
                          {m_pLink ? m_pLink->GetLastError()
                                   : COMMON_EX::Tr("Emulator", QT_TRANSLATE_NOOP("Emulator", "no line to the PLC"))});
    return false;
}

bool CPanelRuntime::Poll()
{
    std::vector<CPollPlan::ITEM> registers, coils;
    for (int i : m_pImage->ControlsOfScreen(m_nScreen)) {
        const PANEL_CONTROL& c = m_pImage->GetControls()[size_t(i)];
        if (c.kind == PANEL_CONTROL::REGISTER && c.hasParameters)
            registers.push_back({c.station, c.address});
        else if (c.kind == PANEL_CONTROL::LAMP && c.hasParameters)
            coils.push_back({c.station, c.address});
    }
    m_nLastRequests = 0;
    if (!m_pLink)
        return LinkResult(false);
    for (const POLL_REQUEST& r : CPollPlan::Group(registers, CPollPlan::MAX_REGISTERS)) {
        std::vector<WORD> values(size_t(r.count));
        ++m_nLastRequests;
        if (!m_pLink->ReadRegisters(r.station, r.address, r.count, values.data()))
            return LinkResult(false);
        for (int k = 0; k < r.count; ++k)
            m_registers[{r.station, r.address + k}] = values[size_t(k)];
    }
    for (const POLL_REQUEST& r : CPollPlan::Group(coils, CPollPlan::MAX_COILS)) {
        std::vector<BYTE> values(size_t(r.count));
        ++m_nLastRequests;
        if (!m_pLink->ReadCoils(r.station, r.address, r.count, values.data()))
            return LinkResult(false);
        for (int k = 0; k < r.count; ++k)
            m_coils[{r.station, r.address + k}] = values[size_t(k)] != 0;
    }
    return LinkResult(true);
}

void CPanelRuntime::PressKey(int key, uint64_t now)
{
    m_nLastKey = now;
    m_bClockStarted = true;
    if (m_bDimmed) {
        m_bDimmed = false;
        return;
    }
    if (key < 0 || key >= KEY_COUNT)
        return;
    if (m_nEdit >= 0) {
        EditKey(key);
        return;
    }
    bool handled = false;
    for (int i : m_pImage->ControlsOfScreen(m_nScreen)) {
        const PANEL_CONTROL& c = m_pImage->GetControls()[size_t(i)];
        if (c.kind == PANEL_CONTROL::FUNCTION_KEY && c.key == key) {
            FunctionKey(c, true);
            handled = true;
            if (c.jump && c.jumpScreen)
                break; // the other controls of the key belonged to the screen just left
        }
    }
    if (handled)
        return;
    if (key == KEY_SET)
        StartEdit(0);
    else if (key >= KEY_F1 && key <= KEY_F4 && m_pImage->GetFunctionPage(key - KEY_F1))
        ShowScreen(m_pImage->GetFunctionPage(key - KEY_F1));
}

void CPanelRuntime::ReleaseKey(int key, uint64_t)
{
    for (int i : m_pImage->ControlsOfScreen(m_nScreen)) {
        const PANEL_CONTROL& c = m_pImage->GetControls()[size_t(i)];
        if (c.kind == PANEL_CONTROL::FUNCTION_KEY && c.key == key && !c.jump && c.valueSetting == 3)
            FunctionKey(c, false);
    }
}

void CPanelRuntime::FunctionKey(const PANEL_CONTROL& key, bool pressed)
{
    if (key.jump) {
        if (pressed && key.jumpScreen)
            ShowScreen(key.jumpScreen);
        return;
    }
    if (!m_pLink || !key.hasParameters) {
        LinkResult(false);
        return;
    }
    bool on = pressed;
    if (key.valueSetting == 0)
        on = true;
    else if (key.valueSetting == 1)
        on = false;
    else if (key.valueSetting == 2) {
        BYTE now = 0;
        if (!LinkResult(m_pLink->ReadCoils(key.station, key.address, 1, &now)))
            return;
        on = now == 0;
    }
    if (LinkResult(m_pLink->WriteCoil(key.station, key.address, on))) {
        m_coils[{key.station, key.address}] = on;
        m_strMessage = "coil " + std::to_string(key.address) + (on ? " ON" : " OFF");
    }
}

void CPanelRuntime::StartEdit(int from)
{
    // Editable registers of the screen in input order: their order in the image.
    std::vector<int> editable;
    for (int i : m_pImage->ControlsOfScreen(m_nScreen)) {
        const PANEL_CONTROL& c = m_pImage->GetControls()[size_t(i)];
        if (c.kind == PANEL_CONTROL::REGISTER && c.hasParameters && c.editable && !c.asterisk)
            editable.push_back(i);
    }
    m_nEdit = -1;
    if (editable.empty())
        return;
    int chosen = editable.front();
    for (int i : editable)
        if (i >= from) {
            chosen = i;
            break;
        }
    const PANEL_CONTROL& reg = m_pImage->GetControls()[size_t(chosen)];
    WORD value = 0;
    GetRegister(reg.station, reg.address, value);
    const int n = CRegisterText::DigitCount(reg);
    std::string digits = std::to_string(value);
    if (int(digits.size()) > n)
        digits = digits.substr(digits.size() - size_t(n));
    digits.insert(0, size_t(n) - digits.size(), '0');
    m_nEdit = chosen;
    m_strEditDigits = digits;
    m_nEditCursor = 0;
}

void CPanelRuntime::EditKey(int key)
{
    const int n = int(m_strEditDigits.size());
    char& digit = m_strEditDigits[size_t(m_nEditCursor)];
    switch (key) {
    case KEY_UP: digit = digit == '9' ? '0' : char(digit + 1); break;
    case KEY_DOWN: digit = digit == '0' ? '9' : char(digit - 1); break;
    case KEY_LEFT: m_nEditCursor = (m_nEditCursor + n - 1) % n; break;
    case KEY_RIGHT: m_nEditCursor = (m_nEditCursor + 1) % n; break;
    case KEY_CLR: m_strEditDigits.assign(size_t(n), '0'); break;
    case KEY_ESC: m_nEdit = -1; break;
    case KEY_SET: StartEdit(m_nEdit + 1); break;
    case KEY_ENT: Enter(); break;
    default: break;
    }
}

void CPanelRuntime::Enter()
{
    const PANEL_CONTROL& reg = m_pImage->GetControls()[size_t(m_nEdit)];
    unsigned long value = 0; // saturates above 16 bits: a field of many digits cannot wrap
    for (char digit : m_strEditDigits)
        value = std::min(value * 10 + unsigned(digit - '0'), 0x10000ul);
    if (value < reg.minimum || value > reg.maximum) {
        m_strMessage = "refused: " + (value > 0xFFFF ? m_strEditDigits : std::to_string(value)) + " is outside " +
                       std::to_string(reg.minimum) + " to " + std::to_string(reg.maximum);
        return; // the edit stays open with the refused digits
    }
    if (!m_pLink || !LinkResult(m_pLink->WriteRegister(reg.station, reg.address, WORD(value)))) {
        if (!m_pLink)
            LinkResult(false);
        return;
    }
    m_registers[{reg.station, reg.address}] = WORD(value);
    m_strMessage = "wrote " + std::to_string(value);
    m_nEdit = -1;
}

void CPanelRuntime::Tick(uint64_t now)
{
    if (!m_bClockStarted) {
        m_bClockStarted = true;
        m_nLastKey = now;
    }
    const WORD delay = m_pImage->GetBacklightDelay();
    if (delay != BACKLIGHT_ALWAYS_ON && now - m_nLastKey >= uint64_t(delay) * 1000)
        m_bDimmed = true;
}

bool CPanelRuntime::GetRegister(int station, int address, WORD& value) const
{
    const auto it = m_registers.find({station, address});
    if (it == m_registers.end())
        return false;
    value = it->second;
    return true;
}

bool CPanelRuntime::GetCoil(int station, int address, bool& on) const
{
    const auto it = m_coils.find({station, address});
    if (it == m_coils.end())
        return false;
    on = it->second;
    return true;
}

void CPanelRuntime::DrawControl(CPanelDisplay& display, int index) const
{
    const PANEL_CONTROL& c = m_pImage->GetControls()[size_t(index)];
    const CPanelImage& image = *m_pImage;
    // Each control draws into its own field, one pixel wider and higher than its size, which
    // clips what overflows it; the fields' set pixels add up on the display.
    CPanelDisplay field(c.width + 1, c.height + 1);
    const bool fill =
        c.inverted && c.kind != PANEL_CONTROL::LAMP && !(c.kind == PANEL_CONTROL::FUNCTION_KEY && c.invisible);
    if (fill)
        field.FillRectangle(0, 0, c.width, c.height, true);
    switch (c.kind) {
    case PANEL_CONTROL::STATIC_TEXT: field.DrawText(image, c.text, 0, 0, c.inverted); break;
    case PANEL_CONTROL::REGISTER: {
        WORD value = 0;
        if (index == m_nEdit) {
            field.DrawText(image, CRegisterText::Editing(c, m_strEditDigits), 0, 0, c.inverted);
            const int cell = CRegisterText::CellOfDigit(c, m_nEditCursor) * CPanelDisplay::ASCII_WIDTH;
            for (int r = 0; r < CPanelDisplay::CHAR_HEIGHT; ++r)
                for (int k = 0; k < CPanelDisplay::ASCII_WIDTH; ++k)
                    field.Set(cell + k, r, !field.IsSet(cell + k, r));
        } else if (!m_bLinkLost && c.hasParameters && GetRegister(c.station, c.address, value)) {
            field.DrawText(image, CRegisterText::Format(c, value), 0, 0, c.inverted);
        } else {
            field.DrawText(image, CRegisterText::Unknown(c), 0, 0, c.inverted);
        }
        break;
    }
    case PANEL_CONTROL::LAMP: {
        bool on = false;
        if (m_bLinkLost || !c.hasParameters || !GetCoil(c.station, c.address, on))
            on = false;
        field.DrawLight(image, c.shape * 2 + ((on != c.inverted) ? 1 : 0), 0, 0);
        break;
    }
    case PANEL_CONTROL::FUNCTION_KEY:
        if (!c.invisible && c.key >= 0)
            field.DrawFunction(image, c.key, c.hand, 0, 0, c.inverted);
        break;
    case PANEL_CONTROL::OTHER: break;
    }
    display.Merge(field, c.x, c.y);
}

void CPanelRuntime::Render(CPanelDisplay& display) const
{
    display.Clear();
    for (int i : m_pImage->ControlsOfScreen(m_nScreen))
        DrawControl(display, i);
    if (m_bLinkLost) {
        const int width = CPanelDisplay::TextWidth(LINK_ERROR_TEXT);
        const int x = display.GetWidth() - width, y = display.GetHeight() - CPanelDisplay::CHAR_HEIGHT;
        display.FillRectangle(x, y, width, CPanelDisplay::CHAR_HEIGHT, true);
        display.DrawText(*m_pImage, LINK_ERROR_TEXT, x, y, true);
    }
}
