// The programmer's command line: --help and --version answer without a display, and without a
// display the program says so instead of aborting.
#include "comkit/module_path.h"
#include "program_run.h"

#include <gtest/gtest.h>

namespace {

PROGRAM_RUN RunFlasherWithoutDisplay(const QStringList& arguments)
{
    return RunProgram(QString::fromStdString(COMMON_EX::GetProgramDirectory() + "bin/Flasher"), arguments);
}

} // namespace

TEST(FlasherCommandLine, HelpAndVersionNeedNoDisplay)
{
    PROGRAM_RUN run = RunFlasherWithoutDisplay({"--help"});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith("Usage: zqflasher")) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains("isp.ini"));
    run = RunFlasherWithoutDisplay({"--version"});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.startsWith("zqflasher ")) << run.out.toStdString();
    run = RunFlasherWithoutDisplay({"--bogus"});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.startsWith("zqflasher: ")) << run.err.toStdString();
}

TEST(FlasherCommandLine, WithoutADisplayItSaysSoInsteadOfAborting)
{
    const PROGRAM_RUN run = RunFlasherWithoutDisplay({});
    EXPECT_EQ(run.status, 1) << "no crash, no abort";
    EXPECT_TRUE(run.err.startsWith("zqflasher: no display")) << run.err.toStdString();
}
