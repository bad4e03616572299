// Whole files in and out: the bounded read, the output rule (stream or replace) and their words.
#include "comkit/whole_file.h"

#include "comkit/message_text.h"
#include "comkit/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace COMMON_EX {

namespace {

const char* const CONTEXT = "Files";

FILE_OUTCOME Fault(FILE_FAULT fault, int sysError = 0, unsigned kind = 0)
{
    FILE_OUTCOME outcome;
    outcome.fault = fault;
    outcome.sysError = sysError;
    outcome.kind = kind;
    return outcome;
}

FILE_OUTCOME OutputFault(FILE_FAULT fault, int sysError = 0, unsigned kind = 0)
{
    FILE_OUTCOME outcome = Fault(fault, sysError, kind);
    outcome.output = true;
    return outcome;
}

std::string FolderOf(const std::string& path)
{
    const std::string::size_type slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The descriptor a name of this process's own descriptors stands for; -1 for any other path.
int DescriptorOf(const std::string& path)
{
    if (path == "/dev/stdout")
        return STDOUT_FILENO;
    if (path == "/dev/stderr")
        return STDERR_FILENO;
    for (const char* prefix : {"/dev/fd/", "/proc/self/fd/"}) {
        const size_t length = std::strlen(prefix);
        if (path.compare(0, length, prefix) != 0 || path.size() == length || path.size() > length + 9)
            continue;
        const std::string digits = path.substr(length);
        if (std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return std::atoi(digits.c_str());
    }
    return -1;
}

// A character device that takes a whole file as a stream: the null device, or a terminal. Others
// (/dev/full, /dev/mem, ...) would lose the bytes or do something else with them.
bool TakesAStream(const std::string& path, const struct stat& st)
{
    if (major(st.st_rdev) == 1 && minor(st.st_rdev) == 3)
        return true;
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    const bool terminal = fd >= 0 && ::isatty(fd);
    if (fd >= 0)
        ::close(fd);
    return terminal;
}

// Reads fd to its end, at most maxSize bytes (one more is read to notice a longer file).
FILE_OUTCOME ReadToEnd(int fd, unsigned long long maxSize, size_t expected, std::vector<BYTE>& bytes)
{
    // One byte more than the limit, to notice a longer file (the limit itself when that would wrap).
    const unsigned long long cap = maxSize == ~0ULL ? maxSize : maxSize + 1;
    bytes.resize(std::min<unsigned long long>(cap, expected + 1ULL));
    size_t got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (got > maxSize)
                break;
            bytes.resize(std::min<unsigned long long>(cap, bytes.size() * 2ULL));
        }
        const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            bytes.clear();
            return Fault(FILE_FAULT::READ, errno);
        }
        if (n == 0)
            break;
        got += size_t(n);
    }
    if (got > maxSize) {
        bytes.clear();
        return Fault(FILE_FAULT::TOO_LARGE);
    }
    bytes.resize(got);
    return FILE_OUTCOME();
}

} // namespace

std::string ResolveLink(const std::string& path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (!resolved) // a dangling link: named as it is
        return path;
    std::string target(resolved);
    std::free(resolved);
    return target;
}

FILE_OUTCOME ReadWholeFile(const std::string& path, unsigned long long maxSize, std::vector<BYTE>& bytes)
{
    bytes.clear();
    if (path == "-")
        return ReadToEnd(STDIN_FILENO, maxSize, 0, bytes);
    // Opened without waiting, so a FIFO or a device without a writer cannot block the open;
    // only regular files are read, and those in the ordinary blocking way.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return Fault(FILE_FAULT::OPEN, errno);
    struct stat st {};
    FILE_OUTCOME outcome;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        outcome = Fault(FILE_FAULT::NOT_REGULAR, 0, st.st_mode & S_IFMT);
    else if (static_cast<unsigned long long>(st.st_size) > maxSize)
        outcome = Fault(FILE_FAULT::TOO_LARGE);
    else {
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        outcome = ReadToEnd(fd, maxSize, size_t(st.st_size), bytes);
    }
    ::close(fd);
    return outcome;
}

bool ReadWholeFile(const std::string& path, unsigned long long maxSize, std::vector<BYTE>& bytes, std::string& error)
{
    const FILE_OUTCOME outcome = ReadWholeFile(path, maxSize, bytes);
    if (!outcome.Ok())
        error = FileFaultText(outcome, path, maxSize);
    return outcome.Ok();
}

FILE_OUTCOME CheckReplace(const std::string& linkOrPath)
{
    // A link stays a link: the file it points to is the one replaced.
    const std::string path = ResolveLink(linkOrPath);
    // Only a regular file, or a new name, is replaced: the rename would otherwise swap a device,
    // a FIFO or a folder for a plain file.
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        return FILE_OUTCOME();
    if (S_ISLNK(st.st_mode))
        return OutputFault(FILE_FAULT::DANGLING_LINK);
    if (!S_ISREG(st.st_mode))
        return OutputFault(FILE_FAULT::NOT_REGULAR, 0, st.st_mode & S_IFMT);
    // Marked read-only for everyone: kept even from a user the system would let write it.
    if ((st.st_mode & 0222) == 0)
        return OutputFault(FILE_FAULT::READ_ONLY);
    return FILE_OUTCOME();
}

FILE_OUTCOME CheckOutput(const std::string& path, OUTPUT_WAY& way)
{
    way = OUTPUT_WAY::REPLACE;
    if (path == "-") {
        way = OUTPUT_WAY::STANDARD_OUTPUT;
        return FILE_OUTCOME();
    }
    if (path.empty())
        return OutputFault(FILE_FAULT::OPEN, ENOENT);
    const int descriptor = DescriptorOf(path);
    if (descriptor >= 0) {
        way = OUTPUT_WAY::DESCRIPTOR;
        const int flags = ::fcntl(descriptor, F_GETFL);
        if (flags < 0)
            return OutputFault(FILE_FAULT::OPEN, EBADF);
        if ((flags & O_ACCMODE) == O_RDONLY)
            return OutputFault(FILE_FAULT::WRITE, EBADF);
        return FILE_OUTCOME();
    }
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        if (S_ISFIFO(st.st_mode) || (S_ISCHR(st.st_mode) && TakesAStream(path, st))) {
            way = OUTPUT_WAY::STREAM;
            return ::access(path.c_str(), W_OK) == 0 ? FILE_OUTCOME() : OutputFault(FILE_FAULT::WRITE, errno);
        }
        FILE_OUTCOME rule = CheckReplace(path);
        if (!rule.Ok())
            return rule;
        return ::access(path.c_str(), W_OK) == 0 ? FILE_OUTCOME() : OutputFault(FILE_FAULT::WRITE, errno);
    }
    if (errno != ENOENT)
        return OutputFault(FILE_FAULT::OPEN, errno);
    FILE_OUTCOME rule = CheckReplace(path); // a link to a missing file
    if (!rule.Ok())
        return rule;
    const std::string folder = FolderOf(path);
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        FILE_OUTCOME outcome = OutputFault(FILE_FAULT::NO_FOLDER, ENOENT);
        outcome.folder = folder;
        return outcome;
    }
    return ::access(folder.c_str(), W_OK) == 0 ? FILE_OUTCOME() : OutputFault(FILE_FAULT::WRITE, errno);
}

int OpenOutputStream(const std::string& path, OUTPUT_WAY way, bool wait, FILE_OUTCOME& outcome)
{
    outcome = FILE_OUTCOME();
    int fd = -1;
    if (way == OUTPUT_WAY::STANDARD_OUTPUT || way == OUTPUT_WAY::DESCRIPTOR) {
        const int descriptor = way == OUTPUT_WAY::STANDARD_OUTPUT ? STDOUT_FILENO : DescriptorOf(path);
        fd = descriptor < 0 ? -1 : ::fcntl(descriptor, F_DUPFD_CLOEXEC, 3);
    } else {
        fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | (wait ? 0 : O_NONBLOCK));
        if (fd >= 0 && !wait)
            ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    }
    if (fd < 0)
        outcome = OutputFault(FILE_FAULT::OPEN, errno ? errno : EBADF);
    return fd;
}

bool WriteAllTo(int fd, const void* data, size_t size)
{
    const char* p = static_cast<const char*>(data);
    while (size) {
        const ssize_t n = ::write(fd, p, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        p += n;
        size -= size_t(n);
    }
    return true;
}

bool ReplaceWholeFile(const std::string& path, const void* data, size_t size, std::string& error)
{
    const FILE_OUTCOME rule = CheckReplace(path);
    if (!rule.Ok()) {
        error = FileFaultText(rule, ResolveLink(path));
        return false;
    }
    return ReplaceFileContent(ResolveLink(path), std::string(static_cast<const char*>(data), size), &error);
}

bool WriteWholeFile(const std::string& path, const void* data, size_t size, std::string& error)
{
    OUTPUT_WAY way = OUTPUT_WAY::REPLACE;
    FILE_OUTCOME outcome = CheckOutput(path, way);
    if (outcome.Ok() && way == OUTPUT_WAY::REPLACE)
        return ReplaceWholeFile(path, data, size, error);
    if (outcome.Ok()) {
        const int fd = OpenOutputStream(path, way, true, outcome);
        if (fd >= 0) {
            if (!WriteAllTo(fd, data, size))
                outcome = OutputFault(FILE_FAULT::WRITE, errno);
            if (::close(fd) != 0 && outcome.Ok() && errno != EINTR)
                outcome = OutputFault(FILE_FAULT::WRITE, errno);
        }
    }
    if (!outcome.Ok())
        error = FileFaultText(outcome, path);
    return outcome.Ok();
}

std::string FileFaultReason(const FILE_OUTCOME& outcome, unsigned long long limit)
{
    switch (outcome.fault) {
    case FILE_FAULT::NONE: return std::string();
    case FILE_FAULT::NOT_REGULAR: return Tr(CONTEXT, QT_TRANSLATE_NOOP("Files", "not a regular file"));
    case FILE_FAULT::TOO_LARGE:
        return TrArgs(CONTEXT, QT_TRANSLATE_NOOP("Files", "larger than %1 bytes"), {std::to_string(limit)});
    case FILE_FAULT::DANGLING_LINK: return Tr(CONTEXT, QT_TRANSLATE_NOOP("Files", "it is a link to a missing file"));
    case FILE_FAULT::READ_ONLY: return Tr(CONTEXT, QT_TRANSLATE_NOOP("Files", "the file is read-only"));
    default: return std::strerror(outcome.sysError);
    }
}

std::string FileFaultText(const FILE_OUTCOME& outcome, const std::string& path, unsigned long long limit)
{
    errno = outcome.sysError;
    switch (outcome.fault) {
    case FILE_FAULT::NONE: return std::string();
    case FILE_FAULT::OPEN: return TrSystemError(CONTEXT, QT_TRANSLATE_NOOP("Files", "cannot open %1: %2"), path);
    case FILE_FAULT::NOT_REGULAR:
        return TrArgs(CONTEXT,
                      outcome.output ? QT_TRANSLATE_NOOP("Files", "will not write %1: not a regular file")
                                     : QT_TRANSLATE_NOOP("Files", "cannot read %1: not a regular file"),
                      {path});
    case FILE_FAULT::TOO_LARGE:
        return TrArgs(CONTEXT, QT_TRANSLATE_NOOP("Files", "cannot read %1: larger than %2 bytes"),
                      {path, std::to_string(limit)});
    case FILE_FAULT::READ: return TrSystemError(CONTEXT, QT_TRANSLATE_NOOP("Files", "cannot read %1: %2"), path);
    case FILE_FAULT::DANGLING_LINK:
        return TrArgs(CONTEXT, QT_TRANSLATE_NOOP("Files", "will not write %1: it is a link to a missing file"), {path});
    case FILE_FAULT::READ_ONLY:
        return TrArgs(CONTEXT, QT_TRANSLATE_NOOP("Files", "will not write %1: the file is read-only"), {path});
    case FILE_FAULT::NO_FOLDER:
    case FILE_FAULT::WRITE: break;
    }
    return TrSystemError(CONTEXT, QT_TRANSLATE_NOOP("Files", "cannot write '%1': %2"), path);
}

} // namespace COMMON_EX
