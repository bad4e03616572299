// A Modbus slave answering one station on a TCP port, a pseudo-terminal or a serial device, with
// every address of the holding registers and coils; the script moves the values and every write
// that took effect is printed. One thread serves every client without waiting for any of them:
// requests are taken whole from what each connection has sent so far.
#pragma once

#include "emulator/modbus_link.h"
#include "tools/zqplc-sim/plc_memory.h"
#include "tools/zqplc-sim/plc_script.h"

#include <atomic>
#include <iostream>
#include <ostream>
#include <string>

class CPlcServer {
public:
    static constexpr int DEFAULT_MAX_CONNECTIONS = 64;

    // Writes go to `out`; refused connections are reported on `err`.
    CPlcServer(const CPlcScript& script, int station, std::ostream& out, std::ostream& err = std::cerr);
    ~CPlcServer();
    CPlcServer(const CPlcServer&) = delete;
    CPlcServer& operator=(const CPlcServer&) = delete;

    // Listens on host:port (port 0: a free port); false with the reason.
    bool ListenTcp(const std::string& host, int port, std::string& error);
    // Opens a pseudo-terminal whose other end a master opens as a serial line; false with the reason.
    bool OpenPty(std::string& error);
    // Opens the serial device with its settings (RTU); false with the reason.
    bool OpenSerial(const CModbusLink::SERIAL& serial, std::string& error);
    // TCP clients served at once (default DEFAULT_MAX_CONNECTIONS, at least 1); one more is
    // accepted and closed at once, with a message on `err` once until a client leaves.
    void SetMaxConnections(int count) { m_nMaxConnections = count < 1 ? 1 : count; }
    // "127.0.0.1:1502", "/dev/pts/7" or "/dev/ttyUSB0": where a master reaches the server.
    const std::string& GetAddress() const { return m_strAddress; }

    // Answers requests until `stop` becomes true.
    void Run(const std::atomic<bool>& stop);

private:
    struct CLIENT;
    void Accept(uint64_t now);
    // Takes the whole requests from `client`'s input; false when the stream makes no sense
    // (the connection is then closed).
    bool ServeTcp(CLIENT& client);
    // Takes the whole requests from the serial line's input; `silent` when nothing has arrived
    // for a frame gap, so a partial frame is given up byte by byte.
    void ServeRtu(bool silent);
    void Print(const std::vector<std::string>& writes);

    const CPlcScript& m_script;
    int m_nStation;
    std::ostream& m_out;
    std::ostream& m_err;
    CPlcMemory m_memory;
    int m_nListen = -1;
    int m_nLine = -1; // the serial line: the pseudo-terminal's master or the device
    int m_nPtySlave = -1;
    _modbus* m_pSerial = nullptr; // the device's context, which owns m_nLine then
    int m_nMaxConnections = DEFAULT_MAX_CONNECTIONS;
    int m_nGapMs = 50;
    std::string m_strAddress;
    std::vector<uint8_t> m_line; // serial input not yet taken
    std::vector<CLIENT> m_clients;
    bool m_bFullReported = false;
    uint64_t m_nAcceptPausedUntil = 0;
};
