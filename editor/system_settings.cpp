// The editor's own settings file: the screens' background colour.
#include "editor/system_settings.h"

#include "comkit/user_files.h"
#include "controls/global_draw.h"

#include <string>

CSystemSettings::CSystemSettings()
    : m_store(COMMON_EX::CUserFiles::ForRunningProgram().GetSettingsFile(FILE_NAME).c_str())
{
    Read();
}

CSystemSettings::CSystemSettings(const char* path) : m_store(path)
{
    Read();
}

CSystemSettings::~CSystemSettings()
{
    const std::string index = std::to_string(CGlobalDraw::GetInstance()->GetBackColorIndex());
    m_store.SetValue(SECTION, KEY_BACK_COLOR, index.c_str());
}

std::string CSystemSettings::GetFilePath() const
{
    const char* path = m_store.GetInitFilePath();
    return path ? path : "";
}

void CSystemSettings::Read()
{
    CGlobalDraw::GetInstance()->SetBackColorIndex(m_store.GetInt(SECTION, KEY_BACK_COLOR, DEFAULT_BACK_COLOR));
}
