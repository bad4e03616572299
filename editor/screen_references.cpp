// The jump keys and function pages that name a screen.
#include "editor/screen_references.h"

#include "comkit/message_text.h"
#include "controls/control_function.h"
#include "controls/screen_base.h"
#include "editor/address_xref.h"
#include "editor/project.h"

std::vector<CScreenReferences::REFERENCE> CScreenReferences::Find(CProject& project, int screenNumber)
{
    std::vector<REFERENCE> found;
    const int screens = project.GetScreensList() ? project.GetScreenCount() : 0;
    if (screenNumber < 1 || screenNumber > screens)
        return found;
    for (int number = 1; number <= screens; ++number) {
        CScreenBase* screen = project.GetScreenByNumber(number);
        if (!screen || number == screenNumber)
            continue;
        for (CControlBase* control : screen->GetLayoutControls()) {
            const auto* key = dynamic_cast<CControlFunction*>(control);
            if (!key || key->GetFunction() != CControlFunction::FUNCTION_JUMP || key->GetJumpScreen() != screenNumber)
                continue;
            REFERENCE reference;
            reference.hasControl = true;
            reference.screenNumber = number;
            reference.screenName = CAddressXref::StoredName(screen);
            reference.controlID = control->GetControlID();
            reference.controlType = control->GetControlType();
            reference.controlName = CAddressXref::StoredName(control);
            found.push_back(reference);
        }
    }
    for (int page = 0; page < CProject::FUNCTION_PAGE_COUNT; ++page)
        if (project.GetFunctionPage(page) == screenNumber) {
            REFERENCE reference;
            reference.page = page + 1;
            found.push_back(reference);
        }
    return found;
}

std::string CScreenReferences::Label(const REFERENCE& reference)
{
    if (!reference.hasControl)
        return COMMON_EX::TrArgs("ScreenReferences", QT_TRANSLATE_NOOP("ScreenReferences", "功能页 %1"),
                                 {std::to_string(reference.page)});
    return COMMON_EX::TrArgs("ScreenReferences", QT_TRANSLATE_NOOP("ScreenReferences", "%1：%2"),
                             {CAddressXref::ScreenLabel(reference.screenNumber, reference.screenName),
                              CAddressXref::ControlLabel(reference.controlType, reference.controlID,
                                                         reference.controlName)});
}
