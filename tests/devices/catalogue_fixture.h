// Points both catalogues at files of a test folder, and back at the shipped ones afterwards.
#pragma once

#include "comkit/module_path.h"
#include "comkit/test_temp_dir.h"
#include "devices/device_collection.h"
#include "devices/plc_collection.h"

#include <gtest/gtest.h>

#include <string>

// A PLC section with 3 register kinds and 2 coil kinds, station 3 shown and fixed.
inline std::string TestPhysicsSection(int id)
{
    return "[Physics_Item_" + std::to_string(id) +
           "]\n"
           "PLC_Station=" +
           std::to_string(id - 97) +
           "\n"
           "PLC_Station_Visibled=1\nPLC_Station_Disabled=1\n"
           "Register_Count=3\n"
           "Register_Index_0=10\tD\t0\t7999\n"
           "Register_Index_1=11\tT\t1\t255\n"
           "Register_Index_2=12\tC\t2\t199\n"
           "Register_Def_Index=1\n"
           "Coil_Count=2\n"
           "Coil_Index_0=20\tX\t0\t377\n"
           "Coil_Index_1=21\tY\t0\t377\n"
           "Coil_Def_Index=1\n";
}

class CatalogueTest : public ::testing::Test {
protected:
    void SetUp() override { UseCatalogues(DefaultPLCFile(), DefaultDeviceFile()); }

    void TearDown() override
    {
        CPLCCollection::GetInstance()->ReadCatalogue(COMMON_EX::GetProgramFilePath(CPLCCollection::FILE_NAME).c_str());
        CDeviceCollection::GetInstance()->ReadCatalogue(
            COMMON_EX::GetProgramFilePath(CDeviceCollection::FILE_NAME).c_str());
    }

    void UseCatalogues(const std::string& plcBytes, const std::string& deviceBytes)
    {
        CTestTempDir::WriteBytes(PlcPath(), plcBytes);
        CTestTempDir::WriteBytes(DevicePath(), deviceBytes);
        Reread();
    }
    void Reread()
    {
        CPLCCollection::GetInstance()->ReadCatalogue(PlcPath().c_str());
        CDeviceCollection::GetInstance()->ReadCatalogue(DevicePath().c_str());
    }

    static std::string DefaultPLCFile()
    {
        return "[PLC]\nCounts=2\nPLC_Item_0=100\tFree\tThe free protocol\nPLC_Item_1=7\tOther\t\n" +
               TestPhysicsSection(100) + TestPhysicsSection(101);
    }
    static std::string DefaultDeviceFile()
    {
        return "[Devices]\nCounts=3\nDevice_Item_0=100\tQMX200\tsmall\nDevice_Item_1=101\tQMX300\tlarge\n"
               "Device_Item_2=55\tGhost\tno class\n"
               "[Settings_Device_Item_100]\nRegister_Integer_Max_Count=5\nRegister_Floor_Max_Count=4\n"
               "Counts=4\nKey_Index_0=1\tF1\nKey_Index_1=2\tF2\nKey_Index_2=3\tENT\nKey_Index_3=4\tESC\n"
               "[Settings_Device_Item_101]\nRegister_Integer_Max_Count=6\nRegister_Floor_Max_Count=3\n"
               "Counts=5\nKey_Index_0=1\tF1\nKey_Index_1=2\tF2\nKey_Index_2=3\tF3\nKey_Index_3=4\tUP\n"
               "Key_Index_4=5\tDOWN\n";
    }

    std::string PlcPath() const { return dir.File(CPLCCollection::FILE_NAME); }
    std::string DevicePath() const { return dir.File(CDeviceCollection::FILE_NAME); }

    CPLCCollection& plcs = *CPLCCollection::GetInstance();
    CDeviceCollection& devices = *CDeviceCollection::GetInstance();
    CTestTempDir dir;
};
