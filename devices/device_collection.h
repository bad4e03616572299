// The catalogue of panel models, read from "DeviceRegister.ini" beside the running program.
#pragma once

#include "devices/devices_api.h"

#include "devices/catalogue.h"
#include "devices/device_base.h"

// One instance per process, built when the library loads; GetInstance() returns it.
// ReadCatalogue, GetCatalogueFile, GetLastSelectedIndex and SetLastSelectedIndex ("LastSelected"
// of section "Devices") come from CCatalogue.
class DEVICES_API CDeviceCollection : public CCatalogue {
public:
    static constexpr const char* FILE_NAME = "DeviceRegister.ini";

    static CDeviceCollection* GetInstance();

    void StartGetDevice() { StartGet(); }
    // Copies the next row's ID, name and description (each buffer at least 200 bytes, may be
    // null); 1 while rows remain, else 0 with nothing changed.
    int GetNextDevice(UINT& id, char* name, char* description) { return GetNext(id, name, description); }
    int GetDeviceCount() const { return GetCount(); }

    // Exact, case-sensitive; the first row wins. 0 / null when none.
    UINT ConvertDeviceNameToDeviceID(const char* name) const { return NameToID(name); }
    const char* ConvertDeviceIDToDeviceName(UINT id) const { return IDToName(id); }

    // A new panel model owned by the caller, with digit limits and keys from its settings
    // section; null for an unknown model.
    CDeviceBase* CreateDevice(const char* name);
    CDeviceBase* CreateDevice(UINT id);

    // Appends a row "id<TAB>name<TAB>description" to section "Devices".
    void RegisterDevice(UINT id, const char* name, const char* description) { Register(id, name, description); }

private:
    CDeviceCollection();

    static CDeviceCollection deviceCollection;
};
