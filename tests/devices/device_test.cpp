#include "catalogue_fixture.h"
#include "devices/device_models.h"
#include "devices/plc_free.h"
#include "record_support.h"

#include "comkit/user_files.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>

using COM_HARDWARE_ATTRIBUTES_EX::CHADEXSerialAttri;

namespace {

using DeviceCatalogue = CatalogueTest;

std::unique_ptr<CDeviceBase> NewProjectDevice(CDeviceCollection& devices, CPLCCollection& plcs, UINT id)
{
    std::unique_ptr<CDeviceBase> device(devices.CreateDevice(id));
    CPLCBase* plc = plcs.CreatePLC("Free");
    device->SetPLC(plc);
    plcs.LoadPLCSettings(plc);
    return device;
}

TEST_F(DeviceCatalogue, IteratesAndCreatesModels)
{
    ASSERT_EQ(devices.GetDeviceCount(), 3);
    UINT id;
    char name[200], description[200];
    devices.StartGetDevice();
    ASSERT_EQ(devices.GetNextDevice(id, name, description), 1);
    EXPECT_EQ(id, 100u);
    EXPECT_STREQ(name, "QMX200");
    EXPECT_STREQ(description, "small");
    EXPECT_EQ(devices.ConvertDeviceNameToDeviceID("QMX300"), 101u);
    EXPECT_EQ(devices.ConvertDeviceNameToDeviceID("qmx300"), 0u);
    EXPECT_STREQ(devices.ConvertDeviceIDToDeviceName(55), "Ghost");
    EXPECT_EQ(devices.ConvertDeviceIDToDeviceName(56), nullptr);

    std::unique_ptr<CDeviceBase> small(devices.CreateDevice("QMX200"));
    ASSERT_NE(small, nullptr);
    EXPECT_NE(dynamic_cast<CDeviceZenquorQMX200*>(small.get()), nullptr);
    EXPECT_EQ(small->GetDeviceID(), 100u);
    EXPECT_EQ(small->GetScreenWidth(), 192u);
    EXPECT_EQ(small->GetScreenHeight(), 64u);
    EXPECT_EQ(small->GetRegisterIntegerMaxCount(), 5);
    EXPECT_EQ(small->GetRegisterFloorMaxCount(), 4);
    EXPECT_EQ(small->GetPLCSerialAttributes()->GetBaudrate(), 38400);
    char devName[4] = "";
    small->GetDeviceName(devName, sizeof devName);
    EXPECT_STREQ(devName, "QMX");

    std::unique_ptr<CDeviceBase> large(devices.CreateDevice(101u));
    EXPECT_NE(dynamic_cast<CDeviceZenquorQMX300*>(large.get()), nullptr);
    EXPECT_EQ(large->GetRegisterIntegerMaxCount(), 6);
    EXPECT_EQ(devices.CreateDevice("Ghost"), nullptr);
    EXPECT_EQ(devices.CreateDevice("None"), nullptr);
    EXPECT_EQ(devices.CreateDevice(102u), nullptr);
}

TEST_F(DeviceCatalogue, MissingCatalogueStillCreatesStoredModels)
{
    devices.ReadCatalogue(dir.File("none.ini").c_str());
    EXPECT_EQ(devices.GetDeviceCount(), 0);
    EXPECT_EQ(devices.CreateDevice("QMX200"), nullptr);
    std::unique_ptr<CDeviceBase> d(devices.CreateDevice(101u));
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->GetRegisterIntegerMaxCount(), 0);
    EXPECT_EQ(d->GetDeviceAllKeyCollection(nullptr, nullptr, 0), 0);
    char name[8] = "keep";
    d->GetDeviceName(name, sizeof name);
    EXPECT_STREQ(name, "keep");
}

TEST_F(DeviceCatalogue, LastSelectedAndRegister)
{
    devices.SetLastSelectedIndex(1);
    EXPECT_EQ(devices.GetLastSelectedIndex(), 1);
    devices.RegisterDevice(102, "QMX400", "d");
    EXPECT_EQ(devices.ConvertDeviceNameToDeviceID("QMX400"), 102u);
    Reread();
    EXPECT_EQ(devices.GetDeviceCount(), 4);
    EXPECT_EQ(devices.GetLastSelectedIndex(), 1);
}

TEST_F(DeviceCatalogue, TheLargerModelSwitchesTheFreeProtocolToItsSecondMap)
{
    std::unique_ptr<CDeviceBase> large(devices.CreateDevice(101u));
    CPLCBase* plc = plcs.CreatePLC(100u);
    large->SetPLC(plc);
    EXPECT_EQ(plc->GetPLCIDOffset(), 1);
    plcs.LoadPLCSettings(plc);
    EXPECT_EQ(large->GetPLCStation(), 4); // Physics_Item_101
    EXPECT_EQ(large->ConvertPLCRegisterAddress(0, 200), 256u);
    large->SetPLC(nullptr); // deletes it
    EXPECT_EQ(large->GetPLCID(), 0u);

    std::unique_ptr<CDeviceBase> small(devices.CreateDevice(100u));
    plc = plcs.CreatePLC(100u);
    small->SetPLC(plc);
    EXPECT_EQ(plc->GetPLCIDOffset(), 0);
    EXPECT_EQ(small->ConvertPLCRegisterAddress(3, 199), 3727u);
    EXPECT_EQ(small->ConvertPLCCoilAddress(1, 17), 15u);
}

TEST_F(DeviceCatalogue, KeyRowsAndKeyCollection)
{
    UseCatalogues(DefaultPLCFile(),
                  "[Devices]\nCounts=1\nDevice_Item_0=100\tQMX200\t\n[Settings_Device_Item_100]\nCounts=5\n"
                  "Key_Index_0=3\tABCDEFGHIJKLMNOPQRSTUVWXY\nKey_Index_1=no tab\nKey_Index_2=7\t two words\n"
                  "Key_Index_3=8\tF8\nKey_Index_4=9\tF9\n");
    std::unique_ptr<CDeviceBase> d(devices.CreateDevice(100u));
    ASSERT_EQ(d->GetDeviceAllKeyCollection(nullptr, nullptr, 0), 5);
    char names[5][20];
    char* ptrs[5] = {names[0], names[1], names[2], names[3], names[4]};
    int codes[5] = {-1, -1, -1, -1, -1};
    EXPECT_EQ(d->GetDeviceAllKeyCollection(ptrs, codes, 2), 2);
    EXPECT_EQ(codes[2], -1);
    ASSERT_EQ(d->GetDeviceAllKeyCollection(ptrs, codes, 50), 5);
    EXPECT_EQ(codes[0], 3);
    EXPECT_STREQ(names[0], "ABCDEFGHIJKLMNOPQRS");
    EXPECT_EQ(codes[1], 0);
    EXPECT_STREQ(names[1], "");
    EXPECT_STREQ(names[2], " two words"); // key labels are not trimmed
    EXPECT_EQ(d->GetRegisterIntegerMaxCount(), 0);
}

TEST_F(DeviceCatalogue, WithoutAPLCEveryQueryIsZero)
{
    std::unique_ptr<CDeviceBase> d(devices.CreateDevice(100u));
    EXPECT_EQ(d->GetPLCID(), 0u);
    EXPECT_EQ(d->GetPLCStation(), 0);
    EXPECT_EQ(d->GetPLCStationVisibled(), 0);
    EXPECT_EQ(d->GetPLCStationDisabled(), 0);
    EXPECT_EQ(d->GetPLCRegisterDefIndex(), 0);
    EXPECT_EQ(d->GetPLCCoilDefIndex(), 0);
    int codes[2];
    EXPECT_EQ(d->GetPLCRegisterCollection(codes, nullptr, nullptr, nullptr, 2), 0);
    EXPECT_EQ(d->GetPLCCoilCollection(codes, nullptr, nullptr, nullptr, 2), 0);
    char name[8] = "keep";
    d->GetPLCName(name, sizeof name);
    EXPECT_STREQ(name, "keep");
    EXPECT_EQ(d->ConvertPLCRegisterAddress(3, 9), 9u);
    EXPECT_EQ(d->Save(nullptr, 0), 0u); // nothing to save without a protocol
    EXPECT_EQ(d->Compile(nullptr, 0), 0u);
}

TEST_F(DeviceCatalogue, SerialAttributesAreCopiedIn)
{
    std::unique_ptr<CDeviceBase> d(devices.CreateDevice(100u));
    CHADEXSerialAttri chosen;
    chosen.SetSerialName("ttyS1");
    chosen.SetBaudrate(CHADEXSerialAttri::BAUDRATE_9600);
    d->SetPLCSerialAttributes(&chosen);
    chosen.SetSerialName("other");
    EXPECT_STREQ(d->GetPLCSerialAttributes()->GetSerialName(), "ttyS1");
    EXPECT_EQ(d->GetPLCSerialAttributes()->GetBaudrate(), 9600);
}

TEST_F(DeviceCatalogue, DeviceRecordOf328BytesRoundTrips)
{
    auto device = NewProjectDevice(devices, plcs, 100);
    ASSERT_EQ(device->GetKeyCount(), 4);
    ASSERT_EQ(device->Save(nullptr, 0), 12u + 40 + 176 + 4 + 96);
    std::vector<BYTE> rec = SaveRecord(*device);
    EXPECT_EQ(Le32(rec, 0), 100u);
    EXPECT_EQ(Le32(rec, 4), 192u);
    EXPECT_EQ(Le32(rec, 8), 64u);
    EXPECT_EQ(0, std::memcmp(&rec[12], "COM1", 5));
    EXPECT_EQ(0, std::memcmp(&rec[22], "38400", 6));
    EXPECT_EQ(Le32(rec, 52), 100u); // the PLC record starts with its ID
    EXPECT_EQ(Le32(rec, 228), 4u);  // key count
    EXPECT_EQ(Le32(rec, 232), 1u);
    EXPECT_EQ(0, std::memcmp(&rec[236], "F1\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 20));
    EXPECT_EQ(0, std::memcmp(&rec[308], "ESC", 4));

    std::unique_ptr<CDeviceBase> loaded(devices.CreateDevice(Le32(rec, 0)));
    ASSERT_EQ(loaded->Load(rec.data(), DWORD(rec.size())), rec.size());
    EXPECT_EQ(SaveRecord(*loaded), rec);
    EXPECT_EQ(loaded->GetPLCStation(), 3);
    EXPECT_EQ(loaded->GetRegisterIntegerMaxCount(), 5); // from the catalogue, not the record
    std::vector<BYTE> small(rec.size() - 1);
    EXPECT_EQ(device->Save(small.data(), DWORD(small.size())), 0u);
}

TEST_F(DeviceCatalogue, LoadedRecordReplacesKeysSizeAndAppliesTheModelsOffsetLast)
{
    auto device = NewProjectDevice(devices, plcs, 101);
    ASSERT_EQ(device->GetPLCStation(), 4);
    std::vector<BYTE> rec = SaveRecord(*device);
    rec[4] = 240; // a stored screen width replaces the model's

    std::unique_ptr<CDeviceBase> loaded(devices.CreateDevice(101u));
    ASSERT_EQ(loaded->Load(rec.data(), DWORD(rec.size())), rec.size());
    EXPECT_EQ(loaded->GetScreenWidth(), 240u);
    EXPECT_EQ(loaded->GetKeyCount(), 5);
    // The PLC record was read with offset 0 (station of Physics_Item_100), then the model set 1.
    EXPECT_EQ(loaded->GetPLCStation(), 3);
    EXPECT_EQ(loaded->GetPLC()->GetPLCIDOffset(), 1);
    EXPECT_EQ(loaded->ConvertPLCRegisterAddress(0, 200), 256u);
}

TEST_F(DeviceCatalogue, EveryCutStopsInsideTheBuffer)
{
    auto device = NewProjectDevice(devices, plcs, 101);
    std::vector<BYTE> rec = SaveRecord(*device);
    LoadEveryCut<CDeviceBase>(rec, [&] {
        // A model that already holds a protocol, as when a project replaces its device.
        return NewProjectDevice(devices, plcs, 101);
    });
    LoadEveryCut<CDeviceBase>(rec, [&] { return std::unique_ptr<CDeviceBase>(devices.CreateDevice(101u)); });
}

TEST_F(DeviceCatalogue, UnknownProtocolStopsAfterTheSerialAttributes)
{
    auto device = NewProjectDevice(devices, plcs, 100);
    std::vector<BYTE> rec = SaveRecord(*device);
    rec[52] = 7; // PLC ID 7: no protocol class
    std::unique_ptr<CDeviceBase> loaded(devices.CreateDevice(100u));
    EXPECT_EQ(loaded->Load(rec.data(), DWORD(rec.size())), 52u);
    EXPECT_EQ(loaded->GetPLC(), nullptr);
    EXPECT_EQ(loaded->Save(nullptr, 0), 0u);
}

} // namespace

namespace {

std::string ReadText(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

// An installed catalogue is never written: the user's choice goes to the user's file of that name.
TEST(CatalogueInstalled, LastSelectedGoesToTheUsersFileAndRowsStayReadFromTheInstall)
{
    QTemporaryDir dir;
    const std::string suite = dir.path().toStdString() + "/suite/";
    QDir().mkpath(QString::fromStdString(suite));
    std::ofstream(suite + COMMON_EX::SYSTEM_INSTALL_MARKER) << "";
    const std::string catalogue = suite + "DeviceRegister.ini";
    std::ofstream(catalogue) << "[Devices]\nCounts=1\nDevice_Item_0=100\tQMX200\tpanel\nLastSelected=0\n";
    const std::string before = ReadText(catalogue);
    ::setenv("XDG_CONFIG_HOME", (dir.path().toStdString() + "/config").c_str(), 1);
    CDeviceCollection* devices = CDeviceCollection::GetInstance();
    const std::string shipped = devices->GetCatalogueFile();
    devices->ReadCatalogue(catalogue.c_str());
    devices->SetLastSelectedIndex(1);
    EXPECT_EQ(devices->GetLastSelectedIndex(), 1);
    EXPECT_EQ(ReadText(catalogue), before);
    EXPECT_NE(ReadText(dir.path().toStdString() + "/config/zqpanel/DeviceRegister.ini").find("LastSelected=1"),
              std::string::npos);
    EXPECT_EQ(devices->ConvertDeviceNameToDeviceID("QMX200"), 100u) << "rows still come from the install";
    devices->ReadCatalogue(shipped.c_str());
    ::unsetenv("XDG_CONFIG_HOME");
}
