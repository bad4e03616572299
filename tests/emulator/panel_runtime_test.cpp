// The panel runtime over compiled projects with a PLC in memory: values, keys, editing, pages,
// backlight and the lost link.
#include "emulator_test_support.h"

#include "emulator/panel_keys.h"
#include "emulator/panel_runtime.h"
#include "emulator/poll_plan.h"
#include "emulator/register_text.h"

using namespace EMULATOR_TEST;
using namespace PANEL_KEYS;

namespace {

// Screen 1: D100 (3.1, editable 10-500) and D101 (4.0, editable 0-9999), lamp M5, F1 toggles M5,
// F2 sets M6, F3 resets M7, F4 holds M8, F5 jumps to screen 2. Screen 2: a text and a lamp.
const char* const SCREENS = R"json([
  {"name": "one", "controls": [
    {"type": "register", "set": {"整数位数": 3, "小数位数": 1, "是否编辑": 1, "最小值": 10, "最大值": 500,
                                 "寄存器号": "D(数据寄存器)", "寄存器地址": 100, "X": 44, "Y": 20}},
    {"type": "register", "set": {"整数位数": 4, "是否编辑": 1, "最小值": 0, "最大值": 9999,
                                 "寄存器号": "D(数据寄存器)", "寄存器地址": 101, "X": 100, "Y": 20}},
    {"type": "lamp", "set": {"线圈号": "M(辅助继电器)", "线圈地址": 5, "X": 150, "Y": 0}},
    {"type": "function-key", "set": {"显示键类型": "F1", "线圈号": "M(辅助继电器)", "线圈地址": 5, "值设置": "交替", "X": 0, "Y": 44}},
    {"type": "function-key", "set": {"显示键类型": "F2", "线圈号": "M(辅助继电器)", "线圈地址": 6, "值设置": "设定为ON", "X": 40, "Y": 44}},
    {"type": "function-key", "set": {"显示键类型": "F3", "线圈号": "M(辅助继电器)", "线圈地址": 7, "值设置": "设定为OFF", "X": 80, "Y": 44}},
    {"type": "function-key", "set": {"显示键类型": "F4", "线圈号": "M(辅助继电器)", "线圈地址": 8, "值设置": "保持", "X": 120, "Y": 44}},
    {"type": "function-key", "set": {"显示键类型": "F5", "功能设置": "画面跳转", "画面跳转至": 2, "X": 155, "Y": 44}}]},
  {"name": "two", "controls": [
    {"type": "static-text", "set": {"文字串": "PAGE 2", "X": 0, "Y": 0}},
    {"type": "lamp", "set": {"线圈号": "M(辅助继电器)", "线圈地址": 9, "X": 100, "Y": 0}}]}
])json";

constexpr int M5 = 2053, M6 = 2054, M7 = 2055, M8 = 2056;

struct PANEL {
    CMemoryLink link;
    std::unique_ptr<CPanelRuntime> runtime;

    explicit PANEL(int backlight = 0xFFFF, const std::string& pages = "[2, 0, 0, 0]")
    {
        runtime.reset(new CPanelRuntime(ImageOf(ProjectJson(SCREENS, backlight, pages))));
        runtime->SetLink(&link);
    }
    CPanelDisplay Display() const
    {
        CPanelDisplay display;
        runtime->Render(display);
        return display;
    }
    bool Shows(const std::string& text, int x, int y) const
    {
        return ShowsText(Display(), runtime->GetImage(), text, x, y);
    }
    void Key(int key)
    {
        runtime->PressKey(key, 0);
        runtime->ReleaseKey(key, 0);
    }
};

PANEL_CONTROL Register(int a, int b, bool invalidZero = false, bool asterisk = false, int width = 40)
{
    PANEL_CONTROL c;
    c.kind = PANEL_CONTROL::REGISTER;
    c.integerDigits = a;
    c.decimalDigits = b;
    c.invalidZero = invalidZero;
    c.asterisk = asterisk;
    c.width = width;
    return c;
}

} // namespace

TEST(PanelRuntime, RegisterTextFollowsDigitsAndFlags)
{
    EXPECT_EQ(CRegisterText::Format(Register(3, 1), 1234), "123.4");
    EXPECT_EQ(CRegisterText::Format(Register(3, 1), 5), "  0.5");
    EXPECT_EQ(CRegisterText::Format(Register(3, 1, true), 5), "000.5");
    EXPECT_EQ(CRegisterText::Format(Register(0, 2), 7), "0.07");
    EXPECT_EQ(CRegisterText::Format(Register(5, 0), 65535), "65535");
    EXPECT_EQ(CRegisterText::Format(Register(2, 0), 100), "!!") << "too many digits never shows a wrong value";
    EXPECT_EQ(CRegisterText::Format(Register(2, 1), 1000), "!!!!");
    EXPECT_EQ(CRegisterText::Format(Register(3, 1, false, true, 40), 1234), "*****");
    EXPECT_EQ(CRegisterText::Unknown(Register(3, 1)), "-----");
    EXPECT_EQ(CRegisterText::Editing(Register(3, 1), "0050"), "005.0");
    EXPECT_EQ(CRegisterText::CellOfDigit(Register(3, 1), 3), 4);
    EXPECT_EQ(CRegisterText::CellOfDigit(Register(0, 2), 0), 2);
}

TEST(PanelRuntime, PollGroupsAdjacentAddressesOfAStation)
{
    using R = std::vector<POLL_REQUEST>;
    const R requests = CPollPlan::Group({{1, 102}, {1, 100}, {1, 101}, {1, 101}, {1, 105}, {2, 106}}, 125);
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].address, 100);
    EXPECT_EQ(requests[0].count, 3) << "adjacent and repeated addresses share one request";
    EXPECT_EQ(requests[1].address, 105);
    EXPECT_EQ(requests[2].station, 2) << "another station needs its own request";
    std::vector<CPollPlan::ITEM> many;
    many.reserve(130);
    for (int i = 0; i < 130; ++i)
        many.push_back({1, i});
    const R split = CPollPlan::Group(many, CPollPlan::MAX_REGISTERS);
    ASSERT_EQ(split.size(), 2u);
    EXPECT_EQ(split[0].count, 125);
    EXPECT_EQ(split[1].address, 125);
}

TEST(PanelRuntime, ShowsValuesAndTheLostLinkAndRecovers)
{
    PANEL panel;
    panel.link.registers[100] = 1234;
    panel.link.registers[101] = 42;
    EXPECT_TRUE(panel.Shows("-----", 44, 20)) << "nothing read yet";
    EXPECT_TRUE(panel.runtime->Poll());
    EXPECT_EQ(panel.runtime->GetLastPollRequests(), 2) << "D100-D101 in one request, the lamp in another";
    EXPECT_TRUE(panel.Shows("123.4", 44, 20));
    EXPECT_TRUE(panel.Shows("  42", 100, 20));

    panel.link.broken = true;
    EXPECT_FALSE(panel.runtime->Poll());
    EXPECT_TRUE(panel.runtime->IsLinkLost());
    EXPECT_TRUE(panel.Shows("-----", 44, 20)) << "a stale value is not shown as current";
    EXPECT_TRUE(ShowsText(panel.Display(), panel.runtime->GetImage(), "COM ERROR!", 192 - 80, 52, true));

    panel.link.broken = false;
    panel.link.registers[100] = 99;
    EXPECT_TRUE(panel.runtime->Poll());
    EXPECT_FALSE(panel.runtime->IsLinkLost());
    EXPECT_TRUE(panel.Shows("  9.9", 44, 20));
    EXPECT_FALSE(ShowsText(panel.Display(), panel.runtime->GetImage(), "COM ERROR!", 192 - 80, 52, true));
}

TEST(PanelRuntime, AValueReadBeforeALostLinkShowsAgainOnlyFromAFreshAnswer)
{
    PANEL panel;
    panel.link.registers[100] = 1234;
    panel.link.coils[M5] = 1;
    ASSERT_TRUE(panel.runtime->Poll());
    panel.Key(KEY_F5);
    ASSERT_EQ(panel.runtime->GetCurrentScreen(), 2);
    panel.link.broken = true;
    EXPECT_FALSE(panel.runtime->Poll());
    panel.link.broken = false;
    panel.link.registers[100] = 77;
    EXPECT_TRUE(panel.runtime->Poll()) << "screen 2 is read again: the link works";
    ASSERT_TRUE(panel.runtime->ShowScreen(1));
    WORD value = 0;
    bool on = false;
    EXPECT_FALSE(panel.runtime->GetRegister(1, 100, value)) << "1234 came before the loss";
    EXPECT_FALSE(panel.runtime->GetCoil(1, M5, on));
    EXPECT_TRUE(panel.Shows("-----", 44, 20)) << "not 123.4: the PLC holds 77 by now";
    ASSERT_TRUE(panel.runtime->Poll());
    EXPECT_TRUE(panel.Shows("  7.7", 44, 20));
}

TEST(PanelRuntime, FunctionKeysSetTheirCoils)
{
    PANEL panel;
    panel.Key(KEY_F1);
    panel.Key(KEY_F1);
    panel.Key(KEY_F2);
    panel.Key(KEY_F3);
    panel.runtime->PressKey(KEY_F4, 0);
    EXPECT_EQ(panel.link.coils[M8], 1) << "held down";
    panel.runtime->ReleaseKey(KEY_F4, 0);
    const std::vector<std::string> expected = {"coil " + std::to_string(M5) + " = 1",
                                               "coil " + std::to_string(M5) + " = 0",
                                               "coil " + std::to_string(M6) + " = 1",
                                               "coil " + std::to_string(M7) + " = 0",
                                               "coil " + std::to_string(M8) + " = 1",
                                               "coil " + std::to_string(M8) + " = 0"};
    EXPECT_EQ(panel.link.writes, expected);

    panel.link.broken = true;
    panel.Key(KEY_F2);
    EXPECT_TRUE(panel.runtime->IsLinkLost()) << "a write that fails shows the lost link";
}

TEST(PanelRuntime, JumpKeysAndFunctionPagesChangeTheScreen)
{
    PANEL panel(0xFFFF, "[1, 2, 0, 0]");
    panel.Key(KEY_F5);
    EXPECT_EQ(panel.runtime->GetCurrentScreen(), 2);
    EXPECT_TRUE(panel.Shows("PAGE 2", 0, 0));
    panel.Key(KEY_F3);
    EXPECT_EQ(panel.runtime->GetCurrentScreen(), 2) << "function page 3 is not used";
    panel.Key(KEY_F1);
    EXPECT_EQ(panel.runtime->GetCurrentScreen(), 1) << "no F1 control on screen 2: function page 1";
    panel.Key(KEY_F2);
    EXPECT_EQ(panel.runtime->GetCurrentScreen(), 1) << "F2 is a control of screen 1, not the page key";
    EXPECT_TRUE(panel.runtime->Poll());
    EXPECT_EQ(panel.link.requests, 3) << "screen 1: registers and the lamp; M9 of screen 2 is not polled";
}

TEST(PanelRuntime, EditingWritesValuesWithinTheLimitsInInputOrder)
{
    PANEL panel;
    panel.link.registers[100] = 123;
    ASSERT_TRUE(panel.runtime->Poll());
    panel.Key(KEY_SET);
    ASSERT_GE(panel.runtime->GetEditControl(), 0);
    EXPECT_EQ(panel.runtime->GetEditDigits(), "0123");
    EXPECT_TRUE(ShowsText(panel.Display(), panel.runtime->GetImage(), "0", 44, 20, true)) << "cursor on digit 1";
    panel.Key(KEY_UP);
    panel.Key(KEY_UP);
    panel.Key(KEY_RIGHT);
    panel.Key(KEY_DOWN);
    EXPECT_EQ(panel.runtime->GetEditDigits(), "2023");
    panel.Key(KEY_ENT);
    EXPECT_TRUE(panel.link.writes.empty()) << "2023 is above the maximum 500";
    EXPECT_GE(panel.runtime->GetEditControl(), 0);
    EXPECT_NE(panel.runtime->GetMessage().find("refused"), std::string::npos);
    panel.Key(KEY_CLR);
    panel.Key(KEY_ENT);
    EXPECT_TRUE(panel.link.writes.empty()) << "0 is below the minimum 10";
    panel.Key(KEY_UP); // the cursor stays on the second digit: 010.0
    panel.Key(KEY_ENT);
    EXPECT_EQ(panel.link.writes, std::vector<std::string>{"register 100 = 100"});
    EXPECT_EQ(panel.runtime->GetEditControl(), -1);
    EXPECT_TRUE(panel.Shows(" 10.0", 44, 20));

    panel.Key(KEY_SET);
    const int first = panel.runtime->GetEditControl();
    panel.Key(KEY_SET);
    EXPECT_NE(panel.runtime->GetEditControl(), first) << "SET moves on to D101";
    panel.Key(KEY_UP);
    panel.Key(KEY_ESC);
    EXPECT_EQ(panel.runtime->GetEditControl(), -1);
    EXPECT_EQ(panel.link.writes.size(), 1u) << "ESC writes nothing";
}

TEST(PanelRuntime, TheBacklightDimsAfterItsDelayAndAKeyOnlyWakesIt)
{
    PANEL panel(2);
    panel.runtime->Tick(0);
    panel.runtime->Tick(1999);
    EXPECT_FALSE(panel.runtime->IsDimmed());
    panel.runtime->Tick(2000);
    EXPECT_TRUE(panel.runtime->IsDimmed());
    panel.runtime->PressKey(KEY_F5, 2100);
    EXPECT_FALSE(panel.runtime->IsDimmed());
    EXPECT_EQ(panel.runtime->GetCurrentScreen(), 1) << "the waking press does nothing else";
    panel.runtime->Tick(4099);
    EXPECT_FALSE(panel.runtime->IsDimmed());

    PANEL always;
    always.runtime->Tick(0);
    always.runtime->Tick(100000000);
    EXPECT_FALSE(always.runtime->IsDimmed());
}

TEST(PanelRuntime, DamagedImagesAreRefusedWithAReason)
{
    std::unique_ptr<CProject> project = ProjectOf(ProjectJson(SCREENS));
    std::vector<BYTE> bytes = CompileOf(*project);
    std::string error;
    EXPECT_EQ(CPanelImage::FromBytes(std::vector<BYTE>(bytes.begin(), bytes.begin() + 40), error), nullptr);
    EXPECT_NE(error.find("header"), std::string::npos) << error;
    bytes.resize(bytes.size() - 10);
    EXPECT_EQ(CPanelImage::FromBytes(bytes, error), nullptr) << "glyphs cut short";
    EXPECT_EQ(CPanelImage::FromFile("/nonexistent/x.vxg", error), nullptr);
    EXPECT_FALSE(error.empty());
}

TEST(PanelRuntime, AFieldOfManyDigitsIsEditedWithoutWrapping)
{
    std::unique_ptr<CProject> project = ProjectOf(ProjectJson(SCREENS));
    std::vector<BYTE> bytes = CompileOf(*project);
    const size_t firstParameter = 59 + 16 * size_t(bytes.at(57));
    bytes.at(firstParameter + 4) = 200;  // D100: 200 integer digits
    bytes.at(firstParameter + 6) = 0xFF; // maximum 65535
    bytes.at(firstParameter + 7) = 0xFF;
    std::string error;
    std::unique_ptr<CPanelImage> image = CPanelImage::FromBytes(bytes, error);
    ASSERT_NE(image, nullptr) << error;
    CMemoryLink link;
    CPanelRuntime runtime(std::move(image));
    runtime.SetLink(&link);
    runtime.PressKey(KEY_SET, 0);
    ASSERT_EQ(runtime.GetEditDigits().size(), 201u);
    runtime.PressKey(KEY_UP, 0); // 1 followed by 200 zeros
    runtime.PressKey(KEY_ENT, 0);
    EXPECT_TRUE(link.writes.empty()) << "far above 65535, not its low bits";
    EXPECT_NE(runtime.GetMessage().find("refused"), std::string::npos);
}
