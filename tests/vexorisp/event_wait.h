// Event-loop helpers of the tests that drive the communication library: the process's
// QCoreApplication, and waiting in its event loop for a condition.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <functional>

inline QCoreApplication& TestApp()
{
    static int argc = 1;
    static char name[] = "zq_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

// How long a test waits for a state before it counts the run as hung: only a guard, never a
// guess of how long is enough (two jobs on a loaded machine may take many times their usual time).
inline constexpr int TEST_HANG_GUARD_MS = 120000;

// Runs the event loop until done() holds or timeoutMs pass, asking every pollMs; returns done().
inline bool WaitUntil(const std::function<bool()>& done, int timeoutMs, int pollMs = 1)
{
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done() || clock.elapsed() > timeoutMs)
            loop.quit();
    });
    poll.start(pollMs);
    loop.exec();
    return done();
}
