// The project's JSON form written out as a ".ZQE" file image. Controls and the panel model may be
// given in full (every record field) or short (built by the model from the catalogues and the
// attribute values named in "set"); see docs/project-json.md.
#include "editor/project_json_form.h"

#include "comkit/attr_value.h"
#include "comkit/record_io.h"
#include "comkit/serial_attri.h"
#include "controls/attribute_enum.h"
#include "controls/control_base.h"
#include "controls/control_creator.h"
#include "controls/screen_base.h"
#include "devices/device_base.h"
#include "devices/device_collection.h"
#include "devices/plc_collection.h"
#include "editor/project.h"
#include "editor/project_json_checks.h"
#include "editor/project_json_names.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>

using COM_HARDWARE_ATTRIBUTES_EX::CHADEXSerialAttri;
using COMMON_EX::CAttrValue;

namespace PROJECT_JSON {

namespace {

constexpr DWORD FIXED_NAME_SIZE = 20;
constexpr long long U32_MAX = 0xFFFFFFFFLL;

class CBytes {
public:
    void U32(DWORD value)
    {
        BYTE b[4];
        COMMON_EX::WriteLE32(b, value);
        Append(b, 4);
    }
    void I32(long long value) { U32(static_cast<DWORD>(value)); }
    void Append(const void* data, size_t n)
    {
        const BYTE* p = static_cast<const BYTE*>(data);
        m_bytes.insert(m_bytes.end(), p, p + n);
    }
    void Text(const std::string& gbk)
    {
        U32(static_cast<DWORD>(gbk.size()));
        Append(gbk.data(), gbk.size());
    }
    std::vector<BYTE>& Bytes() { return m_bytes; }

private:
    std::vector<BYTE> m_bytes;
};

long long I32Of(const Json& value, const std::string& where)
{
    return Integer(value, INT_MIN, INT_MAX, where);
}

long long OptionalInteger(const Json& object, const char* key, long long fallback, long long min, long long max,
                          const std::string& where)
{
    const Json* member = OptionalMember(object, key);
    return member ? Integer(*member, min, max, Child(where, key)) : fallback;
}

// An enumeration's items as UTF-8 texts; none for another kind of attribute.
std::vector<std::string> EnumItems(CAttributeBase* attribute, const std::string& where)
{
    std::vector<std::string> items;
    if (attribute && attribute->GetType() == CAttributeBase::ATTRIBUTE_ENUM)
        for (const std::string& item : static_cast<CAttributeEnum*>(attribute)->GetItems())
            items.push_back(GbkToJsonText(item, where));
    return items;
}

// Applies one "set" entry the way the attribute window would; false when the control refused it.
bool ApplyValue(CAttributeBase* attribute, const Json& value, const std::string& where)
{
    switch (attribute->GetType()) {
    case CAttributeBase::ATTRIBUTE_BOOL:
        return attribute->SetValue(CAttrValue::Int16(static_cast<short>(Integer(value, 0, 1, where)))) != 0;
    case CAttributeBase::ATTRIBUTE_INT:
        return attribute->SetValue(CAttrValue::Int32(static_cast<int>(I32Of(value, where)))) != 0;
    case CAttributeBase::ATTRIBUTE_DOUBLE: return attribute->SetValue(CAttrValue::Double(Number(value, where))) != 0;
    case CAttributeBase::ATTRIBUTE_STRING: return attribute->SetValueString(JsonTextToGbk(value, where).c_str()) != 0;
    case CAttributeBase::ATTRIBUTE_ENUM:
        if (value.is_string())
            return attribute->SetValueString(
                       JsonTextToGbk(Json(ItemOf(GbkToJsonText(attribute->GetAttributeName(), where),
                                                 value.get<std::string>(), EnumItems(attribute, where))),
                                     where)
                           .c_str()) != 0;
        return attribute->SetValue(CAttrValue::Int32(static_cast<int>(I32Of(value, where)))) != 0;
    default: return false;
    }
}

CAttributeBase* FindAttribute(CControlBase& control, const std::string& gbkName)
{
    for (CAttributeBase* attribute : AttributesOf(control))
        if (gbkName == attribute->GetAttributeName())
            return attribute;
    return nullptr;
}

// The names "set" accepts for the control (its named attributes) in record order, with their
// ASCII names (NameList).
std::string AttributeNames(CControlBase& control, const std::string& where)
{
    std::vector<std::pair<std::string, std::string>> names;
    for (CAttributeBase* attribute : AttributesOf(control)) {
        if (!*attribute->GetAttributeName())
            continue;
        const std::string name = GbkToJsonText(attribute->GetAttributeName(), where);
        names.emplace_back(name, AttributeAlias(name));
    }
    return NameList(names);
}

// The items an enumeration takes, in its order, with their ASCII names (NameList).
std::string ItemNames(CAttributeBase& attribute, const std::string& where)
{
    const std::string name = GbkToJsonText(attribute.GetAttributeName(), where);
    std::vector<std::pair<std::string, std::string>> items;
    for (const std::string& item : EnumItems(&attribute, where))
        items.emplace_back(item, ItemAlias(name, item));
    return NameList(items);
}

// Full groups with their ASCII names replaced by the stored ones: group and attribute names, and
// an enum's items and text by the items a new control of the kind has.
Json WithStoredNames(const Json& groups, CControlBase* fresh, const std::string& where)
{
    Json stored = groups;
    if (!stored.is_array())
        return stored;
    for (Json& group : stored) {
        if (!group.is_object())
            continue;
        if (group.contains("name") && group["name"].is_string())
            group["name"] = GroupName(group["name"].get<std::string>());
        if (!group.contains("attributes") || !group["attributes"].is_array())
            continue;
        for (Json& attribute : group["attributes"]) {
            if (!attribute.is_object() || !attribute.contains("name") || !attribute["name"].is_string())
                continue;
            const std::string name = AttributeName(attribute["name"].get<std::string>());
            attribute["name"] = name;
            if (attribute.value("kind", "") != "enum")
                continue;
            CAttributeBase* known = fresh ? FindAttribute(*fresh, JsonTextToGbk(Json(name), where)) : nullptr;
            const std::vector<std::string> items = EnumItems(known, where);
            auto restore = [&](Json& text) {
                if (text.is_string())
                    text = ItemOf(name, text.get<std::string>(), items);
            };
            if (attribute.contains("items") && attribute["items"].is_array())
                for (Json& item : attribute["items"])
                    restore(item);
            if (attribute.contains("text"))
                restore(attribute["text"]);
        }
    }
    return stored;
}

class CEncoder {
public:
    explicit CEncoder(std::vector<std::string>* warnings) : m_pWarningsOut(warnings) {}

    std::vector<BYTE> Project(const Json& form)
    {
        Object(form, "");
        if (const Json* format = OptionalMember(form, "format"))
            if (Text(*format, "format") != FORMAT_NAME)
                Fail("format", Say(QT_TRANSLATE_NOOP("ProjectJson", "not \"%1\""), {FORMAT_NAME}));
        OptionalInteger(form, "version", FORMAT_VERSION, 1, FORMAT_VERSION, "");

        BYTE header[CProject::HEADER_SIZE];
        CProject::WriteHeader(header);
        m_out.Append(header, sizeof header);
        Device(Member(form, "device", ""), "device");

        const Json& screens = Array(Member(form, "screens", ""), "screens");
        if (screens.empty())
            Fail("screens", Say(QT_TRANSLATE_NOOP("ProjectJson", "a project has at least one screen")));
        m_out.U32(static_cast<DWORD>(screens.size()));
        long long nextScreenID = 0;
        for (size_t i = 0; i < screens.size(); ++i)
            nextScreenID = std::max(nextScreenID, Screen(screens[i], i, Child("", "screens", i)) + 1);
        m_out.I32(OptionalInteger(form, "activeScreenIndex", -1, INT_MIN, INT_MAX, ""));
        m_out.I32(OptionalInteger(form, "nextScreenId", nextScreenID, INT_MIN, INT_MAX, ""));
        Panel(form);
        if (m_pWarningsOut)
            *m_pWarningsOut = std::move(m_warnings);
        return std::move(m_out.Bytes());
    }

private:
    void Device(const Json& device, const std::string& where)
    {
        Object(device, where);
        const Json& plc = Member(device, "plc", where);
        CHADEXSerialAttri serial;
        serial.SetBaudrate(CHADEXSerialAttri::BAUDRATE_38400); // as a new panel model has it
        if (const Json* json = OptionalMember(device, "serial"))
            Serial(*json, serial, Child(where, "serial"));

        std::vector<BYTE> record;
        if (plc.is_string() || plc.is_number_unsigned()) {
            // Short: catalogue names, or catalogue IDs.
            const std::string model = CatalogueKey(Member(device, "model", where), Child(where, "model"));
            const std::string plcKey = CatalogueKey(plc, Child(where, "plc"));
            const char* modelName = CDeviceCollection::GetInstance()->NameOf(model.c_str());
            const char* plcName = CPLCCollection::GetInstance()->NameOf(plcKey.c_str());
            if (!modelName)
                Fail(Child(where, "model"),
                     Say(QT_TRANSLATE_NOOP("ProjectJson", "the catalogue has no panel model \"%1\"; it has %2"),
                         {GbkToJsonText(model, where),
                          GbkToJsonText(CDeviceCollection::GetInstance()->ListRows(), where)}));
            if (!plcName)
                Fail(Child(where, "plc"),
                     Say(QT_TRANSLATE_NOOP("ProjectJson", "the catalogue has no PLC protocol \"%1\"; it has %2"),
                         {GbkToJsonText(plcKey, where),
                          GbkToJsonText(CPLCCollection::GetInstance()->ListRows(), where)}));
            m_pDevice = CProject::CreateDevice(modelName, plcName, &serial);
            if (!m_pDevice)
                Fail(where, Say(QT_TRANSLATE_NOOP("ProjectJson",
                                                  "the catalogues have no panel model \"%1\" with the PLC \"%2\""),
                                {GbkToJsonText(modelName, where), GbkToJsonText(plcName, where)}));
            record.resize(m_pDevice->Save(nullptr, 0));
            m_pDevice->Save(record.data(), static_cast<DWORD>(record.size()));
        } else {
            record = FullDevice(device, serial, where);
            const DWORD id = COMMON_EX::ReadLE32(record.data());
            m_pDevice.reset(CDeviceCollection::GetInstance()->CreateDevice(static_cast<UINT>(id)));
            if (!m_pDevice || m_pDevice->Load(record.data(), static_cast<DWORD>(record.size())) != record.size() ||
                !m_pDevice->GetPLC())
                Fail(where,
                     Say(QT_TRANSLATE_NOOP("ProjectJson",
                                           "device %1 with PLC %2 is not a panel model and protocol the editor knows"),
                         {std::to_string(id), std::to_string(Integer(plc["id"], 0, U32_MAX, where))}));
        }
        m_out.Append(record.data(), record.size());
    }

    // A catalogue name (GBK) or an ID written as a number, as text for CCatalogue::NameOf.
    static std::string CatalogueKey(const Json& value, const std::string& where)
    {
        if (value.is_number_unsigned())
            return std::to_string(Integer(value, 0, U32_MAX, where));
        return JsonTextToGbk(value, where);
    }

    static void Serial(const Json& json, CHADEXSerialAttri& serial, const std::string& where)
    {
        Object(json, where);
        if (const Json* port = OptionalMember(json, "port")) {
            const std::string name = JsonTextToGbk(*port, Child(where, "port"));
            if (name.size() > size_t(CHADEXSerialAttri::MAX_NAME_LENGTH))
                Fail(Child(where, "port"), Say(QT_TRANSLATE_NOOP("ProjectJson", "a port name holds at most 9 bytes")));
            serial.SetSerialName(name.c_str());
        }
        serial.SetBaudrate(CHADEXSerialAttri::EBaudrate(
            OptionalInteger(json, "baudRate", serial.GetBaudrate(), INT_MIN, INT_MAX, where)));
        serial.SetDataBits(CHADEXSerialAttri::EDataBits(
            OptionalInteger(json, "dataBits", serial.GetDataBits(), INT_MIN, INT_MAX, where)));
        serial.SetParity(
            CHADEXSerialAttri::EParity(OptionalInteger(json, "parity", serial.GetParity(), INT_MIN, INT_MAX, where)));
        serial.SetStopBits(CHADEXSerialAttri::EStopBits(
            OptionalInteger(json, "stopBits", serial.GetStopBits(), INT_MIN, INT_MAX, where)));
        serial.SetHandshake(CHADEXSerialAttri::EHandshake(
            OptionalInteger(json, "handshake", serial.GetHandshake(), INT_MIN, INT_MAX, where)));
    }

    static void FixedName(CBytes& out, const Json& value, const std::string& where)
    {
        const std::string name = JsonTextToGbk(value, where);
        if (name.size() >= FIXED_NAME_SIZE)
            Fail(where, Say(QT_TRANSLATE_NOOP("ProjectJson", "a name holds at most 19 bytes")));
        char field[FIXED_NAME_SIZE] = {};
        std::copy_n(name.data(), name.size(), field); // the rest stays zero
        out.Append(field, FIXED_NAME_SIZE);
    }

    static std::vector<BYTE> FullDevice(const Json& device, CHADEXSerialAttri& serial, const std::string& where)
    {
        CBytes out;
        out.U32(static_cast<DWORD>(Integer(Member(device, "id", where), 0, U32_MAX, Child(where, "id"))));
        out.U32(
            static_cast<DWORD>(Integer(Member(device, "screenWidth", where), 0, U32_MAX, Child(where, "screenWidth"))));
        out.U32(static_cast<DWORD>(
            Integer(Member(device, "screenHeight", where), 0, U32_MAX, Child(where, "screenHeight"))));
        BYTE record[CHADEXSerialAttri::RECORD_SIZE];
        serial.Save(record, sizeof record);
        out.Append(record, sizeof record);

        const std::string at = Child(where, "plc");
        const Json& plc = Object(device["plc"], at);
        out.U32(static_cast<DWORD>(Integer(Member(plc, "id", at), 0, U32_MAX, Child(at, "id"))));
        const Json* company = OptionalMember(plc, "company");
        out.Text(company ? JsonTextToGbk(*company, Child(at, "company")) : std::string());
        for (const char* table : {"registerKinds", "coilKinds"}) {
            const std::string tableAt = Child(at, table);
            const Json& kinds = Array(Member(plc, table, at), tableAt);
            out.U32(static_cast<DWORD>(kinds.size()));
            for (size_t i = 0; i < kinds.size(); ++i) {
                const std::string kindAt = Child(tableAt, "", i);
                out.I32(I32Of(Member(kinds[i], "code", kindAt), Child(kindAt, "code")));
                FixedName(out, Member(kinds[i], "name", kindAt), Child(kindAt, "name"));
                out.I32(I32Of(Member(kinds[i], "value1", kindAt), Child(kindAt, "value1")));
                out.I32(I32Of(Member(kinds[i], "value2", kindAt), Child(kindAt, "value2")));
            }
        }
        const Json& keys = Array(Member(device, "keys", where), Child(where, "keys"));
        out.U32(static_cast<DWORD>(keys.size()));
        for (size_t i = 0; i < keys.size(); ++i) {
            const std::string keyAt = Child(where, "keys", i);
            out.I32(I32Of(Member(keys[i], "code", keyAt), Child(keyAt, "code")));
            FixedName(out, Member(keys[i], "name", keyAt), Child(keyAt, "name"));
        }
        return std::move(out.Bytes());
    }

    // Writes one screen record; returns its ID.
    long long Screen(const Json& screen, size_t index, const std::string& where)
    {
        Object(screen, where);
        CScreenBase scratch; // where short controls are built, as the editor adds them
        scratch.SetDependenceDevice(m_pDevice.get());
        const long long id = OptionalInteger(screen, "id", static_cast<long long>(index), 0, U32_MAX, where);
        std::string name;
        const Json* nameJson = OptionalMember(screen, "name");
        if (nameJson) {
            name = JsonTextToGbk(*nameJson, Child(where, "name"));
            if (name.size() > CScreenBase::MAX_SCREEN_NAME)
                Fail(Child(where, "name"),
                     Say(QT_TRANSLATE_NOOP("ProjectJson", "a screen name holds at most 255 bytes")));
        }

        CBytes controls;
        const Json* list = OptionalMember(screen, "controls");
        const size_t count = list ? Array(*list, Child(where, "controls")).size() : 0;
        m_placed.clear();
        for (size_t i = 0; i < count; ++i)
            Control((*list)[i], i, scratch, controls, Child(where, "controls", i));
        WarnOfOverlaps(std::move(m_placed), m_warnings);
        m_placed.clear();

        m_out.U32(static_cast<DWORD>(id));
        m_out.Text(nameJson ? name : std::string());
        m_out.I32(OptionalInteger(screen, "nextControlId", scratch.GetNextControlID(), INT_MIN, U32_MAX, where));
        double zoom = CScreenBase::DEFAULT_ZOOM_RATE;
        if (const Json* json = OptionalMember(screen, "zoom"))
            zoom = Number(*json, Child(where, "zoom"));
        m_out.Append(&zoom, sizeof zoom);
        m_out.U32(static_cast<DWORD>(count));
        m_out.Append(controls.Bytes().data(), controls.Bytes().size());
        int cursor[4];
        scratch.GetDefPosCursor(cursor[0], cursor[1], cursor[2], cursor[3]);
        m_out.I32(OptionalInteger(screen, "screenX", scratch.GetScreenX(), INT_MIN, INT_MAX, where));
        m_out.I32(OptionalInteger(screen, "screenY", scratch.GetScreenY(), INT_MIN, INT_MAX, where));
        const char* cursorKeys[4] = {"nextX", "nextY", "columnX", "rowY"};
        for (int i = 0; i < 4; ++i)
            m_out.I32(OptionalInteger(screen, cursorKeys[i], cursor[i], INT_MIN, INT_MAX, where));
        return id;
    }

    void Control(const Json& control, size_t index, CScreenBase& scratch, CBytes& out, const std::string& where)
    {
        Object(control, where);
        const DWORD type = ControlTypeOf(Member(control, "type", where), Child(where, "type"));
        const Json* idJson = OptionalMember(control, "id");
        long long id = idJson ? Integer(*idJson, 0, U32_MAX, Child(where, "id")) : scratch.GetNewControlID();
        if (id >= scratch.GetNextControlID() && id < INT_MAX)
            scratch.SetNextControlID(static_cast<int>(id + 1));
        const Json* nameJson = OptionalMember(control, "name");
        const std::string name = nameJson ? JsonTextToGbk(*nameJson, Child(where, "name")) : std::string();

        if (const Json* given = OptionalMember(control, "groups")) {
            if (OptionalMember(control, "set"))
                Fail(where,
                     Say(QT_TRANSLATE_NOOP("ProjectJson", "a control has either \"groups\" or \"set\", not both")));
            std::unique_ptr<CControlBase> fresh(CControlCreator::Create(type, &scratch));
            const Json groups = WithStoredNames(*given, fresh.get(), Child(where, "groups"));
            CBytes record;
            record.U32(type);
            record.U32(static_cast<DWORD>(id));
            Groups(groups, record, Child(where, "groups"));
            record.Text(name);
            CheckLoads(type, groups, record.Bytes(), scratch, where, *this);
            out.Append(record.Bytes().data(), record.Bytes().size());
            return;
        }

        std::unique_ptr<CControlBase> made(CControlCreator::Create(type, &scratch));
        made->SetControlID(static_cast<unsigned>(id));
        if (nameJson)
            made->SetControlName(name.c_str());
        made->SetLevelIndex(static_cast<int>(index)); // draw order = order of the list
        if (const Json* set = OptionalMember(control, "set")) {
            const std::string setAt = Child(where, "set");
            for (const auto& entry : Object(*set, setAt).items()) {
                const std::string at = Child(setAt, entry.key().c_str());
                CAttributeBase* attribute = FindAttribute(*made, JsonTextToGbk(Json(AttributeName(entry.key())), at));
                if (!attribute)
                    Fail(at, Say(QT_TRANSLATE_NOOP("ProjectJson", "a %1 has no attribute of that name; it has %2"),
                                 {ControlKindKey(type), AttributeNames(*made, at)}));
                if (ApplyValue(attribute, entry.value(), at))
                    continue;
                const std::string refused =
                    Say(QT_TRANSLATE_NOOP("ProjectJson", "the control refused %1"), {entry.value().dump()});
                if (attribute->GetType() == CAttributeBase::ATTRIBUTE_ENUM)
                    Fail(at, Say(QT_TRANSLATE_NOOP("ProjectJson", "%1; it takes %2"),
                                 {refused, ItemNames(*attribute, at)}));
                Fail(at, refused);
            }
        }
        CheckAsTheEditorWould(*made, scratch, OptionalMember(control, "set"), where);
        Place(*made, where);
        std::vector<BYTE> record(made->Save(nullptr, 0));
        made->Save(record.data(), static_cast<DWORD>(record.size()));
        out.Append(record.data(), record.size());
    }

    void Place(CControlBase& control, const std::string& where)
    {
        m_placed.push_back({where, control.GetX(), control.GetY(), control.GetWidth(), control.GetHeight()});
    }

    // A control given in full must load into its screen as the editor would load it; else the
    // refusal names the reason: geometry outside the panel, or groups that do not fit the kind.
    static void CheckLoads(DWORD type, const Json& groups, const std::vector<BYTE>& record, CScreenBase& scratch,
                           const std::string& where, CEncoder& encoder)
    {
        std::unique_ptr<CControlBase> check(CControlCreator::Create(type, &scratch));
        COMMON_EX::CRecordReader reader(record.data(), static_cast<DWORD>(record.size()));
        if (check && check->LoadRecord(reader)) {
            encoder.Place(*check, where);
            return;
        }
        // The layout group's values by name, as the form gave them.
        long long x = 0, y = 0, width = 0, height = 0;
        const std::pair<const char*, long long*> layout[] = {{"X", &x}, {"Y", &y}, {"宽度", &width}, {"高度", &height}};
        if (const Json* attributes = groups[1].is_object() ? OptionalMember(groups[1], "attributes") : nullptr)
            for (const Json& attribute : *attributes)
                for (const auto& field : layout)
                    if (attribute.is_object() && attribute.value("name", "") == field.first &&
                        attribute.contains("value") && attribute["value"].is_number_integer())
                        *field.second = attribute["value"].get<long long>();
        const long long panelWidth = scratch.GetScreenWidth(), panelHeight = scratch.GetScreenHeight();
        if (x < 0 || y < 0 || width < 0 || height < 0 || x + width > panelWidth || y + height > panelHeight)
            Fail(where,
                 Say(QT_TRANSLATE_NOOP("ProjectJson", "this control makes no project the editor opens: X %1, Y %2, "
                                                      "width %3, height %4 do not lie inside the %5 x %6 panel"),
                     {std::to_string(x), std::to_string(y), std::to_string(width), std::to_string(height),
                      std::to_string(panelWidth), std::to_string(panelHeight)}));
        Fail(where, Say(QT_TRANSLATE_NOOP("ProjectJson",
                                          "this control makes no project the editor opens: its attribute groups are "
                                          "not those of a %1"),
                        {ControlKindKey(type)}));
    }

    static void Groups(const Json& groups, CBytes& out, const std::string& where)
    {
        if (Array(groups, where).size() != 6)
            Fail(where, Say(QT_TRANSLATE_NOOP("ProjectJson", "a control has exactly 6 attribute groups")));
        for (size_t g = 0; g < 6; ++g) {
            const std::string at = Child(where, "", g);
            const Json& group = Object(groups[g], at);
            out.Text(JsonTextToGbk(Member(group, "name", at), Child(at, "name")));
            const Json* attributes = OptionalMember(group, "attributes");
            const size_t count = attributes ? Array(*attributes, Child(at, "attributes")).size() : 0;
            out.U32(static_cast<DWORD>(count));
            for (size_t i = 0; i < count; ++i)
                Attribute((*attributes)[i], out, Child(at, "attributes", i));
        }
    }

    static void Attribute(const Json& attribute, CBytes& out, const std::string& where)
    {
        Object(attribute, where);
        const std::string kindKey = Text(Member(attribute, "kind", where), Child(where, "kind"));
        const DWORD kind = AttributeKindOf(kindKey);
        if (kind == 0)
            Fail(Child(where, "kind"),
                 Say(QT_TRANSLATE_NOOP("ProjectJson", "\"%1\" is no attribute kind (bool, int, double, string, enum)"),
                     {kindKey}));
        out.U32(kind);
        const Json* name = OptionalMember(attribute, "name");
        out.Text(name ? JsonTextToGbk(*name, Child(where, "name")) : std::string());
        const CAttrValue value = Value(attribute, kind, where);
        std::vector<BYTE> stored(value.GetStoredSize());
        value.Store(stored.data());
        out.Append(stored.data(), stored.size());
        out.I32(OptionalInteger(attribute, "readonly", 0, INT_MIN, INT_MAX, where));
        out.I32(OptionalInteger(attribute, "visible", 1, INT_MIN, INT_MAX, where));
        Extension(attribute, kind, value, out, where);
    }

    static CAttrValue Value(const Json& attribute, DWORD kind, const std::string& where)
    {
        WORD vt = NaturalVariant(kind);
        if (const Json* key = OptionalMember(attribute, "vt"))
            vt = VariantOf(Text(*key, Child(where, "vt")), Child(where, "vt"));
        const std::string at = Child(where, "value");
        const Json* value = OptionalMember(attribute, "value");
        if (vt == CAttrValue::VT_EMPTY) {
            if (value && !value->is_null())
                Fail(at, Say(QT_TRANSLATE_NOOP("ProjectJson", "an empty value carrier holds no value")));
            return CAttrValue();
        }
        if (!value)
            Fail(where, Say(QT_TRANSLATE_NOOP("ProjectJson", "\"%1\" is missing"), {"value"}));
        switch (vt) {
        case CAttrValue::VT_I2: return CAttrValue::Int16(static_cast<short>(Integer(*value, SHRT_MIN, SHRT_MAX, at)));
        case CAttrValue::VT_I4: return CAttrValue::Int32(static_cast<int>(I32Of(*value, at)));
        case CAttrValue::VT_R8: return CAttrValue::Double(Number(*value, at));
        default: return CAttrValue::String(JsonTextToUtf16(*value, at));
        }
    }

    static void Extension(const Json& attribute, DWORD kind, const CAttrValue& value, CBytes& out,
                          const std::string& where)
    {
        const Json* text = OptionalMember(attribute, "text");
        switch (kind) {
        case CAttributeBase::ATTRIBUTE_BOOL:
            for (const char* key : {"noText", "yesText"}) {
                const Json* json = OptionalMember(attribute, key);
                out.Text(json ? JsonTextToGbk(*json, Child(where, key)) : std::string());
            }
            break;
        case CAttributeBase::ATTRIBUTE_STRING:
            if (text)
                out.Text(JsonTextToGbk(*text, Child(where, "text")));
            else if (value.IsString())
                out.Text(JsonTextToGbk(attribute["value"], Child(where, "value")));
            else
                Fail(where, Say(QT_TRANSLATE_NOOP("ProjectJson", "\"%1\" is missing"), {"text"}));
            break;
        case CAttributeBase::ATTRIBUTE_ENUM: {
            const Json& items = Array(Member(attribute, "items", where), Child(where, "items"));
            std::vector<std::string> gbkItems;
            for (size_t i = 0; i < items.size(); ++i)
                gbkItems.push_back(JsonTextToGbk(items[i], Child(where, "items", i)));
            const int index = value.GetInt32();
            const std::string selected = !value.IsString() && index >= 0 && size_t(index) < gbkItems.size()
                                             ? gbkItems[size_t(index)]
                                             : std::string();
            out.Text(text ? JsonTextToGbk(*text, Child(where, "text")) : selected);
            out.I32(OptionalInteger(attribute, "screenList", 0, INT_MIN, INT_MAX, where));
            out.U32(static_cast<DWORD>(gbkItems.size()));
            for (const std::string& item : gbkItems)
                out.Text(item);
            break;
        }
        default: break;
        }
    }

    void Panel(const Json& form)
    {
        static const Json empty = Json::object();
        const Json* json = OptionalMember(form, "panel");
        const Json& panel = json ? Object(*json, "panel") : empty;
        const long long backlight =
            OptionalInteger(panel, "backlightDelay", CProject::BACKLIGHT_ALWAYS_ON, 0, 0xFFFF, "panel");
        const BYTE le16[2] = {static_cast<BYTE>(backlight), static_cast<BYTE>(backlight >> 8)};
        m_out.Append(le16, sizeof le16);
        m_out.U32(static_cast<DWORD>(OptionalInteger(panel, "changeMarker", 1, 0, U32_MAX, "panel")));
        const Json* pages = OptionalMember(panel, "functionPages");
        if (pages && Array(*pages, "panel.functionPages").size() != CProject::FUNCTION_PAGE_COUNT)
            Fail("panel.functionPages", Say(QT_TRANSLATE_NOOP("ProjectJson", "four function pages")));
        for (size_t i = 0; i < CProject::FUNCTION_PAGE_COUNT; ++i)
            m_out.I32(pages ? I32Of((*pages)[i], Child("panel", "functionPages", i)) : 0);
    }

    CBytes m_out;
    std::unique_ptr<CDeviceBase> m_pDevice;
    std::vector<PLACED> m_placed; // the controls of the screen being written
    std::vector<std::string> m_warnings;
    std::vector<std::string>* m_pWarningsOut;
};

} // namespace

std::vector<BYTE> EncodeProjectFile(const Json& form, std::vector<std::string>* warnings)
{
    return CEncoder(warnings).Project(form);
}

} // namespace PROJECT_JSON
