// Replacing a whole file so that a failed write never leaves it empty or half written: a temporary
// file beside it, then a rename over it; and the clean-up of temporaries a killed process left.
#pragma once

#include "comkit/comkit_api.h"

#include <string>

namespace COMMON_EX {

// Replaces the file at path with bytes: writes "<file>.<pid>.<n>.tmp" beside it, flushes it to
// disk and renames it over the file. A symbolic link stays a link (the file it names is replaced);
// a replaced file keeps its permission bits, a new one gets 0666 less the umask. Refuses a file
// this user may not write (the rename alone would replace it). Stale temporaries of the same file
// (RemoveStaleTempFiles) go first. On failure the file is unchanged, no temporary is left, and
// error (when given) names the file and the system's reason.
COMKIT_API bool ReplaceFileContent(const std::string& path, const std::string& bytes, std::string* error = nullptr);

// Removes the temporaries "<file>.<pid>.<n>.tmp" beside path whose process is no longer running
// and which this user owns. Other files, and temporaries of running processes, stay.
COMKIT_API void RemoveStaleTempFiles(const std::string& path);

// Removes files "<prefix><pid><rest>" in folder, rest ending with suffix, whose process pid is no
// longer running and which this user owns (leftovers of a killed run of the same program).
COMKIT_API void RemoveStaleProcessFiles(const std::string& folder, const std::string& prefix,
                                        const std::string& suffix);

} // namespace COMMON_EX
