// The editor's interactive costs, offscreen with the real panel font and images:
// - opening the largest project the panel takes (16 screens, 255 controls) until every screen
//   window has painted once (target 300 ms or less);
// - one drag step: a mouse move with all 255 controls of a screen selected at zoom 5, with the
//   repaint of the view (target 16 ms or less, median).
// Run from the output folder (the catalogues lie there): QT_QPA_PLATFORM=offscreen out/editor_bench
#include "editor/app/editor_doc.h"
#include "editor/app/editor_view.h"
#include "editor/app/main_frame.h"
#include "editor/project.h"
#include "editor/project_file.h"

#include "controls/control_base.h"
#include "controls/screen_base.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QMdiArea>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

constexpr int SCREENS = CProject::MAX_SCREENS;
constexpr int CONTROLS = CProject::MAX_CONTROLS;

QTemporaryDir* s_dir = nullptr;

// A project of `screens` screens sharing `controls` controls of the four placeable kinds at their
// default positions, saved into the temporary folder; the path, or empty on failure.
QString MakeProject(const char* name, int screens, int controls, double zoom)
{
    CZQEditorDoc doc;
    if (!doc.NewProject(nullptr))
        return QString();
    CProject* project = doc.GetProject();
    while (project->GetScreenCount() < screens)
        project->AddNewScreen();
    project->SetScreenZoomRate(zoom);
    for (int i = 0; i < controls; ++i) {
        CScreenBase* screen = project->GetScreenByNumber(1 + i % screens);
        screen->SetControlsAllNotSelected(nullptr);
        screen->AddControl(unsigned(CControlBase::CONTROL_STATIC_TEXT + i % 4));
    }
    const QString path = s_dir->filePath(QString::fromLatin1(name));
    std::string error;
    return doc.SaveProject(path, error) ? path : QString();
}

// Counts the paint events of the views' viewports, to make sure every window really painted.
class PaintCounter : public QObject {
public:
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        count += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

// Paints every view once; the number of views that painted.
int PaintEveryView(CMainFrame& frame)
{
    PaintCounter counter;
    for (CZQEditorView* view : frame.GetViews()) {
        view->viewport()->installEventFilter(&counter);
        view->viewport()->repaint();
        view->viewport()->removeEventFilter(&counter);
    }
    return counter.count;
}

bool ShowExposed(QWidget& window)
{
    window.show();
    QDeadlineTimer deadline(10000);
    while (!(window.windowHandle() && window.windowHandle()->isExposed()) && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    return window.windowHandle() && window.windowHandle()->isExposed();
}

void BM_OpenLargestProjectUntilPainted(benchmark::State& state)
{
    const QString path = MakeProject("largest.ZQE", SCREENS, CONTROLS, 4.0);
    CMainFrame frame;
    if (!ShowExposed(frame)) {
        state.SkipWithError("no window");
        return;
    }
    for (auto _ : state) {
        if (path.isEmpty() || !frame.OpenDocument(path)) {
            state.SkipWithError("the project does not open");
            break;
        }
        frame.GetMdiArea()->tileSubWindows(); // no window hides another, so each one paints
        const int painted = PaintEveryView(frame);
        state.PauseTiming();
        if (painted != SCREENS) {
            std::fprintf(stderr, "%d of %d screen windows painted\n", painted, SCREENS);
            state.SkipWithError("not every screen window painted");
            break;
        }
        frame.CloseDocument();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

void BM_DragStepOf255SelectedAtZoom5(benchmark::State& state)
{
    const QString path = MakeProject("crowded.ZQE", 1, CONTROLS, 5.0);
    CMainFrame frame;
    if (!ShowExposed(frame) || path.isEmpty() || !frame.OpenDocument(path)) {
        state.SkipWithError("the project does not open");
        return;
    }
    CZQEditorView* view = frame.GetActiveView();
    CScreenBase* screen = view->GetScreen();
    const QRect all = view->GetScreenRect();
    screen->SelectedCtlWithRectanglesChange(0, &all);
    if (screen->GetCurrentSelectControlsCount() != CONTROLS) {
        state.SkipWithError("not every control is selected");
        return;
    }
    QRect first;
    screen->GetLayoutControls().front()->GetControlRect(first);
    const QPoint start = view->ToViewport(QPoint(int(5.0 * first.center().x()), int(5.0 * first.center().y())));
    QWidget* port = view->viewport();
    auto send = [port](QEvent::Type type, const QPoint& at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, QPointF(at), port->mapToGlobal(QPointF(at)), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(port, &event);
    };
    send(QEvent::MouseButtonPress, start, Qt::LeftButton);
    if (PaintEveryView(frame) != 1) {
        state.SkipWithError("the view does not paint");
        return;
    }
    int step = 0;
    for (auto _ : state) {
        step = (step + 1) % 20;
        send(QEvent::MouseMove, start + QPoint(5 + step, 5 + step), Qt::LeftButton);
        port->repaint();
    }
    send(QEvent::MouseButtonRelease, start, Qt::NoButton);
    frame.GetDocument()->SetModified(false);
}

} // namespace

BENCHMARK(BM_OpenLargestProjectUntilPainted)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_DragStepOf255SelectedAtZoom5)->Unit(benchmark::kMillisecond)->Repetitions(15)->ReportAggregatesOnly(true);

int main(int argc, char** argv)
{
    QTemporaryDir settings; // the recent-file list of the runs stays out of the user's settings
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings.path()));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir projects;
    s_dir = &projects;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
