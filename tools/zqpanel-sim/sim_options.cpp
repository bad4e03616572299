// Command line of the panel simulator.
#include "tools/zqpanel-sim/sim_options.h"

#include "appkit/tool_cli.h"

#include <QCommandLineParser>
#include <QProcess>

#include <algorithm>

#include <cctype>
#include <cstdio>

namespace {

const char* const DESCRIPTION =
    QT_TRANSLATE_NOOP("zqpanel-sim",
                      "Emulates the panel's boot loader on a new pseudo-terminal (its path is the first line printed)\n"
                      "or on a serial device, and writes the 64 KiB flash to a file when it ends (SIGTERM, SIGINT).\n"
                      "Block frames are counted from 1 as they arrive, resent frames too; answers count every answer.");

const std::initializer_list<ZQ_CLI::OPTION_SPEC> OPTIONS = {
    {"device", "PATH", QT_TRANSLATE_NOOP("zqpanel-sim", "Use this serial device instead of a pseudo-terminal.")},
    {"baud", "N", QT_TRANSLATE_NOOP("zqpanel-sim", "Speed of that device (default 38400).")},
    {"format", "8E1",
     QT_TRANSLATE_NOOP("zqpanel-sim", "Data bits, parity (N, E, O) and stop bits of that device (default 8E1).")},
    {"slave", "N",
     QT_TRANSLATE_NOOP("zqpanel-sim", "The panel's slave address, 0-255 (default 1; 255 is always answered).")},
    {"seed", "N", QT_TRANSLATE_NOOP("zqpanel-sim", "Seed of the block mask, 0-0xFFFF (default 0x5AA5).")},
    {"flash", "FILE",
     QT_TRANSLATE_NOOP("zqpanel-sim",
                       "Write the flash to FILE on exit (checked at start; - is standard output, and "
                       "the simulator's own lines then go to standard error; a FIFO is streamed into).")},
    {"line-baud", "N", QT_TRANSLATE_NOOP("zqpanel-sim", "Emulate the line time of every frame at N baud.")},
    {"delay", "MS", QT_TRANSLATE_NOOP("zqpanel-sim", "Delay every answer by MS milliseconds.")},
    {"ignore-knocks", "N",
     QT_TRANSLATE_NOOP("zqpanel-sim", "Leave the first N entry requests unanswered (panel switched off).")},
    {"drop-answer", "K,..", QT_TRANSLATE_NOOP("zqpanel-sim", "Write block frames K but do not answer them.")},
    {"lose-block", "K,..",
     QT_TRANSLATE_NOOP("zqpanel-sim", "Lose block frames K on the line: neither written nor answered.")},
    {"repeat-answer", "K:MS,..",
     QT_TRANSLATE_NOOP("zqpanel-sim", "Answer block frame K again MS milliseconds after its answer "
                                      "(a late duplicate).")},
    {"bad-crc", "K,..", QT_TRANSLATE_NOOP("zqpanel-sim", "Answer block frames K with a wrong data CRC.")},
    {"corrupt-answer", "K,..", QT_TRANSLATE_NOOP("zqpanel-sim", "Send answers K with a bad frame CRC.")},
    {"count", "N",
     QT_TRANSLATE_NOOP("zqpanel-sim",
                       "Run N panels, each on its own pseudo-terminal (printed one a line) with its own flash "
                       "file (--flash FILE becomes FILE-1, FILE-2, ... before the extension), 1-64.")},
    {"panel", "K:OPTIONS",
     QT_TRANSLATE_NOOP("zqpanel-sim", "Options for panel K of --count only, for example '3:--bad-crc 5 --delay 2'.")},
    {"exit-on-stdin-eof", nullptr,
     QT_TRANSLATE_NOOP("zqpanel-sim", "End when standard input closes (for test harnesses).")},
    {"verbose", nullptr, QT_TRANSLATE_NOOP("zqpanel-sim", "Log every request on standard error.")},
};

// "K[,K..]" of frame numbers 1-1000000.
bool ParseList(const QString& text, const std::string& what, std::set<int>& values, std::string& error)
{
    for (const QString& item : text.split(',')) {
        int value = 0;
        if (!ZQ_CLI::ParseInteger(item, 1, 1000000, value, what, error))
            return false;
        values.insert(value);
    }
    return true;
}

// "K:MS[,K:MS..]": frame numbers with a delay of 0-600000 ms each.
bool ParseDelays(const QString& text, const std::string& what, std::map<int, int>& values, std::string& error)
{
    for (const QString& item : text.split(',')) {
        const QStringList parts = item.split(':');
        int frame = 0, delay = 0;
        if (parts.size() != 2) {
            error = ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqpanel-sim", "%1: '%2' is not FRAME:MS"),
                                   {what, item.toStdString()});
            return false;
        }
        if (!ZQ_CLI::ParseInteger(parts[0], 1, 1000000, frame, what, error) ||
            !ZQ_CLI::ParseInteger(parts[1], 0, 600000, delay, what, error))
            return false;
        values[frame] = delay;
    }
    return true;
}

// --count and --panel: every panel's options must stand on their own, and name no device or file.
bool ReadPanels(const QCommandLineParser& parser, SIM_OPTIONS& options, int& exitCode)
{
    if (!ZQ_CLI::ReadIntegerOptions(parser, {{"count", 1, 64, &options.nCount}}, exitCode))
        return false;
    if (options.nCount > 0 && !options.strDevice.empty())
        return ZQ_CLI::UsageError(QT_TRANSLATE_NOOP("zqpanel-sim",
                                                    "--count makes pseudo-terminals; it cannot be used with --device"),
                                  exitCode);
    std::string error;
    for (const QString& text : parser.values("panel")) {
        const int colon = text.indexOf(':');
        int panel = 0;
        if (colon < 0 ||
            !ZQ_CLI::ParseInteger(text.left(colon), 1, std::max(options.nCount, 1), panel, "--panel", error))
            return ZQ_CLI::UsageError(colon < 0 ? ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqpanel-sim",
                                                                                   "--panel: '%1' is not K:OPTIONS"),
                                                                 {text.toStdString()})
                                                : error,
                                      exitCode);
        if (options.nCount == 0)
            return ZQ_CLI::UsageError(QT_TRANSLATE_NOOP("zqpanel-sim", "--panel needs --count"), exitCode);
        const QStringList extra = QProcess::splitCommand(text.mid(colon + 1));
        for (const QString& word : extra)
            for (const char* refused : {"--count", "--panel", "--device", "--flash", "--exit-on-stdin-eof"})
                if (word == refused || word.startsWith(QString(refused) + "="))
                    return ZQ_CLI::UsageError(
                        ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqpanel-sim", "--panel %1: %2 is not an option of one panel"),
                                       {std::to_string(panel), refused}),
                        exitCode);
        SIM_OPTIONS check;
        if (!ParseSimOptions(QStringList{"zqpanel-sim"} + extra, check, exitCode))
            return false;
        options.panelArguments[panel] += extra;
    }
    return true;
}

} // namespace

bool ParseLineFormat(const std::string& text, int& dataBits, char& parity, int& stopBits)
{
    if (text.size() != 3 || text[0] < '5' || text[0] > '8' || (text[2] != '1' && text[2] != '2'))
        return false;
    char p = static_cast<char>(std::toupper(static_cast<unsigned char>(text[1])));
    if (p != 'N' && p != 'E' && p != 'O')
        return false;
    dataBits = text[0] - '0';
    parity = p;
    stopBits = text[2] - '0';
    return true;
}

bool ParseSimOptions(const QStringList& arguments, SIM_OPTIONS& options, int& exitCode)
{
    QCommandLineParser parser;
    ZQ_CLI::AddStandardOptions(parser, DESCRIPTION);
    ZQ_CLI::AddOptions(parser, OPTIONS);
    if (!ZQ_CLI::ParseOrExit(parser, arguments, exitCode))
        return false;
    if (!parser.positionalArguments().isEmpty())
        return ZQ_CLI::UsageError(ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqpanel-sim", "unexpected argument '%1'"),
                                                 {parser.positionalArguments().first().toStdString()}),
                                  exitCode);
    options.strDevice = parser.value("device").toStdString();
    options.strFlashFile = parser.value("flash").toStdString();
    if (options.strFlashFile == "-" && parser.isSet("count"))
        return ZQ_CLI::UsageError(QT_TRANSLATE_NOOP("zqpanel-sim", "--flash -: standard output takes one panel's "
                                                                   "flash, not --count's"),
                                  exitCode);
    options.bExitOnStdinEof = parser.isSet("exit-on-stdin-eof");
    options.bVerbose = parser.isSet("verbose");
    int seed = options.wMaskSeed;
    if (!ZQ_CLI::ReadIntegerOptions(parser,
                                    {{"baud", 50, 4000000, &options.nBaud},
                                     {"slave", 0, 255, &options.nSlave},
                                     {"seed", 0, 0xFFFF, &seed},
                                     {"line-baud", 0, 4000000, &options.nLineBaud},
                                     {"delay", 0, 600000, &options.nDelayMs},
                                     {"ignore-knocks", 0, 1000000, &options.faults.nIgnoreKnocks}},
                                    exitCode))
        return false;
    std::string error;
    options.wMaskSeed = static_cast<WORD>(seed);
    struct LIST {
        const char* name;
        std::set<int>* values;
    } lists[] = {
        {"drop-answer", &options.faults.dropBlockAnswers},
        {"lose-block", &options.faults.loseBlocks},
        {"bad-crc", &options.faults.badCrcBlocks},
        {"corrupt-answer", &options.faults.corruptAnswers},
    };
    for (const LIST& list : lists)
        if (parser.isSet(list.name) &&
            !ParseList(parser.value(list.name), std::string("--") + list.name, *list.values, error))
            return ZQ_CLI::UsageError(error, exitCode);
    if (parser.isSet("repeat-answer") &&
        !ParseDelays(parser.value("repeat-answer"), "--repeat-answer", options.faults.repeatAnswers, error))
        return ZQ_CLI::UsageError(error, exitCode);
    if (!ReadPanels(parser, options, exitCode))
        return false;
    if (parser.isSet("format") &&
        !ParseLineFormat(parser.value("format").toStdString(), options.nDataBits, options.cParity, options.nStopBits))
        return ZQ_CLI::UsageError(
            ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqpanel-sim", "--format: '%1' is not data bits 5-8, parity N, E or O, "
                                                            "stop bits 1 or 2 (like 8E1)"),
                           {parser.value("format").toStdString()}),
            exitCode);
    return true;
}
