#include "flasher/shared_library.h"

#include "comkit/module_path.h"

#include <dlfcn.h>

CSharedLibrary::~CSharedLibrary()
{
    Close();
}

BOOL CSharedLibrary::Open(const std::string& directory, const char* fileName)
{
    Close();
    std::string dir = directory.empty() ? COMMON_EX::GetProgramDirectory() : directory;
    if (!dir.empty() && dir.back() != '/') {
        dir += '/';
    }
    // A name with a '/' is opened as it is, so the library beside the program is the one loaded.
    m_strPath = dir + fileName;
    if (m_strPath.find('/') == std::string::npos) {
        m_strPath = "./" + m_strPath;
    }
    m_pHandle = dlopen(m_strPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (m_pHandle == nullptr) {
        const char* error = dlerror();
        m_strError = error != nullptr ? error : "cannot open " + m_strPath;
        return FALSE;
    }
    m_strError.clear();
    return TRUE;
}

void CSharedLibrary::Close()
{
    if (m_pHandle != nullptr) {
        dlclose(m_pHandle);
        m_pHandle = nullptr;
    }
}

void* CSharedLibrary::GetSymbol(const char* name) const
{
    return m_pHandle != nullptr ? dlsym(m_pHandle, name) : nullptr;
}
