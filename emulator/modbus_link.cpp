#include "emulator/modbus_link.h"

#include "comkit/message_text.h"

#include <modbus.h>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

using namespace MODBUS_FRAME;

namespace {

const char* const CONTEXT = "Emulator";
// A drain gives up when the line has not been quiet for one time-out within this many.
constexpr int DRAIN_LIMIT_TIMEOUTS = 4;
const char* const LINE_ERROR = QT_TRANSLATE_NOOP("Emulator", "line error (%1): %2");

uint64_t NowMs()
{
    using namespace std::chrono;
    return uint64_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

// Waits until `fd` has `events` or `deadline` passes; false at the deadline (or when poll fails).
bool WaitFor(int fd, short events, uint64_t deadline)
{
    for (;;) {
        const uint64_t now = NowMs();
        if (now >= deadline)
            return false;
        pollfd p{fd, events, 0};
        const int ready = poll(&p, 1, int(deadline - now));
        if (ready > 0)
            return true;
        if (ready < 0 && errno != EINTR)
            return false;
    }
}

// Whether the other end of `fd` has gone (a serial line then reads 0 bytes at once, forever).
bool HungUp(int fd)
{
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR));
}

// The words libmodbus has for a Modbus exception code, or its number.
std::string ExceptionText(int code)
{
    if (code >= MODBUS_EXCEPTION_ILLEGAL_FUNCTION && code < MODBUS_EXCEPTION_MAX)
        return std::to_string(code) + " (" + modbus_strerror(MODBUS_ENOBASE + code) + ")";
    return std::to_string(code);
}

} // namespace

CModbusLink::CModbusLink(modbus_t* context, TRANSPORT transport, std::string description)
    : m_pContext(context), m_transport(transport), m_strDescription(std::move(description))
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
    return std::unique_ptr<CModbusLink>(new CModbusLink(context, TRANSPORT::RTU, description));
}

std::unique_ptr<CModbusLink> CModbusLink::Tcp(const std::string& host, int port, std::string& error)
{
    modbus_t* context = modbus_new_tcp(host.c_str(), port);
    if (!context) {
        error = COMMON_EX::TrArgs(CONTEXT, QT_TRANSLATE_NOOP("Emulator", "cannot use %1:%2: %3"),
                                  {host, std::to_string(port), modbus_strerror(errno)});
        return nullptr;
    }
    return std::unique_ptr<CModbusLink>(
        new CModbusLink(context, TRANSPORT::TCP, "TCP " + host + ":" + std::to_string(port)));
}

void CModbusLink::SetTimeout(int milliseconds)
{
    m_nTimeoutMs = milliseconds > 0 ? milliseconds : 1;
}

bool CModbusLink::Prepare(int station)
{
    if (station < 0 || station > 255) {
        m_strError = COMMON_EX::TrArgs(CONTEXT, QT_TRANSLATE_NOOP("Emulator", "station %1 cannot be addressed"),
                                       {std::to_string(station)});
        return false;
    }
    if (m_bConnected)
        return true;
    // The connection attempt has the answer time-out too.
    modbus_set_response_timeout(m_pContext, uint32_t(m_nTimeoutMs / 1000), uint32_t(m_nTimeoutMs % 1000) * 1000);
    if (modbus_connect(m_pContext) != 0) {
        m_strError = COMMON_EX::TrArgs(CONTEXT, QT_TRANSLATE_NOOP("Emulator", "cannot connect (%1): %2"),
                                       {m_strDescription, modbus_strerror(errno)});
        return false;
    }
    const int fd = modbus_get_socket(m_pContext);
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    m_bConnected = true;
    m_bDrain = false;
    return true;
}

bool CModbusLink::Fail(AFTER after, const char* text, const std::string& detail)
{
    m_strError = detail.empty() ? COMMON_EX::TrArgs(CONTEXT, text, {m_strDescription})
                                : COMMON_EX::TrArgs(CONTEXT, text, {m_strDescription, detail});
    if (after == AFTER::KEEP)
        return false;
    if ((after == AFTER::CLOSE || m_transport == TRANSPORT::TCP) && m_bConnected) {
        modbus_close(m_pContext);
        m_bConnected = false;
        m_pending.clear();
    }
    m_bDrain = m_transport == TRANSPORT::RTU;
    return false;
}

bool CModbusLink::Settle(int fd)
{
    uint8_t buffer[256];
    const uint64_t limit = NowMs() + uint64_t(m_nTimeoutMs) * DRAIN_LIMIT_TIMEOUTS;
    bool drain = m_bDrain;
    uint64_t quietFrom = NowMs();
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n > 0) {
            drain = true;
            quietFrom = NowMs();
            continue;
        }
        // A serial line with nothing waiting reads 0 bytes (or EAGAIN); an unplugged one fails.
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
            return Fail(AFTER::CLOSE, LINE_ERROR, std::strerror(errno));
        if (n == 0 && HungUp(fd))
            return Fail(AFTER::CLOSE, LINE_ERROR, std::strerror(EIO));
        if (!drain)
            break;
        const uint64_t quietUntil = quietFrom + uint64_t(m_nTimeoutMs);
        if (quietUntil > limit)
            return Fail(AFTER::RESYNC, QT_TRANSLATE_NOOP("Emulator", "the line does not fall quiet (%1)"));
        if (!WaitFor(fd, POLLIN, quietUntil))
            break; // quiet for a whole time-out
    }
    m_bDrain = false;
    return true;
}

bool CModbusLink::Transact(int station, const std::vector<uint8_t>& request, std::vector<uint8_t>& answer)
{
    if (!Prepare(station))
        return false;
    const int fd = modbus_get_socket(m_pContext);
    if (m_transport == TRANSPORT::RTU && !Settle(fd))
        return false;
    const uint16_t transaction = ++m_nTransaction;
    const std::vector<uint8_t> frame = Frame(m_transport, station, transaction, request);
    const uint64_t deadline = NowMs() + uint64_t(m_nTimeoutMs);
    const char* const TIMED_OUT = QT_TRANSLATE_NOOP("Emulator", "no answer in time (%1): %2 ms");
    const std::string timeout = std::to_string(m_nTimeoutMs);
    for (size_t sent = 0; sent < frame.size();) {
        if (!WaitFor(fd, POLLOUT, deadline))
            return Fail(AFTER::RESYNC, TIMED_OUT, timeout);
        const ssize_t n = write(fd, frame.data() + sent, frame.size() - sent);
        if (n > 0)
            sent += size_t(n);
        else if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
            return Fail(AFTER::CLOSE, LINE_ERROR, std::strerror(errno));
    }
    // TCP: what came after the last answer is the start of the stream's next frame.
    std::vector<uint8_t> received;
    received.swap(m_pending);
    uint8_t buffer[512];
    for (;;) {
        size_t used = 0;
        switch (Check(m_transport, station, transaction, request, received.data(), received.size(), used, answer)) {
        case VERDICT::ANSWER:
            if (m_transport == TRANSPORT::TCP)
                m_pending.assign(received.begin() + long(used), received.end());
            else if (received.size() > used)
                m_bDrain = true; // more than the answer came: whatever it is, it must not meet the next request
            if (answer[0] & 0x80)
                return Fail(AFTER::KEEP,
                            QT_TRANSLATE_NOOP("Emulator", "the PLC refused the request (%1): exception %2"),
                            ExceptionText(answer.size() > 1 ? answer[1] : 0));
            m_strError.clear();
            return true;
        case VERDICT::FOREIGN: received.erase(received.begin(), received.begin() + long(used)); continue;
        case VERDICT::BROKEN:
            return Fail(AFTER::RESYNC, QT_TRANSLATE_NOOP("Emulator", "an answer that is not the request's (%1)"));
        case VERDICT::INCOMPLETE: break;
        }
        if (!WaitFor(fd, POLLIN, deadline))
            return Fail(AFTER::RESYNC, TIMED_OUT, timeout);
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n > 0)
            received.insert(received.end(), buffer, buffer + n);
        else if (n == 0 && m_transport == TRANSPORT::TCP)
            return Fail(AFTER::CLOSE, QT_TRANSLATE_NOOP("Emulator", "the PLC closed the line (%1)"));
        else if (n == 0 && HungUp(fd))
            return Fail(AFTER::CLOSE, LINE_ERROR, std::strerror(EIO));
        else if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
            return Fail(AFTER::CLOSE, LINE_ERROR, std::strerror(errno));
    }
}

bool CModbusLink::ReadRegisters(int station, int address, int count, WORD* values)
{
    if (count < 1 || count > MODBUS_MAX_READ_REGISTERS) {
        m_strError =
            COMMON_EX::TrArgs(CONTEXT, QT_TRANSLATE_NOOP("Emulator", "cannot read %1 registers in one request"),
                              {std::to_string(count)});
        return false;
    }
    std::vector<uint8_t> answer;
    if (!Transact(station, ReadPdu(MODBUS_FC_READ_HOLDING_REGISTERS, address, count), answer))
        return false;
    for (int i = 0; i < count; ++i)
        values[i] = WORD(answer[size_t(2 + 2 * i)] << 8 | answer[size_t(3 + 2 * i)]);
    return true;
}

bool CModbusLink::ReadCoils(int station, int address, int count, BYTE* values)
{
    if (count < 1 || count > MODBUS_MAX_READ_BITS) {
        m_strError = COMMON_EX::TrArgs(CONTEXT, QT_TRANSLATE_NOOP("Emulator", "cannot read %1 coils in one request"),
                                       {std::to_string(count)});
        return false;
    }
    std::vector<uint8_t> answer;
    if (!Transact(station, ReadPdu(MODBUS_FC_READ_COILS, address, count), answer))
        return false;
    for (int i = 0; i < count; ++i)
        values[i] = BYTE(answer[size_t(2 + i / 8)] >> (i % 8) & 1);
    return true;
}

bool CModbusLink::WriteRegister(int station, int address, WORD value)
{
    std::vector<uint8_t> answer;
    return Transact(station, WritePdu(MODBUS_FC_WRITE_SINGLE_REGISTER, address, value), answer);
}

bool CModbusLink::WriteCoil(int station, int address, bool on)
{
    std::vector<uint8_t> answer;
    return Transact(station, WritePdu(MODBUS_FC_WRITE_SINGLE_COIL, address, on ? 0xFF00 : 0x0000), answer);
}
