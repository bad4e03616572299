#include "comkit/module_path.h"

#include <dlfcn.h>
#include <limits.h>
#include <unistd.h>

#include <vector>

namespace COMMON_EX {

namespace {

std::string ReadExecutablePath()
{
    std::vector<char> buf(PATH_MAX);
    for (;;) {
        ssize_t n = readlink("/proc/self/exe", buf.data(), buf.size());
        if (n < 0)
            return std::string();
        if (size_t(n) < buf.size())
            return std::string(buf.data(), size_t(n));
        buf.resize(buf.size() * 2);
    }
}

} // namespace

std::string GetModuleFilePath(const void* address)
{
    if (!address)
        return ReadExecutablePath();
    Dl_info info{};
    if (!dladdr(address, &info) || !info.dli_fname || !*info.dli_fname)
        return std::string();
    std::string name = info.dli_fname;
    // The main program may be reported by the name it was started with.
    if (name.find('/') == std::string::npos)
        return ReadExecutablePath();
    if (name[0] != '/') {
        char resolved[PATH_MAX];
        if (realpath(name.c_str(), resolved))
            name = resolved;
    }
    return name;
}

std::string CombineBesideFile(const std::string& moduleFile, const char* fileName)
{
    std::string result = moduleFile;
    std::string::size_type slash = result.rfind('/');
    if (slash != std::string::npos)
        result.erase(slash + 1);
    if (fileName)
        result += fileName;
    return result;
}

std::string GetProgramDirectory()
{
    std::string exe = ReadExecutablePath();
    if (exe.empty())
        return exe;
    return CombineBesideFile(exe, "");
}

std::string GetProgramFilePath(const char* fileName)
{
    std::string dir = GetProgramDirectory();
    if (dir.empty())
        return dir;
    return dir + (fileName ? fileName : "");
}

} // namespace COMMON_EX
