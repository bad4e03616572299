#include "tools/zqflash/console_view.h"

#include "flasher/isp_exchange.h"

#include <QCoreApplication>

#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int BAR_WIDTH = 30;
constexpr DWORD BEGIN_STEP = 512;

} // namespace

CConsoleRunView::CConsoleRunView(const ZQFLASH_OPTIONS& options)
    : m_options(options), m_bTerminal(isatty(STDERR_FILENO) != 0 && !options.bQuiet)
{
    m_runTimer.setSingleShot(true);
    QObject::connect(&m_runTimer, &QTimer::timeout, [this] {
        m_bTimedOut = true;
        Fail(MSG_ISP_TIME_OVER);
    });
}

ISP_RUN_OPTIONS CConsoleRunView::GetRunOptions()
{
    ISP_RUN_OPTIONS options;
    options.n485Port = m_options.n485Port;
    options.n485Bit = m_options.n485Bit;
    options.nLedPort = m_options.nLedPort;
    options.nLedBit = m_options.nLedBit;
    options.nBeginIndex = static_cast<int>(m_options.dwBegin / BEGIN_STEP);
    options.nSlave = m_options.nSlave;
    options.strFile = m_options.strFile;
    return options;
}

void CConsoleRunView::ShowMessage(const char* text)
{
    m_strLastText = text;
    Print(std::string("zqflash: ") + text);
}

void CConsoleRunView::ShowInformation(const char* text)
{
    m_strLastText = text;
    if (m_strLastText != MSG_ISP_FINISHED)
        Print(std::string("zqflash: ") + text);
}

void CConsoleRunView::SetStatusText(const char* text)
{
    if (*text == '\0')
        return;
    m_strLastText = text;
    // Knocking repeats the same status many times a second: show each change once.
    if (m_strLastText != m_strLastPrinted)
        Print(m_strLastText);
}

void CConsoleRunView::SetProgressRange(int lower, int upper)
{
    (void)lower;
    m_nUpper = upper;
    m_clock.start();
}

void CConsoleRunView::SetProgressPos(int pos)
{
    // The last block's position is rounded up to 128; the finished run resets to 0.
    if (pos == 0)
        return;
    m_nPos = std::min(pos, m_nUpper);
    DrawProgress(false);
}

void CConsoleRunView::EnterRunningState()
{
    if (!m_runTimer.isActive())
        RearmRunTimer();
}

void CConsoleRunView::EnterIdleState()
{
    m_runTimer.stop();
    QCoreApplication::exit(0);
}

void CConsoleRunView::RearmRunTimer()
{
    m_runTimer.start(m_options.nTimeoutSeconds * 1000);
}

void CConsoleRunView::CloseWindow()
{
    m_runTimer.stop();
    QCoreApplication::exit(1);
}

void CConsoleRunView::Fail(const std::string& text)
{
    if (text != m_strLastPrinted)
        Print("zqflash: " + text);
    m_strLastText = text;
    CloseWindow();
}

void CConsoleRunView::Print(const std::string& line)
{
    if (m_bBarShown) {
        std::fputc('\n', stderr);
        m_bBarShown = false;
    }
    std::fprintf(stderr, "%s\n", line.c_str());
    m_strLastPrinted = line;
}

void CConsoleRunView::DrawProgress(bool final)
{
    if (!m_bTerminal && !final)
        return;
    double seconds = std::max(m_clock.elapsed(), qint64(1)) / 1000.0;
    int percent = m_nUpper > 0 ? static_cast<int>(100LL * m_nPos / m_nUpper) : 100;
    int filled = BAR_WIDTH * percent / 100;
    std::fprintf(stderr, "\r[%s%s] %3d%%  %d/%d bytes  %.1f KiB/s", std::string(filled, '#').c_str(),
                 std::string(BAR_WIDTH - filled, '.').c_str(), percent, m_nPos, m_nUpper,
                 m_nPos / 1024.0 / seconds);
    std::fflush(stderr);
    m_bBarShown = true;
}

void CConsoleRunView::PrintSummary()
{
    m_nPos = m_nUpper;
    DrawProgress(true);
    std::fputc('\n', stderr);
    m_bBarShown = false;
    std::printf("%s: %d bytes in %.2f s\n", MSG_ISP_FINISHED, m_nUpper, m_clock.elapsed() / 1000.0);
    std::fflush(stdout);
}
