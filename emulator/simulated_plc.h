// A PLC held in memory for offline simulation: every holding register and coil of every station
// exists and starts at 0; the panel's reads and writes and the user's edits meet here. Safe to use
// from several threads (the panel's and the window's).
#pragma once

#include "emulator/emulator_api.h"

#include "emulator/panel_link.h"

#include <map>
#include <mutex>
#include <utility>

class EMULATOR_API CSimulatedPlc : public IPanelLink {
public:
    // Never fail; count is not checked beyond the panel's own limits.
    bool ReadRegisters(int station, int address, int count, WORD* values) override;
    bool ReadCoils(int station, int address, int count, BYTE* values) override;
    bool WriteRegister(int station, int address, WORD value) override;
    bool WriteCoil(int station, int address, bool on) override;
    std::string GetLastError() const override { return std::string(); }

    // The user's side: values as the panel would read them next.
    void SetRegister(int station, int address, WORD value);
    void SetCoil(int station, int address, bool on);
    WORD GetRegister(int station, int address) const;
    bool GetCoil(int station, int address) const;
    // Grows by one with every change of a value, whoever made it (a write of the same value counts
    // too): a viewer refreshes when it moved.
    unsigned long GetRevision() const;

private:
    using KEY = std::pair<int, int>; // station, address (addresses wrap at 16 bits)

    mutable std::mutex m_lock;
    std::map<KEY, WORD> m_registers;
    std::map<KEY, bool> m_coils;
    unsigned long m_nRevision = 0;
};
