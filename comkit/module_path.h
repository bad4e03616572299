// Where the running program and the shared objects it loaded lie on disk.
#pragma once

#include "comkit/comkit_api.h"

#include <string>

namespace COMMON_EX {

// Full file name of the module containing address (a function or object in it); the running
// executable when address is null. Empty when it cannot be found.
COMKIT_API std::string GetModuleFilePath(const void* address = nullptr);

// Directory of the running executable, with a trailing '/'. Empty when it cannot be found.
COMKIT_API std::string GetProgramDirectory();

// fileName beside the running executable ("<program directory>/<fileName>").
COMKIT_API std::string GetProgramFilePath(const char* fileName);

// moduleFile cut right after its last '/', followed by fileName; when moduleFile has no '/',
// fileName is appended to the whole of it.
COMKIT_API std::string CombineBesideFile(const std::string& moduleFile, const char* fileName);

} // namespace COMMON_EX
