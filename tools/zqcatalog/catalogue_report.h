// Text report of the panel models and PLC protocols of the catalogues, in UTF-8.
#pragma once

#include <ostream>

class CDeviceCollection;
class CPLCCollection;

// Writes every panel model (size, digit limits, keys) and every PLC protocol with the register
// and coil kinds it offers on each panel model. Protocol and kind names are the catalogue's, each
// followed by its English in brackets when an English catalogue is installed. Returns the number of
// entries listed.
int WriteCatalogueReport(std::ostream& out, CDeviceCollection& devices, CPLCCollection& plcs);
