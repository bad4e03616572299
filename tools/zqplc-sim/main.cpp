// zqplc-sim: a simulated PLC for the panel emulator, a Modbus slave on a TCP port of this machine
// or on a pseudo-terminal, with values from the command line or a script file.
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
                          "on a TCP port or a pseudo-terminal. It prints where it listens, then every write it "
                          "receives (\"write coil 2053 = 1\", \"write register 100 = 1234\"). Script statements: "
                          "register ADDRESS VALUE; coil ADDRESS 0|1; ramp ADDRESS FROM TO STEP PERIOD-MS; "
                          "toggle ADDRESS PERIOD-MS."));
    const QCommandLineOption tcp(
        "tcp",
        ZQ_CLI::TrText(
            QT_TRANSLATE_NOOP("zqplc-sim", "Listen on HOST:PORT (default 127.0.0.1:1502; port 0 picks a free one).")),
        "HOST:PORT");
    const QCommandLineOption pty(
        "pty", ZQ_CLI::TrText(
                   QT_TRANSLATE_NOOP("zqplc-sim", "Answer on a new pseudo-terminal instead (its name is printed).")));
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
    parser.addOptions({tcp, pty, station, reg, coil, statement, scriptFile});
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
    if (parser.isSet(tcp) && parser.isSet(pty))
        return usage(QT_TRANSLATE_NOOP("zqplc-sim", "--tcp and --pty exclude each other"));
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
    if (parser.isSet(pty) ? !server.OpenPty(error) : !server.ListenTcp(host, port, error)) {
        ZQ_CLI::PrintError(error);
        return ZQ_CLI::EXIT_FAILED;
    }
    std::cout << (parser.isSet(pty) ? "serial line at " : "listening on ") << server.GetAddress() << std::endl;
    std::signal(SIGINT, Stop);
    std::signal(SIGTERM, Stop);
    std::signal(SIGPIPE, SIG_IGN);
    server.Run(g_stop);
    return ZQ_CLI::EXIT_DONE;
}
