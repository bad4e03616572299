// The catalogue of PLC protocols, read from "PLCRegister.ini" beside the running program.
#pragma once

#include "devices/devices_api.h"

#include "devices/catalogue.h"
#include "devices/plc_base.h"

// One instance per process, built when the library loads; GetInstance() returns it.
// ReadCatalogue, GetCatalogueFile, GetLastSelectedIndex and SetLastSelectedIndex ("LastSelected"
// of section "PLC") come from CCatalogue.
class DEVICES_API CPLCCollection : public CCatalogue {
public:
    static constexpr const char* FILE_NAME = "PLCRegister.ini";

    static CPLCCollection* GetInstance();

    void StartGetPLC() { StartGet(); }
    // Copies the next row's ID, name and description (each buffer at least 200 bytes, may be
    // null); 1 while rows remain, else 0 with nothing changed.
    int GetNextPLC(UINT& id, char* name, char* description) { return GetNext(id, name, description); }
    int GetPLCCount() const { return GetCount(); }

    // Exact, case-sensitive; the first row wins. 0 / null when none.
    UINT ConvertPLCNameToPLCID(const char* name) const { return NameToID(name); }
    const char* ConvertPLCIDToPLCName(UINT id) const { return IDToName(id); }

    // A new protocol object owned by the caller, with empty tables; null for an unknown protocol.
    CPLCBase* CreatePLC(const char* name);
    CPLCBase* CreatePLC(UINT id);

    // Fills plc from its "Physics_Item_<PLC ID + offset>" section; null is ignored.
    void LoadPLCSettings(CPLCBase* plc);

    // Appends a row "id<TAB>name<TAB>description" to section "PLC".
    void RegisterPLC(UINT id, const char* name, const char* description) { Register(id, name, description); }

private:
    CPLCCollection();

    static CPLCCollection PLCCollection;
};
