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

} // namespace COMMON_EX
