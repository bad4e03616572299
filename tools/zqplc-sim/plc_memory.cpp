#include "tools/zqplc-sim/plc_memory.h"

namespace {

enum : uint8_t { ILLEGAL_FUNCTION = 1, ILLEGAL_ADDRESS = 2, ILLEGAL_VALUE = 3 };

int Word(const uint8_t* p)
{
    return p[0] << 8 | p[1];
}

void PutWord(std::vector<uint8_t>& out, int value)
{
    out.push_back(uint8_t(value >> 8));
    out.push_back(uint8_t(value));
}

std::vector<uint8_t> Exception(uint8_t function, uint8_t code)
{
    return {uint8_t(function | 0x80), code};
}

std::string RegisterLine(int address, int value)
{
    return "write register " + std::to_string(address) + " = " + std::to_string(value);
}

} // namespace

CPlcMemory::CPlcMemory() : m_registers(ADDRESSES), m_coils(ADDRESSES)
{
}

std::vector<uint8_t> CPlcMemory::Serve(const uint8_t* pdu, size_t size, std::vector<std::string>& writes)
{
    if (size < 1)
        return {};
    const uint8_t function = pdu[0];
    // The request's length for the function, checked before anything is read from it.
    size_t expected = 0;
    switch (function) {
    case 1:
    case 3:
    case 5:
    case 6: expected = 5; break;
    case 15:
    case 16: expected = size >= 6 ? 6 + size_t(pdu[5]) : 6; break;
    case 22: expected = 7; break;
    case 23: expected = size >= 10 ? 10 + size_t(pdu[9]) : 10; break;
    default: return Exception(function, ILLEGAL_FUNCTION);
    }
    if (size != expected)
        return Exception(function, ILLEGAL_VALUE);
    const int address = Word(pdu + 1);
    const int count = Word(pdu + 3);
    const auto outside = [](int first, int n) { return first + n > ADDRESSES; };
    std::vector<uint8_t> answer{function};
    switch (function) {
    case 1:
    case 3: {
        const bool coils = function == 1;
        if (count < 1 || count > (coils ? 2000 : 125))
            return Exception(function, ILLEGAL_VALUE);
        if (outside(address, count))
            return Exception(function, ILLEGAL_ADDRESS);
        if (coils) {
            answer.push_back(uint8_t((count + 7) / 8));
            answer.resize(answer.size() + size_t((count + 7) / 8));
            for (int i = 0; i < count; ++i)
                if (m_coils[size_t(address + i)])
                    answer[size_t(2 + i / 8)] |= uint8_t(1 << (i % 8));
        } else {
            answer.push_back(uint8_t(count * 2));
            for (int i = 0; i < count; ++i)
                PutWord(answer, m_registers[size_t(address + i)]);
        }
        return answer;
    }
    case 5:
        if (count != 0xFF00 && count != 0x0000)
            return Exception(function, ILLEGAL_VALUE);
        m_coils[size_t(address)] = count ? 1 : 0;
        writes.push_back("write coil " + std::to_string(address) + " = " + (count ? "1" : "0"));
        return std::vector<uint8_t>(pdu, pdu + size);
    case 6:
        m_registers[size_t(address)] = uint16_t(count);
        writes.push_back(RegisterLine(address, count));
        return std::vector<uint8_t>(pdu, pdu + size);
    case 15:
    case 16: {
        const bool coils = function == 15;
        const size_t bytes = coils ? size_t((count + 7) / 8) : size_t(count) * 2;
        if (count < 1 || count > (coils ? 1968 : 123) || pdu[5] != bytes)
            return Exception(function, ILLEGAL_VALUE);
        if (outside(address, count))
            return Exception(function, ILLEGAL_ADDRESS);
        for (int i = 0; i < count; ++i) {
            const size_t at = size_t(address + i);
            if (coils) {
                m_coils[at] = uint8_t(pdu[6 + i / 8] >> (i % 8) & 1);
                writes.push_back("write coil " + std::to_string(at) + " = " + std::to_string(m_coils[at]));
            } else {
                m_registers[at] = uint16_t(Word(pdu + 6 + 2 * i));
                writes.push_back(RegisterLine(int(at), m_registers[at]));
            }
        }
        answer.insert(answer.end(), pdu + 1, pdu + 5);
        return answer;
    }
    case 22: {
        const int andMask = Word(pdu + 3), orMask = Word(pdu + 5);
        uint16_t& value = m_registers[size_t(address)];
        value = uint16_t((value & andMask) | (orMask & ~andMask));
        writes.push_back(RegisterLine(address, value));
        return std::vector<uint8_t>(pdu, pdu + size);
    }
    default: { // 23: the write is done before the read
        const int writeAddress = Word(pdu + 5), writeCount = Word(pdu + 7);
        if (count < 1 || count > 125 || writeCount < 1 || writeCount > 121 || pdu[9] != writeCount * 2)
            return Exception(function, ILLEGAL_VALUE);
        if (outside(address, count) || outside(writeAddress, writeCount))
            return Exception(function, ILLEGAL_ADDRESS);
        for (int i = 0; i < writeCount; ++i) {
            const size_t at = size_t(writeAddress + i);
            m_registers[at] = uint16_t(Word(pdu + 10 + 2 * i));
            writes.push_back(RegisterLine(int(at), m_registers[at]));
        }
        answer.push_back(uint8_t(count * 2));
        for (int i = 0; i < count; ++i)
            PutWord(answer, m_registers[size_t(address + i)]);
        return answer;
    }
    }
}
