// INI settings store: read, write and delete key=value entries of one settings file.
#pragma once

#include "comkit/comkit_api.h"

#include "comkit/types.h"

// Every call goes to the file; nothing is cached. Section and key names match without regard to
// ASCII letter case; values are bytes (GBK in the shipped files) and are not converted.
// Writes replace the file atomically (temporary file beside it, then rename).
// A store without a path reads defaults and refuses every write (returns 0).
class COMKIT_API CInitSetting {
public:
    // A private copy of path; null leaves the store without a file until SetInitFilePath.
    explicit CInitSetting(const char* path);
    // fileName beside the module that contains moduleAddress (the running program when null).
    CInitSetting(const char* fileName, const void* moduleAddress);
    virtual ~CInitSetting();
    CInitSetting(const CInitSetting&) = delete;
    CInitSetting& operator=(const CInitSetting&) = delete;

    // Replaces the path by a copy and returns 1; null changes nothing and returns 0.
    int SetInitFilePath(const char* path);
    // The bound path, or null.
    const char* GetInitFilePath() const { return m_pszPath; }

    // Reads the value (at most 254 bytes of it; defaultValue when the key is missing, null meaning
    // empty), writes prefix + value + suffix (or an empty text when the value is empty) into dest,
    // cut to destSize - 1 bytes and always terminated. Returns the length of the raw value.
    DWORD GetValue(const char* section, const char* key, char* dest, DWORD destSize, const char* defaultValue = nullptr,
                   const char* prefix = nullptr, const char* suffix = nullptr);
    // The value read as C atoi reads it (leading number, 0 when none).
    int GetInt(const char* section, const char* key, const char* defaultValue = "0");
    // Writes key=value into section (creating file, section or key). A null value deletes the key,
    // a null key deletes the whole section. Non-zero on success, 0 on failure.
    int SetValue(const char* section, const char* key, const char* value);
    int DeleteKey(const char* section, const char* key);
    // Copies a non-empty value to another key, then deletes the source when asked. 1 when copied.
    int GetValueK2K(const char* fromSection, const char* fromKey, const char* toSection, const char* toKey,
                    int deleteSource);

    // The longest value a read sees (the private read buffer holds this many bytes plus the zero).
    static constexpr DWORD MAX_VALUE_LENGTH = 254;

private:
    char* m_pszPath = nullptr;
};
