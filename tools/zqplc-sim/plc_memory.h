// The simulated PLC's values (holding registers and coils, line addresses 0-65535) and the serving
// of one Modbus request to them: the answer, and the writes that took effect.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CPlcMemory {
public:
    static constexpr int ADDRESSES = 65536;

    CPlcMemory();

    uint16_t* Registers() { return m_registers.data(); }
    uint8_t* Coils() { return m_coils.data(); }

    // Serves one request PDU (function code first) and returns the answer PDU. Served: 1 and 3
    // (read coils, holding registers), 5 and 6 (write one), 15 and 16 (write several), 22 (mask
    // write register) and 23 (read and write registers). Any other function, input registers
    // and discrete inputs (2, 4) included, is answered with exception 1 (illegal function); a
    // range that passes address 65535 with exception 2; a count, byte count, coil value (other
    // than 0xFF00 and 0x0000) or request length the function does not allow with exception 3.
    // Nothing changes on an exception. `writes` receives one line for each value written, in
    // order ("write coil 10 = 1", "write register 100 = 1234"), only for writes that took effect.
    std::vector<uint8_t> Serve(const uint8_t* pdu, size_t size, std::vector<std::string>& writes);

private:
    std::vector<uint16_t> m_registers;
    std::vector<uint8_t> m_coils;
};
