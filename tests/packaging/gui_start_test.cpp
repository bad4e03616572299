// The graphical programs as a desktop or a file manager starts them: their installed names in
// help, version and errors, the exit statuses in --help, and a display that cannot be used (an X
// server that does not answer, a Wayland session nobody serves) reported with status 1 instead of
// Qt's abort; the programmer's file argument checked before any window opens.
#include "comkit/module_path.h"
#include "program_run.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <string>

namespace {

struct PROGRAM {
    const char* path; // below out/
    const char* command;
};
const PROGRAM PROGRAMS[] = {{"ZQEditor", "zqeditor"}, {"bin/Flasher", "zqflasher"}};

// Runs the program with no display but the variables of display (NAME=value, ...), in a private
// runtime folder (XDG_RUNTIME_DIR, where Wayland sockets live) and settings folder, in English.
PROGRAM_RUN StartProgram(const PROGRAM& program, const QStringList& display, const QStringList& arguments)
{
    QTemporaryDir home;
    return RunProgram(QString::fromStdString(COMMON_EX::GetProgramDirectory() + program.path), arguments,
                      QStringList{"XDG_RUNTIME_DIR=" + home.path(), "XDG_CONFIG_HOME=" + home.path(), "ZQ_LANG=en"} +
                          display);
}

} // namespace

TEST(GuiStart, InstalledNamesAndExitStatusesInHelpVersionAndErrors)
{
    for (const PROGRAM& program : PROGRAMS) {
        SCOPED_TRACE(program.command);
        const QByteArray command(program.command);
        PROGRAM_RUN run = StartProgram(program, {}, {"--help"});
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_TRUE(run.out.startsWith("Usage: " + command + " ")) << run.out.toStdString();
        EXPECT_TRUE(run.out.contains("Exit status:\n    0  done\n    1  ")) << run.out.toStdString();
        EXPECT_TRUE(run.out.contains("\n    2  the command line was wrong\n"));
        run = StartProgram(program, {}, {"--version"});
        EXPECT_EQ(run.out, command + " 1.2.0\n");
        run = StartProgram(program, {}, {"one", "two"});
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.err.startsWith(command + ": ")) << run.err.toStdString();
    }
}

TEST(GuiStart, ADisplayThatCannotBeUsedIsReportedNotAborted)
{
    struct CASE {
        QStringList display;
        const char* said; // what the error line names
    };
    const CASE cases[] = {
        {{}, "no display to open the window on"},
        {{"DISPLAY=:64999"}, "cannot open the display ':64999'"},
        // A Wayland session without a compositor at that name (and, here, without the plugin).
        {{"WAYLAND_DISPLAY=zq-none"}, "cannot open the Wayland display 'zq-none'"},
        {{"WAYLAND_DISPLAY=zq-none", "DISPLAY=:64999"}, "cannot open the display ':64999'"},
    };
    for (const PROGRAM& program : PROGRAMS)
        for (const CASE& c : cases) {
            SCOPED_TRACE(std::string(program.command) + " with " + c.display.join(' ').toStdString());
            const PROGRAM_RUN run = StartProgram(program, c.display, {});
            EXPECT_EQ(run.status, 1) << "no abort, no hang: " << run.err.toStdString();
            EXPECT_TRUE(run.err.startsWith(QByteArray(program.command) + ": " + c.said)) << run.err.toStdString();
        }
}

TEST(GuiStart, TheProgrammersFileIsCheckedBeforeAnyWindow)
{
    QTemporaryDir folder;
    const QString missing = folder.filePath("missing.vxg");
    PROGRAM_RUN run = StartProgram(PROGRAMS[1], {"QT_QPA_PLATFORM=offscreen"}, {missing});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "zqflasher: cannot open '" + QFile::encodeName(missing) + "': No such file or directory\n");
    run = StartProgram(PROGRAMS[1], {"QT_QPA_PLATFORM=offscreen"}, {"-"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.startsWith("zqflasher: the program file must be a file")) << run.err.toStdString();
}
