// The export mark of the common kit (COMKIT): the library is built with hidden symbols, and what its
// headers declare with COMKIT_API is what the programs and libraries linking it may use.
#pragma once

#define COMKIT_API __attribute__((visibility("default")))
