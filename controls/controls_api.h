// The export mark of the controls and screens (ZQEditorControls): the library is built with hidden symbols, and what its
// headers declare with CONTROLS_API is what the programs and libraries linking it may use.
#pragma once

#define CONTROLS_API __attribute__((visibility("default")))
