// emulator-screenshot PROJECT.ZQE OUT.png [SIMULATION.png]
// Renders the editor's drawing of the project's first screen (zoom 2) beside the emulator's window
// running the same project against the simulated PLC (D100 = 1234, Y10 on), for the manual; and,
// when asked, the offline simulation's window (the panel and its table, D100 = 1234). Run it
// offscreen:
//   QT_QPA_PLATFORM=offscreen out/emulator-screenshot out/../examples/demo.ZQE docs/emulator-demo.png
#include "comkit/whole_file.h"
#include "controls/screen_base.h"
#include "controls/screens_list.h"
#include "editor/project.h"
#include "editor/project_file.h"
#include "editor/project_render.h"
#include "emulator/app/panel_session.h"
#include "emulator/app/panel_window.h"
#include "emulator/app/simulation_window.h"
#include "tools/zqplc-sim/plc_server.h"

#include <QApplication>
#include <QPainter>

#include <atomic>
#include <cstdio>
#include <iostream>
#include <thread>

namespace {

// The offline simulation of the project with D100 = 1234, as the editor's 离线模拟 shows it.
bool WriteSimulation(const char* projectPath, const char* out, std::string& error)
{
    CPanelSession::OPTIONS options;
    options.image = projectPath;
    options.simulate = true;
    options.pollMs = 20;
    if (!COMMON_EX::ReadWholeFile(options.image, CProjectFile::MAX_FILE_SIZE, options.content, error))
        return false;
    std::vector<SIM_ROW> rows = CSimulationTable::RowsOf(options.content);
    std::unique_ptr<CPanelSession> session = CPanelSession::Open(options, error);
    if (!session)
        return false;
    session->Simulated()->SetRegister(1, 100, 1234);
    session->Simulated()->SetCoil(1, 264, true); // Y10, the RUN lamp
    CSimulationWindow window(*session, std::move(rows), QStringLiteral("demo.ZQE"), 16, 3);
    window.resize(1100, window.sizeHint().height());
    window.show();
    window.Panel()->WaitForFrame(10000);
    while (window.Panel()->Shown().screen == 0 && window.Panel()->WaitForFrame(10000)) {
    }
    window.Table()->Refresh();
    QApplication::processEvents();
    return CProjectRender::WritePng(window.grab().toImage(), out, error);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: emulator-screenshot PROJECT.ZQE OUT.png [SIMULATION.png]\n");
        return 2;
    }
    QApplication app(argc, argv);
    std::string error;
    std::unique_ptr<CProject> project(CProjectFile::Open(argv[1], error));
    if (!project) {
        std::fprintf(stderr, "emulator-screenshot: %s\n", error.c_str());
        return 1;
    }
    const QImage editor = CProjectRender::RenderScreen(project->GetScreensList()->GetScreenAt(0), 2.0);

    CPlcScript script;
    script.Add("register 100 1234", error);
    script.Add("coil 264 1", error);
    CPlcServer server(script, 1, std::cout);
    if (!server.ListenTcp("127.0.0.1", 0, error)) {
        std::fprintf(stderr, "emulator-screenshot: %s\n", error.c_str());
        return 1;
    }
    std::atomic<bool> stop{false};
    std::thread plc([&] { server.Run(stop); });
    CPanelSession::OPTIONS options;
    options.image = argv[1];
    options.port = std::stoi(server.GetAddress().substr(server.GetAddress().rfind(':') + 1));
    std::unique_ptr<CPanelSession> session = CPanelSession::Open(options, error);
    int status = 1;
    if (session) {
        CPanelWindow window(*session, 16, 3);
        window.show();
        // The first frame comes after the first poll; the display may need one more.
        window.WaitForFrame(10000);
        while (window.Shown().status.indexOf(QStringLiteral(" ok")) < 0 && window.WaitForFrame(10000)) {
        }
        app.processEvents();
        const QPixmap shot = window.grab();
        const int gap = 16;
        QImage image(editor.width() + gap + shot.width(), std::max(editor.height(), shot.height()),
                     QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.drawImage(0, 0, editor);
        painter.drawPixmap(editor.width() + gap, 0, shot);
        painter.end();
        status = CProjectRender::WritePng(image, argv[2], error) ? 0 : 1;
    }
    if (status == 0 && argc == 4 && !WriteSimulation(argv[1], argv[3], error))
        status = 1;
    if (status != 0)
        std::fprintf(stderr, "emulator-screenshot: %s\n", error.c_str());
    stop = true;
    plc.join();
    return status;
}
