// A ".ZQE" file image read record by record into the project's JSON form.
#include "editor/project_json_form.h"

#include "comkit/attr_value.h"
#include "comkit/record_io.h"
#include "comkit/serial_attri.h"
#include "devices/device_collection.h"
#include "devices/plc_collection.h"
#include "editor/project.h"

#include <cstring>

using COMMON_EX::CAttrValue;
using COMMON_EX::CRecordReader;

namespace PROJECT_JSON {

namespace {

constexpr DWORD FIXED_NAME_SIZE = 20; // key labels and kind names

class CDecoder {
public:
    CDecoder(const BYTE* data, DWORD size) : m_reader(data, size) {}

    Json Project()
    {
        Json form;
        form["format"] = FORMAT_NAME;
        form["version"] = FORMAT_VERSION;
        if (!m_reader.Skip(CProject::HEADER_SIZE))
            Fail("header", Say(QT_TRANSLATE_NOOP("ProjectJson", "the file is shorter than its header")));
        form["device"] = Device("device");
        const DWORD screens = U32("screens");
        Json list = Json::array();
        for (DWORD i = 0; i < screens; ++i)
            list.push_back(Screen(Child("", "screens", i)));
        form["screens"] = std::move(list);
        form["activeScreenIndex"] = I32("activeScreenIndex");
        form["nextScreenId"] = I32("nextScreenId");
        Json panel;
        BYTE backlight[2];
        ReadBytes(backlight, sizeof backlight, "panel.backlightDelay");
        panel["backlightDelay"] = backlight[0] | backlight[1] << 8;
        panel["changeMarker"] = U32("panel.changeMarker");
        Json pages = Json::array();
        for (int i = 0; i < CProject::FUNCTION_PAGE_COUNT; ++i)
            pages.push_back(I32("panel.functionPages"));
        panel["functionPages"] = std::move(pages);
        form["panel"] = std::move(panel);
        if (m_reader.Remaining() != 0)
            Fail("", Say(QT_TRANSLATE_NOOP("ProjectJson", "%1 bytes follow the project"),
                         {std::to_string(m_reader.Remaining())}));
        return form;
    }

private:
    void ReadBytes(void* dest, DWORD n, const std::string& where)
    {
        if (!m_reader.ReadBytes(dest, n))
            Fail(where, Say(QT_TRANSLATE_NOOP("ProjectJson", "the file ends inside this field")));
    }

    DWORD U32(const std::string& where)
    {
        DWORD value = 0;
        if (!m_reader.ReadDWORD(value))
            Fail(where, Say(QT_TRANSLATE_NOOP("ProjectJson", "the file ends inside this field")));
        return value;
    }

    int I32(const std::string& where) { return static_cast<int>(U32(where)); }

    // A length-prefixed GBK text; `present` tells a zero length apart where that matters.
    std::string Gbk(const std::string& where, bool* present = nullptr)
    {
        const DWORD length = U32(where);
        if (!m_reader.Has(length))
            Fail(where, Say(QT_TRANSLATE_NOOP("ProjectJson", "the file ends inside this text")));
        std::string bytes(length, '\0');
        ReadBytes(&bytes[0], length, where);
        if (present)
            *present = length > 0;
        return GbkToJsonText(bytes, where);
    }

    // A zero-terminated, zero-filled 20-byte name.
    std::string FixedName(const std::string& where)
    {
        char name[FIXED_NAME_SIZE + 1] = {};
        ReadBytes(name, FIXED_NAME_SIZE, where);
        return GbkToJsonText(name, where);
    }

    Json Device(const std::string& where)
    {
        Json device;
        const DWORD id = U32(Child(where, "id"));
        device["id"] = id;
        if (const char* model = CDeviceCollection::GetInstance()->ConvertDeviceIDToDeviceName(id))
            device["model"] = GbkToJsonText(model, Child(where, "model"));
        device["screenWidth"] = U32(Child(where, "screenWidth"));
        device["screenHeight"] = U32(Child(where, "screenHeight"));
        device["serial"] = Serial(Child(where, "serial"));
        device["plc"] = PLC(Child(where, "plc"));
        Json keys = Json::array();
        const int count = I32(Child(where, "keys"));
        for (int i = 0; i < count; ++i) {
            const std::string at = Child(where, "keys", size_t(i));
            Json key;
            key["code"] = I32(Child(at, "code"));
            key["name"] = FixedName(Child(at, "name"));
            keys.push_back(std::move(key));
        }
        device["keys"] = std::move(keys);
        return device;
    }

    Json Serial(const std::string& where)
    {
        COM_HARDWARE_ATTRIBUTES_EX::CHADEXSerialAttri serial;
        BYTE record[COM_HARDWARE_ATTRIBUTES_EX::CHADEXSerialAttri::RECORD_SIZE];
        ReadBytes(record, sizeof record, where);
        serial.Load(record, sizeof record);
        Json json;
        json["port"] = GbkToJsonText(serial.GetSerialName(), Child(where, "port"));
        json["baudRate"] = int(serial.GetBaudrate());
        json["dataBits"] = int(serial.GetDataBits());
        json["parity"] = int(serial.GetParity());
        json["stopBits"] = int(serial.GetStopBits());
        json["handshake"] = int(serial.GetHandshake());
        return json;
    }

    Json PLC(const std::string& where)
    {
        Json plc;
        const DWORD id = U32(Child(where, "id"));
        plc["id"] = id;
        if (const char* name = CPLCCollection::GetInstance()->ConvertPLCIDToPLCName(id))
            plc["name"] = GbkToJsonText(name, Child(where, "name"));
        bool present = false;
        const std::string company = Gbk(Child(where, "company"), &present);
        if (present)
            plc["company"] = company;
        plc["registerKinds"] = Kinds(Child(where, "registerKinds"));
        plc["coilKinds"] = Kinds(Child(where, "coilKinds"));
        return plc;
    }

    Json Kinds(const std::string& where)
    {
        Json kinds = Json::array();
        const int count = I32(where);
        for (int i = 0; i < count; ++i) {
            const std::string at = Child(where, "", size_t(i));
            Json kind;
            kind["code"] = I32(Child(at, "code"));
            kind["name"] = FixedName(Child(at, "name"));
            kind["value1"] = I32(Child(at, "value1"));
            kind["value2"] = I32(Child(at, "value2"));
            kinds.push_back(std::move(kind));
        }
        return kinds;
    }

    Json Screen(const std::string& where)
    {
        Json screen;
        screen["id"] = U32(Child(where, "id"));
        bool named = false;
        const std::string name = Gbk(Child(where, "name"), &named);
        if (named)
            screen["name"] = name;
        screen["nextControlId"] = I32(Child(where, "nextControlId"));
        double zoom = 0;
        ReadBytes(&zoom, sizeof zoom, Child(where, "zoom"));
        screen["zoom"] = zoom;
        const DWORD count = U32(Child(where, "controls"));
        Json controls = Json::array();
        for (DWORD i = 0; i < count; ++i)
            controls.push_back(Control(Child(where, "controls", i)));
        for (const char* key : {"screenX", "screenY", "nextX", "nextY", "columnX", "rowY"})
            screen[key] = I32(Child(where, key));
        screen["controls"] = std::move(controls);
        return screen;
    }

    Json Control(const std::string& where)
    {
        Json control;
        const DWORD type = U32(Child(where, "type"));
        const char* kind = ControlKindKey(type);
        if (!kind)
            Fail(Child(where, "type"),
                 Say(QT_TRANSLATE_NOOP("ProjectJson", "%1 is no control kind"), {std::to_string(type)}));
        control["type"] = kind;
        control["id"] = U32(Child(where, "id"));
        Json groups = Json::array();
        for (size_t g = 0; g < 6; ++g)
            groups.push_back(Group(Child(where, "groups", g)));
        bool named = false;
        const std::string name = Gbk(Child(where, "name"), &named);
        if (named)
            control["name"] = name;
        control["groups"] = std::move(groups);
        return control;
    }

    Json Group(const std::string& where)
    {
        Json group;
        group["name"] = Gbk(Child(where, "name"));
        const DWORD count = U32(Child(where, "attributes"));
        Json attributes = Json::array();
        for (DWORD i = 0; i < count; ++i)
            attributes.push_back(Attribute(Child(where, "attributes", i)));
        group["attributes"] = std::move(attributes);
        return group;
    }

    Json Attribute(const std::string& where)
    {
        Json attribute;
        const DWORD kind = U32(Child(where, "kind"));
        const char* kindKey = AttributeKindKey(kind);
        if (!kindKey)
            Fail(Child(where, "kind"),
                 Say(QT_TRANSLATE_NOOP("ProjectJson", "%1 is no attribute kind"), {std::to_string(kind)}));
        attribute["kind"] = kindKey;
        const std::string name = Gbk(Child(where, "name"));
        if (!name.empty())
            attribute["name"] = name;
        Value(kind, attribute, Child(where, "value"));
        const int readonly = I32(Child(where, "readonly"));
        const int visible = I32(Child(where, "visible"));
        if (readonly != 0)
            attribute["readonly"] = readonly;
        if (visible != 1)
            attribute["visible"] = visible;
        Extension(kind, attribute, where);
        return attribute;
    }

    void Value(DWORD kind, Json& attribute, const std::string& where)
    {
        CAttrValue value;
        const DWORD used = value.Restore(m_reader.Current(), m_reader.Remaining());
        if (used == 0 || !m_reader.Skip(used))
            Fail(where, Say(QT_TRANSLATE_NOOP("ProjectJson", "the file ends inside this value")));
        const char* vt = VariantKey(value.GetType());
        if (!vt)
            Fail(where, Say(QT_TRANSLATE_NOOP("ProjectJson", "value carrier %1 is not one the editor writes"),
                            {std::to_string(value.GetType())}));
        if (value.GetType() != NaturalVariant(kind))
            attribute["vt"] = vt;
        switch (value.GetType()) {
        case CAttrValue::VT_I2: attribute["value"] = value.GetInt16(); break;
        case CAttrValue::VT_I4: attribute["value"] = value.GetInt32(); break;
        case CAttrValue::VT_R8: attribute["value"] = value.GetDouble(); break;
        case CAttrValue::VT_BSTR: attribute["value"] = Utf16ToJsonText(value.GetString(), where); break;
        default: attribute["value"] = nullptr; break;
        }
    }

    void Extension(DWORD kind, Json& attribute, const std::string& where)
    {
        switch (kind) {
        case 1: {
            const std::string no = Gbk(Child(where, "noText"));
            const std::string yes = Gbk(Child(where, "yesText"));
            if (!no.empty())
                attribute["noText"] = no;
            if (!yes.empty())
                attribute["yesText"] = yes;
            break;
        }
        case 4: {
            const std::string text = Gbk(Child(where, "text"));
            if (!attribute["value"].is_string() || text != attribute["value"].get<std::string>())
                attribute["text"] = text;
            break;
        }
        case 5: {
            const std::string text = Gbk(Child(where, "text"));
            const int screenList = I32(Child(where, "screenList"));
            const int count = I32(Child(where, "items"));
            Json items = Json::array();
            for (int i = 0; i < count; ++i)
                items.push_back(Gbk(Child(where, "items", size_t(i))));
            const Json& index = attribute["value"];
            const std::string selected =
                index.is_number_integer() && index.get<long long>() >= 0 && index.get<long long>() < count
                    ? items[size_t(index.get<long long>())].get<std::string>()
                    : std::string();
            if (text != selected)
                attribute["text"] = text;
            if (screenList != 0)
                attribute["screenList"] = screenList;
            attribute["items"] = std::move(items);
            break;
        }
        default: break;
        }
    }

    CRecordReader m_reader;
};

} // namespace

Json DecodeProjectFile(const BYTE* data, DWORD size)
{
    return CDecoder(data, size).Project();
}

} // namespace PROJECT_JSON
