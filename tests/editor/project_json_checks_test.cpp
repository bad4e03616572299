// Short entries of the JSON form are held to what the editor's fields accept: addresses within
// their kind's range and radix, a register range that fits its digits, only kinds the editor
// places; overlapping controls are warned about.
#include "editor/project_json.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Form(const std::string& controls)
{
    return R"({"device": {"model": "QMX200", "plc": "MODBUS自由协议"}, "screens": [{"controls": [)" + controls + "]}]}";
}

// The refusal of the form, or "" when it imports.
std::string Refusal(const std::string& controls)
{
    std::vector<BYTE> file;
    std::string error;
    return CProjectJson::Import(Form(controls), file, error) ? std::string() : error;
}

bool Has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

} // namespace

TEST(ProjectJsonChecks, AddressesKeepToTheirKindsRangeAndRadix)
{
    EXPECT_EQ(Refusal(R"J({"type": "lamp", "set": {"线圈号": "Y(输出)", "线圈地址": 17}})J"), "");
    std::string error = Refusal(R"J({"type": "lamp", "set": {"线圈号": "Y(输出)", "线圈地址": 8}})J");
    EXPECT_TRUE(Has(error, "screens[0].controls[0].set.线圈地址: 8 is no octal address: Y(输出) addresses are octal"))
        << error;
    error = Refusal(R"J({"type": "lamp", "set": {"线圈号": "Y(输出)", "线圈地址": 400}})J");
    EXPECT_TRUE(Has(error, "400 lies outside the range of Y(输出), 0 to 377")) << error;
    EXPECT_EQ(Refusal(R"J({"type": "lamp", "set": {"线圈号": "M(辅助继电器)", "线圈地址": 1089}})J"), "")
        << "decimal kinds take 8 and 9";
    error = Refusal(R"J({"type": "register", "set": {"寄存器号": "D(数据寄存器)", "寄存器地址": 9000}})J");
    EXPECT_TRUE(Has(error, "9000 lies outside the range of D(数据寄存器), 0 to 8511")) << error;
}

TEST(ProjectJsonChecks, RegisterRangesAndKinds)
{
    std::string error = Refusal(R"J({"type": "register", "set": {"最小值": 50, "最大值": 10}})J");
    EXPECT_TRUE(Has(error, "the minimum 50 lies above the maximum 10")) << error;
    error = Refusal(R"J({"type": "register", "set": {"整数位数": 2, "小数位数": 1, "最大值": 1000}})J");
    EXPECT_TRUE(Has(error, "the range 0 to 1000 does not fit the 3 digits the register shows")) << error;
    EXPECT_EQ(Refusal(R"J({"type": "register", "set": {"整数位数": 2, "小数位数": 1, "最大值": 999}})J"), "");
    error = Refusal(R"J({"type": "picture"})J");
    EXPECT_TRUE(Has(error, "screens[0].controls[0].type: picture controls cannot be placed in the editor")) << error;
}

TEST(ProjectJsonChecks, OverlappingControlsAreWarnedAbout)
{
    std::vector<BYTE> file;
    std::string error;
    std::vector<std::string> warnings;
    const std::string controls = R"J({"type": "lamp", "set": {"X": 10, "Y": 10}},
                                      {"type": "lamp", "set": {"X": 100, "Y": 10}},
                                      {"type": "register", "set": {"X": 12, "Y": 12}})J";
    ASSERT_TRUE(CProjectJson::Import(Form(controls), file, error, warnings)) << error;
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0], "screens[0].controls[0] and screens[0].controls[2] overlap");
}
