// The line against a scripted peer on a pseudo-terminal: one notification per request, always
// later than the call, retries on time-out and bad CRC, answers recognised among foreign frames,
// queued requests one at a time, and late twins of retried answers kept off the next request.
#include "event_wait.h"
#include "vexorisp/comm_line.h"
#include "vexorisp/comm_settings.h"
#include "vexorisp/modbus_crc.h"
#include "vexorisp/rtu_frame.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include <QSocketNotifier>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cstring>
#include <functional>
#include <memory>

namespace {

using Bytes = std::vector<BYTE>;

void Wait(int ms)
{
    QElapsedTimer clock;
    clock.start();
    WaitUntil([&] { return clock.elapsed() >= ms; }, ms + 1000);
}

Bytes WithCrc(Bytes frame)
{
    AppendFrameCrc(frame);
    return frame;
}

// The panel end of a pseudo-terminal: collects request frames and answers them as told.
class CScriptedPeer {
public:
    // Answer for a frame (empty: none), and a delay before it is written.
    std::function<Bytes(const Bytes& frame, int index)> answer;
    int delayMs = 0;
    std::vector<Bytes> frames;
    std::vector<qint64> frameTimes; // ms since construction, when the peer read each frame
    QObject delayed;                // context of delayed answers: none is written after the peer is gone

    CScriptedPeer()
    {
        m_clock.start();
        m_master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        grantpt(m_master);
        unlockpt(m_master);
        char name[128] = {};
        ptsname_r(m_master, name, sizeof name);
        m_path = name;
        m_held = open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
        termios attributes{};
        tcgetattr(m_held, &attributes);
        cfmakeraw(&attributes);
        tcsetattr(m_held, TCSANOW, &attributes);
        m_notifier = std::make_unique<QSocketNotifier>(m_master, QSocketNotifier::Read);
        QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this] { OnReadable(); });
    }
    ~CScriptedPeer()
    {
        HangUp();
        close(m_held);
    }

    // Closes the panel's end: from now on the line fails every write.
    void HangUp()
    {
        m_notifier.reset();
        if (m_master >= 0)
            close(m_master);
        m_master = -1;
    }

    VEXORISP_LINE Line() const
    {
        VEXORISP_LINE line{};
        line.com = 1;
        std::strncpy(line.device, m_path.c_str(), sizeof line.device - 1);
        line.baud = 115200;
        line.dataBits = 8;
        line.parity = 'E';
        line.stopBits = 1;
        return line;
    }

    // ms since construction. A frame is stamped when the peer gets to read it, which a loaded
    // machine may delay: the gap between two stamps is no bound on the line's wait between the
    // frames, the time from a moment before the request to a frame's stamp is.
    qint64 Now() const { return m_clock.elapsed(); }

    void Write(const Bytes& bytes)
    {
        ssize_t written = write(m_master, bytes.data(), bytes.size());
        EXPECT_EQ(written, static_cast<ssize_t>(bytes.size()));
    }

private:
    void OnReadable()
    {
        BYTE buffer[512];
        ssize_t count = read(m_master, buffer, sizeof buffer);
        if (count <= 0)
            return;
        m_pending.insert(m_pending.end(), buffer, buffer + count);
        for (;;) {
            if (m_pending.size() < 7)
                return;
            std::size_t length = m_pending[1] == RTU_FUNCTION_BLOCK ? 5u + m_pending[2] : 9u + m_pending[6];
            if (m_pending.size() < length)
                return;
            Bytes frame(m_pending.begin(), m_pending.begin() + static_cast<long>(length));
            m_pending.erase(m_pending.begin(), m_pending.begin() + static_cast<long>(length));
            frames.push_back(frame);
            frameTimes.push_back(m_clock.elapsed());
            Bytes reply = answer ? answer(frame, static_cast<int>(frames.size()) - 1) : Bytes();
            if (reply.empty())
                continue;
            if (delayMs == 0)
                Write(reply);
            else
                QTimer::singleShot(delayMs, &delayed, [this, reply] { Write(reply); });
        }
    }

    QElapsedTimer m_clock;
    int m_master = -1;
    int m_held = -1;
    std::string m_path;
    Bytes m_pending;
    std::unique_ptr<QSocketNotifier> m_notifier;
};

// The answer a well-behaved panel gives: the echo of a write, the CRC of a block's data.
Bytes GoodAnswer(const Bytes& frame)
{
    if (frame[1] == RTU_FUNCTION_BLOCK) {
        WORD crc = CalcModbusCrc(frame.data() + 3, frame[2]);
        return WithCrc({frame[0], RTU_FUNCTION_BLOCK, 2, static_cast<BYTE>(crc & 0xFF), static_cast<BYTE>(crc >> 8)});
    }
    return WithCrc(Bytes(frame.begin(), frame.begin() + 6));
}

struct NOTICE {
    int outcome;
    Bytes answer;
};

class CommLineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApp();
        m_line = std::make_unique<CCommLine>();
        m_line->SetSink(&CommLineTest::Sink, this, 0x590);
    }

    static void Sink(void* context, unsigned int message, int outcome, const unsigned char* answer)
    {
        auto* self = static_cast<CommLineTest*>(context);
        EXPECT_EQ(message, 0x590u);
        Bytes bytes;
        if (outcome > 0)
            bytes.assign(answer, answer + outcome);
        self->notices.push_back({outcome, bytes});
        if (self->onNotice)
            self->onNotice();
    }

    RTU_REQUEST Command(WORD value) { return BuildWriteRegistersRequest(255, 0, 1, &value, true); }
    RTU_REQUEST Block(BYTE fill)
    {
        BYTE data[8];
        std::memset(data, fill, sizeof data);
        return BuildBlockRequest(255, 4, data, false, 1);
    }
    bool WaitNotices(std::size_t count, int timeoutMs = 3000)
    {
        return WaitUntil([&] { return notices.size() >= count; }, timeoutMs);
    }

    std::unique_ptr<CCommLine> m_line;
    std::vector<NOTICE> notices;
    std::function<void()> onNotice;
};

} // namespace

TEST_F(CommLineTest, AnswerIsNotifiedLaterWithItsBytes)
{
    CScriptedPeer peer;
    peer.answer = [](const Bytes& frame, int) { return GoodAnswer(frame); };
    ASSERT_TRUE(m_line->Open(peer.Line()));
    m_line->Submit(Command(1));
    EXPECT_TRUE(notices.empty()) << "never notified from inside the request call";
    ASSERT_TRUE(WaitNotices(1));
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].outcome, 8);
    EXPECT_EQ(notices[0].answer, WithCrc({0xFF, 0x10, 0x00, 0x00, 0x00, 0x01}));
    ASSERT_EQ(peer.frames.size(), 1u);
    EXPECT_EQ(peer.frames[0], Command(1).frame);
}

TEST_F(CommLineTest, RequestsWithoutLineOrFrameEndWithTheirCodesInOrder)
{
    m_line->Submit(Command(1));
    m_line->Submit(RTU_REQUEST());
    EXPECT_TRUE(notices.empty());
    ASSERT_TRUE(WaitNotices(2));
    EXPECT_EQ(notices[0].outcome, VEXORISP_NOT_OPEN);
    EXPECT_EQ(notices[1].outcome, VEXORISP_BAD_REQUEST);

    CScriptedPeer peer;
    peer.answer = [](const Bytes& frame, int) { return GoodAnswer(frame); };
    ASSERT_TRUE(m_line->Open(peer.Line()));
    notices.clear();
    m_line->Submit(Command(1));
    m_line->Submit(RTU_REQUEST());
    m_line->Submit(Command(2));
    ASSERT_TRUE(WaitNotices(3));
    EXPECT_EQ(notices[0].outcome, 8);
    EXPECT_EQ(notices[1].outcome, VEXORISP_BAD_REQUEST);
    EXPECT_EQ(notices[2].outcome, 8);
    EXPECT_EQ(notices[2].answer[5], 1);
}

TEST_F(CommLineTest, SilenceIsRetriedThenReportedAsNoAnswer)
{
    CScriptedPeer peer;
    ASSERT_TRUE(m_line->Open(peer.Line()));
    m_line->SetOption(2, 20);
    const qint64 submitted = peer.Now();
    m_line->Submit(Command(1));
    ASSERT_TRUE(WaitNotices(1));
    EXPECT_EQ(notices[0].outcome, VEXORISP_NO_ANSWER);
    ASSERT_EQ(peer.frames.size(), 3u);
    EXPECT_EQ(peer.frames[2], peer.frames[0]);
    EXPECT_GE(peer.frameTimes[2] - submitted, 2 * 20 - 1) << "each copy waited for its time-out";
    EXPECT_GE(peer.Now() - submitted, 3 * 20 - 1) << "the last copy too, before the notice";
}

TEST_F(CommLineTest, BadFrameCrcIsRetriedLikeSilence)
{
    CScriptedPeer peer;
    peer.answer = [](const Bytes& frame, int index) {
        Bytes reply = GoodAnswer(frame);
        if (index == 0)
            reply.back() ^= 0x5A;
        return reply;
    };
    ASSERT_TRUE(m_line->Open(peer.Line()));
    m_line->SetOption(3, 200);
    m_line->Submit(Block(0x11));
    ASSERT_TRUE(WaitNotices(1));
    EXPECT_EQ(notices[0].outcome, 7);
    EXPECT_EQ(peer.frames.size(), 2u);

    // Without retries a bad CRC ends the request at once. (A fresh line: the one above keeps
    // quiet for a while after its resent request.)
    notices.clear();
    peer.frames.clear();
    m_line = std::make_unique<CCommLine>();
    m_line->SetSink(&CommLineTest::Sink, this, 0x590);
    ASSERT_TRUE(m_line->Open(peer.Line()));
    peer.answer = [](const Bytes& frame, int) {
        Bytes reply = GoodAnswer(frame);
        reply[3] ^= 1;
        return reply;
    };
    m_line->SetOption(0, 1000);
    QElapsedTimer clock;
    clock.start();
    m_line->Submit(Block(0x22));
    ASSERT_TRUE(WaitNotices(1));
    EXPECT_EQ(notices[0].outcome, VEXORISP_NO_ANSWER);
    EXPECT_LT(clock.elapsed(), 500);
    EXPECT_EQ(peer.frames.size(), 1u);
}

TEST_F(CommLineTest, ForeignFramesAndNoiseAreSkipped)
{
    CScriptedPeer peer;
    peer.answer = [](const Bytes& frame, int) {
        Bytes reply = {0x00, 0x13};
        Bytes foreign = WithCrc({0xFF, 0x10, 0x25, 0xD8, 0x00, 0x07});
        reply.insert(reply.end(), foreign.begin(), foreign.end());
        Bytes good = GoodAnswer(frame);
        reply.insert(reply.end(), good.begin(), good.end());
        return reply;
    };
    ASSERT_TRUE(m_line->Open(peer.Line()));
    m_line->SetOption(0, 200);
    m_line->Submit(Command(2));
    ASSERT_TRUE(WaitNotices(1));
    EXPECT_EQ(notices[0].outcome, 8);
    EXPECT_EQ(notices[0].answer, GoodAnswer(Command(2).frame));
    EXPECT_EQ(peer.frames.size(), 1u);
}

TEST_F(CommLineTest, ExceptionAnswerEndsWithItsCode)
{
    CScriptedPeer peer;
    peer.answer = [](const Bytes& frame, int) { return WithCrc({frame[0], 0x90, 0x02}); };
    ASSERT_TRUE(m_line->Open(peer.Line()));
    m_line->Submit(Command(1));
    ASSERT_TRUE(WaitNotices(1));
    EXPECT_EQ(notices[0].outcome, VEXORISP_EXCEPTION_BASE - 2);
}

TEST_F(CommLineTest, QueuedRequestsGoOutOneAtATime)
{
    CScriptedPeer peer;
    peer.delayMs = 15;
    peer.answer = [](const Bytes& frame, int) { return GoodAnswer(frame); };
    ASSERT_TRUE(m_line->Open(peer.Line()));
    m_line->Submit(Block(1));
    m_line->Submit(Block(2));
    m_line->Submit(Command(3));
    ASSERT_TRUE(WaitNotices(3));
    ASSERT_EQ(peer.frames.size(), 3u);
    EXPECT_GE(peer.frameTimes[1] - peer.frameTimes[0], 14);
    EXPECT_GE(peer.frameTimes[2] - peer.frameTimes[1], 14);
    EXPECT_EQ(notices[0].answer, GoodAnswer(Block(1).frame));
    EXPECT_EQ(notices[1].answer, GoodAnswer(Block(2).frame));
    EXPECT_EQ(notices[2].answer, GoodAnswer(Command(3).frame));
}

TEST_F(CommLineTest, LateTwinOfARetriedAnswerDoesNotAnswerTheNextRequest)
{
    // Answers come 60 ms late with a 30 ms time-out: the first copy's answer is taken for the
    // retry, and the retry's own answer arrives while the next request would be on the line.
    CScriptedPeer peer;
    peer.delayMs = 60;
    peer.answer = [](const Bytes& frame, int) { return GoodAnswer(frame); };
    ASSERT_TRUE(m_line->Open(peer.Line()));
    m_line->SetOption(3, 30);
    m_line->Submit(Block(0x33));
    m_line->Submit(Block(0x44));
    ASSERT_TRUE(WaitNotices(2));
    EXPECT_EQ(notices[0].answer, GoodAnswer(Block(0x33).frame));
    EXPECT_EQ(notices[1].answer, GoodAnswer(Block(0x44).frame));
}

TEST_F(CommLineTest, RequestsWithoutLineFailNoFasterThanTheirTimeOut)
{
    // A caller that asks again at every failure (the entry knocks) must not spin.
    m_line->SetOption(0, 100);
    QElapsedTimer clock;
    clock.start();
    onNotice = [this] {
        if (notices.size() < 4)
            m_line->Submit(Command(1));
    };
    m_line->Submit(Command(1));
    ASSERT_TRUE(WaitNotices(4, 5000));
    for (const NOTICE& n : notices)
        EXPECT_EQ(n.outcome, VEXORISP_NOT_OPEN);
    EXPECT_GE(clock.elapsed(), 300);
}

TEST_F(CommLineTest, ReopeningEndsWaitingRequests)
{
    CScriptedPeer peer;
    ASSERT_TRUE(m_line->Open(peer.Line()));
    m_line->SetOption(0, 5000);
    m_line->Submit(Command(1));
    m_line->Submit(Command(2));
    ASSERT_TRUE(WaitUntil([&] { return !peer.frames.empty(); }, 60000));
    ASSERT_TRUE(m_line->Open(peer.Line()));
    ASSERT_TRUE(WaitNotices(2, 1000));
    EXPECT_EQ(notices[0].outcome, VEXORISP_NOT_OPEN);
    EXPECT_EQ(notices[1].outcome, VEXORISP_NOT_OPEN);
    EXPECT_EQ(peer.frames.size(), 1u);
}

TEST_F(CommLineTest, SinkMayEndTheLine)
{
    CScriptedPeer peer;
    peer.answer = [](const Bytes& frame, int) { return GoodAnswer(frame); };
    ASSERT_TRUE(m_line->Open(peer.Line()));
    onNotice = [this] { m_line.reset(); };
    m_line->Submit(Command(1));
    m_line->Submit(Command(2));
    ASSERT_TRUE(WaitNotices(1));
    Wait(50);
    EXPECT_EQ(notices.size(), 1u);
    EXPECT_EQ(peer.frames.size(), 1u);
}

TEST_F(CommLineTest, MissingDeviceDoesNotOpen)
{
    VEXORISP_LINE line = CScriptedPeer().Line();
    std::strcpy(line.device, "/dev/zq-no-such-port");
    EXPECT_FALSE(m_line->Open(line));
    EXPECT_FALSE(m_line->IsOpen());
}

TEST_F(CommLineTest, LineFailingDuringAWriteEndsTheRequestOnceAndTheSinkMayEndTheLine)
{
    // The request being written must stay alive until the write returns, even when the sink that
    // hears of the failure ends the line from inside the notification.
    CScriptedPeer peer;
    ASSERT_TRUE(m_line->Open(peer.Line()));
    peer.HangUp();
    onNotice = [this] { m_line.reset(); };
    m_line->Submit(Command(1));
    m_line->Submit(Command(2));
    ASSERT_TRUE(WaitNotices(1));
    Wait(50);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].outcome, VEXORISP_LINE_ERROR);
}

TEST_F(CommLineTest, LineFailingDuringAWriteFailsEachRequestInOrder)
{
    CScriptedPeer peer;
    ASSERT_TRUE(m_line->Open(peer.Line()));
    peer.HangUp();
    // A sink that asks again at once, as the entry knocks do.
    onNotice = [this] {
        if (notices.size() < 3)
            m_line->Submit(Command(static_cast<WORD>(notices.size() + 1)));
    };
    m_line->Submit(Command(1));
    ASSERT_TRUE(WaitNotices(3));
    Wait(50);
    ASSERT_EQ(notices.size(), 3u);
    for (const NOTICE& n : notices)
        EXPECT_EQ(n.outcome, VEXORISP_LINE_ERROR);
}

TEST_F(CommLineTest, AfterAResentRequestTheLineStaysQuietForItsWholeTimeOut)
{
    // The first copy goes unanswered; the second is answered at once, and answered again 100 ms
    // later, well inside the quiet time of 4 x 250 ms and before a next request's own time-out
    // would end. The next request, whose own answer would look the same, goes out only after every
    // retry's wait has passed, and the late duplicate is dropped: its first copy stays unanswered,
    // so a second copy must follow. (A loaded machine may add copies, never take one away.)
    CScriptedPeer peer;
    peer.answer = [&peer](const Bytes& frame, int index) {
        if (index == 0)
            return Bytes();
        if (index == 1)
            QTimer::singleShot(100, &peer.delayed, [&peer, frame] { peer.Write(GoodAnswer(frame)); });
        return index == 2 ? Bytes() : GoodAnswer(frame);
    };
    ASSERT_TRUE(m_line->Open(peer.Line()));
    m_line->SetOption(3, 250);
    const qint64 submitted = peer.Now();
    m_line->Submit(Block(0x55));
    m_line->Submit(Block(0x55));
    ASSERT_TRUE(WaitNotices(2, 60000));
    ASSERT_GE(peer.frames.size(), 4u) << "the second request was answered by the late duplicate";
    // The first copy's time-out, then the quiet time of all four copies' waits.
    EXPECT_GE(peer.frameTimes[2] - submitted, 250 + 4 * 250);
    EXPECT_EQ(notices[1].outcome, 7);
}
