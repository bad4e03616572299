// Text report of the panel models and PLC protocols of the catalogues, in UTF-8.
#pragma once

#include <ostream>

class CDeviceCollection;
class CPLCCollection;

// Writes every panel model (size, digit limits, keys) and every PLC protocol with the register
// and coil kinds it offers on each panel model, in the user's language. Names are the catalogue's,
// each followed by its English in brackets for English users; descriptions are their English for
// English users when the catalogue of translations has one, else as stored. Returns the number of
// entries listed.
int WriteCatalogueReport(std::ostream& out, CDeviceCollection& devices, CPLCCollection& plcs);
