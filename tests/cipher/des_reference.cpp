#include "des_reference.h"

#include "cipher/des_tables.h"

#include <algorithm>
#include <cstring>

using namespace vexorenc;

namespace {

void ToBits(const BYTE* bytes, int count, BYTE* bits, bool lsbFirst)
{
    for (int i = 0; i < 8 * count; ++i) {
        const int bit = lsbFirst ? i % 8 : 7 - i % 8;
        bits[i] = (bytes[i / 8] >> bit) & 1;
    }
}

void FromBits(const BYTE* bits, int count, BYTE* bytes, bool lsbFirst)
{
    std::memset(bytes, 0, count);
    for (int i = 0; i < 8 * count; ++i) {
        const int bit = lsbFirst ? i % 8 : 7 - i % 8;
        bytes[i / 8] |= BYTE(bits[i] << bit);
    }
}

void Permute(const BYTE* in, const BYTE* table, int n, BYTE* out)
{
    for (int j = 0; j < n; ++j) {
        out[j] = in[table[j] - 1];
    }
}

void RotateLeft(BYTE* bits, int n, int shift)
{
    std::rotate(bits, bits + shift, bits + n);
}

void RoundKeys(const BYTE key[8], BYTE roundKeys[16][48], bool lsbFirst)
{
    BYTE keyBits[64];
    ToBits(key, 8, keyBits, lsbFirst);
    BYTE cd[56];
    Permute(keyBits, DES_PC1, 56, cd);
    for (int round = 0; round < 16; ++round) {
        RotateLeft(cd, 28, DES_SHIFTS[round]);
        RotateLeft(cd + 28, 28, DES_SHIFTS[round]);
        Permute(cd, DES_PC2, 48, roundKeys[round]);
    }
}

void RoundFunction(const BYTE half[32], const BYTE roundKey[48], BYTE out[32], bool sboxLsbFirst)
{
    BYTE x[48];
    Permute(half, DES_E, 48, x);
    for (int i = 0; i < 48; ++i) {
        x[i] ^= roundKey[i];
    }
    BYTE collected[32];
    for (int box = 0; box < 8; ++box) {
        const BYTE* s = x + 6 * box;
        const int row = 2 * s[0] + s[5];
        const int column = 8 * s[1] + 4 * s[2] + 2 * s[3] + s[4];
        const int v = DES_SBOX[box][row * 16 + column];
        for (int b = 0; b < 4; ++b) {
            collected[4 * box + b] = (v >> (sboxLsbFirst ? b : 3 - b)) & 1;
        }
    }
    Permute(collected, DES_P, 32, out);
}

// Forward: (L, R) becomes (R, L xor f(R, k)). Backward: (L, R) becomes (R xor f(L, k), L).
void Round(BYTE* l, BYTE* r, const BYTE key[48], bool sboxLsbFirst, bool backward)
{
    BYTE f[32];
    RoundFunction(backward ? l : r, key, f, sboxLsbFirst);
    BYTE* target = backward ? r : l;
    for (int i = 0; i < 32; ++i) {
        target[i] ^= f[i];
    }
    std::swap_ranges(l, l + 32, r);
}

} // namespace

void ReferenceBlock(const BYTE in[8], BYTE out[8], const BYTE key[8], bool decipher, DesVariant variant)
{
    BYTE roundKeys[16][48];
    RoundKeys(key, roundKeys, variant.lsbFirstBits);
    BYTE bits[64];
    ToBits(in, 8, bits, variant.lsbFirstBits);
    BYTE m[64];
    Permute(bits, DES_IP, 64, m);
    BYTE* l = m;
    BYTE* r = m + 32;
    BYTE pre[64];
    if (variant.noFinalExchange) {
        for (int i = 0; i < 16; ++i) {
            Round(l, r, roundKeys[decipher ? 15 - i : i], variant.sboxLsbFirst, decipher);
        }
        std::memcpy(pre, l, 32);
        std::memcpy(pre + 32, r, 32);
    } else {
        for (int i = 0; i < 16; ++i) {
            Round(l, r, roundKeys[decipher ? 15 - i : i], variant.sboxLsbFirst, false);
        }
        std::memcpy(pre, r, 32);
        std::memcpy(pre + 32, l, 32);
    }
    Permute(pre, DES_IP_INV, 64, bits);
    FromBits(bits, 8, out, variant.lsbFirstBits);
}

BYTE ReferenceDesGo(BYTE* out, const BYTE* in, INT length, const BYTE* key, INT keyLength, BYTE decipher,
                    DesVariant variant)
{
    if (out == nullptr || in == nullptr || key == nullptr || length < 1) {
        return 0;
    }
    BYTE area[16] = {};
    std::memcpy(area, key, std::clamp(keyLength, 0, 16));
    const bool backward = decipher != 0;
    for (long long offset = 0; offset < (static_cast<long long>(length) + 7) / 8 * 8; offset += 8) {
        BYTE block[8];
        ReferenceBlock(in + offset, block, area, backward, variant);
        if (keyLength > 8) {
            BYTE middle[8];
            ReferenceBlock(block, middle, area + 8, !backward, variant);
            ReferenceBlock(middle, block, area, backward, variant);
        }
        std::memcpy(out + offset, block, 8);
    }
    return 1;
}
