// The commands of zqe. Each writes its result to `out` (and to files only when whole), warnings
// and errors to `err` as "zqe: ...", and returns the exit status: 0 done, 1 the work failed,
// 2 the command line was wrong (check: 1 warnings under --strict, 3 errors or a project that cannot
// be read). "-" as a file name reads `in` or writes `out`.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

// argv after the program name.
int RunZqe(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);
// The same, reading standard input for "-".
int RunZqe(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
