// The rows of a catalogue section: ID, name and description of each entry, read from its INI file.
#pragma once

#include "comkit/types.h"

class CInitSetting;

// Rows "<ID><TAB><name><TAB><description>" under keys "<itemPattern>" 0, 1, ... of one section,
// with "Counts" and "LastSelected" beside them. At most MAX_ROWS rows are held.
class CCatalogueRows {
public:
    static constexpr int MAX_ROWS = 100;
    static constexpr int TEXT_SIZE = 200;

    CCatalogueRows(const char* section, const char* itemPattern);
    ~CCatalogueRows();
    CCatalogueRows(const CCatalogueRows&) = delete;
    CCatalogueRows& operator=(const CCatalogueRows&) = delete;

    // Forgets the rows held and reads them from store.
    void Read(CInitSetting& store);

    // Splits one row into its ID, name and description (name and description cut to 199 bytes).
    static void ParseRow(const char* row, UINT& id, char* name, char* description);

    int GetCount() const { return m_nCount; }
    UINT GetID(int row) const { return m_pIDs[row]; }
    const char* GetName(int row) const { return m_ppNames[row]; }
    const char* GetDescription(int row) const { return m_ppDescriptions[row]; }

    void StartGet() { m_nNext = 0; }
    // Copies the next row (name and description when the buffers are not null); 0 at the end.
    int GetNext(UINT& id, char* name, char* description);

    // The ID of the first row named exactly name, 0 when none.
    UINT NameToID(const char* name) const;
    // The name of the first row with that ID, null when none.
    const char* IDToName(UINT id) const;

    int GetLastSelectedIndex(CInitSetting& store) const;
    void SetLastSelectedIndex(CInitSetting& store, int index) const;
    // Appends a row to the file ("Counts" + 1) and, while fewer than MAX_ROWS are held, in memory.
    void Register(CInitSetting& store, UINT id, const char* name, const char* description);

private:
    void Append(UINT id, const char* name, const char* description);

    const char* m_pszSection;
    const char* m_pszItemPattern;
    int m_nCount = 0;
    char* m_ppNames[MAX_ROWS];
    UINT m_pIDs[MAX_ROWS];
    char* m_ppDescriptions[MAX_ROWS];
    int m_nNext = 0;
};
