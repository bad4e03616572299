#include "comkit/serial_attri.h"

#include "comkit/owned_text.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace COM_HARDWARE_ATTRIBUTES_EX {

namespace {

struct Field {
    DWORD offset;
    DWORD width;
};
constexpr Field NAME_FIELD{0, 10};
constexpr Field BAUD_FIELD{10, 10};
constexpr Field NUMBER_FIELDS[4] = {{20, 5}, {25, 5}, {30, 5}, {35, 5}};

// The text of a field up to its zero, never past the field.
void ReadField(const BYTE* record, Field f, char* text)
{
    std::memcpy(text, record + f.offset, f.width);
    text[f.width] = 0;
}

void WriteField(BYTE* record, Field f, const char* text)
{
    size_t n = std::strlen(text);
    if (n > f.width - 1)
        n = f.width - 1;
    std::copy_n(text, n, record + f.offset);
    record[f.offset + n] = 0;
}

void WriteNumber(BYTE* record, Field f, long value)
{
    char text[24];
    std::snprintf(text, sizeof text, "%ld", value);
    WriteField(record, f, text);
}

} // namespace

CHADEXSerialAttri::CHADEXSerialAttri() = default;

CHADEXSerialAttri::~CHADEXSerialAttri()
{
    delete[] m_pszName;
}

void CHADEXSerialAttri::SetSerialName(const char* name)
{
    COMMON_EX::AssignText(m_pszName, name);
}

const char* CHADEXSerialAttri::GetSerialName()
{
    if (!m_pszName)
        SetSerialName("COM1");
    return m_pszName;
}

void CHADEXSerialAttri::Copy(CHADEXSerialAttri* source)
{
    if (!source || source == this)
        return;
    SetSerialName(source->GetSerialName());
    SetBaudrate(source->GetBaudrate());
    SetDataBits(source->GetDataBits());
    SetParity(source->GetParity());
    SetStopBits(source->GetStopBits());
    SetHandshake(source->GetHandshake());
}

DWORD CHADEXSerialAttri::Save(BYTE* buffer, DWORD size)
{
    if (!buffer)
        return RECORD_SIZE;
    if (size < RECORD_SIZE)
        return 0;
    std::memset(buffer, 0, RECORD_SIZE);
    WriteField(buffer, NAME_FIELD, GetSerialName());
    WriteNumber(buffer, BAUD_FIELD, m_eBaudrate);
    const long numbers[4] = {m_eDataBits, m_eParity, m_eStopBits, m_eHandshake};
    for (int i = 0; i < 4; ++i)
        WriteNumber(buffer, NUMBER_FIELDS[i], numbers[i]);
    return RECORD_SIZE;
}

DWORD CHADEXSerialAttri::Load(BYTE* buffer, DWORD size)
{
    if (!buffer || size < RECORD_SIZE)
        return 0;
    char text[11];
    ReadField(buffer, NAME_FIELD, text);
    SetSerialName(text);
    ReadField(buffer, BAUD_FIELD, text);
    m_eBaudrate = EBaudrate(std::atol(text));
    int numbers[4];
    for (int i = 0; i < 4; ++i) {
        ReadField(buffer, NUMBER_FIELDS[i], text);
        numbers[i] = std::atoi(text);
    }
    m_eDataBits = EDataBits(numbers[0]);
    m_eParity = EParity(numbers[1]);
    m_eStopBits = EStopBits(numbers[2]);
    m_eHandshake = EHandshake(numbers[3]);
    return RECORD_SIZE;
}

} // namespace COM_HARDWARE_ATTRIBUTES_EX
