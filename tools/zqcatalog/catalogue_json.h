// zqcatalog's report for scripts: the catalogues as one JSON document.
#pragma once

#include <ostream>

class CDeviceCollection;
class CPLCCollection;

// Writes the panel models and PLC protocols as JSON (UTF-8, indented, ending in a line break):
//   {"models": [{"id", "name", "description", "screenWidth", "screenHeight", "integerDigits",
//                "decimalDigits", "keys": [names]}],
//    "protocols": [{"id", "name", "description",
//                   "models": [{"model" (its id), "station", "stationShown", "stationFixed",
//                               "registers": [{"name", "low", "high", "default"}], "coils": [...]}]}]}
// Names and descriptions are the catalogues' own (GBK converted to UTF-8, never translated), so
// that a script can hand them back to zqe. A protocol or model the catalogue lists but cannot build
// is left out of the protocol's "models". Returns the number of models and protocols listed.
int WriteCatalogueJson(std::ostream& out, CDeviceCollection& devices, CPLCCollection& plcs);
