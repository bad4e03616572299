// The typed value an attribute holds, with the type codes and byte images its records store.
#pragma once

#include "comkit/comkit_api.h"

#include "comkit/types.h"

#include <string>

namespace COMMON_EX {

// A small tagged value: a 16-bit type code and 8 data bytes, or a UTF-16 string.
// Integer kinds are read through their 32-bit view (data bytes 0-3); a 16-bit value leaves
// the upper half zero, so its 32-bit view of -1 is 65535.
class COMKIT_API CAttrValue {
public:
    enum VarType : WORD {
        VT_EMPTY = 0,
        VT_I2 = 2,   // 16-bit integer
        VT_I4 = 3,   // 32-bit integer
        VT_R8 = 5,   // double
        VT_BSTR = 8, // UTF-16 string
    };

    // Type code, three zero words, 8 data bytes.
    static constexpr DWORD IMAGE_SIZE = 16;
    // A stored string: type code 8, 32-bit byte length, UTF-16LE bytes.
    static constexpr DWORD STRING_HEAD_SIZE = 6;

    CAttrValue();

    static CAttrValue Int16(short v);
    static CAttrValue Int32(int v);
    static CAttrValue Double(double v);
    static CAttrValue String(const std::u16string& v);

    WORD GetType() const { return m_vt; }
    bool IsString() const { return m_vt == VT_BSTR; }

    int GetInt32() const;                                     // the 32-bit view of the data bytes
    short GetInt16() const;                                   // the 16-bit view
    double GetDouble() const;                                 // a double for VT_R8, else the 32-bit view
    const std::u16string& GetString() const { return m_str; } // empty for other kinds

    // The value field of an attribute record: 6 + m bytes for a string, else the 16-byte image.
    DWORD GetStoredSize() const;
    DWORD Store(BYTE* out) const;
    // Reads one value field from at most size bytes; returns the bytes consumed, 0 (value
    // unchanged) when the field does not fit.
    DWORD Restore(const BYTE* in, DWORD size);

    bool operator==(const CAttrValue& other) const;
    bool operator!=(const CAttrValue& other) const { return !(*this == other); }

private:
    WORD m_vt;
    BYTE m_data[8];
    std::u16string m_str;
};

} // namespace COMMON_EX
