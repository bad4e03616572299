// zqflash: programs a panel from the command line (production-line scripting) through the same
// communication library and download exchange as the programmer's dialog.
#include "appkit/tool_cli.h"
#include "appkit/ui_language.h"
#include "comkit/module_path.h"
#include "comkit/whole_file.h"
#include "flasher/cipher_library.h"
#include "flasher/isp_exchange.h"
#include "flasher/isp_library.h"
#include "tools/zqflash/console_view.h"
#include "tools/zqflash/line_report.h"
#include "tools/zqflash/line_run.h"
#include "tools/zqflash/production_log.h"
#include "tools/zqflash/program_folders.h"
#include "tools/zqflash/shown_text.h"
#include "tools/zqflash/stop_signals.h"
#include "tools/zqflash/zqflash_options.h"
#include "vexorisp/serial_ports.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int EXIT_INTERRUPTED = 130;

// Counts the requests of the exchange, so that frames sent beyond them count as retries.
class CCountingComm : public IIspComm {
public:
    explicit CCountingComm(IIspComm& comm) : m_comm(comm) {}
    void SetModBusOption(int retries, int timeoutMs) override { m_comm.SetModBusOption(retries, timeoutMs); }
    bool HoldLineQuiet(int quietMs) override { return m_comm.HoldLineQuiet(quietMs); }
    void SetModBusSend(int slave, int function, int start, int count, const void* data, int flag) override
    {
        ++requests;
        m_comm.SetModBusSend(slave, function, start, count, data, flag);
    }
    void SetModBusRW(int slave, int function, int answerRegisters, int readStart, int writeStart, int count,
                     const void* data, int flag) override
    {
        ++requests;
        m_comm.SetModBusRW(slave, function, answerRegisters, readStart, writeStart, count, data, flag);
    }
    long long requests = 0;

private:
    IIspComm& m_comm;
};

// What the trace hook needs: the clock of --trace, whether to print, and the frames sent.
struct TRACE_STATE {
    QElapsedTimer clock;
    bool print = false;
    bool report = false; // line mode: report the retries to the supervisor when they change
    long long frames = 0;
    long long reported = 0;
    const CCountingComm* comm = nullptr;
    std::string port; // line mode: named on every line, as the ports' traces meet on one screen
};

// Tries the device the way the line will open it, for a message that names the reason.
bool CheckPort(const std::string& port, std::string& error)
{
    const int fd = ::open(port.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return true;
    }
    const int reason = errno;
    const bool refused = reason == EACCES || reason == EPERM;
    if (reason == ENOENT) {
        error = ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqflash", "cannot open %1: %2 (the port is not there: is the "
                                                            "adapter unplugged? zqflash --list-ports lists the "
                                                            "ports)"),
                               {port, std::strerror(reason)});
        return false;
    }
    error = ZQ_CLI::TrArgs(refused ? QT_TRANSLATE_NOOP("zqflash", "cannot open %1: %2 (serial ports belong to the "
                                                                  "'dialout' group: sudo usermod -aG dialout $USER, "
                                                                  "then log in again)")
                                   : QT_TRANSLATE_NOOP("zqflash", "cannot open %1: %2"),
                           {port, std::strerror(reason)});
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
        line.parity = static_cast<unsigned char>(options.cParity);
        line.stopBits = options.nStopBits;
    }
    return library.SetLine(line, FALSE) && library.DirOpenComm();
}

QString OrDash(const std::string& text)
{
    return text.empty() ? QStringLiteral("-") : QString::fromLocal8Bit(text.c_str());
}

int ListPorts(bool json)
{
    const std::vector<SERIAL_PORT_ENTRY> ports = ListSerialPorts(SERIAL_PORT_FOLDERS::FromEnvironment());
    QJsonArray array;
    bool denied = false;
    for (const SERIAL_PORT_ENTRY& port : ports) {
        denied = denied || !port.permitted;
        if (json) {
            array.append(QJsonObject{{"path", QString::fromLocal8Bit(port.path.c_str())},
                                     {"description", QString::fromLocal8Bit(port.description.c_str())},
                                     {"manufacturer", QString::fromLocal8Bit(port.manufacturer.c_str())},
                                     {"serialNumber", QString::fromLocal8Bit(port.serialNumber.c_str())},
                                     {"device", QString::fromLocal8Bit(port.device.c_str())},
                                     {"stable", port.stable},
                                     {"permitted", port.permitted}});
            continue;
        }
        const QStringList columns = {OrDash(port.path),
                                     OrDash(port.description),
                                     OrDash(port.manufacturer),
                                     OrDash(port.serialNumber),
                                     OrDash(port.device),
                                     port.permitted ? QStringLiteral("ok") : QStringLiteral("denied")};
        std::printf("%s\n", columns.join('\t').toLocal8Bit().constData());
    }
    if (json)
        std::printf("%s\n", QJsonDocument(array).toJson(QJsonDocument::Compact).constData());
    else if (ports.empty())
        ZQ_CLI::PrintError(std::string(QT_TRANSLATE_NOOP("zqflash", "no serial ports found")));
    if (denied && !json)
        ZQ_CLI::PrintError(std::string(QT_TRANSLATE_NOOP("zqflash", "ports marked denied belong to the 'dialout' "
                                                                    "group: sudo usermod -aG dialout $USER, then log "
                                                                    "in again")));
    std::fflush(stdout);
    return ZQ_CLI::EXIT_DONE;
}

// --trace: every frame with the seconds since the start, ">" sent, "<" received. In line mode the
// frames sent beyond the requests are reported as retries.
void TraceFrame(void* context, int direction, const unsigned char* bytes, int length)
{
    TRACE_STATE* state = static_cast<TRACE_STATE*>(context);
    if (direction == VEXORISP_TRACE_SENT) {
        ++state->frames;
        // The request is counted before its frame goes out.
        const long long retries = state->frames - state->comm->requests;
        if (state->report && retries > state->reported)
            WriteLineReport(LINE_REPORT_RETRIES, state->reported = retries);
    }
    if (!state->print)
        return;
    std::string line;
    char text[8];
    for (int i = 0; i < length; ++i) {
        std::snprintf(text, sizeof text, " %02X", bytes[i]);
        line += text;
    }
    // One write a line, so lines of several ports never mix within a line.
    std::fprintf(stderr, "[%10.3f] %s%c%s\n", state->clock.nsecsElapsed() / 1e9, state->port.c_str(),
                 direction == VEXORISP_TRACE_SENT ? '>' : '<', line.c_str());
    std::fflush(stderr);
}

int Program(const ZQFLASH_OPTIONS& options)
{
    CConsoleRunView view(options);
    // Stop signals are caught from the start: one that comes while the file is loaded or the line
    // opened waits in the pipe and stops the run as soon as the event loop takes it.
    std::function<void()> onStop = [] {};
    CStopSignals stop([&] { onStop(); });
    // The file first: nothing touches the line for a file that cannot be programmed.
    std::string error;
    if (!ZQ_CLI::CheckInputFile(options.strFile, error)) {
        const bool hex = GetImageFileKind(options.strFile.c_str()) == IMAGE_KIND_HEX;
        view.PrintError(ShownLibraryText(hex ? MSG_IMAGE_HEX_OPEN : MSG_IMAGE_RAW_OPEN) + ": " + error);
        return ZQ_CLI::EXIT_FAILED;
    }
    CIspLibrary library;
    if (!LoadFromProgramFolders(library, view))
        return ZQ_CLI::EXIT_FAILED;
    ISP_EXCHANGE_SETTINGS settings;
    settings.bAuto = TRUE;
    settings.wMaskSeed = options.wMaskSeed;
    settings.nRequestRetries = options.nRetries;
    settings.bConfirmAll = options.bConfirmAll ? TRUE : FALSE;
    settings.image.bNotEnc = options.bNotEnc ? TRUE : FALSE;
    settings.image.pMessages = &view;
    if (!options.bNotEnc && LoadFromProgramFolders(CCipherLibrary::GetInstance(), view))
        settings.image.pfnDesGo = CCipherLibrary::GetInstance().GetDesGo();

    CCountingComm counting(library);
    CIspExchange exchange(view, &counting);
    exchange.SetSettings(settings);
    if (exchange.LoadImage() == 0) {
        if (view.GetLastText().empty())
            view.PrintError(
                ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqflash", "nothing to program in %1"), {options.strFile}));
        return ZQ_CLI::EXIT_FAILED;
    }
    if (!CheckPort(options.strPort, error)) {
        view.PrintError(error);
        return ZQ_CLI::EXIT_FAILED;
    }
    if (!OpenLine(library, options)) {
        view.PrintError(
            ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqflash",
                                             "cannot open %1 as a serial line (in use, or not a serial device)"),
                           {options.strPort}));
        return ZQ_CLI::EXIT_FAILED;
    }
    TRACE_STATE trace;
    trace.clock.start();
    trace.print = options.bTrace;
    trace.report = options.bLineReport;
    trace.comm = &counting;
    if (options.bLineReport)
        trace.port = options.strPort + " ";
    if ((trace.print || trace.report) && !library.SetTrace(&TraceFrame, &trace) && trace.print)
        view.PrintError(ZQ_CLI::Tr(QT_TRANSLATE_NOOP("zqflash", "--trace: the communication library has no trace")));
    library.SetNotifyHandler([&](int outcome, const BYTE* answer) {
        exchange.OnIspNotify(outcome, answer);
        // The dialog would wait for Stop; a script wants the error now.
        if (exchange.GetResult() == ISP_RESULT_FAILED)
            view.Fail(view.GetLastText());
    });
    bool interrupted = false;
    onStop = [&] {
        interrupted = true;
        exchange.StopRun();
        const char* text = view.HasStartedBlocks()
                               ? QT_TRANSLATE_NOOP("zqflash", "interrupted: programming stopped after %1 of %2 bytes; "
                                                              "the panel is not fully programmed")
                               : QT_TRANSLATE_NOOP("zqflash", "interrupted: programming stopped after %1 of %2 bytes");
        view.Fail(ZQ_CLI::TrArgs(text, {std::to_string(view.GetProgress()),
                                        std::to_string(exchange.GetState().nImageLength)}));
    };
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

namespace {

// "--file -": standard input kept whole in `folder` under a name whose ending gives its kind (a
// text whose first line is an Intel HEX record is HEX, anything else a raw image); `file` becomes
// that name. False,
// with the error given, when standard input cannot be read, is empty or larger than 16 MiB, or the
// copy cannot be made.
bool TakeStandardInput(const QTemporaryDir& folder, std::string& file)
{
    constexpr size_t LARGEST_INPUT = 16u << 20; // far beyond the HEX text of the panel's 64 KiB
    std::vector<BYTE> input;
    const COMMON_EX::FILE_OUTCOME read = COMMON_EX::ReadWholeFile("-", LARGEST_INPUT, input);
    if (read.fault == COMMON_EX::FILE_FAULT::TOO_LARGE) {
        ZQ_CLI::PrintError(
            ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqflash", "--file -: standard input is larger than %1 bytes"),
                           {std::to_string(LARGEST_INPUT)}));
        return false;
    }
    const std::string bytes(input.begin(), input.end());
    const std::string::size_type first = bytes.find_first_not_of(" \t\r\n");
    if (!read.Ok() || first == std::string::npos) {
        ZQ_CLI::PrintError(ZQ_CLI::Tr(QT_TRANSLATE_NOOP("zqflash", "--file -: standard input holds no program")));
        return false;
    }
    // Intel HEX when the first line is a record (a raw image holds no such line at its start).
    const std::string::size_type end = bytes.find_first_of("\r\n", first);
    const std::string line = bytes.substr(first, end == std::string::npos ? end : end - first);
    const bool hex =
        line.size() >= 11 && line[0] == ':' && line.find_first_not_of("0123456789ABCDEFabcdef", 1) == std::string::npos;
    const QString path = folder.filePath(hex ? "standard-input.hex" : "standard-input.bin");
    QFile copy(path);
    if (!folder.isValid() || !copy.open(QIODevice::WriteOnly) ||
        copy.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()) || !copy.flush()) {
        ZQ_CLI::PrintError(
            ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqflash", "--file -: cannot keep standard input in %1: %2"),
                           {folder.path().toStdString(), copy.errorString().toStdString()}));
        return false;
    }
    file = QFile::encodeName(path).toStdString();
    return true;
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
    ZQ_I18N::InstallTranslator(app); // the programmer's messages in the user's language
    if (options.bListPorts)
        return ListPorts(options.bJson);
    if (!options.strLogSummary.empty())
        return PrintLogSummary(options.strLogSummary);
    std::unique_ptr<QTemporaryDir> standardInput; // the program read from "--file -", removed at the end
    if (options.strFile == "-" &&
        !TakeStandardInput(*(standardInput = std::make_unique<QTemporaryDir>()), options.strFile))
        return ZQ_CLI::EXIT_FAILED;
    if (options.IsLineMode()) {
        int status = RunLine(options);
        CCipherLibrary::GetInstance().Release();
        return status;
    }
    int status = Program(options);
    CCipherLibrary::GetInstance().Release();
    return status;
}
