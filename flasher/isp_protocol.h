// What the programmer and the panel's boot loader exchange: the entry request, the command words
// and the 128-byte program blocks with their mask. The framing around them is the communication
// library's (vexorisp).
#pragma once

#include "flasher/flasher_api.h"

#include "comkit/types.h"

#include <cstddef>

// Entry request: 7 registers (14 bytes) to register 9688, or 5 registers (the text part only)
// when no 485 port is selected.
constexpr int ISP_ENTRY_REGISTER = 0x25D8;
constexpr int ISP_ENTRY_SIZE = 14;
constexpr int ISP_ENTRY_REGISTERS = 7;
constexpr int ISP_ENTRY_TEXT_REGISTERS = 5;
constexpr int ISP_ENTRY_TEXT_OFFSET = 4;
extern FLASHER_API const char ISP_ENTRY_TEXT[10]; // "Entry_ISP" and its zero

// Command words go to register 0 of the boot loader's own address, as do the blocks.
constexpr int ISP_BOOT_SLAVE = 255;
constexpr int ISP_COMMAND_REGISTER = 0;
constexpr WORD ISP_COMMAND_FIRST = 1;   // always sent after entry
constexpr WORD ISP_COMMAND_SECOND = 2;  // sent only when the program begins at address 0
constexpr WORD ISP_COMMAND_PROGRAM = 3; // carried by every block

// Modbus function codes of the requests.
constexpr int ISP_FUNCTION_WRITE = 16;
constexpr int ISP_FUNCTION_BLOCK = 100;

// Blocks: a 4-byte header (words, command, address high, address low), then the masked words.
constexpr int ISP_BLOCK_BYTES = 128;
constexpr int ISP_BLOCK_WORDS_MAX = ISP_BLOCK_BYTES / 2;
constexpr int ISP_BLOCK_HEADER_SIZE = 4;
constexpr int ISP_BLOCK_SIZE_MAX = ISP_BLOCK_HEADER_SIZE + ISP_BLOCK_BYTES;
// The panel's address space: block addresses are 16 bits.
constexpr DWORD ISP_ADDRESS_SPACE = 0x10000;
// Default seed of the block mask.
constexpr WORD ISP_MASK_SEED_DEFAULT = 0x5AA5;

// Selections of the port lists; index 4 of a port list is "none".
constexpr int ISP_PORT_NONE = 4;
constexpr int ISP_PORT_P3 = 3;

// Builds the 14 entry bytes from the four port and bit selections.
FLASHER_API void BuildEntryData(int port485, int bit485, int ledPort, int ledBit, BYTE data[ISP_ENTRY_SIZE]);

// Words of the block that starts with remaining image bytes left: 64, or fewer for the last
// block (an odd last byte travels with the image byte after it).
FLASHER_API int GetBlockWords(long long remaining);

// The block checksum: the Modbus CRC of the block's 2 x words raw (unmasked) data bytes.
FLASHER_API WORD CalcIspDataCrc(const BYTE* data, int words);

// The mask of a block: the Modbus CRC of its 4 header bytes, started from seed.
FLASHER_API WORD GetBlockMask(const BYTE header[ISP_BLOCK_HEADER_SIZE], WORD seed);

// Writes header and masked words of a block to block (ISP_BLOCK_HEADER_SIZE + 2 x words bytes)
// from 2 x words image bytes at data. Returns the block checksum: the Modbus CRC of those raw bytes.
FLASHER_API WORD BuildIspBlock(const BYTE* data, int words, BYTE command, DWORD address, WORD seed, BYTE* block);

// The block's fields as the panel reads them; false when size does not match the header.
struct FLASHER_API ISP_BLOCK_VIEW {
    int words = 0;
    BYTE command = 0;
    WORD address = 0;
};
FLASHER_API bool ReadIspBlockHeader(const BYTE* block, std::size_t size, ISP_BLOCK_VIEW& view);

// Removes (or applies again) the mask of a block in place, from its header.
FLASHER_API void ToggleIspBlockMask(BYTE* block, int words, WORD seed);
