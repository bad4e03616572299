#include "emulator/modbus_link.h"

#include "comkit/message_text.h"

#include <modbus.h>

#include <cerrno>

namespace {

const char* const CONTEXT = "Emulator";

} // namespace

CModbusLink::CModbusLink(modbus_t* context, std::string description)
    : m_pContext(context), m_strDescription(std::move(description))
{
}

CModbusLink::~CModbusLink()
{
    if (m_bConnected)
        modbus_close(m_pContext);
    modbus_free(m_pContext);
}

std::unique_ptr<CModbusLink> CModbusLink::Serial(const SERIAL& serial, std::string& error)
{
    modbus_t* context =
        modbus_new_rtu(serial.device.c_str(), serial.baud, serial.parity, serial.dataBits, serial.stopBits);
    if (!context) {
        error = COMMON_EX::TrArgs(CONTEXT, QT_TRANSLATE_NOOP("Emulator", "cannot use the serial line %1: %2"),
                                  {serial.device, modbus_strerror(errno)});
        return nullptr;
    }
    const std::string description = "RTU " + serial.device + " " + std::to_string(serial.baud) + " " +
                                    std::to_string(serial.dataBits) + serial.parity + std::to_string(serial.stopBits);
    return std::unique_ptr<CModbusLink>(new CModbusLink(context, description));
}

std::unique_ptr<CModbusLink> CModbusLink::Tcp(const std::string& host, int port, std::string& error)
{
    modbus_t* context = modbus_new_tcp(host.c_str(), port);
    if (!context) {
        error = COMMON_EX::TrArgs(CONTEXT, QT_TRANSLATE_NOOP("Emulator", "cannot use %1:%2: %3"),
                                  {host, std::to_string(port), modbus_strerror(errno)});
        return nullptr;
    }
    return std::unique_ptr<CModbusLink>(new CModbusLink(context, "TCP " + host + ":" + std::to_string(port)));
}

void CModbusLink::SetTimeout(int milliseconds)
{
    m_nTimeoutMs = milliseconds > 0 ? milliseconds : 1;
}

bool CModbusLink::Prepare(int station)
{
    if (!m_bConnected) {
        if (modbus_connect(m_pContext) != 0) {
            m_strError = COMMON_EX::TrArgs(CONTEXT, QT_TRANSLATE_NOOP("Emulator", "cannot connect (%1): %2"),
                                           {m_strDescription, modbus_strerror(errno)});
            return false;
        }
        m_bConnected = true;
    }
    modbus_set_response_timeout(m_pContext, uint32_t(m_nTimeoutMs / 1000), uint32_t(m_nTimeoutMs % 1000) * 1000);
    if (modbus_set_slave(m_pContext, station) != 0) {
        m_strError = COMMON_EX::TrArgs(CONTEXT, QT_TRANSLATE_NOOP("Emulator", "station %1 cannot be addressed"),
                                       {std::to_string(station)});
        return false;
    }
    return true;
}

bool CModbusLink::Finish(bool ok)
{
    if (ok) {
        m_strError.clear();
        return true;
    }
    m_strError = COMMON_EX::TrArgs(CONTEXT, QT_TRANSLATE_NOOP("Emulator", "no answer (%1): %2"),
                                   {m_strDescription, modbus_strerror(errno)});
    // Start over with a fresh connection: a half-read answer must not be taken for the next one.
    modbus_close(m_pContext);
    m_bConnected = false;
    return false;
}

bool CModbusLink::ReadRegisters(int station, int address, int count, WORD* values)
{
    uint16_t buffer[MODBUS_MAX_READ_REGISTERS];
    if (count < 1 || count > MODBUS_MAX_READ_REGISTERS) {
        m_strError =
            COMMON_EX::TrArgs(CONTEXT, QT_TRANSLATE_NOOP("Emulator", "cannot read %1 registers in one request"),
                              {std::to_string(count)});
        return false;
    }
    if (!Prepare(station))
        return false;
    const bool ok = modbus_read_registers(m_pContext, address, count, buffer) == count;
    if (ok)
        for (int i = 0; i < count; ++i)
            values[i] = buffer[i];
    return Finish(ok);
}

bool CModbusLink::ReadCoils(int station, int address, int count, BYTE* values)
{
    if (count < 1 || count > MODBUS_MAX_READ_BITS) {
        m_strError = COMMON_EX::TrArgs(CONTEXT, QT_TRANSLATE_NOOP("Emulator", "cannot read %1 coils in one request"),
                                       {std::to_string(count)});
        return false;
    }
    if (!Prepare(station))
        return false;
    return Finish(modbus_read_bits(m_pContext, address, count, values) == count);
}

bool CModbusLink::WriteRegister(int station, int address, WORD value)
{
    if (!Prepare(station))
        return false;
    return Finish(modbus_write_register(m_pContext, address, value) == 1);
}

bool CModbusLink::WriteCoil(int station, int address, bool on)
{
    if (!Prepare(station))
        return false;
    return Finish(modbus_write_bit(m_pContext, address, on ? 1 : 0) == 1);
}
