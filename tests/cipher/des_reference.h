// The cipher written out bit by bit, one bit per byte, straight from its description. The three
// places where it departs from DES can be switched back, which turns it into standard DES.
#pragma once

#include "comkit/types.h"

struct DesVariant {
    bool lsbFirstBits;    // bit i of a string is bit (i mod 8) of byte i / 8; DES: bit 7 - (i mod 8)
    bool sboxLsbFirst;    // an S-box value gives its bits 0, 1, 2, 3; DES: 3, 2, 1, 0
    bool noFinalExchange; // output IP^-1(L R) and decipher by running the rounds backward; DES: IP^-1(R L)
};

constexpr DesVariant VEXOR_CIPHER{true, true, true};
constexpr DesVariant STANDARD_DES{false, false, false};

// One 8-byte block with one 8-byte key.
void ReferenceBlock(const BYTE in[8], BYTE out[8], const BYTE key[8], bool decipher, DesVariant variant);

// Des_Go's contract on top of ReferenceBlock.
BYTE ReferenceDesGo(BYTE* out, const BYTE* in, INT length, const BYTE* key, INT keyLength, BYTE decipher,
                    DesVariant variant = VEXOR_CIPHER);
