// zqe: projects and download images from the command line (see docs/zqe.md).
#include "appkit/tool_cli.h"
#include "appkit/ui_language.h"
#include "tools/zqe/zqe_commands.h"

#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <iostream>

namespace {

// Qt's start-up notes (run-time folder, platform) are no business of a script reading stderr.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        ZQ_CLI::PrintError(message);
}

} // namespace

int main(int argc, char** argv)
{
    ZQ_CLI::SetProgramName("zqe");
    ZQ_I18N::InstallMessageTranslator(); // the editor core's messages in the user's language
    qInstallMessageHandler(QuietQtMessages);
    return RunZqe(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
