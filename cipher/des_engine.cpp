#include "cipher/des_engine.h"

#include "cipher/des_tables.h"

namespace vexorenc {

namespace {

struct FastTables {
    // Round function per S-box: 6 input bits (x0 in bit 0) -> its 4 output bits moved by P.
    std::uint32_t sp[8][64];
    // A 64-bit permutation as eight byte lookups: [byte position][byte value] -> bits in place.
    std::uint64_t ip[8][256];
    std::uint64_t fp[8][256];
};

void BuildBytePermutation(const BYTE table[64], std::uint64_t out[8][256])
{
    for (int position = 0; position < 8; ++position) {
        for (int value = 0; value < 256; ++value) {
            std::uint64_t bits = 0;
            for (int j = 0; j < 64; ++j) {
                const int from = table[j] - 1;
                if (from / 8 == position && ((value >> (from % 8)) & 1) != 0) {
                    bits |= std::uint64_t(1) << j;
                }
            }
            out[position][value] = bits;
        }
    }
}

FastTables BuildTables()
{
    FastTables t{};
    for (int box = 0; box < 8; ++box) {
        for (int x = 0; x < 64; ++x) {
            const int row = 2 * (x & 1) + ((x >> 5) & 1);
            const int column = 8 * ((x >> 1) & 1) + 4 * ((x >> 2) & 1) + 2 * ((x >> 3) & 1) + ((x >> 4) & 1);
            const int v = DES_SBOX[box][row * 16 + column];
            std::uint32_t out = 0;
            for (int i = 0; i < 32; ++i) {
                // Box j fills collected bits 4j..4j+3 with bits 0..3 of its value.
                const int from = DES_P[i] - 1;
                if (from / 4 == box && ((v >> (from % 4)) & 1) != 0) {
                    out |= std::uint32_t(1) << i;
                }
            }
            t.sp[box][x] = out;
        }
    }
    BuildBytePermutation(DES_IP, t.ip);
    BuildBytePermutation(DES_IP_INV, t.fp);
    return t;
}

const FastTables& Tables()
{
    static const FastTables tables = BuildTables();
    return tables;
}

inline std::uint32_t RotateLeft(std::uint32_t x, int n)
{
    return (x << n) | (x >> (32 - n));
}

// E group j covers half bits 4j-1 .. 4j+4 (mod 32). After rotating left by one they lie at
// 8m .. 8m+5 for j = 2m, and after a further right rotation by 4 for j = 2m + 1.
inline std::uint32_t RoundFunction(const std::uint32_t (&sp)[8][64], std::uint32_t half, std::uint32_t even,
                                   std::uint32_t odd)
{
    const std::uint32_t x = RotateLeft(half, 1);
    const std::uint32_t u = x ^ even;
    const std::uint32_t w = RotateLeft(x, 28) ^ odd;
    return sp[0][u & 63] ^ sp[2][(u >> 8) & 63] ^ sp[4][(u >> 16) & 63] ^ sp[6][(u >> 24) & 63] ^ sp[1][w & 63] ^
           sp[3][(w >> 8) & 63] ^ sp[5][(w >> 16) & 63] ^ sp[7][(w >> 24) & 63];
}

std::uint64_t Permute(const std::uint64_t (&table)[8][256], std::uint64_t block)
{
    std::uint64_t out = 0;
    for (int position = 0; position < 8; ++position) {
        out |= table[position][(block >> (8 * position)) & 0xFF];
    }
    return out;
}

} // namespace

void DesMakeSchedule(const BYTE key[8], DesKeySchedule* schedule)
{
    std::uint64_t keyBits = 0;
    for (int i = 0; i < 8; ++i) {
        keyBits |= std::uint64_t(key[i]) << (8 * i);
    }
    std::uint32_t c = 0;
    std::uint32_t d = 0;
    for (int j = 0; j < 28; ++j) {
        c |= std::uint32_t((keyBits >> (DES_PC1[j] - 1)) & 1) << j;
        d |= std::uint32_t((keyBits >> (DES_PC1[28 + j] - 1)) & 1) << j;
    }
    for (int round = 0; round < 16; ++round) {
        // A left rotation of the sequence moves bit k to k - shift.
        const int shift = DES_SHIFTS[round];
        c = ((c >> shift) | (c << (28 - shift))) & 0x0FFFFFFF;
        d = ((d >> shift) | (d << (28 - shift))) & 0x0FFFFFFF;
        const std::uint64_t cd = std::uint64_t(c) | (std::uint64_t(d) << 28);
        std::uint32_t even = 0;
        std::uint32_t odd = 0;
        for (int j = 0; j < 48; ++j) {
            const std::uint32_t bit = std::uint32_t((cd >> (DES_PC2[j] - 1)) & 1);
            const int group = j / 6;
            const int place = 8 * (group / 2) + j % 6;
            if (group % 2 == 0) {
                even |= bit << place;
            } else {
                odd |= bit << place;
            }
        }
        schedule->even[round] = even;
        schedule->odd[round] = odd;
    }
}

DesHalves DesInitialPermutation(std::uint64_t block)
{
    const std::uint64_t m = Permute(Tables().ip, block);
    return DesHalves{std::uint32_t(m), std::uint32_t(m >> 32)};
}

std::uint64_t DesFinalPermutation(DesHalves halves)
{
    return Permute(Tables().fp, std::uint64_t(halves.left) | (std::uint64_t(halves.right) << 32));
}

// Two rounds per step keep the halves in place: after an even number of rounds the variables
// hold (L, R) again.
void DesEncipherRounds(DesHalves* halves, const DesKeySchedule& schedule)
{
    const auto& sp = Tables().sp;
    std::uint32_t l = halves->left;
    std::uint32_t r = halves->right;
    for (int round = 0; round < 16; round += 2) {
        l ^= RoundFunction(sp, r, schedule.even[round], schedule.odd[round]);
        r ^= RoundFunction(sp, l, schedule.even[round + 1], schedule.odd[round + 1]);
    }
    halves->left = l;
    halves->right = r;
}

void DesDecipherRounds(DesHalves* halves, const DesKeySchedule& schedule)
{
    const auto& sp = Tables().sp;
    std::uint32_t l = halves->left;
    std::uint32_t r = halves->right;
    for (int round = 15; round > 0; round -= 2) {
        r ^= RoundFunction(sp, l, schedule.even[round], schedule.odd[round]);
        l ^= RoundFunction(sp, r, schedule.even[round - 1], schedule.odd[round - 1]);
    }
    halves->left = l;
    halves->right = r;
}

} // namespace vexorenc
