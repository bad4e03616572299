// The export mark of the programmer's core (FlasherCore): the library is built with hidden symbols, and what its
// headers declare with FLASHER_API is what the programs and libraries linking it may use.
#pragma once

#define FLASHER_API __attribute__((visibility("default")))
