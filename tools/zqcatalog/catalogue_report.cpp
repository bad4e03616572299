#include "tools/zqcatalog/catalogue_report.h"

#include "appkit/catalogue_text.h"
#include "appkit/tool_cli.h"
#include "comkit/gbk.h"
#include "devices/device_collection.h"
#include "devices/plc_collection.h"

#include <memory>
#include <string>
#include <vector>

using COMMON_EX::GbkToUtf8Lossy;
using ZQ_CLI::TrArgs;
using ZQ_CLI::TrText;
using ZQ_I18N::NameWithEnglish;

namespace {

const int MAX_KINDS = 50;

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

// An empty list.
std::string None()
{
    return TrText(QT_TRANSLATE_NOOP("zqcatalog", "(none)")).toStdString();
}

// "label (file):" over a catalogue's rows.
std::string Heading(const char* label, const char* file)
{
    return TrArgs(label, {file ? file : "?"});
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
        text += NameWithEnglish(names[i]);
        text += " [" + std::to_string(low[i]) + "-" + std::to_string(high[i]) + "]";
        if (i == defIndex)
            text += "*";
    }
    return n > 0 ? text : None();
}

std::string KeyList(CDeviceBase& device)
{
    int count = device.GetDeviceAllKeyCollection(nullptr, nullptr, 0);
    if (count <= 0)
        return None();
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

    const std::string empty =
        TrText(QT_TRANSLATE_NOOP("zqcatalog", "(none: the catalogue is missing or empty)")).toStdString();
    out << Heading(QT_TRANSLATE_NOOP("zqcatalog", "Panel models (%1):"), devices.GetCatalogueFile()) << "\n";
    if (models.empty())
        out << "  " << empty << "\n";
    for (const Row& m : models) {
        out << "  " << m.id << "  " << NameWithEnglish(m.name.c_str()) << "  "
            << ZQ_I18N::DescriptionShown(m.description.c_str()) << "\n";
        std::unique_ptr<CDeviceBase> device(devices.CreateDevice(m.id));
        if (!device) {
            out << "      " << TrText(QT_TRANSLATE_NOOP("zqcatalog", "(no panel model of this ID)")).toStdString()
                << "\n";
            continue;
        }
        out << "      "
            << TrArgs(QT_TRANSLATE_NOOP("zqcatalog",
                                        "screen %1 x %2 pixels, registers up to %3 digits and %4 decimals"),
                      {std::to_string(device->GetScreenWidth()), std::to_string(device->GetScreenHeight()),
                       std::to_string(device->GetRegisterIntegerMaxCount()),
                       std::to_string(device->GetRegisterFloorMaxCount())})
            << "\n";
        out << "      "
            << TrArgs(QT_TRANSLATE_NOOP("zqcatalog", "keys (%1): %2"),
                      {std::to_string(device->GetKeyCount()), KeyList(*device)})
            << "\n";
    }

    out << "\n" << Heading(QT_TRANSLATE_NOOP("zqcatalog", "PLC protocols (%1):"), plcs.GetCatalogueFile()) << "\n";
    if (protocols.empty())
        out << "  " << empty << "\n";
    // Whether the station is shown in the editor and whether it may be changed there.
    const char* const STATION[2][2] = {{QT_TRANSLATE_NOOP("zqcatalog", "on %1: station %2 (hidden)"),
                                        QT_TRANSLATE_NOOP("zqcatalog", "on %1: station %2 (hidden, fixed)")},
                                       {QT_TRANSLATE_NOOP("zqcatalog", "on %1: station %2 (shown)"),
                                        QT_TRANSLATE_NOOP("zqcatalog", "on %1: station %2 (shown, fixed)")}};
    for (const Row& p : protocols) {
        out << "  " << p.id << "  " << NameWithEnglish(p.name.c_str()) << "  "
            << ZQ_I18N::DescriptionShown(p.description.c_str()) << "\n";
        for (const Row& m : models) {
            std::unique_ptr<CDeviceBase> device(devices.CreateDevice(m.id));
            CPLCBase* plc = plcs.CreatePLC(p.id);
            if (!device || !plc) {
                delete plc;
                out << "      " << TrText(QT_TRANSLATE_NOOP("zqcatalog", "(no protocol of this ID)")).toStdString()
                    << "\n";
                break;
            }
            // The panel model picks the protocol's address map before its settings are read.
            device->SetPLC(plc);
            plcs.LoadPLCSettings(plc);
            out << "      "
                << TrArgs(STATION[device->GetPLCStationVisibled() ? 1 : 0][device->GetPLCStationDisabled() ? 1 : 0],
                          {NameWithEnglish(m.name.c_str()), std::to_string(device->GetPLCStation())})
                << "\n";
            out << "        "
                << TrArgs(QT_TRANSLATE_NOOP("zqcatalog", "registers: %1"),
                          {KindList(*device, &CDeviceBase::GetPLCRegisterCollection, device->GetPLCRegisterDefIndex())})
                << "\n";
            out << "        "
                << TrArgs(QT_TRANSLATE_NOOP("zqcatalog", "coils: %1"),
                          {KindList(*device, &CDeviceBase::GetPLCCoilCollection, device->GetPLCCoilDefIndex())})
                << "\n";
        }
    }
    return int(models.size() + protocols.size());
}
