// Input-mode character sets, the number typing rule and the refusal beep.
#include "controls/dsp/dsp_input_rules.h"

#include <QApplication>
#include <QLineEdit>

#include <algorithm>

#include <cstdio>
#include <cstdlib>

namespace DspInput {

namespace {
BeepHook g_beepHook = nullptr;
constexpr int MAX_DECIMALS = 50;
} // namespace

bool IsModeChar(int mode, QChar ch)
{
    if (ch == QChar(8))
        return true;
    const char16_t c = ch.unicode();
    switch (mode) {
    case MODE_DECIMAL: return (c >= u'0' && c <= u'9') || c == u'.';
    case MODE_BINARY: return c == u'0' || c == u'1';
    case MODE_OCTAL: return c >= u'0' && c <= u'7';
    case MODE_HEX: return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
    default: return true;
    }
}

std::string ShortestPlain(double value)
{
    char text[400];
    for (int decimals = 0; decimals <= MAX_DECIMALS; ++decimals) {
        const int length = std::snprintf(text, sizeof text, "%.*f", decimals, value);
        if (length > 0 && length < int(sizeof text) && std::strtod(text, nullptr) == value)
            return text;
    }
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

bool PreviousEditChar(bool real, const QString& result, QChar ch)
{
    const bool digit = ch >= QChar(u'0') && ch <= QChar(u'9');
    if (!digit && !(real && ch == QChar(u'.')))
        return false;
    if (!real)
        return true;
    const std::string typed = result.toStdString();
    std::string shown = ShortestPlain(std::strtod(typed.c_str(), nullptr));
    if (!typed.empty() && typed.back() == '.' && shown.find('.') == std::string::npos)
        shown += '.';
    return typed == shown;
}

void ShowWhole(QLineEdit* edit, const QString& text, int limit)
{
    const int length = std::max(limit, int(text.size()));
    if (edit->maxLength() != length)
        edit->setMaxLength(length);
    edit->setText(text);
}

void Beep()
{
    if (g_beepHook)
        g_beepHook();
    else
        QApplication::beep();
}

void SetBeepHook(BeepHook hook)
{
    g_beepHook = hook;
}

} // namespace DspInput
