// The live rows and the summary table of a line run.
#include "tools/zqflash/line_view.h"

#include "tools/common/tool_cli.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

const char* StateWords(LinePortState state)
{
    switch (state) {
    case LINE_PORT_STARTING: return "starting";
    case LINE_PORT_WAITING: return "waiting for the panel";
    case LINE_PORT_PROGRAMMING: return "programming";
    case LINE_PORT_FINISHED: return "finished";
    case LINE_PORT_FAILED: return "failed";
    case LINE_PORT_INTERRUPTED: return "interrupted";
    }
    return "";
}

std::string PortRow(const LINE_PORT_STATUS& port, std::size_t width)
{
    char row[512];
    const qint64 millis = port.endedMs >= 0 ? port.endedMs : port.blocks.isValid() ? port.blocks.elapsed() : 0;
    const double seconds = port.blocks.isValid() ? std::max<qint64>(millis, 1) / 1000.0 : 0;
    std::snprintf(row, sizeof row, "%-*s  %-21s %6lld/%-6lld  %6.1f KiB/s  %3lld retries  %d ok %d failed",
                  static_cast<int>(width), port.strPort.c_str(), StateWords(port.state), port.bytes, port.total,
                  seconds > 0 ? port.bytes / 1024.0 / seconds : 0.0, port.retries, port.finished, port.failed);
    std::string text = row;
    if (port.state == LINE_PORT_FAILED && !port.strError.empty())
        text += "  " + port.strError;
    return text;
}

} // namespace

void CLineView::OnStateChanged(const LINE_PORT_STATUS& port)
{
    if (m_bTerminal || m_bQuiet || port.state == LINE_PORT_STARTING)
        return;
    std::string line = port.strPort + ": " + StateWords(port.state);
    if (port.state == LINE_PORT_PROGRAMMING)
        line += " " + std::to_string(port.total) + " bytes";
    else if (port.state == LINE_PORT_FINISHED)
        line += " " + std::to_string(port.bytes) + " bytes, " + std::to_string(port.retries) + " retries";
    else if (!port.strError.empty() && port.state != LINE_PORT_WAITING)
        line += ": " + port.strError;
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

void CLineView::PrintSummary(const std::vector<PANEL_RECORD>& records)
{
    std::size_t width = 4;
    for (const PANEL_RECORD& record : records)
        width = std::max(width, record.strPort.size());
    const int w = static_cast<int>(width);
    std::printf("%-*s  %-11s  %7s  %8s  %7s  %s\n", w, "port", "result", "bytes", "time", "retries", "error");
    int finished = 0;
    for (const PANEL_RECORD& record : records) {
        std::printf("%-*s  %-11s  %7lld  %7.2fs  %7lld  %s\n", w, record.strPort.c_str(), record.strResult.c_str(),
                    record.bytes, record.seconds, record.retries, record.strError.c_str());
        if (record.strResult == PANEL_RESULT_FINISHED)
            ++finished;
    }
    std::printf("%d of %zu panels finished\n", finished, records.size());
    std::fflush(stdout);
}
