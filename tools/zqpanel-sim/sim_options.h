// Command line of the panel simulator.
#pragma once

#include "tools/zqpanel-sim/panel_boot_loader.h"

#include <QStringList>

#include <map>
#include <string>

struct SIM_OPTIONS {
    std::string strDevice;    // empty: a new pseudo-terminal
    std::string strFlashFile; // written on exit when set
    int nSlave = 1;
    WORD wMaskSeed = ISP_MASK_SEED_DEFAULT;
    int nBaud = 38400; // line speed of a real device
    int nLineBaud = 0; // above 0: every frame takes its line time at this speed
    int nDataBits = 8; // --format, 8E1 by default
    char cParity = 'E';
    int nStopBits = 1;
    int nDelayMs = 0; // added before every answer
    bool bVerbose = false;
    bool bExitOnStdinEof = false;
    PANEL_FAULTS faults;
    int nCount = 0;                            // --count: that many panels, each in a process of its own; 0: one
    std::map<int, QStringList> panelArguments; // --panel K:OPTIONS, the options of panel K (1-based)

    // Start, data, parity and stop bits of one character.
    int GetBitsPerChar() const { return 1 + nDataBits + (cParity == 'N' ? 0 : 1) + nStopBits; }
};

// Parses the command line (argv as ZQ_CLI::ArgumentsOf gives it). True to go on. False when the
// program ends with exitCode: --help or --version printed (0), or a usage error printed on
// standard error with a hint to --help (2).
bool ParseSimOptions(const QStringList& arguments, SIM_OPTIONS& options, int& exitCode);

// Parses "8E1"-style formats into data bits, parity ('N', 'E', 'O') and stop bits.
bool ParseLineFormat(const std::string& text, int& dataBits, char& parity, int& stopBits);
