#include "tools/zqe/zqe_info.h"

using PROJECT_JSON::Json;

namespace {

const char* const PARITY[] = {"none", "odd", "even", "mark", "space"};
const char* const STOP_BITS[] = {"one", "one and a half", "two"};
const char* const HANDSHAKE[] = {"none", "hardware", "XON/XOFF"};

template <size_t N>
std::string Named(const Json& value, const char* const (&names)[N])
{
    const long long v = value.get<long long>();
    return std::to_string(v) + (v >= 0 && v < static_cast<long long>(N) ? std::string(" (") + names[v] + ")" : "");
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
            text += " (a screen; 0 = none)";
        else if (!items.empty()) {
            text += " of";
            for (const Json& item : items)
                text += " | " + Str(item);
        }
    } else if (attribute.contains("text")) {
        text += " (GBK copy \"" + Str(attribute["text"]) + "\")";
    }
    if (attribute.contains("readonly"))
        text += " [read-only]";
    if (attribute.contains("visible"))
        text += " [hidden]";
    return text;
}

void Kinds(const char* title, const Json& kinds, std::ostream& out)
{
    out << "    " << title << ": " << kinds.size() << "\n";
    for (size_t i = 0; i < kinds.size(); ++i)
        out << "      " << i << ": " << Str(kinds[i]["name"]) << " (code " << kinds[i]["code"].dump() << ", "
            << kinds[i]["value1"].dump() << " to " << kinds[i]["value2"].dump() << ")\n";
}

void Device(const Json& device, std::ostream& out)
{
    out << "Device: " << (device.contains("model") ? Str(device["model"]) : std::string("unknown model")) << " (ID "
        << device["id"].dump() << "), screen " << device["screenWidth"].dump() << " x " << device["screenHeight"].dump()
        << "\n";
    const Json& serial = device["serial"];
    out << "  Serial: " << Str(serial["port"]) << ", " << serial["baudRate"].dump() << " baud, "
        << serial["dataBits"].dump() << " data bits, parity " << Named(serial["parity"], PARITY) << ", stop bits "
        << Named(serial["stopBits"], STOP_BITS) << ", handshake " << Named(serial["handshake"], HANDSHAKE) << "\n";
    const Json& plc = device["plc"];
    out << "  PLC: " << (plc.contains("name") ? Str(plc["name"]) : std::string("unknown protocol")) << " (ID "
        << plc["id"].dump() << ")" << (plc.contains("company") ? ", company " + Str(plc["company"]) : "") << "\n";
    Kinds("Register kinds", plc["registerKinds"], out);
    Kinds("Coil kinds", plc["coilKinds"], out);
    out << "  Keys: " << device["keys"].size() << "\n";
    for (const Json& key : device["keys"])
        out << "    " << key["code"].dump() << ": " << Str(key["name"]) << "\n";
}

void Panel(const Json& form, std::ostream& out)
{
    const Json& panel = form["panel"];
    const long long backlight = panel["backlightDelay"].get<long long>();
    out << "Panel: backlight " << (backlight == 0xFFFF ? "always on" : "off after " + std::to_string(backlight) + " s")
        << "; function pages";
    for (const Json& page : panel["functionPages"])
        out << " " << (page.get<long long>() == 0 ? std::string("-") : page.dump());
    out << "; change marker " << panel["changeMarker"].dump() << "\n";
}

void Control(const Json& control, std::ostream& out)
{
    out << "    Control " << control["id"].dump() << ": " << Str(control["type"])
        << (control.contains("name") ? " \"" + Str(control["name"]) + "\"" : std::string(" (unnamed)")) << "\n";
    for (const Json& group : control["groups"]) {
        if (group["attributes"].empty())
            continue;
        out << "      " << Str(group["name"]) << "\n";
        for (const Json& attribute : group["attributes"])
            out << "        " << (attribute.contains("name") ? Str(attribute["name"]) : std::string("(unnamed)")) << " "
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
    out << "Screens: " << screens.size() << " (active index " << form["activeScreenIndex"].dump() << ", next screen ID "
        << form["nextScreenId"].dump() << ")\n";
    for (size_t i = 0; i < screens.size(); ++i) {
        const Json& screen = screens[i];
        out << "  Screen " << i + 1 << ": "
            << (screen.contains("name") ? "\"" + Str(screen["name"]) + "\"" : std::string("(unnamed)")) << " (ID "
            << screen["id"].dump() << "), zoom " << screen["zoom"].dump() << ", " << screen["controls"].size()
            << " controls, next control ID " << screen["nextControlId"].dump() << "\n";
        for (const Json& control : screen["controls"])
            Control(control, out);
    }
}
