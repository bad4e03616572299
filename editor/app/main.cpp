// The editor program: one main window, a project named on the command line or the splash.
#include "editor/app/editor_app.h"

#include "appkit/tool_cli.h"
#include "appkit/ui_language.h"

#include <QApplication>
#include <QCommandLineParser>

#include <string>

int main(int argc, char** argv)
{
    ZQ_CLI::SetProgramName("ZQEditor", "zqeditor");
    QCommandLineParser parser;
    ZQ_CLI::AddStandardOptions(parser,
                               ZQ_CLI::TrText(QT_TRANSLATE_NOOP("ZQEditor", "Designs the screens of a text panel "
                                                                            "project (.ZQE).")));
    ZQ_CLI::AddOptions(parser,
                       {{"no-splash", nullptr, QT_TRANSLATE_NOOP("ZQEditor", "Start without the splash picture.")}});
    parser.addPositionalArgument(QStringLiteral("project"),
                                 ZQ_CLI::TrText(QT_TRANSLATE_NOOP("ZQEditor", "The project file to open.")),
                                 QStringLiteral("[project]"));
    int exitCode = ZQ_CLI::EXIT_DONE;
    if (!ZQ_CLI::ParseOrExit(parser, ZQ_CLI::ArgumentsOf(argc, argv), exitCode))
        return exitCode;
    if (parser.positionalArguments().size() > 1) {
        ZQ_CLI::PrintError(std::string(QT_TRANSLATE_NOOP("ZQEditor", "one project at a time (try --help)")));
        return ZQ_CLI::EXIT_USAGE;
    }
    std::string error;
    if (!ZQ_CLI::ChooseDisplay(error)) {
        ZQ_CLI::PrintError(error);
        return ZQ_CLI::EXIT_FAILED;
    }
    QApplication application(argc, argv);
    ZQ_I18N::InstallWindowTranslators(application); // before any window: the command table is built once
    CZQEditorApp editor;
    if (!editor.InitInstance(parser.positionalArguments(), !parser.isSet(QStringLiteral("no-splash"))))
        return ZQ_CLI::EXIT_FAILED;
    return application.exec();
}
