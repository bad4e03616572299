#include "tools/zqflash/zqflash_options.h"

#include <QCommandLineParser>

const char* const ZQFLASH_USAGE =
    "usage: zqflash --port DEVICE --file FILE [options]\n"
    "Programs a panel through its boot loader; exit status 0 only when the panel confirmed every block.\n"
    "  --port DEVICE      serial device of the panel (for example /dev/ttyUSB0)\n"
    "  --file FILE        program file: .hex, .bin, .dat, .vxc or .vxg\n"
    "  --begin ADDR       program begin address, a multiple of 512 up to 0xFE00 (default 0x6000)\n"
    "  --slave N          the panel's slave address (default 1)\n"
    "  --notenc           the file is plain (not enciphered)\n"
    "  --485port P        the panel's 485 port: P0, P1, P2, P3 or none (default none)\n"
    "  --485bit N         its bit, 0-7 (default 0)\n"
    "  --ledport P        the panel's LED port: P0, P1, P2, P3 or none (default none)\n"
    "  --ledbit N         its bit, 0-7 (default 0)\n"
    "  --baud N           line speed (default: the library's MD_DLL.DFT, 38400)\n"
    "  --format 8E1       data bits, parity (N, E, O), stop bits (default: MD_DLL.DFT, 8E1)\n"
    "  --timeout S        seconds allowed for the entry phase and for each block (default 30)\n"
    "  --seed N           seed of the block mask (default 0x5AA5)\n"
    "  --quiet            no progress bar\n";

namespace {

// A number in C notation (decimal, 0x hex) within [low, high].
bool ReadNumber(const QString& text, int low, int high, int& value)
{
    bool ok = false;
    int number = text.toInt(&ok, 0);
    if (!ok || number < low || number > high)
        return false;
    value = number;
    return true;
}

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

bool ParseZqflashOptions(const QStringList& arguments, ZQFLASH_OPTIONS& options, std::string& error)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QStringList valued = {"port", "file", "begin", "slave", "485port", "485bit", "ledport",
                                "ledbit", "baud", "format", "timeout", "seed"};
    for (const QString& name : valued)
        parser.addOption(QCommandLineOption(name, QString(), "value"));
    for (const char* name : {"notenc", "quiet", "help"})
        parser.addOption(QCommandLineOption(name));
    error.clear();
    if (!parser.parse(arguments)) {
        error = parser.errorText().toStdString();
        return false;
    }
    if (parser.isSet("help"))
        return false;
    if (!parser.positionalArguments().isEmpty()) {
        error = "unexpected argument " + parser.positionalArguments().first().toStdString();
        return false;
    }
    options.strPort = parser.value("port").toStdString();
    options.strFile = parser.value("file").toStdString();
    options.bNotEnc = parser.isSet("notenc");
    options.bQuiet = parser.isSet("quiet");
    int begin = static_cast<int>(options.dwBegin), seed = options.wMaskSeed;
    struct NUMBER {
        const char* name;
        int low, high;
        int* value;
    } numbers[] = {
        {"begin", 0, 0xFE00, &begin},     {"slave", 0, 255, &options.nSlave},
        {"485bit", 0, 7, &options.n485Bit}, {"ledbit", 0, 7, &options.nLedBit},
        {"baud", 50, 4000000, &options.nBaud}, {"timeout", 1, 3600, &options.nTimeoutSeconds},
        {"seed", 0, 0xFFFF, &seed},
    };
    for (const NUMBER& number : numbers)
        if (parser.isSet(number.name) && !ReadNumber(parser.value(number.name), number.low, number.high, *number.value))
            error = std::string("bad value for --") + number.name;
    if (begin % 512 != 0)
        error = "--begin must be a multiple of 512";
    options.dwBegin = static_cast<DWORD>(begin);
    options.wMaskSeed = static_cast<WORD>(seed);
    if (parser.isSet("485port") && !ReadPort(parser.value("485port"), options.n485Port))
        error = "bad value for --485port";
    if (parser.isSet("ledport") && !ReadPort(parser.value("ledport"), options.nLedPort))
        error = "bad value for --ledport";
    if (parser.isSet("format") && !ReadFormat(parser.value("format"), options))
        error = "bad value for --format";
    if (error.empty() && (options.strPort.empty() || options.strFile.empty()))
        error = "--port and --file are required";
    return error.empty();
}
