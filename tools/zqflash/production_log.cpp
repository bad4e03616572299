// Production record lines and their summary.
#include "tools/zqflash/production_log.h"

#include "appkit/tool_cli.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

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
    QFile file(QString::fromLocal8Bit(path.c_str()));
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file)) {
        error = ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqflash", "cannot read %1: %2"),
                               {path, file.errorString().toStdString()});
        return std::string();
    }
    return hash.result().toHex().toStdString();
}

CProductionLog::~CProductionLog()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool CProductionLog::Open(const std::string& path, std::string& error)
{
    m_fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (m_fd < 0) {
        error =
            ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqflash", "cannot open the log %1: %2"), {path, std::strerror(errno)});
        return false;
    }
    m_strPath = path;
    return true;
}

bool CProductionLog::Append(const PANEL_RECORD& record, std::string& error)
{
    const std::string line = FormatPanelRecord(record) + "\n";
    // One write: with O_APPEND the line lands whole after whatever other writers appended.
    const ssize_t written = ::write(m_fd, line.data(), line.size());
    if (written != static_cast<ssize_t>(line.size()) || ::fdatasync(m_fd) != 0) {
        error = ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqflash", "cannot write the log %1: %2"),
                               {m_strPath, std::strerror(written < 0 ? errno : ENOSPC)});
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
        if (time.size() < 10 || result.isEmpty()) {
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
    QFile file(QString::fromLocal8Bit(path.c_str()));
    if (!file.open(QIODevice::ReadOnly)) {
        ZQ_CLI::PrintError(ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqflash", "cannot read %1: %2"),
                                          {path, file.errorString().toStdString()}));
        return ZQ_CLI::EXIT_FAILED;
    }
    std::string badLines;
    int unreadable = 0;
    const LOG_COUNTS counts = SummarizeLog(file.readAll().toStdString(), badLines, unreadable);
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
