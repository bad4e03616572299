// The commands of zqe. Each writes its result to `out` (and to files only when whole), warnings
// and errors to `err`, and returns the exit status: 0 done, 1 failed.
#pragma once

#include <ostream>
#include <string>
#include <vector>

extern const char* const ZQE_USAGE;

int RunZqe(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
