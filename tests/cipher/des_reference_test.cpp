// The reference formulation with its three departures switched off is standard DES: checked against
// the published example and OpenSSL. This proves the tables and the structure both share.
#define OPENSSL_SUPPRESS_DEPRECATED
#include "des_reference.h"

#include <gtest/gtest.h>
#include <openssl/des.h>

#include <cstring>
#include <random>

namespace {

const BYTE KEY[8] = {0x13, 0x34, 0x57, 0x79, 0x9B, 0xBC, 0xDF, 0xF1};
const BYTE PLAIN[8] = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};
const BYTE STANDARD_CIPHER[8] = {0x85, 0xE8, 0x13, 0x54, 0x0F, 0x0A, 0xB4, 0x05};

void OpenSslBlock(const BYTE in[8], BYTE out[8], const BYTE key[8], bool decipher)
{
    DES_cblock k;
    std::memcpy(k, key, 8);
    DES_key_schedule schedule;
    DES_set_key_unchecked(&k, &schedule);
    DES_cblock block;
    std::memcpy(block, in, 8);
    DES_ecb_encrypt(&block, reinterpret_cast<DES_cblock*>(out), &schedule, decipher ? DES_DECRYPT : DES_ENCRYPT);
}

} // namespace

TEST(DesReference, StandardVariantGivesPublishedExample)
{
    BYTE out[8];
    ReferenceBlock(PLAIN, out, KEY, false, STANDARD_DES);
    EXPECT_EQ(0, std::memcmp(out, STANDARD_CIPHER, 8));
    BYTE back[8];
    ReferenceBlock(out, back, KEY, true, STANDARD_DES);
    EXPECT_EQ(0, std::memcmp(back, PLAIN, 8));
}

TEST(DesReference, StandardVariantMatchesOpenSsl)
{
    std::mt19937 random(46);
    for (int i = 0; i < 400; ++i) {
        BYTE key[8];
        BYTE block[8];
        for (int j = 0; j < 8; ++j) {
            key[j] = BYTE(random());
            block[j] = BYTE(random());
        }
        const bool decipher = i % 2 == 1;
        BYTE expected[8];
        BYTE actual[8];
        OpenSslBlock(block, expected, key, decipher);
        ReferenceBlock(block, actual, key, decipher, STANDARD_DES);
        ASSERT_EQ(0, std::memcmp(expected, actual, 8)) << "case " << i;
    }
}

TEST(DesReference, StandardTripleFormIsTwoKeyEde)
{
    std::mt19937 random(7);
    BYTE key[16];
    BYTE data[64];
    for (BYTE& b : key) {
        b = BYTE(random());
    }
    for (BYTE& b : data) {
        b = BYTE(random());
    }
    DES_cblock k1;
    DES_cblock k2;
    std::memcpy(k1, key, 8);
    std::memcpy(k2, key + 8, 8);
    DES_key_schedule s1;
    DES_key_schedule s2;
    DES_set_key_unchecked(&k1, &s1);
    DES_set_key_unchecked(&k2, &s2);
    BYTE expected[64];
    for (int offset = 0; offset < 64; offset += 8) {
        DES_ecb3_encrypt(reinterpret_cast<DES_cblock*>(data + offset), reinterpret_cast<DES_cblock*>(expected + offset),
                         &s1, &s2, &s1, DES_ENCRYPT);
    }
    BYTE actual[64];
    ASSERT_EQ(1, ReferenceDesGo(actual, data, 64, key, 16, 0, STANDARD_DES));
    EXPECT_EQ(0, std::memcmp(expected, actual, 64));
}

// Each departure on its own changes the result, so none of them is a no-op in the reference.
TEST(DesReference, EveryDepartureMatters)
{
    BYTE standard[8];
    ReferenceBlock(PLAIN, standard, KEY, false, STANDARD_DES);
    const DesVariant singles[] = {{true, false, false}, {false, true, false}, {false, false, true}};
    for (const DesVariant& variant : singles) {
        BYTE out[8];
        ReferenceBlock(PLAIN, out, KEY, false, variant);
        EXPECT_NE(0, std::memcmp(out, standard, 8));
        BYTE back[8];
        ReferenceBlock(out, back, KEY, true, variant);
        EXPECT_EQ(0, std::memcmp(back, PLAIN, 8));
    }
}
