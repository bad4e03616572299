// zqcatalog's text report of the catalogues, in the user's language.
#include "tools/zqcatalog/catalogue_report.h"

#include "appkit/catalogue_text.h"
#include "appkit/tool_cli.h"
#include "comkit/gbk.h"
#include "devices/device_collection.h"
#include "devices/plc_collection.h"
#include "tools/zqcatalog/catalogue_rows.h"

#include <memory>
#include <string>
#include <vector>

using COMMON_EX::GbkToUtf8Lossy;
using ZQ_CLI::TrArgs;
using ZQ_CLI::TrText;
using ZQ_I18N::NameWithEnglish;

namespace {

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

// "name [low-high]" of each kind, the default one marked with '*'.
std::string KindList(CDeviceBase& device, bool coils)
{
    std::string text;
    for (const KIND_RANGE& kind : ReadKinds(device, coils)) {
        if (!text.empty())
            text += ", ";
        text += NameWithEnglish(kind.name.c_str());
        text += " [" + std::to_string(kind.low) + "-" + std::to_string(kind.high) + "]";
        if (kind.isDefault)
            text += "*";
    }
    return text.empty() ? None() : text;
}

std::string KeyList(CDeviceBase& device)
{
    std::string text;
    for (const std::string& key : ReadKeyNames(device))
        text += (text.empty() ? "" : " ") + GbkToUtf8Lossy(key.c_str());
    return text.empty() ? None() : text;
}

} // namespace

int WriteCatalogueReport(std::ostream& out, CDeviceCollection& devices, CPLCCollection& plcs)
{
    const std::vector<CATALOGUE_ROW> models = ReadModelRows(devices);
    const std::vector<CATALOGUE_ROW> protocols = ReadProtocolRows(plcs);

    const std::string empty =
        TrText(QT_TRANSLATE_NOOP("zqcatalog", "(none: the catalogue is missing or empty)")).toStdString();
    out << Heading(QT_TRANSLATE_NOOP("zqcatalog", "Panel models (%1):"), devices.GetCatalogueFile()) << "\n";
    if (models.empty())
        out << "  " << empty << "\n";
    for (const CATALOGUE_ROW& m : models) {
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
    for (const CATALOGUE_ROW& p : protocols) {
        out << "  " << p.id << "  " << NameWithEnglish(p.name.c_str()) << "  "
            << ZQ_I18N::DescriptionShown(p.description.c_str()) << "\n";
        for (const CATALOGUE_ROW& m : models) {
            const std::unique_ptr<CDeviceBase> device = ModelWithProtocol(devices, plcs, m.id, p.id);
            if (!device) {
                out << "      " << TrText(QT_TRANSLATE_NOOP("zqcatalog", "(no protocol of this ID)")).toStdString()
                    << "\n";
                break;
            }
            out << "      "
                << TrArgs(STATION[device->GetPLCStationVisibled() ? 1 : 0][device->GetPLCStationDisabled() ? 1 : 0],
                          {NameWithEnglish(m.name.c_str()), std::to_string(device->GetPLCStation())})
                << "\n";
            out << "        " << TrArgs(QT_TRANSLATE_NOOP("zqcatalog", "registers: %1"), {KindList(*device, false)})
                << "\n";
            out << "        " << TrArgs(QT_TRANSLATE_NOOP("zqcatalog", "coils: %1"), {KindList(*device, true)}) << "\n";
        }
    }
    return int(models.size() + protocols.size());
}
