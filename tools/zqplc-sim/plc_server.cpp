#include "tools/zqplc-sim/plc_server.h"

#include "appkit/tool_cli.h"
#include "emulator/modbus_frame.h"

#include <modbus.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

using namespace MODBUS_FRAME;

struct CPlcServer::CLIENT {
    int fd = -1;
    std::vector<uint8_t> in, out;
};

namespace {

constexpr size_t MBAP_SIZE = 7;
constexpr size_t MAX_OUTPUT = 65536; // answers a client leaves unread before it is dropped
constexpr int STEP_MS = 20;          // the script's resolution
constexpr int ACCEPT_PAUSE_MS = 200; // after the system refused a descriptor

uint64_t Now()
{
    using namespace std::chrono;
    return uint64_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

// Writes all of `data` to the non-blocking `fd`, waiting at most a second for room.
void WriteAll(int fd, const std::vector<uint8_t>& data)
{
    size_t sent = 0;
    const uint64_t until = Now() + 1000;
    while (sent < data.size() && Now() < until) {
        const ssize_t n = write(fd, data.data() + sent, data.size() - sent);
        if (n > 0) {
            sent += size_t(n);
        } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            pollfd p{fd, POLLOUT, 0};
            poll(&p, 1, 100);
        } else {
            return;
        }
    }
}

// Reads what `fd` has into `into`; false when the peer has gone (end of file or an error).
bool ReadAvailable(int fd, std::vector<uint8_t>& into)
{
    uint8_t buffer[4096];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n > 0) {
            into.insert(into.end(), buffer, buffer + n);
            if (into.size() > 4 * MAX_OUTPUT)
                return false; // a client that only sends
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
    }
}

} // namespace

CPlcServer::CPlcServer(const CPlcScript& script, int station, std::ostream& out, std::ostream& err)
    : m_script(script), m_nStation(station), m_out(out), m_err(err)
{
}

CPlcServer::~CPlcServer()
{
    for (const CLIENT& client : m_clients)
        close(client.fd);
    if (m_pSerial) {
        modbus_close(m_pSerial);
        modbus_free(m_pSerial);
        m_nLine = -1;
    }
    for (int fd : {m_nListen, m_nLine, m_nPtySlave})
        if (fd >= 0)
            close(fd);
}

bool CPlcServer::ListenTcp(const std::string& host, int port, std::string& error)
{
    sockaddr_in where{};
    where.sin_family = AF_INET;
    where.sin_port = htons(uint16_t(port));
    if (inet_pton(AF_INET, host.c_str(), &where.sin_addr) != 1) {
        error = ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqplc-sim", "cannot listen on %1:%2: %3"),
                               {host, std::to_string(port),
                                ZQ_CLI::Tr(QT_TRANSLATE_NOOP("zqplc-sim", "not an IPv4 address"))});
        return false;
    }
    m_nListen = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    const int yes = 1;
    if (m_nListen >= 0)
        setsockopt(m_nListen, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    if (m_nListen < 0 || bind(m_nListen, reinterpret_cast<sockaddr*>(&where), sizeof where) != 0 ||
        listen(m_nListen, SOMAXCONN) != 0) {
        error = ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqplc-sim", "cannot listen on %1:%2: %3"),
                               {host, std::to_string(port), std::strerror(errno)});
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
    m_nLine = posix_openpt(O_RDWR | O_NOCTTY);
    if (m_nLine < 0 || grantpt(m_nLine) != 0 || unlockpt(m_nLine) != 0 ||
        fcntl(m_nLine, F_SETFL, fcntl(m_nLine, F_GETFL) | O_NONBLOCK) != 0) {
        error =
            ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqplc-sim", "cannot open a pseudo-terminal: %1"), {std::strerror(errno)});
        return false;
    }
    m_strAddress = ptsname(m_nLine);
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
    return true;
}

bool CPlcServer::OpenSerial(const CModbusLink::SERIAL& serial, std::string& error)
{
    m_pSerial = modbus_new_rtu(serial.device.c_str(), serial.baud, serial.parity, serial.dataBits, serial.stopBits);
    if (!m_pSerial || modbus_connect(m_pSerial) != 0) {
        error = ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqplc-sim", "cannot open %1: %2"),
                               {serial.device, modbus_strerror(errno)});
        if (m_pSerial)
            modbus_free(m_pSerial);
        m_pSerial = nullptr;
        return false;
    }
    m_nLine = modbus_get_socket(m_pSerial);
    fcntl(m_nLine, F_SETFL, fcntl(m_nLine, F_GETFL) | O_NONBLOCK);
    // A frame ends after 3.5 characters of silence (11 bits each at most); a partial request is
    // given up after that, but never sooner than the system's own scheduling allows for.
    m_nGapMs = std::max(50, int(3.5 * 11 * 1000 / serial.baud) + 1);
    m_strAddress = serial.device;
    return true;
}

void CPlcServer::Print(const std::vector<std::string>& writes)
{
    for (const std::string& line : writes)
        m_out << line << '\n';
    if (!writes.empty())
        m_out.flush();
}

void CPlcServer::Accept(uint64_t now)
{
    for (;;) {
        const int fd = accept4(m_nListen, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM) {
                if (!m_bFullReported)
                    ZQ_CLI::PrintError(
                        ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqplc-sim", "cannot accept another connection: %1"),
                                       {std::strerror(errno)}));
                m_bFullReported = true;
                m_nAcceptPausedUntil = now + ACCEPT_PAUSE_MS;
            }
            return;
        }
        if (int(m_clients.size()) >= m_nMaxConnections) {
            close(fd);
            if (!m_bFullReported)
                m_err << ZQ_CLI::ProgramName() << ": "
                      << ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqplc-sim", "refusing connections: %1 clients are "
                                                                       "connected, the most --max-connections allows"),
                                        {std::to_string(m_nMaxConnections)})
                      << std::endl;
            m_bFullReported = true;
            continue;
        }
        CLIENT client;
        client.fd = fd;
        m_clients.push_back(std::move(client));
    }
}

bool CPlcServer::ServeTcp(CLIENT& client)
{
    std::vector<uint8_t>& in = client.in;
    size_t at = 0;
    while (in.size() - at >= MBAP_SIZE) {
        const uint8_t* frame = in.data() + at;
        const size_t length = size_t(frame[4] << 8 | frame[5]);
        if (frame[2] != 0 || frame[3] != 0 || length < 2 || length > 254)
            return false; // not Modbus TCP: no frame boundary to find again
        if (in.size() - at < 6 + length)
            break;
        const uint8_t unit = frame[6];
        if (unit == m_nStation || unit == 0 || unit == MODBUS_TCP_SLAVE) {
            std::vector<std::string> writes;
            const std::vector<uint8_t> answer = m_memory.Serve(frame + MBAP_SIZE, length - 1, writes);
            const size_t size = answer.size() + 1;
            const uint8_t header[] = {frame[0], frame[1], 0, 0, uint8_t(size >> 8), uint8_t(size), unit};
            client.out.insert(client.out.end(), header, header + sizeof header);
            client.out.insert(client.out.end(), answer.begin(), answer.end());
            Print(writes);
        }
        at += 6 + length;
    }
    in.erase(in.begin(), in.begin() + long(at));
    return client.out.size() <= MAX_OUTPUT;
}

void CPlcServer::ServeRtu(bool silent)
{
    std::vector<uint8_t>& in = m_line;
    while (in.size() >= 2) {
        int length = RtuRequestLength(in.data(), in.size());
        if (length < 0 && silent)
            length = int(in.size()); // a function without a length of its own ends at the silence
        if (length <= 0 || in.size() < size_t(length)) {
            if (!silent)
                return;
            in.erase(in.begin()); // a partial frame the silence ended: look for a frame further on
            continue;
        }
        const uint16_t crc = Crc16(in.data(), size_t(length) - 2);
        if (length < 4 || in[size_t(length) - 2] != uint8_t(crc) || in[size_t(length) - 1] != uint8_t(crc >> 8)) {
            in.erase(in.begin()); // not a frame here
            continue;
        }
        const uint8_t station = in[0];
        if (station == m_nStation || station == 0) {
            std::vector<std::string> writes;
            const std::vector<uint8_t> pdu = m_memory.Serve(in.data() + 1, size_t(length) - 3, writes);
            if (station != 0) { // a broadcast is not answered
                std::vector<uint8_t> answer{station};
                answer.insert(answer.end(), pdu.begin(), pdu.end());
                const uint16_t sum = Crc16(answer.data(), answer.size());
                answer.push_back(uint8_t(sum));
                answer.push_back(uint8_t(sum >> 8));
                WriteAll(m_nLine, answer);
            }
            Print(writes);
        }
        in.erase(in.begin(), in.begin() + length);
    }
    if (silent)
        in.clear();
}

void CPlcServer::Run(const std::atomic<bool>& stop)
{
    m_script.Apply(0, true, m_memory.Registers(), m_memory.Coils());
    const uint64_t start = Now();
    uint64_t lastByte = start;
    std::vector<pollfd> fds;
    while (!stop) {
        const uint64_t now = Now();
        m_script.Apply(now - start, false, m_memory.Registers(), m_memory.Coils());
        fds.clear();
        const bool listening = m_nListen >= 0 && now >= m_nAcceptPausedUntil;
        if (listening)
            fds.push_back({m_nListen, POLLIN, 0});
        if (m_nLine >= 0)
            fds.push_back({m_nLine, POLLIN, 0});
        const size_t firstClient = fds.size();
        for (const CLIENT& client : m_clients)
            fds.push_back({client.fd, short(POLLIN | (client.out.empty() ? 0 : POLLOUT)), 0});
        const int ready = poll(fds.data(), fds.size(), STEP_MS);
        if (ready < 0 && errno != EINTR)
            break;
        const uint64_t after = Now();
        size_t next = 0;
        if (listening && (fds[next++].revents & POLLIN))
            Accept(after);
        if (m_nLine >= 0) {
            const size_t before = m_line.size();
            if (fds[next++].revents & POLLIN)
                ReadAvailable(m_nLine, m_line);
            if (m_line.size() > before)
                lastByte = after;
            ServeRtu(!m_line.empty() && after - lastByte >= uint64_t(m_nGapMs));
        }
        // Only the clients that were polled: those accepted just now are at the end, polled next time.
        for (size_t i = fds.size() - firstClient; i-- > 0;) {
            CLIENT& client = m_clients[i];
            const short events = fds[firstClient + i].revents;
            bool keep = true, open = true;
            if (events & (POLLIN | POLLHUP | POLLERR)) {
                open = ReadAvailable(client.fd, client.in);
                keep = ServeTcp(client); // a last request before the client went is still answered
            }
            if (keep && !client.out.empty()) {
                const ssize_t n = send(client.fd, client.out.data(), client.out.size(), MSG_NOSIGNAL);
                if (n > 0)
                    client.out.erase(client.out.begin(), client.out.begin() + n);
                else if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
                    keep = false;
            }
            if (!keep || !open) {
                close(client.fd);
                m_clients.erase(m_clients.begin() + long(i));
                m_bFullReported = false;
            }
        }
    }
}
