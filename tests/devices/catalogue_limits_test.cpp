// Damaged catalogues: counts and digit limits beyond what the formats hold are bounded, and the
// warning names the file, the section and the key.
#include "catalogue_fixture.h"
#include "devices/catalogue_limits.h"

#include <memory>

namespace {

using CatalogueLimits = CatalogueTest;

bool Warned(const std::vector<std::string>& warnings, const std::string& text)
{
    for (const std::string& w : warnings)
        if (w.find(text) != std::string::npos)
            return true;
    return false;
}

TEST_F(CatalogueLimits, HugeCountsAndDigitLimitsAreBoundedWithAWarning)
{
    CATALOGUE_LIMITS::TakeWarnings();
    std::string plc = DefaultPLCFile();
    plc.replace(plc.find("Register_Count=3"), 16, "Register_Count=2147483647");
    plc.replace(plc.find("Coil_Count=2"), 12, "Coil_Count=-7");
    std::string device = DefaultDeviceFile();
    device.replace(device.find("Register_Integer_Max_Count=5"), 28, "Register_Integer_Max_Count=2147483647");
    device.replace(device.find("Counts=4"), 8, "Counts=2147483647");
    UseCatalogues(plc, device);

    std::unique_ptr<CDeviceBase> model(devices.CreateDevice(100u));
    ASSERT_NE(model, nullptr);
    CPLCBase* protocol = plcs.CreatePLC("Free");
    ASSERT_NE(protocol, nullptr);
    model->SetPLC(protocol);
    plcs.LoadPLCSettings(protocol);

    EXPECT_EQ(model->GetKeyCount(), CATALOGUE_LIMITS::MAX_KEYS);
    EXPECT_EQ(model->GetRegisterIntegerMaxCount(), CATALOGUE_LIMITS::MAX_DIGITS);
    EXPECT_EQ(model->GetRegisterFloorMaxCount(), 4);
    EXPECT_EQ(protocol->GetPLCRegisterCount(), CATALOGUE_LIMITS::MAX_KINDS);
    EXPECT_EQ(protocol->GetPLCCoilCount(), 0) << "a negative count is an empty table, as before";

    const std::vector<std::string> warnings = CATALOGUE_LIMITS::TakeWarnings();
    EXPECT_EQ(warnings.size(), 3u);
    EXPECT_TRUE(Warned(warnings, PlcPath() + ": [Physics_Item_100] Register_Count=2147483647 is beyond the largest "
                                             "value the formats hold, 50"));
    EXPECT_TRUE(Warned(warnings, DevicePath() + ": [Settings_Device_Item_100] Counts=2147483647"));
    EXPECT_TRUE(Warned(warnings, "Register_Integer_Max_Count=2147483647 is beyond the largest value the formats "
                                 "hold, 9; 9 is used"));
    EXPECT_TRUE(CATALOGUE_LIMITS::TakeWarnings().empty()) << "taken once";
}

} // namespace
