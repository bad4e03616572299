// The programmer: its settings come from isp.ini beside it; the command line answers --help and
// --version (without a display too), takes --unattended and a program file to choose (a file
// manager's "open with"), and without a display it can reach it says so instead of aborting.
#include "appkit/tool_cli.h"
#include "appkit/ui_language.h"
#include "flasher/app/flasher_app.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>

#include <string>

int main(int argc, char** argv)
{
    ZQ_CLI::SetProgramName("Flasher", "zqflasher");
    QCommandLineParser parser;
    ZQ_CLI::AddStandardOptions(parser,
                               ZQ_CLI::TrText(QT_TRANSLATE_NOOP("Flasher", "The panel programmer's window. Its "
                                                                           "settings come from isp.ini beside it (the "
                                                                           "editor's download writes them). A FILE "
                                                                           "given is chosen as \"Open File...\" "
                                                                           "chooses it, in manual mode: nothing is "
                                                                           "programmed until \"Local Program\" is "
                                                                           "pressed.")));
    ZQ_CLI::AddOptions(
        parser,
        {{"platform", "NAME", QT_TRANSLATE_NOOP("Flasher", "Qt platform plugin to use (for example offscreen).")},
         {"unattended", nullptr,
          QT_TRANSLATE_NOOP("Flasher", "Nobody answers the window's messages: they go to standard error, and "
                                       "the exit status is 0 only when the panel confirmed every block.")}});
    parser.addPositionalArgument(QStringLiteral("file"),
                                 ZQ_CLI::TrText(QT_TRANSLATE_NOOP("Flasher", "The program file to choose (.vxg, "
                                                                             ".hex, ...).")),
                                 QStringLiteral("[file]"));
    int exitCode = 0;
    if (!ZQ_CLI::ParseOrExit(parser, ZQ_CLI::ArgumentsOf(argc, argv), exitCode))
        return exitCode;
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        ZQ_CLI::UsageError(QT_TRANSLATE_NOOP("Flasher", "one program file at a time"), exitCode);
        return exitCode;
    }
    std::string chosen, error;
    if (!files.isEmpty()) {
        // Absolute: isp.ini keeps it for the next start, wherever that starts from.
        chosen = files.first() == "-" ? std::string("-")
                                      : QFile::encodeName(QFileInfo(files.first()).absoluteFilePath()).toStdString();
        if (chosen == "-" || !ZQ_CLI::CheckInputFile(chosen, error)) {
            ZQ_CLI::PrintError(chosen == "-" ? std::string(QT_TRANSLATE_NOOP("Flasher", "the program file must be a "
                                                                                        "file, not standard input"))
                                             : error);
            return ZQ_CLI::EXIT_FAILED;
        }
    }
    if (!parser.isSet("platform") && !ZQ_CLI::ChooseDisplay(error)) {
        ZQ_CLI::PrintError(error + ZQ_CLI::Tr(QT_TRANSLATE_NOOP("Flasher", "; zqflash programs from the command "
                                                                           "line")));
        return ZQ_CLI::EXIT_FAILED;
    }
    CFlasherApp app(argc, argv);
    ZQ_I18N::InstallWindowTranslators(app);
    return app.InitInstance(parser.isSet("unattended"), QFile::decodeName(chosen.c_str()).toStdString());
}
