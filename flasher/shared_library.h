// A shared library opened by file name from one directory (never searched for), and its symbols.
#pragma once

#include "flasher/flasher_api.h"

#include "comkit/types.h"

#include <string>

class FLASHER_API CSharedLibrary {
public:
    CSharedLibrary() = default;
    ~CSharedLibrary();
    CSharedLibrary(const CSharedLibrary&) = delete;
    CSharedLibrary& operator=(const CSharedLibrary&) = delete;

    // Opens directory/fileName; an empty directory means the program's directory. Closes what was
    // open before. FALSE when it cannot be opened (GetError() tells why).
    BOOL Open(const std::string& directory, const char* fileName);
    void Close();
    BOOL IsOpen() const { return m_pHandle != nullptr ? TRUE : FALSE; }

    // Address of an exported symbol; null when closed or not exported.
    void* GetSymbol(const char* name) const;

    // The full name the library was opened by, and the loader's text of the last failure.
    const std::string& GetPath() const { return m_strPath; }
    const std::string& GetError() const { return m_strError; }

private:
    void* m_pHandle = nullptr;
    std::string m_strPath;
    std::string m_strError;
};
