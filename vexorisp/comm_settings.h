// The library's settings file "MD_DLL.DFT": byte 0 is the COM number minus one (the editor edits
// it in place); the rest is text lines "key=value" of our own, blank lines and ';' or '#' comments:
//   baud=38400  databits=8  parity=even|odd|none  stopbits=1|2  COM<n>=<device path>
// A COM number without a line uses /dev/ttyUSB<n-1>. Unknown keys and bad values are ignored.
#pragma once

#include "vexorisp/vexorisp.h"

#include <map>
#include <string>

struct COMM_SETTINGS {
    int com = 1;
    int baud = 38400;
    int dataBits = 8;
    char parity = 'E';
    int stopBits = 1;
    std::map<int, std::string> devices; // COM number -> device path, as listed in the file

    std::string GetDevicePath(int comNumber) const;
    VEXORISP_LINE GetLine() const;
    // Takes the line settings and records line.device as the path of line.com.
    void SetLine(const VEXORISP_LINE& line);
};

// The settings the build writes: COM1 and the defaults above.
COMM_SETTINGS GetDefaultCommSettings();

// Reads file bytes; false (settings untouched) when bytes is empty.
bool ParseCommSettings(const std::string& bytes, COMM_SETTINGS& settings);

// The whole file for settings: byte 0, then the text.
std::string FormatCommSettings(const COMM_SETTINGS& settings);

// Sets byte 0 of existing file bytes to comNumber - 1 and the device line(s) of comNumber, leaving
// every other byte as it was (a missing line is appended). Empty bytes get the default text.
std::string UpdateCommSettingsPort(const std::string& bytes, int comNumber, const std::string& device);

// Whole-file access; false when the file cannot be read or written. Writing replaces the file
// through a temporary beside it (COMMON_EX::ReplaceFileContent): a failed write changes nothing.
bool ReadCommSettingsFile(const std::string& path, std::string& bytes);
bool WriteCommSettingsFile(const std::string& path, const std::string& bytes);

// Bits on the line per character: start, data, parity and stop bits.
int GetBitsPerChar(const VEXORISP_LINE& line);
// Microseconds a frame of byteCount bytes occupies the line.
long long GetLineTimeMicros(const VEXORISP_LINE& line, std::size_t byteCount);
