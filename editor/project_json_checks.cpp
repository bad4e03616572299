// The editor's field rules applied to controls of the JSON form, and the overlap warnings.
#include "editor/project_json_checks.h"

#include "controls/attr_groups.h"
#include "controls/control_base.h"
#include "controls/control_creator.h"
#include "controls/control_register.h"
#include "controls/screen_base.h"
#include "devices/catalogue_limits.h"

#include <algorithm>

namespace PROJECT_JSON {

namespace {

const char* const MINIMUM = "\xD7\xEE\xD0\xA1\xD6\xB5"; // 最小值
const char* const MAXIMUM = "\xD7\xEE\xB4\xF3\xD6\xB5"; // 最大值

using COLLECTION = int (CScreenBase::*)(int*, char**, DWORD*, DWORD*, int) const;

// The range of kind `index` of the screen's register or coil kinds; false for no such kind.
bool KindRange(CScreenBase& screen, COLLECTION collection, int index, DWORD& low, DWORD& high, std::string& name)
{
    constexpr int MAX = CATALOGUE_LIMITS::MAX_KINDS;
    int codes[MAX];
    char names[MAX][20];
    char* pointers[MAX];
    DWORD lows[MAX], highs[MAX];
    for (int i = 0; i < MAX; ++i)
        pointers[i] = names[i];
    const int count = (screen.*collection)(codes, pointers, lows, highs, MAX);
    if (index < 0 || index >= count)
        return false;
    low = lows[index];
    high = highs[index];
    name = names[index];
    return true;
}

CAttributeBase* DataAttribute(CControlBase& control, const char* name)
{
    CAttrList* list = control.GetDataAtttribute();
    list->StartGetAttribute();
    while (CAttributeBase* attribute = list->GetNextAttribute())
        if (std::string(attribute->GetAttributeName()) == name)
            return attribute;
    return nullptr;
}

void CheckAddress(CControlBase& control, CScreenBase& screen, const char* attributeName, COLLECTION collection,
                  int kind, long long address, const std::string& where)
{
    const std::string at = Child(where, GbkToJsonText(attributeName, where).c_str());
    DWORD low = 0, high = 0;
    std::string kindName;
    if (!KindRange(screen, collection, kind, low, high, kindName))
        return;
    const std::string kindText = GbkToJsonText(kindName, at);
    if (address < low || address > high)
        Fail(at, Say(QT_TRANSLATE_NOOP("ProjectJson", "%1 lies outside the range of %2, %3 to %4"),
                     {std::to_string(address), kindText, std::to_string(low), std::to_string(high)}));
    CAttributeBase* attribute = DataAttribute(control, attributeName);
    if (attribute && CControlCreator::GetControlAttributeInputType(attribute) == CControlCreator::INPUT_OCTAL &&
        std::to_string(address).find_first_of("89") != std::string::npos)
        Fail(at, Say(QT_TRANSLATE_NOOP("ProjectJson", "%1 is no octal address: %2 addresses are octal (digits 0-7)"),
                     {std::to_string(address), kindText}));
}

} // namespace

std::vector<CAttributeBase*> AttributesOf(CControlBase& control)
{
    std::vector<CAttributeBase*> attributes;
    for (CAttrList* list :
         {static_cast<CAttrList*>(control.GetHideAtttribute()), static_cast<CAttrList*>(control.GetLayoutAtttribute()),
          static_cast<CAttrList*>(control.GetDisplayAtttribute()),
          static_cast<CAttrList*>(control.GetCustomAtttribute()), static_cast<CAttrList*>(control.GetDataAtttribute()),
          static_cast<CAttrList*>(control.GetOtherAtttribute())}) {
        list->StartGetAttribute();
        while (CAttributeBase* attribute = list->GetNextAttribute())
            attributes.push_back(attribute);
    }
    return attributes;
}

void CheckAsTheEditorWould(CControlBase& control, CScreenBase& screen, const Json* set, const std::string& where)
{
    // Only values the entry gives are checked: a new control's own defaults pass as the editor
    // lets them pass.
    const auto given = [&](const char* gbkName) {
        return set && set->is_object() && set->contains(GbkToJsonText(gbkName, where));
    };
    const unsigned type = unsigned(control.GetControlType());
    if (type > CControlBase::CONTROL_FUNCTION)
        Fail(Child(where, "type"),
             Say(QT_TRANSLATE_NOOP("ProjectJson",
                                   "%1 controls cannot be placed in the editor, so a short entry cannot "
                                   "make one (a full entry with \"groups\" keeps one from a project file)"),
                 {ControlKindKey(type)}));
    const std::string at = Child(where, "set");
    if (type == CControlBase::CONTROL_REGISTER) {
        auto& reg = static_cast<CControlRegister&>(control);
        if (given(CDataAttributes::ATTR_REGISTER_ADDR_NAME) || given(CDataAttributes::ATTR_REGISTER_NAME))
            CheckAddress(control, screen, CDataAttributes::ATTR_REGISTER_ADDR_NAME,
                         &CScreenBase::GetPLCRegisterCollection, reg.GetRegister(), reg.GetRegisterAddr(), at);
        if (!given(MINIMUM) && !given(MAXIMUM))
            return;
        if (reg.GetMinimum() > reg.GetMaximum())
            Fail(at, Say(QT_TRANSLATE_NOOP("ProjectJson", "the minimum %1 lies above the maximum %2"),
                         {std::to_string(reg.GetMinimum()), std::to_string(reg.GetMaximum())}));
        const int digits = reg.GetIntegerDigits() + reg.GetDecimalDigits();
        long long largest = 1;
        for (int i = 0; i < digits; ++i)
            largest *= 10;
        largest -= 1;
        if (reg.GetMaximum() > largest || reg.GetMinimum() < -largest)
            Fail(at, Say(QT_TRANSLATE_NOOP("ProjectJson",
                                           "the range %1 to %2 does not fit the %3 digits the register shows"),
                         {std::to_string(reg.GetMinimum()), std::to_string(reg.GetMaximum()), std::to_string(digits)}));
    } else if (type == CControlBase::CONTROL_LIGHT || type == CControlBase::CONTROL_FUNCTION) {
        CAttributeBase* address = DataAttribute(control, CDataAttributes::ATTR_COIL_ADDR_NAME);
        if (address && address->GetVisible() &&
            (given(CDataAttributes::ATTR_COIL_ADDR_NAME) || given(CDataAttributes::ATTR_COIL_NAME)))
            CheckAddress(control, screen, CDataAttributes::ATTR_COIL_ADDR_NAME, &CScreenBase::GetPLCCoilCollection,
                         control.GetCoil(), control.GetCoilAddr(), at);
    }
}

void WarnOfOverlaps(std::vector<PLACED> placed, std::vector<std::string>& warnings)
{
    // Sweep from left to right: only controls that begin before one ends can share its pixels.
    std::stable_sort(placed.begin(), placed.end(), [](const PLACED& a, const PLACED& b) { return a.x < b.x; });
    constexpr size_t MAX_WARNINGS = 20;
    size_t found = 0;
    for (size_t i = 0; i < placed.size() && found <= MAX_WARNINGS; ++i) {
        const PLACED& a = placed[i];
        for (size_t j = i + 1; j < placed.size() && placed[j].x < a.x + a.width && found <= MAX_WARNINGS; ++j) {
            const PLACED& b = placed[j];
            if (b.width > 0 && a.width > 0 && b.y < a.y + a.height && a.y < b.y + b.height) {
                if (++found <= MAX_WARNINGS)
                    warnings.push_back(Say(QT_TRANSLATE_NOOP("ProjectJson", "%1 and %2 overlap"), {a.where, b.where}));
                else
                    warnings.push_back(Say(QT_TRANSLATE_NOOP("ProjectJson", "more overlapping controls follow")));
            }
        }
    }
}

} // namespace PROJECT_JSON
