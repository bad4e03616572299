// The screens list's share of a download compile for a full project: 16 screens, 255 controls
// (200 static texts using 1,000 distinct double-byte characters, 25 registers, 15 lamps, 15
// function keys). One iteration is what the editor does per compile, through a compile session:
// size the static text section (which seeds and collects the characters), then write the control,
// parameter and static text sections. Target: 5 ms or less (median).
#include "controls/compile_session.h"
#include "controls/control_base.h"
#include "controls/control_static_text.h"
#include "controls/screen_base.h"
#include "controls/screens_list.h"

#include "bench/bench_panel.h"
#include "comkit/download_image.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int SCREENS = 16;
constexpr int TEXTS = 200;
constexpr int REGISTERS = 25;
constexpr int LAMPS = 15;
constexpr int KEYS = 15;
constexpr int CONTROLS = TEXTS + REGISTERS + LAMPS + KEYS;
constexpr int CHARS_PER_TEXT = 5;

// The k-th GB2312 character from zone 16 on (each text gets its own five).
std::string Character(int k)
{
    std::string c;
    c += char(0xB0 + k / 94);
    c += char(0xA1 + k % 94);
    return c;
}

class BenchProject {
public:
    BenchProject()
    {
        m_device = CreateBenchPanel();
        if (!m_device)
            return;
        m_list.SetDependenceDevice(m_device.get());
        for (int s = 1; s < SCREENS; ++s)
            m_list.AddNewScreen();
        std::vector<unsigned> kinds;
        kinds.insert(kinds.end(), TEXTS, CControlBase::CONTROL_STATIC_TEXT);
        kinds.insert(kinds.end(), REGISTERS, CControlBase::CONTROL_REGISTER);
        kinds.insert(kinds.end(), LAMPS, CControlBase::CONTROL_LIGHT);
        kinds.insert(kinds.end(), KEYS, CControlBase::CONTROL_FUNCTION);
        int text = 0;
        for (size_t i = 0; i < kinds.size(); ++i) {
            // Kinds spread over the screens, so every pass visits every screen.
            CScreenBase* screen = m_list.GetScreenAt(int(i % SCREENS));
            CControlBase* control = screen->AddControl(kinds[(i * 7) % kinds.size()]);
            screen->SetControlsAllNotSelected(nullptr);
            if (auto* st = dynamic_cast<CControlStaticText*>(control)) {
                std::string value;
                for (int k = 0; k < CHARS_PER_TEXT; ++k)
                    value += Character(text * CHARS_PER_TEXT + k);
                st->SetText(value.c_str());
                ++text;
            }
        }
        m_controls.resize(size_t(16 * m_list.GetControlsCount()));
        m_parameters.resize(size_t(17 * (m_list.GetControlsCount() - m_list.GetStaticControlsCount())));
    }

    bool Ready() const { return m_device && m_list.GetControlsCount() == CONTROLS; }

    // Sizing, then writing of the three sections; returns the bytes written.
    DWORD Compile()
    {
        CCompileSession session(m_list, {DOWNLOAD_IMAGE::SEED_DOUBLE_BYTE_TEXT, DOWNLOAD_IMAGE::SEED_SINGLE_BYTE_TEXT});
        const DWORD textSize = session.StaticTexts(nullptr, 0);
        m_texts.resize(textSize);
        DWORD written = session.ControlRecords(m_controls.data(), DWORD(m_controls.size()));
        written += session.ParameterRecords(m_parameters.data(), DWORD(m_parameters.size()));
        written += session.StaticTexts(m_texts.data(), textSize);
        return written;
    }

private:
    std::unique_ptr<CDeviceBase> m_device;
    CScreensList m_list;
    std::vector<BYTE> m_controls, m_parameters, m_texts;
};

void BM_CompileProject(benchmark::State& state)
{
    static BenchProject project;
    if (!project.Ready()) {
        state.SkipWithError("panel model 100 could not be made (catalogues beside the program?)");
        return;
    }
    DWORD written = 0;
    for (auto _ : state) {
        written = project.Compile();
        benchmark::DoNotOptimize(written);
    }
    state.counters["bytes"] = double(written);
    state.counters["chinese"] = double(CControlBase::s_listChinese.size());
    state.counters["ascii"] = double(CControlBase::s_listASCII.size());
}

} // namespace

BENCHMARK(BM_CompileProject)->Unit(benchmark::kMillisecond)->Repetitions(15)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
