// Des_Go: ECB over whole 8-byte blocks, single or two-key triple form.
#include "cipher/vexorenc.h"

#include "cipher/des_engine.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

constexpr int KEY_AREA_SIZE = 16;
constexpr int SINGLE_FORM_MAX_KEY = 8;

std::uint64_t LoadBlock(const unsigned char* p)
{
    std::uint64_t block = 0;
    for (int i = 0; i < 8; ++i) {
        block |= std::uint64_t(p[i]) << (8 * i);
    }
    return block;
}

void StoreBlock(std::uint64_t block, unsigned char* p)
{
    for (int i = 0; i < 8; ++i) {
        p[i] = static_cast<unsigned char>(block >> (8 * i));
    }
}

void RunRounds(vexorenc::DesHalves* halves, const vexorenc::DesKeySchedule& schedule, bool decipher)
{
    if (decipher) {
        vexorenc::DesDecipherRounds(halves, schedule);
    } else {
        vexorenc::DesEncipherRounds(halves, schedule);
    }
}

} // namespace

extern "C" __attribute__((visibility("default"))) unsigned char Des_Go(unsigned char* out, const unsigned char* in,
                                                                       int length, const unsigned char* key,
                                                                       int keyLength, unsigned char decipher)
{
    if (out == nullptr || in == nullptr || key == nullptr || length < 1) {
        return 0;
    }
    // Key state lives on the stack, so concurrent calls do not disturb each other.
    unsigned char area[KEY_AREA_SIZE] = {};
    std::memcpy(area, key, static_cast<size_t>(std::clamp(keyLength, 0, KEY_AREA_SIZE)));
    const bool triple = keyLength > SINGLE_FORM_MAX_KEY;
    vexorenc::DesKeySchedule key1;
    vexorenc::DesKeySchedule key2;
    vexorenc::DesMakeSchedule(area, &key1);
    if (triple) {
        vexorenc::DesMakeSchedule(area + 8, &key2);
    }

    const bool backward = decipher != 0;
    const std::int64_t blocks = (std::int64_t(length) + 7) / 8;
    for (std::int64_t i = 0; i < blocks; ++i) {
        vexorenc::DesHalves halves = vexorenc::DesInitialPermutation(LoadBlock(in + 8 * i));
        RunRounds(&halves, key1, backward);
        // The final and the next initial permutation cancel, so the three passes share one pair.
        if (triple) {
            RunRounds(&halves, key2, !backward);
            RunRounds(&halves, key1, backward);
        }
        StoreBlock(vexorenc::DesFinalPermutation(halves), out + 8 * i);
    }
    return 1;
}
