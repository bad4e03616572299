#include "tools/zqe/zqe_arguments.h"

#include <algorithm>

bool ParseZqeArguments(const std::vector<std::string>& args, const std::vector<std::string>& valued,
                       ZQE_ARGUMENTS& parsed, std::string& error)
{
    parsed = ZQE_ARGUMENTS();
    if (args.empty()) {
        error = "no command given";
        return false;
    }
    parsed.command = args[0];
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() > 1 && arg[0] == '-') {
            if (std::find(valued.begin(), valued.end(), arg) == valued.end()) {
                error = "unknown option " + arg + " for " + parsed.command;
                return false;
            }
            if (i + 1 >= args.size()) {
                error = "option " + arg + " needs a value";
                return false;
            }
            if (parsed.options.count(arg)) {
                error = "option " + arg + " given twice";
                return false;
            }
            parsed.options[arg] = args[++i];
        } else {
            parsed.operands.push_back(arg);
        }
    }
    return true;
}
