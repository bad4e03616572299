// Whole files in and out, with one rule for every program: a bounded read of a regular file (or
// standard input), and a write that streams into a pipe, terminal or open descriptor and replaces
// a regular file safely, through a link to the file it names.
#pragma once

#include "comkit/comkit_api.h"
#include "comkit/types.h"

#include <string>
#include <vector>

namespace COMMON_EX {

// Why a whole-file read or write is refused or failed. Kept as a code until a program puts it
// into its own words (FileFaultText gives the suite's common ones).
enum class FILE_FAULT {
    NONE,
    OPEN,          // the system refused to open or examine the file (sysError says why)
    NOT_REGULAR,   // a folder, FIFO, device or socket where only a regular file will do (kind)
    TOO_LARGE,     // longer than the limit the caller gave
    READ,          // reading failed after the open (sysError)
    DANGLING_LINK, // an output that is a symbolic link to a missing file
    READ_ONLY,     // an output marked read-only for everyone (kept even from root)
    NO_FOLDER,     // an output's folder does not exist (folder)
    WRITE,         // the folder or file may not be written, or writing, flushing or renaming failed
};

// The outcome of a whole-file operation: NONE, or the fault with what its words need.
struct COMKIT_API FILE_OUTCOME {
    FILE_FAULT fault = FILE_FAULT::NONE;
    int sysError = 0;    // errno of the failed call (OPEN, READ, WRITE); 0 when the rule refused
    unsigned kind = 0;   // the file type bits (st_mode & S_IFMT) of a NOT_REGULAR file
    std::string folder;  // the missing folder of NO_FOLDER
    bool output = false; // about an output (its words say "will not write" rather than "cannot read")
    bool Ok() const { return fault == FILE_FAULT::NONE; }
};

// How an output path is written.
enum class OUTPUT_WAY {
    REPLACE,         // a regular file or a new name: replaced through a temporary and a rename
    STREAM,          // an existing FIFO, terminal or the null device: opened and written
    DESCRIPTOR,      // "/dev/stdout", "/dev/stderr", "/dev/fd/N", "/proc/self/fd/N": this process's
                     // descriptor N, written where it goes (a pipe, process substitution, a
                     // file the shell opened, appending with ">>" included), never reopened
    STANDARD_OUTPUT, // "-"
};

// The file a symbolic link leads to (every link of a chain followed); any other path, and a link
// to a missing file, as it is.
COMKIT_API std::string ResolveLink(const std::string& path);

// Reads the whole file at path into bytes: "-" reads standard input to its end; anything else must
// be a regular file. The open never waits (a FIFO or device without a writer is refused at once
// as NOT_REGULAR). More than maxSize bytes is TOO_LARGE, also for a file that grows while read.
// On failure bytes is empty.
COMKIT_API FILE_OUTCOME ReadWholeFile(const std::string& path, unsigned long long maxSize, std::vector<BYTE>& bytes);
// The same with the refusal put into words (FileFaultText) in error.
COMKIT_API bool ReadWholeFile(const std::string& path, unsigned long long maxSize, std::vector<BYTE>& bytes,
                              std::string& error);

// The rules of a safe replacement, checked without writing: path (through a link) is a new name
// or a regular file that is not marked read-only for everyone; a link to a missing file, a folder,
// device, FIFO or socket are refused. The folder is not examined (the write says so).
COMKIT_API FILE_OUTCOME CheckReplace(const std::string& path);

// How path would be written (way) and whether it may be, checked without writing anything: the
// descriptor names need the descriptor open for writing; an existing FIFO, a terminal (opened
// without waiting to tell) or the null device is streamed into; a folder, any other device or a
// socket is NOT_REGULAR; otherwise CheckReplace and a folder that exists and may be written. An
// empty path is OPEN (ENOENT).
COMKIT_API FILE_OUTCOME CheckOutput(const std::string& path, OUTPUT_WAY& way);

// Opens the stream of an output that CheckOutput called STREAM or DESCRIPTOR (or STANDARD_OUTPUT),
// for writing: a descriptor is duplicated; a FIFO is opened waiting for its reader unless wait is
// false, when a FIFO nobody reads fails at once with ENXIO (the open is then blocking again for
// the writes). Returns the descriptor, which the caller closes, or -1 with outcome set.
COMKIT_API int OpenOutputStream(const std::string& path, OUTPUT_WAY way, bool wait, FILE_OUTCOME& outcome);

// Writes all of data to fd, going on after short writes and interruptions. False with errno set.
COMKIT_API bool WriteAllTo(int fd, const void* data, size_t size);

// Replaces the file at path (through a link, keeping it) with data when CheckReplace allows it:
// ReplaceFileContent's temporary, permissions and clean-up. Refuses every special file. False with
// error naming the file and the reason (in the user's language, context "Files").
COMKIT_API bool ReplaceWholeFile(const std::string& path, const void* data, size_t size, std::string& error);

// Writes data as the whole content of path, the way CheckOutput says: a regular file or new name
// is replaced (ReplaceWholeFile), a stream or descriptor is written into (a FIFO waits for its
// reader; SIGPIPE is left as the program set it), "-" goes to standard output. False with error.
COMKIT_API bool WriteWholeFile(const std::string& path, const void* data, size_t size, std::string& error);

// The reason alone, for a program's own "cannot read %1: %2": the system's text for a failed
// call, "not a regular file", "larger than %1 bytes" (limit), ... in the user's language
// (context "Files"). Empty for NONE.
COMKIT_API std::string FileFaultReason(const FILE_OUTCOME& outcome, unsigned long long limit = 0);

// The words of a refusal or failure about path, in the user's language (context "Files"):
// "cannot open %1: %2", "cannot read %1: not a regular file", "cannot read %1: larger than %2
// bytes" (limit), "will not write %1: ..." and so on. Empty for NONE.
COMKIT_API std::string FileFaultText(const FILE_OUTCOME& outcome, const std::string& path,
                                     unsigned long long limit = 0);

} // namespace COMMON_EX
