// Modbus frames as they pass on the line: RTU (station, PDU, CRC) and TCP (MBAP header, PDU), the
// requests a master sends and the check of what comes back against the request it answers.
#pragma once

#include "emulator/emulator_api.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace MODBUS_FRAME {

enum class TRANSPORT { RTU, TCP };

// What a check made of the bytes received so far.
enum class VERDICT {
    INCOMPLETE, // a prefix of a fitting answer: read on
    ANSWER,     // the answer to the request (possibly an exception answer): `used` bytes
    FOREIGN,    // TCP only: a whole frame of another transaction, `used` bytes to drop before reading on
    BROKEN      // not the answer to this request (other station, function or size, bad CRC, bad header)
};

// The Modbus CRC-16 (polynomial 0xA001, start 0xFFFF) of `size` bytes; sent low byte first.
EMULATOR_API uint16_t Crc16(const uint8_t* data, size_t size);

// `pdu` (function code first, 1 to 253 bytes) for `station`: RTU appends the CRC, TCP puts the
// MBAP header with `transaction` (protocol 0) in front.
EMULATOR_API std::vector<uint8_t> Frame(TRANSPORT transport, int station, uint16_t transaction,
                                        const std::vector<uint8_t>& pdu);

// The PDU of a read of `count` coils (function 1) or holding registers (function 3) from
// `address`, and of a write of one coil (5, 0xFF00 for on) or one register (6).
EMULATOR_API std::vector<uint8_t> ReadPdu(int function, int address, int count);
EMULATOR_API std::vector<uint8_t> WritePdu(int function, int address, uint16_t value);

// Checks `data` (what arrived since the request went out) against the answer `request` (a PDU
// this unit made) asks for: the same station (and transaction for TCP), the same function or its
// exception, the byte count the request implies, a write's echo, and the CRC on RTU. With ANSWER,
// `pdu` receives the answer's PDU; with ANSWER and FOREIGN, `used` is the frame's length.
EMULATOR_API VERDICT Check(TRANSPORT transport, int station, uint16_t transaction, const std::vector<uint8_t>& request,
                           const uint8_t* data, size_t size, size_t& used, std::vector<uint8_t>& pdu);

// The length of the RTU request that starts `data` (station first), for a slave: 0 while more
// bytes are needed to tell, -1 for a function whose request has no length of its own (the frame
// then ends at the line's silence). Covers every public function code with a fixed or counted
// request.
EMULATOR_API int RtuRequestLength(const uint8_t* data, size_t size);

} // namespace MODBUS_FRAME
