// What the editor's attribute fields would refuse in a control built from the JSON form's short
// entries, and controls that overlap on a screen.
#pragma once

#include "editor/editor_api.h"

#include "editor/project_json_form.h"

#include <string>
#include <vector>

class CAttributeBase;
class CControlBase;
class CScreenBase;

namespace PROJECT_JSON {

// The attributes of the control's six groups in record order (hidden, layout, display, custom,
// data, other), named or not.
EDITOR_API std::vector<CAttributeBase*> AttributesOf(CControlBase& control);

// Throws FORM_ERROR (at `where`) when the control, with every value of `set` (its "set" object, or
// null) applied, holds in a value `set` gives what its fields refuse: a register or coil address outside its kind's range or, for an octal kind
// (X and Y inputs and outputs), with a digit 8 or 9; a register minimum above its maximum or a
// maximum with more digits than the register shows. Kinds 5-8 are refused: the editor cannot
// place them (a full entry with "groups" keeps one from a project file).
EDITOR_API void CheckAsTheEditorWould(CControlBase& control, CScreenBase& screen, const Json* set,
                                      const std::string& where);

// One rectangle of a screen's control, in the order of the form.
struct EDITOR_API PLACED {
    std::string where;
    long long x, y, width, height;
};

// A warning for each pair of controls of one screen whose rectangles share pixels.
EDITOR_API void WarnOfOverlaps(std::vector<PLACED> placed, std::vector<std::string>& warnings);

} // namespace PROJECT_JSON
