// zqflash on a production line: several simulated panels at once (zqpanel-sim --count), each
// line's faults its own, the summary, the production record and the exit status telling the same
// story; --repeat; the record after a kill -9; the plain image handed to every line.
#include "isp_test_support.h"

#include "tools/zqflash/line_image.h"
#include "tools/zqflash/line_report.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>

namespace {

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

// zqpanel-sim --count N with the flash files flash-K.bin in scratch; stopped at destruction.
class CPanelSet {
public:
    CPanelSet(const CScratchDir& scratch, int count, const QStringList& extra = {}) : m_scratch(scratch)
    {
        m_process.start(Q(COMMON_EX::GetProgramDirectory() + "zqpanel-sim"),
                        QStringList{"--count", QString::number(count), "--flash", Q(scratch.File("flash.bin")),
                                    "--exit-on-stdin-eof"} +
                            extra);
        // Until every device is printed or the simulator ends, however long a loaded machine takes.
        m_process.waitForStarted(TEST_HANG_GUARD_MS);
        while (static_cast<int>(m_devices.size()) < count && m_process.waitForReadyRead(TEST_HANG_GUARD_MS))
            while (m_process.canReadLine() && static_cast<int>(m_devices.size()) < count)
                m_devices.push_back(m_process.readLine().trimmed().toStdString());
    }
    ~CPanelSet() { Stop(); }

    const std::vector<std::string>& Devices() const { return m_devices; }
    // Every --port argument.
    QStringList PortArguments() const
    {
        QStringList arguments;
        for (const std::string& device : m_devices)
            arguments << "--port" << Q(device);
        return arguments;
    }
    // Stops the panels and answers their statistics lines.
    std::string Stats()
    {
        Stop();
        return m_process.readAllStandardOutput().toStdString();
    }
    // Stops the panels; the flash of panel k (1-based).
    Bytes Flash(int k)
    {
        Stop();
        return ReadBytes(m_scratch.File("flash-" + std::to_string(k) + ".bin"));
    }
    void Stop()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            m_process.waitForFinished(TEST_HANG_GUARD_MS); // the flash files are written on the way out
        }
    }

private:
    const CScratchDir& m_scratch;
    QProcess m_process;
    std::vector<std::string> m_devices;
};

struct LINE_RUN {
    int status = -1;
    std::string out;
    std::string err;
};

void StartZqflash(QProcess& process, const QStringList& arguments)
{
    process.start(Q(COMMON_EX::GetProgramDirectory() + "zqflash"), arguments);
    ASSERT_TRUE(process.waitForStarted(TEST_HANG_GUARD_MS));
}

// Until the run ends by itself: the guard only tells a hung run, never a guess of how long is enough.
LINE_RUN Finish(QProcess& process)
{
    LINE_RUN run;
    if (!process.waitForFinished(TEST_HANG_GUARD_MS)) {
        ADD_FAILURE() << "zqflash hung";
        process.kill();
        process.waitForFinished(TEST_HANG_GUARD_MS);
    }
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

LINE_RUN RunZqflash(const QStringList& arguments)
{
    QProcess process;
    StartZqflash(process, arguments);
    return Finish(process);
}

std::vector<QJsonObject> ReadLog(const std::string& path)
{
    std::vector<QJsonObject> records;
    QFile file(Q(path));
    if (!file.open(QIODevice::ReadOnly))
        return records;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (!line.isEmpty())
            records.push_back(QJsonDocument::fromJson(line).object());
    return records;
}

// Waits until the log holds count records.
bool WaitForRecords(const std::string& path, std::size_t count)
{
    return WaitUntil([&] { return ReadLog(path).size() >= count; }, TEST_HANG_GUARD_MS, 20);
}

// The summary row of a port.
std::string SummaryRow(const std::string& out, const std::string& port)
{
    const std::size_t at = out.find(port + " ");
    return at == std::string::npos ? std::string() : out.substr(at, out.find('\n', at) - at);
}

std::string Sha256(const Bytes& bytes)
{
    return QCryptographicHash::hash(QByteArray(reinterpret_cast<const char*>(bytes.data()), int(bytes.size())),
                                    QCryptographicHash::Sha256)
        .toHex()
        .toStdString();
}

// The parent of process pid; 0 when it is gone.
pid_t ParentOf(const std::string& pid)
{
    QFile file(Q("/proc/" + pid + "/stat"));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray stat = file.readAll();
    // "pid (name) state ppid ...": the name may hold spaces and parentheses, the last ')' ends it.
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 1 ? static_cast<pid_t>(fields[1].toInt()) : 0;
}

// The per-port process of zqflash running on device, a child of parent when parent is given (the
// tests run side by side, and another test's run may have used the same device number before);
// 0 when there is none.
pid_t LineProcessOn(const std::string& device, pid_t parent = 0)
{
    for (const std::filesystem::directory_entry& entry : std::filesystem::directory_iterator("/proc")) {
        QFile file(Q(entry.path().string() + "/cmdline"));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QList<QByteArray> words = file.readAll().split('\0');
        if (!words.contains("--line-report") || !words.contains(QByteArray::fromStdString(device)))
            continue;
        if (parent == 0 || ParentOf(entry.path().filename().string()) == parent)
            return static_cast<pid_t>(std::atoi(entry.path().filename().c_str()));
    }
    return 0;
}

class ZqflashLineTest : public ::testing::Test {
protected:
    void SetUp() override { TestApp(); }
    CScratchDir m_scratch;
};

} // namespace

TEST_F(ZqflashLineTest, EightPanelsSixFinishTwoFailAndSummaryLogAndStatusAgree)
{
    // Panel 3: a dead line (the boot loader never answers); panel 5: a block answered with a wrong
    // CRC; panel 7: two answers dropped, recovered by the retries.
    const Bytes image = SequenceBytes(3000, 7);
    const std::string file = m_scratch.Write("line.bin", image);
    const std::string log = m_scratch.File("record.jsonl");
    CPanelSet panels(m_scratch, 8,
                     {"--panel", "3:--ignore-knocks 1000000", "--panel", "5:--bad-crc 4", "--panel",
                      "7:--drop-answer 2,6"});
    ASSERT_EQ(panels.Devices().size(), 8u);
    LINE_RUN run = RunZqflash(panels.PortArguments() +
                              QStringList{"--file", Q(file), "--notenc", "--timeout", "3", "--log", Q(log)});
    EXPECT_EQ(run.status, 2) << run.out << run.err;
    EXPECT_NE(run.out.find("6 of 8 panels finished"), std::string::npos) << run.out;

    const std::string dead = panels.Devices()[2], crc = panels.Devices()[4], dropped = panels.Devices()[6];
    EXPECT_NE(SummaryRow(run.out, dead).find("failed"), std::string::npos) << run.out;
    EXPECT_NE(SummaryRow(run.out, dead).find("boot loader did not answer within 3 s"), std::string::npos) << run.out;
    EXPECT_NE(SummaryRow(run.out, crc).find("Address: 25088 CRC error!"), std::string::npos) << run.out;
    EXPECT_NE(SummaryRow(run.out, dropped).find("finished"), std::string::npos) << run.out;

    const std::vector<QJsonObject> records = ReadLog(log);
    ASSERT_EQ(records.size(), 8u);
    std::map<std::string, QJsonObject> byPort;
    for (const QJsonObject& record : records)
        byPort[record["port"].toString().toStdString()] = record;
    ASSERT_EQ(byPort.size(), 8u);
    for (std::size_t k = 0; k < 8; ++k) {
        const QJsonObject& record = byPort[panels.Devices()[k]];
        const bool fails = k == 2 || k == 4;
        EXPECT_EQ(record["result"].toString(), fails ? "failed" : "finished") << k;
        EXPECT_EQ(record["error"].toString().isEmpty(), !fails) << k;
        EXPECT_EQ(record["sha256"].toString().toStdString(), Sha256(image));
        EXPECT_EQ(record["image"].toString().toStdString(), file);
        EXPECT_EQ(record["begin"].toInt(), 0x6000);
        if (!fails) {
            EXPECT_EQ(record["bytes"].toInt(), 3000);
        }
        EXPECT_FALSE(record["host"].toString().isEmpty());
        EXPECT_TRUE(record["time"].toString().endsWith('Z'));
    }
    EXPECT_GE(byPort[dropped]["retries"].toInt(), 2) << "each dropped answer costs a retry";
    EXPECT_EQ(byPort[crc]["error"].toString().toStdString(), "Address: 25088 CRC error! (0x6200)");
    EXPECT_EQ(byPort[crc]["bytes"].toInt(), 384) << "three blocks confirmed before the damaged fourth";
    EXPECT_EQ(byPort[dead]["bytes"].toInt(), 0);

    LINE_RUN summary = RunZqflash({"--log-summary", Q(log)});
    EXPECT_EQ(summary.status, 0);
    EXPECT_NE(summary.out.find("failed        2"), std::string::npos) << summary.out;
    EXPECT_NE(summary.out.find("finished      6"), std::string::npos) << summary.out;

    for (int k = 1; k <= 8; ++k) {
        if (k == 3 || k == 5)
            EXPECT_NE(panels.Flash(k), ExpectedFlash(image, 0x6000)) << k;
        else
            EXPECT_EQ(panels.Flash(k), ExpectedFlash(image, 0x6000)) << k;
    }
}

TEST_F(ZqflashLineTest, RepeatModeProgramsRoundAfterRoundUntilCtrlC)
{
    const Bytes image = SequenceBytes(1000, 3);
    const std::string file = m_scratch.Write("line.vxg", image);
    const std::string log = m_scratch.File("record.jsonl");
    CPanelSet panels(m_scratch, 2);
    QProcess zqflash;
    StartZqflash(zqflash,
                 panels.PortArguments() + QStringList{"--file", Q(file), "--notenc", "--repeat", "--log", Q(log)});
    // Until each port has programmed two panels (generously: the machine may be loaded).
    auto twoRoundsEach = [&] {
        std::map<std::string, int> rounds;
        for (const QJsonObject& record : ReadLog(log))
            rounds[record["port"].toString().toStdString()] += record["result"] == "finished" ? 1 : 0;
        return rounds[panels.Devices()[0]] >= 2 && rounds[panels.Devices()[1]] >= 2;
    };
    ASSERT_TRUE(WaitUntil(twoRoundsEach, TEST_HANG_GUARD_MS, 20));
    ::kill(static_cast<pid_t>(zqflash.processId()), SIGINT);
    LINE_RUN run = Finish(zqflash);

    // Every record is a finished panel, or one whose blocks Ctrl-C interrupted; the status counts
    // the latter.
    std::map<std::string, int> finished;
    int interrupted = 0;
    for (const QJsonObject& record : ReadLog(log)) {
        if (record["result"] == "finished")
            ++finished[record["port"].toString().toStdString()];
        else
            EXPECT_EQ(record["result"].toString(), "interrupted") << record["error"].toString().toStdString();
        interrupted += record["result"] == "interrupted" ? 1 : 0;
    }
    EXPECT_EQ(run.status, interrupted) << run.out << run.err;
    for (const std::string& device : panels.Devices())
        EXPECT_GE(finished[device], 2) << device;
    EXPECT_NE(run.out.find(std::to_string(finished[panels.Devices()[0]] + finished[panels.Devices()[1]]) + " of "),
              std::string::npos)
        << run.out;
    if (interrupted == 0) {
        EXPECT_EQ(panels.Flash(1), ExpectedFlash(image, 0x6000));
        EXPECT_EQ(panels.Flash(2), ExpectedFlash(image, 0x6000));
    }
}

TEST_F(ZqflashLineTest, ALongShiftKeepsTheLastRowsAndCountsEveryPanel)
{
    // More panel runs than the summary lists: the run keeps the last rows and the counts, the
    // record keeps every run.
    const std::string file = m_scratch.Write("tiny.bin", SequenceBytes(128, 8));
    const std::string log = m_scratch.File("record.jsonl");
    CPanelSet panels(m_scratch, 4);
    QProcess zqflash;
    StartZqflash(zqflash, panels.PortArguments() +
                              QStringList{"--file", Q(file), "--notenc", "--repeat", "--quiet", "--log", Q(log)});
    ASSERT_TRUE(WaitForRecords(log, 110));
    ::kill(static_cast<pid_t>(zqflash.processId()), SIGINT);
    LINE_RUN run = Finish(zqflash);
    const std::size_t total = ReadLog(log).size();
    std::size_t rows = 0;
    std::istringstream out(run.out);
    for (std::string line; std::getline(out, line);)
        rows += line.rfind("/dev/", 0) == 0 ? 1 : 0;
    EXPECT_EQ(rows, 100u) << run.out;
    EXPECT_NE(run.out.find("(" + std::to_string(total - 100) + " earlier panel runs are not listed)"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find(" of " + std::to_string(total) + " panels finished"), std::string::npos) << total << "\n"
                                                                                                    << run.out;
}

TEST_F(ZqflashLineTest, CtrlCStopsEveryLineAndRecordsItsPanelAsInterrupted)
{
    const std::string file = m_scratch.Write("line.bin", SequenceBytes(3000, 4));
    const std::string log = m_scratch.File("record.jsonl");
    // Panel 1 loses the first answer of every block (a run of seconds), panel 2 never answers.
    CPanelSet panels(m_scratch, 2,
                     {"--panel", "1:--drop-answer 2,4,6,8,10,12,14,16,18,20,22,24,26,28,30,32", "--panel",
                      "2:--ignore-knocks 1000000"});
    QProcess zqflash;
    StartZqflash(zqflash, panels.PortArguments() + QStringList{"--file", Q(file), "--notenc", "--log", Q(log)});
    QByteArray err;
    zqflash.setReadChannel(QProcess::StandardError);
    while (!err.contains(": programming") && zqflash.waitForReadyRead(TEST_HANG_GUARD_MS))
        err += zqflash.readAllStandardError();
    ASSERT_TRUE(err.contains(": programming")) << err.toStdString();
    ::kill(static_cast<pid_t>(zqflash.processId()), SIGINT);
    LINE_RUN run = Finish(zqflash);
    EXPECT_EQ(run.status, 130) << run.out << run.err;
    EXPECT_NE(run.out.find("0 of 2 panels finished"), std::string::npos) << run.out;
    const std::vector<QJsonObject> records = ReadLog(log);
    ASSERT_EQ(records.size(), 2u);
    for (const QJsonObject& record : records) {
        EXPECT_EQ(record["result"].toString(), "interrupted");
        EXPECT_TRUE(record["error"].toString().startsWith("interrupted")) << record["error"].toString().toStdString();
        EXPECT_LT(record["bytes"].toInt(), 3000);
    }
}

TEST_F(ZqflashLineTest, ALineWhoseProcessDiesDisturbsNoOther)
{
    const Bytes image = SequenceBytes(3000, 6);
    const std::string file = m_scratch.Write("line.bin", image);
    // Panel 2 loses the first answer of every block, so its line is still programming (each block
    // waits out a time-out) when its process is killed.
    CPanelSet panels(m_scratch, 3, {"--panel", "2:--drop-answer 2,4,6,8,10,12,14,16,18,20,22,24,26,28,30,32"});
    QProcess zqflash;
    StartZqflash(zqflash, panels.PortArguments() + QStringList{"--file", Q(file), "--notenc"});
    QByteArray err;
    zqflash.setReadChannel(QProcess::StandardError);
    const QByteArray programming = QByteArray::fromStdString(panels.Devices()[1] + ": programming");
    while (!err.contains(programming) && zqflash.waitForReadyRead(TEST_HANG_GUARD_MS))
        err += zqflash.readAllStandardError();
    const pid_t line = LineProcessOn(panels.Devices()[1], static_cast<pid_t>(zqflash.processId()));
    ASSERT_NE(line, 0) << err.toStdString();
    ::kill(line, SIGKILL);
    LINE_RUN run = Finish(zqflash);
    EXPECT_EQ(run.status, 1) << run.out << run.err;
    EXPECT_NE(SummaryRow(run.out, panels.Devices()[1]).find("the port's process ended unexpectedly"), std::string::npos)
        << run.out;
    EXPECT_NE(SummaryRow(run.out, panels.Devices()[0]).find("finished"), std::string::npos) << run.out;
    EXPECT_NE(SummaryRow(run.out, panels.Devices()[2]).find("finished"), std::string::npos) << run.out;
    EXPECT_EQ(panels.Flash(1), ExpectedFlash(image, 0x6000));
    EXPECT_EQ(panels.Flash(3), ExpectedFlash(image, 0x6000));
}

TEST_F(ZqflashLineTest, RecordKeepsEveryFinishedPanelThroughAKill9)
{
    const Bytes image = SequenceBytes(2000, 5);
    const std::string file = m_scratch.Write("line.bin", image);
    const std::string log = m_scratch.Write("record.jsonl", std::string("{\"time\":\"2026-01-02T03:04:05.000Z\","
                                                                        "\"result\":\"finished\"}\n"));
    // Panel 3 never answers: the run is still going when it is killed.
    CPanelSet panels(m_scratch, 3, {"--panel", "3:--ignore-knocks 1000000"});
    // The runs' temporary folders, where this test can see them.
    const QString temp = Q(m_scratch.File("tmp"));
    ASSERT_TRUE(QDir().mkpath(temp));
    const QByteArray oldTemp = qgetenv("TMPDIR");
    qputenv("TMPDIR", temp.toLocal8Bit());
    const auto lineFolders = [&temp] { return QDir(temp).entryList({"zqflash-line-*"}, QDir::Dirs).size(); };
    QProcess zqflash;
    StartZqflash(zqflash, panels.PortArguments() +
                              QStringList{"--file", Q(file), "--notenc", "--timeout", "600", "--log", Q(log)});
    ASSERT_TRUE(WaitForRecords(log, 3));
    ::kill(static_cast<pid_t>(zqflash.processId()), SIGKILL);
    Finish(zqflash);

    const std::vector<QJsonObject> records = ReadLog(log);
    ASSERT_EQ(records.size(), 3u) << "the earlier record is kept, the two finished panels appended";
    std::set<std::string> ports;
    for (std::size_t i = 1; i < records.size(); ++i) {
        EXPECT_EQ(records[i]["result"].toString(), "finished");
        ports.insert(records[i]["port"].toString().toStdString());
    }
    EXPECT_EQ(ports, (std::set<std::string>{panels.Devices()[0], panels.Devices()[1]}));
    const Bytes text = ReadBytes(log);
    EXPECT_EQ(text.back(), '\n');
    // The killed run's line processes went with it: none keeps knocking on the third panel (they end
    // on their own signal; the guard only tells one that never does).
    EXPECT_TRUE(WaitUntil([&] { return LineProcessOn(panels.Devices()[2]) == 0; }, TEST_HANG_GUARD_MS, 20));

    LINE_RUN summary = RunZqflash({"--log-summary", Q(log)});
    EXPECT_NE(summary.out.find("2026-01-02  finished      1"), std::string::npos) << summary.out;
    EXPECT_NE(summary.out.find("total                     3"), std::string::npos) << summary.out;

    // The killed run could not remove its folder; the next run does, and its own too.
    EXPECT_EQ(lineFolders(), 1);
    const LINE_RUN next = RunZqflash(
        {"--port", Q(panels.Devices()[0]), "--port", Q(panels.Devices()[1]), "--file", Q(file), "--notenc", "--quiet"});
    EXPECT_EQ(next.status, 0) << next.err;
    EXPECT_EQ(lineFolders(), 0);
    if (oldTemp.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", oldTemp);
}

TEST_F(ZqflashLineTest, PortsFileAndPatternNameTheLinesAndRefusalsComeFirst)
{
    const std::string file = m_scratch.Write("line.bin", SequenceBytes(500, 2));
    CPanelSet panels(m_scratch, 2);
    const std::string ports = m_scratch.Write("ports.txt", "# the line's adapters\n" + panels.Devices()[0] +
                                                               "  # left\n\n  " + panels.Devices()[1] + "\n");
    LINE_RUN run = RunZqflash({"--ports-file", Q(ports), "--file", Q(file), "--notenc", "--quiet", "--trace"});
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_NE(run.out.find("2 of 2 panels finished"), std::string::npos) << run.out;
    // The ports' traces meet on one stream: every frame line names its port.
    std::map<std::string, int> traced;
    std::istringstream trace(run.err);
    for (std::string line; std::getline(trace, line);)
        if (line.rfind('[', 0) == 0) {
            const std::size_t port = line.find("] ") + 2;
            ++traced[line.substr(port, line.find(' ', port) - port)];
        }
    EXPECT_EQ(traced.size(), 2u) << run.err;
    EXPECT_GT(traced[panels.Devices()[0]], 0) << run.err;
    EXPECT_GT(traced[panels.Devices()[1]], 0) << run.err;

    run = RunZqflash(
        {"--ports-from-glob", Q(panels.Devices()[1]), "--port", Q(panels.Devices()[1]), "--file", Q(file), "--notenc"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("1 of 1 panels finished"), std::string::npos) << "a port named twice runs once";

    run = RunZqflash({"--ports-from-glob", Q(m_scratch.File("tty*")), "--file", Q(file), "--notenc"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("no device matches"), std::string::npos) << run.err;
    run = RunZqflash({"--port", "a", "--port", "a", "--file", Q(file)});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("'a' is named twice"), std::string::npos) << run.err;
    // An unusable image stops the line before any port is touched.
    run = RunZqflash(panels.PortArguments() + QStringList{"--file", Q(m_scratch.File("missing.bin")), "--notenc"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out.find("panels finished"), std::string::npos) << run.out;
    EXPECT_EQ(RunZqflash({"--log-summary", Q(m_scratch.File("missing.jsonl"))}).status, 1);
}

TEST_F(ZqflashLineTest, TheRecordIsTheSameInEveryLanguage)
{
    // Panel 2 fails on a damaged block: its record carries the library's numbered message.
    const std::string file = m_scratch.Write("line.bin", SequenceBytes(1000, 3));
    std::vector<QJsonObject> records[2];
    LINE_RUN runs[2];
    const char* const languages[2] = {"zh", "en"};
    for (int i = 0; i < 2; ++i) {
        const std::string log = m_scratch.File(std::string("record-") + languages[i] + ".jsonl");
        CPanelSet panels(m_scratch, 2, {"--panel", "2:--bad-crc 3"});
        ASSERT_EQ(panels.Devices().size(), 2u);
        setenv("ZQ_LANG", languages[i], 1);
        runs[i] = RunZqflash(panels.PortArguments() + QStringList{"--file", Q(file), "--notenc", "--log", Q(log)});
        setenv("ZQ_LANG", "zh", 1);
        EXPECT_EQ(runs[i].status, 1) << runs[i].out << runs[i].err;
        records[i] = ReadLog(log);
        ASSERT_EQ(records[i].size(), 2u) << languages[i];
        for (QJsonObject& record : records[i]) {
            record.remove("time");
            record.remove("duration");
            record.remove("port"); // each run has pseudo-terminals of its own
        }
    }
    const auto byResult = [](const QJsonObject& a, const QJsonObject& b) {
        return a["result"].toString() < b["result"].toString();
    };
    for (std::vector<QJsonObject>& list : records)
        std::sort(list.begin(), list.end(), byResult);
    for (std::size_t k = 0; k < 2; ++k)
        EXPECT_EQ(QJsonDocument(records[0][k]).toJson(QJsonDocument::Compact).toStdString(),
                  QJsonDocument(records[1][k]).toJson(QJsonDocument::Compact).toStdString());
    EXPECT_EQ(records[1][0]["error"].toString().toStdString(), "Address: 24960 CRC error! (0x6180)");
    // In English the summary shows the message with its number in place.
    EXPECT_NE(runs[1].out.find("Address: 24960 CRC error! (0x6180)"), std::string::npos) << runs[1].out;
    EXPECT_NE(runs[1].out.find("1 of 2 panels finished"), std::string::npos) << runs[1].out;
}

TEST_F(ZqflashLineTest, TheRecordGoesOnlyWhereItIsWrittenWholeAndIsCheckedBeforeAnyPanel)
{
    const std::string file = m_scratch.Write("line.bin", SequenceBytes(500, 2));
    CPanelSet panels(m_scratch, 1);
    ASSERT_EQ(panels.Devices().size(), 1u);
    const QStringList line = panels.PortArguments() + QStringList{"--file", Q(file), "--notenc", "--quiet"};
    // A FIFO nobody reads is refused at once, a device that swallows records, the program itself.
    const std::string fifo = m_scratch.File("record.fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::pair<std::string, std::string> refusals[] = {
        {fifo, "no program reads the FIFO"},
        {"/dev/full", "it is a device"},
        {file, "it is the program file"},
        {m_scratch.File(""), "it is not a file, FIFO or terminal"},
    };
    for (const auto& [log, words] : refusals) {
        LINE_RUN run = RunZqflash(line + QStringList{"--log", Q(log)});
        EXPECT_EQ(run.status, 1) << log;
        EXPECT_NE(run.err.find(words), std::string::npos) << log << ": " << run.err;
        EXPECT_EQ(run.out.find("panels finished"), std::string::npos) << "no panel started: " << run.out;
    }
    EXPECT_EQ(ReadBytes(file), SequenceBytes(500, 2));
    const std::string stats = panels.Stats();
    EXPECT_NE(stats.find("frames-in=0 "), std::string::npos) << "the line was never used: " << stats;

    // A FIFO with a reader is streamed into; "-" is standard output.
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    CPanelSet second(m_scratch, 1);
    const QStringList secondLine = second.PortArguments() + QStringList{"--file", Q(file), "--notenc", "--quiet"};
    EXPECT_EQ(RunZqflash(secondLine + QStringList{"--log", Q(fifo)}).status, 0);
    char streamed[4096] = {};
    const ssize_t got = ::read(reader, streamed, sizeof streamed - 1);
    ::close(reader);
    ASSERT_GT(got, 0);
    EXPECT_EQ(QJsonDocument::fromJson(QByteArray(streamed).split('\n').first()).object()["result"], "finished");
    LINE_RUN run = RunZqflash(secondLine + QStringList{"--log", "-"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(QJsonDocument::fromJson(QByteArray::fromStdString(run.out).split('\n').first()).object()["result"],
              "finished")
        << run.out;

    // A record that does not fit the disk (here the file size limit) fails the run and leaves the
    // record as it was, never half a line for the next one to glue onto.
    const std::string record = m_scratch.Write("record.jsonl", std::string(1900, 'x') + "\n");
    const QString command =
        QString("trap '' XFSZ; ulimit -f 4; exec '%1' \"$@\"").arg(Q(COMMON_EX::GetProgramDirectory() + "zqflash"));
    QProcess limited;
    limited.start("sh", QStringList{"-c", command, "sh"} + secondLine + QStringList{"--log", Q(record)});
    ASSERT_TRUE(limited.waitForStarted(TEST_HANG_GUARD_MS));
    run = Finish(limited);
    EXPECT_NE(run.status, 0) << run.out << run.err;
    EXPECT_NE(run.err.find("cannot write the log"), std::string::npos) << run.err;
    EXPECT_EQ(ReadBytes(record).size(), 1901u) << "rolled back to the previous length";
}

TEST_F(ZqflashLineTest, ALateRepeatedAnswerNeverFinishesAPanelWhoseBlockWasLost)
{
    // Blocks of zeros answer alike; panel 2 repeats block 3's answer while block 4 is lost.
    const Bytes image(2048, 0);
    const std::string file = m_scratch.Write("zeros.bin", image);
    const std::string log = m_scratch.File("record.jsonl");
    CPanelSet panels(m_scratch, 2, {"--panel", "2:--repeat-answer 3:30 --lose-block 4"});
    ASSERT_EQ(panels.Devices().size(), 2u);
    LINE_RUN run = RunZqflash(panels.PortArguments() +
                              QStringList{"--file", Q(file), "--notenc", "--log", Q(log), "--confirm-all"});
    std::vector<QJsonObject> records = ReadLog(log);
    ASSERT_EQ(records.size(), 2u) << run.err;
    for (const QJsonObject& record : records)
        EXPECT_EQ(record["result"].toString(), "finished") << record["error"].toString().toStdString();
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_EQ(panels.Flash(2), ExpectedFlash(image, 0x6000)) << "the lost block was sent again";
    EXPECT_EQ(panels.Flash(1), ExpectedFlash(image, 0x6000));

    // By default neither panel's fifteen equal blocks are confirmed: both are recorded as failed,
    // with the message as the error.
    CPanelSet again(m_scratch, 2, {"--panel", "2:--repeat-answer 3:30 --lose-block 4"});
    ASSERT_EQ(again.Devices().size(), 2u);
    const std::string secondLog = m_scratch.File("record-2.jsonl");
    run = RunZqflash(again.PortArguments() + QStringList{"--file", Q(file), "--notenc", "--log", Q(secondLog)});
    records = ReadLog(secondLog);
    ASSERT_EQ(records.size(), 2u) << run.err;
    for (const QJsonObject& record : records) {
        EXPECT_EQ(record["result"].toString(), "failed");
        EXPECT_EQ(record["error"].toString(),
                  "Program Finished, but 15 blocks equal to an earlier block are not confirmed: a late repeat of an "
                  "answer could have passed for theirs. Program again with every block confirmed to be sure.");
    }
    EXPECT_EQ(run.status, 2) << run.out << run.err;
}

TEST_F(ZqflashLineTest, APortLostMidRunIsRecordedWithItsCause)
{
    const std::string file = m_scratch.Write("line.bin", SequenceBytes(16384, 4));
    const std::string log = m_scratch.File("record.jsonl");
    CTestPanelSim sim(m_scratch, {"--verbose", "--line-baud", "19200"});
    QProcess zqflash;
    StartZqflash(zqflash, {"--port", Q(sim.Device()), "--file", Q(file), "--notenc", "--quiet", "--log", Q(log)});
    ASSERT_TRUE(sim.WaitForLog("block 3 "));
    ::kill(static_cast<pid_t>(sim.ProcessId()), SIGKILL); // the adapter pulled out
    LINE_RUN run = Finish(zqflash);
    EXPECT_EQ(run.status, 1) << run.err;
    const std::vector<QJsonObject> records = ReadLog(log);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0]["result"].toString(), "failed");
    EXPECT_EQ(records[0]["error"].toString().toStdString(),
              "An unexpectedly error!(-4): the serial line failed while sending");
}

TEST_F(ZqflashLineTest, OneDeviceUnderTwoNamesIsOneLine)
{
    const std::string file = m_scratch.Write("line.bin", SequenceBytes(500, 2));
    CPanelSet panels(m_scratch, 1);
    ASSERT_EQ(panels.Devices().size(), 1u);
    const std::string device = panels.Devices()[0];
    const std::string link = m_scratch.File("by-id-panel");
    ASSERT_EQ(::symlink(device.c_str(), link.c_str()), 0);
    const std::string dotted = device.substr(0, device.rfind('/')) + "/./" + device.substr(device.rfind('/') + 1);
    LINE_RUN run = RunZqflash(
        {"--port", Q(device), "--port", Q(link), "--port", Q(dotted), "--file", Q(file), "--notenc", "--quiet"});
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_NE(run.out.find("1 of 1 panels finished"), std::string::npos) << run.out;
}

TEST_F(ZqflashLineTest, SummaryCountsForgedRecordsUnreadableAndPrintsNoControlCharacter)
{
    const std::string good = R"({"time":"2026-12-08T08:15:02.123Z","result":"finished"})";
    const std::string forged = "{\"time\":\"2026-12-08T08:15:03.000Z\",\"result\":\"finished\\n2026-12-09  "
                               "finished      999\\u001b[2J\"}";
    const std::string badDay = R"({"time":"\u001b[31m2026-12-08","result":"failed"})";
    const std::string log = m_scratch.Write("record.jsonl", good + "\n" + forged + "\n" + badDay + "\n");
    LINE_RUN run = RunZqflash({"--log-summary", Q(log)});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.find('\x1b'), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("999"), std::string::npos) << run.out;
    const std::size_t total = run.out.find("total ");
    ASSERT_NE(total, std::string::npos) << run.out;
    EXPECT_EQ(run.out.substr(run.out.find_last_not_of(" \n", run.out.find('\n', total)) - 1, 3), " 1\n") << run.out;
    EXPECT_NE(run.err.find("2 unreadable line(s)"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(": 2, 3"), std::string::npos) << run.err;
}

TEST_F(ZqflashLineTest, TheRecordNamesSystemErrorsInOneLanguageWhateverTheLocale)
{
    // A private Chinese locale: the C library's words for errors would follow it.
    const std::string locales = m_scratch.File("locales");
    std::filesystem::create_directories(locales);
    const std::string make = "localedef -i zh_CN -f UTF-8 '" + locales + "/zh_CN.UTF-8' >/dev/null 2>&1";
    if (std::system(make.c_str()) != 0 || !std::filesystem::exists("/usr/share/locale/zh_CN/LC_MESSAGES/libc.mo"))
        GTEST_SKIP() << "no Chinese locale can be made (Debian packages locales and libc-l10n)";
    const std::string file = m_scratch.Write("line.bin", SequenceBytes(500, 2));
    const std::string log = m_scratch.File("record.jsonl");
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LOCPATH", Q(locales));
    environment.insert("LC_ALL", "zh_CN.UTF-8");
    environment.insert("LANG", "zh_CN.UTF-8");
    // The C library keeps what it read of a locale from LOCPATH for the life of the process: not
    // our leak, told to the leak checker of the sanitized build. The frame is named "__argz_add_sep"
    // where the C library's symbols are known and "argz_add_sep" where only its exports are: the
    // pattern matches either.
    environment.insert("LSAN_OPTIONS", "suppressions=" + Q(m_scratch.Write("lsan.supp", "leak:argz_add_sep\n")));
    process.setProcessEnvironment(environment);
    StartZqflash(process, {"--port", Q(m_scratch.File("missing-tty")), "--port", Q(m_scratch.File("gone-tty")),
                           "--file", Q(file), "--notenc", "--log", Q(log)});
    LINE_RUN run = Finish(process);
    EXPECT_EQ(run.status, 2) << run.out << run.err;
    const std::vector<QJsonObject> records = ReadLog(log);
    ASSERT_EQ(records.size(), 2u);
    for (const QJsonObject& record : records)
        EXPECT_NE(record["error"].toString().toStdString().find("No such file or directory"), std::string::npos)
            << record["error"].toString().toStdString();
}

TEST(LineImage, HexOfAWholeAddressSpaceLoadsBackByteForByte)
{
    Bytes image = SequenceBytes(0x10000, 9);
    const std::string text = FormatIntelHex(image);
    ASSERT_EQ(ParseIntelHex(text.c_str(), static_cast<INT>(text.size())), 0x10000);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), GetProgramImage()));
    image.resize(37);
    const std::string shortText = FormatIntelHex(image);
    EXPECT_EQ(ParseIntelHex(shortText.c_str(), static_cast<INT>(shortText.size())), 37);
    EXPECT_EQ(shortText.substr(shortText.size() - 13), ":00000001FF\r\n");
}

TEST(LineReport, ReadsWhatItWritesAndRefusesTheRest)
{
    LINE_REPORT report;
    EXPECT_TRUE(ParseLineReport("@error 0 Address: 24960 CRC error!", report));
    EXPECT_EQ(report.kind, LINE_REPORT_ERROR);
    EXPECT_EQ(report.text, "Address: 24960 CRC error!");
    EXPECT_TRUE(ParseLineReport("@progress 640", report));
    EXPECT_EQ(report.value, 640);
    for (const char* bad : {"", "@", "@progress", "@progress x", "@progress 12x", "@bogus 1", "progress 1"})
        EXPECT_FALSE(ParseLineReport(bad, report)) << bad;
}
