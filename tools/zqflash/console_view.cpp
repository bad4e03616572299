// zqflash's terminal view of a programming run.
#include "tools/zqflash/console_view.h"

#include "appkit/tool_cli.h"
#include "flasher/isp_exchange.h"
#include "tools/zqflash/line_report.h"
#include "tools/zqflash/shown_text.h"

#include <QCoreApplication>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

constexpr int BAR_WIDTH = 30;
constexpr DWORD BEGIN_STEP = 512;

// The address of a CRC error in hex, " (0x6100)", to follow the message.
std::string HexAddressOf(int address)
{
    char hex[16];
    std::snprintf(hex, sizeof hex, " (0x%04X)", static_cast<unsigned>(address));
    return hex;
}

} // namespace

CConsoleRunView::CConsoleRunView(const ZQFLASH_OPTIONS& options)
    : m_options(options), m_bTerminal(isatty(STDERR_FILENO) != 0 && !options.bQuiet && !options.bLineReport)
{
    m_runTimer.setSingleShot(true);
    QObject::connect(&m_runTimer, &QTimer::timeout, [this] {
        m_bTimedOut = true;
        const char* text =
            m_bBlocks ? QT_TRANSLATE_NOOP("zqflash", "%1 (a block was not confirmed within %2 s)")
                      : QT_TRANSLATE_NOOP("zqflash", "%1 (the panel's boot loader did not answer within %2 s)");
        Fail(ZQ_CLI::TrArgs(text, {ShownLibraryText(MSG_ISP_TIME_OVER), std::to_string(m_options.nTimeoutSeconds)}));
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
    ShowError(ShownLibraryText(text));
}

void CConsoleRunView::ShowNumberedMessage(const FLASHER_MESSAGE& message)
{
    ShowError(ShownLibraryMessage(message));
}

void CConsoleRunView::ShowError(const std::string& shown)
{
    // Unattended, the exchange repeats as a message the error it has just given with its cause:
    // the cause stays (it says why, and the record keeps it).
    if (!shown.empty() && m_strLastText.compare(0, shown.size(), shown) == 0)
        return;
    m_strLastText = shown;
    PrintError(m_strLastText);
}

void CConsoleRunView::ShowInformation(const char* text)
{
    m_strLastText = ShownLibraryText(text);
    if (std::strcmp(text, MSG_ISP_FINISHED) != 0)
        PrintError(m_strLastText);
}

void CConsoleRunView::SetStatusText(const char* text)
{
    if (*text == '\0' || m_bEnded)
        return;
    const STATUS_KIND kind = std::strcmp(text, MSG_ISP_TIME_OVER) == 0  ? STATUS_TIME_OVER
                             : std::strcmp(text, MSG_ISP_FINISHED) == 0 ? STATUS_FINISHED
                                                                        : STATUS_PLAIN;
    ShowStatus(ShownLibraryText(text), kind);
}

void CConsoleRunView::SetNumberedStatus(const FLASHER_MESSAGE& message)
{
    if (m_bEnded)
        return;
    if (message.code == FLASHER_MESSAGE_CRC_ERROR)
        ShowStatus(ShownLibraryMessage(message) + HexAddressOf(message.nNumber), STATUS_CRC_ERROR);
    else if (message.code == FLASHER_MESSAGE_UNCONFIRMED)
        ShowStatus(ShownLibraryMessage(message), STATUS_UNCONFIRMED);
    else
        ShowStatus(ShownLibraryMessage(message),
                   message.code == FLASHER_MESSAGE_ISP_ERROR ? STATUS_ISP_ERROR : STATUS_PLAIN);
}

void CConsoleRunView::ShowStatus(const std::string& shown, STATUS_KIND kind)
{
    m_strLastText = shown;
    const bool error = kind == STATUS_TIME_OVER || kind == STATUS_ISP_ERROR;
    if (error && !m_bBlocks) {
        // Knocking: the panel has not entered its boot loader yet.
        if (!m_bWaitingShown && m_options.bLineReport)
            WriteLineReport(LINE_REPORT_WAITING, 0);
        else if (!m_bWaitingShown)
            Print(ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqflash", "Waiting for the panel's boot loader on %1 (switch "
                                                              "the panel off and on again)..."),
                                 {m_options.strPort}));
        m_bWaitingShown = true;
        return;
    }
    if (kind == STATUS_ISP_ERROR || kind == STATUS_FINISHED)
        return; // printed with its cause by SetStatusCause; the summary says finished
    if (error || kind == STATUS_CRC_ERROR || kind == STATUS_UNCONFIRMED)
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
        const std::string line =
            ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqflash", "waiting: %1: %2"), {m_strLastText, words});
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
    char numbers[2][32];
    std::snprintf(numbers[0], sizeof numbers[0], "%3d", percent);
    std::snprintf(numbers[1], sizeof numbers[1], "%.1f", m_nPos / 1024.0 / seconds);
    const std::string bar = ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqflash", "%1%  %2/%3 bytes  %4 KiB/s"),
                                           {numbers[0], std::to_string(m_nPos), std::to_string(m_nUpper), numbers[1]});
    std::fprintf(stderr, "\r[%s%s] %s", std::string(filled, '#').c_str(), std::string(BAR_WIDTH - filled, '.').c_str(),
                 bar.c_str());
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
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.2f", m_clock.elapsed() / 1000.0);
    std::printf("%s\n", ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqflash", "%1: %2 bytes in %3 s"),
                                       {ShownLibraryText(MSG_ISP_FINISHED), std::to_string(m_nUpper), seconds})
                            .c_str());
    std::fflush(stdout);
}
