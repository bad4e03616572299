// The simulator's flash file: checked at start, written at the end.
#include "tools/zqpanel-sim/flash_output.h"

#include "appkit/tool_cli.h"
#include "comkit/replace_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

// Writes every byte to fd; false with errno set.
bool WriteAll(int fd, const unsigned char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = EIO;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

} // namespace

CFlashOutput::~CFlashOutput()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool CFlashOutput::Open(const std::string& path, std::string& error)
{
    // Standard output under its device names is written where it goes, never replaced (that
    // would replace the link in /dev, or a file the caller holds open).
    const bool standardOutput = path == "/dev/stdout" || path == "/dev/fd/1" || path == "/proc/self/fd/1";
    m_strPath = standardOutput ? std::string("-") : path;
    if (path.empty() || m_strPath == "-") {
        ::signal(SIGPIPE, SIG_IGN);
        return true;
    }
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISFIFO(st.st_mode)) {
        // Opened now and without waiting: a FIFO nobody reads would otherwise hold the end.
        m_fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (m_fd < 0) {
            error =
                ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqpanel-sim", "--flash: cannot write '%1': %2"),
                               {path, errno == ENXIO
                                          ? ZQ_CLI::Tr(QT_TRANSLATE_NOOP("zqpanel-sim", "no program reads the FIFO"))
                                          : std::string(std::strerror(errno))});
            return false;
        }
        const int flags = ::fcntl(m_fd, F_GETFL);
        if (flags >= 0)
            ::fcntl(m_fd, F_SETFL, flags & ~O_NONBLOCK);
        ::signal(SIGPIPE, SIG_IGN);
        return true;
    }
    if (!ZQ_CLI::CheckOutputFile(path, error)) {
        error = "--flash: " + error;
        return false;
    }
    return true;
}

bool CFlashOutput::Write(const std::vector<unsigned char>& flash, std::string& error)
{
    if (m_strPath.empty())
        return true;
    const int fd = m_strPath == "-" ? STDOUT_FILENO : m_fd;
    if (fd < 0)
        return COMMON_EX::ReplaceFileContent(m_strPath, std::string(flash.begin(), flash.end()), &error);
    if (WriteAll(fd, flash.data(), flash.size()))
        return true;
    error = ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqpanel-sim", "--flash: cannot write '%1': %2"),
                           {m_strPath, std::strerror(errno)});
    return false;
}
