// The simulator's flash file: checked at start, written at the end.
#include "tools/zqpanel-sim/flash_output.h"

#include "appkit/tool_cli.h"
#include "comkit/whole_file.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

// The names of standard output itself, whose flash leaves the simulator's own lines to standard error.
bool IsStandardOutputName(const std::string& path)
{
    return path == "-" || path == "/dev/stdout" || path == "/dev/fd/1" || path == "/proc/self/fd/1";
}

} // namespace

CFlashOutput::~CFlashOutput()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool CFlashOutput::Open(const std::string& path, std::string& error)
{
    m_strPath = path;
    if (path.empty())
        return true;
    const char* const CANNOT_WRITE = QT_TRANSLATE_NOOP("zqpanel-sim", "--flash: cannot write '%1': %2");
    COMMON_EX::OUTPUT_WAY way = COMMON_EX::OUTPUT_WAY::REPLACE;
    if (!COMMON_EX::CheckOutput(path, way).Ok() || way == COMMON_EX::OUTPUT_WAY::REPLACE) {
        if (!ZQ_CLI::CheckOutputFile(path, error)) {
            error = "--flash: " + error;
            return false;
        }
        return true;
    }
    // A stream is opened now and without waiting: a FIFO nobody reads would otherwise hold the end.
    COMMON_EX::FILE_OUTCOME outcome;
    m_fd = COMMON_EX::OpenOutputStream(path, way, false, outcome);
    if (m_fd < 0) {
        error = ZQ_CLI::TrArgs(CANNOT_WRITE,
                               {path, outcome.sysError == ENXIO
                                          ? ZQ_CLI::Tr(QT_TRANSLATE_NOOP("zqpanel-sim", "no program reads the FIFO"))
                                          : std::string(std::strerror(outcome.sysError))});
        return false;
    }
    m_bStandardOutput = way == COMMON_EX::OUTPUT_WAY::STANDARD_OUTPUT ||
                        (way == COMMON_EX::OUTPUT_WAY::DESCRIPTOR && IsStandardOutputName(path));
    ::signal(SIGPIPE, SIG_IGN);
    return true;
}

bool CFlashOutput::Write(const std::vector<unsigned char>& flash, std::string& error)
{
    if (m_strPath.empty())
        return true;
    if (m_fd < 0)
        return COMMON_EX::ReplaceWholeFile(m_strPath, flash.data(), flash.size(), error);
    if (COMMON_EX::WriteAllTo(m_fd, flash.data(), flash.size()))
        return true;
    error = ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqpanel-sim", "--flash: cannot write '%1': %2"),
                           {m_strPath, std::strerror(errno)});
    return false;
}
