// The programmer: everything comes from isp.ini beside it; the command line only answers --help and
// --version (without a display too) and --unattended, and without a display it says so instead of
// aborting.
#include "appkit/tool_cli.h"
#include "appkit/ui_language.h"
#include "flasher/app/flasher_app.h"

#include <QCommandLineParser>

#include <string>

int main(int argc, char** argv)
{
    ZQ_CLI::SetProgramName("Flasher");
    QCommandLineParser parser;
    ZQ_CLI::AddStandardOptions(parser,
                               ZQ_CLI::TrText(QT_TRANSLATE_NOOP("Flasher", "The panel programmer's window. Its "
                                                                           "settings come from isp.ini beside it (the "
                                                                           "editor's download writes them); it takes "
                                                                           "no arguments.")));
    ZQ_CLI::AddOptions(
        parser,
        {{"platform", "NAME", QT_TRANSLATE_NOOP("Flasher", "Qt platform plugin to use (for example offscreen).")},
         {"unattended", nullptr,
          QT_TRANSLATE_NOOP("Flasher", "Nobody answers the window's messages: they go to standard error, and "
                                       "the exit status is 0 only when the panel confirmed every block.")}});
    int exitCode = 0;
    if (!ZQ_CLI::ParseOrExit(parser, ZQ_CLI::ArgumentsOf(argc, argv), exitCode))
        return exitCode;
    if (!parser.positionalArguments().isEmpty()) {
        ZQ_CLI::PrintError(std::string(
            QT_TRANSLATE_NOOP("Flasher",
                              "takes no arguments; the program file comes from isp.ini or \"Open File...\"")));
        return ZQ_CLI::EXIT_USAGE;
    }
    if (!parser.isSet("platform") && !ZQ_CLI::HasDisplay()) {
        ZQ_CLI::PrintError(std::string(QT_TRANSLATE_NOOP("Flasher", "no display to show the window on: set DISPLAY "
                                                                    "(or WAYLAND_DISPLAY), or use zqflash to program "
                                                                    "from the command line")));
        return ZQ_CLI::EXIT_FAILED;
    }
    CFlasherApp app(argc, argv);
    ZQ_I18N::InstallTranslator(app);
    return app.InitInstance(parser.isSet("unattended"));
}
