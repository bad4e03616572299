// The export mark of the panel and PLC catalogues (ZQEditorDevices): the library is built with hidden symbols, and what its
// headers declare with DEVICES_API is what the programs and libraries linking it may use.
#pragma once

#define DEVICES_API __attribute__((visibility("default")))
