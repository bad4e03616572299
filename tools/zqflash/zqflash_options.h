// Command line of zqflash.
#pragma once

#include "comkit/types.h"

#include <QStringList>

#include <string>
#include <vector>

struct ZQFLASH_OPTIONS {
    std::string strPort;               // serial device (the first of strPorts)
    std::vector<std::string> strPorts; // every --port, in order (line mode when more than one)
    std::string strPortsFile;          // --ports-file: one device per line, '#' comments
    std::string strPortsGlob;          // --ports-from-glob: a shell pattern of devices
    std::string strFile;               // program file (.hex, .bin, .dat, .vxc, .vxg)
    DWORD dwBegin = 0x6000;            // program begin address, a multiple of 512 up to 0xFE00
    int nSlave = 1;
    bool bNotEnc = false;
    int n485Port = 4; // 0-3 = P0-P3, 4 = none
    int n485Bit = 0;
    int nLedPort = 4;
    int nLedBit = 0;
    int nBaud = 0;     // 0: as the library's settings file says
    int nDataBits = 0; // --format "8E1" style; 0: as the settings file says
    char cParity = 0;
    int nStopBits = 0;
    int nTimeoutSeconds = 30; // for the entry phase and for each block
    int nRetries = 3;         // library retries of each command and block
    WORD wMaskSeed = 0x5AA5;
    bool bQuiet = false;
    bool bConfirmAll = false;  // every block equal to one just answered waits out the late-answer window
    bool bTrace = false;       // every frame sent and received, with times, on standard error
    bool bListPorts = false;   // list the serial ports and end
    bool bJson = false;        // --list-ports as JSON
    bool bRepeat = false;      // line mode: program panel after panel on every port until stopped
    std::string strLog;        // production record: one JSON line per panel run appended here
    std::string strLogSummary; // print counts per day and result of this record and end
    bool bLineReport = false;  // internal: one line of a line run, reporting to its supervisor

    // Line mode: several ports, a ports file or pattern, --repeat or --log.
    bool IsLineMode() const
    {
        return strPorts.size() > 1 || !strPortsFile.empty() || !strPortsGlob.empty() || bRepeat || !strLog.empty();
    }
};

// The hidden option a line run gives each of its per-port processes.
extern const char* const LINE_REPORT_OPTION; // "line-report"

// Parses the command line (argv as ZQ_CLI::ArgumentsOf gives it). True to go on. False when the
// program ends with exitCode: --help or --version printed (0), or a usage error printed on
// standard error with a hint to --help (2). --file and a port (--port, --ports-file or
// --ports-from-glob) are required unless --list-ports or --log-summary; a port named twice on the
// command line, and --json without --list-ports, are usage errors.
bool ParseZqflashOptions(const QStringList& arguments, ZQFLASH_OPTIONS& options, int& exitCode);
