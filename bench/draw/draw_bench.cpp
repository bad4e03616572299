// Full repaint of one screen holding 255 controls at zoom 5: clear the design surface, then the
// screen draws every control in draw order (own surface, panel pixels, stretch onto the view). The figure that
// matters is the median of the repetitions; the target is 8 ms or less.
#include "controls/control_base.h"
#include "controls/global_draw.h"
#include "controls/screen_base.h"

#include "bench/bench_panel.h"
#include "comkit/gui_ex_dc.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <vector>

using COM_GUI_EX::CGUIEXDC;

namespace {

constexpr int CONTROL_COUNT = 255;
constexpr double ZOOM = 5.0;

// Glyphs and images with about half their bits set, so every character costs what a real one does.
int BenchAscii(BYTE code, BYTE* bits)
{
    for (int r = 0; r < 12; ++r)
        bits[r] = BYTE((r & 1 ? 0x5A : 0xA5) ^ code);
    return 1;
}

int BenchChinese(WORD code, BYTE* bits)
{
    for (int r = 0; r < 24; ++r)
        bits[r] = BYTE((r & 2 ? 0x6D : 0xB6) ^ (code >> (r & 7)));
    return 1;
}

int BenchLight(int image, BYTE* bits)
{
    for (int r = 0; r < 32; ++r)
        bits[r] = BYTE(0x3C ^ (image * 17 + r));
    return 1;
}

int BenchFunction(int key, BYTE* prefix, BYTE* image)
{
    for (int r = 0; r < 32; ++r) {
        prefix[r] = BYTE(0x18 ^ r);
        image[r] = BYTE(0x7E ^ (key + r));
    }
    return 1;
}

// One project-like screen: panel 100 with the free protocol from the catalogues, and 255 controls
// of the four drawing kinds at their default positions, every fifth one inverted.
class BenchScreen {
public:
    BenchScreen()
    {
        CScreenBase::s_GetAsciiCharPixel = BenchAscii;
        CScreenBase::s_GetChineseCharPixel = BenchChinese;
        CScreenBase::s_GetLightPixel = BenchLight;
        CScreenBase::s_GetFunctionPixel = BenchFunction;
        m_device = CreateBenchPanel();
        if (!m_device)
            return;
        m_screen.SetDependenceDevice(m_device.get());
        m_screen.SetScreenZoomRate(ZOOM);
        const unsigned kinds[] = {CControlBase::CONTROL_STATIC_TEXT, CControlBase::CONTROL_REGISTER,
                                  CControlBase::CONTROL_LIGHT, CControlBase::CONTROL_FUNCTION};
        for (int i = 0; i < CONTROL_COUNT; ++i) {
            CControlBase* control = m_screen.AddControl(kinds[i % 4]);
            if (control && i % 5 == 0)
                control->SetInvertColor(1);
        }
        m_screen.SetControlsAllNotSelected(nullptr);
        m_view.reset(new CGUIEXDC(m_screen.GetDrawScreenWidth(), m_screen.GetDrawScreenHeight()));
    }

    bool Ready() const { return m_device && m_screen.GetControlCount() == CONTROL_COUNT; }

    // What the design view does: clear, then the screen draws its controls in draw order.
    void Repaint()
    {
        m_view->Clear(CGlobalDraw::GetInstance()->GetBackColor());
        m_screen.DrawControls(m_view.get());
    }

    std::vector<CControlBase*> Controls() const { return m_screen.GetLayoutControls(); }
    CGUIEXDC* View() { return m_view.get(); }

private:
    // Declared after the device: the screen and its controls are destroyed first.
    std::unique_ptr<CDeviceBase> m_device;
    CScreenBase m_screen;
    std::unique_ptr<CGUIEXDC> m_view;
};

BenchScreen& Screen()
{
    static BenchScreen screen;
    return screen;
}

void RunRepaint(benchmark::State& state, int backIndex, bool marks)
{
    BenchScreen& screen = Screen();
    if (!screen.Ready()) {
        state.SkipWithError("panel model 100 or its controls could not be made (catalogues beside the program?)");
        return;
    }
    CGlobalDraw::GetInstance()->SetBackColorIndex(backIndex);
    int order = 0;
    for (CControlBase* control : screen.Controls()) {
        control->SetSelected(marks ? 1 : 0);
        control->SetDrawOrderID(marks && control->GetControlType() == CControlBase::CONTROL_REGISTER ? ++order : 0);
    }
    for (auto _ : state) {
        screen.Repaint();
        benchmark::DoNotOptimize(screen.View()->GetDC()->constBits());
    }
    // Share of the view the controls changed, a check that the repaint really draws.
    const CGUIEXDC* view = screen.View();
    const DWORD back = CGlobalDraw::GetInstance()->GetBackColor();
    int changed = 0;
    for (int y = 0; y < view->GetSize().height(); ++y)
        for (int x = 0; x < view->GetSize().width(); ++x)
            changed += view->GetPixel(x, y) != back;
    CGlobalDraw::GetInstance()->SetBackColorIndex(0);
    state.counters["controls"] = double(screen.Controls().size());
    state.counters["drawn%"] = 100.0 * changed / (view->GetSize().width() * view->GetSize().height());
}

void BM_RepaintWhite(benchmark::State& state)
{
    RunRepaint(state, 0, false);
}
void BM_RepaintBlue(benchmark::State& state)
{
    RunRepaint(state, 2, false);
}
void BM_RepaintSelectedWithOrder(benchmark::State& state)
{
    RunRepaint(state, 0, true);
}

} // namespace

BENCHMARK(BM_RepaintWhite)->Unit(benchmark::kMillisecond)->Repetitions(15)->ReportAggregatesOnly(true);
BENCHMARK(BM_RepaintBlue)->Unit(benchmark::kMillisecond)->Repetitions(15)->ReportAggregatesOnly(true);
BENCHMARK(BM_RepaintSelectedWithOrder)->Unit(benchmark::kMillisecond)->Repetitions(15)->ReportAggregatesOnly(true);

int main(int argc, char** argv)
{
    // The order badges draw their numbers as text, which needs the GUI application.
    COM_GUI_EX::CGUI_EX_Global::Start();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    COM_GUI_EX::CGUI_EX_Global::End();
    return 0;
}
