// The in-memory PLC of offline simulation.
#include "emulator/simulated_plc.h"

namespace {

int Wrapped(int address)
{
    return address & 0xFFFF;
}

} // namespace

bool CSimulatedPlc::ReadRegisters(int station, int address, int count, WORD* values)
{
    std::lock_guard<std::mutex> hold(m_lock);
    for (int i = 0; i < count; ++i) {
        auto found = m_registers.find({station, Wrapped(address + i)});
        values[i] = found == m_registers.end() ? 0 : found->second;
    }
    return true;
}

bool CSimulatedPlc::ReadCoils(int station, int address, int count, BYTE* values)
{
    std::lock_guard<std::mutex> hold(m_lock);
    for (int i = 0; i < count; ++i) {
        auto found = m_coils.find({station, Wrapped(address + i)});
        values[i] = found != m_coils.end() && found->second ? 1 : 0;
    }
    return true;
}

bool CSimulatedPlc::WriteRegister(int station, int address, WORD value)
{
    SetRegister(station, address, value);
    return true;
}

bool CSimulatedPlc::WriteCoil(int station, int address, bool on)
{
    SetCoil(station, address, on);
    return true;
}

void CSimulatedPlc::SetRegister(int station, int address, WORD value)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_registers[{station, Wrapped(address)}] = value;
    ++m_nRevision;
}

void CSimulatedPlc::SetCoil(int station, int address, bool on)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_coils[{station, Wrapped(address)}] = on;
    ++m_nRevision;
}

WORD CSimulatedPlc::GetRegister(int station, int address) const
{
    std::lock_guard<std::mutex> hold(m_lock);
    auto found = m_registers.find({station, Wrapped(address)});
    return found == m_registers.end() ? 0 : found->second;
}

bool CSimulatedPlc::GetCoil(int station, int address) const
{
    std::lock_guard<std::mutex> hold(m_lock);
    auto found = m_coils.find({station, Wrapped(address)});
    return found != m_coils.end() && found->second;
}

unsigned long CSimulatedPlc::GetRevision() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_nRevision;
}
