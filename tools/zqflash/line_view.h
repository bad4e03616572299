// The view of a line run: one row per port, redrawn in place on a terminal (state, bytes, rate,
// retries), or one plain line per change of state otherwise; and the summary table at the end.
#pragma once

#include "tools/zqflash/production_log.h"

#include <QElapsedTimer>

#include <string>
#include <vector>

enum LinePortState {
    LINE_PORT_STARTING = 0, // the port's process is starting
    LINE_PORT_WAITING,      // knocking: waiting for the panel's boot loader
    LINE_PORT_PROGRAMMING,  // blocks under way
    LINE_PORT_FINISHED,     // the last panel on the port was programmed
    LINE_PORT_FAILED,       // the last panel (or the line) failed; error says why
    LINE_PORT_INTERRUPTED,  // stopped by Ctrl-C
};

// What the view shows of one port.
struct LINE_PORT_STATUS {
    std::string strPort;
    LinePortState state = LINE_PORT_STARTING;
    long long bytes = 0;   // sent so far in the current panel
    long long total = 0;   // to send in the current panel
    long long retries = 0; // frames sent again in the current panel
    QElapsedTimer blocks;  // running from the first block of the current panel
    qint64 endedMs = -1;   // the blocks' time when the panel's run ended; -1 while it runs
    int finished = 0;      // panels programmed on this port
    int failed = 0;        // panels failed on this port
    std::string strError;
};

class CLineView {
public:
    // terminal: rows redrawn in place on standard error; otherwise plain lines. quiet: neither.
    CLineView(bool terminal, bool quiet) : m_bTerminal(terminal && !quiet), m_bQuiet(quiet) {}

    // A port changed state: a plain line on standard error when not on a terminal ("port: text"),
    // except for the start of a port's process.
    void OnStateChanged(const LINE_PORT_STATUS& port);
    // Draws every row again on a terminal (cursor moved back over the previous drawing).
    void Draw(const std::vector<LINE_PORT_STATUS>& ports);

    // The table of the last panel runs (records) on standard output: port, result, bytes, time,
    // retries, error; a line counting the earlier runs not listed when total is above the rows;
    // then "N of M panels finished" over all total runs, finished of them.
    static void PrintSummary(const std::vector<PANEL_RECORD>& records, long long total, long long finished);

private:
    bool m_bTerminal;
    bool m_bQuiet;
    int m_nDrawnRows = 0;
};
