// The editor's own settings file "SystemInit.ini": the screens' background colour.
#pragma once

#include "editor/editor_api.h"

#include "comkit/init_setting.h"

#include <string>

// Created once at start-up and destroyed at exit. Creation reads the background colour index
// (section "SYSTEM", key "BGCOLOR", default "0", read as C atoi reads it) into CGlobalDraw;
// destruction writes CGlobalDraw's index back as a decimal number. A file that is missing reads as
// the default and is created by the write; a file or folder the user may not write keeps its old
// contents (the write is refused without a message, as the store refuses it).
class EDITOR_API CSystemSettings {
public:
    static constexpr const char* FILE_NAME = "SystemInit.ini";
    static constexpr const char* SECTION = "SYSTEM";
    static constexpr const char* KEY_BACK_COLOR = "BGCOLOR";
    static constexpr const char* DEFAULT_BACK_COLOR = "0";

    // The file beside the running program, or the user's copy when the suite is installed for the
    // system (comkit/user_files.h).
    CSystemSettings();
    // The file at `path` (a null path reads the default and writes nothing).
    explicit CSystemSettings(const char* path);
    virtual ~CSystemSettings();
    CSystemSettings(const CSystemSettings&) = delete;
    CSystemSettings& operator=(const CSystemSettings&) = delete;

    // The settings file, or an empty text when there is none.
    std::string GetFilePath() const;

private:
    void Read();

    CInitSetting m_store;
};
