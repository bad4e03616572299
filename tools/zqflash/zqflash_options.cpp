// Command line of zqflash.
#include "tools/zqflash/zqflash_options.h"

#include "appkit/tool_cli.h"

#include <QCommandLineParser>

#include <algorithm>

namespace {

const char* const DESCRIPTION = QT_TRANSLATE_NOOP(
    "zqflash", "Programs a panel through its boot loader, as the programmer's automatic mode does.\n"
               "Several --port options (or --ports-file, --ports-from-glob) program the same image into every panel\n"
               "at once, one line each, with a live view of every line and a summary table at the end.\n"
               "Exit status: 0 when every panel confirmed every block; otherwise the number of panels that failed\n"
               "(1 for a single panel, at most 100; the reasons are on standard error and in the summary), 2 for a\n"
               "wrong command line (before any panel is touched), 130 when interrupted (Ctrl-C) outside --repeat.\n"
               "A run that ends unconfirmed (\"Program Finished, but N blocks ... are not confirmed\", see\n"
               "--confirm-all) counts as failed.\n"
               "With --repeat, Ctrl-C is the normal end: the status is then the number of failed panels.");

const std::initializer_list<ZQ_CLI::OPTION_SPEC> OPTIONS = {
    {"port", "DEVICE",
     QT_TRANSLATE_NOOP("zqflash",
                       "Serial device of the panel (for example /dev/ttyUSB0); repeat it for several panels.")},
    {"ports-file", "FILE",
     QT_TRANSLATE_NOOP("zqflash", "Program a panel on every device listed in FILE (one a line, # comments).")},
    {"ports-from-glob", "PATTERN",
     QT_TRANSLATE_NOOP("zqflash", "Program a panel on every device matching PATTERN (for example "
                                  "'/dev/ttyUSB*').")},
    {"repeat", nullptr,
     QT_TRANSLATE_NOOP("zqflash", "Line mode: after each panel wait for the next one on the same port and program it, "
                                  "until Ctrl-C.")},
    {"log", "FILE",
     QT_TRANSLATE_NOOP("zqflash", "Append one JSON line per panel run to FILE (the production record).")},
    {"log-summary", "FILE",
     QT_TRANSLATE_NOOP("zqflash", "Print the counts per day and result of a production record and exit.")},
    {"file", "FILE",
     QT_TRANSLATE_NOOP("zqflash", "Program file: .hex, .bin, .dat, .vxc or .vxg; - reads it from standard input "
                                  "(Intel HEX when its first line is a HEX record, else a raw image).")},
    {"begin", "ADDR",
     QT_TRANSLATE_NOOP("zqflash", "Program begin address, a multiple of 512 up to 0xFE00 (default 0x6000). HEX "
                                  "addresses are offsets from it.")},
    {"slave", "N", QT_TRANSLATE_NOOP("zqflash", "The panel's slave address, 0-255 (default 1).")},
    {"notenc", nullptr,
     QT_TRANSLATE_NOOP("zqflash", "The file is plain (not enciphered), as the editor's download images are.")},
    {"485port", "P", QT_TRANSLATE_NOOP("zqflash", "The panel's 485 port: P0, P1, P2, P3 or none (default none).")},
    {"485bit", "N", QT_TRANSLATE_NOOP("zqflash", "Its bit, 0-7 (default 0).")},
    {"ledport", "P", QT_TRANSLATE_NOOP("zqflash", "The panel's LED port: P0, P1, P2, P3 or none (default none).")},
    {"ledbit", "N", QT_TRANSLATE_NOOP("zqflash", "Its bit, 0-7 (default 0).")},
    {"baud", "N", QT_TRANSLATE_NOOP("zqflash", "Line speed (default: the library's MD_DLL.DFT, 38400).")},
    {"format", "8E1",
     QT_TRANSLATE_NOOP("zqflash", "Data bits, parity (N, E, O) and stop bits (default: MD_DLL.DFT, 8E1).")},
    {"timeout", "S",
     QT_TRANSLATE_NOOP("zqflash", "Seconds allowed for the entry phase and for each block, 1-3600 (default 30).")},
    {"retries", "N",
     QT_TRANSLATE_NOOP("zqflash", "Times a command or block is sent again when its answer is missing or "
                                  "damaged, 0-100 (default 3).")},
    {"seed", "N", QT_TRANSLATE_NOOP("zqflash", "Seed of the block mask, 0-0xFFFF (default 0x5AA5).")},
    {"confirm-all", nullptr,
     QT_TRANSLATE_NOOP(
         "zqflash",
         "Confirm every block: a block equal to one answered less than 225 ms ago waits "
         "until those 225 ms have passed, so that a late repeat of that answer cannot pass "
         "for its own (up to 225 ms a block). Without it such blocks wait only while that costs at most 4 % of "
         "the line time; otherwise they go out at once and the run ends unconfirmed "
         "(exit status 1).")},
    {"quiet", nullptr, QT_TRANSLATE_NOOP("zqflash", "No progress bar.")},
    {"trace", nullptr,
     QT_TRANSLATE_NOOP("zqflash", "Print every frame sent (>) and received (<) with its time on standard error.")},
    {"list-ports", nullptr,
     QT_TRANSLATE_NOOP("zqflash", "List the serial ports of this machine and exit: stable /dev/serial/by-id names "
                                  "first, then ttyUSB, ttyACM and ttyS ports; one a line, tab-separated: path, "
                                  "description, manufacturer, serial number, device, access (ok or denied).")},
    {"json", nullptr,
     QT_TRANSLATE_NOOP("zqflash", "With --list-ports: print the list as one JSON array of objects (path, "
                                  "description, manufacturer, serialNumber, device, stable, permitted).")},
};

// "P0".."P3" or "none" (any case) as the list selection 0-4.
bool ReadPort(const QString& text, int& port)
{
    QString value = text.toLower();
    if (value == "none") {
        port = 4;
        return true;
    }
    if (value.size() == 2 && value[0] == 'p' && value[1] >= '0' && value[1] <= '3') {
        port = value[1].digitValue();
        return true;
    }
    return false;
}

bool ReadFormat(const QString& text, ZQFLASH_OPTIONS& options)
{
    QString value = text.toUpper();
    if (value.size() != 3 || value[0] < '5' || value[0] > '8' || !QString("NEO").contains(value[1]) ||
        (value[2] != '1' && value[2] != '2'))
        return false;
    options.nDataBits = value[0].digitValue();
    options.cParity = value[1].toLatin1();
    options.nStopBits = value[2].digitValue();
    return true;
}

} // namespace

const char* const LINE_REPORT_OPTION = "line-report";

bool ParseZqflashOptions(const QStringList& arguments, ZQFLASH_OPTIONS& options, int& exitCode)
{
    QCommandLineParser parser;
    ZQ_CLI::AddStandardOptions(parser, DESCRIPTION);
    ZQ_CLI::SetOwnExitStatuses(); // the description states them
    ZQ_CLI::AddOptions(parser, OPTIONS);
    QCommandLineOption lineReport(LINE_REPORT_OPTION, "One line of a line run, reporting to its supervisor.");
    lineReport.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(lineReport);
    if (!ZQ_CLI::ParseOrExit(parser, arguments, exitCode))
        return false;
    if (!parser.positionalArguments().isEmpty())
        return ZQ_CLI::UsageError(ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqflash", "unexpected argument '%1'"),
                                                 {parser.positionalArguments().first().toStdString()}),
                                  exitCode);
    for (const QString& port : parser.values("port")) {
        const std::string name = port.toStdString();
        if (std::find(options.strPorts.begin(), options.strPorts.end(), name) != options.strPorts.end())
            return ZQ_CLI::UsageError(ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqflash", "--port: '%1' is named twice"),
                                                     {name}),
                                      exitCode);
        options.strPorts.push_back(name);
    }
    options.strPort = options.strPorts.empty() ? std::string() : options.strPorts.front();
    options.strPortsFile = parser.value("ports-file").toStdString();
    options.strPortsGlob = parser.value("ports-from-glob").toStdString();
    options.bRepeat = parser.isSet("repeat");
    options.strLog = parser.value("log").toStdString();
    options.strLogSummary = parser.value("log-summary").toStdString();
    options.bLineReport = parser.isSet(LINE_REPORT_OPTION);
    options.strFile = parser.value("file").toStdString();
    options.bNotEnc = parser.isSet("notenc");
    options.bQuiet = parser.isSet("quiet");
    options.bConfirmAll = parser.isSet("confirm-all");
    options.bTrace = parser.isSet("trace");
    options.bListPorts = parser.isSet("list-ports");
    options.bJson = parser.isSet("json");
    if (options.bJson && !options.bListPorts)
        return ZQ_CLI::UsageError(QT_TRANSLATE_NOOP("zqflash", "--json goes with --list-ports"), exitCode);
    int begin = static_cast<int>(options.dwBegin), seed = options.wMaskSeed;
    if (!ZQ_CLI::ReadIntegerOptions(parser,
                                    {{"begin", 0, 0xFE00, &begin},
                                     {"slave", 0, 255, &options.nSlave},
                                     {"485bit", 0, 7, &options.n485Bit},
                                     {"ledbit", 0, 7, &options.nLedBit},
                                     {"baud", 50, 4000000, &options.nBaud},
                                     {"timeout", 1, 3600, &options.nTimeoutSeconds},
                                     {"retries", 0, 100, &options.nRetries},
                                     {"seed", 0, 0xFFFF, &seed}},
                                    exitCode))
        return false;
    if (begin % 512 != 0)
        return ZQ_CLI::UsageError(ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqflash", "--begin: '%1' is not a multiple of 512"),
                                                 {parser.value("begin").toStdString()}),
                                  exitCode);
    options.dwBegin = static_cast<DWORD>(begin);
    options.wMaskSeed = static_cast<WORD>(seed);
    for (const char* name : {"485port", "ledport"}) {
        int& port = name[0] == '4' ? options.n485Port : options.nLedPort;
        if (parser.isSet(name) && !ReadPort(parser.value(name), port))
            return ZQ_CLI::UsageError(ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqflash",
                                                                       "--%1: '%2' is not P0, P1, P2, P3 or none"),
                                                     {name, parser.value(name).toStdString()}),
                                      exitCode);
    }
    if (parser.isSet("format") && !ReadFormat(parser.value("format"), options))
        return ZQ_CLI::UsageError(
            ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqflash", "--format: '%1' is not data bits 5-8, parity N, E or O, stop "
                                                        "bits 1 or 2 (like 8E1)"),
                           {parser.value("format").toStdString()}),
            exitCode);
    if (options.bListPorts || !options.strLogSummary.empty())
        return true;
    const bool hasPort = !options.strPorts.empty() || !options.strPortsFile.empty() || !options.strPortsGlob.empty();
    if (!hasPort || options.strFile.empty())
        return ZQ_CLI::UsageError(QT_TRANSLATE_NOOP("zqflash", "--port and --file are required"), exitCode);
    if (options.bLineReport && options.IsLineMode())
        return ZQ_CLI::UsageError(ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqflash", "--%1 takes one --port only"),
                                                 {LINE_REPORT_OPTION}),
                                  exitCode);
    return true;
}
