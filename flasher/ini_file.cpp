#include "flasher/ini_file.h"

#include "comkit/replace_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <climits>

namespace {

std::string StripBlanks(const std::string& text)
{
    const char* blanks = " \t";
    std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return std::string();
    std::size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

} // namespace

CIniFile::CIniFile() = default;

CIniFile::~CIniFile()
{
    Close();
}

CIniFile& CIniFile::GetInstance()
{
    static CIniFile instance;
    return instance;
}

void CIniFile::SetPath(const std::string& directory, const std::string& name)
{
    m_strDirectory = directory;
    m_strName = name;
}

std::string CIniFile::GetPath() const
{
    std::string path = m_strDirectory;
    if (!path.empty() && path.back() != '/')
        path += '/';
    return path + m_strName + ".ini";
}

BOOL CIniFile::OpenForRead()
{
    Close();
    m_pFile = std::fopen(GetPath().c_str(), "rb");
    return m_pFile != nullptr;
}

BOOL CIniFile::OpenForWrite()
{
    Close();
    const std::string path = GetPath();
    const std::string::size_type slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    struct stat st {};
    const bool writable = ::stat(path.c_str(), &st) == 0 ? ::access(path.c_str(), W_OK) == 0
                                                         : errno == ENOENT && ::access(folder.c_str(), W_OK) == 0;
    m_bWritable = writable;
    m_strWritten.clear();
    return writable ? TRUE : FALSE;
}

BOOL CIniFile::Close()
{
    BOOL ok = TRUE;
    if (m_pFile)
        std::fclose(m_pFile);
    m_pFile = nullptr;
    if (m_bWritable)
        ok = COMMON_EX::ReplaceFileContent(GetPath(), m_strWritten) ? TRUE : FALSE;
    m_bWritable = false;
    m_strWritten.clear();
    return ok;
}

bool CIniFile::ReadLine(std::string& line)
{
    line.clear();
    int c = std::fgetc(m_pFile);
    if (c == EOF)
        return false;
    while (c != EOF && c != '\n') {
        line += static_cast<char>(c);
        c = std::fgetc(m_pFile);
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

BOOL CIniFile::FindValue(const char* section, const char* key, std::string& value)
{
    if (!m_pFile || !section || !key)
        return 0;
    std::rewind(m_pFile);
    std::string line;
    bool inSection = false;
    while (ReadLine(line)) {
        if (!inSection) {
            inSection = line.find(section) != std::string::npos;
            continue;
        }
        if (line.find('[') != std::string::npos)
            continue;
        std::size_t equals = line.find('=');
        if (equals == std::string::npos || equals == 0)
            continue;
        if (line.substr(0, equals).find(key) != std::string::npos) {
            value = StripBlanks(line.substr(equals + 1));
            return 1;
        }
    }
    return 0;
}

int CIniFile::TextToInt(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > static_cast<long long>(INT_MAX) + 1)
            magnitude = static_cast<long long>(INT_MAX) + 1;
    }
    long long result = negative ? -magnitude : magnitude;
    if (result > INT_MAX)
        return INT_MAX;
    return static_cast<int>(result);
}

BOOL CIniFile::GetInt(const char* section, const char* key, int& value)
{
    std::string text;
    if (!FindValue(section, key, text))
        return 0;
    value = TextToInt(text);
    return 1;
}

BOOL CIniFile::GetString(const char* section, const char* key, std::string& value)
{
    return FindValue(section, key, value);
}

BOOL CIniFile::WriteLine(const std::string& line)
{
    if (!m_bWritable)
        return 0;
    m_strWritten += line + "\r\n";
    return 1;
}

BOOL CIniFile::WriteSection(const char* name)
{
    return WriteLine(std::string("[") + (name ? name : "") + "]");
}

BOOL CIniFile::WriteInt(const char* key, int value)
{
    return WriteLine(std::string(key ? key : "") + "=" + std::to_string(value));
}

BOOL CIniFile::WriteString(const char* key, const char* value)
{
    return WriteLine(std::string(key ? key : "") + "=" + (value ? value : ""));
}
