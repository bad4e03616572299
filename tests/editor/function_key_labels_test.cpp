// The function-key images are indexed like the panel models' keys: image k shows the label of
// "Key_Index_k" in the catalogue the editor ships.
#include "comkit/init_setting.h"
#include "generators/pixtables/pixel_table_source.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

const std::string SOURCE_DIR = ZQ_SOURCE_DIR;

TEST(FunctionKeyImages, FollowTheKeyLabelsOfEveryPanelModel)
{
    const std::string catalogue = SOURCE_DIR + "/devices/DeviceRegister.ini";
    if (!std::filesystem::exists(catalogue))
        GTEST_SKIP() << catalogue << " is missing";

    std::ifstream in(SOURCE_DIR + "/editor/resources/function_keys.txt", std::ios::binary);
    ASSERT_TRUE(in);
    std::ostringstream text;
    text << in.rdbuf();
    PIXTABLES::PIXEL_TABLE table;
    std::string error;
    ASSERT_TRUE(PIXTABLES::CPixelTableSource::Parse(text.str(), PIXTABLES::FUNCTION_KEY_TABLE, table, error)) << error;

    CInitSetting settings(catalogue.c_str());
    char value[256] = {};
    settings.GetValue("Devices", "Counts", value, sizeof(value), "0");
    const int devices = std::atoi(value);
    ASSERT_GT(devices, 0);
    int checked = 0;
    for (int d = 0; d < devices; ++d) {
        settings.GetValue("Devices", ("Device_Item_" + std::to_string(d)).c_str(), value, sizeof(value));
        const std::string section = "Settings_Device_Item_" + std::to_string(std::atoi(value));
        settings.GetValue(section.c_str(), "Counts", value, sizeof(value), "0");
        const int keys = std::atoi(value);
        EXPECT_LE(keys, 25) << section << " has more keys than there are images";
        for (int k = 0; k < keys && k < 25; ++k) {
            settings.GetValue(section.c_str(), ("Key_Index_" + std::to_string(k)).c_str(), value, sizeof(value));
            const char* tab = std::strchr(value, '\t');
            ASSERT_NE(tab, nullptr) << section << " key " << k;
            EXPECT_EQ(table.imageNames[static_cast<size_t>(k)], tab + 1) << section << " key " << k;
            ++checked;
        }
    }
    EXPECT_GT(checked, 0);
}

} // namespace
