#include "tools/zqpanel-sim/sim_options.h"

#include <getopt.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <sstream>

const char* const SIM_USAGE =
    "usage: zqpanel-sim [options]\n"
    "Emulates the panel's boot loader on a new pseudo-terminal (its path is the first line printed)\n"
    "or on a serial device, and writes the 64 KiB flash to a file when it ends (SIGTERM, SIGINT).\n"
    "  --device PATH          use this serial device instead of a pseudo-terminal\n"
    "  --baud N               speed of that device (default 38400)\n"
    "  --format 8E1           data bits, parity (N, E, O) and stop bits (default 8E1)\n"
    "  --slave N              the panel's slave address (default 1; 255 is always answered)\n"
    "  --seed N               seed of the block mask (default 0x5AA5)\n"
    "  --flash FILE           write the flash to FILE on exit\n"
    "  --line-baud N          emulate the line time of every frame at N baud\n"
    "  --delay MS             delay every answer by MS milliseconds\n"
    "  --ignore-knocks N      leave the first N entry requests unanswered (panel switched off)\n"
    "  --drop-answer K[,K..]  do not answer block frames K (counted from 1, resent frames too)\n"
    "  --bad-crc K[,K..]      answer block frames K with a wrong data CRC\n"
    "  --corrupt-answer K[,K..]  send answers K (every answer counts) with a bad frame CRC\n"
    "  --exit-on-stdin-eof    end when standard input closes (for test harnesses)\n"
    "  --verbose              log every request on standard error\n";

namespace {

enum OptionId {
    OPT_DEVICE = 1000, OPT_BAUD, OPT_FORMAT, OPT_SLAVE, OPT_SEED, OPT_FLASH, OPT_LINE_BAUD,
    OPT_DELAY, OPT_IGNORE_KNOCKS, OPT_DROP, OPT_BAD_CRC, OPT_CORRUPT, OPT_STDIN_EOF, OPT_VERBOSE,
    OPT_HELP,
};

bool ParseInt(const char* text, long low, long high, int& value)
{
    errno = 0;
    char* end = nullptr;
    long number = std::strtol(text, &end, 0);
    if (errno != 0 || end == text || *end != '\0' || number < low || number > high)
        return false;
    value = static_cast<int>(number);
    return true;
}

bool ParseList(const char* text, std::set<int>& values)
{
    std::stringstream stream(text);
    std::string item;
    while (std::getline(stream, item, ',')) {
        int value = 0;
        if (!ParseInt(item.c_str(), 1, 1000000, value))
            return false;
        values.insert(value);
    }
    return !values.empty();
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

bool ParseSimOptions(int argc, char** argv, SIM_OPTIONS& options, std::string& error)
{
    static const option longOptions[] = {
        {"device", required_argument, nullptr, OPT_DEVICE},
        {"baud", required_argument, nullptr, OPT_BAUD},
        {"format", required_argument, nullptr, OPT_FORMAT},
        {"slave", required_argument, nullptr, OPT_SLAVE},
        {"seed", required_argument, nullptr, OPT_SEED},
        {"flash", required_argument, nullptr, OPT_FLASH},
        {"line-baud", required_argument, nullptr, OPT_LINE_BAUD},
        {"delay", required_argument, nullptr, OPT_DELAY},
        {"ignore-knocks", required_argument, nullptr, OPT_IGNORE_KNOCKS},
        {"drop-answer", required_argument, nullptr, OPT_DROP},
        {"bad-crc", required_argument, nullptr, OPT_BAD_CRC},
        {"corrupt-answer", required_argument, nullptr, OPT_CORRUPT},
        {"exit-on-stdin-eof", no_argument, nullptr, OPT_STDIN_EOF},
        {"verbose", no_argument, nullptr, OPT_VERBOSE},
        {"help", no_argument, nullptr, OPT_HELP},
        {nullptr, 0, nullptr, 0},
    };
    optind = 1;
    opterr = 0;
    int id = 0;
    while ((id = getopt_long(argc, argv, "", longOptions, nullptr)) != -1) {
        bool ok = true;
        int seed = 0;
        switch (id) {
        case OPT_DEVICE: options.strDevice = optarg; break;
        case OPT_BAUD: ok = ParseInt(optarg, 50, 4000000, options.nBaud); break;
        case OPT_FORMAT:
            ok = ParseLineFormat(optarg, options.nDataBits, options.cParity, options.nStopBits);
            break;
        case OPT_SLAVE: ok = ParseInt(optarg, 0, 255, options.nSlave); break;
        case OPT_SEED:
            ok = ParseInt(optarg, 0, 0xFFFF, seed);
            options.wMaskSeed = static_cast<WORD>(seed);
            break;
        case OPT_FLASH: options.strFlashFile = optarg; break;
        case OPT_LINE_BAUD: ok = ParseInt(optarg, 0, 4000000, options.nLineBaud); break;
        case OPT_DELAY: ok = ParseInt(optarg, 0, 600000, options.nDelayMs); break;
        case OPT_IGNORE_KNOCKS: ok = ParseInt(optarg, 0, 1000000, options.faults.nIgnoreKnocks); break;
        case OPT_DROP: ok = ParseList(optarg, options.faults.dropBlockAnswers); break;
        case OPT_BAD_CRC: ok = ParseList(optarg, options.faults.badCrcBlocks); break;
        case OPT_CORRUPT: ok = ParseList(optarg, options.faults.corruptAnswers); break;
        case OPT_STDIN_EOF: options.bExitOnStdinEof = true; break;
        case OPT_VERBOSE: options.bVerbose = true; break;
        case OPT_HELP: error.clear(); return false;
        default:
            error = std::string("unknown option ") + argv[optind - 1];
            return false;
        }
        if (!ok) {
            error = std::string("bad value '") + optarg + "'";
            return false;
        }
    }
    if (optind < argc) {
        error = std::string("unexpected argument ") + argv[optind];
        return false;
    }
    return true;
}
