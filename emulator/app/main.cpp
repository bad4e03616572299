// zqpanel-run: runs a download image (or a project, compiled on the way) as the panel would, with
// its values from a PLC over Modbus TCP or RTU; in a window, or headless from a script.
#include "appkit/tool_cli.h"
#include "appkit/ui_language.h"
#include "emulator/app/headless_script.h"
#include "emulator/app/panel_session.h"
#include "emulator/app/panel_window.h"
#include "emulator/panel_keys.h"

#include <QApplication>
#include <QFile>

#include <iostream>
#include <sstream>

namespace {

struct ARGUMENTS {
    CPanelSession::OPTIONS session;
    bool headless = false;
    QString script;
    int scale = 4;
    int keys = 0; // 0: from the image
};

// Fills `args` from the parser; false with the reason for a usage error.
bool Read(const QCommandLineParser& p, ARGUMENTS& args, std::string& error)
{
    const QStringList operands = p.positionalArguments();
    if (operands.size() != 1) {
        error = operands.isEmpty() ? QT_TRANSLATE_NOOP("zqpanel-run", "no image given (IMAGE.vxg or PROJECT.ZQE)")
                                   : QT_TRANSLATE_NOOP("zqpanel-run", "more than one image given");
        return false;
    }
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
        !ZQ_CLI::ParseInteger(p.value("poll-ms"), 10, 60000, args.session.pollMs, "--poll-ms", error) ||
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
    return true;
}

int Headless(CPanelSession& session, const QString& path)
{
    std::string error;
    QFile file(path);
    if (!ZQ_CLI::CheckInputFile(path.toStdString(), error) || !file.open(QIODevice::ReadOnly)) {
        ZQ_CLI::PrintError(
            error.empty() ? ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqpanel-run", "cannot read %1"), {path.toStdString()})
                          : error);
        return ZQ_CLI::EXIT_FAILED;
    }
    CHeadlessScript script;
    if (!script.Parse(file.readAll().toStdString(), path.toStdString(), error)) {
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
    if (!args.headless && !ZQ_CLI::HasDisplay()) {
        ZQ_CLI::PrintError(std::string(
            QT_TRANSLATE_NOOP("zqpanel-run", "no display to open the window on (use --headless --script FILE)")));
        return ZQ_CLI::EXIT_FAILED;
    }
    std::unique_ptr<QCoreApplication> app(args.headless ? new QCoreApplication(argc, argv)
                                                        : new QApplication(argc, argv));
    ZQ_I18N::InstallTranslator(*app);
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
    CPanelWindow window(*session, keys, args.scale);
    window.show();
    return app->exec();
}
