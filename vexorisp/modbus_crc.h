// CRC-16/MODBUS (reflected polynomial 0xA001), table driven. Header only, so that the programmer,
// the communication library and the panel simulator share one definition without linking each other.
#pragma once

#include "comkit/types.h"

#include <cstddef>

// The usual initial value; the block mask starts from another seed.
constexpr WORD MODBUS_CRC_INIT = 0xFFFF;

struct MODBUS_CRC_TABLE {
    WORD entries[256];
};

constexpr MODBUS_CRC_TABLE MakeModbusCrcTable()
{
    MODBUS_CRC_TABLE table{};
    for (unsigned i = 0; i < 256; ++i) {
        unsigned crc = i;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? (crc >> 1) ^ 0xA001u : crc >> 1;
        table.entries[i] = static_cast<WORD>(crc);
    }
    return table;
}

inline constexpr MODBUS_CRC_TABLE MODBUS_CRC_TABLE_VALUES = MakeModbusCrcTable();

// The CRC as a 16-bit value whose low byte is the one a frame carries first ("123456789" gives
// 0x4B37). seed replaces the initial value 0xFFFF.
constexpr WORD CalcModbusCrc(const BYTE* data, std::size_t length, WORD seed = MODBUS_CRC_INIT)
{
    unsigned crc = seed;
    for (std::size_t i = 0; i < length; ++i)
        crc = (crc >> 8) ^ MODBUS_CRC_TABLE_VALUES.entries[(crc ^ data[i]) & 0xFF];
    return static_cast<WORD>(crc);
}
