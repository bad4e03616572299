// The project check on crafted projects, one group of findings each, and on the demo, which is
// clean and keeps every saved and compiled byte.
#include "project_json_test_support.h"

#include "controls/control_function.h"
#include "controls/control_register.h"
#include "editor/address_xref.h"
#include "editor/project_check.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace PROJECT_TEST;
using Check = CProjectCheck;

namespace {

std::unique_ptr<CProject> Demo()
{
    std::string error;
    std::unique_ptr<CProject> project = CProjectFile::OpenBytes(ImportOf(ReadSource("examples/demo.json")), error);
    EXPECT_NE(project, nullptr) << error;
    return project;
}

// "code@screen:control severity" of every finding (control "-" for none).
std::vector<std::string> Findings(CProject& project)
{
    std::vector<std::string> lines;
    for (const auto& f : Check::Run(project)) {
        EXPECT_FALSE(f.text.empty());
        lines.push_back(std::string(Check::CodeName(f.code)) + "@" + std::to_string(f.screenNumber) + ":" +
                        (f.hasControl ? std::to_string(f.controlID) : "-") + " " + Check::SeverityName(f.severity));
    }
    return lines;
}

const Check::FINDING* Find(const std::vector<Check::FINDING>& findings, Check::Code code)
{
    for (const auto& f : findings)
        if (f.code == code)
            return &f;
    return nullptr;
}

CControlRegister* AddRegister(CScreenBase* screen, int kind, int address, int x = 0, int y = 0)
{
    auto* reg = static_cast<CControlRegister*>(Add(screen, CControlBase::CONTROL_REGISTER));
    reg->SetRegister(kind);
    reg->SetRegisterAddr(address);
    EXPECT_EQ(reg->SetX(x), 1);
    EXPECT_EQ(reg->SetY(y), 1);
    return reg;
}

CControlFunction* AddKey(CScreenBase* screen, int key, int x, int y)
{
    auto* f = static_cast<CControlFunction*>(Add(screen, CControlBase::CONTROL_FUNCTION));
    f->SetKeyIndex(key);
    EXPECT_EQ(f->SetX(x), 1);
    EXPECT_EQ(f->SetY(y), 1);
    return f;
}

// count different GB2312 characters (GBK) from the n-th on.
std::string Characters(int first, int count)
{
    std::string text;
    for (int i = first; i < first + count; ++i) {
        text += char(0xB0 + i / 94);
        text += char(0xA1 + i % 94);
    }
    return text;
}

// A project whose static texts hold `characters` different characters besides one register.
std::unique_ptr<CProject> TextHeavy(int characters)
{
    auto project = NewProject();
    AddRegister(project->GetFirstScreen(), 1, 100);
    for (int first = 0; first < characters; first += 200) {
        CScreenBase* screen = project->AddNewScreen();
        auto* text = static_cast<CControlStaticText*>(Add(screen, CControlBase::CONTROL_STATIC_TEXT));
        text->SetText(Characters(first, std::min(200, characters - first)).c_str());
    }
    return project;
}

} // namespace

TEST(ProjectCheck, TheDemoIsCleanAndKeepsEveryByte)
{
    auto project = Demo();
    ASSERT_NE(project, nullptr);
    const Bytes saved = SaveBytes(*project);
    const Bytes image = CompileBytes(*project);
    EXPECT_EQ(Findings(*project), std::vector<std::string>{});
    CAddressXref::Build(*project);
    // Unnamed controls and screens stay unnamed: the check never asks for a missing name.
    EXPECT_EQ(SaveBytes(*project), saved);
    EXPECT_EQ(CompileBytes(*project), image);
}

TEST(ProjectCheck, TheDownloadsRefusalsAndTheImageSize)
{
    auto empty = NewProject();
    AddText(empty->GetFirstScreen(), "A");
    EXPECT_EQ(Findings(*empty), std::vector<std::string>{"no-parameter-control@0:- error"});

    auto crowded = NewProject();
    for (int i = 0; i < 256; ++i)
        Add(crowded->GetFirstScreen(), CControlBase::CONTROL_LIGHT);
    const auto many = Check::Run(*crowded);
    ASSERT_NE(Find(many, Check::TOO_MANY_CONTROLS), nullptr);
    EXPECT_NE(Find(many, Check::TOO_MANY_CONTROLS)->text.find("256"), std::string::npos);
    EXPECT_EQ(Find(many, Check::NO_PARAMETER_CONTROL), nullptr);

    // Each new double-byte character takes 2 bytes of text, 4 of index and 32 of glyph.
    auto near = TextHeavy(960);
    const DWORD nearSize = near->Compile(nullptr, 0);
    ASSERT_GE(nearSize * 10, Check::PANEL_IMAGE_ROOM * 9);
    ASSERT_LE(nearSize, Check::PANEL_IMAGE_ROOM);
    const auto nearFindings = Check::Run(*near);
    ASSERT_NE(Find(nearFindings, Check::IMAGE_NEAR_LIMIT), nullptr);
    EXPECT_EQ(Find(nearFindings, Check::IMAGE_NEAR_LIMIT)->severity, Check::SEVERITY_WARNING);
    EXPECT_NE(Find(nearFindings, Check::IMAGE_NEAR_LIMIT)->text.find(std::to_string(nearSize)), std::string::npos);

    auto beyond = TextHeavy(1100);
    ASSERT_GT(beyond->Compile(nullptr, 0), Check::PANEL_IMAGE_ROOM);
    ASSERT_NE(Find(Check::Run(*beyond), Check::IMAGE_BEYOND_FLASH), nullptr);
    EXPECT_EQ(Find(Check::Run(*beyond), Check::IMAGE_TOO_LARGE), nullptr);

    auto huge = TextHeavy(1800);
    ASSERT_GT(huge->Compile(nullptr, 0), 0xFFFFu);
    const auto hugeFindings = Check::Run(*huge);
    ASSERT_NE(Find(hugeFindings, Check::IMAGE_TOO_LARGE), nullptr);
    EXPECT_EQ(Find(hugeFindings, Check::IMAGE_BEYOND_FLASH), nullptr);
    std::string message;
    EXPECT_EQ(huge->CheckCompile(&message), CProject::COMPILE_TOO_LARGE) << "the check agrees with the compile";
}

TEST(ProjectCheck, AddressesAgainstTheCatalogue)
{
    auto project = NewProject();
    CScreenBase* screen = project->GetFirstScreen();
    AddRegister(screen, 1, 8511, 0, 0);   // D8511: the last D, clean
    AddRegister(screen, 1, 9000, 48, 0);  // D9000 lands on D4840
    AddRegister(screen, 0, 70000, 96, 0); // 4X70000: beyond 4X and beyond 16 bits
    AddRegister(screen, 9, 1, 144, 0);    // the PLC has 7 register kinds
    AddRegister(screen, 1, 1, 0, 20)->SetPLCStation(300);
    auto* lamp = Add(screen, CControlBase::CONTROL_LIGHT); // Y8: octal
    lamp->SetCoil(2);
    lamp->SetCoilAddr(18);
    ASSERT_EQ(lamp->SetX(100), 1);
    ASSERT_EQ(lamp->SetY(40), 1);
    auto* x377 = Add(screen, CControlBase::CONTROL_LIGHT); // X377: the last X, clean
    x377->SetCoil(1);
    x377->SetCoilAddr(377);
    ASSERT_EQ(x377->SetX(130), 1);
    ASSERT_EQ(x377->SetY(40), 1);

    EXPECT_EQ(Findings(*project),
              (std::vector<std::string>{"address-out-of-range@1:1 error", "address-out-of-range@1:2 error",
                                        "line-address-cut@1:2 error", "kind-unknown@1:3 error",
                                        "station-out-of-range@1:4 error", "octal-digit@1:5 error"}));
    const auto findings = Check::Run(*project);
    EXPECT_EQ(Find(findings, Check::ADDRESS_OUT_OF_RANGE)->text,
              "D9000 超出 D(数据寄存器) 的范围 0-8511 (线路地址 4840)");
    EXPECT_EQ(Find(findings, Check::OCTAL_DIGIT)->text, "Y18 按八进制输入，不能含数字 8 或 9");
    EXPECT_EQ(Find(findings, Check::LINE_ADDRESS_CUT)->text, "4X70000 的线路地址 70000 超过 65535，映像只保留 4464");
}

TEST(ProjectCheck, RegisterLimitsAndDigits)
{
    auto project = NewProject();
    CScreenBase* screen = project->GetFirstScreen();
    auto* inverted = AddRegister(screen, 1, 1, 0, 0);
    inverted->SetEditable(1);
    inverted->SetMinimum(50);
    inverted->SetMaximum(20);
    auto* narrow = AddRegister(screen, 1, 2, 60, 0);
    ASSERT_EQ(narrow->SetIntegerDigits(2), 1);
    ASSERT_EQ(narrow->SetDecimalDigits(1), 1);
    narrow->SetEditable(1);
    narrow->SetMaximum(1000); // three digits show at most 999
    auto* exact = AddRegister(screen, 1, 3, 120, 0);
    ASSERT_EQ(exact->SetIntegerDigits(2), 1);
    ASSERT_EQ(exact->SetDecimalDigits(1), 1);
    exact->SetEditable(1);
    exact->SetMaximum(999);
    auto* shown = AddRegister(screen, 1, 5, 60, 20); // not editable: its limits bound nothing
    shown->SetMinimum(7);
    shown->SetMaximum(5);
    auto* negative = AddRegister(screen, 1, 4, 0, 20);
    negative->SetMinimum(-1);
    EXPECT_EQ(Findings(*project),
              (std::vector<std::string>{"minimum-above-maximum@1:0 error", "maximum-beyond-digits@1:1 warning",
                                        "limit-out-of-range@1:4 error"}));
}

TEST(ProjectCheck, KeysJumpsPagesAndReach)
{
    auto project = NewProject();
    CScreenBase* first = project->GetFirstScreen();
    CScreenBase* second = project->AddNewScreen();
    project->AddNewScreen(); // nothing leads to screen 3
    AddRegister(first, 1, 1, 0, 0);
    auto* toSecond = AddKey(first, 0, 0, 20);
    toSecond->SetFunction(CControlFunction::FUNCTION_JUMP);
    toSecond->SetJumpScreen(2);
    auto* toNowhere = AddKey(first, 1, 40, 20);
    toNowhere->SetFunction(CControlFunction::FUNCTION_JUMP);
    toNowhere->SetJumpScreen(5);
    auto* same = AddKey(first, 0, 80, 20); // F1 again
    same->SetFunction(CControlFunction::FUNCTION_JUMP);
    same->SetJumpScreen(0);
    AddKey(first, 20, 120, 20); // QMX200 has 16 keys
    AddKey(second, 0, 0, 0);    // F1 on another screen: no clash
    project->SetFunctionPage(3, 9);

    EXPECT_EQ(Findings(*project),
              (std::vector<std::string>{"function-page-missing@0:- error", "jump-target-missing@1:2 error",
                                        "duplicate-key@1:3 error", "jump-without-target@1:3 warning",
                                        "key-unknown@1:4 error", "screen-unreachable@3:- info"}));
    const auto findings = Check::Run(*project);
    EXPECT_EQ(Find(findings, Check::DUPLICATE_KEY)->text, "与本画面的 功能键 1 用同一个按键");
}

TEST(ProjectCheck, KeysWritingOneCoil)
{
    auto project = NewProject();
    CScreenBase* first = project->GetFirstScreen();
    CScreenBase* second = project->AddNewScreen();
    project->SetFunctionPage(0, 2);
    const auto key = [](CScreenBase* screen, int keyIndex, int x, int coil, int address, int setting) {
        auto* f = AddKey(screen, keyIndex, x, 0);
        f->SetCoil(coil);
        f->SetCoilAddr(address);
        f->SetValueSetting(setting);
        return f;
    };
    key(first, 0, 0, 3, 10, CControlFunction::VALUE_ON);        // M10 on
    key(first, 1, 40, 3, 10, CControlFunction::VALUE_OFF);      // M10 off: a start/stop pair
    key(second, 0, 0, 3, 10, CControlFunction::VALUE_TOGGLE);   // M10 toggled: conflicts with both
    key(second, 1, 40, 3, 20, CControlFunction::VALUE_HOLD);    // M20 held
    key(second, 2, 80, 3, 20, CControlFunction::VALUE_HOLD);    // again held: the same meaning
    key(second, 3, 120, 0, 2068, CControlFunction::VALUE_HOLD); // 0X2068 is M20 on the line
    auto* lamp = Add(first, CControlBase::CONTROL_LIGHT);       // reading M10 is no conflict
    lamp->SetCoil(3);
    lamp->SetCoilAddr(10);
    ASSERT_EQ(lamp->SetX(0), 1);
    ASSERT_EQ(lamp->SetY(30), 1);

    EXPECT_EQ(Findings(*project), (std::vector<std::string>{"coil-conflict@2:0 warning", "coil-conflict@2:3 warning"}));
    const auto findings = Check::Run(*project);
    EXPECT_EQ(findings.at(1).text, "与画面2的 功能键 1 写同一线圈 (M20 / 0X2068, 线路地址 2068)，含义不同");
}

TEST(ProjectCheck, OverlapsFontAndLongTexts)
{
    auto project = NewProject();
    CScreenBase* screen = project->GetFirstScreen();
    AddRegister(screen, 1, 1, 0, 0);
    AddRegister(screen, 1, 2, 10, 4); // on the first
    auto* hidden = AddKey(screen, 0, 0, 0);
    hidden->SetInvisible(1); // an invisible key overlaps nothing
    AddRegister(screen, 1, 3, 100, 0)->SetControlName(Gbk("甲").c_str());
    AddText(screen, "x")->SetX(100 + 40); // touching the register's right edge is no overlap
    auto* missing = AddText(screen, "ab");
    missing->SetText("\x81\x40 A\x01\xA1\xA1"); // GBK beyond GB2312, a control character
    ASSERT_EQ(missing->SetY(30), 1);
    auto* longText = static_cast<CControlStaticText*>(Add(screen, CControlBase::CONTROL_STATIC_TEXT));
    longText->SetText(std::string(300, '1').c_str());
    longText->SetY(45);

    EXPECT_EQ(Findings(*project), (std::vector<std::string>{"character-not-in-font@1:5 warning", "text-cut@1:6 warning",
                                                            "controls-overlap@1:1 warning"}));
    const auto findings = Check::Run(*project);
    EXPECT_EQ(Find(findings, Check::CONTROLS_OVERLAP)->text, "与 寄存器 0 重叠");
    EXPECT_EQ(Find(findings, Check::CHARACTER_NOT_IN_FONT)->text, "面板字库中没有这些字符，面板上显示为空白：丂 \\x01");

    const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(Check::FormatJson(findings))).object();
    EXPECT_EQ(json.value("warnings").toInt(), 3);
    EXPECT_EQ(json.value("errors").toInt(), 0);
    const QJsonObject first = json.value("findings").toArray()[2].toObject();
    EXPECT_EQ(first.value("code").toString(), "controls-overlap");
    EXPECT_EQ(first.value("severity").toString(), "warning");
    EXPECT_EQ(first.value("control").toInt(), 1);
    EXPECT_EQ(first.value("screen").toInt(), 1);
}
