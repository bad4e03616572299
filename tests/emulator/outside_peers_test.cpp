// The simulated PLC and the emulator against Modbus programs nobody here wrote: mbpoll as the
// master of zqplc-sim over TCP and over RTU through a socat pseudo-terminal pair, and a pymodbus
// server as the PLC of zqpanel-run. A test whose program is missing is skipped.
#include "emulator_test_support.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace EMULATOR_TEST;

namespace {

// mbpoll's path, or empty.
QString Mbpoll()
{
    return QStandardPaths::findExecutable("mbpoll");
}

// mbpoll's reading of one value at a 0-based reference, "[100]: \t1234" -> "1234".
std::string ValueRead(const RUN& run, int reference)
{
    const std::string mark = "[" + std::to_string(reference) + "]:";
    const size_t at = run.out.find(mark);
    if (at == std::string::npos)
        return "";
    const size_t from = run.out.find_first_not_of(" \t", at + mark.size());
    return run.out.substr(from, run.out.find_first_of(" \t\r\n", from) - from);
}

// Reads, writes and reads back a register and a coil of the simulated PLC with mbpoll, whose
// line options are `line` (the last of them its device or host).
void ReadAndWrite(CPeerProcess& sim, const QStringList& line)
{
    const QStringList once = {"-1", "-0", "-a", "1", "-o", "5"};
    RUN run = RunProgram(Mbpoll(), QStringList{"-r", "100", "-c", "2"} + once + line);
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_EQ(ValueRead(run, 100), "1234") << run.out;
    EXPECT_EQ(ValueRead(run, 101), "0") << run.out;
    run = RunProgram(Mbpoll(), QStringList{"-r", "200"} + once + line + QStringList{"377"});
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_NE(sim.OutputWith("write register 200 = 377").find("write register 200 = 377"), std::string::npos);
    run = RunProgram(Mbpoll(), QStringList{"-t", "0", "-r", "264"} + once + line);
    EXPECT_EQ(ValueRead(run, 264), "1") << run.out << run.err;
    run = RunProgram(Mbpoll(), QStringList{"-t", "0", "-r", "2053"} + once + line + QStringList{"1"});
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_NE(sim.OutputWith("write coil 2053 = 1").find("write coil 2053 = 1"), std::string::npos);
    run = RunProgram(Mbpoll(), QStringList{"-r", "200"} + once + line);
    EXPECT_EQ(ValueRead(run, 200), "377") << run.out;
    run = RunProgram(Mbpoll(), QStringList{"-t", "3", "-r", "100"} + once + line);
    EXPECT_NE(run.status, 0) << "input registers are not served";
    EXPECT_NE((run.out + run.err).find("Illegal function"), std::string::npos) << run.out << run.err;
}

} // namespace

TEST(OutsidePeers, MbpollReadsAndWritesTheSimulatedPlcOverTcp)
{
    if (Mbpoll().isEmpty())
        GTEST_SKIP() << "mbpoll is not installed (scripts/setup.sh installs it)";
    CPlcSim sim({"--register", "100=1234", "--coil", "264=1"});
    ASSERT_GT(sim.Port(), 0);
    ReadAndWrite(sim, {"-m", "tcp", "-p", QString::number(sim.Port()), "127.0.0.1"});
}

TEST(OutsidePeers, MbpollReadsAndWritesTheSimulatedPlcOnASerialDeviceOverRtu)
{
    const QString socat = QStandardPaths::findExecutable("socat");
    if (Mbpoll().isEmpty() || socat.isEmpty())
        GTEST_SKIP() << "mbpoll or socat is not installed (scripts/setup.sh installs them)";
    QTemporaryDir dir;
    const QString plcEnd = dir.filePath("plc"), masterEnd = dir.filePath("master");
    struct PAIR : QProcess {
        ~PAIR() override
        {
            terminate();
            if (!waitForFinished(10000))
                kill();
            waitForFinished(10000);
        }
    } pair;
    pair.setReadChannel(QProcess::StandardError);
    pair.start(socat, {"-d", "-d", "pty,raw,echo=0,link=" + plcEnd, "pty,raw,echo=0,link=" + masterEnd});
    ASSERT_TRUE(pair.waitForStarted(10000));
    QByteArray said;
    while (!said.contains("starting data transfer loop") && pair.waitForReadyRead(20000))
        said += pair.readAllStandardError();
    ASSERT_TRUE(said.contains("starting data transfer loop")) << said.toStdString();
    {
        CPeerProcess sim(ProgramFolder() + "/zqplc-sim", {"--device", plcEnd, "--baud", "19200", "--parity", "E",
                                                          "--register", "100=1234", "--coil", "264=1"});
        ASSERT_EQ(sim.Where(), plcEnd.toStdString());
        ReadAndWrite(sim, {"-m", "rtu", "-b", "19200", "-P", "even", masterEnd});
    }
}

TEST(OutsidePeers, APymodbusServerIsThePlcOfTheHeadlessEmulator)
{
    const QString python = "/usr/bin/python3";
    if (RunProgram(python, {"-c", "import pymodbus.server.async_io"}).status != 0)
        GTEST_SKIP() << "python3-pymodbus is not installed (scripts/setup.sh installs it)";
    CPeerProcess plc(python, {ZQ_SOURCE_DIR "/tests/emulator/pymodbus_plc.py", "100=1234", "coil:2048"});
    ASSERT_GT(plc.Port(), 0);
    QTemporaryDir dir;
    QFile script(dir.filePath("demo.txt"));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("wait-for 20000 text 44 20 123.4\n"
                 "expect link ok\n"
                 "key F1\n"
                 "expect screen 2\n"
                 "key F2\n"
                 "expect coil 1 2048 1\n");
    script.close();
    const RUN run = RunProgram(ProgramFolder() + "/zqpanel-run",
                               {"--tcp", QString("127.0.0.1:%1").arg(plc.Port()), "--headless", "--script",
                                script.fileName(), ProgramFolder() + "/../examples/demo.ZQE"});
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_NE(plc.OutputWith("coil 2048 = 1").find("coil 2048 = 1"), std::string::npos)
        << "the function key's write reached the server's datastore";
}
