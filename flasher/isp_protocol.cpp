#include "flasher/isp_protocol.h"

#include "vexorisp/modbus_crc.h"

#include <cstring>

const char ISP_ENTRY_TEXT[10] = "Entry_ISP";

void BuildEntryData(int port485, int bit485, int ledPort, int ledBit, BYTE data[ISP_ENTRY_SIZE])
{
    data[0] = static_cast<BYTE>(port485);
    data[1] = static_cast<BYTE>(bit485);
    data[2] = static_cast<BYTE>(ledPort);
    data[3] = static_cast<BYTE>(ledBit);
    std::memcpy(data + ISP_ENTRY_TEXT_OFFSET, ISP_ENTRY_TEXT, sizeof ISP_ENTRY_TEXT);
}

int GetBlockWords(long long remaining)
{
    if (remaining >= ISP_BLOCK_BYTES)
        return ISP_BLOCK_WORDS_MAX;
    return static_cast<int>((remaining + 1) / 2);
}

WORD CalcIspDataCrc(const BYTE* data, int words)
{
    return CalcModbusCrc(data, static_cast<std::size_t>(words) * 2);
}

WORD GetBlockMask(const BYTE header[ISP_BLOCK_HEADER_SIZE], WORD seed)
{
    return CalcModbusCrc(header, ISP_BLOCK_HEADER_SIZE, seed);
}

WORD BuildIspBlock(const BYTE* data, int words, BYTE command, DWORD address, WORD seed, BYTE* block)
{
    block[0] = static_cast<BYTE>(words);
    block[1] = command;
    block[2] = static_cast<BYTE>((address >> 8) & 0xFF);
    block[3] = static_cast<BYTE>(address & 0xFF);
    std::memcpy(block + ISP_BLOCK_HEADER_SIZE, data, static_cast<std::size_t>(words) * 2);
    ToggleIspBlockMask(block, words, seed);
    return CalcIspDataCrc(data, words);
}

bool ReadIspBlockHeader(const BYTE* block, std::size_t size, ISP_BLOCK_VIEW& view)
{
    if (size < ISP_BLOCK_HEADER_SIZE)
        return false;
    int words = block[0];
    if (words < 1 || words > ISP_BLOCK_WORDS_MAX || size != ISP_BLOCK_HEADER_SIZE + static_cast<std::size_t>(words) * 2)
        return false;
    view.words = words;
    view.command = block[1];
    view.address = static_cast<WORD>(block[2] << 8 | block[3]);
    return true;
}

void ToggleIspBlockMask(BYTE* block, int words, WORD seed)
{
    WORD mask = GetBlockMask(block, seed);
    BYTE* data = block + ISP_BLOCK_HEADER_SIZE;
    for (int i = 0; i < words; ++i) {
        data[2 * i] ^= static_cast<BYTE>(mask & 0xFF);
        data[2 * i + 1] ^= static_cast<BYTE>(mask >> 8);
    }
}
