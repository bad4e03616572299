// The emulator against PLCs that misbehave on the line, played by small scripted peers in this
// process: one that answers a request later than the time-out (RTU, on a pseudo-terminal pair)
// and one that sends its answer a byte at a time (TCP on loopback). No value may show from an
// answer that was not its request's.
#include "emulator_test_support.h"

#include "emulator/modbus_frame.h"
#include "emulator/modbus_link.h"
#include "emulator/panel_runtime.h"
#include "tools/zqplc-sim/plc_memory.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <pty.h>
#include <sys/socket.h>
#include <termios.h>

#include <atomic>
#include <chrono>
#include <thread>

using namespace EMULATOR_TEST;
using namespace MODBUS_FRAME;

namespace {

using CLOCK = std::chrono::steady_clock;

long long MsSince(CLOCK::time_point start)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(CLOCK::now() - start).count();
}

// D100 and D300, four digits each: two requests of the same shape in every cycle.
const char* const TWO_REGISTERS = R"json([{"name": "two", "controls": [
    {"type": "register", "set": {"整数位数": 4, "寄存器号": "D(数据寄存器)", "寄存器地址": 100, "X": 0, "Y": 0}},
    {"type": "register", "set": {"整数位数": 4, "寄存器号": "D(数据寄存器)", "寄存器地址": 300, "X": 0, "Y": 20}}]}])json";

// A thread that runs `step` every few milliseconds until destroyed.
class CPeerThread {
public:
    template <typename STEP>
    explicit CPeerThread(STEP step)
    {
        m_thread = std::thread([this, step]() mutable {
            while (!m_stop)
                step();
        });
    }
    ~CPeerThread()
    {
        m_stop = true;
        m_thread.join();
    }

private:
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

bool Readable(int fd, int ms)
{
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, ms) > 0;
}

// An RTU PLC on the master end of a pseudo-terminal pair, station 1, D100 = 1111 and D300 = 3333.
// It answers its first request `lateMs` after it came, every other one at once.
class CLateRtuPlc {
public:
    explicit CLateRtuPlc(int lateMs) : m_nLateMs(lateMs)
    {
        char name[256] = {};
        int slave = -1;
        if (openpty(&m_nMaster, &slave, name, nullptr, nullptr) != 0)
            return;
        termios raw{};
        tcgetattr(slave, &raw);
        cfmakeraw(&raw);
        tcsetattr(slave, TCSANOW, &raw);
        close(slave); // the emulator opens it by name
        m_strDevice = name;
        m_memory.Registers()[100] = 1111;
        m_memory.Registers()[300] = 3333;
        m_pThread.reset(new CPeerThread([this] { Step(); }));
    }
    ~CLateRtuPlc()
    {
        m_pThread.reset();
        if (m_nMaster >= 0)
            close(m_nMaster);
    }
    const std::string& Device() const { return m_strDevice; }
    bool LateAnswerSent() const { return m_bLateSent; }

private:
    struct PENDING {
        CLOCK::time_point due;
        std::vector<uint8_t> frame;
        bool late;
    };

    void Step()
    {
        if (Readable(m_nMaster, 5)) {
            uint8_t buffer[256];
            const ssize_t n = read(m_nMaster, buffer, sizeof buffer);
            if (n > 0)
                m_in.insert(m_in.end(), buffer, buffer + n);
            else // no master on the other end just now
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        while (m_in.size() >= 8) { // every request of the emulator's reads is 8 bytes
            std::vector<std::string> writes;
            const std::vector<uint8_t> pdu = m_memory.Serve(m_in.data() + 1, 5, writes);
            const bool late = m_nRequests++ == 0;
            m_pending.push_back({CLOCK::now() + std::chrono::milliseconds(late ? m_nLateMs : 0),
                                 Frame(TRANSPORT::RTU, m_in[0], 0, pdu), late});
            m_in.erase(m_in.begin(), m_in.begin() + 8);
        }
        for (auto it = m_pending.begin(); it != m_pending.end();)
            if (it->due <= CLOCK::now()) {
                if (write(m_nMaster, it->frame.data(), it->frame.size()) > 0 && it->late)
                    m_bLateSent = true;
                it = m_pending.erase(it);
            } else {
                ++it;
            }
    }

    int m_nLateMs;
    int m_nMaster = -1;
    std::string m_strDevice;
    CPlcMemory m_memory;
    std::vector<uint8_t> m_in;
    std::vector<PENDING> m_pending;
    int m_nRequests = 0;
    std::atomic<bool> m_bLateSent{false};
    std::unique_ptr<CPeerThread> m_pThread;
};

// A TCP PLC on loopback, station 1, D100 = 4321 and D101 = 1, that sends each answer one byte
// every `gapMs`.
class CDripTcpPlc {
public:
    explicit CDripTcpPlc(int gapMs) : m_nGapMs(gapMs)
    {
        m_nListen = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        sockaddr_in where{};
        where.sin_family = AF_INET;
        where.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof where;
        if (bind(m_nListen, reinterpret_cast<sockaddr*>(&where), size) != 0 || listen(m_nListen, 4) != 0 ||
            getsockname(m_nListen, reinterpret_cast<sockaddr*>(&where), &size) != 0)
            return;
        m_nPort = ntohs(where.sin_port);
        m_memory.Registers()[100] = 4321;
        m_memory.Registers()[101] = 1;
        m_pThread.reset(new CPeerThread([this] { Step(); }));
    }
    ~CDripTcpPlc()
    {
        m_pThread.reset();
        if (m_nClient >= 0)
            close(m_nClient);
        close(m_nListen);
    }
    int Port() const { return m_nPort; }

private:
    void Step()
    {
        if (m_nClient < 0) {
            if (Readable(m_nListen, 5))
                m_nClient = accept(m_nListen, nullptr, nullptr);
            return;
        }
        if (!m_out.empty()) {
            if (send(m_nClient, m_out.data(), 1, MSG_NOSIGNAL) != 1) {
                close(m_nClient); // the emulator gave up and closed
                m_nClient = -1;
                m_out.clear();
                return;
            }
            m_out.erase(m_out.begin());
            std::this_thread::sleep_for(std::chrono::milliseconds(m_nGapMs));
            return;
        }
        if (!Readable(m_nClient, 5))
            return;
        uint8_t request[12];
        if (recv(m_nClient, request, sizeof request, MSG_WAITALL) != ssize_t(sizeof request)) {
            close(m_nClient);
            m_nClient = -1;
            return;
        }
        std::vector<std::string> writes;
        const std::vector<uint8_t> pdu = m_memory.Serve(request + 7, 5, writes);
        m_out = Frame(TRANSPORT::TCP, request[6], uint16_t(request[0] << 8 | request[1]), pdu);
    }

    int m_nGapMs;
    int m_nListen = -1, m_nClient = -1, m_nPort = 0;
    CPlcMemory m_memory;
    std::vector<uint8_t> m_out;
    std::unique_ptr<CPeerThread> m_pThread;
};

} // namespace

TEST(HostilePlc, ALateRtuAnswerNeverPassesForTheAnswerOfTheNextRequest)
{
    // The first answer comes 400 ms after the time-out and 400 ms before a drain of one time-out
    // would end: wide margins either way on a loaded machine.
    CLateRtuPlc plc(1200);
    ASSERT_FALSE(plc.Device().empty());
    std::unique_ptr<CModbusLink> link = RtuLink(plc.Device(), 800);
    ASSERT_NE(link, nullptr);
    CPanelRuntime runtime(ImageOf(ProjectJson(TWO_REGISTERS)));
    runtime.SetLink(link.get());

    const CLOCK::time_point start = CLOCK::now();
    std::vector<std::string> wrong;
    while (MsSince(start) < 4500) {
        runtime.Poll();
        WORD value = 0;
        if (runtime.GetRegister(1, 100, value) && value != 1111)
            wrong.push_back("D100 = " + std::to_string(value));
        if (runtime.GetRegister(1, 300, value) && value != 3333)
            wrong.push_back("D300 = " + std::to_string(value));
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_TRUE(plc.LateAnswerSent());
    EXPECT_TRUE(wrong.empty()) << wrong.size() << " wrong values, the first " << wrong.front();
    ASSERT_TRUE(runtime.Poll()) << runtime.GetMessage();
    CPanelDisplay display;
    runtime.Render(display);
    EXPECT_TRUE(ShowsText(display, runtime.GetImage(), "1111", 0, 0));
    EXPECT_TRUE(ShowsText(display, runtime.GetImage(), "3333", 0, 20));
}

TEST(HostilePlc, AnAnswerThatDripsInIsAbandonedAtItsDeadline)
{
    // 13 bytes, 400 ms apart: the whole answer would take 4.8 s against a time-out of 500 ms.
    CDripTcpPlc plc(400);
    ASSERT_GT(plc.Port(), 0);
    std::string error;
    std::unique_ptr<CModbusLink> link = CModbusLink::Tcp("127.0.0.1", plc.Port(), error);
    ASSERT_NE(link, nullptr) << error;
    link->SetTimeout(500);
    WORD values[2] = {};
    const CLOCK::time_point start = CLOCK::now();
    EXPECT_FALSE(link->ReadRegisters(1, 100, 2, values));
    EXPECT_LT(MsSince(start), 4000) << "the request was not given up at its deadline";
    EXPECT_NE(link->GetLastError().find("no answer in time"), std::string::npos) << link->GetLastError();

    CPanelRuntime runtime(ImageOf(ProjectJson(TWO_REGISTERS)));
    runtime.SetLink(link.get());
    EXPECT_FALSE(runtime.Poll());
    EXPECT_TRUE(runtime.IsLinkLost());
    CPanelDisplay display;
    runtime.Render(display);
    EXPECT_TRUE(ShowsText(display, runtime.GetImage(), "----", 0, 0));
}
