// The published DES tables (IP, its inverse, E, P, PC-1, PC-2, shifts, S-boxes), one byte per entry.
// Permutation entries are 1-based indexes into the input bit sequence.
#pragma once

#include "comkit/types.h"

namespace vexorenc {

extern const BYTE DES_IP[64];
extern const BYTE DES_IP_INV[64];
extern const BYTE DES_E[48];
extern const BYTE DES_P[32];
extern const BYTE DES_PC1[56];
extern const BYTE DES_PC2[48];
extern const BYTE DES_SHIFTS[16];
// DES_SBOX[box][row * 16 + column]
extern const BYTE DES_SBOX[8][64];

} // namespace vexorenc
