// zqpanel-sim as the programmer's line meets it: frames that arrive in pieces are answered once
// complete, and the command line follows the suite's conventions.
#include "comkit/module_path.h"
#include "tools/zqpanel-sim/panel_sim_process.h"
#include "vexorisp/event_wait.h"
#include "vexorisp/rtu_frame.h"

#include <gtest/gtest.h>

#include <QProcess>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cstring>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

std::string SimProgram()
{
    return COMMON_EX::GetProgramDirectory() + "zqpanel-sim";
}

// The programmer's end of the simulator's pseudo-terminal, in raw mode.
class CLineEnd {
public:
    explicit CLineEnd(const std::string& device)
    {
        m_fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        termios attributes{};
        if (m_fd >= 0 && tcgetattr(m_fd, &attributes) == 0) {
            cfmakeraw(&attributes);
            tcsetattr(m_fd, TCSANOW, &attributes);
        }
    }
    ~CLineEnd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool IsOpen() const { return m_fd >= 0; }
    void Write(const BYTE* data, std::size_t length) { ASSERT_EQ(::write(m_fd, data, length), ssize_t(length)); }
    // Reads until length bytes came or timeoutMs passed.
    Bytes Read(std::size_t length, int timeoutMs)
    {
        Bytes bytes;
        while (bytes.size() < length) {
            pollfd waiting{m_fd, POLLIN, 0};
            if (::poll(&waiting, 1, timeoutMs) <= 0)
                break;
            BYTE buffer[256];
            ssize_t n = ::read(m_fd, buffer, sizeof buffer);
            if (n <= 0)
                break;
            bytes.insert(bytes.end(), buffer, buffer + n);
        }
        return bytes;
    }

private:
    int m_fd = -1;
};

RTU_REQUEST EntryRequest()
{
    const char text[] = "\0\0\0\0Entry_ISP";
    return BuildWriteRegistersRequest(255, 0x25D8, 7, text, false);
}

} // namespace

TEST(ZqpanelSim, FrameSplitAcrossReadsIsAnsweredOnceComplete)
{
    TestApp();
    CPanelSimProcess sim(SimProgram(), "");
    ASSERT_FALSE(sim.Device().empty());
    CLineEnd line(sim.Device());
    ASSERT_TRUE(line.IsOpen());
    const RTU_REQUEST request = EntryRequest();
    // The header claims the whole frame while only its first bytes have arrived.
    line.Write(request.frame.data(), 8);
    EXPECT_TRUE(line.Read(1, 200).empty()) << "answered before the frame was complete";
    line.Write(request.frame.data() + 8, request.frame.size() - 8);
    const Bytes answer = line.Read(request.answerLength, 3000);
    ASSERT_EQ(answer.size(), request.answerLength);
    EXPECT_EQ(CheckAnswer(request, answer.data(), answer.size()).status, RTU_ANSWER_OK);
    EXPECT_NE(sim.Stop().find("knocks=1"), std::string::npos);
}

TEST(ZqpanelSim, CommandLineFollowsTheSuiteConventions)
{
    TestApp();
    auto run = [](const QStringList& arguments, QByteArray& out, QByteArray& err) {
        QProcess process;
        process.start(QString::fromStdString(SimProgram()), arguments);
        process.closeWriteChannel();
        if (!process.waitForFinished(60000)) {
            process.kill();
            process.waitForFinished();
            return -1;
        }
        out = process.readAllStandardOutput();
        err = process.readAllStandardError();
        return process.exitCode();
    };
    QByteArray out, err;
    EXPECT_EQ(run({"--help"}, out, err), 0);
    EXPECT_TRUE(out.startsWith("Usage: zqpanel-sim")) << out.toStdString();
    for (const char* option : {"--lose-block", "--repeat-answer", "--drop-answer", "--version"})
        EXPECT_TRUE(out.contains(option)) << option;
    EXPECT_EQ(run({"--version"}, out, err), 0);
    EXPECT_TRUE(out.startsWith("zqpanel-sim ")) << out.toStdString();
    for (const QStringList& wrong :
         {QStringList{"--slave", "-4294967295"}, QStringList{"--drop-answer", "1,x"},
          QStringList{"--repeat-answer", "2"}, QStringList{"--format", "9X1"}, QStringList{"--bogus"},
          QStringList{"extra"},
          // Several panels: every panel's options must stand on their own.
          QStringList{"--count", "0"}, QStringList{"--count", "2", "--device", "/dev/null"},
          QStringList{"--count", "2", "--panel", "3:--bad-crc 1"},
          QStringList{"--count", "2", "--panel", "1:--flash x"},
          QStringList{"--count", "2", "--panel", "1:--bad-crc x"},
          QStringList{"--count", "2", "--panel", "--bad-crc 1"}, QStringList{"--panel", "1:--bad-crc 1"}}) {
        EXPECT_EQ(run(wrong, out, err), 2) << wrong.join(' ').toStdString();
        EXPECT_TRUE(err.startsWith("zqpanel-sim: ")) << err.toStdString();
    }
}
