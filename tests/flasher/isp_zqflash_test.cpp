// zqflash as a script sees it: exit status 0 only when the panel confirmed every block, otherwise
// the error text and status 1 (2 for a wrong command line).
#include "isp_test_support.h"

#include "flasher/cipher_library.h"

#include <QProcess>

namespace {

struct ZQFLASH_RUN {
    int status = -1;
    std::string out;
    std::string err;
};

ZQFLASH_RUN RunZqflash(const QStringList& arguments, int timeoutMs = 20000)
{
    QProcess process;
    process.start(QString::fromStdString(COMMON_EX::GetProgramDirectory() + "zqflash"), arguments);
    ZQFLASH_RUN run;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

class ZqflashTest : public ::testing::Test {
protected:
    void SetUp() override { TestApp(); }
    CScratchDir m_scratch;
};

} // namespace

TEST_F(ZqflashTest, ProgramsAHexFileAndExitsZero)
{
    if (std::system("srec_cat --version >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "srec_cat (Debian package srecord) is not installed";
    Bytes image = SequenceBytes(9000, 4);
    std::string hex = m_scratch.File("program.hex");
    std::string command = "srec_cat '" + m_scratch.Write("program.raw", image) + "' -binary -o '" + hex +
                          "' -intel -Output_Block_Size=16 -line-termination=crlf";
    ASSERT_EQ(std::system(command.c_str()), 0);
    CTestPanelSim sim(m_scratch);
    ZQFLASH_RUN run = RunZqflash({"--port", Q(sim.Device()), "--file", Q(hex), "--begin", "0", "--notenc",
                                  "--485port", "P1", "--485bit", "3", "--quiet"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Program Finished: 9000 bytes"), std::string::npos) << run.out;
    EXPECT_EQ(sim.Flash(), ExpectedFlash(image, 0));
    EXPECT_EQ(CommandsReceived(sim.Stop()), (std::set<int>{1, 2}));
}

TEST_F(ZqflashTest, DeciphersEncipheredFilesUnlessToldTheyArePlain)
{
    CCipherLibrary& cipher = CCipherLibrary::GetInstance();
    cipher.SetDirectory(COMMON_EX::GetProgramDirectory() + "bin/");
    ASSERT_TRUE(cipher.Load(nullptr));
    Bytes image = SequenceBytes(4096, 8);
    Bytes enciphered(image.size());
    BYTE key[IMAGE_KEY_LENGTH];
    BuildImageKey(key);
    ASSERT_EQ(cipher.GetDesGo()(enciphered.data(), image.data(), static_cast<int>(image.size()), key,
                                IMAGE_KEY_LENGTH, 0), 1);
    cipher.Release();
    std::string file = m_scratch.Write("program.bin", enciphered);

    CTestPanelSim sim(m_scratch);
    ZQFLASH_RUN run = RunZqflash({"--port", Q(sim.Device()), "--file", Q(file), "--quiet"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(sim.Flash(), ExpectedFlash(image, 0x6000));

    CScratchDir plainScratch;
    CTestPanelSim plain(plainScratch);
    run = RunZqflash({"--port", Q(plain.Device()), "--file", Q(file), "--notenc", "--quiet"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(plain.Flash(), ExpectedFlash(enciphered, 0x6000));
}

TEST_F(ZqflashTest, PanelErrorsExitOneWithTheirText)
{
    std::string file = m_scratch.Write("program.vxg", SequenceBytes(1000, 1));
    {
        CTestPanelSim sim(m_scratch, {"--bad-crc", "2"});
        ZQFLASH_RUN run = RunZqflash({"--port", Q(sim.Device()), "--file", Q(file), "--notenc"});
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find("Address: 24832 CRC error!"), std::string::npos) << run.err;
        EXPECT_EQ(run.out.find("Program Finished"), std::string::npos);
    }
    {
        CTestPanelSim sim(m_scratch, {"--drop-answer", "1,2,3,4"});
        ZQFLASH_RUN run = RunZqflash({"--port", Q(sim.Device()), "--file", Q(file), "--notenc"});
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find("Program Time over!"), std::string::npos) << run.err;
    }
    {
        // A panel that never enters its boot loader: the run timer ends the knocking.
        CTestPanelSim sim(m_scratch, {"--ignore-knocks", "1000000"});
        QElapsedTimer clock;
        clock.start();
        ZQFLASH_RUN run = RunZqflash({"--port", Q(sim.Device()), "--file", Q(file), "--notenc", "--timeout", "1"});
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find("Program Time over!"), std::string::npos) << run.err;
        EXPECT_GE(clock.elapsed(), 900);
    }
}

TEST_F(ZqflashTest, RefusalsExitBeforeTheLineIsUsed)
{
    std::string file = m_scratch.Write("program.bin", SequenceBytes(100, 1));
    ZQFLASH_RUN run = RunZqflash({"--port", "/dev/zq-no-such-port", "--file", Q(file), "--notenc"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("cannot open /dev/zq-no-such-port"), std::string::npos) << run.err;

    CTestPanelSim sim(m_scratch);
    run = RunZqflash({"--port", Q(sim.Device()), "--file", Q(file), "--notenc", "--485port", "P3", "--485bit", "1"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("485 port cannot be set to RXD or TXD!"), std::string::npos) << run.err;

    run = RunZqflash({"--port", Q(sim.Device()), "--file", Q(m_scratch.File("missing.bin")), "--notenc"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("open input file error"), std::string::npos) << run.err;
    EXPECT_NE(sim.Stop().find("knocks=0"), std::string::npos) << "nothing sent for an empty image";

    EXPECT_EQ(RunZqflash({"--port", "/dev/null"}).status, 2);
    EXPECT_EQ(RunZqflash({"--port", "x", "--file", "y", "--begin", "0x6001"}).status, 2);
    EXPECT_EQ(RunZqflash({"--port", "x", "--file", "y", "--485port", "P4"}).status, 2);
    EXPECT_EQ(RunZqflash({"--help"}).status, 0);
}
