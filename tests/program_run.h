// Runs one of the suite's programs as a user would start it, for the tests of its command line: no
// display unless the test gives one, the environment changes the test names, the whole output.
#pragma once

#include "vexorisp/event_wait.h"

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

struct PROGRAM_RUN {
    int status = -1; // -1: it crashed, or it did not end within the minute
    QByteArray out;
    QByteArray err;
};

// Runs program with arguments after taking DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM out of the
// environment and then setting each "NAME=value" of set.
inline PROGRAM_RUN RunProgram(const QString& program, const QStringList& arguments, const QStringList& set = {})
{
    TestApp();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    for (const QString& variable : set)
        environment.insert(variable.section('=', 0, 0), variable.section('=', 1));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    PROGRAM_RUN run;
    if (!process.waitForFinished(TEST_HANG_GUARD_MS)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}
