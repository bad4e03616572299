// The export mark of the design windows (ZQEditorDsp): the library is built with hidden symbols,
// and what its headers declare with DSP_API is what the programs and libraries linking it may use.
#pragma once

#define DSP_API __attribute__((visibility("default")))
