// Bounds on the numbers the catalogue files give, and the warnings about values beyond them.
#pragma once

#include "devices/devices_api.h"

#include "comkit/types.h"

#include <string>
#include <vector>

class CInitSetting;

namespace CATALOGUE_LIMITS {

// Register or coil kinds of one protocol: the kind lists of controls hold 50.
constexpr int MAX_KINDS = 50;
// Keys of one panel model: the function-key control offers 50.
constexpr int MAX_KEYS = 50;
// Integer or decimal digits of a register display (the sample text counts "1" to "9").
constexpr int MAX_DIGITS = 9;
// Width or height of a panel's display in pixels, in a catalogue or a project's device record.
constexpr DWORD MAX_SCREEN_SIDE = 1024;

// The key of section read as CInitSetting::GetInt reads it (default "0"), then held to
// [0, high]: below 0 gives 0 silently (an empty table); above high gives high and records a
// warning naming the file, the section and the key.
DEVICES_API int ReadBounded(CInitSetting& store, const char* section, const char* key, int high);

// The warnings recorded since the last call (UTF-8, oldest first, each once; in the language of
// COMMON_EX::Tr at the time of the call); clears them.
DEVICES_API std::vector<std::string> TakeWarnings();

} // namespace CATALOGUE_LIMITS
