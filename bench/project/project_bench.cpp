// Load, compile and save of the largest project the editor allows, and its check and address
// cross-reference (what the editor runs after each edit).
#include "controls/control_base.h"
#include "controls/control_static_text.h"
#include "controls/screen_base.h"
#include "devices/plc_collection.h"
#include "editor/address_xref.h"
#include "editor/project.h"
#include "editor/project_check.h"
#include "editor/project_file.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int SCREENS = 16;
constexpr int CONTROLS = 255;
constexpr int CHARACTERS = 1000;
constexpr int TEXT_LENGTH = 5;

// The k-th of 1,000 GB2312 characters from row 0xB0 on.
std::string Character(int k)
{
    return std::string{static_cast<char>(0xB0 + k / 94), static_cast<char>(0xA1 + k % 94)};
}

// 16 screens; one register, one lamp and one function key on each, and static texts for the rest
// of the 255 controls, whose characters run through 1,000 different ones.
std::vector<BYTE> LargestProject()
{
    CProject project;
    project.SetDeviceAndPLC("QMX200", CPLCCollection::GetInstance()->ConvertPLCIDToPLCName(100), nullptr);
    for (int s = 1; s < SCREENS; ++s)
        project.AddNewScreen();
    int controls = 0, character = 0;
    for (int s = 1; s <= SCREENS; ++s) {
        CScreenBase* screen = project.GetScreenByNumber(s);
        for (unsigned type :
             {CControlBase::CONTROL_REGISTER, CControlBase::CONTROL_LIGHT, CControlBase::CONTROL_FUNCTION}) {
            screen->AddControl(type);
            ++controls;
        }
    }
    for (int i = 0; controls < CONTROLS; ++i, ++controls) {
        std::string text;
        for (int c = 0; c < TEXT_LENGTH; ++c)
            text += Character(character++ % CHARACTERS);
        auto* control = static_cast<CControlStaticText*>(
            project.GetScreenByNumber(1 + i % SCREENS)->AddControl(CControlBase::CONTROL_STATIC_TEXT));
        control->SetText(text.c_str());
    }
    for (int s = 1; s <= SCREENS; ++s) // a loaded project has nothing selected
        project.GetScreenByNumber(s)->SetControlsAllNotSelected(nullptr);
    std::vector<BYTE> bytes;
    std::string error;
    CProjectFile::SaveBytes(project, bytes, error);
    return bytes;
}

const std::vector<BYTE>& ProjectBytes()
{
    static const std::vector<BYTE> bytes = LargestProject();
    return bytes;
}

void LoadCompileSave(benchmark::State& state)
{
    const std::vector<BYTE>& file = ProjectBytes();
    std::vector<BYTE> image, saved;
    std::string error;
    for (auto _ : state) {
        std::unique_ptr<CProject> project = CProjectFile::OpenBytes(file, error);
        image.assign(project->Compile(nullptr, 0), 0);
        project->Compile(image.data(), static_cast<DWORD>(image.size()));
        CProjectFile::SaveBytes(*project, saved, error);
        benchmark::DoNotOptimize(saved.data());
    }
    if (saved != file || image.size() < 36000) {
        state.SkipWithError("the project did not load, compile and save whole");
        return;
    }
    state.counters["file_bytes"] = double(file.size());
    state.counters["image_bytes"] = double(image.size());
}

void Load(benchmark::State& state)
{
    std::string error;
    for (auto _ : state)
        CProjectFile::OpenBytes(ProjectBytes(), error);
}

void Compile(benchmark::State& state)
{
    std::string error;
    std::unique_ptr<CProject> project = CProjectFile::OpenBytes(ProjectBytes(), error);
    std::vector<BYTE> image;
    for (auto _ : state) {
        image.assign(project->Compile(nullptr, 0), 0);
        project->Compile(image.data(), static_cast<DWORD>(image.size()));
    }
}

void Save(benchmark::State& state)
{
    std::string error;
    std::unique_ptr<CProject> project = CProjectFile::OpenBytes(ProjectBytes(), error);
    std::vector<BYTE> saved;
    for (auto _ : state)
        CProjectFile::SaveBytes(*project, saved, error);
}

// The check the problems dock runs after an edit; target well under 10 ms.
void Check(benchmark::State& state)
{
    std::string error;
    std::unique_ptr<CProject> project = CProjectFile::OpenBytes(ProjectBytes(), error);
    size_t findings = 0;
    for (auto _ : state)
        findings = CProjectCheck::Run(*project).size();
    state.counters["findings"] = double(findings);
}

// The address table's refresh after an edit.
void AddressXref(benchmark::State& state)
{
    std::string error;
    std::unique_ptr<CProject> project = CProjectFile::OpenBytes(ProjectBytes(), error);
    size_t entries = 0;
    for (auto _ : state)
        entries = CAddressXref::Build(*project).size();
    state.counters["addresses"] = double(entries);
}

} // namespace

BENCHMARK(LoadCompileSave)->Unit(benchmark::kMillisecond);
BENCHMARK(Load)->Unit(benchmark::kMillisecond);
BENCHMARK(Compile)->Unit(benchmark::kMillisecond);
BENCHMARK(Save)->Unit(benchmark::kMillisecond);
BENCHMARK(Check)->Unit(benchmark::kMillisecond);
BENCHMARK(AddressXref)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
