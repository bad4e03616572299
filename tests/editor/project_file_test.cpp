#include "project_test_support.h"

#include "comkit/test_temp_dir.h"
#include "comkit/whole_file.h"
#include "devices/device_base.h"
#include "editor/editor_strings.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace PROJECT_TEST;

namespace {

const char* DamagedText()
{
    return CEditorStrings::Get(CEditorStrings::IDS_PROJECT_DAMAGED);
}

bool Opens(const Bytes& bytes, std::string* error = nullptr)
{
    std::string reason;
    std::unique_ptr<CProject> project = CProjectFile::OpenBytes(bytes, reason);
    if (error)
        *error = reason;
    return project != nullptr;
}

Bytes NewProjectBytes()
{
    return SaveBytes(*NewProject());
}

} // namespace

TEST(ProjectFile, NewProjectStartsWithTheHeaderAndTheDeviceRecord)
{
    auto project = NewProject();
    const Bytes bytes = SaveBytes(*project);
    const std::string head(bytes.begin(), bytes.begin() + 50);
    const std::string expected = std::string("ZQE") + std::string("\0\0\0\0\0\0\xF0\x3F", 8) +
                                 "Ostravine Korvane electronics Co.LTD" + std::string(3, '\0');
    EXPECT_EQ(head, expected);
    EXPECT_EQ(COMMON_EX::ReadLE32(&bytes[50]), 100u);
    const DWORD d = project->GetDevice()->Save(nullptr, 0);
    const DWORD l = project->GetScreensList()->Save(nullptr, 0);
    EXPECT_EQ(bytes.size(), 72 + d + l);
    EXPECT_EQ(project->Save(nullptr, 0), bytes.size());
}

TEST(ProjectFile, PanelSettingsCloseTheFile)
{
    auto project = NewProject();
    Bytes bytes = SaveBytes(*project);
    const size_t t = bytes.size() - 22;
    EXPECT_EQ(bytes[t], 0xFF);
    EXPECT_EQ(bytes[t + 1], 0xFF);
    EXPECT_EQ(COMMON_EX::ReadLE32(&bytes[t + 2]), 1u);
    for (size_t i = t + 6; i < bytes.size(); ++i)
        EXPECT_EQ(bytes[i], 0) << i;

    project->SetBacklightDelay(30);
    project->SetFunctionPage(0, 1);
    project->SetFunctionPage(3, 2);
    project->SetChangeMarker(0);
    bytes = SaveBytes(*project);
    EXPECT_EQ(bytes[t], 30);
    EXPECT_EQ(bytes[t + 1], 0);
    EXPECT_EQ(COMMON_EX::ReadLE32(&bytes[t + 2]), 0u);
    EXPECT_EQ(COMMON_EX::ReadLE32(&bytes[t + 6]), 1u);
    EXPECT_EQ(COMMON_EX::ReadLE32(&bytes[t + 18]), 2u);
}

TEST(ProjectFile, SaveLoadSaveGivesTheSameBytes)
{
    auto project = NewProject("QMX300");
    CScreenBase* second = project->AddNewScreen();
    ASSERT_NE(second, nullptr);
    second->SetScreenName(Gbk("报警画面").c_str());
    AddText(project->GetFirstScreen(), "温度 A1");
    Add(second, CControlBase::CONTROL_REGISTER);
    Add(second, CControlBase::CONTROL_LIGHT);
    Add(second, CControlBase::CONTROL_FUNCTION);
    project->SetBacklightDelay(120);
    project->SetFunctionPage(1, 2);
    const Bytes first = SaveBytes(*project);

    std::string error;
    std::unique_ptr<CProject> loaded = CProjectFile::OpenBytes(first, error);
    ASSERT_NE(loaded, nullptr) << error;
    EXPECT_EQ(SaveBytes(*loaded), first);
    EXPECT_EQ(loaded->GetScreenCount(), 2);
    EXPECT_EQ(loaded->GetControlsCount(), 4);
    EXPECT_EQ(loaded->GetBacklightDelay(), 120);
    EXPECT_EQ(loaded->GetFunctionPage(1), 2);
    EXPECT_EQ(loaded->GetDevice()->GetDeviceID(), 101u);
    EXPECT_FALSE(loaded->IsDeviceQMX200());
}

TEST(ProjectFile, OneByteMoreOrLessIsDamaged)
{
    Bytes bytes = NewProjectBytes();
    ASSERT_TRUE(Opens(bytes));
    Bytes longer = bytes;
    longer.push_back(0);
    std::string error;
    EXPECT_FALSE(Opens(longer, &error));
    EXPECT_EQ(error, DamagedText());
    Bytes shorter(bytes.begin(), bytes.end() - 1);
    EXPECT_FALSE(Opens(shorter, &error));
    EXPECT_EQ(error, DamagedText());
    // Every shorter cut fails too, and none reads past its end (the sanitizer build watches).
    for (size_t n = 0; n < bytes.size(); n += 7)
        EXPECT_FALSE(Opens(Bytes(bytes.begin(), bytes.begin() + long(n)))) << n;
}

TEST(ProjectFile, VersionAndReservedBytesAreNotChecked)
{
    Bytes bytes = NewProjectBytes();
    for (size_t i = 3; i <= 10; ++i)
        bytes[i] = static_cast<BYTE>(0x11 * i);
    bytes[47] = 1;
    bytes[48] = 2;
    bytes[49] = 3;
    EXPECT_TRUE(Opens(bytes));
}

TEST(ProjectFile, ASignatureMismatchIsRefusedBeforeLoading)
{
    const Bytes good = NewProjectBytes();
    for (size_t i : {0, 1, 2, 11, 20, 46}) {
        Bytes bad = good;
        bad[i] ^= 0x20;
        EXPECT_FALSE(CProject::CheckSignature(bad.data(), DWORD(bad.size()))) << i;
        std::string error;
        EXPECT_FALSE(Opens(bad, &error)) << i;
        EXPECT_EQ(error, DamagedText());
    }
    // Shorter than the header: the missing bytes count as zeros.
    EXPECT_FALSE(CProject::CheckSignature(good.data(), 46));
    EXPECT_TRUE(CProject::CheckSignature(good.data(), 47));
    EXPECT_FALSE(Opens(Bytes(good.begin(), good.begin() + 49)));
    // A whole header before a body of zeros: the header passes, the load fails.
    Bytes zeros(good.begin(), good.begin() + 50);
    zeros.resize(400, 0);
    EXPECT_FALSE(Opens(zeros));
}

TEST(ProjectFile, UnknownDeviceOrPLCIsDamaged)
{
    Bytes bytes = NewProjectBytes();
    COMMON_EX::WriteLE32(&bytes[50], 102);
    EXPECT_FALSE(Opens(bytes));
    bytes = NewProjectBytes();
    COMMON_EX::WriteLE32(&bytes[50 + 12 + 40], 7); // the PLC ID inside the device record
    EXPECT_FALSE(Opens(bytes));
}

TEST(ProjectFile, DeviceChangeKeepsScreensAndUnknownNamesChangeNothing)
{
    auto project = NewProject();
    Add(project->GetFirstScreen(), CControlBase::CONTROL_REGISTER);
    CDeviceBase* before = project->GetDevice();
    EXPECT_EQ(project->SetDeviceAndPLC("NOSUCH", "x", nullptr), 0);
    EXPECT_EQ(project->SetDeviceAndPLC("QMX300", "no such PLC", nullptr), 0);
    EXPECT_EQ(project->GetDevice(), before);
    EXPECT_EQ(project->GetFirstScreen()->GetDependenceDevice(), before);

    const char* plc = CPLCCollection::GetInstance()->ConvertPLCIDToPLCName(100);
    COM_HARDWARE_ATTRIBUTES_EX::CHADEXSerialAttri serial;
    serial.SetSerialName("COM3");
    serial.SetBaudrate(COM_HARDWARE_ATTRIBUTES_EX::CHADEXSerialAttri::BAUDRATE_19200);
    ASSERT_EQ(project->SetDeviceAndPLC("QMX300", plc, &serial), 1);
    EXPECT_EQ(project->GetDeviceName(), "QMX300");
    EXPECT_EQ(project->GetPLCName(), plc);
    EXPECT_STREQ(project->GetPLCSerialAttributes()->GetSerialName(), "COM3");
    EXPECT_EQ(project->GetControlsCount(), 1);
    EXPECT_EQ(project->GetFirstScreen()->GetDependenceDevice(), project->GetDevice());
}

TEST(ProjectFile, ScreenPassThroughsAndOpenWindows)
{
    CProject empty;
    EXPECT_EQ(empty.GetScreenCount(), 0);
    EXPECT_EQ(empty.AddNewScreen(), nullptr);
    EXPECT_EQ(empty.GetScreenZoomRate(), 0.0);
    EXPECT_EQ(empty.Save(nullptr, 0), 0u);
    EXPECT_EQ(empty.Compile(nullptr, 0), 0u);

    auto project = NewProject();
    CScreenBase* first = project->GetFirstScreen();
    CScreenBase* second = project->AddNewScreen();
    EXPECT_EQ(project->GetScreenByNumber(2), second);
    EXPECT_EQ(project->GetScreenByNumber(3), nullptr);
    EXPECT_EQ(project->GetNextScreenWithoutWindow(), first);
    EXPECT_EQ(project->GetNextScreenWithoutWindow(), second);
    EXPECT_EQ(project->GetNextScreenWithoutWindow(), nullptr);
    project->SetActivateScreen(second);
    EXPECT_EQ(project->GetActivateScreenIndex(), 1);
    project->RemoveCurrentActivateScreen();
    EXPECT_EQ(project->GetScreenCount(), 1);
    CScreenBase* third = project->AddNewScreen();
    EXPECT_EQ(project->GetNextScreenWithoutWindow(), third); // the removed one's window is gone
    project->SetScreenZoomRate(2.0);
    EXPECT_EQ(project->GetScreenZoomRate(), 2.0);
    EXPECT_EQ(third->GetScreenZoomRate(), 2.0);
}

TEST(ProjectFile, SaveReplacesTheFileWhole)
{
    CTestTempDir dir;
    const std::string path = dir.File("a.ZQE");
    auto project = NewProject();
    std::string error;
    ASSERT_TRUE(CProjectFile::Save(path, *project, error)) << error;
    const std::string first = CTestTempDir::ReadBytes(path);
    EXPECT_EQ(Bytes(first.begin(), first.end()), SaveBytes(*project));

    Add(project->GetFirstScreen(), CControlBase::CONTROL_LIGHT);
    ASSERT_TRUE(CProjectFile::Save(path, *project, error)) << error;
    const std::string second = CTestTempDir::ReadBytes(path);
    EXPECT_GT(second.size(), first.size());
    std::unique_ptr<CProject> opened = CProjectFile::Open(path, error);
    ASSERT_NE(opened, nullptr) << error;
    EXPECT_EQ(opened->GetControlsCount(), 1);
    EXPECT_EQ(std::filesystem::directory_iterator(dir.Path())->path().filename(), "a.ZQE");
}

TEST(ProjectFile, AFailedSaveLeavesTheOldFile)
{
    // A file size limit below the project's size makes the write fail, also for root.
    CTestTempDir dir;
    const std::string path = dir.File("keep.ZQE");
    CTestTempDir::WriteBytes(path, "old contents");
    auto project = NewProject();
    std::string error;
    struct rlimit old;
    getrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 100;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool saved = CProjectFile::Save(path, *project, error);
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, SIG_DFL);
    EXPECT_FALSE(saved);
    EXPECT_NE(error.find("keep.ZQE"), std::string::npos) << error;
    EXPECT_EQ(CTestTempDir::ReadBytes(path), "old contents");
    int entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        entries += entry.path().filename() == "keep.ZQE" ? 0 : 1;
    EXPECT_EQ(entries, 0) << "the temporary file is gone";
}

TEST(ProjectFile, ASaveThroughALinkReplacesTheFileItPointsTo)
{
    CTestTempDir dir;
    std::filesystem::create_directory(dir.File("store"));
    const std::string target = dir.File("store/real.ZQE");
    const std::string link = dir.File("link.ZQE");
    CTestTempDir::WriteBytes(target, "old contents");
    std::filesystem::create_symlink("store/real.ZQE", link);
    auto project = NewProject();
    std::string error;
    ASSERT_TRUE(CProjectFile::Save(link, *project, error)) << error;
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    const std::string saved = CTestTempDir::ReadBytes(target);
    EXPECT_EQ(Bytes(saved.begin(), saved.end()), SaveBytes(*project));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.File("store")),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(ProjectFile, ASaveOntoADirectoryFailsAndLeavesNoTemporaryFile)
{
    CTestTempDir dir;
    const std::string path = dir.File("folder.ZQE");
    std::filesystem::create_directory(path);
    auto project = NewProject();
    std::string error;
    EXPECT_FALSE(CProjectFile::Save(path, *project, error));
    EXPECT_FALSE(error.empty());
    int entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        entries += entry.path().filename() == "folder.ZQE" ? 0 : 1;
    EXPECT_EQ(entries, 0);
}

TEST(ProjectFile, ReadsAreBounded)
{
    CTestTempDir dir;
    const std::string path = dir.File("big");
    CTestTempDir::WriteBytes(path, std::string(100, 'x'));
    Bytes bytes;
    std::string error;
    EXPECT_TRUE(COMMON_EX::ReadWholeFile(path, 100, bytes, error));
    EXPECT_EQ(bytes.size(), 100u);
    EXPECT_FALSE(COMMON_EX::ReadWholeFile(path, 99, bytes, error));
    EXPECT_TRUE(bytes.empty());
    EXPECT_FALSE(COMMON_EX::ReadWholeFile(dir.File("missing"), 100, bytes, error));
    EXPECT_FALSE(COMMON_EX::ReadWholeFile(dir.Path(), 100, bytes, error));
    EXPECT_EQ(CProjectFile::Open(dir.File("missing"), error), nullptr);
}

TEST(ProjectFile, SaveNames)
{
    EXPECT_EQ(CProjectFile::ProposeSaveName("abc.txt"), "abc.ZQE");
    EXPECT_EQ(CProjectFile::ProposeSaveName("abc"), "abc.ZQE");
    EXPECT_EQ(CProjectFile::NormalizeSavePath("out.zqe"), "out.zqe");
    EXPECT_EQ(CProjectFile::NormalizeSavePath("out"), "out.ZQE");
    EXPECT_EQ(CProjectFile::NormalizeSavePath("dir/out.ZqE  \t"), "dir/out.ZqE");
    EXPECT_EQ(CProjectFile::NormalizeSavePath("zqe"), "zqe.ZQE");
}
