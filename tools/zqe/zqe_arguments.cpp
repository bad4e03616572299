#include "tools/zqe/zqe_arguments.h"

#include "appkit/tool_cli.h"

#include <QCommandLineParser>
#include <QRegularExpression>

#include <algorithm>

namespace {

struct OPTION {
    const char* name;      // "--device", "-o"
    const char* valueName; // null for a flag
    const char* description;
    bool required;
};

struct COMMAND {
    const char* name;
    const char* operand;     // "FILE.ZQE"
    const char* operandHelp; // what the operand is
    const char* description;
    std::vector<OPTION> options;
};

const OPTION OUTPUT_OPTION = {"-o", "FILE", QT_TRANSLATE_NOOP("zqe", "The file to write; - writes to standard output."),
                              true};

const std::vector<COMMAND>& Commands()
{
    static const std::vector<COMMAND> commands = {
        {"new",
         "OUT.ZQE",
         QT_TRANSLATE_NOOP("zqe", "The project file to make (refused when it exists, unless --force)."),
         QT_TRANSLATE_NOOP(
             "zqe", "Makes a new project with one empty screen for a panel model and PLC protocol of the catalogues."),
         {{"--device", "MODEL",
           QT_TRANSLATE_NOOP("zqe", "Panel model: its catalogue name or ID (zqcatalog lists them)."), true},
          {"--plc", "PLC", QT_TRANSLATE_NOOP("zqe", "PLC protocol: its catalogue name or ID."), true},
          {"--force", nullptr, QT_TRANSLATE_NOOP("zqe", "Replace OUT.ZQE when it exists."), false}}},
        {"info",
         "FILE",
         QT_TRANSLATE_NOOP("zqe", "A project (.ZQE) the editor opens; - reads standard input."),
         QT_TRANSLATE_NOOP(
             "zqe", "Prints a project as a tree: panel model, serial line, PLC kinds, keys, screens and every control "
                    "with every attribute."),
         {{"--json", nullptr,
           QT_TRANSLATE_NOOP("zqe", "Write the project's JSON form for reading (docs/project-json.md) for scripts."),
           false}}},
        {"compile",
         "FILE.ZQE",
         QT_TRANSLATE_NOOP("zqe", "The project; - reads standard input."),
         QT_TRANSLATE_NOOP("zqe", "Compiles a project into the download image the panel is programmed with."),
         {OUTPUT_OPTION}},
        {"inspect",
         "IMAGE",
         QT_TRANSLATE_NOOP("zqe", "A download image (.vxg); - reads standard input."),
         QT_TRANSLATE_NOOP("zqe",
                           "Decodes every section of a download image and checks every length, offset and count."),
         {{"--json", nullptr,
           QT_TRANSLATE_NOOP("zqe", "Write the decoded image and its problems as one JSON object for scripts."),
           false}}},
        {"render",
         "FILE.ZQE",
         QT_TRANSLATE_NOOP("zqe", "The project; - reads standard input."),
         QT_TRANSLATE_NOOP(
             "zqe", "Draws one screen as the design view draws it, into an image file of the format its name ends in "
                    "(.png, .bmp, .jpg, .ppm, ...)."),
         {{"--screen", "N", QT_TRANSLATE_NOOP("zqe", "The screen to draw, 1 for the first (default 1)."), false},
          {"--zoom", "Z",
           QT_TRANSLATE_NOOP("zqe", "Pixels per panel pixel, above 0 and at most 32 (default: the screen's zoom)."),
           false},
          {"-o", "IMAGE", QT_TRANSLATE_NOOP("zqe", "The image file to write; - writes PNG to standard output."),
           true}}},
        {"export",
         "FILE.ZQE",
         QT_TRANSLATE_NOOP("zqe", "The project; - reads standard input."),
         QT_TRANSLATE_NOOP("zqe", "Prints the project's JSON form on standard output (docs/project-json.md)."),
         {{"--short", nullptr,
           QT_TRANSLATE_NOOP("zqe", "Write each control as its kind and the attributes that differ from a new one."),
           false},
          {"--names", "ascii|stored",
           QT_TRANSLATE_NOOP("zqe", "Write group, attribute and item names by their ASCII aliases, or as stored "
                                    "(default)."),
           false},
          {"-o", "FILE", QT_TRANSLATE_NOOP("zqe", "Write the form to FILE instead of standard output."), false}}},
        {"check",
         "FILE.ZQE",
         QT_TRANSLATE_NOOP("zqe", "The project; - reads standard input."),
         QT_TRANSLATE_NOOP("zqe", "Checks a project before it reaches a panel: one finding a line, "
                                  "FILE:SCREEN:CONTROL: SEVERITY: TEXT. Exit status 0 clean, 1 warnings with "
                                  "--strict, 3 errors."),
         {{"--json", nullptr, QT_TRANSLATE_NOOP("zqe", "Write the findings as JSON for scripts."), false},
          {"--strict", nullptr, QT_TRANSLATE_NOOP("zqe", "Exit with status 1 when there are warnings."), false}}},
        {"xref",
         "FILE.ZQE",
         QT_TRANSLATE_NOOP("zqe", "The project; - reads standard input."),
         QT_TRANSLATE_NOOP("zqe", "Lists every PLC station, register and coil the project uses: typed and line "
                                  "address, read or write, and the controls that use it."),
         {{"--csv", nullptr, QT_TRANSLATE_NOOP("zqe", "Write CSV (UTF-8) for the PLC programmer's documentation."),
           false},
          {"--json", nullptr, QT_TRANSLATE_NOOP("zqe", "Write JSON for scripts."), false}}},
        {"report",
         "FILE.ZQE",
         QT_TRANSLATE_NOOP("zqe", "The project; - reads standard input."),
         QT_TRANSLATE_NOOP("zqe", "Writes a document of the panel for commissioning: settings, every screen's "
                                  "picture and controls, the addresses and the check's findings, in the user's "
                                  "language."),
         {{"-o", "REPORT", QT_TRANSLATE_NOOP("zqe", "The report to write: .pdf, or self-contained .html or .htm."),
           true}}},
        {"import",
         "PROJECT.json",
         QT_TRANSLATE_NOOP("zqe", "The project's JSON form; - reads standard input."),
         QT_TRANSLATE_NOOP("zqe", "Makes the project file a JSON form describes."),
         {OUTPUT_OPTION}},
    };
    return commands;
}

const COMMAND* FindCommand(const std::string& name)
{
    for (const COMMAND& command : Commands())
        if (name == command.name)
            return &command;
    return nullptr;
}

QString OptionName(const char* name)
{
    return QString::fromLatin1(name).remove(QRegularExpression("^-+"));
}

QString TopHelp()
{
    QString text = ZQ_CLI::TrText(QT_TRANSLATE_NOOP("zqe", "Usage: zqe COMMAND [options] FILE\n"
                                                           "Projects (.ZQE) and download images (.vxg) from the "
                                                           "command line, through the editor's own core.\n\n"
                                                           "Commands:\n"));
    for (const COMMAND& command : Commands())
        text += QString("  %1%2\n").arg(QString(command.name).leftJustified(9), ZQ_CLI::TrText(command.description));
    text += ZQ_CLI::TrText(
        QT_TRANSLATE_NOOP("zqe",
                          "\nOptions:\n  -h, --help  Show this help (zqe COMMAND --help: the help of one "
                          "command) and exit.\n"
                          "  --version   Show the version and exit.\n\n"
                          "Exit status: 0 done, 1 the work failed, 2 the command line was wrong (check: 3 errors).\n"));
    return text;
}

// The parser's help with the program's name in its usage line (no application object names it).
std::string HelpOf(const QCommandLineParser& parser)
{
    QString help = parser.helpText();
    help.replace("<executable_name>", "zqe");
    return help.toStdString();
}

bool IsHelp(const std::string& arg)
{
    return arg == "-h" || arg == "--help";
}

} // namespace

int ZqeUsageError(std::ostream& err, const std::string& message, const std::string& command)
{
    err << ZQ_CLI::ProgramName() << ": " << message << "\n"
        << ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqe", "Try 'zqe %1--help' for more information."),
                          {command.empty() ? "" : command + " "})
        << "\n";
    return ZQ_CLI::EXIT_USAGE;
}

const std::vector<std::string>& ZqeCommands()
{
    static const std::vector<std::string> names = [] {
        std::vector<std::string> list;
        for (const COMMAND& command : Commands())
            list.emplace_back(command.name);
        return list;
    }();
    return names;
}

bool ParseZqeArguments(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                       ZQE_ARGUMENTS& parsed, int& exitCode)
{
    parsed = ZQE_ARGUMENTS();
    exitCode = ZQ_CLI::EXIT_DONE;
    if (args.empty()) {
        exitCode =
            ZqeUsageError(err,
                          ZQ_CLI::Tr(QT_TRANSLATE_NOOP("zqe", "no command given (new, info, compile, inspect, render, "
                                                              "export, check, xref, report, import)")),
                          "");
        return false;
    }
    const std::string& first = args[0];
    if (IsHelp(first) || (first == "help" && args.size() == 1)) {
        out << TopHelp().toStdString();
        return false;
    }
    if (first == "--version") {
        out << "zqe " << ZQ_CLI::SuiteVersion() << "\n";
        return false;
    }
    const bool helpOf = first == "help";
    const std::string name = helpOf ? args[1] : first;
    const COMMAND* command = FindCommand(name);
    if (!command) {
        exitCode =
            ZqeUsageError(err,
                          ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqe",
                                                           "unknown command \"%1\" (new, info, compile, inspect, "
                                                           "render, export, check, xref, report, import)"),
                                         {name}),
                          "");
        return false;
    }

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    ZQ_CLI::AddStandardOptions(parser, command->description);
    for (const OPTION& option : command->options) {
        const QString description = ZQ_CLI::TrText(option.description);
        parser.addOption(option.valueName ? QCommandLineOption(OptionName(option.name), description, option.valueName)
                                          : QCommandLineOption(OptionName(option.name), description));
    }
    parser.addPositionalArgument(command->name, ZQ_CLI::TrText(QT_TRANSLATE_NOOP("zqe", "The command.")),
                                 command->name);
    parser.addPositionalArgument(command->operand, ZQ_CLI::TrText(command->operandHelp));
    QStringList arguments{"zqe"};
    for (const std::string& arg : args)
        arguments << QString::fromStdString(arg);
    if (helpOf) {
        out << HelpOf(parser);
        return false;
    }

    const bool ok = parser.parse(arguments);
    if (parser.isSet("help")) {
        out << HelpOf(parser);
        return false;
    }
    if (parser.isSet("version")) {
        out << "zqe " << ZQ_CLI::SuiteVersion() << "\n";
        return false;
    }
    parsed.command = name;
    if (!ok) {
        if (!parser.unknownOptionNames().isEmpty()) {
            const QString unknown = parser.unknownOptionNames().first();
            exitCode = ZqeUsageError(err,
                                     ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqe", "unknown option %1 for %2"),
                                                    {(unknown.size() == 1 ? "-" : "--") + unknown.toStdString(), name}),
                                     name);
        } else {
            // The one other refusal: an option that takes a value came last.
            exitCode =
                ZqeUsageError(err, ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqe", "option %1 needs a value"), {args.back()}),
                              name);
        }
        return false;
    }
    for (const OPTION& option : command->options) {
        const QString key = OptionName(option.name);
        const QStringList values = parser.values(key);
        if (option.valueName && values.size() > 1) {
            exitCode =
                ZqeUsageError(err, ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqe", "option %1 given twice"), {option.name}),
                              name);
            return false;
        }
        if (parser.isSet(key))
            parsed.options[option.name] = option.valueName ? values.first().toStdString() : std::string();
        else if (option.required) {
            exitCode = ZqeUsageError(err,
                                     ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqe", "%1 needs %2 %3"),
                                                    {name, option.name, option.valueName}),
                                     name);
            return false;
        }
    }
    QStringList operands = parser.positionalArguments();
    operands.removeFirst(); // the command itself
    if (operands.size() != 1) {
        exitCode = ZqeUsageError(err,
                                 ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqe", "%1 takes 1 file name (%2), not %3"),
                                                {name, command->operand, std::to_string(operands.size())}),
                                 name);
        return false;
    }
    parsed.operands.push_back(operands.first().toStdString());
    return true;
}
