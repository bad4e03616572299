#include "devices/catalogue.h"

#include "comkit/init_setting.h"
#include "comkit/module_path.h"
#include "comkit/owned_text.h"
#include "comkit/user_files.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

using COMMON_EX::CopyTextCut;

namespace {

const char* const COUNTS_KEY = "Counts";
const char* const LAST_SELECTED_KEY = "LastSelected";

} // namespace

CCatalogue::CCatalogue(const char* section, const char* itemPattern, const char* fileName)
    : m_pStore(new CInitSetting(nullptr)), m_pszSection(section), m_pszItemPattern(itemPattern)
{
    for (int i = 0; i < MAX_ROWS; ++i) {
        m_ppNames[i] = new char[TEXT_SIZE]();
        m_pIDs[i] = 0;
        m_ppDescriptions[i] = new char[TEXT_SIZE]();
    }
    ReadCatalogue(COMMON_EX::GetProgramFilePath(fileName).c_str());
}

CCatalogue::~CCatalogue()
{
    for (int i = 0; i < MAX_ROWS; ++i) {
        delete[] m_ppNames[i];
        delete[] m_ppDescriptions[i];
    }
    delete m_pStore;
}

void CCatalogue::ParseRow(const char* row, UINT& id, char* name, char* description)
{
    id = UINT(std::atoi(row));
    name[0] = 0;
    description[0] = 0;
    const char* tab = std::strchr(row, '\t');
    if (!tab || !tab[1])
        return;
    const char* rest = tab + 1;
    const char* last = std::strrchr(rest, '\t');
    if (last) {
        size_t nameLength = std::min(size_t(last - rest), size_t(TEXT_SIZE - 1));
        std::memcpy(name, rest, nameLength);
        name[nameLength] = 0;
        CopyTextCut(description, TEXT_SIZE, last + 1);
    } else {
        CopyTextCut(name, TEXT_SIZE, rest);
    }
}

void CCatalogue::Append(UINT id, const char* name, const char* description)
{
    CopyTextCut(m_ppNames[m_nCount], TEXT_SIZE, name);
    m_pIDs[m_nCount] = id;
    CopyTextCut(m_ppDescriptions[m_nCount], TEXT_SIZE, description);
    ++m_nCount;
}

void CCatalogue::ReadCatalogue(const char* iniPath)
{
    m_pStore->SetInitFilePath(iniPath);
    m_selectionFile.clear();
    if (iniPath && *iniPath) {
        const std::string path = iniPath;
        const std::string::size_type slash = path.rfind('/');
        const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
        const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
        m_selectionFile = COMMON_EX::CUserFiles(folder).GetSettingsFile(name, false);
    }
    for (int i = 0; i < MAX_ROWS; ++i) {
        m_ppNames[i][0] = 0;
        m_pIDs[i] = 0;
        m_ppDescriptions[i][0] = 0;
    }
    m_nCount = 0;
    m_nNext = 0;

    int count = m_pStore->GetInt(m_pszSection, COUNTS_KEY, nullptr);
    if (count > MAX_ROWS)
        count = MAX_ROWS;
    char key[64];
    char value[TEXT_SIZE];
    for (int i = 0; i < count; ++i) {
        std::snprintf(key, sizeof key, m_pszItemPattern, i);
        m_pStore->GetValue(m_pszSection, key, value, sizeof value);
        ParseRow(value, m_pIDs[i], m_ppNames[i], m_ppDescriptions[i]);
    }
    m_nCount = count > 0 ? count : 0;
}

const char* CCatalogue::GetCatalogueFile() const
{
    return m_pStore->GetInitFilePath();
}

int CCatalogue::GetNext(UINT& id, char* name, char* description)
{
    if (m_nNext < 0 || m_nNext >= m_nCount)
        return 0;
    id = m_pIDs[m_nNext];
    if (name)
        std::strcpy(name, m_ppNames[m_nNext]);
    if (description)
        std::strcpy(description, m_ppDescriptions[m_nNext]);
    ++m_nNext;
    return 1;
}

UINT CCatalogue::NameToID(const char* name) const
{
    if (!name)
        return 0;
    for (int i = 0; i < m_nCount; ++i)
        if (std::strcmp(m_ppNames[i], name) == 0)
            return m_pIDs[i];
    return 0;
}

const char* CCatalogue::NameOf(const char* nameOrID) const
{
    if (!nameOrID || !*nameOrID)
        return nullptr;
    if (const UINT id = NameToID(nameOrID))
        return IDToName(id);
    if (std::strspn(nameOrID, "0123456789") != std::strlen(nameOrID) || std::strlen(nameOrID) > 10)
        return nullptr;
    const unsigned long long id = std::strtoull(nameOrID, nullptr, 10);
    return id <= 0xFFFFFFFFull ? IDToName(UINT(id)) : nullptr;
}

std::string CCatalogue::ListRows() const
{
    std::string list;
    for (int i = 0; i < m_nCount; ++i)
        list += (i ? ", " : "") + std::string(m_ppNames[i]) + " (" + std::to_string(m_pIDs[i]) + ")";
    return list.empty() ? "none" : list;
}

const char* CCatalogue::IDToName(UINT id) const
{
    for (int i = 0; i < m_nCount; ++i)
        if (m_pIDs[i] == id)
            return m_ppNames[i];
    return nullptr;
}

int CCatalogue::GetLastSelectedIndex()
{
    CInitSetting selection(m_selectionFile.empty() ? nullptr : m_selectionFile.c_str());
    return selection.GetInt(m_pszSection, LAST_SELECTED_KEY, "0");
}

void CCatalogue::SetLastSelectedIndex(int index)
{
    CInitSetting selection(m_selectionFile.empty() ? nullptr : m_selectionFile.c_str());
    selection.SetValue(m_pszSection, LAST_SELECTED_KEY, std::to_string(index).c_str());
}

void CCatalogue::Register(UINT id, const char* name, const char* description)
{
    if (!name)
        name = "";
    if (!description)
        description = "";
    int n = m_pStore->GetInt(m_pszSection, COUNTS_KEY, "0");
    m_pStore->SetValue(m_pszSection, COUNTS_KEY, std::to_string(n + 1).c_str());
    char key[64];
    std::snprintf(key, sizeof key, m_pszItemPattern, n);
    std::string row = std::to_string(id) + "\t" + name + "\t" + description;
    m_pStore->SetValue(m_pszSection, key, row.c_str());
    if (m_nCount < MAX_ROWS)
        Append(id, name, description);
}
