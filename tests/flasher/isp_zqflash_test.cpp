// zqflash as a script sees it: exit status 0 only when the panel confirmed every block, otherwise
// the error text and status 1 (2 for a wrong command line).
#include "isp_test_support.h"

#include "flasher/cipher_library.h"
#include "tests/vexorisp/fake_serial_folders.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct ZQFLASH_RUN {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs zqflash with `input` on its standard input (closed after it).
ZQFLASH_RUN RunZqflash(const QStringList& arguments, int timeoutMs = TEST_HANG_GUARD_MS, const QByteArray& input = {})
{
    QProcess process;
    process.start(QString::fromStdString(COMMON_EX::GetProgramDirectory() + "zqflash"), arguments);
    process.write(input);
    process.closeWriteChannel();
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
    ZQFLASH_RUN run = RunZqflash({"--port", Q(sim.Device()), "--file", Q(hex), "--begin", "0", "--notenc", "--485port",
                                  "P1", "--485bit", "3", "--quiet"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Program Finished: 9000 bytes"), std::string::npos) << run.out;
    EXPECT_EQ(sim.Flash(), ExpectedFlash(image, 0));
    EXPECT_EQ(CommandsReceived(sim.Stop()), (std::set<int>{1, 2}));
}

TEST_F(ZqflashTest, ReadsTheProgramFromStandardInputAsHexOrRawByItsContent)
{
    const Bytes image = SequenceBytes(3000, 7);
    std::string hex;
    for (size_t at = 0; at < image.size(); at += 16)
        hex +=
            HexRecord(0, int(at), Bytes(image.begin() + at, image.begin() + std::min(at + 16, image.size()))) + "\r\n";
    hex += HEX_END + "\r\n";
    for (const std::string& input : {std::string(image.begin(), image.end()), hex}) {
        CTestPanelSim sim(m_scratch);
        const ZQFLASH_RUN run =
            RunZqflash({"--port", Q(sim.Device()), "--file", "-", "--begin", "0", "--notenc", "--quiet"}, 20000,
                       QByteArray::fromStdString(input));
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(sim.Flash(), ExpectedFlash(image, 0)) << (input == hex ? "as HEX" : "raw");
    }
    const ZQFLASH_RUN empty = RunZqflash({"--port", "/dev/null", "--file", "-"}, 20000, " \r\n");
    EXPECT_EQ(empty.status, 1);
    EXPECT_EQ(empty.err, "zqflash: --file -: standard input holds no program\n");
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
    ASSERT_EQ(cipher.GetDesGo()(enciphered.data(), image.data(), static_cast<int>(image.size()), key, IMAGE_KEY_LENGTH,
                                0),
              1);
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
    EXPECT_NE(run.err.find("unplugged"), std::string::npos) << run.err;

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

namespace {

// How often text occurs in all.
int Count(const std::string& all, const std::string& text)
{
    int count = 0;
    for (std::size_t at = all.find(text); at != std::string::npos; at = all.find(text, at + 1))
        ++count;
    return count;
}

} // namespace

TEST_F(ZqflashTest, CommandLineFollowsTheSuiteConventions)
{
    ZQFLASH_RUN run = RunZqflash({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind("Usage: zqflash", 0), 0u) << run.out;
    for (const char* option : {"--retries", "--trace", "--list-ports", "--version"})
        EXPECT_NE(run.out.find(option), std::string::npos) << option;
    EXPECT_TRUE(run.err.empty());
    run = RunZqflash({"-h"});
    EXPECT_EQ(run.status, 0);
    run = RunZqflash({"--version"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind("zqflash ", 0), 0u) << run.out;
    for (const QStringList& wrong : {QStringList{"--port", "x", "--file", "y", "--timeout", "-4294967295"},
                                     QStringList{"--port", "x", "--file", "y", "--slave", "1x"},
                                     QStringList{"--port", "x", "--file", "y", "--retries", "101"},
                                     QStringList{"--port", "x", "--file", "y", "--no-such-option"},
                                     QStringList{"--port", "x", "--file", "y", "extra"}}) {
        run = RunZqflash(wrong);
        EXPECT_EQ(run.status, 2) << wrong.join(' ').toStdString();
        EXPECT_EQ(run.err.rfind("zqflash: ", 0), 0u) << run.err;
        EXPECT_TRUE(run.out.empty());
    }
}

TEST_F(ZqflashTest, InputsAreCheckedBeforeThePortAndNeverBlock)
{
    CTestPanelSim sim(m_scratch);
    const std::string fifo = m_scratch.File("program.bin");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    ZQFLASH_RUN run = RunZqflash({"--port", Q(sim.Device()), "--file", Q(fifo), "--notenc"});
    EXPECT_EQ(run.status, 1) << "a FIFO with no writer must not block (it would block for ever)";
    EXPECT_NE(run.err.find("'" + fifo + "': it is a FIFO, not a regular file"), std::string::npos) << run.err;

    const std::string missing = m_scratch.File("missing.vxg");
    run = RunZqflash({"--port", Q(sim.Device()), "--file", Q(missing), "--notenc"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("'" + missing + "': No such file or directory"), std::string::npos) << run.err;

    // A plain download image without --notenc would be deciphered into noise and flashed.
    Bytes image = SequenceBytes(3000, 11);
    image[0] = 3000 >> 8, image[1] = 3000 & 0xFF, image[36] = 6;
    std::fill(image.begin() + 41, image.begin() + 50, BYTE(0));
    image[52] = 0x04, image[53] = 0x80, image[54] = 0x05, image[55] = 0x00, image[57] = 3, image[58] = 2;
    run = RunZqflash({"--port", Q(sim.Device()), "--file", Q(m_scratch.Write("plain.vxg", image)), "--quiet"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("program it as not enciphered"), std::string::npos) << run.err;
    EXPECT_NE(sim.Stop().find("knocks=0"), std::string::npos) << "the port is opened only for a usable file";

    run = RunZqflash(
        {"--port", Q(m_scratch.File("no-such-tty")), "--file", Q(m_scratch.Write("p.bin", Bytes(9, 1))), "--notenc"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("no-such-tty: No such file or directory"), std::string::npos) << run.err;
    if (geteuid() != 0) {
        const std::string locked = m_scratch.Write("locked-tty", Bytes(1, 0));
        chmod(locked.c_str(), 0);
        run = RunZqflash({"--port", Q(locked), "--file", Q(m_scratch.File("p.bin")), "--notenc"});
        EXPECT_NE(run.err.find("Permission denied"), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("dialout"), std::string::npos) << run.err;
    }
}

TEST_F(ZqflashTest, WaitingForTheBootLoaderAndEachErrorAreShownOnce)
{
    const std::string file = m_scratch.Write("program.vxg", SequenceBytes(1000, 1));
    {
        CTestPanelSim sim(m_scratch, {"--ignore-knocks", "4"});
        ZQFLASH_RUN run = RunZqflash({"--port", Q(sim.Device()), "--file", Q(file), "--notenc"});
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(Count(run.err, "Waiting for the panel's boot loader"), 1) << run.err;
        EXPECT_EQ(run.err.find("Program Time over!"), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find('\r'), std::string::npos) << "no progress bar when not on a terminal";
    }
    {
        CTestPanelSim sim(m_scratch, {"--bad-crc", "2"});
        ZQFLASH_RUN run = RunZqflash({"--port", Q(sim.Device()), "--file", Q(file), "--notenc"});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(Count(run.err, "CRC error"), 1) << run.err;
        EXPECT_NE(run.err.find("zqflash: Address: 24832 CRC error! (0x6100)"), std::string::npos) << run.err;
    }
}

TEST_F(ZqflashTest, RetriesAndTraceAreTheUsersToSet)
{
    const std::string file = m_scratch.Write("program.vxg", SequenceBytes(300, 2));
    {
        // The second block's first answer is lost: without retries that ends the run.
        CTestPanelSim sim(m_scratch, {"--drop-answer", "2"});
        ZQFLASH_RUN run = RunZqflash({"--port", Q(sim.Device()), "--file", Q(file), "--notenc", "--retries", "0"});
        EXPECT_EQ(run.status, 1) << run.err;
    }
    CTestPanelSim sim(m_scratch, {"--drop-answer", "2"});
    ZQFLASH_RUN run = RunZqflash({"--port", Q(sim.Device()), "--file", Q(file), "--notenc", "--trace"});
    EXPECT_EQ(run.status, 0) << run.err;
    // Entry request to slave 1 (5 registers: no 485 port) and its echo, each with its time.
    EXPECT_NE(run.err.find("] > 01 10 25 D8 00 05 0A"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("] < 01 10 25 D8 00 05"), std::string::npos) << run.err;
    // Three blocks, the second sent twice.
    EXPECT_EQ(Count(run.err, "> FF 64"), 4) << run.err;
}

TEST_F(ZqflashTest, InterruptStopsCleanlyWithAMessage)
{
    CTestPanelSim sim(m_scratch, {"--ignore-knocks", "1000000"});
    const std::string file = m_scratch.Write("program.vxg", SequenceBytes(1000, 1));
    QProcess process;
    process.start(QString::fromStdString(COMMON_EX::GetProgramDirectory() + "zqflash"),
                  {"--port", Q(sim.Device()), "--file", Q(file), "--notenc"});
    ASSERT_TRUE(process.waitForStarted(TEST_HANG_GUARD_MS));
    QByteArray err;
    ASSERT_TRUE(WaitUntil(
        [&] {
            err += process.readAllStandardError();
            return err.contains("Waiting");
        },
        TEST_HANG_GUARD_MS))
        << err.toStdString();
    ::kill(static_cast<pid_t>(process.processId()), SIGINT);
    ASSERT_TRUE(process.waitForFinished(TEST_HANG_GUARD_MS));
    err += process.readAllStandardError();
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 130);
    EXPECT_NE(err.indexOf("zqflash: interrupted"), -1) << err.toStdString();
}

TEST_F(ZqflashTest, StaleAnswerOfAResentBlockIsNeverTakenForTheNextIdenticalBlock)
{
    // Two identical blocks answer with the same CRC. The first block's request is lost and sent
    // again; its answer comes twice, the second time late; the second block's request is lost
    // too. Taking the late duplicate for the second block's answer would report success with the
    // second block never written.
    Bytes half = SequenceBytes(128, 6);
    Bytes image = half;
    image.insert(image.end(), half.begin(), half.end());
    std::string file = m_scratch.Write("twins.bin", image);
    CTestPanelSim sim(m_scratch, {"--lose-block", "1,3", "--repeat-answer", "2:400"});
    ZQFLASH_RUN run = RunZqflash(
        {"--port", Q(sim.Device()), "--file", Q(file), "--begin", "0", "--notenc", "--quiet", "--confirm-all"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(sim.Flash(), ExpectedFlash(image, 0)) << "every block written";
    EXPECT_NE(sim.Stop().find("blocks=4"), std::string::npos) << "the second block went out twice";
}

TEST_F(ZqflashTest, ListsPortsByStableNameAsTextAndJson)
{
    CFakeSerialFolders folders;
    ASSERT_TRUE(folders.IsValid());
    folders.AddPtyDevice("ttyUSB0");
    const std::string pty = folders.LastPty().Device();
    const std::string acm = folders.AddPtyDevice("ttyACM0");
    const std::string stable = folders.AddStableName("usb-ACME_Panel_Cable_0042-if00-port0", "ttyUSB0");
    folders.SetEnvironment(); // inherited by zqflash

    ZQFLASH_RUN run = RunZqflash({"--list-ports"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, stable + "\tACME Panel Cable 0042\t-\t-\t" + pty + "\tok\n" + acm + "\t-\t-\t-\t" +
                           folders.LastPty().Device() + "\tok\n");

    run = RunZqflash({"--list-ports", "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const QJsonArray ports = QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).array();
    ASSERT_EQ(ports.size(), 2) << run.out;
    const QJsonObject first = ports[0].toObject();
    EXPECT_EQ(first["path"].toString(), Q(stable));
    EXPECT_EQ(first["device"].toString(), Q(pty));
    EXPECT_EQ(first["description"].toString(), "ACME Panel Cable 0042");
    EXPECT_TRUE(first["stable"].toBool());
    EXPECT_TRUE(first["permitted"].toBool());
    EXPECT_EQ(ports[1].toObject()["path"].toString(), Q(acm));
    EXPECT_FALSE(ports[1].toObject()["stable"].toBool());

    // No ports: an empty array for a script, the words for a person.
    ::setenv("ZQ_SERIAL_BY_ID", "/nonexistent-by-id", 1);
    ::setenv("ZQ_SERIAL_DEV", m_scratch.File("").c_str(), 1);
    run = RunZqflash({"--list-ports", "--json"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "[]\n");
    EXPECT_EQ(RunZqflash({"--json"}).status, 2);
}

TEST_F(ZqflashTest, LateRepeatOfAnAnswerIsNeverTakenForTheNextIdenticalBlockLostOnTheLine)
{
    // Every block of zeros answers alike. Block 3's answer comes again while block 4 is lost on
    // the line; taking the repeat for block 4's answer would report success with 0x6180 never
    // written. With every block confirmed, each repeat delay up to the request time-out ends with
    // the whole image written.
    const Bytes image(2048, 0);
    const std::string file = m_scratch.Write("zeros.bin", image);
    for (const char* delay : {"1", "30", "120", "200"}) {
        CTestPanelSim sim(m_scratch, {"--repeat-answer", QString("3:") + delay, "--lose-block", "4"});
        ZQFLASH_RUN run =
            RunZqflash({"--port", Q(sim.Device()), "--file", Q(file), "--notenc", "--quiet", "--confirm-all"});
        EXPECT_EQ(run.status, 0) << "repeat after " << delay << " ms: " << run.err;
        EXPECT_EQ(sim.Flash(), ExpectedFlash(image, 0x6000)) << "repeat after " << delay << " ms";
    }
    // By default fifteen waits would cost far beyond the budget: the blocks go out without them,
    // and the run says it cannot vouch for the fifteen blocks that equal the one before.
    CTestPanelSim sim(m_scratch, {"--repeat-answer", "3:30", "--lose-block", "4"});
    ZQFLASH_RUN run = RunZqflash({"--port", Q(sim.Device()), "--file", Q(file), "--notenc", "--quiet"});
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(run.err, "Start to program ...\nzqflash: Program Finished, but 15 blocks equal to an earlier block are "
                       "not confirmed: a late "
                       "repeat of an answer could have passed for theirs. Program again with every block confirmed "
                       "to be sure.\n");
    EXPECT_EQ(run.out, "");
}

TEST_F(ZqflashTest, TheSimulatorsFlashFileIsCheckedBeforeItsPseudoTerminalIsOffered)
{
    const std::string fifo = m_scratch.File("flash.fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string simulator = COMMON_EX::GetProgramDirectory() + "zqpanel-sim";
    const std::pair<std::string, std::string> refusals[] = {
        {m_scratch.File(""), "not a regular file"},
        {m_scratch.File("missing/flash.bin"), "does not exist"},
        {"/dev/full", "not a regular file"},
        {fifo, "no program reads the FIFO"},
    };
    for (const auto& [flash, words] : refusals) {
        QProcess sim;
        sim.start(Q(simulator), {"--flash", Q(flash), "--exit-on-stdin-eof"});
        ASSERT_TRUE(sim.waitForFinished(TEST_HANG_GUARD_MS)) << flash << ": the simulator waited instead of refusing";
        EXPECT_EQ(sim.exitCode(), 1) << flash;
        EXPECT_TRUE(sim.readAllStandardOutput().isEmpty()) << flash << ": no pseudo-terminal offered";
        EXPECT_NE(sim.readAllStandardError().toStdString().find(words), std::string::npos) << flash;
    }
    // "-": the flash on standard output, the simulator's own lines on standard error.
    QProcess sim;
    sim.start(Q(simulator), {"--flash", "-", "--exit-on-stdin-eof"});
    ASSERT_TRUE(sim.waitForStarted(TEST_HANG_GUARD_MS));
    sim.setReadChannel(QProcess::StandardError);
    while (!sim.canReadLine() && sim.waitForReadyRead(TEST_HANG_GUARD_MS)) {
    }
    const std::string device = sim.readLine().trimmed().toStdString();
    EXPECT_EQ(device.rfind("/dev/pts/", 0), 0u) << device;
    sim.closeWriteChannel();
    ASSERT_TRUE(sim.waitForFinished(TEST_HANG_GUARD_MS));
    EXPECT_EQ(sim.exitCode(), 0);
    EXPECT_EQ(sim.readAllStandardOutput(), QByteArray(0x10000, char(0xFF)));
}

TEST_F(ZqflashTest, APseudoTerminalLeftByAKilledProgrammerIsProgrammableAgain)
{
    const Bytes image = SequenceBytes(16384, 5);
    const std::string file = m_scratch.Write("program.bin", image);
    CTestPanelSim sim(m_scratch, {"--verbose", "--line-baud", "19200"});
    QProcess killed;
    killed.start(Q(COMMON_EX::GetProgramDirectory() + "zqflash"),
                 {"--port", Q(sim.Device()), "--file", Q(file), "--notenc", "--quiet"});
    ASSERT_TRUE(sim.WaitForLog("block 3 ")) << "the first run is programming";
    ::kill(static_cast<pid_t>(killed.processId()), SIGKILL);
    ASSERT_TRUE(killed.waitForFinished(TEST_HANG_GUARD_MS));
    ASSERT_TRUE(sim.WaitForLog("line settings reset")) << "the simulator saw its programmer go";
    ZQFLASH_RUN run = RunZqflash({"--port", Q(sim.Device()), "--file", Q(file), "--notenc", "--quiet"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(sim.Flash(), ExpectedFlash(image, 0x6000));
}
