// The catalogue of panel models, read from "DeviceRegister.ini" beside the running program.
#pragma once

#include "devices/catalogue_rows.h"
#include "devices/device_base.h"

class CInitSetting;

// One instance per process, built when the library loads; GetInstance() returns it.
class CDeviceCollection {
public:
    static constexpr const char* FILE_NAME = "DeviceRegister.ini";

    static CDeviceCollection* GetInstance();

    virtual ~CDeviceCollection();
    CDeviceCollection(const CDeviceCollection&) = delete;
    CDeviceCollection& operator=(const CDeviceCollection&) = delete;

    // Binds the catalogue to another file and reads its rows again (tests, other installations).
    void ReadCatalogue(const char* iniPath);
    const char* GetCatalogueFile() const;

    void StartGetDevice();
    // Copies the next row's ID, name and description (each buffer at least 200 bytes, may be
    // null); 1 while rows remain, else 0 with nothing changed.
    int GetNextDevice(UINT& id, char* name, char* description);
    int GetDeviceCount() const;

    int GetLastSelectedIndex();
    void SetLastSelectedIndex(int index);

    // Exact, case-sensitive; the first row wins. 0 / null when none.
    UINT ConvertDeviceNameToDeviceID(const char* name) const;
    const char* ConvertDeviceIDToDeviceName(UINT id) const;

    // A new panel model owned by the caller, with digit limits and keys from its settings
    // section; null for an unknown model.
    CDeviceBase* CreateDevice(const char* name);
    CDeviceBase* CreateDevice(UINT id);

    // Appends a row "id<TAB>name<TAB>description" to section "Devices".
    void RegisterDevice(UINT id, const char* name, const char* description);

private:
    CDeviceCollection();

    CInitSetting* m_pStore;
    CCatalogueRows m_rows;

    static CDeviceCollection deviceCollection;
};
