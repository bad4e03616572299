// zqpanel-sim: the panel's boot loader on a pseudo-terminal, for tests, benchmarks and trying the
// programmer without a panel.
#include "appkit/tool_cli.h"
#include "tools/zqpanel-sim/flash_output.h"
#include "tools/zqpanel-sim/panel_boot_loader.h"
#include "tools/zqpanel-sim/serial_endpoint.h"
#include "tools/zqpanel-sim/sim_count.h"
#include "tools/zqpanel-sim/sim_options.h"

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <deque>

namespace {

using Clock = std::chrono::steady_clock;

volatile sig_atomic_t s_bStop = 0;

// How often an idle simulator looks for a programmer gone without closing the line.
constexpr long IDLE_CHECK_NANOS = 250000000L;

void OnStopSignal(int)
{
    s_bStop = 1;
}

struct SCHEDULED_ANSWER {
    Clock::time_point due;
    std::vector<BYTE> bytes;
};

class CSimulator {
public:
    CSimulator(const SIM_OPTIONS& options, CSerialEndpoint& endpoint)
        : m_options(options), m_endpoint(endpoint), m_loader(options.nSlave, options.wMaskSeed, options.faults)
    {
    }

    // Runs until a stop signal (or the end of standard input when asked); false on a line error.
    bool Run(const sigset_t& runMask);
    // Writes the flash into output; false with error naming the file and the reason.
    bool WriteFlash(CFlashOutput& output, std::string& error) const;
    // The statistics line on lines.
    void PrintStats(FILE* lines) const;

private:
    void OnReadable(Clock::time_point now);
    bool SendDueAnswers(Clock::time_point now);
    void Schedule(SCHEDULED_ANSWER answer);
    Clock::duration LineTime(std::size_t bytes) const;

    const SIM_OPTIONS& m_options;
    CSerialEndpoint& m_endpoint;
    CPanelBootLoader m_loader;
    std::deque<SCHEDULED_ANSWER> m_answers;
    Clock::time_point m_frameStart; // arrival of the first byte of the frame being received
};

Clock::duration CSimulator::LineTime(std::size_t bytes) const
{
    if (m_options.nLineBaud <= 0)
        return Clock::duration::zero();
    return std::chrono::nanoseconds(static_cast<long long>(bytes) * m_options.GetBitsPerChar() * 1000000000LL /
                                    m_options.nLineBaud);
}

bool CSimulator::Run(const sigset_t& runMask)
{
    bool watchStdin = m_options.bExitOnStdinEof;
    while (!s_bStop) {
        pollfd fds[2] = {{m_endpoint.GetFd(), POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
        // Idle, the line is looked at now and then: a programmer killed mid-run leaves its
        // settings on the pseudo-terminal, which must be fresh again for the next one.
        timespec wait{0, IDLE_CHECK_NANOS};
        timespec* pWait = m_endpoint.CanBeAbandoned() ? &wait : nullptr;
        if (!m_answers.empty()) {
            auto left = std::chrono::duration_cast<std::chrono::nanoseconds>(m_answers.front().due - Clock::now());
            long long nanos = std::max<long long>(left.count(), 0);
            wait.tv_sec = static_cast<time_t>(nanos / 1000000000LL);
            wait.tv_nsec = static_cast<long>(nanos % 1000000000LL);
            pWait = &wait;
        }
        int ready = ppoll(fds, watchStdin ? 2 : 1, pWait, &runMask);
        if (ready < 0 && errno != EINTR) {
            ZQ_CLI::PrintError(ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqpanel-sim", "poll: %1"), {std::strerror(errno)}));
            return false;
        }
        Clock::time_point now = Clock::now();
        if (ready == 0 && m_answers.empty() && m_endpoint.ReleaseAbandonedPeer()) {
            m_loader.DropPending();
            if (m_options.bVerbose)
                std::fprintf(stderr, "zqpanel-sim: line settings reset: its programmer is gone\n");
        }
        if (ready > 0 && (fds[0].revents & POLLIN))
            OnReadable(now);
        if (ready > 0 && watchStdin && (fds[1].revents & (POLLIN | POLLHUP))) {
            char discard[256];
            if (read(STDIN_FILENO, discard, sizeof discard) <= 0)
                break;
        }
        if (!SendDueAnswers(Clock::now()))
            return false;
    }
    return true;
}

void CSimulator::OnReadable(Clock::time_point now)
{
    BYTE buffer[4096];
    ssize_t count = read(m_endpoint.GetFd(), buffer, sizeof buffer);
    if (count <= 0)
        return;
    if (m_loader.GetPendingLength() == 0)
        m_frameStart = now;
    std::vector<PANEL_EXCHANGE> exchanges = m_loader.Receive(buffer, static_cast<std::size_t>(count));
    for (PANEL_EXCHANGE& exchange : exchanges) {
        if (m_options.bVerbose)
            std::fprintf(stderr, "zqpanel-sim: %s\n", exchange.description.c_str());
        // The request is complete only once its last byte would have crossed the line; bytes
        // after it follow it on the line.
        Clock::time_point received = std::max(now, m_frameStart + LineTime(exchange.requestLength));
        m_frameStart = received;
        if (exchange.answer.empty())
            continue;
        SCHEDULED_ANSWER answer;
        answer.due = received + LineTime(exchange.answer.size()) + std::chrono::milliseconds(m_options.nDelayMs);
        if (!m_answers.empty())
            answer.due = std::max(answer.due, m_answers.back().due + LineTime(exchange.answer.size()));
        answer.bytes = std::move(exchange.answer);
        if (exchange.nRepeatAfterMs >= 0) {
            SCHEDULED_ANSWER repeat{answer.due + std::chrono::milliseconds(exchange.nRepeatAfterMs), answer.bytes};
            Schedule(std::move(answer));
            Schedule(std::move(repeat));
        } else {
            Schedule(std::move(answer));
        }
    }
}

void CSimulator::Schedule(SCHEDULED_ANSWER answer)
{
    // Kept in the order they are due: a repeated answer may be due after later ones.
    auto at = std::upper_bound(m_answers.begin(), m_answers.end(), answer.due,
                               [](Clock::time_point due, const SCHEDULED_ANSWER& other) { return due < other.due; });
    m_answers.insert(at, std::move(answer));
}

bool CSimulator::SendDueAnswers(Clock::time_point now)
{
    while (!m_answers.empty() && m_answers.front().due <= now) {
        if (!m_endpoint.WriteAll(m_answers.front().bytes.data(), m_answers.front().bytes.size())) {
            ZQ_CLI::PrintError(ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqpanel-sim", "write: %1"), {std::strerror(errno)}));
            return false;
        }
        m_answers.pop_front();
    }
    return true;
}

bool CSimulator::WriteFlash(CFlashOutput& output, std::string& error) const
{
    return output.Write(m_loader.GetFlash(), error);
}

void CSimulator::PrintStats(FILE* lines) const
{
    const PANEL_STATS& stats = m_loader.GetStats();
    std::fprintf(lines, "frames-in=%d bytes-in=%lld frames-out=%d bytes-out=%lld knocks=%d blocks=%d commands=",
                 stats.framesIn, stats.bytesIn, stats.framesOut, stats.bytesOut, stats.knocks, stats.blocks);
    for (std::size_t i = 0; i < stats.commands.size(); ++i)
        std::fprintf(lines, "%s%d", i ? "," : "", stats.commands[i]);
    std::fprintf(lines, "\n");
    std::fflush(lines);
}

} // namespace

int main(int argc, char** argv)
{
    ZQ_CLI::SetProgramName("zqpanel-sim");
    SIM_OPTIONS options;
    int exitCode = 0;
    const QStringList arguments = ZQ_CLI::ArgumentsOf(argc, argv);
    if (!ParseSimOptions(arguments, options, exitCode))
        return exitCode;
    std::string error;

    // Stop signals stay blocked except while waiting, so none is lost between checks.
    sigset_t stopSignals, runMask;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGHUP);
    sigprocmask(SIG_BLOCK, &stopSignals, &runMask);
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);

    if (options.nCount > 0)
        return RunPanels(arguments, options, runMask, s_bStop);

    // The flash file is checked before the pseudo-terminal is offered: a session of programming
    // must not run against a file that cannot take its result.
    CFlashOutput flash;
    if (!flash.Open(options.strFlashFile, error)) {
        ZQ_CLI::PrintError(error);
        return ZQ_CLI::EXIT_FAILED;
    }
    // With the flash on standard output, the simulator's own lines go to standard error.
    FILE* lines = flash.IsStandardOutput() ? stderr : stdout;
    CSerialEndpoint endpoint;
    bool opened = options.strDevice.empty() ? endpoint.OpenPseudoTerminal(error)
                                            : endpoint.OpenDevice(options.strDevice, options.nBaud, options.nDataBits,
                                                                  options.cParity, options.nStopBits, error);
    if (!opened) {
        ZQ_CLI::PrintError(error);
        return ZQ_CLI::EXIT_FAILED;
    }
    std::fprintf(lines, "%s\n", endpoint.GetPeerPath().c_str());
    std::fflush(lines);

    CSimulator simulator(options, endpoint);
    bool ran = simulator.Run(runMask);
    bool written = simulator.WriteFlash(flash, error);
    if (!written)
        ZQ_CLI::PrintError(error);
    simulator.PrintStats(lines);
    return ran && written ? 0 : 1;
}
