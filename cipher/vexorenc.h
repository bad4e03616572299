// Public interface of the cipher library libvexorenc.so: one plain C export, Des_Go.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

// Enciphers (decipher = 0) or deciphers (decipher = 1) (length + 7) / 8 blocks of 8 bytes from in
// to out, each block on its own. out may be in. Both buffers must hold length rounded up to 8.
// At most 16 key bytes are used; keyLength 8 or less selects the single form, above 8 the
// two-key triple form. Returns 1, or 0 (out untouched) when out, in or key is null or length < 1.
unsigned char Des_Go(unsigned char* out, const unsigned char* in, int length, const unsigned char* key, int keyLength,
                     unsigned char decipher);

// The type by which a program that loads the library at run time looks Des_Go up.
typedef unsigned char (*PFN_DES_GO)(unsigned char* out, const unsigned char* in, int length, const unsigned char* key,
                                    int keyLength, unsigned char decipher);

#ifdef __cplusplus
}
#endif
