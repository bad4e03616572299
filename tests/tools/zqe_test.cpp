#include "tools/zqe_run.h"

#include "comkit/gbk.h"
#include "comkit/test_temp_dir.h"
#include "editor/editor_strings.h"

#include <QImage>

#include <gtest/gtest.h>

#include <sstream>

// Under the leak checker, only the font library's own caches (the report lays out text through
// it) are forgiven; they are never freed in a process that ends.
// The leak checker calls its hook by this fixed name.
extern "C" const char* __lsan_default_suppressions() // NOLINT(bugprone-reserved-identifier)
{
    return "leak:libfontconfig.so\n";
}

namespace {

using namespace ZQE_TEST;

// A failure: status 1 (2 for a wrong command line), a message on stderr naming `text`, nothing
// on stdout.
void ExpectFailure(const std::vector<std::string>& args, const std::string& text, int status = 1)
{
    const RESULT r = Zqe(args);
    EXPECT_EQ(r.status, status) << (args.empty() ? "" : args[0]);
    EXPECT_NE(r.err.find(text), std::string::npos) << r.err;
    EXPECT_EQ(r.err.rfind("zqe: ", 0), 0u) << r.err;
    if (args.empty() || args[0] != "inspect") {
        EXPECT_TRUE(r.out.empty()) << r.out;
    }
}

bool Exists(const std::string& path)
{
    return std::filesystem::exists(path);
}

class ZqeTest : public ::testing::Test {
protected:
    std::string File(const char* name) const { return m_dir.File(name); }

    // A project with one register (and, with `cut`, values the image cannot carry).
    std::string RegisterProject(bool cut = false)
    {
        const std::string json = File(cut ? "cut.json" : "one.json");
        const std::string set = cut ? R"("PLC站号": 300, "最大值": 70000)" : R"("X": 10)";
        CTestTempDir::WriteBytes(json, std::string(R"({"device": {"model": "QMX200", "plc": ")") + PLC +
                                           R"("}, "screens": [{"controls": [{"type": "register", "set": {)" + set +
                                           "}}]}]}");
        std::string project = File(cut ? "cut.ZQE" : "one.ZQE");
        EXPECT_EQ(Zqe({"import", json, "-o", project}).status, 0);
        return project;
    }

    CTestTempDir m_dir;
};

} // namespace

TEST_F(ZqeTest, NewInfoExportImportCompileInspectRender)
{
    const std::string project = File("new.ZQE");
    ASSERT_EQ(Zqe({"new", "--device", "QMX300", "--plc", PLC, project}).status, 0);
    RESULT info = Zqe({"info", project});
    EXPECT_EQ(info.status, 0);
    EXPECT_NE(info.out.find("Device: QMX300 (ID 101)"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("Screens: 1"), std::string::npos) << info.out;

    const std::string one = RegisterProject();
    info = Zqe({"info", one});
    EXPECT_NE(info.out.find("Control 0: register"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("X int = 10"), std::string::npos) << info.out;

    const RESULT exported = Zqe({"export", one});
    ASSERT_EQ(exported.status, 0);
    CTestTempDir::WriteBytes(File("again.json"), exported.out);
    ASSERT_EQ(Zqe({"import", File("again.json"), "-o", File("again.ZQE")}).status, 0);
    EXPECT_EQ(CTestTempDir::ReadBytes(File("again.ZQE")), CTestTempDir::ReadBytes(one));

    const RESULT compiled = Zqe({"compile", one, "-o", File("one.vxg")});
    EXPECT_EQ(compiled.status, 0);
    EXPECT_TRUE(compiled.err.empty()) << compiled.err;
    EXPECT_EQ(CTestTempDir::ReadBytes(File("one.vxg")).size(), 2537u);
    const RESULT inspected = Zqe({"inspect", File("one.vxg")});
    EXPECT_EQ(inspected.status, 0) << inspected.err;
    EXPECT_NE(inspected.out.find("character index at 1053, glyphs at 1337"), std::string::npos) << inspected.out;
    EXPECT_NE(inspected.out.find("consistent"), std::string::npos);

    ASSERT_EQ(Zqe({"render", one, "--zoom", "2", "-o", File("one.png")}).status, 0);
    QImage image(QString::fromStdString(File("one.png")));
    EXPECT_EQ(image.width(), 384);
    EXPECT_EQ(image.height(), 128);
    EXPECT_EQ(image.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);
    ASSERT_EQ(Zqe({"render", one, "--screen", "1", "-o", File("one4.png")}).status, 0);
    EXPECT_EQ(QImage(QString::fromStdString(File("one4.png"))).width(), 768) << "the screen's own zoom, 4";
}

TEST_F(ZqeTest, CompileWarnsOfCutValues)
{
    const std::string cut = RegisterProject(true);
    const RESULT r = Zqe({"compile", cut, "-o", File("cut.vxg")});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find("warning: screen 1 \"Screen_0\""), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("PLC station 300 lies outside 0-255; the image carries 44"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("maximum 70000 lies outside 0-65535; the image carries 4464"), std::string::npos) << r.err;
    EXPECT_TRUE(Exists(File("cut.vxg")));
}

TEST_F(ZqeTest, CommandLineErrors)
{
    ExpectFailure({}, "no command", 2);
    ExpectFailure({"frobnicate"}, "unknown command", 2);
    ExpectFailure({"info", "a", "--zoom", "2"}, "unknown option --zoom", 2);
    ExpectFailure({"compile", "a", "-o"}, "needs a value", 2);
    ExpectFailure({"compile", "a", "-o", "x", "-o", "y"}, "given twice", 2);
    ExpectFailure({"info"}, "takes 1 file name", 2);
    ExpectFailure({"info", "a", "b"}, "takes 1 file name", 2);
    ExpectFailure({"compile", "a"}, "needs -o", 2);
    ExpectFailure({"new", "--plc", PLC, File("x.ZQE")}, "needs --device", 2);
    EXPECT_EQ(Zqe({"--help"}).status, 0);
}

TEST_F(ZqeTest, NewRefusesUnknownModelsAndUnwritablePaths)
{
    ExpectFailure({"new", "--device", "QMX999", "--plc", PLC, File("x.ZQE")}, "no panel model \"QMX999\"");
    EXPECT_FALSE(Exists(File("x.ZQE")));
    ExpectFailure({"new", "--device", "QMX200", "--plc", PLC, File("no/such/dir.ZQE")}, "cannot write");
}

TEST_F(ZqeTest, DamagedAndMissingProjects)
{
    const std::string damaged = File("damaged.ZQE");
    CTestTempDir::WriteBytes(damaged, "ZQE this is no project");
    const std::string text3002 = CEditorStrings::Get(CEditorStrings::IDS_PROJECT_DAMAGED);
    for (const char* command : {"info", "export"})
        ExpectFailure({command, damaged}, text3002);
    ExpectFailure({"compile", damaged, "-o", File("d.vxg")}, text3002);
    ExpectFailure({"render", damaged, "-o", File("d.png")}, text3002);
    ExpectFailure({"info", File("missing.ZQE")}, "cannot open");
    EXPECT_FALSE(Exists(File("d.vxg")));
    EXPECT_FALSE(Exists(File("d.png")));
}

TEST_F(ZqeTest, CompileRefusals)
{
    const std::string empty = File("empty.ZQE");
    ASSERT_EQ(Zqe({"new", "--device", "QMX200", "--plc", PLC, empty}).status, 0);
    ExpectFailure({"compile", empty, "-o", File("e.vxg")}, CEditorStrings::Get(CEditorStrings::IDS_DOWNLOAD_REFUSED));
    EXPECT_FALSE(Exists(File("e.vxg")));

    // 20 texts of 94 different characters make an image above 64 KiB.
    std::string controls = R"({"type": "register"})";
    for (int lead = 0xB0; lead < 0xB0 + 20; ++lead) {
        std::string text;
        for (int n = 0; n < 94; ++n)
            text += std::string{char(lead), char(0xA1 + n)};
        std::string utf8;
        ASSERT_TRUE(COMMON_EX::GbkToUtf8(text, utf8));
        controls += R"(, {"type": "static-text", "set": {"文字串": ")" + utf8 + "\"}}";
    }
    CTestTempDir::WriteBytes(File("big.json"), std::string(R"({"device": {"model": "QMX200", "plc": ")") + PLC +
                                                   R"("}, "screens": [{"controls": [)" + controls + "]}]}");
    ASSERT_EQ(Zqe({"import", File("big.json"), "-o", File("big.ZQE")}).status, 0);
    ExpectFailure({"compile", File("big.ZQE"), "-o", File("big.vxg")}, "65535");
    EXPECT_FALSE(Exists(File("big.vxg")));
}

TEST_F(ZqeTest, InspectReportsDamage)
{
    const std::string one = RegisterProject();
    ASSERT_EQ(Zqe({"compile", one, "-o", File("one.vxg")}).status, 0);
    std::string image = CTestTempDir::ReadBytes(File("one.vxg"));
    CTestTempDir::WriteBytes(File("long.vxg"), image + "x");
    RESULT r = Zqe({"inspect", File("long.vxg")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("problem: length field says 2537 bytes, the image holds 2538"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("inconsistenc"), std::string::npos);
    CTestTempDir::WriteBytes(File("short.vxg"), image.substr(0, 20));
    ExpectFailure({"inspect", File("short.vxg")}, "1 inconsistency");
    ExpectFailure({"inspect", File("missing.vxg")}, "cannot open");
    CTestTempDir::WriteBytes(File("huge.vxg"), std::string((1 << 20) + 1, '\0'));
    ExpectFailure({"inspect", File("huge.vxg")}, "larger than");
}

TEST_F(ZqeTest, RenderErrors)
{
    const std::string one = RegisterProject();
    ExpectFailure({"render", one, "--screen", "2", "-o", File("r.png")}, "there is no screen 2 (the project has 1)");
    ExpectFailure({"render", one, "--screen", "0", "-o", File("r.png")}, "there is no screen 0");
    ExpectFailure({"render", one, "--screen", "x", "-o", File("r.png")}, "--screen takes", 2);
    ExpectFailure({"render", one, "--zoom", "0", "-o", File("r.png")}, "--zoom takes", 2);
    ExpectFailure({"render", one, "--zoom", "2x", "-o", File("r.png")}, "--zoom takes", 2);
    ExpectFailure({"render", one, "-o", File("no/dir/r.png")}, "cannot write");
    EXPECT_FALSE(Exists(File("r.png")));
}

TEST_F(ZqeTest, ImportErrors)
{
    CTestTempDir::WriteBytes(File("bad.json"), "{\"device\": ");
    ExpectFailure({"import", File("bad.json"), "-o", File("bad.ZQE")}, "parse error");
    CTestTempDir::WriteBytes(File("nodevice.json"), "{\"screens\": [{}]}");
    ExpectFailure({"import", File("nodevice.json"), "-o", File("bad.ZQE")}, "\"device\" is missing");
    ExpectFailure({"import", File("missing.json"), "-o", File("bad.ZQE")}, "cannot open");
    ExpectFailure({"import", File("bad.json")}, "needs -o", 2);
    EXPECT_FALSE(Exists(File("bad.ZQE")));

    // An import over an existing project leaves it whole when the form is bad.
    const std::string one = RegisterProject();
    const std::string before = CTestTempDir::ReadBytes(one);
    ExpectFailure({"import", File("bad.json"), "-o", one}, "parse error");
    EXPECT_EQ(CTestTempDir::ReadBytes(one), before);
}

TEST_F(ZqeTest, CheckStatusesAndLines)
{
    const std::string demo = File("demo.ZQE");
    ASSERT_EQ(Zqe({"import", std::string(ZQ_SOURCE_DIR) + "/examples/demo.json", "-o", demo}).status, 0);
    const RESULT clean = Zqe({"check", "--strict", demo});
    EXPECT_EQ(clean.status, 0) << clean.out << clean.err;
    EXPECT_EQ(clean.out, "");
    EXPECT_EQ(clean.err, "");

    // Warnings only: 0, and 1 under --strict. Two registers on one place.
    const std::string json = File("warn.json");
    CTestTempDir::WriteBytes(json,
                             std::string(R"({"device": {"model": "QMX200", "plc": ")") + PLC +
                                 R"("}, "screens": [{"controls": [{"type": "register"}, {"type": "register"}]}]})");
    const std::string warned = File("warn.ZQE");
    ASSERT_EQ(Zqe({"import", json, "-o", warned}).status, 0);
    const RESULT warning = Zqe({"check", warned});
    EXPECT_EQ(warning.status, 0);
    EXPECT_EQ(warning.out, warned + ":1:1: warning: 与 寄存器 0 重叠\n");
    EXPECT_EQ(warning.err, "zqe: " + warned + ": 0 error(s), 1 warning(s)\n");
    EXPECT_EQ(Zqe({"check", "--strict", warned}).status, 1);

    // Errors: 3, project findings with empty screen and control fields; the JSON form as well.
    const std::string project = File("empty.ZQE");
    ASSERT_EQ(Zqe({"new", "--device", "QMX200", "--plc", PLC, project}).status, 0);
    const RESULT errors = Zqe({"check", project});
    EXPECT_EQ(errors.status, 3);
    EXPECT_EQ(errors.out.rfind(project + ":::" + " error: ", 0), 0u) << errors.out;
    const RESULT asJson = Zqe({"check", "--json", "-"}, CTestTempDir::ReadBytes(project));
    EXPECT_EQ(asJson.status, 3);
    EXPECT_NE(asJson.out.find("\"code\": \"no-parameter-control\""), std::string::npos) << asJson.out;
    EXPECT_NE(asJson.out.find("\"errors\": 1"), std::string::npos) << asJson.out;

    // A file that is no project cannot be downloaded either; usage errors stay 2.
    CTestTempDir::WriteBytes(File("junk.ZQE"), "junk");
    EXPECT_EQ(Zqe({"check", File("junk.ZQE")}).status, 3);
    EXPECT_EQ(Zqe({"check", "--lenient", demo}).status, 2);
}

TEST_F(ZqeTest, XrefForms)
{
    const std::string demo = File("demo.ZQE");
    ASSERT_EQ(Zqe({"import", std::string(ZQ_SOURCE_DIR) + "/examples/demo.json", "-o", demo}).status, 0);
    const RESULT plain = Zqe({"xref", demo});
    EXPECT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(plain.out.substr(0, plain.out.find('\n')),
              "寄存器 station 1 D100: line 100 (0x0064), 读: 画面1 主画面：炉温 (读)");
    EXPECT_EQ(std::count(plain.out.begin(), plain.out.end(), '\n'), 6);
    const RESULT csv = Zqe({"xref", "--csv", demo});
    EXPECT_EQ(csv.status, 0);
    EXPECT_EQ(csv.out.rfind("类别,站号,地址,类型,线路地址,线路地址(十六进制),读写,使用者\r\n寄存器,1,D100,", 0), 0u)
        << csv.out;
    const RESULT json = Zqe({"xref", "--json", demo});
    EXPECT_NE(json.out.find("\"typed\": \"Y10\""), std::string::npos);
    const RESULT both = Zqe({"xref", "--csv", "--json", demo});
    EXPECT_EQ(both.status, 2);
    EXPECT_TRUE(both.out.empty());
    EXPECT_EQ(Zqe({"xref", File("missing.ZQE")}).status, 1);
}

TEST_F(ZqeTest, ReportFormats)
{
    const std::string demo = File("demo.ZQE");
    ASSERT_EQ(Zqe({"import", std::string(ZQ_SOURCE_DIR) + "/examples/demo.json", "-o", demo}).status, 0);
    ASSERT_EQ(Zqe({"report", demo, "-o", File("r.pdf")}).status, 0);
    EXPECT_EQ(CTestTempDir::ReadBytes(File("r.pdf")).rfind("%PDF-", 0), 0u);
    ASSERT_EQ(Zqe({"report", demo, "-o", File("r.HTM")}).status, 0);
    EXPECT_NE(CTestTempDir::ReadBytes(File("r.HTM")).find("项目报告：demo.ZQE"), std::string::npos);
    const RESULT unknown = Zqe({"report", demo, "-o", File("r.doc")});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find(".pdf, .html or .htm"), std::string::npos) << unknown.err;
    EXPECT_FALSE(Exists(File("r.doc")));
    EXPECT_EQ(Zqe({"report", demo, "-o", "-"}).status, 2);
    EXPECT_EQ(Zqe({"report", demo}).status, 2);
}
