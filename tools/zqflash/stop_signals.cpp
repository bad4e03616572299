// Stop signals delivered through a pipe to the event loop.
#include "tools/zqflash/stop_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <utility>

namespace {

int s_signalPipe[2] = {-1, -1};

void OnStopSignal(int)
{
    const char byte = 1;
    ssize_t ignored = ::write(s_signalPipe[1], &byte, 1);
    (void)ignored;
}

} // namespace

CStopSignals::CStopSignals(std::function<void()> onStop)
{
    if (::pipe2(s_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_notifier = std::make_unique<QSocketNotifier>(s_signalPipe[0], QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [onStop = std::move(onStop)] {
        char buffer[16];
        while (::read(s_signalPipe[0], buffer, sizeof buffer) > 0) {
        }
        onStop();
    });
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM})
        sigaction(signal, &action, nullptr);
}
