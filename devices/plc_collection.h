// The catalogue of PLC protocols, read from "PLCRegister.ini" beside the running program.
#pragma once

#include "devices/catalogue_rows.h"
#include "devices/plc_base.h"

class CInitSetting;

// One instance per process, built when the library loads; GetInstance() returns it.
class CPLCCollection {
public:
    static constexpr const char* FILE_NAME = "PLCRegister.ini";

    static CPLCCollection* GetInstance();

    virtual ~CPLCCollection();
    CPLCCollection(const CPLCCollection&) = delete;
    CPLCCollection& operator=(const CPLCCollection&) = delete;

    // Binds the catalogue to another file and reads its rows again (tests, other installations).
    void ReadCatalogue(const char* iniPath);
    const char* GetCatalogueFile() const;

    void StartGetPLC();
    // Copies the next row's ID, name and description (each buffer at least 200 bytes, may be
    // null); 1 while rows remain, else 0 with nothing changed.
    int GetNextPLC(UINT& id, char* name, char* description);
    int GetPLCCount() const;

    int GetLastSelectedIndex();
    void SetLastSelectedIndex(int index);

    // Exact, case-sensitive; the first row wins. 0 / null when none.
    UINT ConvertPLCNameToPLCID(const char* name) const;
    const char* ConvertPLCIDToPLCName(UINT id) const;

    // A new protocol object owned by the caller, with empty tables; null for an unknown protocol.
    CPLCBase* CreatePLC(const char* name);
    CPLCBase* CreatePLC(UINT id);

    // Fills plc from its "Physics_Item_<PLC ID + offset>" section; null is ignored.
    void LoadPLCSettings(CPLCBase* plc);

    // Appends a row "id<TAB>name<TAB>description" to section "PLC".
    void RegisterPLC(UINT id, const char* name, const char* description);

private:
    CPLCCollection();

    CInitSetting* m_pStore;
    CCatalogueRows m_rows;

    static CPLCCollection PLCCollection;
};
