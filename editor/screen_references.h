// Who names a screen by its number: the jump keys of the other screens whose target it is and the
// function pages that show it; what the editor lists before the screen is deleted.
#pragma once

#include "editor/editor_api.h"

#include <string>
#include <vector>

class CProject;

class EDITOR_API CScreenReferences {
public:
    // One jump key (hasControl) or one function page (page) naming the screen.
    struct REFERENCE {
        bool hasControl = false;
        int screenNumber = 0;    // 1-based, list order, of the key's screen; 0 for a page
        std::string screenName;  // GBK stored name of the key's screen, empty when none
        unsigned controlID = 0;  // meaningful when hasControl
        int controlType = 0;     // CControlBase::ControlsType
        std::string controlName; // GBK stored name, empty when none
        int page = 0;            // 1-based function page, 0 for a key
    };

    // The references to screen screenNumber (1-based): jump keys screen by screen in list order
    // (a screen's keys in draw order, the screen's own keys left out, as they go with it), then the
    // function pages in order. Empty when nothing names it, for a number outside the list and
    // without a screens list. Changes nothing in the project (no name is made up).
    static std::vector<REFERENCE> Find(CProject& project, int screenNumber);

    // For people (UTF-8, the user's language): "画面1 主画面：寄存器 3" for a key,
    // "功能页 2" for a page.
    static std::string Label(const REFERENCE& reference);
};
