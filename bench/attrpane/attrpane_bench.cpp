// Switching the attribute pane's control stack between a register and a function key, as a click
// on another control does: the five group windows rebind their rows (rows are reused, surplus rows
// parked) and the whole stack repaints. The figure that matters is the median of the repetitions;
// the target is 10 ms or less.
#include "controls/control_base.h"
#include "controls/dsp/dsp_control.h"
#include "controls/screen_base.h"

#include "bench/bench_panel.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

void BM_SwitchSelectionBetweenKinds(benchmark::State& state)
{
    std::unique_ptr<CDeviceBase> device = CreateBenchPanel();
    if (!device) {
        state.SkipWithError("catalogues not found beside the program");
        return;
    }
    CScreenBase screen;
    screen.SetDependenceDevice(device.get());
    CControlBase* controls[2] = {screen.AddControl(CControlBase::CONTROL_REGISTER),
                                 screen.AddControl(CControlBase::CONTROL_FUNCTION)};
    QWidget pane;
    pane.resize(214, 900);
    QRect place(0, 26, 214, 0);
    CDspControl stack(controls[0], &place, 6211, &pane);
    pane.show();
    QApplication::processEvents();
    int next = 1;
    for (auto _ : state) {
        stack.ChangeDisplayControl(controls[next]);
        pane.repaint();
        next ^= 1;
    }
}
BENCHMARK(BM_SwitchSelectionBetweenKinds)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
