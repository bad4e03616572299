// zqflash: programs a panel from the command line (production-line scripting) through the same
// communication library and download exchange as the programmer's dialog.
#include "comkit/module_path.h"
#include "flasher/cipher_library.h"
#include "flasher/isp_exchange.h"
#include "flasher/isp_library.h"
#include "tools/common/tool_cli.h"
#include "tools/zqflash/console_view.h"
#include "tools/zqflash/zqflash_options.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSerialPortInfo>
#include <QSocketNotifier>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

constexpr int EXIT_INTERRUPTED = 130;

int s_signalPipe[2] = {-1, -1};

void OnStopSignal(int)
{
    const char byte = 1;
    ssize_t ignored = ::write(s_signalPipe[1], &byte, 1);
    (void)ignored;
}

// Ctrl-C and SIGTERM call onStop from the event loop (a pipe written by the handler).
class CStopSignals {
public:
    explicit CStopSignals(std::function<void()> onStop)
    {
        if (::pipe2(s_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
            return;
        m_notifier = std::make_unique<QSocketNotifier>(s_signalPipe[0], QSocketNotifier::Read);
        QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [onStop] {
            char buffer[16];
            while (::read(s_signalPipe[0], buffer, sizeof buffer) > 0) {
            }
            onStop();
        });
        struct sigaction action {};
        action.sa_handler = OnStopSignal;
        sigemptyset(&action.sa_mask);
        for (int signal : {SIGINT, SIGTERM})
            sigaction(signal, &action, nullptr);
    }

private:
    std::unique_ptr<QSocketNotifier> m_notifier;
};

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

// Tries the device the way the line will open it, for a message that names the reason.
bool CheckPort(const std::string& port, std::string& error)
{
    const int fd = ::open(port.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return true;
    }
    const int reason = errno;
    error = "cannot open " + port + ": " + std::strerror(reason);
    if (reason == EACCES || reason == EPERM)
        error += " (serial ports belong to the 'dialout' group: sudo usermod -aG dialout $USER, then log in again)";
    return false;
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

int ListPorts()
{
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& port : ports) {
        QString line = port.systemLocation();
        for (const QString& detail : {port.description(), port.manufacturer(), port.serialNumber()})
            line += "\t" + (detail.isEmpty() ? QString("-") : detail);
        std::printf("%s\n", line.toLocal8Bit().constData());
    }
    if (ports.isEmpty())
        std::fprintf(stderr, "%s: no serial ports found\n", ZQ_CLI::ProgramName());
    std::fflush(stdout);
    return ZQ_CLI::EXIT_DONE;
}

// --trace: every frame with the seconds since the start, ">" sent, "<" received.
void TraceFrame(void* context, int direction, const unsigned char* bytes, int length)
{
    const QElapsedTimer* clock = static_cast<const QElapsedTimer*>(context);
    std::string line;
    char text[8];
    for (int i = 0; i < length; ++i) {
        std::snprintf(text, sizeof text, " %02X", bytes[i]);
        line += text;
    }
    std::fprintf(stderr, "[%10.3f] %c%s\n", clock->nsecsElapsed() / 1e9, direction == VEXORISP_TRACE_SENT ? '>' : '<',
                 line.c_str());
    std::fflush(stderr);
}

int Program(const ZQFLASH_OPTIONS& options)
{
    CConsoleRunView view(options);
    // The file first: nothing touches the line for a file that cannot be programmed.
    std::string error;
    if (!ZQ_CLI::CheckInputFile(options.strFile, error)) {
        const bool hex = GetImageFileKind(options.strFile.c_str()) == IMAGE_KIND_HEX;
        view.PrintError(std::string(hex ? MSG_IMAGE_HEX_OPEN : MSG_IMAGE_RAW_OPEN) + ": " + error);
        return ZQ_CLI::EXIT_FAILED;
    }
    CIspLibrary library;
    if (!LoadFromProgramFolders(library, view))
        return ZQ_CLI::EXIT_FAILED;
    ISP_EXCHANGE_SETTINGS settings;
    settings.bAuto = TRUE;
    settings.wMaskSeed = options.wMaskSeed;
    settings.nRequestRetries = options.nRetries;
    settings.image.bNotEnc = options.bNotEnc ? TRUE : FALSE;
    settings.image.pMessages = &view;
    if (!options.bNotEnc && LoadFromProgramFolders(CCipherLibrary::GetInstance(), view))
        settings.image.pfnDesGo = CCipherLibrary::GetInstance().GetDesGo();

    CIspExchange exchange(view, &library);
    exchange.SetSettings(settings);
    if (exchange.LoadImage() == 0) {
        if (view.GetLastText().empty())
            view.PrintError("nothing to program in " + options.strFile);
        return ZQ_CLI::EXIT_FAILED;
    }
    if (!CheckPort(options.strPort, error)) {
        view.PrintError(error);
        return ZQ_CLI::EXIT_FAILED;
    }
    if (!OpenLine(library, options)) {
        view.PrintError("cannot open " + options.strPort + " as a serial line (in use, or not a serial device)");
        return ZQ_CLI::EXIT_FAILED;
    }
    QElapsedTimer clock;
    clock.start();
    if (options.bTrace && !library.SetTrace(&TraceFrame, &clock))
        view.PrintError("--trace: the communication library has no trace");
    library.SetNotifyHandler([&](int outcome, const BYTE* answer) {
        exchange.OnIspNotify(outcome, answer);
        // The dialog would wait for Stop; a script wants the error now.
        if (exchange.GetResult() == ISP_RESULT_FAILED)
            view.Fail(view.GetLastText());
    });
    bool interrupted = false;
    CStopSignals stop([&] {
        interrupted = true;
        exchange.StopRun();
        char where[96];
        std::snprintf(where, sizeof where, "interrupted: programming stopped after %d of %d bytes%s",
                      view.GetProgress(), exchange.GetState().nImageLength,
                      view.HasStartedBlocks() ? "; the panel is not fully programmed" : "");
        view.Fail(where);
    });
    if (!exchange.StartRun(FALSE))
        return ZQ_CLI::EXIT_FAILED;
    QCoreApplication::exec();
    library.SetTrace(nullptr, nullptr);
    IspRunResult result = exchange.GetResult();
    if (interrupted)
        return EXIT_INTERRUPTED;
    if (result == ISP_RESULT_FINISHED) {
        view.PrintSummary();
        return ZQ_CLI::EXIT_DONE;
    }
    if (result == ISP_RESULT_RUNNING)
        exchange.StopRun();
    if (!view.HasTimedOut() && result != ISP_RESULT_FAILED)
        view.Fail(view.GetLastText());
    return ZQ_CLI::EXIT_FAILED;
}

} // namespace

int main(int argc, char** argv)
{
    ZQ_CLI::SetProgramName("zqflash");
    const QStringList arguments = ZQ_CLI::ArgumentsOf(argc, argv);
    ZQFLASH_OPTIONS options;
    int exitCode = 0;
    if (!ParseZqflashOptions(arguments, options, exitCode))
        return exitCode;
    QCoreApplication app(argc, argv);
    if (options.bListPorts)
        return ListPorts();
    int status = Program(options);
    CCipherLibrary::GetInstance().Release();
    return status;
}
