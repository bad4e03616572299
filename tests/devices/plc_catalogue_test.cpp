#include "catalogue_fixture.h"
#include "comkit/init_setting.h"
#include "devices/plc_free.h"

#include <cstring>
#include <memory>

namespace {

using PlcCatalogue = CatalogueTest;

struct Row {
    UINT id = 0;
    char name[200];
    char description[200];
};

TEST(PLCRows, ParsesIdNameAndDescription)
{
    Row r;
    CCatalogue::ParseRow("100\tName\tDescription", r.id, r.name, r.description);
    EXPECT_EQ(r.id, 100u);
    EXPECT_STREQ(r.name, "Name");
    EXPECT_STREQ(r.description, "Description");

    CCatalogue::ParseRow("100", r.id, r.name, r.description);
    EXPECT_EQ(r.id, 100u);
    EXPECT_STREQ(r.name, "");
    EXPECT_STREQ(r.description, "");
    CCatalogue::ParseRow("12x\t", r.id, r.name, r.description);
    EXPECT_EQ(r.id, 12u);
    EXPECT_STREQ(r.name, "");
    CCatalogue::ParseRow("abc\tOnly name", r.id, r.name, r.description);
    EXPECT_EQ(r.id, 0u);
    EXPECT_STREQ(r.name, "Only name");
    EXPECT_STREQ(r.description, "");
    // The description follows the last TAB; the name keeps the TABs before it.
    CCatalogue::ParseRow("5\tA\tB\tC", r.id, r.name, r.description);
    EXPECT_STREQ(r.name, "A\tB");
    EXPECT_STREQ(r.description, "C");
    CCatalogue::ParseRow("5\tA\t", r.id, r.name, r.description);
    EXPECT_STREQ(r.name, "A");
    EXPECT_STREQ(r.description, "");
}

TEST_F(PlcCatalogue, IteratesRowsAndConvertsNames)
{
    ASSERT_EQ(plcs.GetPLCCount(), 2);
    Row r;
    plcs.StartGetPLC();
    ASSERT_EQ(plcs.GetNextPLC(r.id, r.name, r.description), 1);
    EXPECT_EQ(r.id, 100u);
    EXPECT_STREQ(r.name, "Free");
    EXPECT_STREQ(r.description, "The free protocol");
    ASSERT_EQ(plcs.GetNextPLC(r.id, nullptr, nullptr), 1);
    EXPECT_EQ(r.id, 7u);
    r.id = 99;
    EXPECT_EQ(plcs.GetNextPLC(r.id, r.name, r.description), 0);
    EXPECT_EQ(r.id, 99u);
    plcs.StartGetPLC();
    EXPECT_EQ(plcs.GetNextPLC(r.id, r.name, nullptr), 1);
    EXPECT_EQ(r.id, 100u);

    EXPECT_EQ(plcs.ConvertPLCNameToPLCID("Free"), 100u);
    EXPECT_EQ(plcs.ConvertPLCNameToPLCID("free"), 0u);
    EXPECT_EQ(plcs.ConvertPLCNameToPLCID(nullptr), 0u);
    EXPECT_STREQ(plcs.ConvertPLCIDToPLCName(7), "Other");
    EXPECT_EQ(plcs.ConvertPLCIDToPLCName(8), nullptr);
}

TEST_F(PlcCatalogue, CreatesOnlyTheFreeProtocol)
{
    std::unique_ptr<CPLCBase> byName(plcs.CreatePLC("Free"));
    ASSERT_NE(byName, nullptr);
    EXPECT_EQ(byName->GetPLCID(), 100u);
    EXPECT_NE(dynamic_cast<CPLCFree*>(byName.get()), nullptr);
    EXPECT_EQ(byName->GetPLCRegisterCount(), 0); // empty until its settings are loaded
    EXPECT_EQ(plcs.CreatePLC("Other"), nullptr); // listed, but there is no class for ID 7
    EXPECT_EQ(plcs.CreatePLC("Nope"), nullptr);
    EXPECT_EQ(plcs.CreatePLC(101u), nullptr);
}

TEST_F(PlcCatalogue, CountsAreCappedAndMissingFileIsEmpty)
{
    std::string many = "[PLC]\nCounts=150\n";
    for (int i = 0; i < 150; ++i)
        many += "PLC_Item_" + std::to_string(i) + "=" + std::to_string(i + 1) + "\tP" + std::to_string(i) + "\t\n";
    UseCatalogues(many, "");
    EXPECT_EQ(plcs.GetPLCCount(), 100);
    EXPECT_EQ(plcs.ConvertPLCIDToPLCName(100), std::string("P99"));
    EXPECT_EQ(plcs.ConvertPLCIDToPLCName(101), nullptr);

    plcs.ReadCatalogue(dir.File("missing.ini").c_str());
    EXPECT_EQ(plcs.GetPLCCount(), 0);
    EXPECT_EQ(plcs.CreatePLC("Free"), nullptr);
    std::unique_ptr<CPLCBase> stored(plcs.CreatePLC(100u)); // stored projects still open
    EXPECT_NE(stored, nullptr);
    char name[8] = "keep";
    stored->GetPLCName(name, sizeof name);
    EXPECT_STREQ(name, "keep");
}

TEST_F(PlcCatalogue, LastSelectedAndRegisterWriteTheFile)
{
    EXPECT_EQ(plcs.GetLastSelectedIndex(), 0);
    plcs.SetLastSelectedIndex(3);
    EXPECT_EQ(plcs.GetLastSelectedIndex(), 3);
    plcs.RegisterPLC(300, "Third", nullptr);
    EXPECT_EQ(plcs.GetPLCCount(), 3);
    EXPECT_EQ(plcs.ConvertPLCNameToPLCID("Third"), 300u);

    CInitSetting file(PlcPath().c_str());
    char buf[64];
    file.GetValue("PLC", "Counts", buf, sizeof buf);
    EXPECT_STREQ(buf, "3");
    EXPECT_NE(CTestTempDir::ReadBytes(PlcPath()).find("\nPLC_Item_2=300\tThird\t\n"), std::string::npos);
    Reread();
    EXPECT_EQ(plcs.ConvertPLCNameToPLCID("Third"), 300u);

    // Registering into a missing file creates it.
    std::string fresh = dir.File("fresh.ini");
    plcs.ReadCatalogue(fresh.c_str());
    plcs.RegisterPLC(100, "Free", "d");
    EXPECT_EQ(CTestTempDir::ReadBytes(fresh), "[PLC]\nCounts=1\nPLC_Item_0=100\tFree\td\n");
}

TEST_F(PlcCatalogue, LoadsSettingsOfTheSectionChosenByTheOffset)
{
    std::unique_ptr<CPLCBase> plc(plcs.CreatePLC(100u));
    plcs.LoadPLCSettings(plc.get());
    EXPECT_EQ(plc->GetPLCStation(), 3);
    EXPECT_EQ(plc->GetPLCStationVisibled(), 1);
    EXPECT_EQ(plc->GetPLCStationDisabled(), 1);
    EXPECT_EQ(plc->GetPLCRegisterDefIndex(), 1);
    EXPECT_EQ(plc->GetPLCCoilDefIndex(), 1);
    EXPECT_EQ(plc->GetPLCRegisterCount(), 3);
    EXPECT_EQ(plc->GetPLCCoilCount(), 2);

    plc->SetPLCIDOffset(1);
    plcs.LoadPLCSettings(plc.get());
    EXPECT_EQ(plc->GetPLCStation(), 4); // Physics_Item_101
    plcs.LoadPLCSettings(nullptr);

    char name[200] = "";
    plc->GetPLCName(name, sizeof name);
    EXPECT_STREQ(name, "Free");
    char small[3];
    plc->GetPLCName(small, sizeof small);
    EXPECT_STREQ(small, "Fr");
}

TEST_F(PlcCatalogue, KindCollectionsCopyAtMostMaxCount)
{
    std::unique_ptr<CPLCBase> plc(plcs.CreatePLC(100u));
    int codes[4] = {-9, -9, -9, -9};
    char names[4][20];
    char* namePtrs[4] = {names[0], names[1], names[2], names[3]};
    DWORD v1[4], v2[4];
    EXPECT_EQ(plc->GetPLCRegisterCollection(codes, namePtrs, v1, v2, 4), 0); // no kinds yet
    EXPECT_EQ(codes[0], -9);

    plcs.LoadPLCSettings(plc.get());
    EXPECT_EQ(plc->GetPLCRegisterCollection(codes, namePtrs, v1, v2, 2), 2);
    EXPECT_EQ(codes[2], -9);
    ASSERT_EQ(plc->GetPLCRegisterCollection(codes, namePtrs, v1, v2, 4), 3);
    EXPECT_EQ(codes[1], 11);
    EXPECT_STREQ(names[1], "T");
    EXPECT_EQ(v1[2], 2u);
    EXPECT_EQ(v2[2], 199u);
    ASSERT_EQ(plc->GetPLCCoilCollection(codes, namePtrs, nullptr, v2, 4), 2);
    EXPECT_STREQ(names[0], "X");
    EXPECT_EQ(v2[1], 377u);
}

TEST_F(PlcCatalogue, KindRowsTrimToOneWordAndNeedFourColumns)
{
    std::string section = "[PLC]\nCounts=1\nPLC_Item_0=100\tFree\t\n[Physics_Item_100]\nRegister_Count=6\n"
                          "Register_Index_0=1\tABCDEFGHIJKLMNOPQRSTUVWXY\t5\t6\n"
                          "Register_Index_1= 2 \ttwo words\t\"7\",\t 8\n"
                          "Register_Index_2=3\tonly three\t9\n"
                          "Register_Index_3=4\tfive\t1\t2\t3\n"
                          "Register_Index_4=5\t\t1\t2\n"
                          "Register_Def_Index=9\nCoil_Count=-2\n";
    UseCatalogues(section, "");
    std::unique_ptr<CPLCBase> plc(plcs.CreatePLC(100u));
    plcs.LoadPLCSettings(plc.get());
    ASSERT_EQ(plc->GetPLCRegisterCount(), 6); // rows that do not parse still count
    EXPECT_EQ(plc->GetPLCCoilCount(), 0);
    EXPECT_EQ(plc->GetPLCStation(), 0);
    EXPECT_EQ(plc->GetPLCRegisterDefIndex(), 9);

    int codes[6];
    char names[6][20];
    char* namePtrs[6] = {names[0], names[1], names[2], names[3], names[4], names[5]};
    DWORD v1[6], v2[6];
    ASSERT_EQ(plc->GetPLCRegisterCollection(codes, namePtrs, v1, v2, 6), 6);
    EXPECT_STREQ(names[0], "ABCDEFGHIJKLMNOPQRS");
    EXPECT_EQ(v1[0], 5u);
    EXPECT_EQ(codes[1], 2);
    EXPECT_STREQ(names[1], "two");
    EXPECT_EQ(v1[1], 7u);
    EXPECT_EQ(v2[1], 8u);
    for (int i = 2; i < 4; ++i) {
        EXPECT_EQ(codes[i], 0) << i;
        EXPECT_STREQ(names[i], "") << i;
        EXPECT_EQ(v1[i], 0u) << i;
    }
    // An empty column is an empty token; the row still has four columns.
    EXPECT_EQ(codes[4], 5);
    EXPECT_STREQ(names[4], "");
    EXPECT_EQ(v2[4], 2u);
    // A row that is missing reads the default "0": one column, an all-zero entry.
    EXPECT_EQ(codes[5], 0);
}

TEST(PLCRadix, Helpers)
{
    EXPECT_EQ(CPLCBase::ConvertH2D(10), 16u);
    EXPECT_EQ(CPLCBase::ConvertB2D(101), 5u);
    EXPECT_EQ(CPLCBase::ConvertO2D(17), 15u);
    EXPECT_EQ(CPLCBase::ConvertD2O(8), 10u);
    EXPECT_EQ(CPLCBase::ConvertD2H(26), 1u);
    EXPECT_EQ(CPLCBase::ConvertD2H(10), 0u); // "A"
    EXPECT_EQ(CPLCBase::ConvertD2H(0x123), 123u);
    EXPECT_EQ(CPLCBase::ConvertD2B(5), 5u);
    EXPECT_EQ(CPLCBase::ConvertB2D(2), 2u); // digits above 1 are taken as they are
    EXPECT_EQ(CPLCBase::ConvertO2D(0), 0u);
    for (DWORD v : {0u, 7u, 8u, 511u, 4095u})
        EXPECT_EQ(CPLCBase::ConvertO2D(CPLCBase::ConvertD2O(v)), v) << v;
}

TEST(PLCFreeMaps, Offset0)
{
    CPLCFree plc;
    EXPECT_EQ(plc.GetPLCRegisterRealData(0, 123), 123u);
    EXPECT_EQ(plc.GetPLCRegisterRealData(1, 7999), 7999u);
    EXPECT_EQ(plc.GetPLCRegisterRealData(1, 8000), 3840u);
    EXPECT_EQ(plc.GetPLCRegisterRealData(2, 0), 3271u);
    EXPECT_EQ(plc.GetPLCRegisterRealData(3, 199), 3727u);
    EXPECT_EQ(plc.GetPLCRegisterRealData(3, 200), 3728u);
    for (int k : {4, 5, 6, 7, -1})
        EXPECT_EQ(plc.GetPLCRegisterRealData(k, 42), 42u) << k;

    EXPECT_EQ(plc.GetPLCCoilRealData(0, 17), 17u);
    EXPECT_EQ(plc.GetPLCCoilRealData(1, 17), 15u);
    EXPECT_EQ(plc.GetPLCCoilRealData(2, 17), 271u);
    EXPECT_EQ(plc.GetPLCCoilRealData(3, 1), 2049u);
    EXPECT_EQ(plc.GetPLCCoilRealData(4, 1), 1025u);
    EXPECT_EQ(plc.GetPLCCoilRealData(5, 1), 513u);
    EXPECT_EQ(plc.GetPLCCoilRealData(6, 1), 769u);
    EXPECT_EQ(plc.GetPLCCoilRealData(7, 1), 1u);
}

TEST(PLCFreeMaps, Offset1AndOthers)
{
    CPLCFree plc;
    plc.SetPLCIDOffset(1);
    EXPECT_EQ(plc.GetPLCRegisterRealData(0, 199), 199u);
    EXPECT_EQ(plc.GetPLCRegisterRealData(0, 200), 256u);
    EXPECT_EQ(plc.GetPLCRegisterRealData(1, 7999), 9535u);
    EXPECT_EQ(plc.GetPLCRegisterRealData(1, 8000), 512u);
    EXPECT_EQ(plc.GetPLCRegisterRealData(2, 5), 773u);
    EXPECT_EQ(plc.GetPLCRegisterRealData(3, 5), 5u);

    EXPECT_EQ(plc.GetPLCCoilRealData(0, 7999), 7999u);
    EXPECT_EQ(plc.GetPLCCoilRealData(0, 8000), 3584u);
    EXPECT_EQ(plc.GetPLCCoilRealData(1, 17), 3087u);
    EXPECT_EQ(plc.GetPLCCoilRealData(2, 1), 3841u);
    EXPECT_EQ(plc.GetPLCCoilRealData(3, 1), 4097u);
    EXPECT_EQ(plc.GetPLCCoilRealData(4, 17), 4623u);
    EXPECT_EQ(plc.GetPLCCoilRealData(5, 1), 5121u);
    EXPECT_EQ(plc.GetPLCCoilRealData(6, 1), 1u);

    for (int offset : {2, -1}) {
        plc.SetPLCIDOffset(offset);
        EXPECT_EQ(plc.GetPLCRegisterRealData(0, 5), 0u);
        EXPECT_EQ(plc.GetPLCCoilRealData(6, 5), 0u);
    }
    CPLCBase base;
    EXPECT_EQ(base.GetPLCRegisterRealData(3, 77), 77u);
    EXPECT_EQ(base.GetPLCCoilRealData(1, 17), 17u);
}

} // namespace
