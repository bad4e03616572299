// Whole downloads: the exchange drives the real communication library (loaded by name like the
// programmer does) against the panel simulator on a pseudo-terminal, and the simulated flash must
// hold the image. Every injected fault ends in "Program Finished" with the right flash, or in a
// clear error; never in success with a wrong flash.
#include "isp_test_support.h"

#include "flasher/isp_library.h"

#include <cstdlib>

namespace {

struct FAULT_CASE {
    const char* name;
    QStringList simArguments;
    std::size_t imageSize;
    IspRunResult result;
    const char* status; // the last status text
};

class IspDownloadTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        TestApp();
        s_library.SetDirectory(COMMON_EX::GetProgramDirectory() + "bin/");
        s_library.Load(nullptr);
    }
    static void TearDownTestSuite() { s_library.Release(); }

    void SetUp() override
    {
        ASSERT_TRUE(s_library.IsLoaded()) << s_library.GetPath();
        ISP_EXCHANGE_SETTINGS settings;
        settings.image.bNotEnc = TRUE;
        m_exchange.SetSettings(settings);
        s_library.SetNotifyHandler(
            [this](int outcome, const BYTE* answer) { m_exchange.OnIspNotify(outcome, answer); });
        m_view.options.n485Port = 4;
        m_view.options.nLedPort = 4;
        m_view.options.nSlave = 1;
    }
    void TearDown() override
    {
        s_library.SetSettingsFile(nullptr);
        s_library.SetNotifyHandler(nullptr);
    }

    bool Connect(const CTestPanelSim& sim)
    {
        VEXORISP_LINE line{};
        if (sim.Device().empty() || !s_library.OpenComm(FALSE) || !s_library.GetLine(line))
            return false;
        std::snprintf(line.device, sizeof line.device, "%s", sim.Device().c_str());
        line.baud = 115200;
        return s_library.SetLine(line, FALSE) && s_library.DirOpenComm();
    }
    // Programs file from begin index and waits until the run has ended.
    IspRunResult Program(const std::string& file, int beginIndex, int timeoutMs = TEST_HANG_GUARD_MS)
    {
        m_view.options.strFile = file;
        m_view.options.nBeginIndex = beginIndex;
        if (!m_exchange.StartRun(TRUE))
            return m_exchange.GetResult();
        WaitUntil([this] { return m_exchange.GetResult() != ISP_RESULT_RUNNING; }, timeoutMs);
        return m_exchange.GetResult();
    }

    static CIspLibrary s_library;
    CScratchDir m_scratch;
    CRecordingView m_view;
    CIspExchange m_exchange{m_view, &s_library};
};

CIspLibrary IspDownloadTest::s_library;

} // namespace

TEST_F(IspDownloadTest, DownloadImageLandsAtTheEditorsBeginAddress)
{
    CTestPanelSim sim(m_scratch);
    ASSERT_TRUE(Connect(sim));
    Bytes image = SequenceBytes(3001, 11);
    ASSERT_EQ(Program(m_scratch.Write("20250101120000_42.vxg", image), 48), ISP_RESULT_FINISHED) << m_view.LastStatus();
    EXPECT_EQ(m_view.information, (std::vector<std::string>{"Program Finished"}));
    EXPECT_EQ(sim.Flash(), ExpectedFlash(image, 0x6000));
    // Frames resent after a time-out (a loaded machine) repeat, so only the kinds are compared.
    EXPECT_EQ(CommandsReceived(sim.Stop()), (std::set<int>{1})) << sim.Stop();
}

TEST_F(IspDownloadTest, WholeAddressSpaceFromZeroWithBothCommands)
{
    CTestPanelSim sim(m_scratch);
    ASSERT_TRUE(Connect(sim));
    Bytes image = SequenceBytes(0x10000, 5);
    // Blocks 175 and 444 have equal CRCs: only with every block confirmed is the outcome the same
    // at every speed.
    ISP_EXCHANGE_SETTINGS settings = m_exchange.GetSettings();
    settings.bConfirmAll = TRUE;
    m_exchange.SetSettings(settings);
    ASSERT_EQ(Program(m_scratch.Write("full.bin", image), 0), ISP_RESULT_FINISHED) << m_view.LastStatus();
    EXPECT_EQ(sim.Flash(), image);
    EXPECT_EQ(CommandsReceived(sim.Stop()), (std::set<int>{1, 2})) << sim.Stop();
}

TEST_F(IspDownloadTest, AFewEqualBlocksWithinTheBudgetWaitAndTheRunFinishesPlainly)
{
    // 96 blocks at 19200 baud (more than 80 ms a round trip), block 22 equal to block 21: one wait
    // of 225 ms is within 4 % of the line time, so that block waits and the run is a plain success.
    Bytes image = SequenceBytes(96 * 128, 2);
    std::copy(image.begin() + 20 * 128, image.begin() + 21 * 128, image.begin() + 21 * 128);
    CTestPanelSim sim(m_scratch, {"--line-baud", "19200"});
    ASSERT_TRUE(Connect(sim));
    ASSERT_EQ(Program(m_scratch.Write("pair.bin", image), 48), ISP_RESULT_FINISHED) << m_view.LastStatus();
    EXPECT_TRUE(m_exchange.IsGuarded());
    EXPECT_EQ(m_exchange.GetUnconfirmedBlocks(), 0);
    EXPECT_EQ(m_view.information, (std::vector<std::string>{"Program Finished"}));
    EXPECT_EQ(sim.Flash(), ExpectedFlash(image, 0x6000));
}

TEST_F(IspDownloadTest, HexFileWrittenBySrecCatLandsInFlash)
{
    if (std::system("srec_cat --version >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "srec_cat (Debian package srecord) is not installed";
    Bytes image = SequenceBytes(5000, 9);
    std::string binary = m_scratch.Write("program.raw", image);
    std::string hex = m_scratch.File("program.hex");
    std::string command =
        "srec_cat '" + binary + "' -binary -o '" + hex + "' -intel -Output_Block_Size=16 -line-termination=crlf";
    ASSERT_EQ(std::system(command.c_str()), 0);
    CTestPanelSim sim(m_scratch);
    ASSERT_TRUE(Connect(sim));
    ASSERT_EQ(Program(hex, 16), ISP_RESULT_FINISHED) << m_view.LastStatus();
    EXPECT_EQ(sim.Flash(), ExpectedFlash(image, 16 * 512));
}

TEST_F(IspDownloadTest, InjectedFaultsEndInSuccessWithTheImageOrInAClearError)
{
    const FAULT_CASE cases[] = {
        {"panel switched on after 3 knocks", {"--ignore-knocks", "3"}, 700, ISP_RESULT_FINISHED, "Program Finished"},
        {"entry answer with a bad frame CRC", {"--corrupt-answer", "1"}, 700, ISP_RESULT_FINISHED, "Program Finished"},
        {"command answer with a bad frame CRC",
         {"--corrupt-answer", "2"},
         700,
         ISP_RESULT_FINISHED,
         "Program Finished"},
        {"block answer with a bad frame CRC", {"--corrupt-answer", "4"}, 700, ISP_RESULT_FINISHED, "Program Finished"},
        {"block answer lost once", {"--drop-answer", "2"}, 700, ISP_RESULT_FINISHED, "Program Finished"},
        {"block answer lost three times", {"--drop-answer", "2,3,4"}, 700, ISP_RESULT_FINISHED, "Program Finished"},
        {"block answer lost for good", {"--drop-answer", "2,3,4,5"}, 700, ISP_RESULT_FAILED, "Program Time over!"},
        {"wrong data CRC on block 3", {"--bad-crc", "3"}, 700, ISP_RESULT_CRC_ERROR, "Address: 24960 CRC error!"},
        {"wrong data CRC on the last block",
         {"--bad-crc", "6"},
         700,
         ISP_RESULT_CRC_ERROR,
         "Address: 25344 CRC error!"},
        {"answers 30 ms late", {"--delay", "30"}, 700, ISP_RESULT_FINISHED, "Program Finished"},
        {"answers later than the time-out", {"--delay", "260"}, 200, ISP_RESULT_FINISHED, "Program Finished"},
        {"panel answering another slave address", {"--slave", "9"}, 700, ISP_RESULT_FINISHED, "Program Finished"},
    };
    for (const FAULT_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        CScratchDir scratch;
        CTestPanelSim sim(scratch, c.simArguments);
        ASSERT_TRUE(Connect(sim));
        Bytes image = SequenceBytes(c.imageSize, static_cast<unsigned>(c.imageSize));
        m_view.statuses.clear();
        IspRunResult result = Program(scratch.Write("fault.bin", image), 48);
        if (result == ISP_RESULT_FAILED)
            m_exchange.StopRun();
        EXPECT_EQ(result, c.result);
        EXPECT_NE(std::find(m_view.statuses.begin(), m_view.statuses.end(), c.status), m_view.statuses.end())
            << m_view.LastStatus();
        Bytes flash = sim.Flash();
        if (result == ISP_RESULT_FINISHED) {
            EXPECT_EQ(flash, ExpectedFlash(image, 0x6000)) << "success reported with a wrong flash";
        }
    }
}

TEST_F(IspDownloadTest, LineOpensFromTheSettingsFileAndManualModeSavesTheConfirmedPort)
{
    CTestPanelSim sim(m_scratch);
    ASSERT_FALSE(sim.Device().empty());
    std::string settings = std::string(1, '\x02') + "\nbaud=57600\nCOM3=" + sim.Device() + "\n";
    std::string path = m_scratch.Write("MD_DLL.DFT", Bytes(settings.begin(), settings.end()));
    ASSERT_TRUE(s_library.SetSettingsFile(path.c_str()));
    ASSERT_TRUE(s_library.OpenComm(FALSE));
    VEXORISP_LINE line{};
    ASSERT_TRUE(s_library.GetLine(line));
    EXPECT_EQ(line.com, 3);
    EXPECT_EQ(line.baud, 57600);
    EXPECT_EQ(std::string(line.device), sim.Device());
    ASSERT_TRUE(s_library.DirOpenComm());
    Bytes image = SequenceBytes(300, 1);
    ASSERT_EQ(Program(m_scratch.Write("a.bin", image), 48), ISP_RESULT_FINISHED) << m_view.LastStatus();

    // Manual mode: the confirmation moves the port to COM5 and is saved for next time.
    CScratchDir otherScratch;
    CTestPanelSim other(otherScratch);
    static std::string s_device;
    s_device = other.Device();
    auto confirm = [](void* context, VEXORISP_LINE* chosen) -> int {
        *static_cast<int*>(context) += 1;
        chosen->com = 5;
        std::snprintf(chosen->device, sizeof chosen->device, "%s", s_device.c_str());
        return 1;
    };
    int asked = 0;
    ASSERT_TRUE(s_library.SetConfirm(confirm, &asked));
    ASSERT_TRUE(s_library.OpenComm(TRUE));
    s_library.SetConfirm(nullptr, nullptr);
    EXPECT_EQ(asked, 1);
    Bytes saved = ReadBytes(path);
    ASSERT_FALSE(saved.empty());
    EXPECT_EQ(saved[0], 4);
    std::string text(saved.begin() + 1, saved.end());
    EXPECT_NE(text.find("COM3=" + sim.Device()), std::string::npos);
    EXPECT_NE(text.find("COM5=" + s_device), std::string::npos);
    Bytes second = SequenceBytes(200, 2);
    ASSERT_EQ(Program(m_scratch.Write("b.bin", second), 48), ISP_RESULT_FINISHED) << m_view.LastStatus();
    EXPECT_EQ(other.Flash(), ExpectedFlash(second, 0x6000));
}

TEST_F(IspDownloadTest, RequestsWithoutAnOpenLineEndInErrorsNotHangs)
{
    ASSERT_TRUE(s_library.OpenComm(FALSE));
    VEXORISP_LINE line{};
    ASSERT_TRUE(s_library.GetLine(line));
    std::snprintf(line.device, sizeof line.device, "%s", "/dev/zq-no-such-port");
    ASSERT_TRUE(s_library.SetLine(line, FALSE));
    EXPECT_FALSE(s_library.DirOpenComm());
    m_view.options.strFile = m_scratch.Write("c.bin", SequenceBytes(100, 1));
    m_view.options.nBeginIndex = 48;
    ASSERT_TRUE(m_exchange.StartRun(TRUE));
    // Each knock fails at once with "not open" and knocks again, at both targets in turn.
    ASSERT_TRUE(WaitUntil([this] { return m_view.statuses.size() >= 6; }, TEST_HANG_GUARD_MS));
    EXPECT_EQ(m_view.LastStatus(), "An unexpectedly error!(-2)");
    m_exchange.StopRun();
    EXPECT_EQ(m_exchange.GetResult(), ISP_RESULT_STOPPED);
    std::size_t statuses = m_view.statuses.size();
    WaitUntil([] { return false; }, 50);
    EXPECT_EQ(m_view.statuses.size(), statuses) << "nothing more after Stop";
}
