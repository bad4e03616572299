// Production record lines and their summary.
#include "tools/zqflash/production_log.h"

#include "appkit/tool_cli.h"
#include "comkit/whole_file.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// The largest file the record's helpers read whole: far beyond any program file or record.
constexpr unsigned long long MAX_READ_FILE = 1ULL << 32;

// "cannot read <path>: <reason>" for a failed whole-file read.
std::string CannotRead(const std::string& path, const COMMON_EX::FILE_OUTCOME& read)
{
    return ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqflash", "cannot read %1: %2"),
                          {path, COMMON_EX::FileFaultReason(read, MAX_READ_FILE)});
}

} // namespace

const char* const PANEL_RESULT_FINISHED = "finished";
const char* const PANEL_RESULT_FAILED = "failed";
const char* const PANEL_RESULT_INTERRUPTED = "interrupted";

std::string FormatPanelRecord(const PANEL_RECORD& record)
{
    QJsonObject object;
    object["time"] = QString::fromStdString(record.strTime);
    object["host"] = QString::fromStdString(record.strHost);
    object["port"] = QString::fromStdString(record.strPort);
    object["image"] = QString::fromLocal8Bit(record.strImage.c_str());
    object["sha256"] = QString::fromStdString(record.strSha256);
    object["begin"] = static_cast<qint64>(record.dwBegin);
    object["bytes"] = record.bytes;
    object["duration"] = std::round(record.seconds * 1000) / 1000;
    object["retries"] = record.retries;
    object["result"] = QString::fromStdString(record.strResult);
    object["error"] = QString::fromLocal8Bit(record.strError.c_str());
    return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
}

std::string RecordTimeNow()
{
    return QDateTime::currentDateTimeUtc().toString("yyyy-MM-ddTHH:mm:ss.zzzZ").toStdString();
}

std::string FileSha256(const std::string& path, std::string& error)
{
    std::vector<BYTE> bytes;
    const COMMON_EX::FILE_OUTCOME read = COMMON_EX::ReadWholeFile(path, MAX_READ_FILE, bytes);
    if (!read.Ok()) {
        error = CannotRead(path, read);
        return std::string();
    }
    return QCryptographicHash::hash(QByteArrayView(bytes.data(), qsizetype(bytes.size())), QCryptographicHash::Sha256)
        .toHex()
        .toStdString();
}

CProductionLog::~CProductionLog()
{
    if (m_fd >= 0 && m_bOwned)
        ::close(m_fd);
}

bool CProductionLog::Open(const std::string& path, const std::string& input, std::string& error)
{
    const auto refuse = [&](const char* format, const std::string& reason) {
        error = ZQ_CLI::TrArgs(format, {path, reason});
        return false;
    };
    const char* const CANNOT_OPEN = QT_TRANSLATE_NOOP("zqflash", "cannot open the log %1: %2");
    if (!input.empty() && path != "-" && ZQ_CLI::IsSameFile(path, input))
        return refuse(QT_TRANSLATE_NOOP("zqflash", "will not write the log %1: %2"),
                      ZQ_CLI::Tr(QT_TRANSLATE_NOOP("zqflash", "it is the program file")));
    // A reader gone from a FIFO or pipe is a failed write, not the end of zqflash.
    ::signal(SIGPIPE, SIG_IGN);
    int fd = STDOUT_FILENO;
    if (path != "-") {
        struct stat st {};
        const bool exists = ::stat(path.c_str(), &st) == 0;
        if (!exists || S_ISREG(st.st_mode)) {
            if (!ZQ_CLI::CheckOutputFile(path, error))
                return false;
            fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
        } else if (S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode)) {
            // Without O_NONBLOCK a FIFO nobody reads would hold the run before its first panel.
            fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
            if (fd < 0 && errno == ENXIO)
                return refuse(CANNOT_OPEN, ZQ_CLI::Tr(QT_TRANSLATE_NOOP("zqflash", "no program reads the FIFO")));
        } else {
            return refuse(CANNOT_OPEN, ZQ_CLI::Tr(QT_TRANSLATE_NOOP("zqflash", "it is not a file, FIFO or terminal")));
        }
        if (fd < 0)
            return refuse(CANNOT_OPEN, std::strerror(errno));
        m_bOwned = true;
    }
    m_fd = fd;
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return refuse(CANNOT_OPEN, std::strerror(errno));
    m_bRegular = S_ISREG(st.st_mode);
    // Devices only when they are terminals: a record written into /dev/full or /dev/null is lost.
    if (S_ISCHR(st.st_mode) && !::isatty(fd))
        return refuse(CANNOT_OPEN, ZQ_CLI::Tr(QT_TRANSLATE_NOOP("zqflash", "it is a device, not a file, FIFO or "
                                                                           "terminal")));
    if (!m_bRegular && !S_ISFIFO(st.st_mode) && !S_ISCHR(st.st_mode))
        return refuse(CANNOT_OPEN, ZQ_CLI::Tr(QT_TRANSLATE_NOOP("zqflash", "it is not a file, FIFO or terminal")));
    // Streamed from now on: writes wait for a slow reader instead of failing.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0 && (flags & O_NONBLOCK) && fd != STDOUT_FILENO)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    m_strPath = path;
    return true;
}

bool CProductionLog::Append(const PANEL_RECORD& record, std::string& error)
{
    const std::string line = FormatPanelRecord(record) + "\n";
    const off_t before = m_bRegular ? ::lseek(m_fd, 0, SEEK_END) : 0;
    // One write, as a rule: with O_APPEND the line lands whole after whatever other writers
    // appended. A short write goes on with the rest; one that fails is undone.
    std::size_t done = 0;
    int failure = 0;
    while (done < line.size()) {
        const ssize_t written = ::write(m_fd, line.data() + done, line.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            failure = written < 0 ? errno : ENOSPC;
            break;
        }
        done += static_cast<std::size_t>(written);
    }
    if (failure == 0 && m_bRegular && ::fdatasync(m_fd) != 0)
        failure = errno;
    if (failure != 0) {
        if (m_bRegular && before >= 0 && done > 0 && ::ftruncate(m_fd, before) != 0)
            failure = errno;
        error = ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqflash", "cannot write the log %1: %2"),
                               {m_strPath, std::strerror(failure)});
        return false;
    }
    return true;
}

LOG_COUNTS SummarizeLog(const std::string& text, std::string& badLines, int& unreadable)
{
    LOG_COUNTS counts;
    unreadable = 0;
    std::size_t start = 0;
    for (int number = 1; start < text.size(); ++number) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const QByteArray line = QByteArray::fromStdString(text.substr(start, end - start)).trimmed();
        start = end + 1;
        if (line.isEmpty())
            continue;
        const QJsonObject object = QJsonDocument::fromJson(line).object();
        const QString time = object.value("time").toString();
        const QString result = object.value("result").toString();
        // The table prints the day and the result as they are: line breaks and terminal escapes
        // in them would forge rows, so such a record is unreadable.
        static const QRegularExpression day(QStringLiteral("^[0-9]{4}-[0-9]{2}-[0-9]{2}"));
        const bool printable =
            std::all_of(result.begin(), result.end(), [](QChar c) { return c.isPrint() && c != QChar(0x7F); });
        if (!day.match(time).hasMatch() || result.isEmpty() || !printable) {
            ++unreadable;
            badLines += (badLines.empty() ? "" : ", ") + std::to_string(number);
            continue;
        }
        ++counts[{time.left(10).toStdString(), result.toStdString()}];
    }
    return counts;
}

int PrintLogSummary(const std::string& path)
{
    std::string error;
    if (!ZQ_CLI::CheckInputFile(path, error)) {
        ZQ_CLI::PrintError(error);
        return ZQ_CLI::EXIT_FAILED;
    }
    std::vector<BYTE> bytes;
    const COMMON_EX::FILE_OUTCOME read = COMMON_EX::ReadWholeFile(path, MAX_READ_FILE, bytes);
    if (!read.Ok()) {
        ZQ_CLI::PrintError(CannotRead(path, read));
        return ZQ_CLI::EXIT_FAILED;
    }
    std::string badLines;
    int unreadable = 0;
    const LOG_COUNTS counts = SummarizeLog(std::string(bytes.begin(), bytes.end()), badLines, unreadable);
    int total = 0;
    std::printf("%-10s  %-12s  %s\n", "day", "result", "panels");
    for (const auto& entry : counts) {
        std::printf("%-10s  %-12s  %d\n", entry.first.first.c_str(), entry.first.second.c_str(), entry.second);
        total += entry.second;
    }
    std::printf("%-10s  %-12s  %d\n", "total", "", total);
    std::fflush(stdout);
    if (unreadable > 0)
        ZQ_CLI::PrintError(ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqflash", "%1 unreadable line(s) in %2: %3"),
                                          {std::to_string(unreadable), path, badLines}));
    return ZQ_CLI::EXIT_DONE;
}
