#include "emulator/register_text.h"

#include "emulator/panel_display.h"
#include "emulator/panel_image.h"

#include <algorithm>

namespace {

std::string WithPoint(const PANEL_CONTROL& reg, const std::string& digits)
{
    const size_t a = size_t(std::min<int>(reg.integerDigits, int(digits.size())));
    if (reg.decimalDigits <= 0)
        return digits;
    if (a == 0)
        return "0." + digits;
    return digits.substr(0, a) + "." + digits.substr(a);
}

} // namespace

int CRegisterText::DigitCount(const PANEL_CONTROL& reg)
{
    return std::max(1, reg.integerDigits + reg.decimalDigits);
}

std::string CRegisterText::Format(const PANEL_CONTROL& reg, WORD value)
{
    if (reg.asterisk)
        return std::string(size_t(std::max(1, reg.width / CPanelDisplay::ASCII_WIDTH)), '*');
    const int n = DigitCount(reg);
    std::string digits = std::to_string(value);
    if (int(digits.size()) > n)
        return std::string(WithPoint(reg, std::string(size_t(n), '0')).size(), '!');
    digits.insert(0, size_t(n) - digits.size(), '0');
    if (!reg.invalidZero)
        for (int i = 0; i + 1 < reg.integerDigits && digits[size_t(i)] == '0'; ++i)
            digits[size_t(i)] = ' ';
    return WithPoint(reg, digits);
}

std::string CRegisterText::Unknown(const PANEL_CONTROL& reg)
{
    return std::string(Format(reg, 0).size(), '-');
}

std::string CRegisterText::Editing(const PANEL_CONTROL& reg, const std::string& digits)
{
    return WithPoint(reg, digits);
}

int CRegisterText::CellOfDigit(const PANEL_CONTROL& reg, int digit)
{
    if (reg.decimalDigits <= 0)
        return digit;
    if (reg.integerDigits <= 0)
        return digit + 2;
    return digit < reg.integerDigits ? digit : digit + 1;
}
