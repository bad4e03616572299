// What zqcatalog reports, read out of the catalogues.
#include "tools/zqcatalog/catalogue_rows.h"

#include "devices/device_collection.h"
#include "devices/plc_collection.h"

#include <algorithm>

namespace {

const int MAX_KINDS = 50;

template <typename Start, typename Next>
std::vector<CATALOGUE_ROW> ReadRows(Start start, Next next)
{
    std::vector<CATALOGUE_ROW> rows;
    start();
    UINT id;
    char name[CCatalogue::TEXT_SIZE];
    char description[CCatalogue::TEXT_SIZE];
    while (next(id, name, description))
        rows.push_back({id, name, description});
    return rows;
}

} // namespace

std::vector<CATALOGUE_ROW> ReadModelRows(CDeviceCollection& devices)
{
    return ReadRows([&] { devices.StartGetDevice(); },
                    [&](UINT& id, char* n, char* d) { return devices.GetNextDevice(id, n, d); });
}

std::vector<CATALOGUE_ROW> ReadProtocolRows(CPLCCollection& plcs)
{
    return ReadRows([&] { plcs.StartGetPLC(); }, [&](UINT& id, char* n, char* d) { return plcs.GetNextPLC(id, n, d); });
}

std::vector<KIND_RANGE> ReadKinds(CDeviceBase& device, bool coils)
{
    int codes[MAX_KINDS];
    char names[MAX_KINDS][CPLCBase::PHYSICS_NAME_SIZE];
    char* namePtrs[MAX_KINDS];
    DWORD low[MAX_KINDS], high[MAX_KINDS];
    for (int i = 0; i < MAX_KINDS; ++i)
        namePtrs[i] = names[i];
    const int count = coils ? device.GetPLCCoilCollection(codes, namePtrs, low, high, MAX_KINDS)
                            : device.GetPLCRegisterCollection(codes, namePtrs, low, high, MAX_KINDS);
    const int defIndex = coils ? device.GetPLCCoilDefIndex() : device.GetPLCRegisterDefIndex();
    std::vector<KIND_RANGE> kinds;
    kinds.reserve(static_cast<size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i)
        kinds.push_back({names[i], low[i], high[i], i == defIndex});
    return kinds;
}

std::vector<std::string> ReadKeyNames(CDeviceBase& device)
{
    const int count = device.GetDeviceAllKeyCollection(nullptr, nullptr, 0);
    if (count <= 0)
        return {};
    std::vector<std::vector<char>> names(static_cast<size_t>(count), std::vector<char>(CDeviceBase::KEY_NAME_SIZE));
    std::vector<char*> namePtrs;
    namePtrs.reserve(names.size());
    for (auto& n : names)
        namePtrs.push_back(n.data());
    std::vector<int> codes(static_cast<size_t>(count));
    const int n = device.GetDeviceAllKeyCollection(namePtrs.data(), codes.data(), count);
    std::vector<std::string> keys;
    keys.reserve(static_cast<size_t>(std::max(n, 0)));
    for (int i = 0; i < n; ++i)
        keys.emplace_back(namePtrs[size_t(i)]);
    return keys;
}

std::unique_ptr<CDeviceBase> ModelWithProtocol(CDeviceCollection& devices, CPLCCollection& plcs, UINT modelId,
                                               UINT protocolId)
{
    std::unique_ptr<CDeviceBase> device(devices.CreateDevice(modelId));
    std::unique_ptr<CPLCBase> plc(plcs.CreatePLC(protocolId));
    if (!device || !plc)
        return nullptr;
    // The panel model picks the protocol's address map before its settings are read.
    CPLCBase* owned = plc.release();
    device->SetPLC(owned);
    plcs.LoadPLCSettings(owned);
    return device;
}
