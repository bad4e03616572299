// Offline simulation's own costs, against the budgets of the feature: the simulation visible within
// 1 s of the command (here: the project's bytes to the table's rows, the image, the first poll and
// the first drawing, for the largest legal project: 255 registers on 16 screens), and a value edited
// in the table shown within 50 ms (the edit stored in the PLC in memory, a poll, the drawing). The
// counter "budget" is the share of the budget one run takes (below 1 is within it). Starting the
// emulator's process and showing its window come on top of the first; the panel thread's 10 ms tick
// does not delay the second, since an edit asks for a poll at once.
#include "editor/project_json.h"
#include "emulator/app/simulation_table.h"
#include "emulator/panel_display.h"
#include "emulator/panel_image.h"
#include "emulator/panel_runtime.h"
#include "emulator/simulated_plc.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <sstream>

namespace {

constexpr int SCREENS = 16;
constexpr int CONTROLS = 255;

// 255 four-digit registers, 16 to a screen, each at its own address.
std::vector<BYTE> LargestProject()
{
    std::ostringstream json;
    json << R"({"format": "zqe-project", "version": 1, "device": {"model": "QMX200", "plc": "MODBUS自由协议",
              "serial": {"port": "COM1", "baudRate": 38400, "dataBits": 8, "parity": 2, "stopBits": 0}},
              "screens": [)";
    for (int screen = 0, control = 0; screen < SCREENS; ++screen) {
        json << (screen ? "," : "") << R"({"name": "s)" << screen << R"(", "controls": [)";
        for (int k = 0; k < 16 && control < CONTROLS; ++k, ++control)
            json << (k ? "," : "") << R"({"type": "register", "set": {"整数位数": 4, "寄存器号": ")"
                 << "D(\xE6\x95\xB0\xE6\x8D\xAE\xE5\xAF\x84\xE5\xAD\x98\xE5\x99\xA8)"
                 << "\", \"寄存器地址\": " << 100 + control << ", \"X\": " << (k % 4) * 48
                 << ", \"Y\": " << (k / 4) * 16 << "}}";
        json << "]}";
    }
    json << "]}";
    std::vector<BYTE> file;
    std::string error;
    CProjectJson::Import(json.str(), file, error);
    return file;
}

// The panel's runtime on the project's image against plc; null (the benchmark skipped) when the
// project does not make one.
std::unique_ptr<CPanelRuntime> RuntimeOf(const std::vector<BYTE>& project, CSimulatedPlc& plc, benchmark::State& state)
{
    std::string error;
    std::unique_ptr<CPanelImage> image = CPanelImage::FromContent(project, "largest.ZQE", error);
    if (!image) {
        state.SkipWithError(error.c_str());
        return nullptr;
    }
    auto runtime = std::make_unique<CPanelRuntime>(std::move(image));
    runtime->SetLink(&plc);
    return runtime;
}

// A poll of the current screen from plc and its drawing: what the window shows next.
void PollAndDraw(CPanelRuntime& runtime)
{
    runtime.Poll();
    CPanelDisplay display;
    runtime.Render(display);
    benchmark::DoNotOptimize(display);
}

void OfflineSimulationVisible(benchmark::State& state)
{
    const std::vector<BYTE> project = LargestProject();
    std::size_t rows = 0;
    for (auto _ : state) {
        rows = CSimulationTable::RowsOf(project).size();
        CSimulatedPlc plc;
        std::unique_ptr<CPanelRuntime> runtime = RuntimeOf(project, plc, state);
        if (!runtime)
            return;
        PollAndDraw(*runtime);
    }
    state.counters["rows"] = double(rows);
    state.counters["budget"] =
        benchmark::Counter(1.0, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void TableEditShownOnThePanel(benchmark::State& state)
{
    CSimulatedPlc plc;
    std::unique_ptr<CPanelRuntime> runtime = RuntimeOf(LargestProject(), plc, state);
    if (!runtime)
        return;
    WORD value = 0;
    for (auto _ : state) {
        plc.SetRegister(1, 100, ++value % 10000);
        PollAndDraw(*runtime);
    }
    state.counters["budget"] =
        benchmark::Counter(0.050, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK(OfflineSimulationVisible)->Unit(benchmark::kMillisecond);
BENCHMARK(TableEditShownOnThePanel)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
