#include "controls/compile_session.h"

#include "controls/control_base.h"
#include "controls/screen_base.h"
#include "controls/screens_list.h"

#include <utility>

CCompileSession::CCompileSession(CScreensList& screens, std::vector<std::string> seeds)
    : m_screens(screens), m_seeds(std::move(seeds))
{
}

void CCompileSession::ResetNumbering()
{
    CControlBase::s_byCompileControlID = 0;
    CControlBase::s_byCompileLabelStringIndex = 0;
    CControlBase::s_byCompileParameterIndex = 0;
    CScreenBase::s_byScreenID = 1;
}

void CCompileSession::SeedCharacters()
{
    CControlBase::ResetCompileCharacters();
    for (const std::string& seed : m_seeds)
        CControlBase::CollectCompileCharacters(seed.c_str());
}

DWORD CCompileSession::StaticTexts(BYTE* buffer, DWORD size)
{
    SeedCharacters();
    return m_screens.GetCompileStaticControlText(buffer, size);
}

DWORD CCompileSession::ControlRecords(BYTE* buffer, DWORD size)
{
    return m_screens.GetCompileControlData(buffer, size);
}

DWORD CCompileSession::ParameterRecords(BYTE* buffer, DWORD size)
{
    return m_screens.GetCompileControlParameterData(buffer, size);
}

const std::vector<WORD>& CCompileSession::DoubleByteCharacters() const
{
    return CControlBase::s_listChinese;
}

const std::vector<BYTE>& CCompileSession::SingleByteCharacters() const
{
    return CControlBase::s_listASCII;
}

WORD CCompileSession::StaticTextLength() const
{
    return CControlBase::s_wStaticTextLength;
}
