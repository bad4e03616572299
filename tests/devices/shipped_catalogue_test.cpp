// The catalogues copied beside the test program are the shipped ones.
#include "comkit/gbk.h"
#include "devices/device_collection.h"
#include "devices/plc_collection.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

std::string KindName(CDeviceBase& d, bool coil, int index)
{
    char names[50][20];
    char* ptrs[50];
    for (int i = 0; i < 50; ++i)
        ptrs[i] = names[i];
    int n = coil ? d.GetPLCCoilCollection(nullptr, ptrs, nullptr, nullptr, 50)
                 : d.GetPLCRegisterCollection(nullptr, ptrs, nullptr, nullptr, 50);
    return index < n ? names[index] : "";
}

TEST(ShippedCatalogues, AreReadBesideTheProgram)
{
    CPLCCollection& plcs = *CPLCCollection::GetInstance();
    CDeviceCollection& devices = *CDeviceCollection::GetInstance();
    ASSERT_EQ(plcs.GetPLCCount(), 1);
    ASSERT_EQ(devices.GetDeviceCount(), 2);
    EXPECT_STREQ(devices.ConvertDeviceIDToDeviceName(100), "QMX200");
    EXPECT_STREQ(devices.ConvertDeviceIDToDeviceName(101), "QMX300");

    UINT id;
    char name[200], description[200];
    plcs.StartGetPLC();
    ASSERT_EQ(plcs.GetNextPLC(id, name, description), 1);
    EXPECT_EQ(id, 100u);
    std::string utf8;
    EXPECT_TRUE(COMMON_EX::GbkToUtf8(std::string(name), utf8)) << "names are GBK";
    EXPECT_TRUE(COMMON_EX::GbkToUtf8(std::string(description), utf8));
    EXPECT_GT(std::strlen(description), 0u);

    for (UINT deviceID : {100u, 101u}) {
        std::unique_ptr<CDeviceBase> d(devices.CreateDevice(deviceID));
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->GetRegisterIntegerMaxCount(), 5);
        EXPECT_EQ(d->GetRegisterFloorMaxCount(), 4);
        int keys = d->GetDeviceAllKeyCollection(nullptr, nullptr, 0);
        EXPECT_GT(keys, 0);
        EXPECT_LE(keys, 25);

        CPLCBase* plc = plcs.CreatePLC(name);
        ASSERT_NE(plc, nullptr);
        d->SetPLC(plc);
        plcs.LoadPLCSettings(plc);
        int codes[50];
        DWORD low[50], high[50];
        char names[50][20];
        char* ptrs[50];
        for (int i = 0; i < 50; ++i)
            ptrs[i] = names[i];
        ASSERT_EQ(d->GetPLCRegisterCollection(codes, ptrs, low, high, 50), 7);
        for (int i = 0; i < 7; ++i) {
            EXPECT_GT(std::strlen(names[i]), 0u);
            EXPECT_TRUE(COMMON_EX::GbkToUtf8(std::string(names[i]), utf8));
        }
        ASSERT_EQ(d->GetPLCCoilCollection(codes, ptrs, low, high, 50), 7);
        EXPECT_GE(d->GetPLCRegisterDefIndex(), 0);
        EXPECT_LT(d->GetPLCRegisterDefIndex(), 7);
        EXPECT_GE(d->GetPLCCoilDefIndex(), 0);
        EXPECT_LT(d->GetPLCCoilDefIndex(), 7);
        EXPECT_GT(d->GetPLCStation(), 0);
    }
}

TEST(ShippedCatalogues, OctalKindsAreTheInputsAndOutputs)
{
    CDeviceCollection& devices = *CDeviceCollection::GetInstance();
    CPLCCollection& plcs = *CPLCCollection::GetInstance();
    struct Expect {
        UINT device;
        int input;
        int output;
    };
    for (Expect e : {Expect{100, 1, 2}, Expect{101, 1, 4}}) {
        std::unique_ptr<CDeviceBase> d(devices.CreateDevice(e.device));
        CPLCBase* plc = plcs.CreatePLC(100u);
        d->SetPLC(plc);
        plcs.LoadPLCSettings(plc);
        EXPECT_EQ(KindName(*d, true, e.input).substr(0, 2), "X(") << e.device;
        EXPECT_EQ(KindName(*d, true, e.output).substr(0, 2), "Y(") << e.device;
        // An octal address 17 is the 15th input or output.
        EXPECT_EQ(d->ConvertPLCCoilAddress(e.input, 17) - d->ConvertPLCCoilAddress(e.input, 0), 15u);
        EXPECT_EQ(d->ConvertPLCCoilAddress(e.output, 17) - d->ConvertPLCCoilAddress(e.output, 0), 15u);
    }
}

} // namespace
