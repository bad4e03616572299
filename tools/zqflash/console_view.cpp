// zqflash's terminal view of a programming run.
#include "tools/zqflash/console_view.h"

#include "flasher/isp_exchange.h"
#include "tools/common/tool_cli.h"
#include "tools/zqflash/line_report.h"

#include <QCoreApplication>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

constexpr int BAR_WIDTH = 30;
constexpr DWORD BEGIN_STEP = 512;

// "Address: 24832 CRC error!" with the address in hex as well.
std::string WithHexAddress(const std::string& text)
{
    int address = 0;
    if (std::sscanf(text.c_str(), FMT_ISP_CRC_ERROR, &address) != 1)
        return text;
    char hex[16];
    std::snprintf(hex, sizeof hex, " (0x%04X)", static_cast<unsigned>(address));
    return text + hex;
}

} // namespace

CConsoleRunView::CConsoleRunView(const ZQFLASH_OPTIONS& options)
    : m_options(options), m_bTerminal(isatty(STDERR_FILENO) != 0 && !options.bQuiet && !options.bLineReport)
{
    m_runTimer.setSingleShot(true);
    QObject::connect(&m_runTimer, &QTimer::timeout, [this] {
        m_bTimedOut = true;
        const std::string where =
            m_bBlocks ? "a block was not confirmed within " : "the panel's boot loader did not answer within ";
        Fail(std::string(MSG_ISP_TIME_OVER) + " (" + where + std::to_string(m_options.nTimeoutSeconds) + " s)");
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
    PrintError(text);
}

void CConsoleRunView::ShowInformation(const char* text)
{
    m_strLastText = text;
    if (m_strLastText != MSG_ISP_FINISHED)
        PrintError(text);
}

void CConsoleRunView::SetStatusText(const char* text)
{
    if (*text == '\0' || m_bEnded)
        return;
    m_strLastText = WithHexAddress(text);
    const bool error = std::strcmp(text, MSG_ISP_TIME_OVER) == 0 || std::strncmp(text, "An unexpectedly", 15) == 0;
    if (error && !m_bBlocks) {
        // Knocking: the panel has not entered its boot loader yet.
        if (!m_bWaitingShown && m_options.bLineReport)
            WriteLineReport(LINE_REPORT_WAITING, 0);
        else if (!m_bWaitingShown)
            Print("Waiting for the panel's boot loader on " + m_options.strPort +
                  " (switch the panel off and on again)...");
        m_bWaitingShown = true;
        return;
    }
    if (std::strncmp(text, "An unexpectedly", 15) == 0 || m_strLastText == MSG_ISP_FINISHED)
        return; // printed with its cause by SetStatusCause; the summary says finished
    if (error || m_strLastText != text)
        PrintError(m_strLastText);
    else if (m_strLastText != m_strLastPrinted)
        Print(m_strLastText);
}

void CConsoleRunView::SetStatusCause(const char* words)
{
    if (m_bEnded)
        return;
    if (!m_bBlocks) {
        // Errors while knocking say why the line is not answering, once each.
        if (m_options.bLineReport)
            return;
        const std::string line = "waiting: " + m_strLastText + ": " + words;
        if (line != m_strLastPrinted)
            Print(line);
        return;
    }
    m_strLastText += std::string(": ") + words;
    PrintError(m_strLastText);
}

void CConsoleRunView::SetProgressRange(int lower, int upper)
{
    (void)lower;
    m_nUpper = upper;
    m_bBlocks = true;
    m_clock.start();
    if (m_options.bLineReport)
        WriteLineReport(LINE_REPORT_BLOCKS, upper);
}

void CConsoleRunView::SetProgressPos(int pos)
{
    // The last block's position is rounded up to 128; the finished run resets to 0.
    if (pos == 0 || m_bEnded)
        return;
    m_nPos = std::min(pos, m_nUpper);
    if (m_options.bLineReport)
        WriteLineReport(LINE_REPORT_PROGRESS, m_nPos);
    DrawProgress();
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
    PrintError(text);
    m_strLastText = text;
    m_bEnded = true;
    CloseWindow();
}

void CConsoleRunView::PrintError(const std::string& text)
{
    // An error shown already, perhaps with its cause or context after it, is not shown again.
    const std::string line = std::string(ZQ_CLI::ProgramName()) + ": " + text;
    if (m_options.bLineReport) {
        if (line != m_strLastPrinted)
            WriteLineReport(LINE_REPORT_ERROR, 0, text);
        m_strLastPrinted = line;
        return;
    }
    if (m_strLastPrinted.compare(0, line.size(), line) != 0 && text != m_strLastPrinted)
        Print(line);
}

void CConsoleRunView::Print(const std::string& line)
{
    if (m_options.bLineReport)
        return; // the supervisor shows the state; errors are reported by PrintError
    if (m_bBarShown) {
        std::fputc('\n', stderr);
        m_bBarShown = false;
    }
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
    m_strLastPrinted = line;
}

void CConsoleRunView::DrawProgress()
{
    if (!m_bTerminal)
        return;
    double seconds = std::max(m_clock.elapsed(), qint64(1)) / 1000.0;
    int percent = m_nUpper > 0 ? static_cast<int>(100LL * m_nPos / m_nUpper) : 100;
    int filled = BAR_WIDTH * percent / 100;
    std::fprintf(stderr, "\r[%s%s] %3d%%  %d/%d bytes  %.1f KiB/s", std::string(filled, '#').c_str(),
                 std::string(BAR_WIDTH - filled, '.').c_str(), percent, m_nPos, m_nUpper, m_nPos / 1024.0 / seconds);
    std::fflush(stderr);
    m_bBarShown = true;
}

void CConsoleRunView::PrintSummary()
{
    m_nPos = m_nUpper;
    DrawProgress();
    if (m_bBarShown)
        std::fputc('\n', stderr);
    m_bBarShown = false;
    m_bEnded = true;
    if (m_options.bLineReport) {
        WriteLineReport(LINE_REPORT_FINISHED, m_nUpper);
        return;
    }
    std::printf("%s: %d bytes in %.2f s\n", MSG_ISP_FINISHED, m_nUpper, m_clock.elapsed() / 1000.0);
    std::fflush(stdout);
}
