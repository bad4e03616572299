#include "comkit/init_setting.h"

#include "comkit/ini_document.h"
#include "comkit/module_path.h"
#include "comkit/owned_text.h"

#include <cstdlib>
#include <cstring>
#include <string>

using COMMON_EX::DuplicateText;

CInitSetting::CInitSetting(const char* path)
{
    m_pszPath = DuplicateText(path);
}

CInitSetting::CInitSetting(const char* fileName, const void* moduleAddress)
{
    std::string module = COMMON_EX::GetModuleFilePath(moduleAddress);
    if (!module.empty())
        m_pszPath = DuplicateText(COMMON_EX::CombineBesideFile(module, fileName).c_str());
}

CInitSetting::~CInitSetting()
{
    delete[] m_pszPath;
}

int CInitSetting::SetInitFilePath(const char* path)
{
    if (!path)
        return 0;
    COMMON_EX::AssignText(m_pszPath, path);
    return 1;
}

DWORD CInitSetting::GetValue(const char* section, const char* key, char* dest, DWORD destSize, const char* defaultValue,
                             const char* prefix, const char* suffix)
{
    std::string raw;
    bool found = false;
    if (m_pszPath && section && key) {
        COMMON_EX::CIniDocument doc;
        if (doc.Read(m_pszPath))
            found = doc.Find(section, key, raw);
    }
    if (!found)
        raw = defaultValue ? defaultValue : "";
    if (raw.size() > MAX_VALUE_LENGTH)
        raw.resize(MAX_VALUE_LENGTH);

    if (dest && destSize > 0) {
        std::string result;
        if (!raw.empty())
            result = std::string(prefix ? prefix : "") + raw + (suffix ? suffix : "");
        size_t n = result.size() < destSize - 1 ? result.size() : destSize - 1;
        std::memcpy(dest, result.data(), n);
        dest[n] = 0;
    }
    return DWORD(raw.size());
}

int CInitSetting::GetInt(const char* section, const char* key, const char* defaultValue)
{
    char value[MAX_VALUE_LENGTH + 1];
    GetValue(section, key, value, sizeof value, defaultValue);
    return std::atoi(value);
}

int CInitSetting::SetValue(const char* section, const char* key, const char* value)
{
    if (!m_pszPath || !section)
        return 0;
    COMMON_EX::CIniDocument doc;
    bool exists = false;
    if (!doc.Read(m_pszPath, &exists))
        return 0;
    bool changed;
    if (!key)
        changed = doc.RemoveSection(section);
    else if (!value)
        changed = doc.RemoveKey(section, key);
    else if (!doc.Set(section, key, value))
        return 0;
    else
        changed = true;
    // Deleting what is not there succeeds without creating the file.
    if (!changed)
        return 1;
    return doc.Write(m_pszPath) ? 1 : 0;
}

int CInitSetting::DeleteKey(const char* section, const char* key)
{
    return SetValue(section, key, nullptr);
}

int CInitSetting::GetValueK2K(const char* fromSection, const char* fromKey, const char* toSection, const char* toKey,
                              int deleteSource)
{
    char value[MAX_VALUE_LENGTH + 1];
    if (GetValue(fromSection, fromKey, value, sizeof value) == 0)
        return 0;
    if (!toKey || !SetValue(toSection, toKey, value))
        return 0;
    if (deleteSource && !DeleteKey(fromSection, fromKey))
        return 0;
    return 1;
}
