// Panels for the emulator tests: projects from their JSON form, images compiled from them, an
// in-memory PLC line and peers (the simulated PLC, outside programs) started as processes.
#pragma once

#include "editor/project.h"
#include "editor/project_file.h"
#include "editor/project_json.h"
#include "emulator/modbus_link.h"
#include "emulator/panel_display.h"
#include "emulator/panel_image.h"
#include "emulator/panel_link.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QString>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace EMULATOR_TEST {

// A project of `screens` (a JSON array of screens) on the 16-key model with the free PLC, the
// backlight delay and function pages given.
inline std::string ProjectJson(const std::string& screens, int backlight = 0xFFFF,
                               const std::string& pages = "[0, 0, 0, 0]")
{
    return R"({"format": "zqe-project", "version": 1, "device": {"model": "QMX200", "plc": "MODBUS自由协议",
               "serial": {"port": "COM1", "baudRate": 38400, "dataBits": 8, "parity": 2, "stopBits": 0}},
               "screens": )" +
           screens + R"(, "panel": {"backlightDelay": )" + std::to_string(backlight) + R"(, "functionPages": )" +
           pages + "}}";
}

inline std::unique_ptr<CProject> ProjectOf(const std::string& json)
{
    std::vector<BYTE> file;
    std::string error;
    EXPECT_TRUE(CProjectJson::Import(json, file, error)) << error;
    std::unique_ptr<CProject> project(CProjectFile::OpenBytes(file, error));
    EXPECT_NE(project, nullptr) << error;
    return project;
}

inline std::vector<BYTE> CompileOf(CProject& project)
{
    std::vector<BYTE> image(project.Compile(nullptr, 0));
    EXPECT_EQ(project.Compile(image.data(), DWORD(image.size())), image.size());
    return image;
}

inline std::unique_ptr<CPanelImage> ImageOf(CProject& project)
{
    std::string error;
    std::unique_ptr<CPanelImage> image = CPanelImage::FromBytes(CompileOf(project), error);
    EXPECT_NE(image, nullptr) << error;
    return image;
}

inline std::unique_ptr<CPanelImage> ImageOf(const std::string& json)
{
    std::unique_ptr<CProject> project = ProjectOf(json);
    return project ? ImageOf(*project) : nullptr;
}

// Whether the display shows `gbk` drawn with the image's glyphs at (x, y).
inline bool ShowsText(const CPanelDisplay& display, const CPanelImage& image, const std::string& gbk, int x, int y,
                      bool inverted = false)
{
    CPanelDisplay expected(CPanelDisplay::TextWidth(gbk), CPanelDisplay::CHAR_HEIGHT);
    if (inverted)
        expected.FillRectangle(0, 0, expected.GetWidth(), expected.GetHeight(), true);
    expected.DrawText(image, gbk, 0, 0, inverted);
    for (int r = 0; r < expected.GetHeight(); ++r)
        for (int c = 0; c < expected.GetWidth(); ++c)
            if (expected.IsSet(c, r) != display.IsSet(x + c, y + r))
                return false;
    return true;
}

// A PLC in memory, station 1 unless told; every request counted, every write logged.
class CMemoryLink : public IPanelLink {
public:
    std::map<int, WORD> registers;
    std::map<int, BYTE> coils;
    std::vector<std::string> writes; // "coil 2053 = 1", "register 200 = 75"
    bool broken = false;
    int requests = 0;
    int station = 1;

    bool ReadRegisters(int s, int address, int count, WORD* values) override
    {
        if (!Answer(s))
            return false;
        for (int i = 0; i < count; ++i)
            values[i] = registers[address + i];
        return true;
    }
    bool ReadCoils(int s, int address, int count, BYTE* values) override
    {
        if (!Answer(s))
            return false;
        for (int i = 0; i < count; ++i)
            values[i] = coils[address + i];
        return true;
    }
    bool WriteRegister(int s, int address, WORD value) override
    {
        if (!Answer(s))
            return false;
        registers[address] = value;
        writes.push_back("register " + std::to_string(address) + " = " + std::to_string(value));
        return true;
    }
    bool WriteCoil(int s, int address, bool on) override
    {
        if (!Answer(s))
            return false;
        coils[address] = on;
        writes.push_back("coil " + std::to_string(address) + " = " + std::to_string(on ? 1 : 0));
        return true;
    }
    std::string GetLastError() const override { return broken ? "no answer" : ""; }

private:
    bool Answer(int s)
    {
        ++requests;
        return !broken && s == station;
    }
};

// Modbus RTU at 115200 baud 8N1 on `device`, with the answer time-out given; null (and a failed
// expectation) when refused.
inline std::unique_ptr<CModbusLink> RtuLink(const std::string& device, int timeoutMs)
{
    CModbusLink::SERIAL serial;
    serial.device = device;
    serial.baud = 115200;
    std::string error;
    std::unique_ptr<CModbusLink> link = CModbusLink::Serial(serial, error);
    EXPECT_NE(link, nullptr) << error;
    if (link)
        link->SetTimeout(timeoutMs);
    return link;
}

// The folder of the running test, where the suite's programs are built.
inline QString ProgramFolder()
{
    char path[4096] = {};
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    std::string exe(path, n > 0 ? size_t(n) : 0);
    return QString::fromStdString(exe.substr(0, exe.rfind('/')));
}

struct RUN {
    int status = -1;
    std::string out, err;
};

// Runs `program` (a path, or a name on PATH) to its end, at most two minutes.
inline RUN RunProgram(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    RUN run;
    if (!process.waitForFinished(120000))
        process.kill();
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

// A peer program that prints where it listens as the last word of its first line
// ("listening on 127.0.0.1:1502", "serial line at /dev/pts/4"); stopped by the destructor.
class CPeerProcess {
public:
    CPeerProcess(const QString& program, const QStringList& arguments)
    {
        m_process.setProgram(program);
        m_process.setArguments(arguments);
        m_process.start();
        if (!m_process.waitForStarted(60000) || !m_process.waitForReadyRead(60000))
            return;
        while (!m_process.canReadLine() && m_process.waitForReadyRead(60000)) {
        }
        const QString first = QString::fromUtf8(m_process.readLine()).trimmed();
        m_strWhere = first.section(' ', -1);
        if (m_strWhere.contains(':'))
            m_nPort = m_strWhere.section(':', -1).toInt();
    }
    ~CPeerProcess() { Stop(); }
    CPeerProcess(const CPeerProcess&) = delete;
    CPeerProcess& operator=(const CPeerProcess&) = delete;

    void Stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        if (!m_process.waitForFinished(10000))
            m_process.kill();
        m_process.waitForFinished(10000);
    }
    bool IsRunning() const { return m_process.state() == QProcess::Running; }
    int Port() const { return m_nPort; }
    // "/dev/pts/N" for a pseudo-terminal.
    std::string Where() const { return m_strWhere.toStdString(); }
    // Everything printed so far after the first line (the writes).
    std::string Output()
    {
        m_strOutput += m_process.readAllStandardOutput().toStdString();
        return m_strOutput;
    }
    // Whether text comes in the output: zqplc-sim prints a write after it has answered it, so the
    // line may come a while after the request returned. Waits until it is there or the simulator
    // ends (a minute only guards against a line that never comes).
    bool WaitForOutput(const std::string& text)
    {
        for (int i = 0; i < 600 && Output().find(text) == std::string::npos; ++i)
            if (!m_process.waitForReadyRead(100) && m_process.state() == QProcess::NotRunning)
                break;
        return Output().find(text) != std::string::npos;
    }
    // Output() once it holds `text` (or the simulator has ended): WaitForOutput, then the output.
    std::string OutputWith(const std::string& text)
    {
        WaitForOutput(text);
        return Output();
    }
    // Everything written to standard error so far.
    std::string Errors()
    {
        m_strErrors += m_process.readAllStandardError().toStdString();
        return m_strErrors;
    }

private:
    QProcess m_process;
    QString m_strWhere;
    int m_nPort = 0;
    std::string m_strOutput, m_strErrors;
};

// zqplc-sim started with `arguments` (after --tcp 127.0.0.1:PORT or --pty).
class CPlcSim : public CPeerProcess {
public:
    explicit CPlcSim(const QStringList& arguments, int port = 0, bool pty = false)
        : CPeerProcess(ProgramFolder() + "/zqplc-sim",
                       (pty ? QStringList{"--pty"} : QStringList{"--tcp", QString("127.0.0.1:%1").arg(port)}) +
                           arguments)
    {
    }
};

} // namespace EMULATOR_TEST
