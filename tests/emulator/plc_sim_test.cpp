// The emulator against the simulated PLC on loopback and on a pseudo-terminal: the demo's values,
// function keys, jumps, editing, the link pulled and restored, the headless runner and the
// simulator's script.
#include "emulator_test_support.h"

#include "comkit/whole_file.h"
#include "emulator/modbus_link.h"
#include "emulator/panel_keys.h"
#include "emulator/panel_runtime.h"
#include "tools/zqplc-sim/plc_script.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <sys/stat.h>

using namespace EMULATOR_TEST;
using namespace PANEL_KEYS;

namespace {

// Screen 1: D100 (3.1, editable up to 500) and F1 toggling M5 (line address 2053), F2 jumping to
// screen 2. Screen 2: a text.
const char* const SCREENS = R"json([
  {"name": "one", "controls": [
    {"type": "register", "set": {"整数位数": 3, "小数位数": 1, "是否编辑": 1, "最小值": 0, "最大值": 500,
                                 "寄存器号": "D(数据寄存器)", "寄存器地址": 100, "X": 44, "Y": 20}},
    {"type": "function-key", "set": {"显示键类型": "F1", "线圈号": "M(辅助继电器)", "线圈地址": 5, "值设置": "交替", "X": 0, "Y": 44}},
    {"type": "function-key", "set": {"显示键类型": "F2", "功能设置": "画面跳转", "画面跳转至": 2, "X": 60, "Y": 44}}]},
  {"name": "two", "controls": [{"type": "static-text", "set": {"文字串": "SCREEN 2", "X": 0, "Y": 0}}]}
])json";

std::unique_ptr<CModbusLink> TcpLink(int port)
{
    std::string error;
    std::unique_ptr<CModbusLink> link = CModbusLink::Tcp("127.0.0.1", port, error);
    EXPECT_NE(link, nullptr) << error;
    if (link)
        link->SetTimeout(2000);
    return link;
}

bool Shows(const CPanelRuntime& runtime, const std::string& text, int x, int y, bool inverted = false)
{
    CPanelDisplay display;
    runtime.Render(display);
    return ShowsText(display, runtime.GetImage(), text, x, y, inverted);
}

RUN Program(const QString& name, const QStringList& arguments)
{
    return RunProgram(ProgramFolder() + "/" + name, arguments);
}

} // namespace

TEST(PlcSim, TheDemoShowsD100WithItsDecimalAtItsPlace)
{
    CPlcSim sim({"--register", "100=1234"});
    ASSERT_GT(sim.Port(), 0);
    std::string error;
    std::unique_ptr<CPanelImage> image =
        CPanelImage::FromFile(ProgramFolder().toStdString() + "/../examples/demo.ZQE", error);
    ASSERT_NE(image, nullptr) << error;
    std::unique_ptr<CModbusLink> link = TcpLink(sim.Port());
    CPanelRuntime runtime(std::move(image));
    runtime.SetLink(link.get());
    ASSERT_TRUE(runtime.Poll()) << runtime.GetMessage();
    EXPECT_TRUE(Shows(runtime, "123.4", 44, 20));
}

TEST(PlcSim, KeysToggleCoilsJumpAndEditRegistersInThePlc)
{
    CPlcSim sim({"--register", "100=77"});
    std::unique_ptr<CModbusLink> link = TcpLink(sim.Port());
    CPanelRuntime runtime(ImageOf(ProjectJson(SCREENS)));
    runtime.SetLink(link.get());
    ASSERT_TRUE(runtime.Poll());

    runtime.PressKey(KEY_F1, 0);
    runtime.ReleaseKey(KEY_F1, 0);
    EXPECT_TRUE(sim.WaitForOutput("write coil 2053 = 1")) << sim.Output();
    runtime.PressKey(KEY_F1, 0);
    EXPECT_TRUE(sim.WaitForOutput("write coil 2053 = 0")) << "toggled back";

    runtime.PressKey(KEY_SET, 0); // 007.7: raise the hundreds to 9 -> 907.7, above 500
    for (int i = 0; i < 9; ++i)
        runtime.PressKey(KEY_UP, 0);
    runtime.PressKey(KEY_ENT, 0);
    EXPECT_NE(runtime.GetMessage().find("refused"), std::string::npos);
    runtime.PressKey(KEY_UP, 0); // 007.7 again: 0 after 9
    runtime.PressKey(KEY_RIGHT, 0);
    for (int i = 0; i < 3; ++i)
        runtime.PressKey(KEY_UP, 0); // 037.7: the limits are in register units, 377 <= 500
    runtime.PressKey(KEY_ENT, 0);
    EXPECT_TRUE(sim.WaitForOutput("write register 100 = 377")) << sim.Output();
    EXPECT_EQ(sim.Output().find("9077"), std::string::npos) << "the refused value never reached the PLC";
    ASSERT_TRUE(runtime.Poll());
    EXPECT_TRUE(Shows(runtime, " 37.7", 44, 20)) << "read back from the PLC";

    runtime.PressKey(KEY_F2, 0);
    EXPECT_EQ(runtime.GetCurrentScreen(), 2);
    EXPECT_TRUE(Shows(runtime, "SCREEN 2", 0, 0));
}

TEST(PlcSim, APulledLinkShowsTheErrorAndRecoversByItself)
{
    int port = 0;
    std::unique_ptr<CModbusLink> link;
    CPanelRuntime runtime(ImageOf(ProjectJson(SCREENS)));
    {
        CPlcSim sim({"--register", "100=1234"});
        port = sim.Port();
        link = TcpLink(port);
        runtime.SetLink(link.get());
        ASSERT_TRUE(runtime.Poll());
        EXPECT_TRUE(Shows(runtime, "123.4", 44, 20));
    }
    EXPECT_FALSE(runtime.Poll());
    EXPECT_TRUE(runtime.IsLinkLost());
    EXPECT_TRUE(Shows(runtime, "COM ERROR!", 192 - 80, 52, true));
    EXPECT_TRUE(Shows(runtime, "-----", 44, 20));

    CPlcSim again({"--register", "100=4321"}, port);
    ASSERT_EQ(again.Port(), port);
    EXPECT_TRUE(runtime.Poll()) << runtime.GetMessage();
    EXPECT_FALSE(runtime.IsLinkLost());
    EXPECT_TRUE(Shows(runtime, "432.1", 44, 20));
    EXPECT_FALSE(Shows(runtime, "COM ERROR!", 192 - 80, 52, true));
}

TEST(PlcSim, RtuOverAPseudoTerminalReadsAndWrites)
{
    CPlcSim sim({"--register", "100=555", "--station", "1"}, 0, true);
    ASSERT_EQ(sim.Where().rfind("/dev/", 0), 0u) << sim.Where();
    std::unique_ptr<CModbusLink> link = RtuLink(sim.Where(), 2000);
    ASSERT_NE(link, nullptr);
    CPanelRuntime runtime(ImageOf(ProjectJson(SCREENS)));
    runtime.SetLink(link.get());
    ASSERT_TRUE(runtime.Poll()) << runtime.GetMessage();
    EXPECT_TRUE(Shows(runtime, " 55.5", 44, 20));
    runtime.PressKey(KEY_F1, 0);
    EXPECT_TRUE(sim.WaitForOutput("write coil 2053 = 1")) << sim.Output();

    WORD value = 0;
    EXPECT_FALSE(link->ReadRegisters(7, 100, 1, &value)) << "station 7 does not answer";
}

TEST(PlcSim, TheHeadlessRunnerPlaysAScriptAndReportsExpectations)
{
    QTemporaryDir dir;
    std::unique_ptr<CProject> project = ProjectOf(ProjectJson(SCREENS));
    std::string error;
    const std::string image = dir.filePath("panel.vxg").toStdString();
    const std::vector<BYTE> bytes = CompileOf(*project);
    ASSERT_TRUE(COMMON_EX::ReplaceWholeFile(image, bytes.data(), bytes.size(), error)) << error;
    CPlcSim sim({"--register", "100=1234"});
    const QString port = QString("127.0.0.1:%1").arg(sim.Port());
    const auto script = [&](const char* name, const std::string& text) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.c_str());
        return dir.filePath(name);
    };
    const QString good = script("good.txt", "# the whole path\n"
                                            "wait-for 10000 text 44 20 123.4\n"
                                            "key F1\n"
                                            "expect coil 1 2053 1\n"
                                            "snapshot " +
                                                dir.filePath("shot.png").toStdString() + "\n" +
                                                "key F2\n"
                                                "expect screen 2\n"
                                                "expect text 0 0 \"SCREEN 2\"\n");
    RUN run = Program("zqpanel-run", {"--tcp", port, "--headless", "--script", good, QString::fromStdString(image)});
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_TRUE(sim.WaitForOutput("write coil 2053 = 1"));
    EXPECT_EQ(QImage(dir.filePath("shot.png")).size(), QSize(192, 64));

    const QString bad = script("bad.txt", "poll\nexpect text 44 20 999.9\n");
    run = Program("zqpanel-run", {"--tcp", port, "--headless", "--script", bad, QString::fromStdString(image)});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.rfind("zqpanel-run: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find("bad.txt:2"), std::string::npos) << run.err;

    const QString wrong = script("wrong.txt", "press NOKEY\n");
    run = Program("zqpanel-run", {"--headless", "--script", wrong, QString::fromStdString(image)});
    EXPECT_EQ(run.status, 2) << "a script it cannot read is a usage error";
    EXPECT_NE(run.err.find("wrong.txt:1"), std::string::npos) << run.err;

    run = Program("zqpanel-run", {"--headless", QString::fromStdString(image)});
    EXPECT_EQ(run.status, 2) << "--headless without --script";
    run = Program("zqpanel-run", {"--headless", "--script", good, dir.filePath("missing.vxg")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("missing.vxg"), std::string::npos) << run.err;
}

TEST(PlcSim, ScriptStatementsSetRampAndToggleValues)
{
    CPlcScript script;
    std::string error;
    ASSERT_TRUE(script.AddText("# values\nregister 100 1234\ncoil 5 1\nramp 7 10 20 5 100\ntoggle 9 50\n", "s", error))
        << error;
    std::vector<uint16_t> registers(65536);
    std::vector<uint8_t> coils(65536);
    script.Apply(0, true, registers.data(), coils.data());
    EXPECT_EQ(registers[100], 1234);
    EXPECT_EQ(coils[5], 1);
    EXPECT_EQ(registers[7], 10);
    registers[100] = 1;
    script.Apply(250, false, registers.data(), coils.data());
    EXPECT_EQ(registers[100], 1) << "a value the master wrote stays";
    EXPECT_EQ(registers[7], 20);
    EXPECT_EQ(coils[9], 1);
    script.Apply(300, false, registers.data(), coils.data());
    EXPECT_EQ(registers[7], 10) << "the ramp starts again after its end";
    EXPECT_EQ(coils[9], 0);

    for (const char* bad : {"register 70000 1", "coil 1 2", "ramp 1 20 10 1 100", "toggle 1 0", "blink 1",
                            "register 1 2 3", "register 1"}) {
        EXPECT_FALSE(script.Add(bad, error)) << bad;
        EXPECT_FALSE(error.empty());
    }
    EXPECT_FALSE(script.AddText("register 1 1\ncoil x 1\n", "f.txt", error));
    EXPECT_EQ(error.rfind("f.txt:2:", 0), 0u) << error;

    RUN run = Program("zqplc-sim", {"--coil", "5=2"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err.rfind("zqplc-sim: ", 0), 0u) << run.err;
    run = Program("zqplc-sim", {"--tcp", "127.0.0.1:0", "--pty"});
    EXPECT_EQ(run.status, 2);
}

TEST(PlcSim, AProjectOnASerialLineTakesItsOwnLineSettingsUnlessTheCommandLineGivesThem)
{
    QTemporaryDir dir;
    const auto write = [&](const char* name, const std::string& json) {
        std::vector<BYTE> file;
        std::string error;
        EXPECT_TRUE(CProjectJson::Import(json, file, error)) << error;
        const std::string path = dir.filePath(name).toStdString();
        EXPECT_TRUE(COMMON_EX::ReplaceWholeFile(path, file.data(), file.size(), error)) << error;
        return QString::fromStdString(path);
    };
    const QString project = write("line.ZQE", ProjectJson(SCREENS)); // 38400 baud, even parity, one stop bit
    QFile script(dir.filePath("poll.txt"));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("wait-for 10000 text 44 20 123.4\n");
    script.close();
    CPlcSim sim({"--register", "100=1234"}, 0, true);
    const QString pty = QString::fromStdString(sim.Where());
    const QStringList headless = {"--headless", "--script", script.fileName(), "--serial", pty};

    RUN run = Program("zqpanel-run", headless + QStringList{project});
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_NE(run.out.find("RTU " + sim.Where() + " 38400 8E1 ok"), std::string::npos) << run.out;
    run = Program("zqpanel-run", headless + QStringList{"--baud", "19200", project});
    EXPECT_NE(run.out.find("RTU " + sim.Where() + " 19200 8N1"), std::string::npos)
        << "one setting given: the others are the defaults, not a mix with the project's" << run.out;

    std::string mark = ProjectJson(SCREENS);
    mark.replace(mark.find("\"parity\": 2"), 11, "\"parity\": 3");
    run = Program("zqpanel-run", headless + QStringList{write("mark.ZQE", mark)});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("the project's serial line (38400 baud, 8 data bits, parity 3, stop bits 0) is not one "
                           "Modbus RTU has"),
              std::string::npos)
        << run.err;
}

TEST(PlcSim, ASnapshotNeverReplacesTheRunsInputsNorASpecialFile)
{
    QTemporaryDir dir;
    std::vector<BYTE> project;
    std::string error;
    ASSERT_TRUE(CProjectJson::Import(ProjectJson(SCREENS), project, error)) << error;
    const QString projectPath = dir.filePath("panel.ZQE");
    ASSERT_TRUE(COMMON_EX::ReplaceWholeFile(projectPath.toStdString(), project.data(), project.size(), error));
    const QString imagePath = dir.filePath("panel.vxg");
    std::unique_ptr<CProject> compiled = ProjectOf(ProjectJson(SCREENS));
    const std::vector<BYTE> image = CompileOf(*compiled);
    ASSERT_TRUE(COMMON_EX::ReplaceWholeFile(imagePath.toStdString(), image.data(), image.size(), error));
    const QString link = dir.filePath("link.ZQE");
    ASSERT_TRUE(QFile::link(projectPath, link));
    const QString fifo = dir.filePath("fifo.png");
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    const QString scriptPath = dir.filePath("shots.txt");
    const auto bytesOf = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const auto run = [&](const QString& target, const QString& input) {
        QFile script(scriptPath);
        EXPECT_TRUE(script.open(QIODevice::WriteOnly | QIODevice::Truncate));
        script.write("key F2\nsnapshot " + target.toUtf8() + "\n");
        script.close();
        return Program("zqpanel-run",
                       {"--tcp", "127.0.0.1:1", "--timeout-ms", "100", "--headless", "--script", scriptPath, input});
    };
    const QByteArray projectBytes = bytesOf(projectPath), imageBytes = bytesOf(imagePath);
    for (const QString& target : {projectPath, link, scriptPath, dir.path(), fifo}) {
        const RUN refused = run(target, target == projectPath || target == link ? projectPath : imagePath);
        EXPECT_EQ(refused.status, 1) << target.toStdString() << refused.out << refused.err;
        EXPECT_NE(refused.err.find("shots.txt:2: will not write"), std::string::npos) << refused.err;
        EXPECT_EQ(refused.out.find("key F2"), std::string::npos) << "the panel ran before the refusal";
    }
    const RUN onImage = run(imagePath, imagePath);
    EXPECT_EQ(onImage.status, 1) << onImage.err;
    EXPECT_NE(onImage.err.find("it is the run's input"), std::string::npos) << onImage.err;
    EXPECT_EQ(bytesOf(projectPath), projectBytes);
    EXPECT_EQ(bytesOf(imagePath), imageBytes);
    EXPECT_TRUE(bytesOf(scriptPath).startsWith("key F2\n"));

    const QString shot = dir.filePath("shot.png");
    const RUN good = run(shot, projectPath);
    EXPECT_EQ(good.status, 0) << good.err;
    EXPECT_EQ(QImage(shot).size(), QSize(192, 64));
    EXPECT_EQ(QDir(dir.path()).entryList({"*.tmp"}, QDir::Files), QStringList()) << "no temporary file is left";
}
