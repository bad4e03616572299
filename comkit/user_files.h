// Where the files the suite writes live: beside the programs in a build tree or a user's own copy
// of the suite, in the user's XDG folders when the suite is installed for the system.
#pragma once

#include "comkit/comkit_api.h"

#include <string>

namespace COMMON_EX {

// The file an installation leaves at the top of the suite's folder. Its presence, like a suite
// folder the user may not write, sends every written file to the user's folders.
extern COMKIT_API const char* const SYSTEM_INSTALL_MARKER; // ".zqpanel-system-install"

// One decision for every program of the suite about where settings and download images go.
//
// Beside the programs (the suite folder holds no marker and the user may write it):
//   settings  <suite>/<relative>            e.g. <suite>/bin/isp.ini, <suite>/SystemInit.ini
//   images    <suite>/Data/
// In the user's folders (a system install):
//   settings  $XDG_CONFIG_HOME/zqpanel/<file name>   ($HOME/.config when unset or not absolute)
//   images    $XDG_DATA_HOME/zqpanel/Data/           ($HOME/.local/share when unset or not absolute)
// A settings file is seeded on first use from the installed copy at <suite>/<relative>, when there
// is one; later uses never copy again, so the user's changes stay.
class COMKIT_API CUserFiles {
public:
    // suiteDirectory: the suite's top folder with or without a trailing '/' (the editor's folder;
    // the programmer lies in its bin/).
    explicit CUserFiles(std::string suiteDirectory);

    // The suite's folder of the running program: its own folder, or the parent of that folder when
    // the program lies in the suite's bin/ (the programmer and its libraries).
    static CUserFiles ForRunningProgram();

    // The suite's folder, with a trailing '/'.
    const std::string& GetSuiteDirectory() const { return m_suite; }

    // True when written files go to the user's folders (see above).
    bool IsUserLayout() const { return m_userLayout; }

    // Full name of the settings file known as `relative` inside the suite ("bin/isp.ini"). In the
    // user layout its folder is created and, with seed, the installed copy copied when the user has
    // none (without seed the user's file starts empty: for a catalogue, whose rows stay read from the
    // installed file and only the user's choices are written). A failure to do either is left to the
    // caller's write, which then reports it.
    std::string GetSettingsFile(const std::string& relative, bool seed = true) const;

    // The folder for download images, with a trailing '/'; created (with its parents) when missing.
    // Empty when it cannot be created.
    std::string GetDataDirectory() const;

private:
    std::string m_suite;
    bool m_userLayout = false;
};

// $XDG_CONFIG_HOME/zqpanel/ and $XDG_DATA_HOME/zqpanel/ with their defaults under $HOME, with a
// trailing '/'; empty when neither the variable nor HOME gives an absolute folder.
COMKIT_API std::string GetUserConfigDirectory();
COMKIT_API std::string GetUserDataDirectory();

} // namespace COMMON_EX
