// Des_Go against the bit-by-bit reference, and its contract: forms, lengths, argument checks.
#include "cipher/vexorenc.h"
#include "des_reference.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

Bytes RandomBytes(std::mt19937& random, size_t n)
{
    Bytes bytes(n);
    for (BYTE& b : bytes) {
        b = BYTE(random());
    }
    return bytes;
}

size_t Rounded(int length)
{
    return (size_t(length) + 7) / 8 * 8;
}

Bytes DesGo(const Bytes& in, int length, const Bytes& key, int keyLength, BYTE decipher)
{
    Bytes out(Rounded(length));
    EXPECT_EQ(1, Des_Go(out.data(), in.data(), length, key.data(), keyLength, decipher));
    return out;
}

const Bytes KEY16 = {0x13, 0x34, 0x57, 0x79, 0x9B, 0xBC, 0xDF, 0xF1, 0x0E, 0x32, 0x92, 0x32, 0xEA, 0x6D, 0x0D, 0x73};

} // namespace

TEST(DesGo, EqualsReferenceForEveryKeyLengthAndDirection)
{
    std::mt19937 random(2024);
    for (int keyLength = 1; keyLength <= 20; ++keyLength) {
        for (BYTE decipher = 0; decipher <= 1; ++decipher) {
            const int length = 1 + int(random() % 70);
            const Bytes key = RandomBytes(random, size_t(keyLength));
            const Bytes in = RandomBytes(random, Rounded(length));
            Bytes expected(in.size());
            ASSERT_EQ(1, ReferenceDesGo(expected.data(), in.data(), length, key.data(), keyLength, decipher));
            EXPECT_EQ(expected, DesGo(in, length, key, keyLength, decipher))
                << "key length " << keyLength << ", decipher " << int(decipher);
        }
    }
}

// Guards against the library and the reference drifting together.
TEST(DesGo, KnownAnswers)
{
    const Bytes plain = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};
    const Bytes single = DesGo(plain, 8, KEY16, 8, 0);
    const Bytes triple = DesGo(plain, 8, KEY16, 16, 0);
    EXPECT_EQ((Bytes{0xD1, 0x72, 0xA2, 0x13, 0x5B, 0xDC, 0xCB, 0x97}), single);
    EXPECT_EQ((Bytes{0xE6, 0x20, 0x41, 0x78, 0x50, 0x67, 0x7F, 0x16}), triple);
}

TEST(DesGo, StandardDesResultIsNotReproduced)
{
    const Bytes plain = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};
    const Bytes standard = {0x85, 0xE8, 0x13, 0x54, 0x0F, 0x0A, 0xB4, 0x05};
    EXPECT_NE(standard, DesGo(plain, 8, KEY16, 8, 0));
    // Nor with the bits of every byte reversed, the most likely slip in a port.
    Bytes reversedPlain(8);
    Bytes reversedKey(8);
    for (int i = 0; i < 8; ++i) {
        for (int b = 0; b < 8; ++b) {
            reversedPlain[i] |= BYTE(((plain[i] >> b) & 1) << (7 - b));
            reversedKey[i] |= BYTE(((KEY16[i] >> b) & 1) << (7 - b));
        }
    }
    EXPECT_NE(standard, DesGo(reversedPlain, 8, reversedKey, 8, 0));
}

TEST(DesGo, RoundTripsInBothFormsInPlaceAndApart)
{
    std::mt19937 random(11);
    for (int keyLength : {5, 8, 9, 15, 16}) {
        const Bytes key = RandomBytes(random, size_t(keyLength));
        const Bytes plain = RandomBytes(random, 4096);
        const Bytes cipher = DesGo(plain, 4096, key, keyLength, 0);
        EXPECT_NE(plain, cipher);
        EXPECT_EQ(plain, DesGo(cipher, 4096, key, keyLength, 1));
        Bytes buffer = cipher;
        ASSERT_EQ(1, Des_Go(buffer.data(), buffer.data(), 4096, key.data(), keyLength, 1));
        EXPECT_EQ(plain, buffer);
    }
}

TEST(DesGo, ThirteenBytesProcessTwoBlocks)
{
    std::mt19937 random(13);
    const Bytes in = RandomBytes(random, 24);
    Bytes out(24, 0xA5);
    ASSERT_EQ(1, Des_Go(out.data(), in.data(), 13, KEY16.data(), 15, 0));
    const Bytes sixteen = DesGo(in, 16, KEY16, 15, 0);
    EXPECT_EQ(Bytes(sixteen.begin(), sixteen.begin() + 16), Bytes(out.begin(), out.begin() + 16));
    EXPECT_EQ(Bytes(8, 0xA5), Bytes(out.begin() + 16, out.end()));
}

TEST(DesGo, RefusesBadArgumentsAndLeavesOutUnchanged)
{
    const Bytes in(16, 0x11);
    Bytes out(16, 0x77);
    const Bytes untouched = out;
    EXPECT_EQ(0, Des_Go(out.data(), in.data(), 0, KEY16.data(), 15, 0));
    EXPECT_EQ(0, Des_Go(out.data(), in.data(), -8, KEY16.data(), 15, 1));
    EXPECT_EQ(0, Des_Go(out.data(), in.data(), 16, nullptr, 15, 0));
    EXPECT_EQ(0, Des_Go(out.data(), nullptr, 16, KEY16.data(), 15, 0));
    EXPECT_EQ(0, Des_Go(nullptr, in.data(), 16, KEY16.data(), 15, 0));
    EXPECT_EQ(untouched, out);
}

TEST(DesGo, KeyBytesAfterSixteenAreIgnored)
{
    std::mt19937 random(17);
    const Bytes in = RandomBytes(random, 32);
    Bytes keyA = RandomBytes(random, 24);
    Bytes keyB = keyA;
    for (size_t i = 16; i < keyB.size(); ++i) {
        keyB[i] ^= 0xFF;
    }
    EXPECT_EQ(DesGo(in, 32, keyA, 24, 0), DesGo(in, 32, keyB, 24, 0));
    EXPECT_EQ(DesGo(in, 32, keyA, 24, 0), DesGo(in, 32, keyA, 16, 0));
}

TEST(DesGo, KeyLengthsNineToSixteenSelectTheTripleForm)
{
    std::mt19937 random(19);
    const Bytes in = RandomBytes(random, 32);
    const Bytes key = RandomBytes(random, 16);
    const Bytes single = DesGo(in, 32, key, 8, 0);
    for (int keyLength = 9; keyLength <= 16; ++keyLength) {
        // Key 2 is the bytes after the eighth, padded with zeros.
        Bytes padded(16, 0);
        std::copy(key.begin(), key.begin() + keyLength, padded.begin());
        Bytes expected(32);
        ASSERT_EQ(1, ReferenceDesGo(expected.data(), in.data(), 32, padded.data(), 16, 0));
        const Bytes actual = DesGo(in, 32, key, keyLength, 0);
        EXPECT_EQ(expected, actual) << keyLength;
        EXPECT_NE(single, actual) << keyLength;
    }
    // With key 2 equal to key 1 the middle pass undoes the first: the triple form is the single one.
    Bytes doubled(key.begin(), key.begin() + 8);
    doubled.insert(doubled.end(), key.begin(), key.begin() + 8);
    EXPECT_EQ(single, DesGo(in, 32, doubled, 16, 0));
    EXPECT_EQ(single, DesGo(in, 32, key, 1 + 7, 0));
}
