#include "tools/zqe/zqe_info.h"

#include "appkit/catalogue_text.h"
#include "appkit/tool_cli.h"

using PROJECT_JSON::Json;
using ZQ_CLI::Tr;
using ZQ_CLI::TrArgs;

namespace {

const char* const PARITY[] = {QT_TRANSLATE_NOOP("zqe", "none"), QT_TRANSLATE_NOOP("zqe", "odd"),
                              QT_TRANSLATE_NOOP("zqe", "even"), QT_TRANSLATE_NOOP("zqe", "mark"),
                              QT_TRANSLATE_NOOP("zqe", "space")};
const char* const STOP_BITS[] = {QT_TRANSLATE_NOOP("zqe", "one"), QT_TRANSLATE_NOOP("zqe", "one and a half"),
                                 QT_TRANSLATE_NOOP("zqe", "two")};
const char* const HANDSHAKE[] = {QT_TRANSLATE_NOOP("zqe", "none"), QT_TRANSLATE_NOOP("zqe", "hardware"),
                                 QT_TRANSLATE_NOOP("zqe", "XON/XOFF")};

// "2 (even)": a setting's number and, when it has one, its name.
template <size_t N>
std::string Named(const Json& value, const char* const (&names)[N])
{
    const long long v = value.get<long long>();
    return std::to_string(v) + (v >= 0 && v < static_cast<long long>(N) ? " (" + Tr(names[v]) + ")" : "");
}

// A text as the terminal may show it: control characters (C0, DEL and C1) of names written as
// \xNN, so a name cannot move the cursor, clear the screen or forge lines.
std::string Printable(const std::string& text)
{
    static const char* const HEX = "0123456789abcdef";
    std::string shown;
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const bool c1 = c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                        static_cast<unsigned char>(text[i + 1]) <= 0x9F;
        if (c < 0x20 || c == 0x7F || c1) {
            const unsigned char code = c1 ? static_cast<unsigned char>(text[++i]) : c;
            shown += std::string("\\x") + HEX[code >> 4] + HEX[code & 15];
        } else {
            shown += text[i];
        }
    }
    return shown;
}

std::string Str(const Json& value)
{
    return value.is_string() ? Printable(value.get<std::string>()) : value.dump();
}

// A catalogue name (panel model, PLC protocol, register or coil kind) with its English for English users.
std::string CatalogueName(const Json& value)
{
    return value.is_string() ? Printable(ZQ_I18N::NameWithEnglishUtf8(value.get<std::string>())) : value.dump();
}

// "(unnamed)", for what has no name.
std::string Unnamed()
{
    return Tr(QT_TRANSLATE_NOOP("zqe", "(unnamed)"));
}

std::string Value(const Json& attribute)
{
    const Json& value = attribute.contains("value") ? attribute["value"] : Json();
    std::string text = value.is_string() ? "\"" + Str(value) + "\"" : value.dump();
    if (attribute.contains("items")) {
        const Json& items = attribute["items"];
        const std::string selected =
            attribute.contains("text") ? Str(attribute["text"])
            : value.is_number_integer() && value.get<long long>() >= 0 && size_t(value.get<long long>()) < items.size()
                ? Str(items[size_t(value.get<long long>())])
                : std::string();
        text += " \"" + selected + "\"";
        if (attribute.contains("screenList"))
            text += " " + Tr(QT_TRANSLATE_NOOP("zqe", "(a screen; 0 = none)"));
        else if (!items.empty()) {
            std::string list; // "| first | second"
            for (const Json& item : items)
                list += (&item == &items.front() ? "| " : " | ") + Str(item);
            text += " " + TrArgs(QT_TRANSLATE_NOOP("zqe", "of %1"), {list});
        }
    } else if (attribute.contains("text")) {
        text += " " + TrArgs(QT_TRANSLATE_NOOP("zqe", "(GBK copy \"%1\")"), {Str(attribute["text"])});
    }
    if (attribute.contains("readonly"))
        text += " " + Tr(QT_TRANSLATE_NOOP("zqe", "[read-only]"));
    if (attribute.contains("visible"))
        text += " " + Tr(QT_TRANSLATE_NOOP("zqe", "[hidden]"));
    return text;
}

// title is "Register kinds: %1" or "Coil kinds: %1".
void Kinds(const char* title, const Json& kinds, std::ostream& out)
{
    out << "    " << TrArgs(title, {std::to_string(kinds.size())}) << "\n";
    for (size_t i = 0; i < kinds.size(); ++i)
        out << "      " << i << ": "
            << TrArgs(QT_TRANSLATE_NOOP("zqe", "%1 (code %2, %3 to %4)"),
                      {CatalogueName(kinds[i]["name"]), kinds[i]["code"].dump(), kinds[i]["value1"].dump(),
                       kinds[i]["value2"].dump()})
            << "\n";
}

void Device(const Json& device, std::ostream& out)
{
    out << TrArgs(QT_TRANSLATE_NOOP("zqe", "Device: %1 (ID %2), screen %3 x %4"),
                  {device.contains("model") ? CatalogueName(device["model"])
                                            : Tr(QT_TRANSLATE_NOOP("zqe", "unknown model")),
                   device["id"].dump(), device["screenWidth"].dump(), device["screenHeight"].dump()})
        << "\n";
    const Json& serial = device["serial"];
    out << "  "
        << TrArgs(QT_TRANSLATE_NOOP("zqe", "Serial: %1, %2 baud, %3 data bits, parity %4, stop bits %5, handshake %6"),
                  {Str(serial["port"]), serial["baudRate"].dump(), serial["dataBits"].dump(),
                   Named(serial["parity"], PARITY), Named(serial["stopBits"], STOP_BITS),
                   Named(serial["handshake"], HANDSHAKE)})
        << "\n";
    const Json& plc = device["plc"];
    const std::string protocol =
        plc.contains("name") ? CatalogueName(plc["name"]) : Tr(QT_TRANSLATE_NOOP("zqe", "unknown protocol"));
    out << "  "
        << (plc.contains("company") ? TrArgs(QT_TRANSLATE_NOOP("zqe", "PLC: %1 (ID %2), company %3"),
                                             {protocol, plc["id"].dump(), Str(plc["company"])})
                                    : TrArgs(QT_TRANSLATE_NOOP("zqe", "PLC: %1 (ID %2)"), {protocol, plc["id"].dump()}))
        << "\n";
    Kinds(QT_TRANSLATE_NOOP("zqe", "Register kinds: %1"), plc["registerKinds"], out);
    Kinds(QT_TRANSLATE_NOOP("zqe", "Coil kinds: %1"), plc["coilKinds"], out);
    out << "  " << TrArgs(QT_TRANSLATE_NOOP("zqe", "Keys: %1"), {std::to_string(device["keys"].size())}) << "\n";
    for (const Json& key : device["keys"])
        out << "    " << key["code"].dump() << ": " << Str(key["name"]) << "\n";
}

void Panel(const Json& form, std::ostream& out)
{
    const Json& panel = form["panel"];
    const long long backlight = panel["backlightDelay"].get<long long>();
    std::string pages;
    for (const Json& page : panel["functionPages"])
        pages += " " + (page.get<long long>() == 0 ? std::string("-") : page.dump());
    out << TrArgs(QT_TRANSLATE_NOOP("zqe", "Panel: backlight %1; function pages%2; change marker %3"),
                  {backlight == 0xFFFF
                       ? Tr(QT_TRANSLATE_NOOP("zqe", "always on"))
                       : TrArgs(QT_TRANSLATE_NOOP("zqe", "off after %1 s"), {std::to_string(backlight)}),
                   pages, panel["changeMarker"].dump()})
        << "\n";
}

void Control(const Json& control, std::ostream& out)
{
    out << "    "
        << TrArgs(QT_TRANSLATE_NOOP("zqe", "Control %1: %2 %3"),
                  {control["id"].dump(), Str(control["type"]),
                   control.contains("name") ? "\"" + Str(control["name"]) + "\"" : Unnamed()})
        << "\n";
    for (const Json& group : control["groups"]) {
        if (group["attributes"].empty())
            continue;
        out << "      " << Str(group["name"]) << "\n";
        for (const Json& attribute : group["attributes"])
            out << "        " << (attribute.contains("name") ? Str(attribute["name"]) : Unnamed()) << " "
                << Str(attribute["kind"]) << (attribute.contains("vt") ? "/" + Str(attribute["vt"]) : "") << " = "
                << Value(attribute) << "\n";
    }
}

} // namespace

void PrintProjectTree(const Json& form, std::ostream& out)
{
    Device(form["device"], out);
    Panel(form, out);
    const Json& screens = form["screens"];
    out << TrArgs(QT_TRANSLATE_NOOP("zqe", "Screens: %1 (active index %2, next screen ID %3)"),
                  {std::to_string(screens.size()), form["activeScreenIndex"].dump(), form["nextScreenId"].dump()})
        << "\n";
    for (size_t i = 0; i < screens.size(); ++i) {
        const Json& screen = screens[i];
        out << "  "
            << TrArgs(QT_TRANSLATE_NOOP("zqe", "Screen %1: %2 (ID %3), zoom %4, %5 controls, next control ID %6"),
                      {std::to_string(i + 1), screen.contains("name") ? "\"" + Str(screen["name"]) + "\"" : Unnamed(),
                       screen["id"].dump(), screen["zoom"].dump(), std::to_string(screen["controls"].size()),
                       screen["nextControlId"].dump()})
            << "\n";
        for (const Json& control : screen["controls"])
            Control(control, out);
    }
}
