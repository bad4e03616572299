#include "controls/model_text.h"

#include "comkit/gbk.h"

#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

using COMMON_EX::CRecordReader;
using COMMON_EX::CRecordWriter;

namespace ModelText {

DWORD TextSize(const std::string& text)
{
    return 4 + DWORD(text.size());
}

void WriteText(CRecordWriter& writer, const std::string& text)
{
    writer.WriteDWORD(DWORD(text.size()));
    writer.WriteBytes(text.data(), DWORD(text.size()));
}

bool ReadText(CRecordReader& reader, std::string& text)
{
    DWORD n;
    if (!reader.PeekDWORD(n) || n > reader.Remaining() - 4)
        return false;
    reader.Skip(4);
    text.assign(reinterpret_cast<const char*>(reader.Current()), n);
    reader.Skip(n);
    return true;
}

std::u16string GbkToUtf16(const std::string& gbk)
{
    std::u16string text;
    if (COMMON_EX::GbkToUtf16(gbk.data(), gbk.size(), text))
        return text;
    // A damaged text keeps what converts; each byte that does not becomes U+FFFD.
    text.clear();
    for (size_t i = 0; i < gbk.size();) {
        const size_t n = BYTE(gbk[i]) > 0x7F && i + 1 < gbk.size() ? 2 : 1;
        std::u16string one;
        if (COMMON_EX::GbkToUtf16(gbk.data() + i, n, one)) {
            text += one;
            i += n;
        } else {
            text += u'\uFFFD';
            ++i;
        }
    }
    return text;
}

std::string Utf16ToGbk(const std::u16string& text)
{
    std::string gbk;
    if (COMMON_EX::Utf16ToGbk(text.data(), text.size(), gbk))
        return gbk;
    // Characters GBK cannot hold become '?'.
    gbk.clear();
    for (size_t i = 0; i < text.size();) {
        const bool pair = text[i] >= 0xD800 && text[i] < 0xDC00 && i + 1 < text.size();
        const size_t n = pair ? 2 : 1;
        std::string one;
        gbk += COMMON_EX::Utf16ToGbk(text.data() + i, n, one) ? one : std::string("?");
        i += n;
    }
    return gbk;
}

int ParseInt(const char* text)
{
    if (!text)
        return 0;
    const long long v = std::strtoll(text, nullptr, 10);
    return v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : int(v);
}

double ParseDouble(const char* text)
{
    return text ? std::strtod(text, nullptr) : 0.0;
}

namespace {

enum FormatArg { ARG_INT, ARG_DOUBLE, ARG_TEXT };

// True when format has exactly one conversion and it takes an argument of this kind.
bool FormatFits(const char* format, FormatArg arg)
{
    int conversions = 0;
    for (const char* p = format; *p; ++p) {
        if (*p != '%')
            continue;
        if (p[1] == '%') {
            ++p;
            continue;
        }
        ++p;
        while (*p && std::strchr("-+ #0", *p))
            ++p;
        while (*p >= '0' && *p <= '9')
            ++p;
        if (*p == '.') {
            ++p;
            while (*p >= '0' && *p <= '9')
                ++p;
        }
        const char* accepted = arg == ARG_INT ? "dioxXuc" : arg == ARG_DOUBLE ? "fFeEgGaA" : "s";
        if (!*p || !std::strchr(accepted, *p))
            return false;
        ++conversions;
    }
    return conversions == 1;
}

// The last named parameter is a pointer: va_start on one that undergoes promotion (an enum) is
// undefined.
std::string Format(const char* format, FormatArg arg, const char* fallback, ...)
{
    if (!format || !*format || !FormatFits(format, arg))
        format = fallback;
    va_list args, again;
    va_start(args, fallback);
    va_copy(again, args);
    const int n = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string out;
    if (n > 0) {
        std::vector<char> text(size_t(n) + 1);
        std::vsnprintf(text.data(), text.size(), format, again);
        out.assign(text.data(), size_t(n));
    }
    va_end(again);
    return out;
}

} // namespace

std::string FormatInt(const char* format, const char* fallback, int value)
{
    return Format(format, ARG_INT, fallback, value);
}

std::string FormatDouble(const char* format, const char* fallback, double value)
{
    return Format(format, ARG_DOUBLE, fallback, value);
}

std::string FormatText(const char* format, const char* fallback, const char* value)
{
    return Format(format, ARG_TEXT, fallback, value ? value : "");
}

} // namespace ModelText
