// The line to the PLC as a Modbus master, over a serial line (RTU) or TCP. libmodbus opens the
// line (the serial port's settings, the TCP connection); the frames are written and read here, so
// that every request ends at its deadline and only its own answer is taken. Holding registers are
// read with function 3 and written with 6, coils read with 1 and written with 5.
#pragma once

#include "emulator/emulator_api.h"

#include "emulator/modbus_frame.h"
#include "emulator/panel_link.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct _modbus; // NOLINT(bugprone-reserved-identifier): libmodbus names its context so

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

    // Answer time-out of each request (default 500 ms; below 1 counts as 1). A request is given
    // up when its whole answer is not in by then, however its bytes trickle in.
    void SetTimeout(int milliseconds);
    // "RTU /dev/ttyS0 9600 8N1" or "TCP 127.0.0.1:1502".
    const std::string& Describe() const { return m_strDescription; }

    // Each call sends one request and takes only its answer: on TCP the frame with its
    // transaction, station, function and size (frames of other transactions are skipped); on RTU
    // the frame of its station, function, size and CRC, anything else failing the request. After
    // a failure a TCP connection is closed (the next request connects again); a serial line is
    // drained first: the next request waits until nothing has arrived for one time-out, for at
    // most four, so a late answer cannot pass for the next one's (a line that never falls quiet
    // fails the request). Bytes found waiting before a request also start a drain.
    bool ReadRegisters(int station, int address, int count, WORD* values) override;
    bool ReadCoils(int station, int address, int count, BYTE* values) override;
    bool WriteRegister(int station, int address, WORD value) override;
    bool WriteCoil(int station, int address, bool on) override;
    std::string GetLastError() const override { return m_strError; }

private:
    CModbusLink(_modbus* context, MODBUS_FRAME::TRANSPORT transport, std::string description);
    // Connects when not connected; false with m_strError set.
    bool Prepare(int station);
    // RTU: discards what waits on the line, draining as described above; false when the line
    // does not fall quiet or fails.
    bool Settle(int fd);
    // One request and its answer PDU; false with m_strError set, the line then handled as a
    // failure requires.
    bool Transact(int station, const std::vector<uint8_t>& request, std::vector<uint8_t>& answer);
    // What a failure leaves of the line: KEEP (an exception answer: the line is in step),
    // RESYNC (a TCP connection closed, a serial line drained before the next request), CLOSE
    // (either kind closed and opened again by the next request).
    enum class AFTER { KEEP, RESYNC, CLOSE };
    // Sets m_strError from `text` ("%1" the line's description, "%2" `detail` when not empty)
    // and handles the line as `after` says. Always false.
    bool Fail(AFTER after, const char* text, const std::string& detail = std::string());

    _modbus* m_pContext;
    MODBUS_FRAME::TRANSPORT m_transport;
    std::string m_strDescription;
    std::string m_strError;
    bool m_bConnected = false;
    bool m_bDrain = false;
    std::vector<uint8_t> m_pending; // TCP: bytes read past the last answer
    uint16_t m_nTransaction = 0;
    int m_nTimeoutMs = 500;
};
