// The live rows and the summary table of a line run.
#include "tools/zqflash/line_view.h"

#include "appkit/tool_cli.h"
#include "tools/zqflash/shown_text.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

const char* StateSource(LinePortState state)
{
    switch (state) {
    case LINE_PORT_STARTING: return QT_TRANSLATE_NOOP("zqflash", "starting");
    case LINE_PORT_WAITING: return QT_TRANSLATE_NOOP("zqflash", "waiting for the panel");
    case LINE_PORT_PROGRAMMING: return QT_TRANSLATE_NOOP("zqflash", "programming");
    case LINE_PORT_FINISHED: return QT_TRANSLATE_NOOP("zqflash", "finished");
    case LINE_PORT_FAILED: return QT_TRANSLATE_NOOP("zqflash", "failed");
    case LINE_PORT_INTERRUPTED: return QT_TRANSLATE_NOOP("zqflash", "interrupted");
    }
    return "";
}

std::string StateWords(LinePortState state)
{
    return ZQ_CLI::Tr(StateSource(state));
}

// text padded with blanks to width characters (bytes of the locale's encoding) on its right.
std::string Padded(const char* format, const std::string& text, int width)
{
    char cell[512];
    std::snprintf(cell, sizeof cell, format, width, text.c_str());
    return cell;
}

std::string PortRow(const LINE_PORT_STATUS& port, std::size_t width)
{
    const qint64 millis = port.endedMs >= 0 ? port.endedMs : port.blocks.isValid() ? port.blocks.elapsed() : 0;
    const double seconds = port.blocks.isValid() ? std::max<qint64>(millis, 1) / 1000.0 : 0;
    char numbers[4][64];
    std::snprintf(numbers[0], sizeof numbers[0], "%6lld", port.bytes);
    std::snprintf(numbers[1], sizeof numbers[1], "%-6lld", port.total);
    std::snprintf(numbers[2], sizeof numbers[2], "%6.1f", seconds > 0 ? port.bytes / 1024.0 / seconds : 0.0);
    std::snprintf(numbers[3], sizeof numbers[3], "%3lld", port.retries);
    std::string text =
        ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqflash", "%1  %2 %3/%4  %5 KiB/s  %6 retries  %7 ok %8 failed"),
                       {Padded("%-*s", port.strPort, static_cast<int>(width)),
                        Padded("%-*s", StateWords(port.state), 21), numbers[0], numbers[1], numbers[2], numbers[3],
                        std::to_string(port.finished), std::to_string(port.failed)});
    if (port.state == LINE_PORT_FAILED && !port.strError.empty())
        text += "  " + ShownRecordError(port.strError);
    return text;
}

} // namespace

void CLineView::OnStateChanged(const LINE_PORT_STATUS& port)
{
    if (m_bTerminal || m_bQuiet || port.state == LINE_PORT_STARTING)
        return;
    const std::string state = StateWords(port.state);
    std::string line = port.strPort + ": " + state;
    if (port.state == LINE_PORT_PROGRAMMING)
        line = ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqflash", "%1: %2 %3 bytes"),
                              {port.strPort, state, std::to_string(port.total)});
    else if (port.state == LINE_PORT_FINISHED)
        line = ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqflash", "%1: %2 %3 bytes, %4 retries"),
                              {port.strPort, state, std::to_string(port.bytes), std::to_string(port.retries)});
    else if (!port.strError.empty() && port.state != LINE_PORT_WAITING)
        line += ": " + ShownRecordError(port.strError);
    ZQ_CLI::PrintError(line);
}

void CLineView::Draw(const std::vector<LINE_PORT_STATUS>& ports)
{
    if (!m_bTerminal)
        return;
    std::size_t width = 0;
    for (const LINE_PORT_STATUS& port : ports)
        width = std::max(width, port.strPort.size());
    std::string text;
    if (m_nDrawnRows > 0)
        text += "\x1b[" + std::to_string(m_nDrawnRows) + "A";
    for (const LINE_PORT_STATUS& port : ports)
        text += "\r\x1b[2K" + PortRow(port, width) + "\n";
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
    m_nDrawnRows = static_cast<int>(ports.size());
}

void CLineView::PrintSummary(const std::vector<PANEL_RECORD>& records, long long total, long long finished)
{
    std::size_t width = 4;
    for (const PANEL_RECORD& record : records)
        width = std::max(width, record.strPort.size());
    const int w = static_cast<int>(width);
    const auto label = [](const char* text) { return ZQ_CLI::Tr(text); };
    std::printf("%s  %s  %s  %s  %s  %s\n", Padded("%-*s", label(QT_TRANSLATE_NOOP("zqflash", "port")), w).c_str(),
                Padded("%-*s", label(QT_TRANSLATE_NOOP("zqflash", "result")), 11).c_str(),
                Padded("%*s", label(QT_TRANSLATE_NOOP("zqflash", "bytes")), 7).c_str(),
                Padded("%*s", label(QT_TRANSLATE_NOOP("zqflash", "time")), 8).c_str(),
                Padded("%*s", label(QT_TRANSLATE_NOOP("zqflash", "retries")), 7).c_str(),
                label(QT_TRANSLATE_NOOP("zqflash", "error")).c_str());
    const long long earlier = total - static_cast<long long>(records.size());
    if (earlier > 0)
        std::printf("%s\n", ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqflash", "(%1 earlier panel runs are not listed)"),
                                           {std::to_string(earlier)})
                                .c_str());
    for (const PANEL_RECORD& record : records)
        std::printf("%-*s  %-11s  %7lld  %7.2fs  %7lld  %s\n", w, record.strPort.c_str(), record.strResult.c_str(),
                    record.bytes, record.seconds, record.retries, ShownRecordError(record.strError).c_str());
    std::printf("%s\n", ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqflash", "%1 of %2 panels finished"),
                                       {std::to_string(finished), std::to_string(total)})
                            .c_str());
    std::fflush(stdout);
}
