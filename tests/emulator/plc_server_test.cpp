// The simulated PLC as a Modbus slave: every function answered byte for byte, the write log
// holding exactly the writes that took effect, numbers read as written, and clients served side by
// side however slowly one of them sends or however many connect.
#include "emulator_test_support.h"

#include "emulator/modbus_frame.h"
#include "tools/zqplc-sim/plc_memory.h"
#include "tools/zqplc-sim/plc_script.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <termios.h>

using namespace EMULATOR_TEST;

namespace {

using BYTES = std::vector<uint8_t>;

int Connect(int port)
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in where{};
    where.sin_family = AF_INET;
    where.sin_port = htons(uint16_t(port));
    where.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd >= 0 && connect(fd, reinterpret_cast<sockaddr*>(&where), sizeof where) == 0)
        return fd;
    if (fd >= 0)
        close(fd);
    return -1;
}

// Reads one Modbus TCP frame, waiting at most `ms`; empty when none came whole.
BYTES ReceiveFrame(int fd, int ms)
{
    BYTES frame;
    uint8_t buffer[260];
    while (frame.size() < 7 || frame.size() < size_t(6 + (frame[4] << 8 | frame[5]))) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, ms) <= 0)
            return {};
        const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0)
            return {};
        frame.insert(frame.end(), buffer, buffer + n);
    }
    return frame;
}

// A read of D100 as transaction `id`.
BYTES ReadD100(uint16_t id)
{
    return MODBUS_FRAME::Frame(MODBUS_FRAME::TRANSPORT::TCP, 1, id, MODBUS_FRAME::ReadPdu(3, 100, 1));
}

bool Send(int fd, const BYTES& bytes)
{
    return send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) == ssize_t(bytes.size());
}

} // namespace

TEST(PlcMemory, EachFunctionIsServedOrRefusedAndOnlyWritesThatTookEffectArePrinted)
{
    CPlcMemory memory;
    memory.Registers()[100] = 1234;
    memory.Coils()[10] = 1;
    const auto serve = [&](const BYTES& pdu, std::vector<std::string>& writes) {
        return memory.Serve(pdu.data(), pdu.size(), writes);
    };
    struct CASE {
        BYTES request, answer;
        std::vector<std::string> writes;
    };
    const CASE cases[] = {
        {{0x03, 0x00, 0x64, 0x00, 0x01}, {0x03, 0x02, 0x04, 0xD2}, {}},
        {{0x01, 0x00, 0x0A, 0x00, 0x03}, {0x01, 0x01, 0x01}, {}},
        {{0x05, 0x00, 0x0A, 0x12, 0x34}, {0x85, 0x03}, {}}, // a coil is 0xFF00 or 0x0000
        {{0x05, 0x00, 0x0B, 0xFF, 0x00}, {0x05, 0x00, 0x0B, 0xFF, 0x00}, {"write coil 11 = 1"}},
        {{0x06, 0x00, 0xC8, 0x01, 0x79}, {0x06, 0x00, 0xC8, 0x01, 0x79}, {"write register 200 = 377"}},
        {{0x10, 0xFF, 0xFF, 0x00, 0x02, 0x04, 0x00, 0x01, 0x00, 0x02}, {0x90, 0x02}, {}}, // past 65535
        {{0x10, 0x00, 0x64, 0x00, 0x02, 0x04, 0x00, 0x07, 0x00, 0x08},
         {0x10, 0x00, 0x64, 0x00, 0x02},
         {"write register 100 = 7", "write register 101 = 8"}},
        {{0x10, 0x00, 0x64, 0x00, 0x02, 0x03, 0x00, 0x07, 0x00}, {0x90, 0x03}, {}}, // byte count
        {{0x0F, 0x00, 0x14, 0x00, 0x03, 0x01, 0x05},
         {0x0F, 0x00, 0x14, 0x00, 0x03},
         {"write coil 20 = 1", "write coil 21 = 0", "write coil 22 = 1"}},
        // Mask write: (7 AND 0x00F0) OR (0x000A AND NOT 0x00F0) = 10.
        {{0x16, 0x00, 0x64, 0x00, 0xF0, 0x00, 0x0A},
         {0x16, 0x00, 0x64, 0x00, 0xF0, 0x00, 0x0A},
         {"write register 100 = 10"}},
        // Read and write: 5 into D101, then D100-D101 read back.
        {{0x17, 0x00, 0x64, 0x00, 0x02, 0x00, 0x65, 0x00, 0x01, 0x02, 0x00, 0x05},
         {0x17, 0x04, 0x00, 0x0A, 0x00, 0x05},
         {"write register 101 = 5"}},
        {{0x03, 0x00, 0x64, 0x00, 0x7E}, {0x83, 0x03}, {}}, // 126 registers
        {{0x03, 0x00, 0x64}, {0x83, 0x03}, {}},             // cut short
    };
    for (const CASE& c : cases) {
        std::vector<std::string> writes;
        EXPECT_EQ(serve(c.request, writes), c.answer) << int(c.request[0]);
        EXPECT_EQ(writes, c.writes) << int(c.request[0]);
    }
    EXPECT_EQ(memory.Coils()[10], 1) << "the refused coil write changed nothing";
    for (uint8_t function : {0x02, 0x04, 0x07, 0x08, 0x0B, 0x11, 0x14, 0x18, 0x2B, 0x64}) {
        std::vector<std::string> writes;
        EXPECT_EQ(serve({function, 0x00, 0x00, 0x00, 0x01}, writes), (BYTES{uint8_t(function | 0x80), 0x01}))
            << int(function);
    }
}

TEST(PlcSim, NumbersAreDecimalOrHexAndAnythingElseIsRefusedWithTheValidForm)
{
    CPlcScript script;
    std::string error;
    ASSERT_TRUE(script.AddText("register 0100 1234\nregister 08 5\nregister 0x10 0x1F\n", "s", error)) << error;
    std::vector<uint16_t> registers(65536);
    std::vector<uint8_t> coils(65536);
    script.Apply(0, true, registers.data(), coils.data());
    EXPECT_EQ(registers[100], 1234) << "0100 is one hundred, not octal";
    EXPECT_EQ(registers[64], 0);
    EXPECT_EQ(registers[8], 5);
    EXPECT_EQ(registers[16], 31);
    for (const char* bad : {"register 0o7 1", "register 1e2 1", "register 12abc 1", "register 0x 1", "coil 1 1.0"}) {
        EXPECT_FALSE(script.Add(bad, error)) << bad;
        EXPECT_NE(error.find("decimal or hex with 0x"), std::string::npos) << error;
    }
    EXPECT_FALSE(script.Add("coil 1 0x2", error));
    EXPECT_EQ(error, "bad value \"0x2\" (0 to 1)") << "a number out of range is told the range";
    QProcess process;
    process.start(ProgramFolder() + "/zqplc-sim", {"--register", "0100=1234", "--register", "8=09x"});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 2);
    EXPECT_NE(process.readAllStandardError().indexOf("--register 8=09x: bad value \"09x\""), -1);
}

TEST(PlcSim, OnASerialLineFunctionsItDoesNotServeAreAnsweredWithExceptionOne)
{
    CPlcSim sim({"--register", "100=1234"}, 0, true);
    const int line = open(sim.Where().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(line, 0) << sim.Where();
    termios raw{};
    tcgetattr(line, &raw);
    cfmakeraw(&raw);
    tcsetattr(line, TCSANOW, &raw);
    using namespace MODBUS_FRAME;
    // Report server id (17, no data) has a length of its own; read device identification (43)
    // has none and ends at the line's silence. A read of D100 after them shows the line in step.
    const std::vector<std::pair<BYTES, BYTES>> exchanges = {{{0x11}, {0x91, 0x01}},
                                                            {{0x2B, 0x0E, 0x01, 0x00}, {0xAB, 0x01}},
                                                            {ReadPdu(3, 100, 1), {0x03, 0x02, 0x04, 0xD2}}};
    for (const auto& [request, answer] : exchanges) {
        const BYTES frame = Frame(TRANSPORT::RTU, 1, 0, request);
        ASSERT_EQ(write(line, frame.data(), frame.size()), ssize_t(frame.size()));
        const BYTES expected = Frame(TRANSPORT::RTU, 1, 0, answer);
        BYTES got;
        uint8_t buffer[64];
        pollfd p{line, POLLIN, 0};
        while (got.size() < expected.size() && poll(&p, 1, 20000) > 0) {
            const ssize_t n = read(line, buffer, sizeof buffer);
            if (n > 0)
                got.insert(got.end(), buffer, buffer + n);
        }
        EXPECT_EQ(got, expected) << "function " << int(request[0]);
    }
    close(line);
}

TEST(PlcSim, AClientThatSendsSlowlyHoldsNoOtherClient)
{
    CPlcSim sim({"--register", "100=1234"});
    ASSERT_GT(sim.Port(), 0);
    const int slow = Connect(sim.Port()), quick = Connect(sim.Port());
    ASSERT_GE(slow, 0);
    ASSERT_GE(quick, 0);
    const BYTES request = ReadD100(1);
    // The slow client sends a byte, then the quick one its whole request; its answer must come
    // while the slow one still holds back the rest (it would keep doing so for seconds).
    ASSERT_TRUE(Send(slow, {request[0]}));
    ASSERT_TRUE(Send(quick, ReadD100(2)));
    bool answered = false;
    for (size_t i = 1; i < request.size(); ++i) {
        if (!answered)
            answered = !ReceiveFrame(quick, 450).empty();
        ASSERT_TRUE(Send(slow, {request[i]}));
    }
    EXPECT_TRUE(answered) << "the quick client waited for the slow one";
    EXPECT_EQ(ReceiveFrame(slow, 20000), (BYTES{0x00, 0x01, 0x00, 0x00, 0x00, 0x05, 0x01, 0x03, 0x02, 0x04, 0xD2}))
        << "the slow request, taken whole, is answered too";
    close(slow);
    close(quick);
}

TEST(PlcSim, AFloodOfConnectionsIsCappedAndTheConnectedClientsKeepBeingAnswered)
{
    // More connections than select() can watch; the simulator inherits the raised limit.
    constexpr int FLOOD = 1100;
    rlimit limit{};
    getrlimit(RLIMIT_NOFILE, &limit);
    if (limit.rlim_cur < FLOOD + 100) {
        if (limit.rlim_max < FLOOD + 100)
            GTEST_SKIP() << "the descriptor limit " << limit.rlim_max << " is below " << FLOOD + 100;
        limit.rlim_cur = FLOOD + 100;
        ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &limit), 0);
    }
    CPlcSim sim({"--register", "100=1234", "--max-connections", "10"});
    ASSERT_GT(sim.Port(), 0);
    const int first = Connect(sim.Port());
    ASSERT_TRUE(Send(first, ReadD100(1)));
    ASSERT_FALSE(ReceiveFrame(first, 20000).empty());
    std::vector<int> flood;
    for (int i = 0; i < FLOOD; ++i) {
        const int fd = Connect(sim.Port());
        if (fd >= 0)
            flood.push_back(fd);
    }
    ASSERT_TRUE(Send(first, ReadD100(2)));
    EXPECT_EQ(ReceiveFrame(first, 20000), (BYTES{0x00, 0x02, 0x00, 0x00, 0x00, 0x05, 0x01, 0x03, 0x02, 0x04, 0xD2}))
        << "the client connected before the flood is still answered";
    EXPECT_TRUE(sim.IsRunning());
    // Connections past the cap were closed at once: the last of the flood reads the end.
    ASSERT_FALSE(flood.empty());
    uint8_t byte = 0;
    pollfd p{flood.back(), POLLIN, 0};
    EXPECT_EQ(poll(&p, 1, 20000), 1);
    EXPECT_EQ(recv(flood.back(), &byte, 1, 0), 0);
    for (int fd : flood)
        close(fd);
    // Room again once the simulator has seen the flood go (until then a new client is closed).
    bool served = false;
    for (int attempt = 0; attempt < 200 && !served; ++attempt) {
        const int later = Connect(sim.Port());
        served = Send(later, ReadD100(3)) && !ReceiveFrame(later, 20000).empty();
        close(later);
    }
    EXPECT_TRUE(served);
    close(first);
    sim.Stop();
    EXPECT_NE(sim.Errors().find("refusing connections: 10 clients are connected"), std::string::npos) << sim.Errors();
}
