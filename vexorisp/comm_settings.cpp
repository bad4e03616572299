#include "vexorisp/comm_settings.h"

#include "comkit/replace_file.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

constexpr int COM_MAX = 256;
constexpr int DEFAULT_LISTED_PORTS = 8;

std::string Trim(const std::string& text)
{
    const char* blanks = " \t\r";
    std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// A whole decimal number in [low, high]; false otherwise.
bool ParseNumber(const std::string& text, int low, int high, int& value)
{
    if (text.empty() || text.size() > 9 || !std::all_of(text.begin(), text.end(), ::isdigit))
        return false;
    int number = std::stoi(text);
    if (number < low || number > high)
        return false;
    value = number;
    return true;
}

bool ParseParity(const std::string& text, char& parity)
{
    std::string value = Lower(text);
    if (value == "none" || value == "n")
        parity = 'N';
    else if (value == "even" || value == "e")
        parity = 'E';
    else if (value == "odd" || value == "o")
        parity = 'O';
    else
        return false;
    return true;
}

// "COM<n>" (any case) gives n.
bool ParseComKey(const std::string& key, int& comNumber)
{
    return key.size() > 3 && Lower(key.substr(0, 3)) == "com" && ParseNumber(key.substr(3), 1, COM_MAX, comNumber);
}

void ApplyLine(const std::string& rawLine, COMM_SETTINGS& settings)
{
    std::string line = Trim(rawLine);
    if (line.empty() || line[0] == ';' || line[0] == '#')
        return;
    std::size_t equals = line.find('=');
    if (equals == std::string::npos)
        return;
    std::string key = Trim(line.substr(0, equals));
    std::string value = Trim(line.substr(equals + 1));
    std::string lowerKey = Lower(key);
    int comNumber = 0;
    if (lowerKey == "baud")
        ParseNumber(value, 50, 4000000, settings.baud);
    else if (lowerKey == "databits")
        ParseNumber(value, 5, 8, settings.dataBits);
    else if (lowerKey == "parity")
        ParseParity(value, settings.parity);
    else if (lowerKey == "stopbits")
        ParseNumber(value, 1, 2, settings.stopBits);
    else if (ParseComKey(key, comNumber) && !value.empty() && value.size() < VEXORISP_DEVICE_MAX)
        settings.devices[comNumber] = value;
}

const char* ParityName(char parity)
{
    switch (parity) {
    case 'N': return "none";
    case 'O': return "odd";
    default: return "even";
    }
}

std::string DeviceLine(int comNumber, const std::string& device)
{
    return "COM" + std::to_string(comNumber) + "=" + device;
}

} // namespace

std::string COMM_SETTINGS::GetDevicePath(int comNumber) const
{
    auto found = devices.find(comNumber);
    if (found != devices.end())
        return found->second;
    return "/dev/ttyUSB" + std::to_string(comNumber - 1);
}

VEXORISP_LINE COMM_SETTINGS::GetLine() const
{
    VEXORISP_LINE line{};
    line.com = com;
    std::string device = GetDevicePath(com);
    std::strncpy(line.device, device.c_str(), VEXORISP_DEVICE_MAX - 1);
    line.baud = baud;
    line.dataBits = dataBits;
    line.parity = static_cast<unsigned char>(parity);
    line.stopBits = stopBits;
    return line;
}

void COMM_SETTINGS::SetLine(const VEXORISP_LINE& line)
{
    com = line.com;
    devices[com] = std::string(line.device, strnlen(line.device, VEXORISP_DEVICE_MAX));
    baud = line.baud;
    dataBits = line.dataBits;
    parity = static_cast<char>(line.parity);
    stopBits = line.stopBits;
}

COMM_SETTINGS GetDefaultCommSettings()
{
    COMM_SETTINGS settings;
    for (int comNumber = 1; comNumber <= DEFAULT_LISTED_PORTS; ++comNumber)
        settings.devices[comNumber] = settings.GetDevicePath(comNumber);
    return settings;
}

bool ParseCommSettings(const std::string& bytes, COMM_SETTINGS& settings)
{
    if (bytes.empty())
        return false;
    settings.com = static_cast<unsigned char>(bytes[0]) + 1;
    std::istringstream text(bytes.substr(1));
    std::string line;
    while (std::getline(text, line))
        ApplyLine(line, settings);
    return true;
}

std::string FormatCommSettings(const COMM_SETTINGS& settings)
{
    std::ostringstream text;
    text << static_cast<char>(settings.com - 1) << '\n'
         << "; vexorisp line settings. The first byte of this file is the COM number minus one.\n"
         << "; COM<n>=<device> names the device of each COM number (default /dev/ttyUSB<n-1>).\n"
         << "baud=" << settings.baud << '\n'
         << "databits=" << settings.dataBits << '\n'
         << "parity=" << ParityName(settings.parity) << '\n'
         << "stopbits=" << settings.stopBits << '\n';
    for (const auto& device : settings.devices)
        text << DeviceLine(device.first, device.second) << '\n';
    return text.str();
}

std::string UpdateCommSettingsPort(const std::string& bytes, int comNumber, const std::string& device)
{
    std::string result = bytes.empty() ? FormatCommSettings(GetDefaultCommSettings()) : bytes;
    result[0] = static_cast<char>(comNumber - 1);
    // Replace the value of every line of comNumber after byte 0 (a file listing the number twice
    // would otherwise keep the old device in the line the reader takes).
    bool replaced = false;
    std::size_t start = 1;
    while (start < result.size()) {
        std::size_t end = result.find('\n', start);
        if (end == std::string::npos)
            end = result.size();
        std::string line = result.substr(start, end - start);
        std::size_t equals = line.find('=');
        int lineCom = 0;
        if (equals != std::string::npos && ParseComKey(Trim(line.substr(0, equals)), lineCom) && lineCom == comNumber) {
            bool cr = !line.empty() && line.back() == '\r';
            const std::string replacement = DeviceLine(comNumber, device) + (cr ? "\r" : "");
            result.replace(start, end - start, replacement);
            end = start + replacement.size();
            replaced = true;
        }
        start = end + 1;
    }
    if (replaced)
        return result;
    if (result.back() != '\n')
        result += '\n';
    return result + DeviceLine(comNumber, device) + '\n';
}

bool ReadCommSettingsFile(const std::string& path, std::string& bytes)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return !file.bad();
}

bool WriteCommSettingsFile(const std::string& path, const std::string& bytes)
{
    return COMMON_EX::ReplaceFileContent(path, bytes);
}

int GetBitsPerChar(const VEXORISP_LINE& line)
{
    return 1 + line.dataBits + (line.parity == 'N' ? 0 : 1) + line.stopBits;
}

long long GetLineTimeMicros(const VEXORISP_LINE& line, std::size_t byteCount)
{
    if (line.baud <= 0)
        return 0;
    return static_cast<long long>(byteCount) * GetBitsPerChar(line) * 1000000LL / line.baud;
}
