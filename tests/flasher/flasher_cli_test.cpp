// The programmer's command line: --help and --version answer without a display, and without a
// display the program says so instead of aborting.
#include "comkit/module_path.h"
#include "vexorisp/event_wait.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

namespace {

struct RUN {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

RUN RunFlasherWithoutDisplay(const QStringList& arguments)
{
    TestApp();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QString::fromStdString(COMMON_EX::GetProgramDirectory() + "bin/Flasher"), arguments);
    RUN run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

} // namespace

TEST(FlasherCommandLine, HelpAndVersionNeedNoDisplay)
{
    RUN run = RunFlasherWithoutDisplay({"--help"});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith("Usage: Flasher")) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains("isp.ini"));
    run = RunFlasherWithoutDisplay({"--version"});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.startsWith("Flasher ")) << run.out.toStdString();
    run = RunFlasherWithoutDisplay({"--bogus"});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.startsWith("Flasher: ")) << run.err.toStdString();
}

TEST(FlasherCommandLine, WithoutADisplayItSaysSoInsteadOfAborting)
{
    const RUN run = RunFlasherWithoutDisplay({});
    EXPECT_EQ(run.status, 1) << "no crash, no abort";
    EXPECT_TRUE(run.err.startsWith("Flasher: no display")) << run.err.toStdString();
}
