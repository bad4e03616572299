// The programmer's own line-oriented INI reader and writer (isp.ini).
#pragma once

#include "flasher/flasher_api.h"

#include "comkit/types.h"

#include <cstdio>
#include <string>

// A deliberately simple scanner kept compatible with the settings files already in use:
// a section is found by any line that contains its name, a key by any name that contains it,
// and the scan does not stop at the next section. The editor's hand-off depends on this
// (with only `paddr` present, the lookup of `addr` finds it).
// Lines may end with LF or CR LF; written lines end with CR LF.
class FLASHER_API CIniFile {
public:
    CIniFile();
    ~CIniFile();
    CIniFile(const CIniFile&) = delete;
    CIniFile& operator=(const CIniFile&) = delete;

    // The programmer's settings file object.
    static CIniFile& GetInstance();

    // directory (with or without a trailing '/') and a name without extension; ".ini" is appended.
    void SetPath(const std::string& directory, const std::string& name);
    std::string GetPath() const;

    BOOL OpenForRead();
    // Starts writing the file anew: the lines written go to memory and replace the whole file at
    // Close (a temporary file beside it, then a rename, keeping its permissions), so a failed
    // write leaves the old file as it was. FALSE when the file (or, for a new one, its folder)
    // may not be written.
    BOOL OpenForWrite();
    // Ends reading or writing. After OpenForWrite: TRUE when the file was replaced.
    BOOL Close();
    bool IsOpen() const { return m_pFile != nullptr || m_bWritable; }

    // 1 when found; value is left unchanged otherwise. Numbers convert like atoi, clamped to int.
    BOOL GetInt(const char* section, const char* key, int& value);
    BOOL GetString(const char* section, const char* key, std::string& value);

    // Each returns 0 and writes nothing when the file is not open.
    BOOL WriteSection(const char* name);
    BOOL WriteInt(const char* key, int value);
    BOOL WriteString(const char* key, const char* value);

    // The decimal text-to-integer rule used for values: optional blanks and sign, then digits up
    // to the first non-digit; 0 without digits; clamped to the int range instead of overflowing.
    static int TextToInt(const std::string& text);

private:
    bool ReadLine(std::string& line);
    BOOL FindValue(const char* section, const char* key, std::string& value);
    BOOL WriteLine(const std::string& line);

    std::FILE* m_pFile = nullptr; // open for reading
    bool m_bWritable = false;     // open for writing: lines collect in m_strWritten
    std::string m_strWritten;
    std::string m_strDirectory;
    std::string m_strName;
};
