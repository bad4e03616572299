// Names of the temporary files the suite writes beside a file before renaming them over it, and
// the removal of ones a killed run left behind.
#pragma once

#include <string>

namespace COMMON_EX {

// "<target>.<pid>.<n>.tmp": a name beside target no other call of this process gives, carrying
// the writing process's ID so that a later run can tell a leftover from a write in progress.
std::string TemporaryNameFor(const std::string& target);

// Removes every "<target>.<pid>.<n>.tmp" beside target whose process no longer runs (never one of
// a live process, never any other file). Returns how many were removed.
int RemoveStaleTemporaries(const std::string& target);

} // namespace COMMON_EX
