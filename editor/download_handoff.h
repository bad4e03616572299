// Handing a project to the programmer: the download check, the image file under Data, the
// programmer's settings for an unattended run, and the port byte of the communication library's
// settings. The editor's commands show the messages and start the programmer; everything a test or
// a tool needs lives here.
#pragma once

#include "editor/editor_api.h"

#include "comkit/types.h"
#include "comkit/user_files.h"

#include <ctime>
#include <string>

class CProject;

class EDITOR_API CDownloadHandoff {
public:
    // Where the hand-off stopped; HANDOFF_READY means the image and the settings are written.
    enum OUTCOME {
        HANDOFF_READY = 0,
        HANDOFF_REFUSED,             // no parameter control, or more than 255 controls (string 3005)
        HANDOFF_TOO_LARGE,           // the image does not fit the panel's 16-bit addresses
        HANDOFF_NO_DATA_FOLDER,      // the Data folder is missing and cannot be created
        HANDOFF_IMAGE_NOT_WRITTEN,   // the image file could not be written (nothing of it is left)
        HANDOFF_SETTINGS_NOT_WRITTEN // isp.ini could not be written
    };

    // The programmer's start address handed over: paddr 48 x 512 = 0x6000.
    static constexpr int PROGRAM_PAGE = 48;

    // files decides where Data/, bin/isp.ini and bin/MD_DLL.DFT are (beside the programs or in the
    // user's folders).
    explicit CDownloadHandoff(COMMON_EX::CUserFiles files);

    // True when the panel model must be switched off and on before the programmer starts (device
    // 100: string 3004).
    static bool NeedsPowerCycle(CProject& project);

    // Checks and compiles the project, writes the image to a new file Data/<%Y%m%d%H%M%S>_<tick>.vxg
    // (never replacing one: a name taken within the same millisecond gets the next tick), then writes
    // file, auto=1, notenc=1 and paddr=48 into section "sysset" of isp.ini, keeping its other keys.
    // The image is written before the settings, so the settings never name a missing image. On
    // anything but HANDOFF_READY nothing is left behind and message (UTF-8) says why; on success
    // imagePath is the image's full name.
    OUTCOME Prepare(CProject& project, std::string& imagePath, std::string& message);
    // Prepare with the time and tick given (tests).
    OUTCOME Prepare(CProject& project, std::time_t now, DWORD tick, std::string& imagePath, std::string& message);

    // The image file's name for a local time and a tick count: "<data>20261208071500_12345.vxg".
    static std::string MakeImageFileName(const std::string& dataDirectory, std::time_t now, DWORD tick);

    // The programmer's program: <suite>/bin/Flasher.
    std::string GetProgrammerPath() const;
    // The programmer's settings file (bin/isp.ini) and the communication library's (bin/MD_DLL.DFT).
    std::string GetProgrammerSettingsFile() const;
    std::string GetCommSettingsFile() const;

    // COM number (1-256) from byte 0 of the communication library's settings file. False when the
    // file is missing, empty or unreadable (the port dialog is then not shown).
    bool ReadCommPort(int& comNumber) const;
    // Stores comNumber - 1 in byte 0 and writes the whole file back (temporary file, then rename),
    // every other byte unchanged. False with message when comNumber is outside 1-256 or the file
    // cannot be read or written; the file is then as it was.
    bool WriteCommPort(int comNumber, std::string& message) const;

    // Milliseconds since the system started, cut to 32 bits.
    static DWORD GetTickCount();

private:
    COMMON_EX::CUserFiles m_files;
};
