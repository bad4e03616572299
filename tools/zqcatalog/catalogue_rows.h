// What zqcatalog reports, read out of the catalogues: their rows, a panel model's keys, and the
// register and coil kinds a protocol offers on a panel model. Shared by the text and JSON reports.
#pragma once

#include "devices/device_base.h"

#include <memory>
#include <string>
#include <vector>

class CDeviceCollection;
class CPLCCollection;

// One row of a catalogue: its ID, name and description (GBK, as stored).
struct CATALOGUE_ROW {
    UINT id;
    std::string name;
    std::string description;
};

// Every panel model of devices, in catalogue order (empty when the catalogue is missing or empty).
std::vector<CATALOGUE_ROW> ReadModelRows(CDeviceCollection& devices);
// Every PLC protocol of plcs, in catalogue order.
std::vector<CATALOGUE_ROW> ReadProtocolRows(CPLCCollection& plcs);

// One register or coil kind: its name (GBK), its address range and whether the editor starts new
// controls with it.
struct KIND_RANGE {
    std::string name;
    DWORD low;
    DWORD high;
    bool isDefault;
};

// The register kinds (coils false) or coil kinds (coils true) device offers with its protocol, at
// most 50; empty without a protocol.
std::vector<KIND_RANGE> ReadKinds(CDeviceBase& device, bool coils);

// The names (GBK) of every key of device, in key order.
std::vector<std::string> ReadKeyNames(CDeviceBase& device);

// The panel model modelId with the protocol protocolId set and its settings loaded, as the editor
// builds a project's model; null when either ID is not in its catalogue.
std::unique_ptr<CDeviceBase> ModelWithProtocol(CDeviceCollection& devices, CPLCCollection& plcs, UINT modelId,
                                               UINT protocolId);
