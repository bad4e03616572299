#include "comkit/gbk.h"

#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace COMMON_EX {

namespace {

const char* const GBK_CODESET = "CP936";
const char* const UTF8_CODESET = "UTF-8";
const char* const UTF16_CODESET = "UTF-16LE";

// Converts length bytes through iconv into out (bytes); false on any invalid or cut sequence.
bool Convert(const char* to, const char* from, const char* input, size_t length, std::string& out)
{
    out.clear();
    if (length == 0)
        return true;
    if (!input)
        return false;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) // NOLINT(performance-no-int-to-ptr): iconv_open's failure value
        return false;
    std::string result;
    result.resize(length * 4 + 16);
    char* in = const_cast<char*>(input);
    size_t inLeft = length;
    size_t used = 0;
    bool ok = true;
    while (inLeft > 0) {
        char* outPtr = &result[used];
        size_t outLeft = result.size() - used;
        size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        used = result.size() - outLeft;
        if (r != size_t(-1))
            break;
        if (errno == E2BIG) {
            result.resize(result.size() * 2);
            continue;
        }
        ok = false; // EILSEQ or EINVAL: invalid or incomplete input
        break;
    }
    iconv_close(cd);
    if (!ok)
        return false;
    result.resize(used);
    out.swap(result);
    return true;
}

std::u16string FromUtf16Bytes(const std::string& bytes)
{
    std::u16string s(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < s.size(); ++i)
        s[i] = char16_t(BYTE(bytes[2 * i]) | (BYTE(bytes[2 * i + 1]) << 8));
    return s;
}

std::string ToUtf16Bytes(const char16_t* text, size_t length)
{
    std::string bytes(length * 2, '\0');
    for (size_t i = 0; i < length; ++i) {
        bytes[2 * i] = char(text[i] & 0xFF);
        bytes[2 * i + 1] = char(text[i] >> 8);
    }
    return bytes;
}

int IntoBuffer(bool ok, const std::string& text, char* dest, DWORD destSize)
{
    if (dest && destSize > 0)
        dest[0] = 0;
    if (!ok)
        return -1;
    if (!dest || text.size() + 1 > destSize)
        return -2;
    std::memcpy(dest, text.c_str(), text.size() + 1);
    return int(text.size());
}

} // namespace

bool GbkToUtf8(const char* gbk, size_t length, std::string& out)
{
    return Convert(UTF8_CODESET, GBK_CODESET, gbk, length, out);
}

bool Utf8ToGbk(const char* utf8, size_t length, std::string& out)
{
    return Convert(GBK_CODESET, UTF8_CODESET, utf8, length, out);
}

bool GbkToUtf16(const char* gbk, size_t length, std::u16string& out)
{
    out.clear();
    std::string bytes;
    if (!Convert(UTF16_CODESET, GBK_CODESET, gbk, length, bytes))
        return false;
    out = FromUtf16Bytes(bytes);
    return true;
}

bool Utf16ToGbk(const char16_t* utf16, size_t length, std::string& out)
{
    if (!utf16 && length) {
        out.clear();
        return false;
    }
    std::string bytes = ToUtf16Bytes(utf16, length);
    return Convert(GBK_CODESET, UTF16_CODESET, bytes.data(), bytes.size(), out);
}

bool GbkToUtf8(const std::string& gbk, std::string& out)
{
    return GbkToUtf8(gbk.data(), gbk.size(), out);
}
bool Utf8ToGbk(const std::string& utf8, std::string& out)
{
    return Utf8ToGbk(utf8.data(), utf8.size(), out);
}
bool GbkToUtf16(const std::string& gbk, std::u16string& out)
{
    return GbkToUtf16(gbk.data(), gbk.size(), out);
}
bool Utf16ToGbk(const std::u16string& utf16, std::string& out)
{
    return Utf16ToGbk(utf16.data(), utf16.size(), out);
}

int Utf8ToGbk(const char* utf8, char* dest, DWORD destSize)
{
    std::string out;
    bool ok = utf8 && Utf8ToGbk(utf8, std::strlen(utf8), out);
    return IntoBuffer(ok, out, dest, destSize);
}

int GbkToUtf8(const char* gbk, char* dest, DWORD destSize)
{
    std::string out;
    bool ok = gbk && GbkToUtf8(gbk, std::strlen(gbk), out);
    return IntoBuffer(ok, out, dest, destSize);
}

std::string GbkToUtf8Lossy(const char* gbk)
{
    if (!gbk)
        return std::string();
    std::string out;
    if (GbkToUtf8(gbk, std::strlen(gbk), out))
        return out;
    for (const char* p = gbk; *p; ++p)
        out += (BYTE(*p) >= 0x20 && BYTE(*p) < 0x7F) ? *p : '?';
    return out;
}

GBK_CHARACTER GbkCharacterAt(const char* p, const char* end)
{
    GBK_CHARACTER c;
    if (!p || (end && p >= end) || !*p)
        return c;
    const BYTE first = BYTE(p[0]);
    if (first <= 0x7F) {
        c.code = first;
        c.size = 1;
        return c;
    }
    c.lead = first;
    const bool cut = (end && p + 1 >= end) || !p[1];
    c.code = cut ? 0 : BYTE(p[1]);
    c.size = cut ? 1 : 2;
    return c;
}

} // namespace COMMON_EX
