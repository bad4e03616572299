// manualpdf: renders the Markdown user manual into one PDF file.
#include "appkit/tool_cli.h"
#include "generators/manualpdf/manual_renderer.h"

#include <QCommandLineParser>

int main(int argc, char** argv)
{
    ZQ_CLI::SetProgramName("manualpdf");
    QCommandLineParser parser;
    ZQ_CLI::AddStandardOptions(parser,
                               "Renders Markdown chapters, in the order given, into one A4 PDF with a title page, "
                               "contents and page numbers. Pictures are looked up beside the chapter that shows "
                               "them; the output is replaced only when it was written whole.");
    parser.addOption(QCommandLineOption({"o", "output"}, "The PDF file to write.", "FILE"));
    parser.addOption(QCommandLineOption("title", "Title of the title page and the headers.", "TEXT", "ZQEditor"));
    parser.addOption(QCommandLineOption("subtitle", "Line under the title (a version, say).", "TEXT"));
    parser.addPositionalArgument("chapters", "The chapters, UTF-8 Markdown.", "CHAPTER.md...");
    int exitCode = 0;
    if (!ZQ_CLI::ParseOrExit(parser, ZQ_CLI::ArgumentsOf(argc, argv), exitCode))
        return exitCode;
    if (!parser.isSet("output") || parser.positionalArguments().isEmpty()) {
        ZQ_CLI::PrintError(std::string(parser.isSet("output") ? "no chapters given" : "no output named (-o FILE)"));
        return ZQ_CLI::EXIT_USAGE;
    }
    QString error;
    CManualRenderer renderer(parser.value("title"), parser.value("subtitle"));
    if (!renderer.Render(parser.positionalArguments(), parser.value("output"), error)) {
        ZQ_CLI::PrintError(error);
        return ZQ_CLI::EXIT_FAILED;
    }
    return ZQ_CLI::EXIT_DONE;
}
