// A screen of 40 registers polled over Modbus RTU from the simulated PLC on a pseudo-terminal.
// A pseudo-terminal moves bytes without a baud rate, so a cycle measured on it is the emulator's
// own overhead; the counters add it to the line time the same requests and answers take at
// 115200 baud (10 bits a character) and give the ratio a real line would see. The display update
// is the drawing of the screen once the answer is in.
#include "editor/project.h"
#include "editor/project_file.h"
#include "editor/project_json.h"
#include "emulator/modbus_link.h"
#include "emulator/panel_display.h"
#include "emulator/panel_runtime.h"
#include "tools/zqplc-sim/plc_server.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <iostream>
#include <sstream>
#include <thread>

namespace {

constexpr int REGISTERS = 40;
constexpr double BAUD = 115200.0;
constexpr double BITS_PER_CHARACTER = 10.0;
constexpr int RTU_READ_REQUEST_BYTES = 8;  // station, function, address, count, CRC
constexpr int RTU_READ_ANSWER_BYTES = 5;   // station, function, byte count, CRC; plus 2 per register
constexpr double RTU_GAP_CHARACTERS = 3.5; // silence that ends each frame

// 40 one-digit registers in five rows of eight, at D100 + k * spacing.
std::unique_ptr<CPanelImage> FortyRegisters(int spacing)
{
    std::ostringstream json;
    json << R"({"format": "zqe-project", "version": 1, "device": {"model": "QMX200", "plc": "MODBUS自由协议",
              "serial": {"port": "COM1", "baudRate": 115200, "dataBits": 8, "parity": 0, "stopBits": 0}},
              "screens": [{"name": "forty", "controls": [)";
    for (int k = 0; k < REGISTERS; ++k)
        json << (k ? "," : "") << R"({"type": "register", "set": {"整数位数": 1, "寄存器号": ")"
             << "D(\xE6\x95\xB0\xE6\x8D\xAE\xE5\xAF\x84\xE5\xAD\x98\xE5\x99\xA8)" // D(数据寄存器)
             << "\", \"寄存器地址\": " << 100 + k * spacing << ", \"X\": " << (k % 8) * 24
             << ", \"Y\": " << (k / 8) * 13 << "}}";
    json << "]}]}";
    std::vector<BYTE> file;
    std::string error;
    if (!CProjectJson::Import(json.str(), file, error))
        return nullptr;
    std::unique_ptr<CProject> project(CProjectFile::OpenBytes(file, error));
    if (!project)
        return nullptr;
    std::vector<BYTE> image(project->Compile(nullptr, 0));
    project->Compile(image.data(), DWORD(image.size()));
    return CPanelImage::FromBytes(image, error);
}

// The simulated PLC answering on a pseudo-terminal in a thread of its own.
struct PTY_PLC {
    CPlcScript script;
    CPlcServer server{script, 1, std::cout};
    std::atomic<bool> stop{false};
    std::thread thread;
    bool ok = false;

    PTY_PLC()
    {
        std::string error;
        ok = server.OpenPty(error);
        if (ok)
            thread = std::thread([this] { server.Run(stop); });
    }
    ~PTY_PLC()
    {
        stop = true;
        if (thread.joinable())
            thread.join();
    }
};

void PollCycle(benchmark::State& state)
{
    const int spacing = int(state.range(0));
    PTY_PLC plc;
    std::unique_ptr<CPanelImage> image = FortyRegisters(spacing);
    if (!plc.ok || !image) {
        state.SkipWithError("no pseudo-terminal or no image");
        return;
    }
    CModbusLink::SERIAL serial;
    serial.device = plc.server.GetAddress();
    serial.baud = int(BAUD);
    std::string error;
    std::unique_ptr<CModbusLink> link = CModbusLink::Serial(serial, error);
    CPanelRuntime runtime(std::move(image));
    runtime.SetLink(link.get());
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state)
        if (!runtime.Poll()) {
            state.SkipWithError(runtime.GetMessage().c_str());
            return;
        }
    const double overheadMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() /
        double(state.iterations());
    const int requests = runtime.GetLastPollRequests();
    const int registersPerRequest = REGISTERS / requests;
    const double characters =
        requests * (RTU_READ_REQUEST_BYTES + RTU_READ_ANSWER_BYTES + 2 * registersPerRequest + 2 * RTU_GAP_CHARACTERS);
    const double lineMs = characters * BITS_PER_CHARACTER / BAUD * 1000.0;
    state.counters["requests"] = requests;
    state.counters["line_ms"] = lineMs;
    state.counters["overhead_ms"] = overheadMs;
    state.counters["ratio"] = (lineMs + overheadMs) / lineMs; // the target is 1.2 at most
}
BENCHMARK(PollCycle)->Arg(1)->Arg(2)->ArgName("spacing")->Unit(benchmark::kMillisecond)->UseRealTime();

void DisplayUpdate(benchmark::State& state)
{
    struct ANSWERS : IPanelLink {
        bool ReadRegisters(int, int, int count, WORD* values) override
        {
            for (int i = 0; i < count; ++i)
                values[i] = WORD(i % 10);
            return true;
        }
        bool ReadCoils(int, int, int, BYTE*) override { return true; }
        bool WriteRegister(int, int, WORD) override { return true; }
        bool WriteCoil(int, int, bool) override { return true; }
        std::string GetLastError() const override { return ""; }
    } answers;
    CPanelRuntime runtime(FortyRegisters(1));
    runtime.SetLink(&answers);
    runtime.Poll();
    CPanelDisplay display;
    for (auto _ : state) {
        runtime.Render(display);
        benchmark::DoNotOptimize(display.IsSet(0, 0));
    }
}
BENCHMARK(DisplayUpdate)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
