// Temporary names beside a target file and the removal of stale ones.
#include "comkit/temp_files.h"

#include <dirent.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>

namespace COMMON_EX {

namespace {

constexpr const char* SUFFIX = ".tmp";

// The process ID of a name "<base>.<pid>.<n>.tmp", or 0 when the name is not of that form.
long PidOfTemporary(const std::string& name, const std::string& base)
{
    const std::string suffix = SUFFIX;
    if (name.size() <= base.size() + 1 + suffix.size() || name.compare(0, base.size(), base) != 0 ||
        name[base.size()] != '.' || name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return 0;
    const std::string middle = name.substr(base.size() + 1, name.size() - base.size() - 1 - suffix.size());
    const size_t dot = middle.find('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == middle.size() ||
        middle.find_first_not_of("0123456789.") != std::string::npos || middle.find('.', dot + 1) != std::string::npos)
        return 0;
    return std::strtol(middle.substr(0, dot).c_str(), nullptr, 10);
}

} // namespace

std::string TemporaryNameFor(const std::string& target)
{
    static std::atomic<unsigned> counter{0};
    return target + "." + std::to_string(::getpid()) + "." + std::to_string(++counter) + SUFFIX;
}

int RemoveStaleTemporaries(const std::string& target)
{
    const std::string::size_type slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return 0;
    int removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const long pid = PidOfTemporary(entry->d_name, base);
        if (pid <= 0 || pid == long(::getpid()))
            continue;
        // Only a process that is gone: kill(pid, 0) refused with ESRCH.
        if (::kill(pid_t(pid), 0) == 0 || errno != ESRCH)
            continue;
        if (::unlink((folder + "/" + entry->d_name).c_str()) == 0)
            ++removed;
    }
    ::closedir(dir);
    return removed;
}

} // namespace COMMON_EX
