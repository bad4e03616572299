// The machine's serial ports under the names a user recognises (the stable /dev/serial/by-id links
// with the adapter's description first, then the kernel's USB, ACM and on-board ports), and the COM
// number of the settings file that a chosen device takes.
#pragma once

#include "vexorisp/comm_settings.h"

#include <string>
#include <vector>

struct SERIAL_PORT_ENTRY {
    std::string path;         // what the line opens: "/dev/serial/by-id/usb-..." or "/dev/ttyUSB0"
    std::string device;       // the device the path leads to ("/dev/ttyUSB0"); path itself when no link
    std::string description;  // the adapter's words (QSerialPortInfo, else the by-id name's); may be empty
    std::string manufacturer; // may be empty
    std::string serialNumber; // may be empty
    bool stable = false;      // a by-id name: the same whichever socket the adapter is in
    bool permitted = true;    // the user may open it for reading and writing (serial ports: group dialout)
};

// Where the ports are looked for. The environment variables ZQ_SERIAL_BY_ID and ZQ_SERIAL_DEV replace
// the folders (tests put pseudo-terminals and links there).
struct SERIAL_PORT_FOLDERS {
    std::string byId = "/dev/serial/by-id";
    std::string devices = "/dev";

    static SERIAL_PORT_FOLDERS FromEnvironment();
};

// Every link of the by-id folder (name order), then ttyUSB*, ttyACM* and ttyS* of the devices folder
// (each in number order) that no listed link leads to, then any other port QSerialPortInfo knows. In
// the real /dev a ttyS* is listed only when QSerialPortInfo finds hardware behind it (the kernel makes
// dozens of empty ones); in another folder every ttyS* entry is. A dangling link is left out. Empty when
// there are no ports.
std::vector<SERIAL_PORT_ENTRY> ListSerialPorts(const SERIAL_PORT_FOLDERS& folders);

// The entry's line in a list: "path - description (device)", the parts that are known.
std::string DescribeSerialPort(const SERIAL_PORT_ENTRY& entry);

// True when path leads to an existing file (a link is followed).
bool SerialPortExists(const std::string& path);
// True when the user may open path for reading and writing (asked without opening it, which would
// move the modem lines of a real adapter).
bool SerialPortPermitted(const std::string& path);

// The COM number whose device line choosing device should set: the number of a line naming exactly
// device, else the current number when its device leads to the same file, else another number whose
// line leads to it, else the current number (its line then changes to device).
int ChooseComNumber(const COMM_SETTINGS& settings, const std::string& device);
