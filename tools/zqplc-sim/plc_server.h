// A Modbus slave answering one station on a TCP port or on a pseudo-terminal, through libmodbus,
// with every address of the holding registers and coils; the script moves the values and every
// write from the master is printed.
#pragma once

#include "tools/zqplc-sim/plc_script.h"

#include <atomic>
#include <ostream>
#include <string>

struct _modbus;
typedef struct _modbus modbus_t;
struct _modbus_mapping_t;

class CPlcServer {
public:
    CPlcServer(const CPlcScript& script, int station, std::ostream& out);
    ~CPlcServer();
    CPlcServer(const CPlcServer&) = delete;
    CPlcServer& operator=(const CPlcServer&) = delete;

    // Listens on host:port (port 0: a free port); false with the reason.
    bool ListenTcp(const std::string& host, int port, std::string& error);
    // Opens a pseudo-terminal whose other end a master opens as a serial line; false with the reason.
    bool OpenPty(std::string& error);
    // "127.0.0.1:1502" or "/dev/pts/7": where a master reaches the server.
    const std::string& GetAddress() const { return m_strAddress; }

    // Answers requests until `stop` becomes true.
    void Run(const std::atomic<bool>& stop);

private:
    void Answer(const uint8_t* request, int length);
    void RunTcp(const std::atomic<bool>& stop);
    void RunPty(const std::atomic<bool>& stop);

    const CPlcScript& m_script;
    int m_nStation;
    std::ostream& m_out;
    modbus_t* m_pContext = nullptr;
    _modbus_mapping_t* m_pMapping = nullptr;
    int m_nListen = -1;
    int m_nPtyMaster = -1, m_nPtySlave = -1;
    std::string m_strAddress;
};
