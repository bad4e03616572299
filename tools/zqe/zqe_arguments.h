// The command line of zqe: a command, its operands and its options.
#pragma once

#include <map>
#include <string>
#include <vector>

struct ZQE_ARGUMENTS {
    std::string command;
    std::vector<std::string> operands;
    std::map<std::string, std::string> options; // "--device" -> value, "-o" -> value
};

// Splits argv after the program name. Options of `valued` take the next argument as value; other
// arguments starting with '-' are refused. False with a message in error.
bool ParseZqeArguments(const std::vector<std::string>& args, const std::vector<std::string>& valued,
                       ZQE_ARGUMENTS& parsed, std::string& error);
