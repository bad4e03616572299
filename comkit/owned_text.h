// Zero-terminated texts owned through a char* (new[] / delete[]), and cut copies into buffers.
#pragma once

#include "comkit/comkit_api.h"

#include <cstddef>

namespace COMMON_EX {

// A new[] copy of text, or null for null.
COMKIT_API char* DuplicateText(const char* text);
// Replaces *owned (delete[]) by a copy of text (null for null).
COMKIT_API void AssignText(char*& owned, const char* text);
// Copies at most destSize - 1 bytes of text and a zero; nothing for a null dest or destSize 0.
COMKIT_API void CopyTextCut(char* dest, size_t destSize, const char* text);

} // namespace COMMON_EX
