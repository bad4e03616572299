// The line to the PLC as a Modbus master, over a serial line (RTU) or TCP, through libmodbus.
// Holding registers are read with function 3 and written with 6, coils read with 1 and written
// with 5. A failed request closes the connection; the next request connects again.
#pragma once

#include "emulator/emulator_api.h"

#include "emulator/panel_link.h"

#include <memory>
#include <string>

struct _modbus;

class EMULATOR_API CModbusLink : public IPanelLink {
public:
    struct SERIAL {
        std::string device; // "/dev/ttyUSB0"
        int baud = 9600;
        char parity = 'N'; // 'N', 'E' or 'O'
        int dataBits = 8;
        int stopBits = 1;
    };

    // Null with the reason when libmodbus refuses the settings (nothing is opened yet).
    static std::unique_ptr<CModbusLink> Serial(const SERIAL& serial, std::string& error);
    static std::unique_ptr<CModbusLink> Tcp(const std::string& host, int port, std::string& error);
    ~CModbusLink() override;
    CModbusLink(const CModbusLink&) = delete;
    CModbusLink& operator=(const CModbusLink&) = delete;

    // Answer time-out of each request (default 500 ms).
    void SetTimeout(int milliseconds);
    // "RTU /dev/ttyS0 9600 8N1" or "TCP 127.0.0.1:1502".
    const std::string& Describe() const { return m_strDescription; }

    bool ReadRegisters(int station, int address, int count, WORD* values) override;
    bool ReadCoils(int station, int address, int count, BYTE* values) override;
    bool WriteRegister(int station, int address, WORD value) override;
    bool WriteCoil(int station, int address, bool on) override;
    std::string GetLastError() const override { return m_strError; }

private:
    CModbusLink(_modbus* context, std::string description);
    bool Prepare(int station);
    bool Finish(bool ok);

    _modbus* m_pContext;
    std::string m_strDescription;
    std::string m_strError;
    bool m_bConnected = false;
    int m_nTimeoutMs = 500;
};
