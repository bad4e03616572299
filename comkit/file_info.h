// Whole-file helpers: existence, size, reading a file into memory and writing bytes over its start.
#pragma once

#include "comkit/comkit_api.h"

#include "comkit/types.h"

class COMKIT_API CFileInfo {
public:
    // 1 when a file or directory of that name exists.
    static int CheckExist(const char* path);
    // Size in bytes (low 32 bits); 0 when the file cannot be opened.
    static DWORD GetFileSize(const char* path);
    // Reads the whole file to the start of buffer; with extraBytes non-zero a zero byte follows.
    // allocate non-zero: frees buffer (std::free) and allocates file size + extraBytes bytes with
    // std::malloc, owned by the caller. allocate zero: buffer must hold file size (+ 1 with
    // extraBytes) bytes. 0 with nothing changed for a missing, unreadable or empty file.
    static int SetFileContentToPointer(const char* path, void*& buffer, int allocate, int extraBytes);
    // Writes length bytes over the start of the file (created when missing); bytes beyond length
    // stay. 0 when the file cannot be written, or when length is 0 and the file is empty.
    static int SetFilePointerToContent(const char* path, const void* data, DWORD length);
};
