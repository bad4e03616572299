#include "comkit/attr_value.h"

#include "comkit/record_io.h"

#include <cstring>

namespace COMMON_EX {

namespace {

void PutWord(BYTE* p, WORD v)
{
    p[0] = BYTE(v);
    p[1] = BYTE(v >> 8);
}

WORD GetWord(const BYTE* p)
{
    return WORD(p[0] | (p[1] << 8));
}

} // namespace

CAttrValue::CAttrValue() : m_vt(VT_EMPTY), m_data{}
{
}

CAttrValue CAttrValue::Int16(short v)
{
    CAttrValue r;
    r.m_vt = VT_I2;
    PutWord(r.m_data, WORD(v));
    return r;
}

CAttrValue CAttrValue::Int32(int v)
{
    CAttrValue r;
    r.m_vt = VT_I4;
    WriteLE32(r.m_data, DWORD(v));
    return r;
}

CAttrValue CAttrValue::Double(double v)
{
    CAttrValue r;
    r.m_vt = VT_R8;
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    for (int i = 0; i < 8; ++i)
        r.m_data[i] = BYTE(bits >> (8 * i));
    return r;
}

CAttrValue CAttrValue::String(const std::u16string& v)
{
    CAttrValue r;
    r.m_vt = VT_BSTR;
    r.m_str = v;
    return r;
}

int CAttrValue::GetInt32() const
{
    return int(ReadLE32(m_data));
}

short CAttrValue::GetInt16() const
{
    return short(GetWord(m_data));
}

double CAttrValue::GetDouble() const
{
    if (m_vt != VT_R8)
        return GetInt32();
    std::uint64_t bits = 0;
    for (int i = 0; i < 8; ++i)
        bits |= std::uint64_t(m_data[i]) << (8 * i);
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

DWORD CAttrValue::GetStoredSize() const
{
    return IsString() ? STRING_HEAD_SIZE + DWORD(m_str.size() * 2) : IMAGE_SIZE;
}

DWORD CAttrValue::Store(BYTE* out) const
{
    if (IsString()) {
        PutWord(out, VT_BSTR);
        WriteLE32(out + 2, DWORD(m_str.size() * 2));
        BYTE* p = out + STRING_HEAD_SIZE;
        for (char16_t c : m_str) {
            PutWord(p, WORD(c));
            p += 2;
        }
        return DWORD(p - out);
    }
    PutWord(out, m_vt);
    std::memset(out + 2, 0, 6);
    std::memcpy(out + 8, m_data, 8);
    return IMAGE_SIZE;
}

DWORD CAttrValue::Restore(const BYTE* in, DWORD size)
{
    if (size < 2)
        return 0;
    const WORD vt = GetWord(in);
    if (vt == VT_BSTR) {
        if (size < STRING_HEAD_SIZE)
            return 0;
        const DWORD m = ReadLE32(in + 2);
        if (m > size - STRING_HEAD_SIZE)
            return 0;
        std::u16string s;
        s.reserve(m / 2);
        // An odd trailing byte belongs to no code unit; it is consumed and dropped.
        for (DWORD i = 0; i + 1 < m; i += 2)
            s.push_back(char16_t(GetWord(in + STRING_HEAD_SIZE + i)));
        *this = String(s);
        return STRING_HEAD_SIZE + m;
    }
    if (size < IMAGE_SIZE)
        return 0;
    // Any other type code is kept with its data bytes as stored.
    m_vt = vt;
    std::memcpy(m_data, in + 8, 8);
    m_str.clear();
    return IMAGE_SIZE;
}

bool CAttrValue::operator==(const CAttrValue& other) const
{
    if (m_vt != other.m_vt)
        return false;
    if (IsString())
        return m_str == other.m_str;
    return std::memcmp(m_data, other.m_data, 8) == 0;
}

} // namespace COMMON_EX
