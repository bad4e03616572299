// Replacing a whole file through a temporary beside it.
#include "comkit/replace_file.h"

#include "comkit/message_text.h"
#include "comkit/whole_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace COMMON_EX {

namespace {

const char TEMP_SUFFIX[] = ".tmp";
const char* const CANNOT_WRITE = QT_TRANSLATE_NOOP("Files", "cannot write '%1': %2");

// The system's reason for the last failure on path: text is "cannot write '%1': %2" or the like.
std::string Reason(const char* text, const std::string& path)
{
    return COMMON_EX::TrSystemError("Files", text, path);
}

bool IsRunning(long pid)
{
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno != ESRCH);
}

} // namespace

void RemoveStaleProcessFiles(const std::string& folder, const std::string& prefix, const std::string& suffix)
{
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() <= prefix.size() + suffix.size() || name.compare(0, prefix.size(), prefix) != 0 ||
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
            continue;
        const char* digits = name.c_str() + prefix.size();
        char* end = nullptr;
        errno = 0;
        const long pid = std::strtol(digits, &end, 10);
        if (end == digits || errno != 0 || IsRunning(pid))
            continue;
        const std::string path = (folder.empty() ? std::string(".") : folder) + "/" + name;
        struct stat st;
        if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid())
            ::unlink(path.c_str());
    }
    ::closedir(dir);
}

void RemoveStaleTempFiles(const std::string& path)
{
    const std::string::size_type slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    RemoveStaleProcessFiles(folder, name + ".", TEMP_SUFFIX);
}

bool ReplaceFileContent(const std::string& path, const std::string& bytes, std::string* error)
{
    std::string reason;
    const std::string target = ResolveLink(path);
    struct stat st;
    const bool keepMode = ::stat(target.c_str(), &st) == 0;
    if (keepMode && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        if (error)
            *error = Reason(CANNOT_WRITE, target);
        return false;
    }
    RemoveStaleTempFiles(target);

    static std::atomic<unsigned> counter{0};
    std::string temp;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temp = target + "." + std::to_string(::getpid()) + "." + std::to_string(++counter) + TEMP_SUFFIX;
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        if (error)
            *error = Reason(CANNOT_WRITE, target);
        return false;
    }
    bool ok = WriteAllTo(fd, bytes.data(), bytes.size()) && (!keepMode || ::fchmod(fd, st.st_mode & 07777) == 0) &&
              ::fsync(fd) == 0;
    if (!ok)
        reason = Reason(CANNOT_WRITE, target);
    if (::close(fd) != 0 && ok) {
        ok = false;
        reason = Reason(CANNOT_WRITE, target);
    }
    if (ok && std::rename(temp.c_str(), target.c_str()) != 0) {
        ok = false;
        reason = Reason(QT_TRANSLATE_NOOP("Files", "cannot replace '%1': %2"), target);
    }
    if (!ok) {
        ::unlink(temp.c_str());
        if (error)
            *error = reason;
    }
    return ok;
}

} // namespace COMMON_EX
