#include "tools/zqe/zqe_warnings.h"

#include "appkit/catalogue_text.h"
#include "appkit/tool_cli.h"
#include "comkit/gbk.h"
#include "controls/control_base.h"
#include "controls/control_creator.h"
#include "controls/control_register.h"
#include "controls/screen_base.h"
#include "controls/screens_list.h"
#include "editor/project.h"

using ZQ_CLI::TrArgs;

namespace {

std::string Utf8(const char* gbk)
{
    return COMMON_EX::GbkToUtf8Lossy(gbk);
}

class CCutFinder {
public:
    explicit CCutFinder(std::vector<std::string>& messages) : m_messages(messages) {}

    void Screen(CScreenBase* screen, int number)
    {
        const std::string screenName = Utf8(screen->GetScreenName());
        for (CControlBase* control : screen->GetLayoutControls()) {
            const CControlBase::ControlsType type = control->GetControlType();
            if (type != CControlBase::CONTROL_REGISTER && type != CControlBase::CONTROL_LIGHT &&
                type != CControlBase::CONTROL_FUNCTION)
                continue;
            std::string kind;
            CControlCreator::GetControlBaseName(type, kind);
            m_where = TrArgs(QT_TRANSLATE_NOOP("zqe", "screen %1 \"%2\", %3 %4 \"%5\""),
                             {std::to_string(number), screenName, ZQ_I18N::NameWithEnglish(kind.c_str()),
                              std::to_string(control->GetControlID()), Utf8(control->GetControlName())});
            Check(QT_TRANSLATE_NOOP("zqe", "PLC station"), control->GetPLCStation(), 0xFF);
            if (type == CControlBase::CONTROL_REGISTER) {
                auto* reg = static_cast<CControlRegister*>(control);
                Check(QT_TRANSLATE_NOOP("zqe", "register address (on the line)"),
                      (long long)(screen->ConvertPLCRegisterAddress(reg->GetRegister(), DWORD(reg->GetRegisterAddr()))),
                      0xFFFF);
                Check(QT_TRANSLATE_NOOP("zqe", "maximum"), reg->GetMaximum(), 0xFFFF);
                Check(QT_TRANSLATE_NOOP("zqe", "minimum"), reg->GetMinimum(), 0xFFFF);
            } else {
                Check(QT_TRANSLATE_NOOP("zqe", "coil address (on the line)"),
                      (long long)screen->ConvertPLCCoilAddress(control->GetCoil(), DWORD(control->GetCoilAddr())),
                      0xFFFF);
            }
        }
    }

private:
    // what: the value's name, marked for the catalogue.
    void Check(const char* what, long long value, long long max)
    {
        if (value >= 0 && value <= max)
            return;
        const long long kept = value & max;
        m_messages.push_back(
            TrArgs(QT_TRANSLATE_NOOP("zqe", "%1: %2 %3 lies outside 0-%4; the image carries %5"),
                   {m_where, ZQ_CLI::Tr(what), std::to_string(value), std::to_string(max), std::to_string(kept)}));
    }

    std::vector<std::string>& m_messages;
    std::string m_where;
};

} // namespace

std::vector<std::string> FindCutValues(CProject& project)
{
    std::vector<std::string> messages;
    CCutFinder finder(messages);
    for (int i = 0; i < project.GetScreenCount(); ++i)
        finder.Screen(project.GetScreenByNumber(i + 1), i + 1);
    return messages;
}
