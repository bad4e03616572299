// What the panel runtime asks of its line to the PLC: reading and writing registers and coils of
// a station. Each call blocks until answered or failed.
#pragma once

#include "emulator/emulator_api.h"

#include "comkit/types.h"

#include <string>

class EMULATOR_API IPanelLink {
public:
    virtual ~IPanelLink() = default;
    // `count` (1-125) registers from `address` into `values`; false on any failure.
    virtual bool ReadRegisters(int station, int address, int count, WORD* values) = 0;
    // `count` (1-2000) coils from `address` into `values` (0 or 1 each); false on any failure.
    virtual bool ReadCoils(int station, int address, int count, BYTE* values) = 0;
    virtual bool WriteRegister(int station, int address, WORD value) = 0;
    virtual bool WriteCoil(int station, int address, bool on) = 0;
    // Words for the last failure; empty after a success.
    virtual std::string GetLastError() const = 0;
};
