// The address cross-reference: the demo's addresses exactly, aliases, octal kinds, access, search
// and the CSV and JSON forms.
#include "project_json_test_support.h"

#include "controls/control_function.h"
#include "controls/control_register.h"
#include "editor/address_xref.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace PROJECT_TEST;

namespace {

std::unique_ptr<CProject> Demo()
{
    std::string error;
    std::unique_ptr<CProject> project = CProjectFile::OpenBytes(ImportOf(ReadSource("examples/demo.json")), error);
    EXPECT_NE(project, nullptr) << error;
    return project;
}

// "typed line access screen:id,screen:id" of every entry.
std::vector<std::string> Summary(const std::vector<CAddressXref::ENTRY>& entries)
{
    std::vector<std::string> lines;
    for (const auto& e : entries) {
        std::string line = std::to_string(e.addressClass) + " s" + std::to_string(e.station) + " " +
                           COMMON_EX::GbkToUtf8Lossy(e.typed.c_str()) + " " + std::to_string(e.lineAddress) + " " +
                           std::to_string(e.access) + (e.octal ? " octal" : "");
        for (const auto& use : e.uses)
            line += " " + std::to_string(use.screenNumber) + ":" + std::to_string(use.controlID);
        lines.push_back(line);
    }
    return lines;
}

} // namespace

TEST(AddressXref, TheDemoExactly)
{
    auto project = Demo();
    ASSERT_NE(project, nullptr);
    const auto entries = CAddressXref::Build(*project);
    // Registers first, then coils, each by line address; Y10 is octal 10 = 8, + 256 on this panel.
    const std::vector<std::string> expected = {
        "0 s1 D100 100 1 1:2", "0 s1 D200 200 3 2:1",  "1 s1 Y10 264 1 octal 1:5",
        "1 s1 M0 2048 2 2:3",  "1 s1 M100 2148 1 3:1", "1 s1 M101 2149 1 3:3",
    };
    EXPECT_EQ(Summary(entries), expected);
    ASSERT_EQ(entries.size(), expected.size());
    EXPECT_EQ(COMMON_EX::GbkToUtf8Lossy(entries[0].kindName.c_str()), "D(数据寄存器)");
    EXPECT_EQ(COMMON_EX::GbkToUtf8Lossy(entries[0].uses[0].controlName.c_str()), "炉温");
    EXPECT_EQ(COMMON_EX::GbkToUtf8Lossy(entries[0].uses[0].screenName.c_str()), "主画面");

    const std::string csv = CAddressXref::FormatCsv(entries);
    EXPECT_EQ(csv.substr(0, csv.find("\r\n")), "类别,站号,地址,类型,线路地址,线路地址(十六进制),读写,使用者");
    EXPECT_NE(csv.find("\r\n寄存器,1,D200,D(数据寄存器),200,0x00C8,读写,画面2 参数设置：设定温度 (读写)\r\n"),
              std::string::npos)
        << csv;
    EXPECT_NE(csv.find("\r\n线圈,1,Y10,Y(输出),264,0x0108,读,"), std::string::npos) << csv;
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 7);

    const QJsonDocument json = QJsonDocument::fromJson(QByteArray::fromStdString(CAddressXref::FormatJson(entries)));
    const QJsonArray list = json.object().value("addresses").toArray();
    ASSERT_EQ(list.size(), 6);
    const QJsonObject m0 = list[3].toObject();
    EXPECT_EQ(m0.value("typed").toString(), "M0");
    EXPECT_EQ(m0.value("line").toInt(), 2048);
    EXPECT_EQ(m0.value("lineHex").toString(), "0x0800");
    EXPECT_EQ(m0.value("access").toString(), "write");
    EXPECT_EQ(m0.value("uses").toArray()[0].toObject().value("screen").toInt(), 2);
}

TEST(AddressXref, AliasesStationsJumpKeysAndQuotedNames)
{
    auto project = NewProject();
    CScreenBase* screen = project->GetFirstScreen();
    // D9000 lies beyond D's range; the conversion maps it onto D4840, which is listed beside it.
    auto* beyond = static_cast<CControlRegister*>(Add(screen, CControlBase::CONTROL_REGISTER));
    beyond->SetRegister(1);
    beyond->SetRegisterAddr(9000);
    beyond->SetControlName(Gbk("a,\"b\"").c_str());
    auto* alias = static_cast<CControlRegister*>(Add(screen, CControlBase::CONTROL_REGISTER));
    alias->SetRegister(1);
    alias->SetRegisterAddr(4840);
    auto* other = static_cast<CControlRegister*>(Add(screen, CControlBase::CONTROL_REGISTER));
    other->SetRegister(1);
    other->SetRegisterAddr(4840);
    other->SetPLCStation(2);
    auto* jump = static_cast<CControlFunction*>(Add(screen, CControlBase::CONTROL_FUNCTION));
    jump->SetFunction(CControlFunction::FUNCTION_JUMP);
    Add(screen, CControlBase::CONTROL_CURVE);

    const auto entries = CAddressXref::Build(*project);
    EXPECT_EQ(Summary(entries),
              (std::vector<std::string>{"0 s1 D4840 4840 1 1:1", "0 s1 D9000 4840 1 1:0", "0 s2 D4840 4840 1 1:2"}));
    const std::string csv = CAddressXref::FormatCsv(entries);
    EXPECT_NE(csv.find(",\"画面1：a,\"\"b\"\" (读)\"\r\n"), std::string::npos) << csv;
}

TEST(AddressXref, FindByAddress)
{
    auto project = Demo();
    ASSERT_NE(project, nullptr);
    const auto entries = CAddressXref::Build(*project);
    ASSERT_EQ(entries.size(), 6u);
    const auto& y10 = entries[2];
    for (const char* query : {"Y10", " y10 ", "264", "0x108", "0X0108", "108h", ""})
        EXPECT_TRUE(CAddressXref::Matches(y10, query)) << query;
    for (const char* query : {"Y1", "263", "0x", "h", "D100", "x10", "-264", "0x1g8"})
        EXPECT_FALSE(CAddressXref::Matches(y10, query)) << query;
}
