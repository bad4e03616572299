// The programming run against a recording stand-in for the communication library: what goes out
// in which order, byte for byte, and how every kind of answer moves the run on.
#include "isp_test_support.h"

#include "comkit/message_text.h"
#include "flasher/isp_outcome.h"

#include "flasher/isp_protocol.h"
#include "vexorisp/modbus_crc.h"

namespace {

struct REQUEST {
    enum Kind { OPTION, SEND, RW } kind;
    std::vector<int> args; // the integer arguments in call order
    Bytes data;            // the register bytes as they go on the line
};

class CRecordingComm : public IIspComm {
public:
    std::vector<REQUEST> log;

    void SetModBusOption(int retries, int timeoutMs) override
    {
        log.push_back({REQUEST::OPTION, {retries, timeoutMs}, {}});
    }
    bool HoldLineQuiet(int quietMs) override
    {
        quiets.push_back(quietMs);
        return canQuiet;
    }
    std::vector<int> quiets; // every quiet period asked for, in ms
    bool canQuiet = true;
    void SetModBusSend(int slave, int function, int start, int count, const void* data, int flag) override
    {
        Bytes bytes;
        if (flag) {
            const WORD* words = static_cast<const WORD*>(data);
            for (int i = 0; i < count; ++i) {
                bytes.push_back(static_cast<BYTE>(words[i] >> 8));
                bytes.push_back(static_cast<BYTE>(words[i] & 0xFF));
            }
        } else {
            bytes.assign(static_cast<const BYTE*>(data), static_cast<const BYTE*>(data) + 2 * count);
        }
        log.push_back({REQUEST::SEND, {slave, function, start, count, flag}, bytes});
    }
    void SetModBusRW(int slave, int function, int answerRegisters, int readStart, int writeStart, int count,
                     const void* data, int flag) override
    {
        const BYTE* bytes = static_cast<const BYTE*>(data);
        log.push_back({REQUEST::RW,
                       {slave, function, answerRegisters, readStart, writeStart, count, flag},
                       Bytes(bytes, bytes + 2 * count)});
    }

    // The requests without the option calls, and the option set before each.
    std::vector<REQUEST> Requests() const
    {
        std::vector<REQUEST> requests;
        for (const REQUEST& request : log)
            if (request.kind != REQUEST::OPTION)
                requests.push_back(request);
        return requests;
    }
    std::vector<int> OptionBefore(std::size_t requestIndex) const
    {
        std::vector<int> option;
        std::size_t seen = 0;
        for (const REQUEST& request : log) {
            if (request.kind == REQUEST::OPTION)
                option = request.args;
            else if (seen++ == requestIndex)
                return option;
        }
        return {};
    }
    const REQUEST& Last() const { return log.back(); }
};

Bytes EchoAnswer(const REQUEST& request)
{
    Bytes answer = {static_cast<BYTE>(request.args[0]),
                    16,
                    static_cast<BYTE>(request.args[2] >> 8),
                    static_cast<BYTE>(request.args[2] & 0xFF),
                    0,
                    static_cast<BYTE>(request.args[3]),
                    0,
                    0};
    return answer;
}

Bytes BlockAnswer(WORD crc)
{
    return {255, 100, 2, static_cast<BYTE>(crc & 0xFF), static_cast<BYTE>(crc >> 8), 0, 0};
}

const Bytes ENTRY_TEXT = {'E', 'n', 't', 'r', 'y', '_', 'I', 'S', 'P', 0};

class IspExchangeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ISP_EXCHANGE_SETTINGS settings;
        settings.image.bNotEnc = TRUE;
        m_exchange.SetSettings(settings);
        m_view.options.n485Port = 1;
        m_view.options.n485Bit = 2;
        m_view.options.nLedPort = 2;
        m_view.options.nLedBit = 5;
        m_view.options.nSlave = 0x107; // only the low byte goes out
        m_view.options.nBeginIndex = 48;
    }

    void UseImage(const Bytes& image, int beginIndex)
    {
        m_image = image;
        m_view.options.strFile = m_scratch.Write("program.bin", image);
        m_view.options.nBeginIndex = beginIndex;
    }
    void Answer(const Bytes& answer) { m_exchange.OnIspNotify(static_cast<int>(answer.size()), answer.data()); }
    void AnswerLast() { Answer(EchoAnswer(m_comm.Last())); }
    // The CRC the panel computes over what it unmasks from the last block.
    WORD PanelCrcOfLastBlock() const
    {
        Bytes block = m_comm.Last().data;
        ToggleIspBlockMask(block.data(), block[0], ISP_MASK_SEED_DEFAULT);
        return CalcModbusCrc(block.data() + 4, block.size() - 4);
    }
    void AnswerBlockCorrectly() { Answer(BlockAnswer(PanelCrcOfLastBlock())); }
    // Entry and commands answered; the first block is out.
    void RunUpToFirstBlock()
    {
        ASSERT_TRUE(m_exchange.StartRun(TRUE));
        while (m_comm.Last().kind == REQUEST::SEND)
            AnswerLast();
        ASSERT_EQ(m_comm.Last().kind, REQUEST::RW);
    }

    CScratchDir m_scratch;
    CRecordingView m_view;
    CRecordingComm m_comm;
    CIspExchange m_exchange{m_view, &m_comm};
    Bytes m_image;
};

} // namespace

TEST_F(IspExchangeTest, BeginZeroSendsEntryThenCommandsOneAndTwo)
{
    UseImage(SequenceBytes(300, 1), 0);
    ASSERT_TRUE(m_exchange.StartRun(TRUE));
    EXPECT_EQ(m_view.running, 1);
    ASSERT_EQ(m_comm.Requests().size(), 1u);
    REQUEST entry = m_comm.Requests()[0];
    EXPECT_EQ(m_comm.OptionBefore(0), (std::vector<int>{0, 50}));
    EXPECT_EQ(entry.args, (std::vector<int>{0x07, 16, 9688, 7, 0}));
    Bytes expected = {1, 2, 2, 5};
    expected.insert(expected.end(), ENTRY_TEXT.begin(), ENTRY_TEXT.end());
    EXPECT_EQ(entry.data, expected);
    EXPECT_EQ(m_exchange.GetState().nStep, 0);
    EXPECT_TRUE(m_exchange.GetState().bRunActive);

    AnswerLast();
    EXPECT_EQ(m_exchange.GetState().nStep, 1);
    EXPECT_EQ(m_comm.OptionBefore(1), (std::vector<int>{3, 200}));
    EXPECT_EQ(m_comm.Requests()[1].args, (std::vector<int>{255, 16, 0, 1, 1}));
    EXPECT_EQ(m_comm.Requests()[1].data, (Bytes{0, 1}));
    AnswerLast();
    EXPECT_EQ(m_exchange.GetState().nStep, 2);
    EXPECT_EQ(m_comm.Requests()[2].data, (Bytes{0, 2}));
    AnswerLast();
    EXPECT_EQ(m_exchange.GetState().nStep, 3);
    ASSERT_EQ(m_comm.Last().kind, REQUEST::RW);
    EXPECT_EQ(m_comm.Last().args, (std::vector<int>{255, 100, 1, 0, 0, 66, 0}));
    EXPECT_EQ(m_comm.OptionBefore(3), (std::vector<int>{3, 200}));
    EXPECT_EQ(Bytes(m_comm.Last().data.begin(), m_comm.Last().data.begin() + 4), (Bytes{64, 3, 0x00, 0x00}));
}

TEST_F(IspExchangeTest, BeginAt0x6000SendsOnlyCommandOne)
{
    UseImage(SequenceBytes(64, 1), 48);
    ASSERT_TRUE(m_exchange.StartRun(TRUE));
    AnswerLast();
    EXPECT_EQ(m_exchange.GetState().nStep, 2);
    EXPECT_EQ(m_exchange.GetState().dwBegin, 0x6000u);
    EXPECT_EQ(m_comm.Last().data, (Bytes{0, 1}));
    AnswerLast();
    ASSERT_EQ(m_comm.Last().kind, REQUEST::RW);
    EXPECT_EQ(Bytes(m_comm.Last().data.begin(), m_comm.Last().data.begin() + 4), (Bytes{32, 3, 0x60, 0x00}));
    EXPECT_EQ(m_comm.Requests().size(), 3u);
}

TEST_F(IspExchangeTest, Length200GoesIn64And36WordBlocksAndFinishes)
{
    UseImage(SequenceBytes(200, 7), 48);
    RunUpToFirstBlock();
    EXPECT_EQ(m_view.progressUpper, 200);
    EXPECT_EQ(m_view.LastStatus(), "Start to program ...");
    Bytes first = m_comm.Last().data;
    ASSERT_EQ(first.size(), 132u);
    // The mask is the seeded CRC of the header; every word is XORed with it, low byte first.
    WORD mask = CalcModbusCrc(first.data(), 4, 0x5AA5);
    for (int i = 0; i < 64; ++i) {
        EXPECT_EQ(first[4 + 2 * i], m_image[2 * i] ^ (mask & 0xFF));
        EXPECT_EQ(first[5 + 2 * i], m_image[2 * i + 1] ^ (mask >> 8));
    }
    EXPECT_EQ(m_exchange.GetState().wBlockCrc, CalcModbusCrc(m_image.data(), 128));
    AnswerBlockCorrectly();

    Bytes second = m_comm.Last().data;
    EXPECT_EQ(m_comm.Last().args[5], 38);
    ASSERT_EQ(second.size(), 76u);
    EXPECT_EQ(Bytes(second.begin(), second.begin() + 4), (Bytes{36, 3, 0x60, 0x80}));
    ToggleIspBlockMask(second.data(), 36, ISP_MASK_SEED_DEFAULT);
    EXPECT_EQ(Bytes(second.begin() + 4, second.end()), Bytes(m_image.begin() + 128, m_image.end()));
    EXPECT_EQ(m_view.progress.back(), 256);
    AnswerBlockCorrectly();

    EXPECT_EQ(m_exchange.GetResult(), ISP_RESULT_FINISHED);
    EXPECT_FALSE(m_exchange.GetState().bRunActive);
    EXPECT_EQ(m_exchange.GetState().wCommand, 0);
    EXPECT_EQ(m_view.progress, (std::vector<int>{0, 128, 256, 0}));
    EXPECT_EQ(m_view.LastStatus(), "Program Finished");
    EXPECT_EQ(m_view.information, (std::vector<std::string>{"Program Finished"}));
    EXPECT_EQ(m_view.idle, 1);
    EXPECT_EQ(m_view.rearms, 0) << "the run timer belongs to auto mode";
}

TEST_F(IspExchangeTest, OddLastByteTravelsWithTheErasedByteAfterIt)
{
    UseImage(SequenceBytes(129, 3), 48);
    RunUpToFirstBlock();
    AnswerBlockCorrectly();
    Bytes last = m_comm.Last().data;
    ASSERT_EQ(last.size(), 6u);
    EXPECT_EQ(Bytes(last.begin(), last.begin() + 4), (Bytes{1, 3, 0x60, 0x80}));
    ToggleIspBlockMask(last.data(), 1, ISP_MASK_SEED_DEFAULT);
    EXPECT_EQ(last[4], m_image[128]);
    EXPECT_EQ(last[5], 0xFF);
    Bytes raw = {m_image[128], 0xFF};
    EXPECT_EQ(m_exchange.GetState().wBlockCrc, CalcModbusCrc(raw.data(), 2));
}

TEST_F(IspExchangeTest, WrongCrcOnTheLastBlockReportsTheRoundedEndAddress)
{
    UseImage(SequenceBytes(200, 1), 48);
    RunUpToFirstBlock();
    AnswerBlockCorrectly();
    Answer(BlockAnswer(static_cast<WORD>(PanelCrcOfLastBlock() ^ 0x0100)));
    EXPECT_EQ(m_exchange.GetResult(), ISP_RESULT_CRC_ERROR);
    EXPECT_EQ(m_view.LastStatus(), "Address: 24832 CRC error!"); // 0x6000 + 256
    EXPECT_TRUE(m_view.information.empty());
    EXPECT_EQ(m_view.idle, 1);
    std::size_t sent = m_comm.log.size();
    AnswerBlockCorrectly();
    EXPECT_EQ(m_comm.log.size(), sent) << "no retry after a CRC mismatch";
    // An answer too short to hold a CRC is a mismatch, not a read past its end.
    UseImage(SequenceBytes(10, 1), 48);
    RunUpToFirstBlock();
    Bytes shortAnswer = {255, 100, 2};
    Answer(shortAnswer);
    EXPECT_EQ(m_exchange.GetResult(), ISP_RESULT_CRC_ERROR);
}

TEST_F(IspExchangeTest, NoRs485PortKnocksWithFiveRegistersThenSevenAtTheOtherTarget)
{
    UseImage(SequenceBytes(10, 1), 48);
    m_view.options.n485Port = ISP_PORT_NONE;
    ASSERT_TRUE(m_exchange.StartRun(TRUE));
    REQUEST first = m_comm.Requests()[0];
    EXPECT_EQ(first.args, (std::vector<int>{0x07, 16, 9688, 5, 0}));
    EXPECT_EQ(first.data, ENTRY_TEXT);
    // A time-out knocks again at once, at the boot loader's own address with all 7 registers.
    m_exchange.OnIspNotify(-1, nullptr);
    EXPECT_EQ(m_view.LastStatus(), "Program Time over!");
    ASSERT_EQ(m_comm.Requests().size(), 2u);
    REQUEST second = m_comm.Requests()[1];
    EXPECT_EQ(second.args, (std::vector<int>{255, 16, 9688, 7, 0}));
    EXPECT_EQ(second.data[0], ISP_PORT_NONE);
    EXPECT_EQ(m_comm.OptionBefore(1), (std::vector<int>{0, 50}));
    // Other errors knock again too, back at the configured address.
    EXPECT_TRUE(m_view.causes.empty()) << "a time-out's text says it all";
    m_exchange.OnIspNotify(-4, nullptr);
    EXPECT_EQ(m_view.LastStatus(), "An unexpectedly error!(-4)");
    EXPECT_EQ(m_view.causes, (std::vector<std::string>{"the serial line failed while sending"}));
    EXPECT_EQ(m_comm.Requests()[2].args[0], 0x07);
    EXPECT_EQ(m_exchange.GetResult(), ISP_RESULT_RUNNING);
    EXPECT_EQ(m_view.messages.size(), 0u);
}

TEST_F(IspExchangeTest, ErrorsAfterTheEntryWaitForStop)
{
    UseImage(SequenceBytes(300, 1), 0);
    ASSERT_TRUE(m_exchange.StartRun(TRUE));
    AnswerLast();
    std::size_t sent = m_comm.log.size();
    m_exchange.OnIspNotify(-1, nullptr);
    EXPECT_EQ(m_comm.log.size(), sent);
    EXPECT_EQ(m_exchange.GetResult(), ISP_RESULT_FAILED);
    EXPECT_EQ(m_view.closes, 0);
    m_exchange.StopRun();
    EXPECT_EQ(m_exchange.GetResult(), ISP_RESULT_STOPPED);
    EXPECT_EQ(m_view.LastStatus(), "");
    EXPECT_EQ(m_view.progress.back(), 0);
    EXPECT_EQ(m_view.idle, 1);
}

TEST_F(IspExchangeTest, PortChecksRefuseInOrder)
{
    UseImage(SequenceBytes(10, 1), 48);
    struct CASE {
        int port485, bit485, ledPort, ledBit;
        const char* information;
    } cases[] = {
        {3, 1, 3, 0, "485 port cannot be set to RXD or TXD!"},
        {3, 0, 0, 0, "485 port cannot be set to RXD or TXD!"},
        {3, 2, 3, 1, "led port cannot be set to RXD or TXD!"},
        {1, 4, 1, 4, "led port and 485 port cannot to be the same port!"},
    };
    for (const CASE& c : cases) {
        m_view.options.n485Port = c.port485;
        m_view.options.n485Bit = c.bit485;
        m_view.options.nLedPort = c.ledPort;
        m_view.options.nLedBit = c.ledBit;
        m_view.information.clear();
        EXPECT_FALSE(m_exchange.StartRun(TRUE));
        EXPECT_EQ(m_view.information, (std::vector<std::string>{c.information}));
    }
    // Both "none" with equal bits is allowed.
    m_view.options = {4, 3, 4, 3, 48, 1, m_view.options.strFile};
    EXPECT_TRUE(m_exchange.StartRun(TRUE));
    EXPECT_EQ(m_comm.Requests().size(), 1u);
    EXPECT_EQ(m_view.running, 1);
}

// Lists without a selection (no isp.ini yet) still get the port checks' own messages first.
TEST_F(IspExchangeTest, PortChecksComeBeforeTheMissingSelectionRefusal)
{
    UseImage(SequenceBytes(10, 1), 48);
    m_view.options = {3, 1, -1, -1, -1, 1, m_view.options.strFile};
    EXPECT_FALSE(m_exchange.StartRun(TRUE));
    EXPECT_EQ(m_view.information, (std::vector<std::string>{"485 port cannot be set to RXD or TXD!"}));

    m_view.information.clear();
    m_view.options = {-1, -1, -1, -1, -1, 1, m_view.options.strFile};
    EXPECT_FALSE(m_exchange.StartRun(TRUE));
    EXPECT_EQ(m_view.information, (std::vector<std::string>{"led port and 485 port cannot to be the same port!"}));

    // P3 without a bit is not "RXD or TXD": the missing bit is what is refused.
    m_view.information.clear();
    m_view.options = {3, -1, 4, 0, 48, 1, m_view.options.strFile};
    EXPECT_FALSE(m_exchange.StartRun(TRUE));
    EXPECT_EQ(m_view.information, (std::vector<std::string>{MSG_ISP_BAD_SELECTION}));

    m_view.information.clear();
    m_view.options = {4, 0, 4, 0, -1, 1, std::string()};
    EXPECT_FALSE(m_exchange.StartRun(TRUE));
    EXPECT_TRUE(m_view.information.empty());
    EXPECT_EQ(m_view.messages.back(), "An unexpectedly error,program terminate!");
    EXPECT_TRUE(m_comm.Requests().empty());
}

TEST_F(IspExchangeTest, RunsThatCannotWorkAreRefusedWithAMessage)
{
    UseImage(SequenceBytes(10, 1), 48);
    m_view.options.nBeginIndex = -1; // no selection
    EXPECT_FALSE(m_exchange.StartRun(TRUE));
    EXPECT_EQ(m_view.information, (std::vector<std::string>{MSG_ISP_BAD_SELECTION}));

    m_view.options.nBeginIndex = 48;
    m_view.options.strFile.clear();
    EXPECT_FALSE(m_exchange.StartRun(TRUE));
    EXPECT_EQ(m_view.messages.back(), "An unexpectedly error,program terminate!");

    // The whole 64 KiB fits only from address 0; from 0x6000 it would wrap onto the panel's start.
    UseImage(SequenceBytes(0x10000, 1), 48);
    EXPECT_FALSE(m_exchange.StartRun(TRUE));
    EXPECT_EQ(m_view.messages.back(), MSG_ISP_TOO_LONG);
    m_view.options.nBeginIndex = 0;
    EXPECT_TRUE(m_exchange.StartRun(TRUE));
    m_exchange.StopRun();

    CIspExchange unloaded(m_view, nullptr);
    EXPECT_FALSE(unloaded.StartRun(TRUE));
    EXPECT_EQ(m_view.messages.back(), "cannot load vexorisp.dll!");
    EXPECT_EQ(unloaded.GetResult(), ISP_RESULT_REFUSED);
    EXPECT_EQ(m_comm.Requests().size(), 1u);
}

TEST_F(IspExchangeTest, FailedLoadStillRunsEntryAndCommandsThenIdles)
{
    m_view.options.strFile = m_scratch.File("missing.bin");
    m_view.options.nBeginIndex = 48;
    ASSERT_TRUE(m_exchange.StartRun(TRUE));
    EXPECT_EQ(m_view.messages, (std::vector<std::string>{"open input file error"}));
    EXPECT_EQ(m_exchange.GetState().nImageLength, 0);
    AnswerLast();
    AnswerLast();
    EXPECT_EQ(m_exchange.GetResult(), ISP_RESULT_EMPTY_IMAGE);
    EXPECT_EQ(m_view.idle, 1);
    EXPECT_TRUE(m_view.information.empty());
    for (const REQUEST& request : m_comm.log)
        EXPECT_NE(request.kind, REQUEST::RW);
}

TEST_F(IspExchangeTest, AnswersOfAStoppedRunNeverDriveTheNextOne)
{
    UseImage(SequenceBytes(300, 1), 48);
    ASSERT_TRUE(m_exchange.StartRun(TRUE));
    REQUEST oldEntry = m_comm.Last();
    m_exchange.StopRun();
    ASSERT_TRUE(m_exchange.StartRun(TRUE));
    // The first run's entry is still answered by the library: that answer is not the new run's.
    Answer(EchoAnswer(oldEntry));
    EXPECT_EQ(m_exchange.GetState().nStep, 0);
    EXPECT_EQ(m_comm.Requests().size(), 2u);
    AnswerLast();
    EXPECT_EQ(m_exchange.GetState().nStep, 2);
    // Notifications while idle are ignored.
    m_exchange.StopRun();
    AnswerLast();
    EXPECT_EQ(m_comm.Requests().size(), 3u);
}

TEST_F(IspExchangeTest, AutoModeRearmsPerBlockAndClosesOnErrorsAfterTheStart)
{
    UseImage(SequenceBytes(300, 1), 48);
    ISP_EXCHANGE_SETTINGS settings = m_exchange.GetSettings();
    settings.bAuto = TRUE;
    m_exchange.SetSettings(settings);
    ASSERT_TRUE(m_exchange.StartRun(TRUE));
    m_exchange.OnIspNotify(-1, nullptr); // before the start: keeps knocking, stays open
    EXPECT_EQ(m_view.closes, 0);
    AnswerLast();
    AnswerLast();
    AnswerBlockCorrectly();
    EXPECT_EQ(m_view.rearms, 2);
    m_exchange.OnIspNotify(-2, nullptr);
    EXPECT_EQ(m_view.messages, (std::vector<std::string>{"An unexpectedly error!(-2)"}));
    EXPECT_EQ(m_view.closes, 1);
    EXPECT_EQ(m_exchange.GetResult(), ISP_RESULT_FAILED);
}

TEST_F(IspExchangeTest, RemoteFileIsDeletedAfterItsRunAndTheFlagSurvivesRetries)
{
    UseImage(SequenceBytes(100, 1), 48);
    ISP_EXCHANGE_SETTINGS settings = m_exchange.GetSettings();
    settings.strRemoteFile = m_view.options.strFile;
    m_exchange.SetSettings(settings);
    m_exchange.SetRemoteSource(TRUE);
    ASSERT_TRUE(m_exchange.StartRun(TRUE));
    EXPECT_FALSE(m_exchange.IsRemoteSource()) << "a run with loading clears it";
    m_exchange.SetRemoteSource(TRUE);
    m_exchange.OnIspNotify(-1, nullptr);
    EXPECT_TRUE(m_exchange.IsRemoteSource()) << "an entry retry keeps it";
    AnswerLast();
    AnswerLast();
    AnswerBlockCorrectly();
    EXPECT_EQ(m_exchange.GetResult(), ISP_RESULT_FINISHED);
    EXPECT_FALSE(std::filesystem::exists(m_view.options.strFile));
}

TEST_F(IspExchangeTest, MaskSeedIsConfigurable)
{
    UseImage(SequenceBytes(16, 1), 48);
    ISP_EXCHANGE_SETTINGS settings = m_exchange.GetSettings();
    settings.wMaskSeed = 0x1234;
    m_exchange.SetSettings(settings);
    RunUpToFirstBlock();
    Bytes block = m_comm.Last().data;
    WORD mask = CalcModbusCrc(block.data(), 4, 0x1234);
    EXPECT_EQ(block[4], m_image[0] ^ (mask & 0xFF));
    EXPECT_EQ(block[5], m_image[1] ^ (mask >> 8));
}

TEST_F(IspExchangeTest, ABlockEqualToOneJustAnsweredWaitsForItsLateRepeatsToPass)
{
    // Blocks 1 and 2 alike, 3 different, 4 like 1 and 2: with every block confirmed the line is
    // held quiet before 2 and 4, each time for about the late-answer window (request time-out and
    // margin), never before 3.
    Bytes image(128, 0);
    Bytes other = SequenceBytes(128, 3);
    image.insert(image.end(), other.begin(), other.end());
    image.insert(image.end(), 128, 0);
    image.insert(image.begin(), 128, 0);
    UseImage(image, 48);
    ISP_EXCHANGE_SETTINGS settings = m_exchange.GetSettings();
    settings.bConfirmAll = TRUE;
    m_exchange.SetSettings(settings);
    RunUpToFirstBlock();
    std::vector<std::size_t> quietBefore;
    for (int block = 1; block <= 4; ++block) {
        const std::size_t quiets = m_comm.quiets.size();
        AnswerBlockCorrectly();
        if (m_comm.quiets.size() > quiets)
            quietBefore.push_back(std::size_t(block + 1));
    }
    EXPECT_EQ(m_exchange.GetResult(), ISP_RESULT_FINISHED);
    EXPECT_EQ(quietBefore, (std::vector<std::size_t>{2, 4}));
    for (int ms : m_comm.quiets) {
        EXPECT_GT(ms, 200);
        EXPECT_LE(ms, 225);
    }

    // A library that cannot hold the line quiet ends the run before such a block goes out.
    m_comm.canQuiet = false;
    RunUpToFirstBlock();
    const std::size_t sent = m_comm.Requests().size();
    AnswerBlockCorrectly();
    EXPECT_EQ(m_comm.Requests().size(), sent);
    EXPECT_EQ(m_exchange.GetResult(), ISP_RESULT_FAILED);
    EXPECT_EQ(m_view.LastStatus(), MSG_ISP_NO_QUIET);

    // By default two waits of 225 ms are far beyond 4 % of four instant round trips: the blocks go
    // out at once, even from that library, and the run is never reported as a plain success.
    settings.bConfirmAll = FALSE;
    m_exchange.SetSettings(settings);
    m_comm.quiets.clear();
    RunUpToFirstBlock();
    for (int block = 1; block <= 4; ++block)
        AnswerBlockCorrectly();
    EXPECT_TRUE(m_comm.quiets.empty());
    EXPECT_FALSE(m_exchange.IsGuarded());
    EXPECT_EQ(m_exchange.GetUnconfirmedBlocks(), 2);
    EXPECT_EQ(m_exchange.GetResult(), ISP_RESULT_UNCONFIRMED);
    const std::string unconfirmed =
        "Program Finished, but 2 blocks equal to an earlier block are not confirmed: a late "
        "repeat of an answer could have passed for theirs. Program again with every block "
        "confirmed to be sure.";
    EXPECT_EQ(m_view.LastStatus(), unconfirmed);
    EXPECT_EQ(m_view.information.back(), unconfirmed);
    EXPECT_EQ(m_view.closes, 0);
}

TEST(IspOutcome, EveryOutcomeAndResultHasWords)
{
    EXPECT_EQ(DescribeIspOutcome(7), "answer of 7 bytes");
    EXPECT_EQ(DescribeIspOutcome(-1), "no answer from the panel in time, after every retry");
    EXPECT_EQ(DescribeIspOutcome(-2), "the serial line is not open");
    EXPECT_EQ(DescribeIspOutcome(-3), "the request cannot be framed (function, size or data)");
    EXPECT_EQ(DescribeIspOutcome(-4), "the serial line failed while sending");
    EXPECT_EQ(DescribeIspOutcome(-102), "the panel refused the request: Modbus exception 2 (illegal data address)");
    EXPECT_EQ(DescribeIspOutcome(-107), "the panel refused the request: Modbus exception 7 (unknown exception)");
    EXPECT_EQ(DescribeIspOutcome(0), "unknown outcome 0");
    EXPECT_EQ(DescribeIspOutcome(-5000), "unknown outcome -5000");
    std::set<std::string> words;
    for (int r = ISP_RESULT_NONE; r <= ISP_RESULT_REFUSED; ++r)
        words.insert(DescribeIspResult(static_cast<IspRunResult>(r)));
    EXPECT_EQ(words.size(), static_cast<size_t>(ISP_RESULT_REFUSED + 1));
}

namespace {

// A stand-in catalogue that marks every text it translates, so a word left out of the catalogue's
// path shows as unmarked.
std::string MarkedTranslation(const char* context, const char* text)
{
    return std::string(context) == "Flasher" ? "<" + std::string(text) + ">" : text;
}

} // namespace

TEST(IspOutcome, WordsComeThroughTheInstalledTranslatorWithTheirNumbersInPlace)
{
    COMMON_EX::SetMessageTranslator(MarkedTranslation, COMMON_EX::MESSAGE_ENGLISH);
    EXPECT_EQ(DescribeIspOutcome(-102), "<the panel refused the request: Modbus exception 2 (<illegal data address>)>");
    EXPECT_EQ(DescribeIspOutcome(12), "<answer of 12 bytes>");
    EXPECT_EQ(DescribeIspOutcome(-1), "<no answer from the panel in time, after every retry>");
    EXPECT_EQ(DescribeIspResult(ISP_RESULT_STOPPED), "<programming was stopped>");
    COMMON_EX::SetMessageTranslator(nullptr, COMMON_EX::MESSAGE_CHINESE);
    EXPECT_EQ(DescribeIspOutcome(12), "answer of 12 bytes");
}
