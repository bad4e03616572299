// Damaged and hostile input on every way into a project: deeply nested JSON, control geometry
// outside the panel (JSON short and full forms, project files, the clipboard), zoom and panel
// sizes beyond what the editor draws, and the draw order of large screens.
#include "project_test_support.h"

#include "comkit/test_temp_dir.h"
#include "controls/attr_groups.h"
#include "controls/control_register.h"
#include "editor/project_json.h"

#include <sys/stat.h>

#include <algorithm>
#include <random>

using namespace PROJECT_TEST;

namespace {

const std::string DEVICE = R"({"device": {"model": "QMX200", "plc": "MODBUS自由协议"}, "screens": [{"controls": [)";

std::string ImportError(const std::string& json)
{
    Bytes file;
    std::string error;
    EXPECT_FALSE(CProjectJson::Import(json, file, error));
    EXPECT_TRUE(file.empty());
    return error;
}

std::string OpenError(const Bytes& bytes)
{
    std::string error;
    std::unique_ptr<CProject> project(CProjectFile::OpenBytes(bytes, error));
    EXPECT_EQ(project, nullptr);
    return error;
}

// The file of a project whose one register was moved to `x` behind the layout checks' back (the
// stored X patched), and that register's record.
Bytes ProjectWithControlAt(int x, Bytes* record = nullptr)
{
    auto project = NewProject();
    CControlBase* reg = Add(project->GetFirstScreen(), CControlBase::CONTROL_REGISTER);
    EXPECT_EQ(reg->SetX(37), 1);
    Bytes file = SaveBytes(*project);
    const Bytes marker = {1, 0, 0, 0, 'X'};
    auto at = std::search(file.begin(), file.end(), marker.begin(), marker.end());
    EXPECT_NE(at, file.end());
    at = std::find(at, file.end(), BYTE(37)); // the value follows the name and its carrier code
    EXPECT_NE(at, file.end());
    COMMON_EX::WriteLE32(&*at, DWORD(x));
    if (record) {
        record->assign(4 + reg->GetRecordSize(), 0);
        reg->Save(record->data() + 4, DWORD(record->size() - 4));
        COMMON_EX::WriteLE32(record->data(), 1);
        const auto inRecord = std::search(record->begin(), record->end(), marker.begin(), marker.end());
        COMMON_EX::WriteLE32(&*std::find(inRecord, record->end(), BYTE(37)), DWORD(x));
    }
    return file;
}

} // namespace

TEST(HostileInput, DeeplyNestedJsonIsRefusedBeforeParsing)
{
    const size_t depth = 100000;
    const std::string json = R"({"x": )" + std::string(depth, '[') + std::string(depth, ']') + R"(, "screens": []})";
    EXPECT_NE(ImportError(json).find("more than 64 levels deep"), std::string::npos);
    // Brackets inside texts do not count.
    const std::string quoted = DEVICE + R"({"type": "static-text", "name": ")" + std::string(200, '[') + R"("}]}]})";
    Bytes file;
    std::string error;
    EXPECT_TRUE(CProjectJson::Import(quoted, file, error)) << error;
}

TEST(HostileInput, ControlGeometryOutsideThePanelIsRefusedOnEveryWayIn)
{
    // Short form: x + width would wrap round a 32-bit sum.
    std::string error = ImportError(DEVICE + R"({"type": "register", "set": {"宽度": 10, "X": 2147483640}}]}]})");
    EXPECT_NE(error.find("screens[0].controls[0].set.X: the control refused 2147483640"), std::string::npos) << error;

    // Full form: the record is written whole but would not load.
    Bytes good = ProjectWithControlAt(10);
    std::string json, exportError;
    ASSERT_TRUE(CProjectJson::Export(good, json, exportError)) << exportError;
    const std::string x = R"("name": "X",)";
    const size_t at = json.find(x);
    ASSERT_NE(at, std::string::npos);
    const size_t value = json.find("10", at);
    json.replace(value, 2, "2147483647");
    error = ImportError(json);
    EXPECT_NE(error.find("X 2147483647, Y "), std::string::npos) << error;
    EXPECT_NE(error.find("do not lie inside the 192 x 64 panel"), std::string::npos) << error;

    // A project file and the clipboard.
    EXPECT_FALSE(OpenError(ProjectWithControlAt(INT32_MAX)).empty());
    EXPECT_FALSE(OpenError(ProjectWithControlAt(-1)).empty());
    std::string openError;
    EXPECT_NE(std::unique_ptr<CProject>(CProjectFile::OpenBytes(ProjectWithControlAt(40), openError)), nullptr)
        << "the patch itself keeps a good file: " << openError;
    Bytes clip;
    ProjectWithControlAt(INT32_MAX - 3, &clip);
    auto project = NewProject();
    CScreenBase* screen = project->GetFirstScreen();
    DWORD pasteCount = 0;
    EXPECT_EQ(screen->PasteControlsFromData(clip.data(), DWORD(clip.size()), pasteCount), 0);
    EXPECT_EQ(screen->GetControlCount(), 0);
}

TEST(HostileInput, ZoomAndPanelSizeAreBounded)
{
    auto project = NewProject();
    project->GetFirstScreen()->SetScreenZoomRate(1e6); // would draw a 192e6-pixel-wide surface
    std::string error;
    std::unique_ptr<CProject> opened(CProjectFile::OpenBytes(SaveBytes(*project), error));
    ASSERT_NE(opened, nullptr) << error;
    EXPECT_EQ(opened->GetFirstScreen()->GetScreenZoomRate(), CScreenBase::DEFAULT_ZOOM_RATE);
    project->GetFirstScreen()->SetScreenZoomRate(CScreenBase::MAX_ZOOM_RATE);
    opened = CProjectFile::OpenBytes(SaveBytes(*project), error);
    ASSERT_NE(opened, nullptr) << error;
    EXPECT_EQ(opened->GetFirstScreen()->GetScreenZoomRate(), CScreenBase::MAX_ZOOM_RATE);

    // The device record's display width: 100000 pixels is no panel.
    Bytes wide = SaveBytes(*project);
    COMMON_EX::WriteLE32(&wide[CProject::HEADER_SIZE + 4], 100000);
    EXPECT_FALSE(OpenError(wide).empty());
}

TEST(HostileInput, DrawOrderMatchesTheExchangeOfLevelsWithAndWithoutTies)
{
    auto project = NewProject();
    CScreenBase* screen = project->GetFirstScreen();
    std::vector<CControlBase*> controls;
    controls.reserve(40);
    for (int i = 0; i < 40; ++i)
        controls.push_back(Add(screen, CControlBase::CONTROL_STATIC_TEXT));
    std::mt19937 random(7);
    for (int levels : {1000, 5}) { // distinct (mostly), then many ties
        for (CControlBase* c : controls)
            c->SetLevelIndex(int(random() % unsigned(levels)));
        std::vector<CControlBase*> expected = controls;
        for (size_t p = 0; p < expected.size(); ++p)
            for (size_t q = p + 1; q < expected.size(); ++q)
                if (expected[q]->GetLevelIndex() < expected[p]->GetLevelIndex())
                    std::swap(expected[p], expected[q]);
        EXPECT_EQ(CScreenBase::DrawOrderByLevel(controls), expected) << levels;
    }
}

TEST(HostileInput, OpeningAFifoNeverWaitsForAWriter)
{
    CTestTempDir dir;
    const std::string fifo = dir.File("project.ZQE");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string error;
    // Before, open() itself waited for a writer that never comes.
    EXPECT_EQ(std::unique_ptr<CProject>(CProjectFile::Open(fifo, error)), nullptr);
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
    // Nor is a FIFO replaced by a save.
    auto project = NewProject();
    EXPECT_FALSE(CProjectFile::Save(fifo, *project, error));
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
}
