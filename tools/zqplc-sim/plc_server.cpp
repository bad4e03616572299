#include "tools/zqplc-sim/plc_server.h"

#include "appkit/tool_cli.h"

#include <modbus.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

namespace {

constexpr int ADDRESSES = 65536;

uint64_t Now()
{
    using namespace std::chrono;
    return uint64_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

// The library's context or mapping could not be made: why, from errno.
std::string SetUpError()
{
    return ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqplc-sim", "cannot set up the server: %1"), {modbus_strerror(errno)});
}

} // namespace

CPlcServer::CPlcServer(const CPlcScript& script, int station, std::ostream& out)
    : m_script(script), m_nStation(station), m_out(out), m_pMapping(modbus_mapping_new(ADDRESSES, 0, ADDRESSES, 0))
{
}

CPlcServer::~CPlcServer()
{
    if (m_pContext)
        modbus_free(m_pContext);
    if (m_pMapping)
        modbus_mapping_free(m_pMapping);
    for (int fd : {m_nListen, m_nPtyMaster, m_nPtySlave})
        if (fd >= 0)
            close(fd);
}

bool CPlcServer::ListenTcp(const std::string& host, int port, std::string& error)
{
    m_pContext = modbus_new_tcp(host.c_str(), port);
    if (!m_pContext || !m_pMapping) {
        error = SetUpError();
        return false;
    }
    m_nListen = modbus_tcp_listen(m_pContext, 4);
    if (m_nListen < 0) {
        error = ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqplc-sim", "cannot listen on %1:%2: %3"),
                               {host, std::to_string(port), modbus_strerror(errno)});
        return false;
    }
    sockaddr_in bound{};
    socklen_t size = sizeof bound;
    getsockname(m_nListen, reinterpret_cast<sockaddr*>(&bound), &size);
    m_strAddress = host + ":" + std::to_string(ntohs(bound.sin_port));
    return true;
}

bool CPlcServer::OpenPty(std::string& error)
{
    m_nPtyMaster = posix_openpt(O_RDWR | O_NOCTTY);
    if (m_nPtyMaster < 0 || grantpt(m_nPtyMaster) != 0 || unlockpt(m_nPtyMaster) != 0) {
        error =
            ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqplc-sim", "cannot open a pseudo-terminal: %1"), {std::strerror(errno)});
        return false;
    }
    m_strAddress = ptsname(m_nPtyMaster);
    // Holding the other end open keeps the line up between masters; raw so nothing is echoed.
    m_nPtySlave = open(m_strAddress.c_str(), O_RDWR | O_NOCTTY);
    termios raw{};
    if (m_nPtySlave < 0 || tcgetattr(m_nPtySlave, &raw) != 0) {
        error =
            ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqplc-sim", "cannot open %1: %2"), {m_strAddress, std::strerror(errno)});
        return false;
    }
    cfmakeraw(&raw);
    tcsetattr(m_nPtySlave, TCSANOW, &raw);
    m_pContext = modbus_new_rtu("/dev/null", 115200, 'N', 8, 1);
    if (!m_pContext || !m_pMapping) {
        error = SetUpError();
        return false;
    }
    modbus_set_slave(m_pContext, m_nStation);
    modbus_set_socket(m_pContext, m_nPtyMaster);
    return true;
}

void CPlcServer::Answer(const uint8_t* request, int length)
{
    const int header = modbus_get_header_length(m_pContext);
    if (length < header + 5)
        return;
    const int unit = request[header - 1];
    if (unit != m_nStation && unit != 0 && unit != MODBUS_TCP_SLAVE)
        return; // another station's request
    const int function = request[header];
    const int address = request[header + 1] << 8 | request[header + 2];
    const int value = request[header + 3] << 8 | request[header + 4];
    modbus_reply(m_pContext, request, length, m_pMapping);
    if (function == MODBUS_FC_WRITE_SINGLE_COIL)
        m_out << "write coil " << address << " = " << (value ? 1 : 0) << std::endl;
    else if (function == MODBUS_FC_WRITE_SINGLE_REGISTER)
        m_out << "write register " << address << " = " << value << std::endl;
    else if (function == MODBUS_FC_WRITE_MULTIPLE_COILS)
        for (int i = 0; i < value && address + i < ADDRESSES; ++i)
            m_out << "write coil " << address + i << " = " << int(m_pMapping->tab_bits[address + i]) << std::endl;
    else if (function == MODBUS_FC_WRITE_MULTIPLE_REGISTERS)
        for (int i = 0; i < value && address + i < ADDRESSES; ++i)
            m_out << "write register " << address + i << " = " << m_pMapping->tab_registers[address + i] << std::endl;
}

void CPlcServer::Run(const std::atomic<bool>& stop)
{
    m_script.Apply(0, true, m_pMapping->tab_registers, m_pMapping->tab_bits);
    if (m_nPtyMaster >= 0)
        RunPty(stop);
    else
        RunTcp(stop);
}

void CPlcServer::RunTcp(const std::atomic<bool>& stop)
{
    const uint64_t start = Now();
    std::vector<int> clients;
    uint8_t request[MODBUS_TCP_MAX_ADU_LENGTH];
    while (!stop) {
        m_script.Apply(Now() - start, false, m_pMapping->tab_registers, m_pMapping->tab_bits);
        fd_set ready;
        FD_ZERO(&ready);
        FD_SET(m_nListen, &ready);
        int highest = m_nListen;
        for (int fd : clients) {
            FD_SET(fd, &ready);
            highest = std::max(highest, fd);
        }
        timeval wait{0, 20000};
        if (select(highest + 1, &ready, nullptr, nullptr, &wait) <= 0)
            continue;
        if (FD_ISSET(m_nListen, &ready)) {
            const int fd = accept(m_nListen, nullptr, nullptr);
            if (fd >= 0)
                clients.push_back(fd);
        }
        for (size_t i = 0; i < clients.size();) {
            if (!FD_ISSET(clients[i], &ready)) {
                ++i;
                continue;
            }
            modbus_set_socket(m_pContext, clients[i]);
            const int length = modbus_receive(m_pContext, request);
            if (length > 0)
                Answer(request, length);
            if (length < 0) {
                close(clients[i]);
                clients.erase(clients.begin() + long(i));
            } else {
                ++i;
            }
        }
    }
    for (int fd : clients)
        close(fd);
}

void CPlcServer::RunPty(const std::atomic<bool>& stop)
{
    const uint64_t start = Now();
    uint8_t request[MODBUS_RTU_MAX_ADU_LENGTH];
    while (!stop) {
        m_script.Apply(Now() - start, false, m_pMapping->tab_registers, m_pMapping->tab_bits);
        fd_set ready;
        FD_ZERO(&ready);
        FD_SET(m_nPtyMaster, &ready);
        timeval wait{0, 20000};
        if (select(m_nPtyMaster + 1, &ready, nullptr, nullptr, &wait) <= 0)
            continue;
        const int length = modbus_receive(m_pContext, request);
        if (length > 0)
            Answer(request, length);
        else if (length < 0)
            modbus_flush(m_pContext); // a broken frame: wait for the next request
    }
}
