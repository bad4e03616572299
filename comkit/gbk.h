// GBK (code page 936) <-> UTF-8 and UTF-16 conversion for the user-interface boundary.
#pragma once

#include "comkit/comkit_api.h"

#include "comkit/types.h"

#include <string>

namespace COMMON_EX {

// Each returns true and sets out on success. On invalid or incomplete input it returns false and
// leaves out empty; nothing is ever written past the given sizes.
COMKIT_API bool GbkToUtf8(const char* gbk, size_t length, std::string& out);
COMKIT_API bool Utf8ToGbk(const char* utf8, size_t length, std::string& out);
COMKIT_API bool GbkToUtf16(const char* gbk, size_t length, std::u16string& out);
COMKIT_API bool Utf16ToGbk(const char16_t* utf16, size_t length, std::string& out);

// Zero-terminated text.
COMKIT_API bool GbkToUtf8(const std::string& gbk, std::string& out);
COMKIT_API bool Utf8ToGbk(const std::string& utf8, std::string& out);
COMKIT_API bool GbkToUtf16(const std::string& gbk, std::u16string& out);
COMKIT_API bool Utf16ToGbk(const std::u16string& utf16, std::string& out);

// Into a caller's buffer of destSize bytes, always zero-terminated when destSize > 0.
// Returns the bytes written without the zero, -1 for invalid input and -2 when the whole text
// does not fit (dest then holds an empty text).
COMKIT_API int Utf8ToGbk(const char* utf8, char* dest, DWORD destSize);
COMKIT_API int GbkToUtf8(const char* gbk, char* dest, DWORD destSize);

// Convenience for display: the converted text, or the input's printable ASCII with '?' for
// every byte that does not convert.
COMKIT_API std::string GbkToUtf8Lossy(const char* gbk);

// One character of a GBK text as the model counts, draws, compiles and compares it: a byte above
// 0x7F is the lead byte of a double-byte character, whose trail is the next byte, or 0 when the text
// ends there (a lead byte cut off by the end is still one double-byte character, of the width of
// one); any other byte is a single-byte character.
struct COMKIT_API GBK_CHARACTER {
    BYTE lead = 0; // the lead byte of a double-byte character, 0 for a single-byte one
    BYTE code = 0; // the trail byte of a double-byte character (0 when cut off), or the single byte
    int size = 0;  // bytes the character takes in the text: 1 or 2, 0 at the end of the text

    bool IsDouble() const { return lead != 0; }
    // The model's code of a double-byte character: lead byte low, trail byte high.
    WORD DoubleCode() const { return WORD(lead | (code << 8)); }
};

// The character at `p` of a text that ends at `end` or at its first zero byte, whichever comes
// first (`end` null: at its zero byte). A null `p`, or `p` at the end, gives size 0. Never reads at
// or past `end`.
COMKIT_API GBK_CHARACTER GbkCharacterAt(const char* p, const char* end = nullptr);

} // namespace COMMON_EX
