// Helpers for record tests: saving into an exact buffer and loading every cut of a record.
#pragma once

#include "comkit/serialize.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

inline std::vector<BYTE> SaveRecord(COM_INTERFACE_EX::ISerialize& obj)
{
    DWORD size = obj.Save(nullptr, 0);
    std::vector<BYTE> buf(size, 0xEE);
    EXPECT_EQ(obj.Save(buf.data(), size), size);
    return buf;
}

inline DWORD Le32(const std::vector<BYTE>& b, size_t at)
{
    return DWORD(b[at]) | DWORD(b[at + 1]) << 8 | DWORD(b[at + 2]) << 16 | DWORD(b[at + 3]) << 24;
}

// Loads each proper prefix of record, copied into a buffer of exactly that size (so the
// sanitizer sees any read past it), into a fresh object. A cut record must report fewer bytes
// than the whole, and a count that differs from the object's own Save size, so that its owner
// can tell the record is damaged; the object must stay usable.
template <typename T>
void LoadEveryCut(const std::vector<BYTE>& record, const std::function<std::unique_ptr<T>()>& make)
{
    for (size_t n = 0; n < record.size(); ++n) {
        std::unique_ptr<BYTE[]> cut(new BYTE[n ? n : 1]);
        std::copy(record.begin(), record.begin() + long(n), cut.get());
        std::unique_ptr<T> obj = make();
        DWORD consumed = obj->Load(n ? cut.get() : nullptr, DWORD(n));
        EXPECT_LE(consumed, n) << "cut at " << n;
        DWORD own = obj->Save(nullptr, 0);
        EXPECT_TRUE(consumed == 0 || consumed != own) << "cut at " << n << " looks whole";
        std::vector<BYTE> again(own);
        EXPECT_EQ(obj->Save(again.data(), own), own) << "cut at " << n;
    }
}
