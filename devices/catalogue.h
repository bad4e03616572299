// A catalogue file: rows "<ID><TAB><name><TAB><description>" of one section, read at start.
#pragma once

#include "devices/devices_api.h"

#include "comkit/types.h"

#include <string>

class CInitSetting;

// Keys "<itemPattern>" 0, 1, ... of one section, with "Counts" and "LastSelected" beside them.
// At most MAX_ROWS rows are held. The file is bound beside the running program at construction.
class DEVICES_API CCatalogue {
public:
    static constexpr int MAX_ROWS = 100;
    static constexpr int TEXT_SIZE = 200;

    virtual ~CCatalogue();
    CCatalogue(const CCatalogue&) = delete;
    CCatalogue& operator=(const CCatalogue&) = delete;

    // Binds the catalogue to another file and reads its rows again (tests, other installations).
    void ReadCatalogue(const char* iniPath);
    const char* GetCatalogueFile() const;

    // "LastSelected" of the section (default 0), and writing it: in the catalogue file itself, or,
    // when the suite is installed for the system, in the user's file of the same name
    // (comkit/user_files.h), so the installed catalogue is never written.
    int GetLastSelectedIndex();
    void SetLastSelectedIndex(int index);

    // The catalogue name of a row given by its name or by its ID written in decimal ("100");
    // null when no row matches. A name wins over an ID that reads the same.
    const char* NameOf(const char* nameOrID) const;
    // Every row as "name (ID)", separated by ", " (GBK as the rows are); "none" when empty.
    std::string ListRows() const;

    // Splits one row into its ID, name and description (each buffer TEXT_SIZE bytes; name and
    // description cut to TEXT_SIZE - 1 bytes).
    static void ParseRow(const char* row, UINT& id, char* name, char* description);

protected:
    CCatalogue(const char* section, const char* itemPattern, const char* fileName);

    int GetCount() const { return m_nCount; }
    void StartGet() { m_nNext = 0; }
    // Copies the next row (name and description when the buffers are not null); 0 at the end.
    int GetNext(UINT& id, char* name, char* description);
    // The ID of the first row named exactly name, 0 when none.
    UINT NameToID(const char* name) const;
    // The name of the first row with that ID, null when none.
    const char* IDToName(UINT id) const;
    // Appends a row to the file ("Counts" + 1) and, while fewer than MAX_ROWS are held, in memory.
    void Register(UINT id, const char* name, const char* description);

    CInitSetting& Store() { return *m_pStore; }

private:
    void Append(UINT id, const char* name, const char* description);

    CInitSetting* m_pStore;
    std::string m_selectionFile; // where LastSelected is kept (see GetLastSelectedIndex)
    const char* m_pszSection;
    const char* m_pszItemPattern;
    int m_nCount = 0;
    char* m_ppNames[MAX_ROWS];
    UINT m_pIDs[MAX_ROWS];
    char* m_ppDescriptions[MAX_ROWS];
    int m_nNext = 0;
};
