// emulator-screenshot PROJECT.ZQE OUT.png
// Renders the editor's drawing of the project's first screen (zoom 2) beside the emulator's window
// running the same project against the simulated PLC (D100 = 1234, Y10 on), for the manual. Run
// it offscreen:
//   QT_QPA_PLATFORM=offscreen out/emulator-screenshot out/../examples/demo.ZQE docs/emulator-demo.png
#include "controls/screen_base.h"
#include "controls/screens_list.h"
#include "editor/project.h"
#include "editor/project_file.h"
#include "editor/project_render.h"
#include "emulator/app/panel_session.h"
#include "emulator/app/panel_window.h"
#include "tools/zqplc-sim/plc_server.h"

#include <QApplication>
#include <QPainter>

#include <atomic>
#include <cstdio>
#include <iostream>
#include <thread>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: emulator-screenshot PROJECT.ZQE OUT.png\n");
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
    if (status != 0)
        std::fprintf(stderr, "emulator-screenshot: %s\n", error.c_str());
    stop = true;
    plc.join();
    return status;
}
