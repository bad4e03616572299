// zqe as a user meets it: help and usage errors, safe output paths, standard input and output,
// telling projects and images apart, image formats, names shown safely, catalogue names and IDs,
// the short form, leftover temporary files, and the tutorial of docs/zqe.md run as written.
#include "tools/zqe_run.h"

#include "appkit/tool_cli.h"
#include "comkit/module_path.h"
#include "comkit/test_temp_dir.h"
#include "devices/plc_collection.h"
#include <nlohmann/json.hpp>

#include <QImage>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

using namespace ZQE_TEST;

bool Has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

class ZqeUser : public ::testing::Test {
protected:
    std::string File(const char* name) const { return m_dir.File(name); }

    // A project with one register at X = 10 (imported from its short form).
    std::string Project(const char* name = "p.ZQE")
    {
        CTestTempDir::WriteBytes(File("p.json"),
                                 std::string(R"({"device": {"model": "QMX200", "plc": ")") + PLC +
                                     R"("}, "screens": [{"controls": [{"type": "register", "set": {"X": 10}}]}]})");
        EXPECT_EQ(Zqe({"import", File("p.json"), "-o", File(name)}).status, 0);
        return File(name);
    }

    CTestTempDir m_dir;
};

} // namespace

TEST_F(ZqeUser, HelpVersionAndUsageErrors)
{
    RESULT r = Zqe({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(Has(r.out, "Usage: zqe COMMAND")) << r.out;
    EXPECT_TRUE(Has(r.out, "render ")) << r.out;
    EXPECT_TRUE(r.err.empty());
    r = Zqe({"render", "-h"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(Has(r.out, "Usage: zqe [options] render FILE.ZQE")) << r.out;
    EXPECT_TRUE(Has(r.out, "--zoom <Z>")) << r.out;
    EXPECT_EQ(Zqe({"help", "new"}).out, Zqe({"new", "--help"}).out);
    EXPECT_TRUE(Has(Zqe({"help", "new"}).out, "--force")) << "each command has its own help";
    r = Zqe({"--version"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, std::string("zqe ") + ZQ_CLI::SuiteVersion() + "\n");

    const std::string project = Project();
    r = Zqe({"render", project, "--screen", "-4294967295", "-o", File("r.png")});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Has(r.err, "zqe: --screen: '-4294967295' is not a whole number")) << r.err;
    EXPECT_TRUE(Has(r.err, "Try 'zqe render --help'")) << "a value refused by the command is a usage error too";
    EXPECT_EQ(Zqe({"render", project, "--screen", "4294967297", "-o", File("r.png")}).status, 2);
    r = Zqe({"info", project, "--bogus"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Has(r.err, "Try 'zqe info --help'")) << r.err;
    EXPECT_FALSE(std::filesystem::exists(File("r.png")));
}

TEST_F(ZqeUser, OutputsNeverDestroyInputsOrSpecialFiles)
{
    const std::string project = Project();
    const std::string before = CTestTempDir::ReadBytes(project);
    RESULT r = Zqe({"compile", project, "-o", project});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Has(r.err, "it is the input")) << r.err;
    ASSERT_EQ(::symlink(project.c_str(), File("alias.ZQE").c_str()), 0);
    EXPECT_EQ(Zqe({"import", File("p.json"), "-o", File("alias.ZQE")}).status, 0) << "the JSON is the input";
    EXPECT_EQ(Zqe({"render", project, "-o", File("alias.ZQE")}).status, 2) << "no image format";
    EXPECT_EQ(Zqe({"export", project, "-o", File("alias.ZQE")}).status, 1);
    EXPECT_TRUE(CTestTempDir::ReadBytes(project) == before);

    // new keeps an existing file unless told to replace it.
    r = Zqe({"new", "--device", "QMX200", "--plc", PLC, project});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Has(r.err, "it exists (--force replaces it)")) << r.err;
    EXPECT_TRUE(CTestTempDir::ReadBytes(project) == before);
    r = Zqe({"new", "--device", "QMX200", "--plc", PLC, "--force", project});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(CTestTempDir::ReadBytes(project) == before);

    // A read-only file is refused as an output; a FIFO as input is refused without waiting.
    CTestTempDir::WriteBytes(File("ro.vxg"), "keep");
    ::chmod(File("ro.vxg").c_str(), 0444);
    ASSERT_EQ(::mkfifo(File("fifo").c_str(), 0600), 0);
    const std::string good = Project("good.ZQE");
    r = Zqe({"compile", good, "-o", File("ro.vxg")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(CTestTempDir::ReadBytes(File("ro.vxg")), "keep");
    // A FIFO with a reader is streamed into, never replaced by a file.
    const int reader = ::open(File("fifo").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    r = Zqe({"compile", good, "-o", File("fifo")});
    EXPECT_EQ(r.status, 0) << r.err;
    std::string streamed(1 << 16, '\0');
    const ssize_t got = ::read(reader, streamed.data(), streamed.size());
    ::close(reader);
    ASSERT_GT(got, 0);
    streamed.resize(size_t(got));
    EXPECT_TRUE(streamed == Zqe({"compile", good, "-o", "-"}).out);
    struct stat st {};
    EXPECT_TRUE(::stat(File("fifo").c_str(), &st) == 0 && S_ISFIFO(st.st_mode));
    r = Zqe({"info", File("fifo")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Has(r.err, "FIFO")) << r.err;
}

TEST_F(ZqeUser, DashReadsStandardInputAndWritesStandardOutput)
{
    Project();
    const std::string json = CTestTempDir::ReadBytes(File("p.json"));
    const RESULT imported = Zqe({"import", "-", "-o", "-"}, json);
    ASSERT_EQ(imported.status, 0) << imported.err;
    EXPECT_TRUE(imported.out == CTestTempDir::ReadBytes(File("p.ZQE")));
    const RESULT compiled = Zqe({"compile", "-", "-o", "-"}, imported.out);
    ASSERT_EQ(compiled.status, 0) << compiled.err;
    EXPECT_TRUE(Has(Zqe({"inspect", "-"}, compiled.out).out, "consistent"));
    const RESULT png = Zqe({"render", "-", "-o", "-"}, imported.out);
    ASSERT_EQ(png.status, 0) << png.err;
    EXPECT_EQ(png.out.substr(1, 3), "PNG");
}

TEST_F(ZqeUser, ProjectsAndImagesAreToldApartAndRenderWritesTheNamedFormat)
{
    const std::string project = Project();
    ASSERT_EQ(Zqe({"compile", project, "-o", File("p.vxg")}).status, 0);
    RESULT r = Zqe({"inspect", project});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Has(r.err, "this is a project file, not a download image")) << r.err;
    EXPECT_TRUE(r.out.empty());
    r = Zqe({"info", File("p.vxg")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Has(r.err, "this is a download image, not a project")) << r.err;

    ASSERT_EQ(Zqe({"render", project, "--zoom", "1", "-o", File("p.BMP")}).status, 0);
    EXPECT_EQ(CTestTempDir::ReadBytes(File("p.BMP")).substr(0, 2), "BM");
    EXPECT_EQ(QImage(QString::fromStdString(File("p.BMP"))).width(), 192);
    r = Zqe({"render", project, "-o", File("p.foo")});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Has(r.err, "may end in") && Has(r.err, ".png")) << r.err;
    EXPECT_FALSE(std::filesystem::exists(File("p.foo")));
}

TEST_F(ZqeUser, InfoReadsEveryProjectTheEditorOpensExportOnlyWhatItCarriesExactly)
{
    // The baud rate written as "038400": the editor opens it, the JSON form would write "38400".
    std::string file = CTestTempDir::ReadBytes(Project());
    const size_t baud = 50 + 12 + 10;
    ASSERT_EQ(file.substr(baud, 6), std::string("38400\0", 6));
    file.replace(baud, 6, "038400");
    CTestTempDir::WriteBytes(File("odd.ZQE"), file);
    RESULT r = Zqe({"info", File("odd.ZQE")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Has(r.out, "38400 baud")) << r.out;
    r = Zqe({"export", File("odd.ZQE")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Has(r.err, "bytes the JSON form does not carry (first difference at byte 72)")) << r.err;
    EXPECT_TRUE(r.out.empty());
}

TEST_F(ZqeUser, NamesAreShownSafelyAndCataloguesAnswerWithTheirEntries)
{
    RESULT r;
    CTestTempDir::WriteBytes(
        File("esc.json"),
        std::string(R"({"device": {"model": 100, "plc": 100}, "screens": [{"name": "a\u001b[2Jb\u007f", )") +
            R"("controls": [{"type": "lamp", "name": "x\ny"}]}]})");
    r = Zqe({"import", File("esc.json"), "-o", File("esc.ZQE")});
    ASSERT_EQ(r.status, 0) << "catalogue IDs accepted: " << r.err;
    r = Zqe({"info", File("esc.ZQE")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Has(r.out, "\"a\\x1b[2Jb\\x7f\"")) << r.out;
    EXPECT_TRUE(Has(r.out, "\"x\\x0ay\"")) << r.out;
    EXPECT_FALSE(Has(r.out, "\x1b"));

    EXPECT_EQ(Zqe({"new", "--device", "101", "--plc", "100", File("ids.ZQE")}).status, 0);
    EXPECT_TRUE(Has(Zqe({"info", File("ids.ZQE")}).out, "Device: QMX300 (ID 101)"));
    r = Zqe({"new", "--device", "QMX999", "--plc", PLC, File("x.ZQE")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Has(r.err, "no panel model \"QMX999\"; it has QMX200 (100), QMX300 (101)")) << r.err;
    r = Zqe({"new", "--device", "QMX200", "--plc", "Nope", File("x.ZQE")});
    EXPECT_TRUE(Has(r.err, "no PLC protocol \"Nope\"; it has MODBUS自由协议 (100)")) << r.err;

    CTestTempDir::WriteBytes(File("attr.json"),
                             R"({"device": {"model": "QMX200", "plc": 100}, "screens": [{"controls": [)"
                             R"({"type": "lamp", "set": {"Colour": 1}}]}]})");
    r = Zqe({"import", File("attr.json"), "-o", File("attr.ZQE")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Has(r.err, "a lamp has no attribute of that name; it has \"") && Has(r.err, "\"X\", \"Y\"")) << r.err;
}

TEST_F(ZqeUser, DamagedCatalogueNumbersAreBoundedAndNamed)
{
    std::string plc = CTestTempDir::ReadBytes(COMMON_EX::GetProgramFilePath(CPLCCollection::FILE_NAME));
    const size_t count = plc.find("Register_Count=");
    ASSERT_NE(count, std::string::npos);
    plc.replace(count, plc.find('\n', count) - count, "Register_Count=2147483647");
    CTestTempDir::WriteBytes(File(CPLCCollection::FILE_NAME), plc);
    CPLCCollection::GetInstance()->ReadCatalogue(File(CPLCCollection::FILE_NAME).c_str());
    const RESULT r = Zqe({"new", "--device", "QMX200", "--plc", PLC, File("d.ZQE")});
    CPLCCollection::GetInstance()->ReadCatalogue(COMMON_EX::GetProgramFilePath(CPLCCollection::FILE_NAME).c_str());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Has(r.err, "zqe: warning: " + File(CPLCCollection::FILE_NAME) + ": [Physics_Item_")) << r.err;
    EXPECT_TRUE(Has(r.err, "] Register_Count=2147483647 is beyond the largest value the formats hold, 50")) << r.err;
    EXPECT_TRUE(Has(Zqe({"info", File("d.ZQE")}).out, "Register kinds: 50"));
}

TEST_F(ZqeUser, ShortExportWritesOnlyWhatDiffersAndImportsBack)
{
    const std::string project = Project();
    const RESULT r = Zqe({"export", "--short", project});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto form = nlohmann::json::parse(r.out);
    EXPECT_EQ(form["device"], nlohmann::json::parse(std::string(R"({"model": "QMX200", "plc": ")") + PLC + "\"}"));
    EXPECT_EQ(form["screens"][0]["controls"], nlohmann::json::parse(R"([{"type": "register", "set": {"X": 10}}])"));
    CTestTempDir::WriteBytes(File("short.json"), r.out);
    ASSERT_EQ(Zqe({"import", File("short.json"), "-o", File("again.ZQE")}).status, 0);
    EXPECT_TRUE(CTestTempDir::ReadBytes(File("again.ZQE")) == CTestTempDir::ReadBytes(project));

    // A kind the editor cannot place has no short entry: refused rather than dropped.
    std::string full = Zqe({"export", project}).out;
    full.replace(full.find("\"type\": \"register\""), 18, "\"type\": \"picture\"");
    CTestTempDir::WriteBytes(File("picture.json"), full);
    ASSERT_EQ(Zqe({"import", File("picture.json"), "-o", File("picture.ZQE")}).status, 0);
    const RESULT refused = Zqe({"export", "--short", File("picture.ZQE")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(Has(refused.err, "a picture cannot be written as a short entry")) << refused.err;
}

TEST_F(ZqeUser, ExportWritesAsciiNamesThatImportBackToTheSameBytes)
{
    const std::string project = Project();
    for (const char* extra : {"", "--short"}) {
        std::vector<std::string> args = {"export", "--names", "ascii", project};
        if (*extra)
            args.insert(args.begin() + 1, extra);
        const RESULT r = Zqe(args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_TRUE(Has(r.out, "\"x\"")) << r.out;
        EXPECT_FALSE(Has(r.out, "\"寄存器号\"")) << "no Chinese name where an ASCII one exists";
        CTestTempDir::WriteBytes(File("ascii.json"), r.out);
        ASSERT_EQ(Zqe({"import", File("ascii.json"), "-o", File("ascii.ZQE")}).status, 0);
        EXPECT_TRUE(CTestTempDir::ReadBytes(File("ascii.ZQE")) == CTestTempDir::ReadBytes(project)) << extra;
    }
    const RESULT wrong = Zqe({"export", "--names", "english", project});
    EXPECT_EQ(wrong.status, 2);
    EXPECT_TRUE(Has(wrong.err, "--names takes ascii or stored")) << wrong.err;
    EXPECT_TRUE(wrong.out.empty());
}

TEST_F(ZqeUser, StaleTemporaryFilesOfAKilledRunAreRemoved)
{
    const std::string out = File("out.vxg");
    const std::string stale = out + ".2147483646.1.tmp"; // no such process
    const std::string live = out + "." + std::to_string(::getppid()) + ".1.tmp";
    const std::string other = out + ".notes.tmp";
    for (const std::string& path : {stale, live, other})
        CTestTempDir::WriteBytes(path, "x");
    ASSERT_EQ(Zqe({"compile", Project(), "-o", out}).status, 0);
    EXPECT_FALSE(std::filesystem::exists(stale));
    EXPECT_TRUE(std::filesystem::exists(live)) << "a running process's file is left alone";
    EXPECT_TRUE(std::filesystem::exists(other));
    EXPECT_TRUE(std::filesystem::exists(out));
}

TEST(ZqeTutorial, TheDocumentedCommandsWorkAsTyped)
{
    std::ifstream doc(std::string(ZQ_SOURCE_DIR) + "/docs/zqe.md");
    std::string script, line;
    bool marked = false, inside = false;
    while (std::getline(doc, line)) {
        if (line == "<!-- tutorial -->")
            marked = true;
        else if (marked && !inside && line == "```sh")
            inside = true;
        else if (inside && line == "```")
            break;
        else if (inside)
            script += line + "\n";
    }
    ASSERT_FALSE(script.empty());
    CTestTempDir dir;
    CTestTempDir::WriteBytes(dir.File("tutorial.sh"), script);
    const std::string folder = std::filesystem::path(ZQE_PROGRAM).parent_path().string();
    const std::string command =
        "cd '" + dir.Path() + "' && PATH='" + folder + "':\"$PATH\" bash -e tutorial.sh >log 2>&1";
    const int status = std::system(command.c_str());
    EXPECT_EQ(status, 0) << CTestTempDir::ReadBytes(dir.File("log"));
    EXPECT_TRUE(Has(CTestTempDir::ReadBytes(dir.File("log")), "consistent"));
    EXPECT_EQ(QImage(QString::fromStdString(dir.File("screen2.png"))).width(), 3 * 192);
    EXPECT_FALSE(CTestTempDir::ReadBytes(dir.File("plant-full.json")).empty());
}
