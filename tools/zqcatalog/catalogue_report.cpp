#include "catalogue_report.h"

#include "comkit/gbk.h"
#include "devices/device_collection.h"
#include "devices/plc_collection.h"

#include <QCoreApplication>

#include <memory>
#include <string>
#include <vector>

using COMMON_EX::GbkToUtf8Lossy;

namespace {

const int MAX_KINDS = 50;

// A catalogue name (GBK) as UTF-8, followed by its English "(...)" when the user reads English and
// the catalogue of translations has one; the stored name always comes first.
std::string Named(const char* gbk)
{
    const std::string utf8 = GbkToUtf8Lossy(gbk);
    const QString english = QCoreApplication::translate("Model", utf8.c_str());
    return english == QString::fromStdString(utf8) ? utf8 : utf8 + " (" + english.toStdString() + ")";
}

struct Row {
    UINT id;
    std::string name;        // GBK
    std::string description; // GBK
};

template <typename Start, typename Next>
std::vector<Row> ReadRows(Start start, Next next)
{
    std::vector<Row> rows;
    start();
    UINT id;
    char name[CCatalogue::TEXT_SIZE];
    char description[CCatalogue::TEXT_SIZE];
    while (next(id, name, description))
        rows.push_back({id, name, description});
    return rows;
}

using KindQuery = int (CDeviceBase::*)(int*, char**, DWORD*, DWORD*, int);

// "name [low-high]" of each kind, the default one marked with '*'.
std::string KindList(CDeviceBase& device, KindQuery query, int defIndex)
{
    int codes[MAX_KINDS];
    char names[MAX_KINDS][CPLCBase::PHYSICS_NAME_SIZE];
    char* namePtrs[MAX_KINDS];
    DWORD low[MAX_KINDS], high[MAX_KINDS];
    for (int i = 0; i < MAX_KINDS; ++i)
        namePtrs[i] = names[i];
    int n = (device.*query)(codes, namePtrs, low, high, MAX_KINDS);
    std::string text;
    for (int i = 0; i < n; ++i) {
        if (i)
            text += ", ";
        text += Named(names[i]);
        text += " [" + std::to_string(low[i]) + "-" + std::to_string(high[i]) + "]";
        if (i == defIndex)
            text += "*";
    }
    return n > 0 ? text : std::string("(none)");
}

std::string KeyList(CDeviceBase& device)
{
    int count = device.GetDeviceAllKeyCollection(nullptr, nullptr, 0);
    if (count <= 0)
        return "(none)";
    std::vector<std::vector<char>> names(static_cast<size_t>(count), std::vector<char>(CDeviceBase::KEY_NAME_SIZE));
    std::vector<char*> namePtrs;
    for (auto& n : names)
        namePtrs.push_back(n.data());
    std::vector<int> codes(static_cast<size_t>(count));
    int n = device.GetDeviceAllKeyCollection(namePtrs.data(), codes.data(), count);
    std::string text;
    for (int i = 0; i < n; ++i)
        text += (i ? " " : "") + GbkToUtf8Lossy(namePtrs[size_t(i)]);
    return text;
}

} // namespace

int WriteCatalogueReport(std::ostream& out, CDeviceCollection& devices, CPLCCollection& plcs)
{
    std::vector<Row> models = ReadRows([&] { devices.StartGetDevice(); },
                                       [&](UINT& id, char* n, char* d) { return devices.GetNextDevice(id, n, d); });
    std::vector<Row> protocols =
        ReadRows([&] { plcs.StartGetPLC(); }, [&](UINT& id, char* n, char* d) { return plcs.GetNextPLC(id, n, d); });

    out << "Panel models (" << (devices.GetCatalogueFile() ? devices.GetCatalogueFile() : "?") << "):\n";
    if (models.empty())
        out << "  (none: the catalogue is missing or empty)\n";
    for (const Row& m : models) {
        out << "  " << m.id << "  " << GbkToUtf8Lossy(m.name.c_str()) << "  " << GbkToUtf8Lossy(m.description.c_str())
            << "\n";
        std::unique_ptr<CDeviceBase> device(devices.CreateDevice(m.id));
        if (!device) {
            out << "      (no panel model of this ID)\n";
            continue;
        }
        out << "      screen " << device->GetScreenWidth() << " x " << device->GetScreenHeight()
            << " pixels, registers up to " << device->GetRegisterIntegerMaxCount() << " digits and "
            << device->GetRegisterFloorMaxCount() << " decimals\n";
        out << "      keys (" << device->GetKeyCount() << "): " << KeyList(*device) << "\n";
    }

    out << "\nPLC protocols (" << (plcs.GetCatalogueFile() ? plcs.GetCatalogueFile() : "?") << "):\n";
    if (protocols.empty())
        out << "  (none: the catalogue is missing or empty)\n";
    for (const Row& p : protocols) {
        out << "  " << p.id << "  " << Named(p.name.c_str()) << "  " << GbkToUtf8Lossy(p.description.c_str()) << "\n";
        for (const Row& m : models) {
            std::unique_ptr<CDeviceBase> device(devices.CreateDevice(m.id));
            CPLCBase* plc = plcs.CreatePLC(p.id);
            if (!device || !plc) {
                delete plc;
                out << "      (no protocol of this ID)\n";
                break;
            }
            // The panel model picks the protocol's address map before its settings are read.
            device->SetPLC(plc);
            plcs.LoadPLCSettings(plc);
            out << "      on " << GbkToUtf8Lossy(m.name.c_str()) << ": station " << device->GetPLCStation()
                << (device->GetPLCStationVisibled() ? " (shown" : " (hidden")
                << (device->GetPLCStationDisabled() ? ", fixed)" : ")") << "\n";
            out << "        registers: "
                << KindList(*device, &CDeviceBase::GetPLCRegisterCollection, device->GetPLCRegisterDefIndex()) << "\n";
            out << "        coils: "
                << KindList(*device, &CDeviceBase::GetPLCCoilCollection, device->GetPLCCoilDefIndex()) << "\n";
        }
    }
    return int(models.size() + protocols.size());
}
