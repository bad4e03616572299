// The export mark of the panel runtime (ZQPanelRuntime): the library is built with hidden symbols,
// and what its headers declare with EMULATOR_API is what the programs and libraries linking it may use.
#pragma once

#define EMULATOR_API __attribute__((visibility("default")))
