// zqplc-sim: a simulated PLC for the panel emulator, a Modbus slave on a TCP port of this machine,
// a pseudo-terminal or a serial device, with values from the command line or a script file.
#include "appkit/tool_cli.h"
#include "appkit/ui_language.h"
#include "tools/zqplc-sim/plc_script.h"
#include "tools/zqplc-sim/plc_server.h"

#include <QCoreApplication>
#include <QFile>

#include <atomic>
#include <csignal>
#include <iostream>

namespace {

std::atomic<bool> g_stop{false};

void Stop(int)
{
    g_stop = true;
}

// "A=V" from --register and --coil as a script statement.
bool Assignment(const QString& kind, const QString& text, CPlcScript& script, std::string& error)
{
    const int equals = text.indexOf('=');
    if (equals < 0) {
        error = ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqplc-sim", "--%1 wants ADDRESS=VALUE, not \"%2\""),
                               {kind.toStdString(), text.toStdString()});
        return false;
    }
    const std::string line =
        kind.toStdString() + " " + text.left(equals).toStdString() + " " + text.mid(equals + 1).toStdString();
    if (!script.Add(line, error)) {
        error = "--" + kind.toStdString() + " " + text.toStdString() + ": " + error;
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    ZQ_CLI::SetProgramName("zqplc-sim");
    QCommandLineParser parser;
    ZQ_CLI::AddStandardOptions(
        parser,
        QT_TRANSLATE_NOOP("zqplc-sim",
                          "A simulated PLC: a Modbus slave (holding registers and coils, line addresses 0-65535) "
                          "on a TCP port, a pseudo-terminal or a serial device. It prints where it listens, then "
                          "every write that took effect (\"write coil 2053 = 1\", \"write register 100 = 1234\"). "
                          "Functions 1, 3, 5, 6, 15, 16, 22 and 23 are served, any other is answered with exception "
                          "1. Script statements: register ADDRESS VALUE; coil ADDRESS 0|1; ramp ADDRESS FROM TO STEP "
                          "PERIOD-MS; toggle ADDRESS PERIOD-MS. Numbers are decimal, or hex with 0x."));
    const QCommandLineOption tcp(
        "tcp",
        ZQ_CLI::TrText(
            QT_TRANSLATE_NOOP("zqplc-sim", "Listen on HOST:PORT (default 127.0.0.1:1502; port 0 picks a free one).")),
        "HOST:PORT");
    const QCommandLineOption pty(
        "pty", ZQ_CLI::TrText(
                   QT_TRANSLATE_NOOP("zqplc-sim", "Answer on a new pseudo-terminal instead (its name is printed).")));
    const QCommandLineOption device(
        "device",
        ZQ_CLI::TrText(QT_TRANSLATE_NOOP(
            "zqplc-sim", "Answer Modbus RTU on the serial device DEVICE instead, with --baud, --parity, --data-bits "
                         "and --stop-bits.")),
        "DEVICE");
    const QCommandLineOption baud("baud",
                                  ZQ_CLI::TrText(
                                      QT_TRANSLATE_NOOP("zqplc-sim", "Baud rate of the serial device (default 9600).")),
                                  "N", "9600");
    const QCommandLineOption parity(
        "parity", ZQ_CLI::TrText(QT_TRANSLATE_NOOP("zqplc-sim", "Parity of the serial device: N, E or O (default N).")),
        "P", "N");
    const QCommandLineOption dataBits(
        "data-bits",
        ZQ_CLI::TrText(QT_TRANSLATE_NOOP("zqplc-sim", "Data bits of the serial device: 7 or 8 (default 8).")), "N",
        "8");
    const QCommandLineOption stopBits(
        "stop-bits",
        ZQ_CLI::TrText(QT_TRANSLATE_NOOP("zqplc-sim", "Stop bits of the serial device: 1 or 2 (default 1).")), "N",
        "1");
    const QCommandLineOption maxConnections(
        "max-connections",
        ZQ_CLI::TrText(QT_TRANSLATE_NOOP("zqplc-sim", "TCP clients served at once, 1-1000 (default 64); further "
                                                      "connections are closed at once.")),
        "N", QString::number(CPlcServer::DEFAULT_MAX_CONNECTIONS));
    const QCommandLineOption station(
        "station",
        ZQ_CLI::TrText(QT_TRANSLATE_NOOP("zqplc-sim", "The station (slave address) answered, 1-247 (default 1).")),
        "N");
    const QCommandLineOption reg("register",
                                 ZQ_CLI::TrText(QT_TRANSLATE_NOOP("zqplc-sim", "Set a holding register at the start.")),
                                 "ADDRESS=VALUE");
    const QCommandLineOption coil("coil", ZQ_CLI::TrText(QT_TRANSLATE_NOOP("zqplc-sim", "Set a coil at the start.")),
                                  "ADDRESS=0|1");
    const QCommandLineOption statement({"e", "statement"},
                                       ZQ_CLI::TrText(QT_TRANSLATE_NOOP("zqplc-sim", "Add one script statement.")),
                                       "STATEMENT");
    const QCommandLineOption scriptFile(
        "script", ZQ_CLI::TrText(QT_TRANSLATE_NOOP("zqplc-sim", "Add the statements of a script file.")), "FILE");
    parser.addOptions({tcp, pty, device, baud, parity, dataBits, stopBits, maxConnections, station, reg, coil,
                       statement, scriptFile});
    int exitCode = 0;
    if (!ZQ_CLI::ParseOrExit(parser, ZQ_CLI::ArgumentsOf(argc, argv), exitCode))
        return exitCode;
    QCoreApplication app(argc, argv);
    ZQ_I18N::InstallTranslator(app);

    std::string error;
    auto usage = [&](const std::string& message) {
        ZQ_CLI::PrintError(message);
        return ZQ_CLI::EXIT_USAGE;
    };
    if (!parser.positionalArguments().isEmpty())
        return usage(ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqplc-sim", "unexpected argument \"%1\""),
                                    {parser.positionalArguments().first().toStdString()}));
    if (int(parser.isSet(tcp)) + int(parser.isSet(pty)) + int(parser.isSet(device)) > 1)
        return usage(QT_TRANSLATE_NOOP("zqplc-sim", "--tcp, --pty and --device exclude each other"));
    CModbusLink::SERIAL serial;
    serial.device = parser.value(device).toStdString();
    const QString parityText = parser.value(parity).toUpper();
    if (parityText != "N" && parityText != "E" && parityText != "O")
        return usage(ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqplc-sim", "--parity is N, E or O, not \"%1\""),
                                    {parser.value(parity).toStdString()}));
    serial.parity = parityText.toStdString()[0];
    int connections = CPlcServer::DEFAULT_MAX_CONNECTIONS;
    if (!ZQ_CLI::ParseInteger(parser.value(baud), 300, 4000000, serial.baud, "--baud", error) ||
        !ZQ_CLI::ParseInteger(parser.value(dataBits), 7, 8, serial.dataBits, "--data-bits", error) ||
        !ZQ_CLI::ParseInteger(parser.value(stopBits), 1, 2, serial.stopBits, "--stop-bits", error) ||
        !ZQ_CLI::ParseInteger(parser.value(maxConnections), 1, 1000, connections, "--max-connections", error))
        return usage(error);
    int unit = 1;
    if (parser.isSet(station) && !ZQ_CLI::ParseInteger(parser.value(station), 1, 247, unit, "--station", error))
        return usage(error);
    std::string host = "127.0.0.1";
    int port = 1502;
    if (parser.isSet(tcp)) {
        const QString where = parser.value(tcp);
        const int colon = where.lastIndexOf(':');
        if (colon <= 0 || !ZQ_CLI::ParseInteger(where.mid(colon + 1), 0, 65535, port, "--tcp port", error))
            return usage(error.empty()
                             ? ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqplc-sim", "--tcp wants HOST:PORT, not \"%1\""),
                                              {where.toStdString()})
                             : error);
        host = where.left(colon).toStdString();
    }
    CPlcScript script;
    for (const QString& text : parser.values(reg))
        if (!Assignment("register", text, script, error))
            return usage(error);
    for (const QString& text : parser.values(coil))
        if (!Assignment("coil", text, script, error))
            return usage(error);
    for (const QString& line : parser.values(statement))
        if (!script.Add(line.toStdString(), error))
            return usage(ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqplc-sim", "-e \"%1\": %2"), {line.toStdString(), error}));
    for (const QString& path : parser.values(scriptFile)) {
        QFile file(path);
        if (!ZQ_CLI::CheckInputFile(path.toStdString(), error) || !file.open(QIODevice::ReadOnly)) {
            ZQ_CLI::PrintError(
                error.empty() ? ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqplc-sim", "cannot read %1"), {path.toStdString()})
                              : error);
            return ZQ_CLI::EXIT_FAILED;
        }
        if (!script.AddText(file.readAll().toStdString(), path.toStdString(), error)) {
            ZQ_CLI::PrintError(error);
            return ZQ_CLI::EXIT_FAILED;
        }
    }

    CPlcServer server(script, unit, std::cout);
    server.SetMaxConnections(connections);
    const bool line = parser.isSet(pty) || parser.isSet(device);
    const bool opened = parser.isSet(pty)      ? server.OpenPty(error)
                        : parser.isSet(device) ? server.OpenSerial(serial, error)
                                               : server.ListenTcp(host, port, error);
    if (!opened) {
        ZQ_CLI::PrintError(error);
        return ZQ_CLI::EXIT_FAILED;
    }
    std::cout << (line ? "serial line at " : "listening on ") << server.GetAddress() << std::endl;
    std::signal(SIGINT, Stop);
    std::signal(SIGTERM, Stop);
    std::signal(SIGPIPE, SIG_IGN);
    server.Run(g_stop);
    return ZQ_CLI::EXIT_DONE;
}
