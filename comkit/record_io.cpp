#include "comkit/record_io.h"

#include <cstring>

namespace COMMON_EX {

DWORD ReadLE32(const BYTE* p)
{
    return DWORD(p[0]) | (DWORD(p[1]) << 8) | (DWORD(p[2]) << 16) | (DWORD(p[3]) << 24);
}

void WriteLE32(BYTE* p, DWORD value)
{
    p[0] = BYTE(value);
    p[1] = BYTE(value >> 8);
    p[2] = BYTE(value >> 16);
    p[3] = BYTE(value >> 24);
}

bool CRecordReader::PeekDWORD(DWORD& value) const
{
    if (!Has(4))
        return false;
    value = ReadLE32(m_pBuffer + m_nPos);
    return true;
}

bool CRecordReader::ReadDWORD(DWORD& value)
{
    if (!PeekDWORD(value))
        return false;
    m_nPos += 4;
    return true;
}

bool CRecordReader::ReadInt(int& value)
{
    DWORD v;
    if (!ReadDWORD(v))
        return false;
    value = static_cast<int>(v);
    return true;
}

bool CRecordReader::ReadBytes(void* dest, DWORD n)
{
    if (!Has(n))
        return false;
    if (n)
        std::memcpy(dest, m_pBuffer + m_nPos, n);
    m_nPos += n;
    return true;
}

bool CRecordReader::Skip(DWORD n)
{
    if (!Has(n))
        return false;
    m_nPos += n;
    return true;
}

bool CRecordReader::ReadString(char*& owned)
{
    DWORD len;
    if (!PeekDWORD(len) || !Has(4) || len > Remaining() - 4)
        return false;
    char* text = nullptr;
    if (len) {
        text = new char[len + 1];
        std::memcpy(text, m_pBuffer + m_nPos + 4, len);
        text[len] = 0;
    }
    m_nPos += 4 + len;
    delete[] owned;
    owned = text;
    return true;
}

bool CRecordReader::ReadCount(int& count, DWORD entrySize)
{
    DWORD raw;
    if (!PeekDWORD(raw))
        return false;
    int n = static_cast<int>(raw);
    if (n > 0 && entrySize > 0 && DWORD(n) > (Remaining() - 4) / entrySize)
        return false;
    m_nPos += 4;
    count = n > 0 ? n : 0;
    return true;
}

void CRecordWriter::WriteDWORD(DWORD value)
{
    WriteLE32(m_pBuffer + m_nPos, value);
    m_nPos += 4;
}

void CRecordWriter::WriteBytes(const void* data, DWORD n)
{
    if (n)
        std::memcpy(m_pBuffer + m_nPos, data, n);
    m_nPos += n;
}

void CRecordWriter::WriteString(const char* text)
{
    DWORD len = text ? DWORD(std::strlen(text)) : 0;
    WriteDWORD(len);
    WriteBytes(text, len);
}

DWORD CRecordWriter::StringSize(const char* text)
{
    return 4 + (text ? DWORD(std::strlen(text)) : 0);
}

} // namespace COMMON_EX
