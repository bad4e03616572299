#include "devices/catalogue_rows.h"

#include "comkit/init_setting.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char* const COUNTS_KEY = "Counts";
const char* const LAST_SELECTED_KEY = "LastSelected";

// Copies at most size - 1 bytes of [text, text + n) and a zero.
void CopyCut(char* dest, int size, const char* text, size_t n)
{
    if (n > size_t(size - 1))
        n = size_t(size - 1);
    std::memcpy(dest, text, n);
    dest[n] = 0;
}

} // namespace

CCatalogueRows::CCatalogueRows(const char* section, const char* itemPattern)
    : m_pszSection(section), m_pszItemPattern(itemPattern)
{
    for (int i = 0; i < MAX_ROWS; ++i) {
        m_ppNames[i] = new char[TEXT_SIZE]();
        m_pIDs[i] = 0;
        m_ppDescriptions[i] = new char[TEXT_SIZE]();
    }
}

CCatalogueRows::~CCatalogueRows()
{
    for (int i = 0; i < MAX_ROWS; ++i) {
        delete[] m_ppNames[i];
        delete[] m_ppDescriptions[i];
    }
}

void CCatalogueRows::ParseRow(const char* row, UINT& id, char* name, char* description)
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
        CopyCut(name, TEXT_SIZE, rest, size_t(last - rest));
        CopyCut(description, TEXT_SIZE, last + 1, std::strlen(last + 1));
    } else {
        CopyCut(name, TEXT_SIZE, rest, std::strlen(rest));
    }
}

void CCatalogueRows::Append(UINT id, const char* name, const char* description)
{
    CopyCut(m_ppNames[m_nCount], TEXT_SIZE, name, std::strlen(name));
    m_pIDs[m_nCount] = id;
    CopyCut(m_ppDescriptions[m_nCount], TEXT_SIZE, description, std::strlen(description));
    ++m_nCount;
}

void CCatalogueRows::Read(CInitSetting& store)
{
    for (int i = 0; i < MAX_ROWS; ++i) {
        m_ppNames[i][0] = 0;
        m_pIDs[i] = 0;
        m_ppDescriptions[i][0] = 0;
    }
    m_nCount = 0;
    m_nNext = 0;

    char value[TEXT_SIZE];
    store.GetValue(m_pszSection, COUNTS_KEY, value, sizeof value);
    int count = std::atoi(value);
    if (count > MAX_ROWS)
        count = MAX_ROWS;
    char key[64];
    for (int i = 0; i < count; ++i) {
        std::snprintf(key, sizeof key, m_pszItemPattern, i);
        store.GetValue(m_pszSection, key, value, sizeof value);
        ParseRow(value, m_pIDs[i], m_ppNames[i], m_ppDescriptions[i]);
    }
    m_nCount = count > 0 ? count : 0;
}

int CCatalogueRows::GetNext(UINT& id, char* name, char* description)
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

UINT CCatalogueRows::NameToID(const char* name) const
{
    if (!name)
        return 0;
    for (int i = 0; i < m_nCount; ++i)
        if (std::strcmp(m_ppNames[i], name) == 0)
            return m_pIDs[i];
    return 0;
}

const char* CCatalogueRows::IDToName(UINT id) const
{
    for (int i = 0; i < m_nCount; ++i)
        if (m_pIDs[i] == id)
            return m_ppNames[i];
    return nullptr;
}

int CCatalogueRows::GetLastSelectedIndex(CInitSetting& store) const
{
    char value[TEXT_SIZE];
    store.GetValue(m_pszSection, LAST_SELECTED_KEY, value, sizeof value, "0");
    return std::atoi(value);
}

void CCatalogueRows::SetLastSelectedIndex(CInitSetting& store, int index) const
{
    char value[16];
    std::snprintf(value, sizeof value, "%d", index);
    store.SetValue(m_pszSection, LAST_SELECTED_KEY, value);
}

void CCatalogueRows::Register(CInitSetting& store, UINT id, const char* name, const char* description)
{
    if (!name)
        name = "";
    if (!description)
        description = "";
    char value[TEXT_SIZE];
    store.GetValue(m_pszSection, COUNTS_KEY, value, sizeof value, "0");
    int n = std::atoi(value);
    char text[32];
    std::snprintf(text, sizeof text, "%d", n + 1);
    store.SetValue(m_pszSection, COUNTS_KEY, text);
    char key[64];
    std::snprintf(key, sizeof key, m_pszItemPattern, n);
    std::string row = std::to_string(id) + "\t" + name + "\t" + description;
    store.SetValue(m_pszSection, key, row.c_str());
    if (m_nCount < MAX_ROWS)
        Append(id, name, description);
}
