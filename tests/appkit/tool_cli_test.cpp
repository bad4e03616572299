// The command-line conventions shared by the suite's programs: strict numbers, path checks, the
// exit codes of help, version and usage errors.
#include "appkit/tool_cli.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

namespace {

using ZQ_CLI::ParseInteger;

TEST(ToolCliNumbers, AcceptsDecimalAndHexWithinTheRange)
{
    std::string error;
    long long value = 0;
    EXPECT_TRUE(ParseInteger("17", 0LL, 100LL, value, "--n", error));
    EXPECT_EQ(value, 17);
    EXPECT_TRUE(ParseInteger("0x6000", 0LL, 0xFE00LL, value, "--begin", error));
    EXPECT_EQ(value, 0x6000);
    EXPECT_TRUE(ParseInteger("-5", -10LL, 10LL, value, "--d", error));
    EXPECT_EQ(value, -5);
    int small = 0;
    EXPECT_TRUE(ParseInteger("255", 1, 255, small, "--slave", error));
    EXPECT_EQ(small, 255);
}

TEST(ToolCliNumbers, RefusesWrappingSignsBlanksAndTrailingText)
{
    std::string error;
    long long value = 99;
    for (const char* text :
         {"-4294967295", "-1", "+1", " 1", "1 ", "1x", "", "0x", "08z", "18446744073709551617", "101", "0x65"}) {
        EXPECT_FALSE(ParseInteger(text, 0LL, 100LL, value, "--screen", error)) << text;
        EXPECT_EQ(value, 99) << text;
    }
    EXPECT_NE(error.find("--screen"), std::string::npos);
    int small = 7;
    EXPECT_FALSE(ParseInteger("4294967297", 0, 1000, small, "--n", error));
    EXPECT_EQ(small, 7);
    EXPECT_FALSE(ParseInteger("-9223372036854775809", -9223372036854775807LL - 1, 0LL, value, "--n", error));
    EXPECT_TRUE(ParseInteger("-9223372036854775808", -9223372036854775807LL - 1, 0LL, value, "--n", error));
}

TEST(ToolCliPaths, InputMustBeARegularReadableFile)
{
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    const std::string file = folder + "/in.bin";
    std::ofstream(file) << "x";
    const std::string fifo = folder + "/pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string error;
    EXPECT_TRUE(ZQ_CLI::CheckInputFile(file, error));
    EXPECT_TRUE(ZQ_CLI::CheckInputFile("-", error));
    EXPECT_FALSE(ZQ_CLI::CheckInputFile(fifo, error)); // must not block on open
    EXPECT_NE(error.find("FIFO"), std::string::npos);
    EXPECT_FALSE(ZQ_CLI::CheckInputFile(folder, error));
    EXPECT_FALSE(ZQ_CLI::CheckInputFile(folder + "/missing", error));
    EXPECT_NE(error.find("No such file"), std::string::npos);
}

TEST(ToolCliPaths, OutputToRegularFilesNewNamesOrStreams)
{
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    const std::string file = folder + "/out.bin";
    std::ofstream(file) << "x";
    std::string error;
    EXPECT_TRUE(ZQ_CLI::CheckOutputFile(file, error));
    EXPECT_TRUE(ZQ_CLI::CheckOutputFile(folder + "/new.bin", error));
    EXPECT_TRUE(ZQ_CLI::CheckOutputFile("-", error));
    EXPECT_TRUE(ZQ_CLI::CheckOutputFile("/dev/null", error)); // streamed into, never replaced
    EXPECT_TRUE(ZQ_CLI::CheckOutputFile("/dev/stderr", error));
    EXPECT_FALSE(ZQ_CLI::CheckOutputFile("/dev/full", error));
    EXPECT_NE(error.find("device"), std::string::npos);
    EXPECT_FALSE(ZQ_CLI::CheckOutputFile(folder, error));
    EXPECT_FALSE(ZQ_CLI::CheckOutputFile(folder + "/missing/new.bin", error));
    const std::string dangling = folder + "/dangling";
    ASSERT_EQ(::symlink((folder + "/nowhere/x").c_str(), dangling.c_str()), 0);
    EXPECT_FALSE(ZQ_CLI::CheckOutputFile(dangling, error));
    if (::geteuid() != 0) { // root may write anything
        ::chmod(file.c_str(), 0444);
        EXPECT_FALSE(ZQ_CLI::CheckOutputFile(file, error));
    }
    const std::string link = folder + "/link";
    ASSERT_EQ(::symlink(file.c_str(), link.c_str()), 0);
    EXPECT_TRUE(ZQ_CLI::IsSameFile(file, link));
    EXPECT_TRUE(ZQ_CLI::IsSameFile(file, folder + "/./out.bin"));
    EXPECT_FALSE(ZQ_CLI::IsSameFile(file, folder + "/new.bin"));
}

TEST(ToolCliParsing, HelpAndVersionExitZeroUsageErrorsExitTwo)
{
    ZQ_CLI::SetProgramName("zqtest");
    auto run = [](const QStringList& arguments, int& exitCode) {
        QCommandLineParser parser;
        ZQ_CLI::AddStandardOptions(parser, "Test program.");
        parser.addOption(QCommandLineOption("port", "Serial device.", "device"));
        return ZQ_CLI::ParseOrExit(parser, arguments, exitCode);
    };
    int exitCode = -1;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(run({"zqtest", "--help"}, exitCode));
    EXPECT_NE(testing::internal::GetCapturedStdout().find("--port <device>"), std::string::npos);
    EXPECT_EQ(exitCode, 0);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(run({"zqtest", "--version"}, exitCode));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), std::string("zqtest ") + ZQ_CLI::SuiteVersion() + "\n");
    EXPECT_EQ(exitCode, 0);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(run({"zqtest", "--bogus"}, exitCode));
    EXPECT_EQ(testing::internal::GetCapturedStderr().rfind("zqtest: ", 0), 0u);
    EXPECT_EQ(exitCode, 2);
    EXPECT_TRUE(run({"zqtest", "--port", "/dev/ttyS0"}, exitCode));
}

} // namespace
