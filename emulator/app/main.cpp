// zqpanel-run: runs a download image (or a project, compiled on the way) as the panel would, with
// its values from a PLC over Modbus TCP or RTU; in a window, or headless from a script.
#include "appkit/tool_cli.h"
#include "appkit/ui_language.h"
#include "comkit/whole_file.h"
#include "editor/project_file.h"
#include "emulator/app/control_channel.h"
#include "emulator/app/headless_script.h"
#include "emulator/app/panel_session.h"
#include "emulator/app/panel_window.h"
#include "emulator/app/simulation_window.h"
#include "emulator/panel_keys.h"

#include <QApplication>

#include <cstdio>
#include <iostream>
#include <sstream>

namespace {

struct ARGUMENTS {
    CPanelSession::OPTIONS session;
    bool headless = false;
    QString script;
    int scale = 4;
    int keys = 0;         // 0: from the image
    bool control = false; // the project and the commands come from the editor on standard input
};

// Fills `args` from the parser; false with the reason for a usage error.
bool Read(const QCommandLineParser& p, ARGUMENTS& args, std::string& error)
{
    const QStringList operands = p.positionalArguments();
    args.control = p.isSet("control");
    args.session.simulate = p.isSet("simulate");
    if (args.session.simulate && (p.isSet("tcp") || p.isSet("serial"))) {
        error = QT_TRANSLATE_NOOP("zqpanel-run", "--simulate has its PLC in memory: no --tcp or --serial");
        return false;
    }
    if (args.control && !operands.isEmpty()) {
        error = QT_TRANSLATE_NOOP("zqpanel-run", "with --control the project comes on standard input, not as IMAGE");
        return false;
    }
    // With --control the image is read later, from the editor.
    if (!args.control && operands.size() != 1) {
        error = operands.isEmpty() ? QT_TRANSLATE_NOOP("zqpanel-run", "no image given (IMAGE.vxg or PROJECT.ZQE)")
                                   : QT_TRANSLATE_NOOP("zqpanel-run", "more than one image given");
        return false;
    }
    if (!args.control)
        args.session.image = operands[0].toStdString();
    if (p.isSet("tcp") && p.isSet("serial")) {
        error = QT_TRANSLATE_NOOP("zqpanel-run", "--tcp and --serial exclude each other");
        return false;
    }
    if (p.isSet("tcp")) {
        const QString where = p.value("tcp");
        const int colon = where.lastIndexOf(':');
        if (colon <= 0) {
            error = ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqpanel-run", "--tcp wants HOST:PORT, not \"%1\""),
                                   {where.toStdString()});
            return false;
        }
        args.session.host = where.left(colon).toStdString();
        if (!ZQ_CLI::ParseInteger(where.mid(colon + 1), 1, 65535, args.session.port, "--tcp port", error))
            return false;
    }
    CModbusLink::SERIAL& line = args.session.line;
    if (p.isSet("serial")) {
        args.session.serial = true;
        line.device = p.value("serial").toStdString();
        // A project's own line settings, unless the command line gives any of them.
        args.session.lineFromProject =
            !p.isSet("baud") && !p.isSet("parity") && !p.isSet("data-bits") && !p.isSet("stop-bits");
    }
    const QString parity = p.value("parity").toUpper();
    if (parity != "N" && parity != "E" && parity != "O") {
        error = ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqpanel-run", "--parity is N, E or O, not \"%1\""),
                               {parity.toStdString()});
        return false;
    }
    line.parity = parity.toStdString()[0];
    if (!ZQ_CLI::ParseInteger(p.value("baud"), 300, 4000000, line.baud, "--baud", error) ||
        !ZQ_CLI::ParseInteger(p.value("data-bits"), 7, 8, line.dataBits, "--data-bits", error) ||
        !ZQ_CLI::ParseInteger(p.value("stop-bits"), 1, 2, line.stopBits, "--stop-bits", error) ||
        !ZQ_CLI::ParseInteger(p.isSet("poll-ms") || !args.session.simulate ? p.value("poll-ms") : QString("20"), 10,
                              60000, args.session.pollMs, "--poll-ms", error) ||
        !ZQ_CLI::ParseInteger(p.value("timeout-ms"), 10, 60000, args.session.timeoutMs, "--timeout-ms", error) ||
        !ZQ_CLI::ParseInteger(p.value("scale"), 1, 16, args.scale, "--scale", error))
        return false;
    if (p.isSet("keys") && !ZQ_CLI::ParseInteger(p.value("keys"), PANEL_KEYS::SMALL_MODEL_KEY_COUNT,
                                                 PANEL_KEYS::KEY_COUNT, args.keys, "--keys", error))
        return false;
    args.headless = p.isSet("headless");
    args.script = p.value("script");
    if (args.headless != p.isSet("script")) {
        error = QT_TRANSLATE_NOOP("zqpanel-run", "--headless and --script go together");
        return false;
    }
    if (args.headless && args.control) {
        error = QT_TRANSLATE_NOOP("zqpanel-run", "--control opens a window: not with --headless");
        return false;
    }
    return true;
}

int Headless(CPanelSession& session, const QString& path)
{
    std::string error, text;
    if (!ZQ_CLI::ReadInputFile(path.toStdString(), text, error)) { // "-": standard input
        ZQ_CLI::PrintError(error);
        return ZQ_CLI::EXIT_FAILED;
    }
    CHeadlessScript script;
    if (!script.Parse(text, path.toStdString(), error)) {
        ZQ_CLI::PrintError(error);
        return ZQ_CLI::EXIT_USAGE;
    }
    std::ostringstream failure;
    const int status = script.Run(session, std::cout, failure);
    if (status != 0)
        ZQ_CLI::PrintError(failure.str().substr(0, failure.str().find_last_not_of('\n') + 1));
    std::cout << session.Status() << std::endl;
    return status;
}

} // namespace

int main(int argc, char** argv)
{
    ZQ_CLI::SetProgramName("zqpanel-run");
    QCommandLineParser parser;
    ZQ_CLI::AddStandardOptions(
        parser,
        QT_TRANSLATE_NOOP("zqpanel-run",
                          "Runs a download image (IMAGE.vxg) or a project (PROJECT.ZQE, compiled on the way) as the "
                          "panel does: its screens, registers, lamps and function keys, with the values read from a "
                          "PLC over Modbus TCP (default 127.0.0.1:1502, where zqplc-sim listens) or Modbus RTU on a "
                          "serial line. With --headless it runs a script instead of opening a window and exits 0 when "
                          "every expectation of the script held, 1 when one failed."));
    parser.addPositionalArgument("IMAGE",
                                 ZQ_CLI::TrText(
                                     QT_TRANSLATE_NOOP("zqpanel-run", "The download image (.vxg) or project (.ZQE).")));
    parser.addOptions({
        {"tcp", ZQ_CLI::TrText(QT_TRANSLATE_NOOP("zqpanel-run", "Modbus TCP to HOST:PORT (default 127.0.0.1:1502).")),
         "HOST:PORT"},
        {"serial", ZQ_CLI::TrText(QT_TRANSLATE_NOOP("zqpanel-run", "Modbus RTU on the serial line DEVICE instead.")),
         "DEVICE"},
        {"baud",
         ZQ_CLI::TrText(
             QT_TRANSLATE_NOOP("zqpanel-run", "Baud rate of the serial line (default: a project's own, else 9600).")),
         "N", "9600"},
        {"parity",
         ZQ_CLI::TrText(QT_TRANSLATE_NOOP("zqpanel-run",
                                          "Parity of the serial line: N, E or O (default: a project's own, else N).")),
         "P", "N"},
        {"data-bits",
         ZQ_CLI::TrText(QT_TRANSLATE_NOOP("zqpanel-run",
                                          "Data bits of the serial line: 7 or 8 (default: a project's own, else 8).")),
         "N", "8"},
        {"stop-bits",
         ZQ_CLI::TrText(QT_TRANSLATE_NOOP("zqpanel-run",
                                          "Stop bits of the serial line: 1 or 2 (default: a project's own, else 1).")),
         "N", "1"},
        {"poll-ms", ZQ_CLI::TrText(QT_TRANSLATE_NOOP("zqpanel-run", "Milliseconds between poll cycles (default 100).")),
         "MS", "100"},
        {"timeout-ms",
         ZQ_CLI::TrText(
             QT_TRANSLATE_NOOP("zqpanel-run", "Answer time-out of a request in milliseconds (default 500).")),
         "MS", "500"},
        {"scale",
         ZQ_CLI::TrText(QT_TRANSLATE_NOOP("zqpanel-run", "Screen pixels per panel pixel in the window (default 4).")),
         "N", "4"},
        {"keys",
         ZQ_CLI::TrText(QT_TRANSLATE_NOOP(
             "zqpanel-run", "Number of panel keys shown: 16 or 25 (default: as the image's function keys need).")),
         "N"},
        {"headless", ZQ_CLI::TrText(QT_TRANSLATE_NOOP("zqpanel-run", "Run without a window (needs --script)."))},
        {"simulate",
         ZQ_CLI::TrText(QT_TRANSLATE_NOOP("zqpanel-run",
                                          "Offline: a PLC in memory instead of a line, and beside the panel a table of "
                                          "every register and coil the project uses, whose values can be edited "
                                          "(polled every 20 ms unless --poll-ms)."))},
        {"control",
         ZQ_CLI::TrText(QT_TRANSLATE_NOOP("zqpanel-run",
                                          "Started by the editor: the project comes on standard input (\"project SIZE "
                                          "NAME\", the bytes, \"start\"), \"raise\" brings the window forward, and "
                                          "the end of the input ends the program."))},
        {"script",
         ZQ_CLI::TrText(
             QT_TRANSLATE_NOOP("zqpanel-run", "The headless script: key presses, waits, snapshots and expectations.")),
         "FILE"},
    });
    int exitCode = 0;
    if (!ZQ_CLI::ParseOrExit(parser, ZQ_CLI::ArgumentsOf(argc, argv), exitCode))
        return exitCode;
    ARGUMENTS args;
    std::string error;
    if (!Read(parser, args, error)) {
        ZQ_CLI::PrintError(error);
        return ZQ_CLI::EXIT_USAGE;
    }
    if (!args.headless && !ZQ_CLI::ChooseDisplay(error)) {
        ZQ_CLI::PrintError(error + ZQ_CLI::Tr(QT_TRANSLATE_NOOP("zqpanel-run", "; --headless --script FILE runs "
                                                                               "without a window")));
        return ZQ_CLI::EXIT_FAILED;
    }
    std::unique_ptr<QCoreApplication> app(args.headless ? new QCoreApplication(argc, argv)
                                                        : new QApplication(argc, argv));
    ZQ_I18N::InstallTranslator(*app);
    CControlChannel channel;
    if (args.control) {
        CONTROL_REQUEST request;
        if (!channel.ReadRequest(request, error)) {
            ZQ_CLI::PrintError(error);
            return ZQ_CLI::EXIT_USAGE;
        }
        args.session.image = request.name.empty() ? std::string("-") : request.name;
        args.session.content = std::move(request.content);
    } else if (args.session.simulate && !COMMON_EX::ReadWholeFile(args.session.image, CProjectFile::MAX_FILE_SIZE,
                                                                  args.session.content, error)) {
        ZQ_CLI::PrintError(error);
        return ZQ_CLI::EXIT_FAILED;
    }
    // The table's rows from the project's cross-reference, before the session takes the bytes.
    std::vector<SIM_ROW> rows;
    if (args.session.simulate)
        rows = CSimulationTable::RowsOf(args.session.content);
    std::unique_ptr<CPanelSession> session = CPanelSession::Open(args.session, error);
    if (!session) {
        ZQ_CLI::PrintError(error);
        return ZQ_CLI::EXIT_FAILED;
    }
    if (args.headless)
        return Headless(*session, args.script);
    int keys = args.keys;
    if (keys == 0)
        keys = session->Runtime().GetImage().HighestKeyUsed() >= PANEL_KEYS::SMALL_MODEL_KEY_COUNT
                   ? PANEL_KEYS::KEY_COUNT
                   : PANEL_KEYS::SMALL_MODEL_KEY_COUNT;
    const std::size_t rowCount = rows.size();
    std::unique_ptr<QWidget> window;
    CPanelWindow* panel = nullptr;
    if (args.session.simulate) {
        auto simulation =
            std::make_unique<CSimulationWindow>(*session, std::move(rows), QString::fromStdString(args.session.image),
                                                keys, args.scale);
        panel = simulation->Panel();
        window = std::move(simulation);
    } else {
        auto alone = std::make_unique<CPanelWindow>(*session, keys, args.scale);
        panel = alone.get();
        window = std::move(alone);
    }
    window->show();
    if (args.control) {
        QWidget* shown = window.get();
        channel.Listen(
            [shown](const std::string& command) {
                if (command != "raise")
                    return;
                shown->showNormal();
                shown->raise();
                shown->activateWindow();
            },
            [] { QCoreApplication::quit(); });
        std::printf("ready %d %zu\n", session->Runtime().GetImage().GetScreenCount(), rowCount);
        std::fflush(stdout);
        // The editor (and its tests) learn when the line to the PLC works or fails.
        panel->SetObserver([reported = -1](const CPanelWorker::FRAME& frame) mutable {
            if (frame.screen == 0 || int(frame.linkLost) == reported)
                return;
            reported = int(frame.linkLost);
            std::printf(frame.linkLost ? "link lost\n" : "link ok\n");
            std::fflush(stdout);
        });
    }
    const int status = app->exec();
    window.reset(); // its panel thread ends before the session
    return status;
}
