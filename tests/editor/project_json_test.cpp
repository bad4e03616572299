#include "project_json_test_support.h"

#include "controls/control_register.h"
#include "editor/project_json.h"

#include <fstream>
#include <iterator>

using namespace PROJECT_TEST;

namespace {

// Everything the editor can put in a project: every kind, names, two screens, a second panel
// model, panel settings, and a selection left standing when the file was saved.
Bytes RichProject()
{
    auto project = NewProject("QMX300");
    CScreenBase* first = project->GetFirstScreen();
    CScreenBase* second = project->AddNewScreen();
    second->SetScreenName(Gbk("参数").c_str());
    AddText(first, "温度 A1");
    auto* reg = static_cast<CControlRegister*>(Add(first, CControlBase::CONTROL_REGISTER));
    reg->SetIntegerDigits(3);
    reg->SetDecimalDigits(2);
    reg->SetMaximum(1200);
    reg->SetControlName(Gbk("炉温").c_str());
    for (unsigned type = 3; type <= 8; ++type)
        Add(second, type);
    CControlBase* selected = second->AddControl(CControlBase::CONTROL_LIGHT); // stays selected
    selected->SetInvertColor(1);
    project->SetBacklightDelay(45);
    project->SetFunctionPage(2, 2);
    project->SetActivateScreen(second);
    return SaveBytes(*project);
}

} // namespace

TEST(ProjectJson, EditorProjectsRoundTripByteForByte)
{
    const Bytes rich = RichProject();
    const std::string json = ExportOf(rich);
    EXPECT_EQ(ImportOf(json), rich);
    EXPECT_EQ(ExportOf(ImportOf(json)), json);

    const Bytes fresh = SaveBytes(*NewProject());
    EXPECT_EQ(ImportOf(ExportOf(fresh)), fresh);
}

TEST(ProjectJson, TheFormIsReadable)
{
    const std::string json = ExportOf(RichProject());
    for (const char* text :
         {"\"format\": \"zqe-project\"", "\"model\": \"QMX300\"", "\"name\": \"参数\"", "\"type\": \"function-key\"",
          "\"name\": \"炉温\"", "\"value\": \"温度 A1\"", "\"backlightDelay\": 45"})
        EXPECT_NE(json.find(text), std::string::npos) << text;
}

TEST(ProjectJson, TheDemoBuildsAndRoundTrips)
{
    const Bytes demo = ImportOf(ReadSource("examples/demo.json"));
    ASSERT_FALSE(demo.empty());
    std::string error;
    std::unique_ptr<CProject> project = CProjectFile::OpenBytes(demo, error);
    ASSERT_NE(project, nullptr) << error;
    EXPECT_EQ(project->GetScreenCount(), 3);
    EXPECT_EQ(project->CheckCompile(), CProject::COMPILE_OK);
    EXPECT_EQ(project->GetBacklightDelay(), 60);
    EXPECT_EQ(ImportOf(ExportOf(demo)), demo);
}

TEST(ProjectJson, ShortControlsRunTheEditorsChecks)
{
    const std::string head = R"({"device": {"model": "QMX200", "plc": "MODBUS自由协议"}, "screens": [{"controls": [)";
    const Bytes file = ImportOf(head + R"({"type": "static-text", "set": {"文字串": "ABC", "X": 100}}]}]})");
    std::string error;
    std::unique_ptr<CProject> project = CProjectFile::OpenBytes(file, error);
    ASSERT_NE(project, nullptr) << error;
    CControlBase* text = project->GetFirstScreen()->GetLayoutControls().at(0);
    EXPECT_EQ(text->GetWidth(), 24) << "the width follows the text";
    EXPECT_EQ(text->GetX(), 100);

    error = ImportError(head + R"({"type": "register", "set": {"小数位数": 2}}]}]})");
    EXPECT_NE(error.find("screens[0].controls[0].set.小数位数"), std::string::npos) << error;
    EXPECT_NE(error.find("refused"), std::string::npos) << error;
    error = ImportError(head + R"({"type": "lamp", "set": {"文字串": "x"}}]}]})");
    EXPECT_NE(error.find("no attribute"), std::string::npos) << error;
    error = ImportError(head + R"({"type": "static-text", "set": {"文字串": "😀"}}]}]})");
    EXPECT_NE(error.find("outside GBK"), std::string::npos) << error;
    error = ImportError(head + R"({"type": "gauge"}]}]})");
    EXPECT_NE(error.find("no control kind"), std::string::npos) << error;
}

TEST(ProjectJson, FormsThatMakeNoProjectAreRefused)
{
    EXPECT_NE(ImportError("{").find("parse error"), std::string::npos);
    EXPECT_NE(ImportError("[]").find("expected an object"), std::string::npos);
    EXPECT_NE(ImportError(R"({"screens": []})").find("\"device\" is missing"), std::string::npos);
    EXPECT_NE(ImportError(R"({"device": {"model": "QMX999", "plc": "x"}, "screens": [{}]})").find("QMX999"),
              std::string::npos);
    EXPECT_NE(ImportError(R"({"device": {"model": "QMX200", "plc": "MODBUS自由协议"}, "screens": []})")
                  .find("at least one screen"),
              std::string::npos);
    EXPECT_NE(ImportError(R"({"format": "other", "device": {}, "screens": [{}]})").find("format"), std::string::npos);

    // A full control whose groups do not fit its kind: every field is written, but it does not load.
    std::string json = ExportOf(RichProject());
    const size_t at = json.find("\"type\": \"register\"");
    ASSERT_NE(at, std::string::npos);
    json.replace(at, 18, "\"type\": \"lamp\"    ");
    EXPECT_NE(ImportError(json).find("makes no project"), std::string::npos);
}

TEST(ProjectJson, ExportRefusesWhatItCannotCarry)
{
    std::string json, error;
    EXPECT_FALSE(CProjectJson::Export(Bytes(10, 0), json, error));
    EXPECT_FALSE(error.empty());
    // The baud rate field written as "038400": the project opens, but the form would write "38400".
    Bytes file = SaveBytes(*NewProject());
    const size_t baud = 50 + 12 + 10;
    ASSERT_EQ(std::string(reinterpret_cast<const char*>(&file[baud])), "38400");
    const char odd[] = "038400";
    std::copy(odd, odd + 6, file.begin() + long(baud));
    std::unique_ptr<CProject> project = CProjectFile::OpenBytes(file, error);
    ASSERT_NE(project, nullptr);
    EXPECT_FALSE(CProjectJson::Export(file, json, error));
    EXPECT_NE(error.find("first difference at byte " + std::to_string(baud)), std::string::npos) << error;
    EXPECT_TRUE(json.empty());
}
