// The short JSON form of a project, found by comparing each control with a new one of its kind.
#include "tools/zqe/zqe_short_form.h"

#include "appkit/tool_cli.h"
#include "comkit/serial_attri.h"
#include "controls/attr_groups.h"
#include "controls/attribute_base.h"
#include "controls/control_base.h"
#include "controls/control_creator.h"
#include "controls/screen_base.h"
#include "devices/device_base.h"
#include "devices/device_collection.h"
#include "devices/plc_collection.h"
#include "editor/project.h"
#include "editor/project_file.h"
#include "editor/project_json_checks.h"
#include "editor/project_json_form.h"

#include <algorithm>
#include <memory>

using namespace PROJECT_JSON;
using COM_HARDWARE_ATTRIBUTES_EX::CHADEXSerialAttri;

namespace {

// The named attributes in the order the import should set them: geometry last, sizes before
// positions, so that each value fits when it is set.
std::vector<CAttributeBase*> NamedAttributes(CControlBase& control)
{
    std::vector<CAttributeBase*> named;
    for (CAttributeBase* attribute : AttributesOf(control))
        if (*attribute->GetAttributeName())
            named.push_back(attribute);
    const CLayoutAttributes* layout = control.GetLayoutAtttribute();
    const auto position = [&](CAttributeBase* a) {
        return a == layout->GetXAttribute() || a == layout->GetYAttribute();
    };
    const auto geometry = [&](CAttributeBase* a) {
        return position(a) || a == layout->GetWidthAttribute() || a == layout->GetHeightAttribute();
    };
    const auto sizes =
        std::stable_partition(named.begin(), named.end(), [&](CAttributeBase* a) { return !geometry(a); });
    std::stable_partition(sizes, named.end(), [&](CAttributeBase* a) { return !position(a); });
    return named;
}

// The attribute's value as "set" takes it: numbers for yes/no, integers and reals; texts (the
// chosen item's text for a list) for the rest.
Json ValueOf(CAttributeBase& attribute, const std::string& where)
{
    const COMMON_EX::CAttrValue& value = attribute.GetValueRef();
    switch (attribute.GetType()) {
    case CAttributeBase::ATTRIBUTE_BOOL: return value.GetInt16() != 0 ? 1 : 0;
    case CAttributeBase::ATTRIBUTE_INT: return value.GetInt32();
    case CAttributeBase::ATTRIBUTE_DOUBLE: return value.GetDouble();
    default: {
        std::string text;
        attribute.GetValueString(text, nullptr);
        return GbkToJsonText(text, where);
    }
    }
}

// `scratch` is a screen of the same panel on which the controls so far were made new, as the
// import makes them, so the new control stands where the import would put it.
Json ShortControl(CControlBase& control, CScreenBase& scratch, const std::string& where)
{
    // A short entry is made as the editor's insert command makes a control: kinds it cannot
    // place would not come back.
    if (control.GetControlType() > CControlBase::CONTROL_FUNCTION)
        Fail(where, ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqe", "a %1 cannot be written as a short entry (the editor "
                                                            "cannot place one); export without --short writes it in "
                                                            "full"),
                                   {ControlKindKey(DWORD(control.GetControlType()))}));
    Json json;
    json["type"] = ControlKindKey(DWORD(control.GetControlType()));
    if (control.HasControlName())
        json["name"] = GbkToJsonText(control.GetControlName(), Child(where, "name"));
    std::unique_ptr<CControlBase> fresh(CControlCreator::Create(DWORD(control.GetControlType()), &scratch));
    Json set = Json::object();
    const std::vector<CAttributeBase*> mine = NamedAttributes(control);
    const std::vector<CAttributeBase*> theirs = fresh ? NamedAttributes(*fresh) : std::vector<CAttributeBase*>();
    for (size_t i = 0; i < mine.size(); ++i) {
        std::string a, b;
        mine[i]->GetValueString(a, nullptr);
        if (i < theirs.size())
            theirs[i]->GetValueString(b, nullptr);
        if (i >= theirs.size() || a != b) {
            const std::string key = GbkToJsonText(mine[i]->GetAttributeName(), where);
            set[key] = ValueOf(*mine[i], Child(where, key.c_str()));
        }
    }
    if (!set.empty())
        json["set"] = std::move(set);
    return json;
}

Json ShortDevice(CDeviceBase& device)
{
    Json json;
    const char* model = CDeviceCollection::GetInstance()->ConvertDeviceIDToDeviceName(device.GetDeviceID());
    const char* plc = CPLCCollection::GetInstance()->ConvertPLCIDToPLCName(device.GetPLCID());
    if (model)
        json["model"] = GbkToJsonText(model, "device.model");
    else
        json["model"] = device.GetDeviceID();
    if (plc)
        json["plc"] = GbkToJsonText(plc, "device.plc");
    else
        json["plc"] = device.GetPLCID();
    CHADEXSerialAttri fresh;
    fresh.SetBaudrate(CHADEXSerialAttri::BAUDRATE_38400);
    CHADEXSerialAttri* serial = device.GetPLCSerialAttributes();
    Json differs = Json::object();
    if (serial) {
        if (std::string(serial->GetSerialName()) != fresh.GetSerialName())
            differs["port"] = GbkToJsonText(serial->GetSerialName(), "device.serial.port");
        const std::pair<const char*, std::pair<int, int>> fields[] = {
            {"baudRate", {serial->GetBaudrate(), fresh.GetBaudrate()}},
            {"dataBits", {serial->GetDataBits(), fresh.GetDataBits()}},
            {"parity", {serial->GetParity(), fresh.GetParity()}},
            {"stopBits", {serial->GetStopBits(), fresh.GetStopBits()}},
            {"handshake", {serial->GetHandshake(), fresh.GetHandshake()}}};
        for (const auto& field : fields)
            if (field.second.first != field.second.second)
                differs[field.first] = field.second.first;
    }
    if (!differs.empty())
        json["serial"] = std::move(differs);
    return json;
}

} // namespace

bool ShortProjectForm(const std::vector<BYTE>& file, std::string& json, std::string& error)
{
    std::unique_ptr<CProject> project(CProjectFile::OpenBytes(file, error));
    if (!project)
        return false;
    try {
        Json form;
        form["format"] = FORMAT_NAME;
        form["version"] = FORMAT_VERSION;
        form["device"] = ShortDevice(*project->GetDevice());
        Json screens = Json::array();
        for (int s = 1; s <= project->GetScreenCount(); ++s) {
            CScreenBase* screen = project->GetScreenByNumber(s);
            const std::string where = Child("", "screens", size_t(s - 1));
            Json entry;
            if (screen->HasScreenName())
                entry["name"] = GbkToJsonText(screen->GetScreenName(), Child(where, "name"));
            if (screen->GetScreenZoomRate() != CScreenBase::DEFAULT_ZOOM_RATE)
                entry["zoom"] = screen->GetScreenZoomRate();
            Json controls = Json::array();
            CScreenBase scratch;
            scratch.SetDependenceDevice(project->GetDevice());
            const std::vector<CControlBase*> order = screen->GetLayoutControls();
            for (size_t i = 0; i < order.size(); ++i)
                controls.push_back(ShortControl(*order[i], scratch, Child(where, "controls", i)));
            entry["controls"] = std::move(controls);
            screens.push_back(std::move(entry));
        }
        form["screens"] = std::move(screens);
        Json panel = Json::object();
        if (project->GetBacklightDelay() != CProject::BACKLIGHT_ALWAYS_ON)
            panel["backlightDelay"] = project->GetBacklightDelay();
        bool pages = false;
        Json pageList = Json::array();
        for (int p = 0; p < CProject::FUNCTION_PAGE_COUNT; ++p) {
            pageList.push_back(project->GetFunctionPage(p));
            pages = pages || project->GetFunctionPage(p) != 0;
        }
        if (pages)
            panel["functionPages"] = std::move(pageList);
        if (!panel.empty())
            form["panel"] = std::move(panel);
        json = form.dump(2) + "\n";
        return true;
    } catch (const FORM_ERROR& e) {
        error = e.message;
    }
    return false;
}
