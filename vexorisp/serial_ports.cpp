// Listing the serial ports by stable name and mapping a chosen one to a COM number.
#include "vexorisp/serial_ports.h"

#include <QSerialPortInfo>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>

namespace {

namespace fs = std::filesystem;

// The file a path leads to, or empty when it leads nowhere.
std::string Resolved(const std::string& path)
{
    std::error_code error;
    const fs::path canonical = fs::canonical(path, error);
    return error ? std::string() : canonical.string();
}

// Names in folder (links and device files alike) in name order.
std::vector<std::string> Names(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// ttyUSB10 after ttyUSB9: the number after prefix, or -1 when name is not prefix + digits.
long NumberAfter(const std::string& name, const std::string& prefix)
{
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0)
        return -1;
    const std::string digits = name.substr(prefix.size());
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }) || digits.size() > 6)
        return -1;
    return std::atol(digits.c_str());
}

// "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0" -> "FTDI FT232R USB UART A50285BI".
std::string WordsOfByIdName(std::string name)
{
    for (const char* bus : {"usb-", "pci-", "platform-"})
        if (name.rfind(bus, 0) == 0) {
            name.erase(0, std::string(bus).size());
            break;
        }
    const std::size_t interfacePart = name.rfind("-if");
    if (interfacePart != std::string::npos && interfacePart > 0)
        name.erase(interfacePart);
    std::replace(name.begin(), name.end(), '_', ' ');
    return name;
}

SERIAL_PORT_ENTRY Entry(const std::string& path, const std::string& device, const QList<QSerialPortInfo>& known)
{
    SERIAL_PORT_ENTRY entry;
    entry.path = path;
    entry.device = device;
    for (const QSerialPortInfo& info : known) {
        if (Resolved(info.systemLocation().toStdString()) == device) {
            entry.description = info.description().toStdString();
            entry.manufacturer = info.manufacturer().toStdString();
            entry.serialNumber = info.serialNumber().toStdString();
            break;
        }
    }
    entry.permitted = SerialPortPermitted(path);
    return entry;
}

} // namespace

SERIAL_PORT_FOLDERS SERIAL_PORT_FOLDERS::FromEnvironment()
{
    SERIAL_PORT_FOLDERS folders;
    if (const char* byId = std::getenv("ZQ_SERIAL_BY_ID"); byId && *byId)
        folders.byId = byId;
    if (const char* devices = std::getenv("ZQ_SERIAL_DEV"); devices && *devices)
        folders.devices = devices;
    return folders;
}

std::vector<SERIAL_PORT_ENTRY> ListSerialPorts(const SERIAL_PORT_FOLDERS& folders)
{
    const QList<QSerialPortInfo> known = QSerialPortInfo::availablePorts();
    std::vector<SERIAL_PORT_ENTRY> ports;
    std::set<std::string> reached; // devices a listed entry leads to
    // The entry added, or null when path leads nowhere or to a device already listed.
    auto add = [&](const std::string& path, bool stable) -> SERIAL_PORT_ENTRY* {
        const std::string device = Resolved(path);
        if (device.empty() || !reached.insert(device).second)
            return nullptr;
        ports.push_back(Entry(path, device, known));
        ports.back().stable = stable;
        return &ports.back();
    };
    for (const std::string& name : Names(folders.byId))
        if (SERIAL_PORT_ENTRY* entry = add((fs::path(folders.byId) / name).string(), true);
            entry && entry->description.empty())
            entry->description = WordsOfByIdName(name);
    const bool realDevices = Resolved(folders.devices) == "/dev";
    std::set<std::string> knownLocations;
    for (const QSerialPortInfo& info : known)
        knownLocations.insert(info.systemLocation().toStdString());
    const std::vector<std::string> names = Names(folders.devices);
    for (const char* prefix : {"ttyUSB", "ttyACM", "ttyS"}) {
        std::vector<std::pair<long, std::string>> numbered;
        for (const std::string& name : names)
            if (const long number = NumberAfter(name, prefix); number >= 0)
                numbered.emplace_back(number, name);
        std::sort(numbered.begin(), numbered.end());
        for (const auto& [number, name] : numbered) {
            const std::string path = (fs::path(folders.devices) / name).string();
            if (realDevices && std::string(prefix) == "ttyS" && !knownLocations.count(path))
                continue;
            add(path, false);
        }
    }
    if (realDevices)
        for (const QSerialPortInfo& info : known)
            add(info.systemLocation().toStdString(), false);
    return ports;
}

std::string DescribeSerialPort(const SERIAL_PORT_ENTRY& entry)
{
    std::string text = entry.path;
    if (!entry.description.empty())
        text += " - " + entry.description;
    if (!entry.device.empty() && entry.device != entry.path)
        text += " (" + entry.device + ")";
    return text;
}

bool SerialPortExists(const std::string& path)
{
    return !Resolved(path).empty();
}

bool SerialPortPermitted(const std::string& path)
{
    return ::access(path.c_str(), R_OK | W_OK) == 0;
}

int ChooseComNumber(const COMM_SETTINGS& settings, const std::string& device)
{
    for (const auto& [com, path] : settings.devices)
        if (path == device)
            return com;
    const std::string target = Resolved(device);
    if (target.empty())
        return settings.com;
    if (Resolved(settings.GetDevicePath(settings.com)) == target)
        return settings.com;
    for (const auto& [com, path] : settings.devices)
        if (Resolved(path) == target)
            return com;
    return settings.com;
}
