// zqcatalog: lists the panel models and PLC protocols of the catalogues beside the program.
#include "tools/zqcatalog/catalogue_report.h"

#include "appkit/tool_cli.h"
#include "devices/catalogue_limits.h"
#include "devices/device_collection.h"
#include "devices/plc_collection.h"

#include <QCommandLineParser>

#include <iostream>
#include <string>
#include <sys/stat.h>

int main(int argc, char** argv)
{
    ZQ_CLI::SetProgramName("zqcatalog");
    QCommandLineParser parser;
    ZQ_CLI::AddStandardOptions(
        parser,
        QT_TRANSLATE_NOOP("zqcatalog", "Lists the panel models of DeviceRegister.ini and the PLC protocols of "
                                       "PLCRegister.ini (beside the program, or in DIRECTORY): each model's screen, "
                                       "digit limits and keys, each protocol's station and register and coil kinds "
                                       "on each model."));
    ZQ_CLI::AddOptions(parser,
                       {{"dir", "DIRECTORY", QT_TRANSLATE_NOOP("zqcatalog", "Read the catalogues of DIRECTORY.")}});
    int exitCode = ZQ_CLI::EXIT_DONE;
    if (!ZQ_CLI::ParseOrExit(parser, ZQ_CLI::ArgumentsOf(argc, argv), exitCode))
        return exitCode;
    if (!parser.positionalArguments().isEmpty()) {
        ZQ_CLI::UsageError(ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqcatalog", "unexpected argument '%1'"),
                                          {parser.positionalArguments().first().toLocal8Bit().toStdString()}),
                           exitCode);
        return exitCode;
    }
    if (parser.isSet("dir")) {
        const std::string dir = parser.value("dir").toLocal8Bit().toStdString();
        struct stat st {};
        if (::stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
            ZQ_CLI::PrintError(ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqcatalog", "--dir: '%1' is not a folder"), {dir}));
            return ZQ_CLI::EXIT_USAGE;
        }
        for (const char* name : {CDeviceCollection::FILE_NAME, CPLCCollection::FILE_NAME}) {
            std::string error;
            if (!ZQ_CLI::CheckInputFile(dir + "/" + name, error)) {
                ZQ_CLI::PrintError(error);
                return ZQ_CLI::EXIT_FAILED;
            }
        }
        CDeviceCollection::GetInstance()->ReadCatalogue((dir + "/" + CDeviceCollection::FILE_NAME).c_str());
        CPLCCollection::GetInstance()->ReadCatalogue((dir + "/" + CPLCCollection::FILE_NAME).c_str());
    }
    const int listed =
        WriteCatalogueReport(std::cout, *CDeviceCollection::GetInstance(), *CPLCCollection::GetInstance());
    std::cout.flush();
    for (const std::string& warning : CATALOGUE_LIMITS::TakeWarnings())
        ZQ_CLI::PrintError(ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqcatalog", "warning: %1"), {warning}));
    if (listed == 0)
        ZQ_CLI::PrintError(
            ZQ_CLI::TrText(QT_TRANSLATE_NOOP("zqcatalog", "the catalogues list no panel model and no PLC protocol")));
    return listed > 0 ? ZQ_CLI::EXIT_DONE : ZQ_CLI::EXIT_FAILED;
}
