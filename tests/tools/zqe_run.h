// Runs zqe in-process for the tool's tests: its status, standard output and standard error.
#pragma once

#include "tools/zqe/zqe_commands.h"

#include <sstream>
#include <string>
#include <vector>

namespace ZQE_TEST {

// The PLC protocol of the shipped catalogue every test project uses.
inline const char* const PLC = "MODBUS自由协议";

struct RESULT {
    int status;
    std::string out;
    std::string err;
};

// zqe with args (after the program name), reading `input` where it reads standard input.
inline RESULT Zqe(const std::vector<std::string>& args, const std::string& input = std::string())
{
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = RunZqe(args, in, out, err);
    return {status, out.str(), err.str()};
}

} // namespace ZQE_TEST
