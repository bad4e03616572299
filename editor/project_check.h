// The project check: what the download would refuse, what the panel would show or do wrong, and
// what is probably unintended, each finding with its severity, screen, control and text.
#pragma once

#include "editor/editor_api.h"

#include "comkit/types.h"

#include <string>
#include <vector>

class CProject;

class EDITOR_API CProjectCheck {
public:
    // ERROR: the compile or the download refuses it, or the panel would misbehave (the download
    // refuses a project with errors); WARNING: probably unintended; INFO: worth knowing.
    enum Severity { SEVERITY_INFO = 0, SEVERITY_WARNING = 1, SEVERITY_ERROR = 2 };

    // What a finding is about; the names (CodeName) are stable for scripts.
    enum Code {
        NO_PARAMETER_CONTROL,  // no lamp, register, key or chart: the download refuses
        TOO_MANY_CONTROLS,     // more than 255 controls: the download refuses
        TOO_MANY_SCREENS,      // more than 16 screens
        IMAGE_TOO_LARGE,       // the image takes 65536 bytes or more: the compile refuses
        IMAGE_BEYOND_FLASH,    // the image does not fit the panel's flash above the program's start
        IMAGE_NEAR_LIMIT,      // the image takes 90 % or more of that room
        KIND_UNKNOWN,          // a register or coil kind the PLC does not have
        ADDRESS_OUT_OF_RANGE,  // an address outside its kind's range in the catalogue
        OCTAL_DIGIT,           // an octal address with the digit 8 or 9
        LINE_ADDRESS_CUT,      // a line address above 65535 (the image keeps its low 16 bits)
        STATION_OUT_OF_RANGE,  // a station outside 0-255
        LIMIT_OUT_OF_RANGE,    // a register minimum or maximum outside 0-65535
        MINIMUM_ABOVE_MAXIMUM, // an editable register's minimum above its maximum
        MAXIMUM_BEYOND_DIGITS, // an editable register's maximum its digits cannot show
        KEY_UNKNOWN,           // a function key on a key the panel does not have
        JUMP_TARGET_MISSING,   // a jump key naming a screen that does not exist
        JUMP_WITHOUT_TARGET,   // a jump key without a target screen
        FUNCTION_PAGE_MISSING, // a function page naming a screen that does not exist
        DUPLICATE_KEY,         // two function keys of one screen on the same key
        COIL_CONFLICT,         // keys writing one coil with different meanings
        CONTROLS_OVERLAP,      // two visible controls overlap
        BEYOND_SCREEN_EDGE,    // a control reaches beyond the screen's edge
        SCREEN_UNREACHABLE,    // no key or function page leads to the screen
        CHARACTER_NOT_IN_FONT, // a static text holds characters the panel's font has no glyph for
        TEXT_CUT,              // a static text longer than the image carries
    };

    // The room above the program's start (page 48 of 512 bytes) in the panel's 64 KiB flash.
    static constexpr DWORD PANEL_IMAGE_ROOM = 0x10000 - 48 * 512;

    struct FINDING {
        Severity severity = SEVERITY_INFO;
        Code code = NO_PARAMETER_CONTROL;
        int screenNumber = 0;   // 1-based, list order; 0 for the whole project
        unsigned controlID = 0; // meaningful when hasControl
        bool hasControl = false;
        int controlType = 0;     // CControlBase::ControlsType when hasControl
        std::string screenName;  // GBK stored name, empty when none (or no screen)
        std::string controlName; // GBK stored name, empty when none (or no control)
        std::string text;        // UTF-8, in the user's language
    };

    // Every finding, ordered: the project's own first, then screen by screen (a screen's controls
    // in draw order, its pair findings after them). Empty without a screens list. Changes nothing in the project (no byte it saves or compiles).
    static std::vector<FINDING> Run(CProject& project);

    // "no-parameter-control", ...: the stable name of a code.
    static const char* CodeName(Code code);
    // "error", "warning", "info": stable, for scripts and the command line.
    static const char* SeverityName(Severity severity);
    // "错误", "警告", "提示" in the user's language.
    static std::string SeverityText(Severity severity);
    // The number of findings of the severity.
    static int Count(const std::vector<FINDING>& findings, Severity severity);
    // "画面2 参数设置", "" for the project (UTF-8).
    static std::string PlaceScreen(const FINDING& finding);
    // The control's label (AddressXref::ControlLabel), "" without a control (UTF-8).
    static std::string PlaceControl(const FINDING& finding);

    // JSON for scripts, the same structure in every language: {"findings": [{"severity", "code",
    // "screen", "screenName", "control" (null without one), "controlName", "text"}], "errors",
    // "warnings", "infos"}.
    static std::string FormatJson(const std::vector<FINDING>& findings);
};
