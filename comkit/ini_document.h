// One INI file held as its lines, with the lookup and edit rules of the settings store.
#pragma once

#include "comkit/comkit_api.h"

#include <string>
#include <vector>

namespace COMMON_EX {

// Lines are kept byte for byte (only the line ends are split off), so an edit changes nothing
// but the lines it touches. Names compare without regard to ASCII letter case; the bytes of a
// double-byte (GBK) character are compared exactly.
class COMKIT_API CIniDocument {
public:
    // Reads the file; a missing file reads as empty (exists = false). False when it cannot be read.
    bool Read(const char* path, bool* exists = nullptr);
    // Replaces the file atomically: a temporary file beside it, then a rename over it.
    bool Write(const char* path) const;

    void Parse(const std::string& bytes);
    std::string Serialize() const;

    // The value of key in the first section named section: trimmed of blanks and TABs at both
    // ends, one enclosing pair of double quotes removed.
    bool Find(const char* section, const char* key, std::string& value) const;
    // Replaces the key's value in place, or adds the key at the end of its section, or adds the
    // section at the end of the file. False for names or values that cannot be stored as a line.
    bool Set(const char* section, const char* key, const char* value);
    // True when something was removed.
    bool RemoveKey(const char* section, const char* key);
    bool RemoveSection(const char* section);

    // stored is a name read from the file (already trimmed); asked is trimmed of blanks and TABs.
    static bool NamesEqual(const std::string& stored, const char* asked);

private:
    int FindSection(const char* section) const;
    // End (exclusive) of the section whose header is at line index header.
    int SectionEnd(int header) const;
    int FindKey(int header, const char* key) const;
    // Line of key in the first section named section, -1 when none.
    int FindKeyLine(const char* section, const char* key) const;

    std::vector<std::string> m_lines;
    std::string m_eol = "\n";
    bool m_bFinalEol = true;
};

} // namespace COMMON_EX
