#include "comkit/owned_text.h"

#include <cstring>

namespace COMMON_EX {

char* DuplicateText(const char* text)
{
    if (!text)
        return nullptr;
    size_t n = std::strlen(text);
    char* copy = new char[n + 1];
    std::memcpy(copy, text, n + 1);
    return copy;
}

void AssignText(char*& owned, const char* text)
{
    char* copy = DuplicateText(text);
    delete[] owned;
    owned = copy;
}

void CopyTextCut(char* dest, size_t destSize, const char* text)
{
    if (!dest || destSize == 0)
        return;
    size_t n = text ? std::strlen(text) : 0;
    if (n > destSize - 1)
        n = destSize - 1;
    if (n)
        std::memcpy(dest, text, n);
    dest[n] = 0;
}

} // namespace COMMON_EX
