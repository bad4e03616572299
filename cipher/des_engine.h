// The block cipher in a table-driven form: a block is a little-endian 64-bit word whose bit k is
// bit k of the bit sequence (bit k mod 8 of byte k div 8), so the permutations and the round
// function become word lookups. Equal, block for block, to the bit-by-bit formulation.
#pragma once

#include "comkit/types.h"

#include <cstdint>

namespace vexorenc {

// The 16 round keys of one 8-byte key, each split into the E groups the round function XORs:
// groups 0, 2, 4, 6 in bytes 0-3 of even[r], groups 1, 3, 5, 7 in bytes 0-3 of odd[r].
struct DesKeySchedule {
    std::uint32_t even[16];
    std::uint32_t odd[16];
};

// The two halves between the initial and the final permutation.
struct DesHalves {
    std::uint32_t left;
    std::uint32_t right;
};

void DesMakeSchedule(const BYTE key[8], DesKeySchedule* schedule);

DesHalves DesInitialPermutation(std::uint64_t block);
std::uint64_t DesFinalPermutation(DesHalves halves);

// 16 rounds in one direction; no exchange of the halves at the end.
void DesEncipherRounds(DesHalves* halves, const DesKeySchedule& schedule);
void DesDecipherRounds(DesHalves* halves, const DesKeySchedule& schedule);

} // namespace vexorenc
