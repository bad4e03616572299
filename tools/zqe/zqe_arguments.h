// The command line of zqe: a command, its operands and its options, read with QCommandLineParser
// by the suite's conventions (help and version on standard output, usage errors with status 2).
#pragma once

#include <map>
#include <ostream>
#include <string>
#include <vector>

struct ZQE_ARGUMENTS {
    std::string command;
    std::vector<std::string> operands;
    std::map<std::string, std::string> options; // "--device" -> value, "-o" -> value, "--force" -> ""
};

// The commands zqe knows, in the order its help lists them.
const std::vector<std::string>& ZqeCommands();

// Reads argv after the program name. True when a command should run, with `parsed` filled.
// False when zqe is done: help (of zqe, or of one command with "zqe help CMD" or "CMD --help")
// or the version was written to out (exitCode 0), or the command line was wrong: the reason went
// to err as "zqe: ..." with a hint to --help (exitCode 2). Operand counts and required options are
// checked here; values are checked by the commands.
bool ParseZqeArguments(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                       ZQE_ARGUMENTS& parsed, int& exitCode);

// A wrong command line found by a command (a value out of range, for example): "zqe: message" and
// the hint to the command's --help ("Try 'zqe render --help' ..."; zqe's own without a command)
// on err. Always ZQ_CLI::EXIT_USAGE.
int ZqeUsageError(std::ostream& err, const std::string& message, const std::string& command);
