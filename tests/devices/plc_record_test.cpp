#include "catalogue_fixture.h"
#include "devices/plc_free.h"
#include "record_support.h"

#include <cstring>
#include <memory>

namespace {

using PlcRecord = CatalogueTest;

std::unique_ptr<CPLCBase> LoadedPLC(CPLCCollection& plcs)
{
    std::unique_ptr<CPLCBase> plc(plcs.CreatePLC(100u));
    plcs.LoadPLCSettings(plc.get());
    return plc;
}

TEST_F(PlcRecord, ThreeRegisterAndTwoCoilKindsTake176Bytes)
{
    auto plc = LoadedPLC(plcs);
    ASSERT_EQ(plc->Save(nullptr, 0), 176u);
    std::vector<BYTE> rec = SaveRecord(*plc);
    EXPECT_EQ(Le32(rec, 0), 100u); // PLC ID
    EXPECT_EQ(Le32(rec, 4), 0u);   // no company name
    EXPECT_EQ(Le32(rec, 8), 3u);   // register kinds
    EXPECT_EQ(Le32(rec, 12), 10u); // first kind: code, name, value1, value2
    EXPECT_EQ(0, std::memcmp(&rec[16], "D\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 20));
    EXPECT_EQ(Le32(rec, 36), 0u);
    EXPECT_EQ(Le32(rec, 40), 7999u);
    EXPECT_EQ(Le32(rec, 12 + 96), 2u); // coil kinds
    EXPECT_EQ(Le32(rec, 12 + 96 + 4), 20u);
    EXPECT_EQ(Le32(rec, 172), 377u); // value2 of the last coil kind

    // An absent name loads back as absent, replacing the name the object held.
    std::unique_ptr<CPLCBase> loaded(plcs.CreatePLC(100u));
    loaded->SetCompanyName("Old");
    ASSERT_EQ(loaded->Load(rec.data(), DWORD(rec.size())), 176u);
    EXPECT_EQ(loaded->GetCompanyName(), nullptr);
}

TEST_F(PlcRecord, RoundTripReplacesTablesAndTakesStationFromTheCatalogue)
{
    auto plc = LoadedPLC(plcs);
    plc->SetCompanyName("Maker");
    std::vector<BYTE> rec = SaveRecord(*plc);
    ASSERT_EQ(rec.size(), 176u + 5);

    // The catalogue now offers other kinds and another station; the record's kinds win.
    UseCatalogues("[PLC]\nCounts=1\nPLC_Item_0=100\tFree\t\n[Physics_Item_100]\nPLC_Station=9\n"
                  "Register_Count=1\nRegister_Index_0=1\tZ\t0\t0\nRegister_Def_Index=0\n",
                  DefaultDeviceFile());
    std::unique_ptr<CPLCBase> loaded(plcs.CreatePLC(100u));
    ASSERT_EQ(loaded->Load(rec.data(), DWORD(rec.size())), rec.size());
    EXPECT_STREQ(loaded->GetCompanyName(), "Maker");
    EXPECT_EQ(loaded->GetPLCStation(), 9);
    EXPECT_EQ(loaded->GetPLCRegisterDefIndex(), 0);
    EXPECT_EQ(loaded->GetPLCRegisterCount(), 3);
    EXPECT_EQ(loaded->GetPLCCoilCount(), 2);
    EXPECT_EQ(SaveRecord(*loaded), rec);
    EXPECT_EQ(loaded->Compile(nullptr, 0), 0u);
}

TEST_F(PlcRecord, SaveRefusesTooLittleRoom)
{
    auto plc = LoadedPLC(plcs);
    std::vector<BYTE> buf(175, 0x11);
    EXPECT_EQ(plc->Save(buf.data(), 175), 0u);
    EXPECT_EQ(buf[0], 0x11);
}

TEST_F(PlcRecord, EveryCutStopsInsideTheBuffer)
{
    auto plc = LoadedPLC(plcs);
    plc->SetCompanyName("Co");
    std::vector<BYTE> rec = SaveRecord(*plc);
    LoadEveryCut<CPLCBase>(rec, [&] { return std::unique_ptr<CPLCBase>(plcs.CreatePLC(100u)); });
}

TEST_F(PlcRecord, AbsurdCountsAreRefusedBeforeAllocating)
{
    std::vector<BYTE> rec = {100, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F};
    std::unique_ptr<CPLCBase> plc(plcs.CreatePLC(100u));
    EXPECT_EQ(plc->Load(rec.data(), DWORD(rec.size())), 4u);
    rec = {100, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x0F};
    EXPECT_EQ(plc->Load(rec.data(), DWORD(rec.size())), 8u);
    // Negative counts hold no entries.
    rec = {100, 0, 0, 0, 0, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0};
    EXPECT_EQ(plc->Load(rec.data(), DWORD(rec.size())), 16u);
    EXPECT_EQ(plc->GetPLCRegisterCount(), 0);
    EXPECT_EQ(plc->Save(nullptr, 0), 16u);
}

} // namespace
