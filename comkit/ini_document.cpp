#include "comkit/ini_document.h"

#include "comkit/gbk.h"
#include "comkit/replace_file.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace COMMON_EX {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

std::string Trim(const std::string& s)
{
    size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b]))
        ++b;
    while (e > b && IsBlank(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

// A section header "[name]" gives its name (up to ']' or the end of the line).
bool SectionName(const std::string& line, std::string& name)
{
    std::string t = Trim(line);
    if (t.empty() || t[0] != '[')
        return false;
    size_t close = t.find(']');
    name = Trim(t.substr(1, close == std::string::npos ? std::string::npos : close - 1));
    return true;
}

// A "key=value" line gives its key and raw value.
bool KeyLine(const std::string& line, std::string& key, std::string* value)
{
    size_t eq = line.find('=');
    if (eq == std::string::npos)
        return false;
    key = Trim(line.substr(0, eq));
    if (value)
        *value = line.substr(eq + 1);
    return true;
}

char Lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool HasLineBreak(const char* s)
{
    return std::strpbrk(s, "\r\n") != nullptr;
}

} // namespace

bool CIniDocument::NamesEqual(const std::string& a, const char* asked)
{
    // An asked name is trimmed like the stored ones.
    std::string trimmed = Trim(asked);
    const char* b = trimmed.c_str();
    size_t n = trimmed.size();
    if (a.size() != n)
        return false;
    const char* end = a.c_str() + n;
    for (const char* p = a.c_str(); p < end;) {
        const GBK_CHARACTER c = GbkCharacterAt(p, end);
        const size_t size = c.size ? size_t(c.size) : 1; // a zero byte inside a name is a byte of its own
        // A double-byte character compares exactly, a single byte without case.
        if (c.IsDouble() ? std::memcmp(p, b, size) != 0 : Lower(*p) != Lower(*b))
            return false;
        p += size;
        b += size;
    }
    return true;
}

void CIniDocument::Parse(const std::string& bytes)
{
    m_lines.clear();
    m_eol = "\n";
    m_bFinalEol = true;
    if (bytes.empty())
        return;
    size_t firstNl = bytes.find('\n');
    if (firstNl != std::string::npos && firstNl > 0 && bytes[firstNl - 1] == '\r')
        m_eol = "\r\n";
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t nl = bytes.find('\n', pos);
        if (nl == std::string::npos) {
            m_lines.push_back(bytes.substr(pos));
            m_bFinalEol = false;
            break;
        }
        size_t end = (nl > pos && bytes[nl - 1] == '\r') ? nl - 1 : nl;
        m_lines.push_back(bytes.substr(pos, end - pos));
        pos = nl + 1;
    }
}

std::string CIniDocument::Serialize() const
{
    std::string out;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        out += m_lines[i];
        if (i + 1 < m_lines.size() || m_bFinalEol)
            out += m_eol;
    }
    return out;
}

bool CIniDocument::Read(const char* path, bool* exists)
{
    if (exists)
        *exists = false;
    m_lines.clear();
    FILE* f = std::fopen(path, "rb");
    if (!f)
        return errno == ENOENT;
    std::string bytes;
    char buf[8192];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        bytes.append(buf, n);
    bool ok = !std::ferror(f);
    std::fclose(f);
    if (!ok)
        return false;
    if (exists)
        *exists = true;
    Parse(bytes);
    return true;
}

bool CIniDocument::Write(const char* path) const
{
    return ReplaceFileContent(path, Serialize());
}

int CIniDocument::FindSection(const char* section) const
{
    std::string name;
    for (size_t i = 0; i < m_lines.size(); ++i)
        if (SectionName(m_lines[i], name) && NamesEqual(name, section))
            return int(i);
    return -1;
}

int CIniDocument::SectionEnd(int header) const
{
    std::string name;
    size_t i = size_t(header) + 1;
    while (i < m_lines.size() && !SectionName(m_lines[i], name))
        ++i;
    return int(i);
}

int CIniDocument::FindKey(int header, const char* key) const
{
    int end = SectionEnd(header);
    std::string name;
    for (int i = header + 1; i < end; ++i)
        if (KeyLine(m_lines[size_t(i)], name, nullptr) && NamesEqual(name, key))
            return i;
    return -1;
}

int CIniDocument::FindKeyLine(const char* section, const char* key) const
{
    int header = FindSection(section);
    return header < 0 ? -1 : FindKey(header, key);
}

bool CIniDocument::Find(const char* section, const char* key, std::string& value) const
{
    int line = FindKeyLine(section, key);
    if (line < 0)
        return false;
    std::string name, raw;
    KeyLine(m_lines[size_t(line)], name, &raw);
    value = Trim(raw);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return true;
}

bool CIniDocument::Set(const char* section, const char* key, const char* value)
{
    // A name or value that would not read back as written is refused.
    std::string trimmedKey = Trim(key);
    if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value) || std::strchr(key, '=') ||
        std::strchr(section, ']') || trimmedKey.empty() || trimmedKey[0] == '[')
        return false;

    int header = FindSection(section);
    if (header < 0) {
        m_lines.push_back(std::string("[") + section + "]");
        m_lines.push_back(std::string(key) + "=" + value);
        m_bFinalEol = true;
        return true;
    }
    int line = FindKey(header, key);
    if (line >= 0) {
        std::string name;
        KeyLine(m_lines[size_t(line)], name, nullptr);
        m_lines[size_t(line)] = name + "=" + value;
        return true;
    }
    // After the section's last non-empty line, so blank lines before the next section stay.
    int at = SectionEnd(header);
    while (at > header + 1 && Trim(m_lines[size_t(at - 1)]).empty())
        --at;
    m_lines.insert(m_lines.begin() + at, std::string(key) + "=" + value);
    if (size_t(at) == m_lines.size() - 1)
        m_bFinalEol = true;
    return true;
}

bool CIniDocument::RemoveKey(const char* section, const char* key)
{
    int line = FindKeyLine(section, key);
    if (line < 0)
        return false;
    m_lines.erase(m_lines.begin() + line);
    return true;
}

bool CIniDocument::RemoveSection(const char* section)
{
    int header = FindSection(section);
    if (header < 0)
        return false;
    m_lines.erase(m_lines.begin() + header, m_lines.begin() + SectionEnd(header));
    return true;
}

} // namespace COMMON_EX
