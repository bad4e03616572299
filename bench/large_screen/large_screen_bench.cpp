// Loading a project whose one screen holds 50,000 controls (every kind the panel draws in turn):
// the load, with its draw-order pass, must stay linear in the number of controls.
#include "controls/control_base.h"
#include "controls/screen_base.h"
#include "devices/plc_collection.h"
#include "editor/project.h"
#include "editor/project_file.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int CONTROLS = 50000;

// The project file: model QMX200, free protocol, one screen of CONTROLS controls whose level
// indices run backwards, so the draw order differs from the record order throughout.
const std::vector<BYTE>& LargeScreenProject()
{
    static const std::vector<BYTE> bytes = [] {
        CProject project;
        project.SetDeviceAndPLC("QMX200", CPLCCollection::GetInstance()->ConvertPLCIDToPLCName(100), nullptr);
        CScreenBase* screen = project.GetFirstScreen();
        const unsigned kinds[] = {CControlBase::CONTROL_STATIC_TEXT, CControlBase::CONTROL_REGISTER,
                                  CControlBase::CONTROL_LIGHT, CControlBase::CONTROL_FUNCTION};
        for (int i = 0; i < CONTROLS; ++i)
            screen->AddControl(kinds[i % 4]);
        screen->SetControlsAllNotSelected(nullptr);
        std::vector<BYTE> file;
        std::string error;
        CProjectFile::SaveBytes(project, file, error);
        return file;
    }();
    return bytes;
}

void LoadLargeScreen(benchmark::State& state)
{
    const std::vector<BYTE>& file = LargeScreenProject();
    std::string error;
    int loaded = 0;
    for (auto _ : state) {
        std::unique_ptr<CProject> project(CProjectFile::OpenBytes(file, error));
        loaded = project ? project->GetFirstScreen()->GetControlCount() : 0;
        state.PauseTiming(); // closing the project is not part of loading it
        project.reset();
        state.ResumeTiming();
    }
    if (loaded != CONTROLS) {
        state.SkipWithError(("the screen did not load whole: " + error).c_str());
        return;
    }
    state.counters["controls"] = CONTROLS;
    state.counters["file_bytes"] = double(file.size());
}

} // namespace

BENCHMARK(LoadLargeScreen)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
