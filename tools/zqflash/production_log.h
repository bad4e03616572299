// The production record of a line run: one JSON line per panel run, appended to a file and handed
// to the system at once, so a crash or kill of zqflash loses no finished panel; and its summary.
#pragma once

#include "comkit/types.h"

#include <map>
#include <string>
#include <utility>

// The result words of a record.
extern const char* const PANEL_RESULT_FINISHED;    // "finished": every block confirmed
extern const char* const PANEL_RESULT_FAILED;      // "failed": the error says why
extern const char* const PANEL_RESULT_INTERRUPTED; // "interrupted": stopped by Ctrl-C mid-panel

// One panel run.
struct PANEL_RECORD {
    std::string strTime;   // when it ended, UTC, "2026-12-08T08:15:02.123Z"
    std::string strHost;   // this machine's name
    std::string strPort;   // serial device
    std::string strImage;  // program file name as given
    std::string strSha256; // SHA-256 of the program file's bytes on disk, lowercase hex
    DWORD dwBegin = 0;     // program begin address
    long long bytes = 0;   // bytes the panel confirmed (the image length when finished)
    double seconds = 0;    // from the start of the run on the port to its end
    long long retries = 0; // frames sent again after a missing or damaged answer
    std::string strResult; // one of the PANEL_RESULT_ words
    std::string strError;  // why it failed; empty when finished
};

// The record as one JSON object on one line (no line break), keys time, host, port, image,
// sha256, begin, bytes, duration (seconds), retries, result, error.
std::string FormatPanelRecord(const PANEL_RECORD& record);

// The current time in the record's format.
std::string RecordTimeNow();

// SHA-256 of a file's bytes, lowercase hex; empty with error set when it cannot be read.
std::string FileSha256(const std::string& path, std::string& error);

class CProductionLog {
public:
    CProductionLog() = default;
    ~CProductionLog();
    CProductionLog(const CProductionLog&) = delete;
    CProductionLog& operator=(const CProductionLog&) = delete;

    // Opens path for appending (created when missing, mode 0644 less the umask): a regular file,
    // "-" for standard output, a FIFO some program reads (streamed; one without a reader is
    // refused at once, never waited for) or a terminal. Refuses folders, other devices (such as
    // /dev/full), sockets, read-only files and the file named input (the program file), with
    // error naming the file and the reason. False then.
    bool Open(const std::string& path, const std::string& input, std::string& error);
    // Appends the record and its line break and, for a file, flushes it to the disk, so the line is
    // whole or absent even when zqflash is killed. A write that fails or comes out short (a full
    // disk) is rolled back to the file's previous length, so the next record never glues onto half
    // a line. False with error on a failed write.
    bool Append(const PANEL_RECORD& record, std::string& error);

private:
    int m_fd = -1;
    bool m_bOwned = false;   // m_fd is ours to close (not standard output)
    bool m_bRegular = false; // a regular file: synced, and rolled back on a failed write
    std::string m_strPath;
};

// Counts of a record's panel runs by day (the "YYYY-MM-DD" of their time) and result.
using LOG_COUNTS = std::map<std::pair<std::string, std::string>, int>;
// Reads record lines from text. Blank lines are skipped; a line that is not a record object with
// a time starting with its day and a printable result (no control characters) counts as
// unreadable (its number, from 1, is added to badLines).
LOG_COUNTS SummarizeLog(const std::string& text, std::string& badLines, int& unreadable);
// zqflash --log-summary FILE: a table "day result panels" on standard output and a total line;
// unreadable lines are named on standard error. Returns the exit status: 0, or 1 when the file
// cannot be read.
int PrintLogSummary(const std::string& path);
