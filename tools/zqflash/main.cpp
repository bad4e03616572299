// zqflash: programs a panel from the command line (production-line scripting) through the same
// communication library and download exchange as the programmer's dialog.
#include "comkit/module_path.h"
#include "flasher/cipher_library.h"
#include "flasher/isp_exchange.h"
#include "flasher/isp_library.h"
#include "tools/zqflash/console_view.h"
#include "tools/zqflash/zqflash_options.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>

namespace {

// The libraries lie beside the programmer in bin/; zqflash may lie there too or one level up.
template <typename Library>
bool LoadFromProgramFolders(Library& library, IMessageSink& messages)
{
    const std::string directory = COMMON_EX::GetProgramDirectory();
    library.SetDirectory(directory);
    if (library.Load(nullptr))
        return true;
    library.Release();
    library.SetDirectory(directory + "bin/");
    return library.Load(&messages) != FALSE;
}

bool OpenLine(CIspLibrary& library, const ZQFLASH_OPTIONS& options)
{
    VEXORISP_LINE line{};
    if (!library.OpenComm(FALSE) || !library.GetLine(line) || options.strPort.size() >= sizeof line.device)
        return false;
    std::strcpy(line.device, options.strPort.c_str());
    if (options.nBaud > 0)
        line.baud = options.nBaud;
    if (options.nDataBits > 0) {
        line.dataBits = options.nDataBits;
        line.parity = options.cParity;
        line.stopBits = options.nStopBits;
    }
    return library.SetLine(line, FALSE) && library.DirOpenComm();
}

int Program(const ZQFLASH_OPTIONS& options)
{
    CConsoleRunView view(options);
    CIspLibrary library;
    if (!LoadFromProgramFolders(library, view))
        return 1;
    if (!OpenLine(library, options)) {
        view.ShowMessage(("cannot open " + options.strPort).c_str());
        return 1;
    }
    ISP_EXCHANGE_SETTINGS settings;
    settings.bAuto = TRUE;
    settings.wMaskSeed = options.wMaskSeed;
    settings.image.bNotEnc = options.bNotEnc ? TRUE : FALSE;
    settings.image.pMessages = &view;
    if (!options.bNotEnc && LoadFromProgramFolders(CCipherLibrary::GetInstance(), view))
        settings.image.pfnDesGo = CCipherLibrary::GetInstance().GetDesGo();

    CIspExchange exchange(view, &library);
    exchange.SetSettings(settings);
    library.SetNotifyHandler([&](int outcome, const BYTE* answer) {
        exchange.OnIspNotify(outcome, answer);
        // The dialog would wait for Stop; a script wants the error now.
        if (exchange.GetResult() == ISP_RESULT_FAILED)
            view.Fail(view.GetLastText());
    });
    if (!exchange.StartRun(TRUE))
        return 1;
    if (exchange.GetState().nImageLength == 0) {
        exchange.StopRun();
        view.ShowMessage("nothing to program");
        return 1;
    }
    QCoreApplication::exec();
    IspRunResult result = exchange.GetResult();
    if (result == ISP_RESULT_FINISHED) {
        view.PrintSummary();
        return 0;
    }
    if (result == ISP_RESULT_RUNNING)
        exchange.StopRun();
    if (!view.HasTimedOut() && result != ISP_RESULT_FAILED)
        view.Fail(view.GetLastText());
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ZQFLASH_OPTIONS options;
    std::string error;
    if (!ParseZqflashOptions(QCoreApplication::arguments(), options, error)) {
        if (!error.empty())
            std::fprintf(stderr, "zqflash: %s\n", error.c_str());
        std::fputs(ZQFLASH_USAGE, error.empty() ? stdout : stderr);
        return error.empty() ? 0 : 2;
    }
    int status = Program(options);
    CCipherLibrary::GetInstance().Release();
    return status;
}
