#include "project_json_test_support.h"

#include "comkit/message_text.h"
#include "editor/project_json.h"
#include "editor/project_json_checks.h"
#include "editor/project_json_names.h"

#include <random>
#include <set>

using namespace PROJECT_TEST;
using PROJECT_JSON::Json;

namespace {

std::string ExportAscii(const Bytes& file)
{
    std::string json, error;
    EXPECT_TRUE(CProjectJson::ExportAscii(file, json, error)) << error;
    return json;
}

// A project of `seed`: two screens of controls of the kinds the editor places, every enumeration
// at a random item and the registers' flags at random.
Bytes RandomProject(unsigned seed)
{
    std::mt19937 random(seed);
    auto project = NewProject(seed % 2 ? "QMX300" : "QMX200");
    CScreenBase* screens[] = {project->GetFirstScreen(), project->AddNewScreen()};
    for (int i = 0; i < 12; ++i) {
        CControlBase* control = Add(screens[random() % 2], 1 + random() % 4);
        for (CAttributeBase* attribute : PROJECT_JSON::AttributesOf(*control)) {
            if (!*attribute->GetAttributeName())
                continue;
            if (attribute->GetType() == CAttributeBase::ATTRIBUTE_ENUM)
                attribute->SetValue(COMMON_EX::CAttrValue::Int32(int(random() % 30)));
            else if (attribute->GetType() == CAttributeBase::ATTRIBUTE_BOOL)
                attribute->SetValue(COMMON_EX::CAttrValue::Int16(short(random() % 2)));
        }
    }
    return SaveBytes(*project);
}

// Every control kind, once, on a project with the PLC `plc` of the catalogue.
Json EveryKindForm(const char* plc)
{
    std::unique_ptr<CProject> project(new CProject);
    if (project->SetDeviceAndPLC("QMX200", plc, nullptr) != 1)
        return Json();
    for (unsigned type = 1; type <= 8; ++type)
        Add(project->GetFirstScreen(), type);
    std::string json, error;
    EXPECT_TRUE(CProjectJson::Export(SaveBytes(*project), json, error)) << error;
    return Json::parse(json);
}

} // namespace

TEST(ProjectJsonNames, AsciiNamedFormsImportToTheBytesOfTheirChineseTwins)
{
    const Bytes demo = ImportOf(ReadSource("examples/demo.json"));
    const std::string ascii = ExportAscii(demo);
    for (const char* alias : {"\"name\": \"layout\"", "\"name\": \"coil_kind\"", "\"4X\"", "\"toggle\""})
        EXPECT_NE(ascii.find(alias), std::string::npos) << alias;
    EXPECT_EQ(ascii.find("\"name\": \"线圈号\""), std::string::npos);
    EXPECT_EQ(ImportOf(ascii), demo);

    const std::string head = R"({"device": {"model": "QMX200", "plc": "MODBUS自由协议"}, "screens": [{"controls": [)";
    const Bytes chinese = ImportOf(head + R"J({"type": "register", "set": {"整数位数": 3, "寄存器号": "D(数据寄存器)",
        "寄存器地址": 100, "X": 44}}, {"type": "function-key", "set": {"线圈号": "Y(输出)", "值设置": "交替",
        "Y": 30}}, {"type": "lamp", "set": {"显示外形": "方形", "X": 80}}]}]})J");
    const Bytes english = ImportOf(head + R"J({"type": "register", "set": {"integer_digits": 3, "register_kind": "D",
        "register_address": 100, "x": 44}}, {"type": "function-key", "set": {"coil_kind": "Y", "coil_action": "toggle",
        "y": 30}}, {"type": "lamp", "set": {"shape": "square", "x": 80}}]}]})J");
    ASSERT_FALSE(chinese.empty());
    EXPECT_EQ(english, chinese);
}

TEST(ProjectJsonNames, SeededRandomProjectsRoundTripThroughAsciiNames)
{
    for (unsigned seed = 1; seed <= 24; ++seed) {
        const Bytes file = RandomProject(seed);
        EXPECT_EQ(ImportOf(ExportAscii(file)), file) << "seed " << seed;
    }
}

TEST(ProjectJsonNames, EveryGroupAttributeAndItemOfEveryPLCHasAUniqueAlias)
{
    std::set<std::string> groups, attributes;
    for (const auto& entry : PROJECT_JSON::GroupAliases())
        EXPECT_TRUE(groups.insert(entry.ascii).second) << entry.ascii;
    for (const auto& entry : PROJECT_JSON::AttributeAliases())
        EXPECT_TRUE(attributes.insert(entry.ascii).second) << entry.ascii;

    CPLCCollection* plcs = CPLCCollection::GetInstance();
    plcs->StartGetPLC();
    UINT id = 0;
    char name[256] = {}, description[256] = {};
    int walked = 0;
    while (plcs->GetNextPLC(id, name, description)) {
        const Json form = EveryKindForm(name);
        if (form.is_null())
            continue;
        ++walked;
        for (const Json& control : form["screens"][0]["controls"])
            for (const Json& group : control["groups"]) {
                EXPECT_FALSE(PROJECT_JSON::GroupAlias(group["name"]).empty()) << group["name"];
                for (const Json& attribute : group["attributes"]) {
                    if (!attribute.contains("name"))
                        continue;
                    const std::string stored = attribute["name"];
                    EXPECT_FALSE(PROJECT_JSON::AttributeAlias(stored).empty()) << stored;
                    if (!attribute.contains("items") || stored == "画面跳转至") // screen names: the user's own
                        continue;
                    const std::vector<std::string> items = attribute["items"];
                    std::set<std::string> aliases;
                    for (const std::string& item : items) {
                        const std::string alias = PROJECT_JSON::ItemAlias(stored, item);
                        EXPECT_FALSE(alias.empty()) << stored << ": " << item << " of PLC " << id;
                        EXPECT_TRUE(aliases.insert(alias).second) << stored << ": " << alias << " of PLC " << id;
                        EXPECT_EQ(PROJECT_JSON::ItemOf(stored, alias, items), item);
                    }
                }
            }
    }
    EXPECT_GT(walked, 0);
}

TEST(ProjectJsonNames, UnknownNamesAnswerWithTheValidOnesInBothForms)
{
    Bytes file;
    std::string error;
    EXPECT_FALSE(CProjectJson::Import(R"({"device": {"model": "QMX200", "plc": 100}, "screens": [{"controls": [
        {"type": "lamp", "set": {"colour": 1}}]}]})",
                                      file, error));
    for (const char* name : {"set.colour", "no attribute", "\"X\", \"Y\", \"宽度\"", "\"显示外形\"",
                             "; in ASCII names \"x\", \"y\", \"width\"", "\"shape\""})
        EXPECT_NE(error.find(name), std::string::npos) << name << " in " << error;
    EXPECT_TRUE(file.empty());
    // An item named by neither its text nor its alias is refused.
    EXPECT_FALSE(CProjectJson::Import(R"({"device": {"model": "QMX200", "plc": 100}, "screens": [{"controls": [
        {"type": "lamp", "set": {"shape": "oval"}}]}]})",
                                      file, error));
    EXPECT_NE(error.find("refused \"oval\""), std::string::npos) << error;
}

TEST(ProjectJsonNames, UnknownNamesListTheUsersLanguageFirst)
{
    const auto refusal = [](const char* set, const char* type = "lamp") {
        Bytes file;
        std::string error;
        EXPECT_FALSE(
            CProjectJson::Import(std::string(R"({"device": {"model": "QMX200", "plc": 100}, "screens": [{"controls": [
            {"type": ")") + type + R"(", "set": )" +
                                     set + "}]}]}",
                                 file, error));
        return error;
    };
    const auto before = [](const std::string& text, const char* first, const char* second) {
        const size_t a = text.find(first), b = text.find(second);
        return a != std::string::npos && b != std::string::npos && a < b;
    };
    // Chinese (as the libraries start): the stored names, then the ASCII ones.
    std::string attribute = refusal(R"({"colour": 1})");
    std::string item = refusal(R"({"shape": "oval"})");
    EXPECT_TRUE(before(attribute, "it has \"X\", \"Y\", \"宽度\"", "; in ASCII names \"x\", \"y\", \"width\""))
        << attribute;
    EXPECT_EQ(item, "screens[0].controls[0].set.shape: the control refused \"oval\"; it takes \"圆形\", \"方形\"; in "
                    "ASCII names \"round\", \"square\"");
    // An unknown kind lists the kinds (the same keys in every language).
    EXPECT_NE(refusal("{}", "gauge").find("\"gauge\" is no control kind (static-text, register, lamp, function-key,"),
              std::string::npos);
    // Items that are their own ASCII names are listed once.
    const std::string digits = refusal(R"({"integer_digits": "ten"})", "register");
    EXPECT_NE(digits.find("refused \"ten\"; it takes \"0\", \"1\", \"2\""), std::string::npos) << digits;
    EXPECT_EQ(digits.find("ASCII"), std::string::npos) << digits;

    COMMON_EX::SetMessageTranslator(nullptr, COMMON_EX::MESSAGE_ENGLISH);
    attribute = refusal(R"({"colour": 1})");
    item = refusal(R"({"shape": "oval"})");
    COMMON_EX::SetMessageTranslator(nullptr, COMMON_EX::MESSAGE_CHINESE);
    EXPECT_TRUE(before(attribute, "it has \"x\", \"y\", \"width\"", "; in stored names \"X\", \"Y\", \"宽度\""))
        << attribute;
    EXPECT_EQ(item,
              "screens[0].controls[0].set.shape: the control refused \"oval\"; it takes \"round\", \"square\"; in "
              "stored names \"圆形\", \"方形\"");
}

TEST(ProjectJsonNames, TheDocumentShowsTheAliasTable)
{
    EXPECT_NE(ReadSource("docs/project-json.md").find(PROJECT_JSON::AliasTableMarkdown()), std::string::npos)
        << "docs/project-json.md must hold this table:\n"
        << PROJECT_JSON::AliasTableMarkdown();
}
