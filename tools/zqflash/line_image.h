// The image of a line run: loaded, checked and deciphered once, then handed to every port's
// process as a plain Intel HEX file in a private temporary folder.
#pragma once

#include "comkit/types.h"

#include <string>
#include <vector>

// The image as Intel HEX text: data records of 16 bytes from address 0 (CR LF line ends) and the
// end record. Bytes beyond 0x10000 are not written (the panel's address space ends there).
std::string FormatIntelHex(const std::vector<BYTE>& image);
