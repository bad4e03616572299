// The editor program: one main window, a project named on the command line or the splash.
#include "editor/app/editor_app.h"

#include "tools/common/tool_cli.h"
#include "tools/common/ui_language.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char** argv)
{
    ZQ_CLI::SetProgramName("ZQEditor");
    QCommandLineParser parser;
    ZQ_CLI::AddStandardOptions(parser, QStringLiteral("Designs the screens of a text panel project (.ZQE)."));
    const QCommandLineOption noSplash(QStringLiteral("no-splash"), QStringLiteral("Start without the splash picture."));
    parser.addOption(noSplash);
    parser.addPositionalArgument(QStringLiteral("project"), QStringLiteral("The project file to open."),
                                 QStringLiteral("[project]"));
    int exitCode = ZQ_CLI::EXIT_DONE;
    if (!ZQ_CLI::ParseOrExit(parser, ZQ_CLI::ArgumentsOf(argc, argv), exitCode))
        return exitCode;
    if (parser.positionalArguments().size() > 1) {
        ZQ_CLI::PrintError(QStringLiteral("one project at a time (try --help)"));
        return ZQ_CLI::EXIT_USAGE;
    }
    if (!ZQ_CLI::HasDisplay()) {
        ZQ_CLI::PrintError(
            QStringLiteral("no display to open the window on (set DISPLAY, or QT_QPA_PLATFORM=offscreen)"));
        return ZQ_CLI::EXIT_FAILED;
    }
    QApplication application(argc, argv);
    ZQ_I18N::InstallTranslator(application); // before any window: the command table is built once
    CZQEditorApp editor;
    if (!editor.InitInstance(parser.positionalArguments(), !parser.isSet(noSplash)))
        return ZQ_CLI::EXIT_FAILED;
    return application.exec();
}
