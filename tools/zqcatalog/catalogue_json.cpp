// zqcatalog's report for scripts: the catalogues as one JSON document.
#include "tools/zqcatalog/catalogue_json.h"

#include "tools/zqcatalog/catalogue_rows.h"

#include "comkit/gbk.h"
#include "devices/device_collection.h"
#include "devices/plc_collection.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <memory>
#include <vector>

namespace {

QString Utf8(const std::string& gbk)
{
    return QString::fromStdString(COMMON_EX::GbkToUtf8Lossy(gbk.c_str()));
}

QJsonObject RowObject(const CATALOGUE_ROW& row)
{
    return {{"id", qint64(row.id)}, {"name", Utf8(row.name)}, {"description", Utf8(row.description)}};
}

QJsonArray KindArray(CDeviceBase& device, bool coils)
{
    QJsonArray kinds;
    for (const KIND_RANGE& kind : ReadKinds(device, coils))
        kinds.append(QJsonObject{{"name", Utf8(kind.name)},
                                 {"low", qint64(kind.low)},
                                 {"high", qint64(kind.high)},
                                 {"default", kind.isDefault}});
    return kinds;
}

} // namespace

int WriteCatalogueJson(std::ostream& out, CDeviceCollection& devices, CPLCCollection& plcs)
{
    const std::vector<CATALOGUE_ROW> models = ReadModelRows(devices);
    const std::vector<CATALOGUE_ROW> protocols = ReadProtocolRows(plcs);
    QJsonArray modelArray;
    for (const CATALOGUE_ROW& m : models) {
        QJsonObject model = RowObject(m);
        const std::unique_ptr<CDeviceBase> device(devices.CreateDevice(m.id));
        if (device) {
            model["screenWidth"] = qint64(device->GetScreenWidth());
            model["screenHeight"] = qint64(device->GetScreenHeight());
            model["integerDigits"] = device->GetRegisterIntegerMaxCount();
            model["decimalDigits"] = device->GetRegisterFloorMaxCount();
            QJsonArray keys;
            for (const std::string& key : ReadKeyNames(*device))
                keys.append(Utf8(key));
            model["keys"] = keys;
        }
        modelArray.append(model);
    }
    QJsonArray protocolArray;
    for (const CATALOGUE_ROW& p : protocols) {
        QJsonObject protocol = RowObject(p);
        QJsonArray onModels;
        for (const CATALOGUE_ROW& m : models) {
            const std::unique_ptr<CDeviceBase> device = ModelWithProtocol(devices, plcs, m.id, p.id);
            if (!device)
                continue;
            onModels.append(QJsonObject{{"model", qint64(m.id)},
                                        {"station", device->GetPLCStation()},
                                        {"stationShown", bool(device->GetPLCStationVisibled())},
                                        {"stationFixed", bool(device->GetPLCStationDisabled())},
                                        {"registers", KindArray(*device, false)},
                                        {"coils", KindArray(*device, true)}});
        }
        protocol["models"] = onModels;
        protocolArray.append(protocol);
    }
    const QJsonObject document{{"models", modelArray}, {"protocols", protocolArray}};
    out << QJsonDocument(document).toJson(QJsonDocument::Indented).toStdString();
    return int(models.size() + protocols.size());
}
