// zqe in English: its help and messages come from the catalogue, and the English of texts that are
// English already is the same bytes, so scripts that read zqe's output see no difference; the
// catalogue's Chinese names carry their English beside them, and the editor core's name lists put
// the user's names first.
#include "tests/tools/zqe_run.h"

#include "appkit/tool_cli.h"
#include "appkit/ui_language.h"
#include "comkit/message_text.h"
#include "comkit/test_temp_dir.h"
#include "editor/editor_strings.h"
#include "editor/project.h"
#include "editor/project_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace {

// The same zqe run in Chinese (the source texts) and in English (through the catalogue).
struct BOTH {
    ZQE_TEST::RESULT chinese;
    ZQE_TEST::RESULT english;
};

BOTH InBothLanguages(const std::vector<std::string>& args)
{
    setenv("ZQ_LANG", "zh", 1);
    const ZQE_TEST::RESULT chinese = ZQE_TEST::Zqe(args);
    setenv("ZQ_LANG", "en", 1);
    const ZQE_TEST::RESULT english = ZQE_TEST::Zqe(args);
    setenv("ZQ_LANG", "zh", 1);
    return {chinese, english};
}

// The zqe program itself run with ZQ_LANG=language: what it writes where `redirect` (a shell
// redirection) sends its output to the pipe.
std::string ProgramRun(const char* language, const std::string& arguments, const char* redirect)
{
    const std::string command = std::string("ZQ_LANG=") + language + " '" + ZQE_PROGRAM + "' " + arguments + redirect;
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            text.append(buffer, n);
        pclose(pipe);
    }
    return text;
}

// What the program writes to standard error.
std::string ProgramErrors(const char* language, const std::string& arguments)
{
    return ProgramRun(language, arguments, " 2>&1 >/dev/null");
}

// What the program writes to standard output.
std::string ProgramOutput(const char* language, const std::string& arguments)
{
    return ProgramRun(language, arguments, " 2>/dev/null");
}

} // namespace

TEST(ZqeEnglish, HelpAndErrorsComeThroughTheCatalogueUnchanged)
{
    setenv("ZQ_LANG", "en", 1);
    // The catalogue beside the program holds zqe's texts, so English output really is looked up.
    EXPECT_EQ(ZQ_I18N::Translated("zqe", "The command."), QString("The command."));
    EXPECT_EQ(ZQ_I18N::Translated("ZQ_CLI", "Show this help and exit."), QString("Show this help and exit."));
    setenv("ZQ_LANG", "zh", 1);
    EXPECT_TRUE(ZQ_I18N::Translated("zqe", "The command.").isEmpty()); // Chinese: the source texts

    const BOTH help = InBothLanguages({"--help"});
    EXPECT_EQ(help.english.status, 0);
    EXPECT_EQ(help.english.out, help.chinese.out);
    EXPECT_NE(help.english.out.find("Usage: zqe COMMAND [options] FILE\n"), std::string::npos);
    EXPECT_NE(help.english.out.find("  render   Draws one screen"), std::string::npos);

    const BOTH commandHelp = InBothLanguages({"render", "--help"});
    EXPECT_EQ(commandHelp.english.out, commandHelp.chinese.out);
    EXPECT_NE(commandHelp.english.out.find("Pixels per panel pixel"), std::string::npos);

    const BOTH unknown = InBothLanguages({"frobnicate"});
    EXPECT_EQ(unknown.english.status, ZQ_CLI::EXIT_USAGE);
    EXPECT_EQ(unknown.english.err, "zqe: unknown command \"frobnicate\" (new, info, compile, inspect, render, "
                                   "export, check, xref, report, import)\nTry 'zqe --help' for more information.\n");
    EXPECT_EQ(unknown.chinese.err, unknown.english.err);
}

TEST(ZqeEnglish, ArgumentsGoInOnceAndAsGiven)
{
    // A user's "%2" stays as typed and is not filled with the next argument.
    const BOTH option = InBothLanguages({"new", "--bogus%2", "x.ZQE"});
    EXPECT_EQ(option.english.err,
              "zqe: unknown option --bogus%2 for new\nTry 'zqe new --help' for more information.\n");
    EXPECT_EQ(option.chinese.err, option.english.err);
}

TEST(ZqeEnglish, ImportRefusalsListTheUsersNamesFirst)
{
    CTestTempDir dir;
    CTestTempDir::WriteBytes(dir.File("bad.json"),
                             std::string(R"({"device": {"model": "QMX200", "plc": ")") + ZQE_TEST::PLC +
                                 R"("}, "screens": [{"controls": [{"type": "lamp", "set": {"shape": "oval"}}]}]})");
    const std::string arguments = "import '" + dir.File("bad.json") + "' -o '" + dir.File("bad.ZQE") + "'";
    const std::string chinese = ProgramErrors("zh", arguments);
    const std::string english = ProgramErrors("en", arguments);
    EXPECT_NE(chinese.find("the control refused \"oval\"; it takes \"圆形\", \"方形\"; in ASCII names \"round\", "
                           "\"square\"\n"),
              std::string::npos)
        << chinese;
    EXPECT_NE(english.find("the control refused \"oval\"; it takes \"round\", \"square\"; in stored names \"圆形\", "
                           "\"方形\"\n"),
              std::string::npos)
        << english;
    EXPECT_FALSE(std::ifstream(dir.File("bad.ZQE")).good()) << "a refused form writes no project";
}

TEST(ZqeEnglish, TheInstalledHookGivesTheLibrariesMessagesFromTheCatalogue)
{
    const std::vector<BYTE> garbage(64, 0x5A);
    std::string english, chinese;
    setenv("ZQ_LANG", "en", 1);
    ZQ_I18N::InstallMessageTranslator();
    EXPECT_EQ(COMMON_EX::MessageLanguage(), COMMON_EX::MESSAGE_ENGLISH);
    EXPECT_EQ(CProjectFile::OpenBytes(garbage, english), nullptr);
    setenv("ZQ_LANG", "zh", 1);
    ZQ_I18N::InstallMessageTranslator();
    EXPECT_EQ(COMMON_EX::MessageLanguage(), COMMON_EX::MESSAGE_CHINESE);
    EXPECT_EQ(CProjectFile::OpenBytes(garbage, chinese), nullptr);
    COMMON_EX::SetMessageTranslator(nullptr, COMMON_EX::MESSAGE_CHINESE);
    // The editor's own text for a damaged file, translated where the library composes the error.
    EXPECT_EQ(chinese, CEditorStrings::Get(CEditorStrings::IDS_PROJECT_DAMAGED));
    EXPECT_EQ(english, "Unknown file format or damaged file. Please open a ZQEditor \".ZQE\" project file!");
}

TEST(ZqeEnglish, MessagesKeepTheirArgumentsInPlaceAndNamesCarryTheirEnglish)
{
    CTestTempDir dir;
    const std::string project = dir.File("p.ZQE");
    ASSERT_EQ(ZQE_TEST::Zqe({"new", "--device", "QMX200", "--plc", ZQE_TEST::PLC, project}).status, 0);

    // Three different arguments, each where the text puts it.
    const BOTH screen = InBothLanguages({"render", project, "--screen", "7", "-o", dir.File("r.png")});
    EXPECT_EQ(screen.english.status, ZQ_CLI::EXIT_FAILED);
    EXPECT_EQ(screen.english.err, "zqe: " + project + ": there is no screen 7 (the project has 1)\n");
    EXPECT_EQ(screen.chinese.err, screen.english.err);
    // A refusal of the shared number check inside one of zqe's own.
    const BOTH number = InBothLanguages({"render", project, "--screen", "-4", "-o", dir.File("r.png")});
    EXPECT_EQ(number.english.err,
              "zqe: --screen: '-4' is not a whole number from 0 to 2147483647 (--screen takes a screen number)\n"
              "Try 'zqe render --help' for more information.\n");
    EXPECT_EQ(number.chinese.err, number.english.err);
    const BOTH format = InBothLanguages({"render", project, "-o", dir.File("r.xyz")});
    EXPECT_EQ(format.english.err.rfind("zqe: cannot tell the image format of '" + dir.File("r.xyz") +
                                           "' from its name; it may end in .",
                                       0),
              0u)
        << format.english.err;
    EXPECT_EQ(format.chinese.err, format.english.err);

    // The protocol and the kinds as stored, followed by their English only for English users.
    const BOTH info = InBothLanguages({"info", project});
    ASSERT_EQ(info.english.status, 0) << info.english.err;
    const auto has = [](const std::string& text, const std::string& part) {
        return text.find(part) != std::string::npos;
    };
    EXPECT_TRUE(has(info.english.out, "\n  PLC: MODBUS自由协议 (Free-format MODBUS) (ID 100)\n")) << info.english.out;
    EXPECT_TRUE(has(info.english.out, "      2: Y(输出) (Y(output)) (code 2, 0 to 377)\n")) << info.english.out;
    EXPECT_TRUE(has(info.english.out, "parity 0 (none), stop bits 0 (one)")) << info.english.out;
    EXPECT_TRUE(has(info.chinese.out, "\n  PLC: MODBUS自由协议 (ID 100)\n")) << info.chinese.out;
    EXPECT_TRUE(has(info.chinese.out, "      2: Y(输出) (code 2, 0 to 377)\n")) << info.chinese.out;
    EXPECT_FALSE(has(info.chinese.out, "(output)")) << info.chinese.out;
}

TEST(ZqeEnglish, CheckAndXrefSpeakTheUsersLanguage)
{
    CTestTempDir dir;
    const std::string project = dir.File("p.ZQE");
    ASSERT_EQ(ZQE_TEST::Zqe({"new", "--device", "QMX200", "--plc", ZQE_TEST::PLC, project}).status, 0);
    EXPECT_EQ(ProgramOutput("en", "check '" + project + "'"),
              project + "::: error: the project has no parameter control (lamp, register, function key or chart): it "
                        "cannot be compiled or downloaded\n");
    EXPECT_EQ(ProgramOutput("zh", "check '" + project + "'"),
              project + "::: error: 项目中没有参数控件(指示灯、寄存器、功能键或图表)，不能编译和下载\n");
    // Scripts read the same JSON in both languages but for the text.
    EXPECT_NE(ProgramOutput("en", "check --json '" + project + "'").find("\"code\": \"no-parameter-control\""),
              std::string::npos);
    EXPECT_EQ(ProgramOutput("en", "xref --csv '" + project + "'"),
              "Class,Station,Address,Kind,Line address,Line address (hex),read/write,Used by\r\n");
    EXPECT_EQ(ProgramOutput("zh", "xref --csv '" + project + "'"),
              "类别,站号,地址,类型,线路地址,线路地址(十六进制),读写,使用者\r\n");
}
