// Handing a project to the programmer: check, image file, settings, port byte.
#include "editor/download_handoff.h"

#include "comkit/init_setting.h"
#include "comkit/message_text.h"
#include "comkit/whole_file.h"
#include "devices/device_base.h"
#include "editor/editor_strings.h"
#include "editor/project.h"
#include "editor/project_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

const DWORD MAX_COMM_SETTINGS_SIZE = 64 * 1024;

} // namespace

CDownloadHandoff::CDownloadHandoff(COMMON_EX::CUserFiles files) : m_files(std::move(files))
{
}

bool CDownloadHandoff::NeedsPowerCycle(CProject& project)
{
    CDeviceBase* device = project.GetDevice();
    return device && device->GetDeviceID() == CProject::DEVICE_ID_QMX200;
}

DWORD CDownloadHandoff::GetTickCount()
{
    struct timespec now {};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<DWORD>(static_cast<unsigned long long>(now.tv_sec) * 1000ULL + now.tv_nsec / 1000000);
}

std::string CDownloadHandoff::MakeImageFileName(const std::string& dataDirectory, std::time_t now, DWORD tick)
{
    struct tm local {};
    ::localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d%H%M%S", &local);
    // The tick is shown as the signed 32-bit number it has always been shown as.
    return dataDirectory + stamp + "_" + std::to_string(static_cast<int>(tick)) + ".vxg";
}

std::string CDownloadHandoff::GetProgrammerPath() const
{
    return m_files.GetSuiteDirectory() + "bin/Flasher";
}

std::string CDownloadHandoff::GetProgrammerSettingsFile() const
{
    return m_files.GetSettingsFile("bin/isp.ini");
}

std::string CDownloadHandoff::GetCommSettingsFile() const
{
    return m_files.GetSettingsFile("bin/MD_DLL.DFT");
}

CDownloadHandoff::OUTCOME CDownloadHandoff::Prepare(CProject& project, std::string& imagePath, std::string& message)
{
    return Prepare(project, std::time(nullptr), GetTickCount(), imagePath, message);
}

CDownloadHandoff::OUTCOME CDownloadHandoff::Prepare(CProject& project, std::time_t now, DWORD tick,
                                                    std::string& imagePath, std::string& message)
{
    imagePath.clear();
    switch (project.CheckCompile(&message)) {
    case CProject::COMPILE_OK: break;
    case CProject::COMPILE_REFUSED:
        message = COMMON_EX::Tr("EditorStrings", CEditorStrings::Get(CEditorStrings::IDS_DOWNLOAD_REFUSED));
        return HANDOFF_REFUSED;
    default: return HANDOFF_TOO_LARGE;
    }
    const std::string data = m_files.GetDataDirectory();
    if (data.empty()) {
        message =
            COMMON_EX::TrArgs("Download",
                              QT_TRANSLATE_NOOP("Download", "the folder for download images cannot be created: %1"),
                              {std::strerror(errno)});
        return HANDOFF_NO_DATA_FOLDER;
    }
    const DWORD size = project.Compile(nullptr, 0);
    std::vector<BYTE> image(size);
    if (size == 0 || project.Compile(image.data(), size) != size) {
        message = COMMON_EX::Tr("Download", QT_TRANSLATE_NOOP("Download", "the project could not be compiled"));
        return HANDOFF_IMAGE_NOT_WRITTEN;
    }
    // Claim a free name first, so two downloads never share an image file.
    std::string path;
    for (DWORD attempt = 0; attempt < 1000; ++attempt) {
        path = MakeImageFileName(data, now, tick + attempt);
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0) {
            ::close(fd);
            break;
        }
        if (errno != EEXIST) {
            message = COMMON_EX::TrSystemError("Files", QT_TRANSLATE_NOOP("Files", "cannot write %1: %2"), path);
            return HANDOFF_IMAGE_NOT_WRITTEN;
        }
        path.clear();
    }
    if (path.empty()) {
        message = COMMON_EX::TrArgs("Download", QT_TRANSLATE_NOOP("Download", "no free image file name in %1"), {data});
        return HANDOFF_IMAGE_NOT_WRITTEN;
    }
    if (!COMMON_EX::ReplaceWholeFile(path, image.data(), image.size(), message)) {
        ::unlink(path.c_str());
        return HANDOFF_IMAGE_NOT_WRITTEN;
    }
    const std::string settings = GetProgrammerSettingsFile();
    CInitSetting ini(settings.c_str());
    const std::string page = std::to_string(PROGRAM_PAGE);
    if (!ini.SetValue("sysset", "file", path.c_str()) || !ini.SetValue("sysset", "auto", "1") ||
        !ini.SetValue("sysset", "notenc", "1") || !ini.SetValue("sysset", "paddr", page.c_str())) {
        message =
            COMMON_EX::TrArgs("Download", QT_TRANSLATE_NOOP("Download", "cannot write the programmer's settings %1"),
                              {settings});
        ::unlink(path.c_str());
        return HANDOFF_SETTINGS_NOT_WRITTEN;
    }
    imagePath = path;
    return HANDOFF_READY;
}

bool CDownloadHandoff::ReadCommPort(int& comNumber) const
{
    std::vector<BYTE> bytes;
    std::string error;
    if (!COMMON_EX::ReadWholeFile(GetCommSettingsFile(), MAX_COMM_SETTINGS_SIZE, bytes, error) || bytes.empty())
        return false;
    comNumber = bytes[0] + 1;
    return true;
}

bool CDownloadHandoff::WriteCommPort(int comNumber, std::string& message) const
{
    if (comNumber < 1 || comNumber > 256) {
        message =
            COMMON_EX::TrArgs("Download", QT_TRANSLATE_NOOP("Download", "COM%1 is not a port from COM1 to COM256"),
                              {std::to_string(comNumber)});
        return false;
    }
    const std::string path = GetCommSettingsFile();
    std::vector<BYTE> bytes;
    if (!COMMON_EX::ReadWholeFile(path, MAX_COMM_SETTINGS_SIZE, bytes, message))
        return false;
    if (bytes.empty()) {
        message = COMMON_EX::TrArgs("Files", QT_TRANSLATE_NOOP("Files", "cannot read %1: the file is empty"), {path});
        return false;
    }
    bytes[0] = static_cast<BYTE>(comNumber - 1);
    return COMMON_EX::ReplaceWholeFile(path, bytes.data(), bytes.size(), message);
}
