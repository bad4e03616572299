// Bounded little-endian readers and writers for the model's byte records.
#pragma once

#include "comkit/comkit_api.h"

#include "comkit/types.h"

namespace COMMON_EX {

// Reads fields from a buffer of known size and never past it. A field that does not fit is not
// read (the call returns false and the position stays), so a loader stops at the last whole
// field and returns Consumed().
class COMKIT_API CRecordReader {
public:
    CRecordReader(const BYTE* buffer, DWORD size) : m_pBuffer(buffer), m_nSize(buffer ? size : 0) {}

    DWORD Consumed() const { return m_nPos; }
    DWORD Remaining() const { return m_nSize - m_nPos; }
    bool Has(DWORD n) const { return n <= Remaining(); }
    // The current position, for a nested record that reads itself.
    BYTE* Current() const { return const_cast<BYTE*>(m_pBuffer) + m_nPos; }

    bool ReadDWORD(DWORD& value);
    bool ReadInt(int& value);
    // Reads a 32-bit value without consuming it.
    bool PeekDWORD(DWORD& value) const;
    bool ReadBytes(void* dest, DWORD n);
    // Steps over n bytes (a nested record that read itself); false past the end.
    bool Skip(DWORD n);
    // A length-prefixed text: on success replaces *owned (delete[]) by a zero-terminated copy,
    // or null for length 0.
    bool ReadString(char*& owned);
    // A count of entries of entrySize bytes that must all fit; counts of 0 or less give 0.
    bool ReadCount(int& count, DWORD entrySize);

private:
    const BYTE* m_pBuffer;
    DWORD m_nSize;
    DWORD m_nPos = 0;
};

// Writes fields at a buffer whose room has already been checked against the record size.
class COMKIT_API CRecordWriter {
public:
    explicit CRecordWriter(BYTE* buffer) : m_pBuffer(buffer) {}

    DWORD Written() const { return m_nPos; }
    BYTE* Current() const { return m_pBuffer + m_nPos; }

    void WriteDWORD(DWORD value);
    void WriteInt(int value) { WriteDWORD(static_cast<DWORD>(value)); }
    void WriteBytes(const void* data, DWORD n);
    void Skip(DWORD n) { m_nPos += n; }
    // Length (0 for null) and the text without its zero.
    void WriteString(const char* text);

    // Size of a length-prefixed text.
    static DWORD StringSize(const char* text);

private:
    BYTE* m_pBuffer;
    DWORD m_nPos = 0;
};

// Little-endian 32-bit access to raw bytes.
COMKIT_API DWORD ReadLE32(const BYTE* p);
COMKIT_API void WriteLE32(BYTE* p, DWORD value);

} // namespace COMMON_EX
