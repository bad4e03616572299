// Ctrl-C and SIGTERM as a call from the event loop, for zqflash's runs.
#pragma once

#include <QSocketNotifier>

#include <functional>
#include <memory>

class CStopSignals {
public:
    // From now on SIGINT and SIGTERM call onStop from the event loop (through a pipe the handler
    // writes), once per signal; a second Ctrl-C calls it again. One instance per process.
    explicit CStopSignals(std::function<void()> onStop);

private:
    std::unique_ptr<QSocketNotifier> m_notifier;
};
