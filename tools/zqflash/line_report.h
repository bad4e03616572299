// The lines a per-port process of a line run writes on its standard output for the supervisor:
// "@<word> <number> <text>", one event each, flushed at once.
#pragma once

#include <string>

enum LineReportKind {
    LINE_REPORT_NONE = 0, // not a report line (ignored by the supervisor)
    LINE_REPORT_WAITING,  // knocking: the panel's boot loader has not answered yet
    LINE_REPORT_BLOCKS,   // the first block goes out; number = bytes to program
    LINE_REPORT_PROGRESS, // number = bytes sent so far
    LINE_REPORT_RETRIES,  // number = frames sent again so far (missing or damaged answers)
    LINE_REPORT_ERROR,    // text = an error, the last one is why the run failed
    LINE_REPORT_FINISHED, // every block confirmed; number = bytes programmed
};

struct LINE_REPORT {
    LineReportKind kind = LINE_REPORT_NONE;
    long long value = 0;
    std::string text;
};

// Writes one report line on standard output and flushes it; line breaks in text become spaces.
void WriteLineReport(LineReportKind kind, long long value, const std::string& text = std::string());
// Reads one line (without its line break). False, with report.kind LINE_REPORT_NONE, for anything
// that is not a well-formed report line: an unknown word, a missing or non-numeric number.
bool ParseLineReport(const std::string& line, LINE_REPORT& report);
