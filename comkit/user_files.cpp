// Where the files the suite writes live: beside the programs or in the user's XDG folders.
#include "comkit/user_files.h"

#include "comkit/module_path.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace COMMON_EX {

const char* const SYSTEM_INSTALL_MARKER = ".zqpanel-system-install";

namespace {

std::string WithSlash(std::string folder)
{
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return folder;
}

// An absolute folder from the variable, else HOME + fallback; "" when neither is absolute.
std::string XdgFolder(const char* variable, const char* fallback)
{
    const char* value = std::getenv(variable);
    if (value && value[0] == '/')
        return WithSlash(value) + "zqpanel/";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/')
        return WithSlash(home) + fallback + "zqpanel/";
    return std::string();
}

// The user may create files in folder: writable for the process and, since root passes every
// access check, not stripped of its write bits.
bool IsWritableFolder(const std::string& folder)
{
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return false;
    return ::access(folder.c_str(), W_OK) == 0 && (st.st_mode & 0222) != 0;
}

bool MakeFolders(const std::string& folder)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return std::filesystem::is_directory(folder, error);
}

std::string FileNameOf(const std::string& relative)
{
    const std::string::size_type slash = relative.rfind('/');
    return slash == std::string::npos ? relative : relative.substr(slash + 1);
}

// Copies source to target through a temporary name, so a half copy never stands as the user's file.
void SeedFrom(const std::string& source, const std::string& target)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(source, error))
        return;
    const std::string temporary = target + ".seed-" + std::to_string(::getpid());
    if (std::filesystem::copy_file(source, temporary, std::filesystem::copy_options::overwrite_existing, error))
        std::filesystem::permissions(temporary,
                                     std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                                         std::filesystem::perms::group_read | std::filesystem::perms::others_read,
                                     error);
    if (error || std::rename(temporary.c_str(), target.c_str()) != 0)
        std::filesystem::remove(temporary, error);
}

} // namespace

std::string GetUserConfigDirectory()
{
    return XdgFolder("XDG_CONFIG_HOME", ".config/");
}

std::string GetUserDataDirectory()
{
    return XdgFolder("XDG_DATA_HOME", ".local/share/");
}

CUserFiles::CUserFiles(std::string suiteDirectory) : m_suite(WithSlash(std::move(suiteDirectory)))
{
    struct stat st {};
    const bool marked = ::stat((m_suite + SYSTEM_INSTALL_MARKER).c_str(), &st) == 0;
    m_userLayout = marked || !IsWritableFolder(m_suite);
}

CUserFiles CUserFiles::ForRunningProgram()
{
    std::string folder = GetProgramDirectory();
    // The programmer and the libraries it loads lie in the suite's bin/.
    if (folder.size() > 5 && folder.compare(folder.size() - 5, 5, "/bin/") == 0) {
        const std::string parent = folder.substr(0, folder.size() - 4);
        struct stat st {};
        if (::stat((parent + SYSTEM_INSTALL_MARKER).c_str(), &st) == 0 ||
            ::stat((parent + "DeviceRegister.ini").c_str(), &st) == 0)
            folder = parent;
    }
    return CUserFiles(folder);
}

std::string CUserFiles::GetSettingsFile(const std::string& relative, bool seed) const
{
    if (!m_userLayout)
        return m_suite + relative;
    const std::string folder = GetUserConfigDirectory();
    if (folder.empty())
        return m_suite + relative; // no home: the caller's write reports the read-only folder
    std::string file = folder + FileNameOf(relative);
    struct stat st {};
    if (::lstat(file.c_str(), &st) != 0 && MakeFolders(folder) && seed)
        SeedFrom(m_suite + relative, file);
    return file;
}

std::string CUserFiles::GetDataDirectory() const
{
    std::string folder = m_userLayout ? GetUserDataDirectory() : m_suite;
    if (folder.empty())
        return std::string();
    folder += "Data/";
    return MakeFolders(folder) ? folder : std::string();
}

} // namespace COMMON_EX
