// Line mode: one process per port, supervised from the event loop.
#include "tools/zqflash/line_run.h"

#include "appkit/tool_cli.h"
#include "comkit/module_path.h"
#include "comkit/replace_file.h"
#include "flasher/cipher_library.h"
#include "flasher/image_file.h"
#include "flasher/isp_exchange.h"
#include "tools/zqflash/line_image.h"
#include "tools/zqflash/line_ports.h"
#include "tools/zqflash/line_report.h"
#include "tools/zqflash/line_view.h"
#include "tools/zqflash/production_log.h"
#include "tools/zqflash/program_folders.h"
#include "tools/zqflash/shown_text.h"
#include "tools/zqflash/stop_signals.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTimer>

#include <cerrno>
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <memory>

namespace {

constexpr int EXIT_INTERRUPTED = 130;
constexpr int RESTART_PAUSE_MS = 1000; // before knocking again on a line that failed without a panel
constexpr int REDRAW_MS = 200;
constexpr DWORD ADDRESS_SPACE = 0x10000;
// Panel runs the summary lists (the last ones); the production record keeps every one.
constexpr std::size_t LINE_SUMMARY_ROWS = 100;
// The run's folder for the plain image in the system's temporary folder: "<prefix><pid>-XXXXXX".
const char* const LINE_FOLDER_PREFIX = "zqflash-line-";

// Removes this user's line folders whose run is gone (a supervisor killed with SIGKILL cannot
// remove its own); folders of running supervisors and of other users stay.
void RemoveStaleLineFolders()
{
    const QDir temp(QDir::tempPath());
    const QString prefix = QString::fromLatin1(LINE_FOLDER_PREFIX);
    for (const QFileInfo& entry : temp.entryInfoList({prefix + "*"}, QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool number = false;
        const qint64 pid = entry.fileName().mid(prefix.size()).section('-', 0, 0).toLongLong(&number);
        const bool running = pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
        if (number && !running && !entry.isSymLink() && entry.ownerId() == ::geteuid())
            QDir(entry.filePath()).removeRecursively();
    }
}

// Messages of the image load, as error lines.
class CErrorPrinter : public IMessageSink {
public:
    void ShowMessage(const char* text) override
    {
        ZQ_CLI::PrintError(ShownLibraryText(text));
        ++shown;
    }
    void ShowNumberedMessage(const FLASHER_MESSAGE& message) override
    {
        ZQ_CLI::PrintError(ShownLibraryMessage(message));
        ++shown;
    }
    int shown = 0;
};

struct LINE_IMAGE {
    std::string strHexPath; // the plain image every port's process programs
    std::string strSha256;  // of the program file as given
};

// Loads, checks and deciphers the program file once and writes the plain image into folder.
bool PrepareImage(const ZQFLASH_OPTIONS& options, const QTemporaryDir& folder, LINE_IMAGE& image)
{
    std::string error;
    if (!ZQ_CLI::CheckInputFile(options.strFile, error)) {
        ZQ_CLI::PrintError(error);
        return false;
    }
    CErrorPrinter messages;
    IMAGE_LOAD_SETTINGS settings;
    settings.bNotEnc = options.bNotEnc ? TRUE : FALSE;
    settings.pMessages = &messages;
    if (!options.bNotEnc && LoadFromProgramFolders(CCipherLibrary::GetInstance(), messages))
        settings.pfnDesGo = CCipherLibrary::GetInstance().GetDesGo();
    const INT length = LoadProgramImage(options.strFile.c_str(), settings);
    if (length <= 0) {
        if (messages.shown == 0)
            ZQ_CLI::PrintError(
                ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqflash", "nothing to program in %1"), {options.strFile}));
        return false;
    }
    if (options.dwBegin + static_cast<DWORD>(length) > ADDRESS_SPACE) {
        ZQ_CLI::PrintError(ShownLibraryText(MSG_ISP_TOO_LONG));
        return false;
    }
    image.strSha256 = FileSha256(options.strFile, error);
    image.strHexPath = folder.filePath("image.hex").toStdString();
    const std::vector<BYTE> bytes(GetProgramImage(), GetProgramImage() + length);
    if (image.strSha256.empty() || !COMMON_EX::ReplaceFileContent(image.strHexPath, FormatIntelHex(bytes), &error)) {
        ZQ_CLI::PrintError(error);
        return false;
    }
    return true;
}

QString PortWord(int port)
{
    return port >= 4 ? QString("none") : QString("P%1").arg(port);
}

// The command line of one port's process.
QStringList PortArguments(const ZQFLASH_OPTIONS& options, const std::string& port, const LINE_IMAGE& image)
{
    QStringList arguments = {QString("--") + LINE_REPORT_OPTION,
                             "--port",
                             QString::fromStdString(port),
                             "--file",
                             QString::fromStdString(image.strHexPath),
                             "--notenc",
                             "--quiet",
                             "--begin",
                             QString::number(options.dwBegin),
                             "--slave",
                             QString::number(options.nSlave),
                             "--485port",
                             PortWord(options.n485Port),
                             "--485bit",
                             QString::number(options.n485Bit),
                             "--ledport",
                             PortWord(options.nLedPort),
                             "--ledbit",
                             QString::number(options.nLedBit),
                             "--timeout",
                             QString::number(options.nTimeoutSeconds),
                             "--retries",
                             QString::number(options.nRetries),
                             "--seed",
                             QString::number(options.wMaskSeed)};
    if (options.nBaud > 0)
        arguments << "--baud" << QString::number(options.nBaud);
    if (options.nDataBits > 0)
        arguments << "--format"
                  << QString("%1%2%3").arg(options.nDataBits).arg(QChar(options.cParity)).arg(options.nStopBits);
    if (options.bTrace)
        arguments << "--trace";
    if (options.bConfirmAll)
        arguments << "--confirm-all";
    return arguments;
}

// One port: its process and what it reported of the current panel.
struct PORT_RUN {
    LINE_PORT_STATUS status;
    std::unique_ptr<QProcess> process;
    QElapsedTimer clock; // from the start of the port's process
    QByteArray pending;  // output not yet a whole line
    bool blocks = false;
    bool finished = false;
    std::string strError;
    bool done = false; // no process will run on this port again
};

class CLineRun {
public:
    CLineRun(const ZQFLASH_OPTIONS& options, const LINE_IMAGE& image, CProductionLog* log,
             const std::vector<std::string>& ports)
        : m_options(options), m_image(image), m_pLog(log), m_view(isatty(STDERR_FILENO) != 0, options.bQuiet),
          m_strHost(QSysInfo::machineHostName().toStdString()),
          m_program(QString::fromStdString(COMMON_EX::GetProgramDirectory() + "zqflash"))
    {
        for (const std::string& port : ports) {
            auto run = std::make_unique<PORT_RUN>();
            run->status.strPort = port;
            m_ports.push_back(std::move(run));
        }
        QObject::connect(&m_redraw, &QTimer::timeout, [this] { Draw(); });
    }

    int Run()
    {
        CStopSignals stop([this] { Stop(); });
        for (auto& port : m_ports)
            Start(*port);
        m_redraw.start(REDRAW_MS);
        QCoreApplication::exec();
        m_redraw.stop();
        Draw();
        // In the order the ports were named; a port's panels in their order.
        std::vector<PANEL_RECORD> rows(m_records.begin(), m_records.end());
        std::stable_sort(rows.begin(), rows.end(), [this](const PANEL_RECORD& a, const PANEL_RECORD& b) {
            return PortIndex(a.strPort) < PortIndex(b.strPort);
        });
        CLineView::PrintSummary(rows, m_nRecords, m_nFinished);
        if (m_bLogFailed)
            return static_cast<int>(std::clamp<long long>(m_nUnfinished, ZQ_CLI::EXIT_FAILED, LINE_EXIT_FAILED_MAX));
        if (m_bStopping && !m_options.bRepeat)
            return EXIT_INTERRUPTED;
        return static_cast<int>(std::min<long long>(m_nUnfinished, LINE_EXIT_FAILED_MAX));
    }

private:
    std::size_t PortIndex(const std::string& name) const
    {
        for (std::size_t i = 0; i < m_ports.size(); ++i)
            if (m_ports[i]->status.strPort == name)
                return i;
        return m_ports.size();
    }

    void Draw()
    {
        std::vector<LINE_PORT_STATUS> rows;
        for (const auto& port : m_ports)
            rows.push_back(port->status);
        m_view.Draw(rows);
    }

    void SetState(PORT_RUN& port, LinePortState state)
    {
        if (port.status.state == state)
            return;
        port.status.state = state;
        m_view.OnStateChanged(port.status);
    }

    void Start(PORT_RUN& port)
    {
        if (m_bStopping) {
            Done(port);
            return;
        }
        port.blocks = port.finished = false;
        port.strError.clear();
        port.pending.clear();
        port.status.bytes = port.status.total = port.status.retries = 0;
        port.status.blocks.invalidate();
        port.status.endedMs = -1;
        port.process = std::make_unique<QProcess>();
        QProcess* process = port.process.get();
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        // Its reports in the source texts, the same in every language: the production record keeps
        // them as they are, and the supervisor reads them; the view shows them in the user's language.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("ZQ_LANG", "zh");
        // The system's words for its errors (a missing port, a lost line) in the one language of
        // the record, whatever the user's locale.
        environment.insert("LC_ALL", "C.UTF-8");
        environment.remove("LANGUAGE");
        process->setProcessEnvironment(environment);
        // Its own process group (Ctrl-C reaches the supervisor, which stops the ports in order)
        // and no life beyond the supervisor's.
        process->setChildProcessModifier([] {
            ::setpgid(0, 0);
            ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        });
        QObject::connect(process, &QProcess::readyReadStandardOutput, [this, &port] { ReadReports(port); });
        QObject::connect(process, &QProcess::finished,
                         [this, &port](int code, QProcess::ExitStatus status) { OnEnded(port, code, status); });
        QObject::connect(process, &QProcess::errorOccurred, [this, &port](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart) {
                port.strError = QString(QT_TRANSLATE_NOOP("zqflash", "cannot start %1: %2"))
                                    .arg(m_program, port.process->errorString())
                                    .toStdString();
                OnEnded(port, ZQ_CLI::EXIT_FAILED, QProcess::NormalExit);
            }
        });
        SetState(port, LINE_PORT_STARTING);
        port.clock.start();
        process->start(m_program, PortArguments(m_options, port.status.strPort, m_image));
    }

    void ReadReports(PORT_RUN& port)
    {
        port.pending += port.process->readAllStandardOutput();
        int end;
        while ((end = port.pending.indexOf('\n')) >= 0) {
            LINE_REPORT report;
            if (ParseLineReport(port.pending.left(end).toStdString(), report))
                OnReport(port, report);
            port.pending.remove(0, end + 1);
        }
    }

    void OnReport(PORT_RUN& port, const LINE_REPORT& report)
    {
        switch (report.kind) {
        case LINE_REPORT_WAITING: SetState(port, LINE_PORT_WAITING); break;
        case LINE_REPORT_BLOCKS:
            port.blocks = true;
            port.status.total = report.value;
            port.status.blocks.start();
            SetState(port, LINE_PORT_PROGRAMMING);
            break;
        case LINE_REPORT_PROGRESS: port.status.bytes = report.value; break;
        case LINE_REPORT_RETRIES: port.status.retries = report.value; break;
        case LINE_REPORT_ERROR: port.strError = report.text; break;
        case LINE_REPORT_FINISHED:
            port.finished = true;
            port.status.bytes = report.value;
            break;
        case LINE_REPORT_NONE: break;
        }
    }

    void OnEnded(PORT_RUN& port, int code, QProcess::ExitStatus status)
    {
        if (!port.process || port.done)
            return;
        ReadReports(port);
        port.status.endedMs = port.status.blocks.isValid() ? port.status.blocks.elapsed() : 0;
        const double seconds = port.clock.elapsed() / 1000.0;
        const char* result = PANEL_RESULT_FAILED;
        if (status == QProcess::NormalExit && code == ZQ_CLI::EXIT_DONE && port.finished)
            result = PANEL_RESULT_FINISHED;
        else if ((status == QProcess::NormalExit && code == EXIT_INTERRUPTED) ||
                 (m_bStopping && status == QProcess::CrashExit))
            result = PANEL_RESULT_INTERRUPTED; // a process stopped before it caught signals ends by them
        if (result == PANEL_RESULT_INTERRUPTED && port.strError.empty())
            port.strError = QT_TRANSLATE_NOOP("zqflash", "interrupted before the line was opened");
        if (port.strError.empty() && result != PANEL_RESULT_FINISHED)
            port.strError = status == QProcess::CrashExit
                                ? QT_TRANSLATE_NOOP("zqflash", "the port's process ended unexpectedly")
                                : QString(QT_TRANSLATE_NOOP("zqflash", "the port's process ended with status %1"))
                                      .arg(code)
                                      .toStdString();
        // With --repeat a line that ends before any block is waiting for its next panel, not a
        // panel run.
        const bool panelRun = !m_options.bRepeat || port.blocks;
        // The entry phase's time-out: the boot loader did not answer, the line itself is sound.
        const bool knocking =
            !port.blocks && port.strError.compare(0, std::strlen(MSG_ISP_TIME_OVER), MSG_ISP_TIME_OVER) == 0;
        port.status.strError = port.strError;
        if (result == PANEL_RESULT_FINISHED) {
            ++port.status.finished;
            SetState(port, LINE_PORT_FINISHED);
        } else if (result == PANEL_RESULT_INTERRUPTED) {
            SetState(port, LINE_PORT_INTERRUPTED);
        } else if (!panelRun && knocking) {
            SetState(port, LINE_PORT_WAITING); // no panel yet: the knocks go on
        } else {
            port.status.failed += panelRun ? 1 : 0;
            SetState(port, LINE_PORT_FAILED);
        }
        if (panelRun)
            Record(port, result, seconds);
        QProcess* ended = port.process.release();
        ended->disconnect();
        ended->deleteLater();
        if (!m_options.bRepeat || m_bStopping) {
            Done(port);
        } else {
            // The next panel: at once after a panel or a time-out of the knocks, after a pause when
            // the line itself failed.
            QTimer::singleShot(port.blocks || knocking ? 0 : RESTART_PAUSE_MS, [this, &port] { Start(port); });
        }
    }

    void Record(const PORT_RUN& port, const char* result, double seconds)
    {
        PANEL_RECORD record;
        record.strTime = RecordTimeNow();
        record.strHost = m_strHost;
        record.strPort = port.status.strPort;
        record.strImage = m_options.strFile;
        record.strSha256 = m_image.strSha256;
        record.dwBegin = m_options.dwBegin;
        // Progress counts a block when it goes out; a run that did not finish had the panel confirm
        // every block before the last one sent.
        constexpr long long BLOCK = 128;
        record.bytes = port.finished ? port.status.bytes : std::max(0LL, (port.status.bytes - 1) / BLOCK * BLOCK);
        record.seconds = seconds;
        record.retries = port.status.retries;
        record.strResult = result;
        if (record.strResult != PANEL_RESULT_FINISHED)
            record.strError = port.strError;
        std::string error;
        if (m_pLog && !m_pLog->Append(record, error)) {
            // A panel without its record fails the run: no further panel starts.
            ZQ_CLI::PrintError(error);
            m_bLogFailed = true;
            Stop();
        }
        ++m_nRecords;
        if (record.strResult == PANEL_RESULT_FINISHED)
            ++m_nFinished;
        else
            ++m_nUnfinished;
        // The summary shows the last rows; a shift of panels must not grow the memory.
        m_records.push_back(std::move(record));
        if (m_records.size() > LINE_SUMMARY_ROWS)
            m_records.pop_front();
    }

    void Done(PORT_RUN& port)
    {
        port.done = true;
        if (std::all_of(m_ports.begin(), m_ports.end(), [](const auto& run) { return run->done; }))
            QCoreApplication::exit(0);
    }

    // Ctrl-C: every running port is asked to stop (its blocks end as interrupted); waiting ports
    // start no new panel.
    void Stop()
    {
        m_bStopping = true;
        for (auto& port : m_ports) {
            if (port->done)
                continue;
            if (port->process && port->process->state() != QProcess::NotRunning)
                ::kill(static_cast<pid_t>(port->process->processId()), SIGTERM);
            else if (!port->process)
                Done(*port);
        }
    }

    const ZQFLASH_OPTIONS& m_options;
    const LINE_IMAGE& m_image;
    CProductionLog* m_pLog;
    CLineView m_view;
    std::string m_strHost;
    QString m_program;
    std::vector<std::unique_ptr<PORT_RUN>> m_ports;
    std::deque<PANEL_RECORD> m_records; // the last LINE_SUMMARY_ROWS panel runs
    long long m_nRecords = 0;           // panel runs, finished and not
    long long m_nFinished = 0;
    long long m_nUnfinished = 0;
    QTimer m_redraw;
    bool m_bStopping = false;
    bool m_bLogFailed = false; // a record could not be written
};

} // namespace

int RunLine(const ZQFLASH_OPTIONS& options)
{
    std::vector<std::string> ports;
    std::string error;
    if (!CollectLinePorts(options, ports, error)) {
        ZQ_CLI::PrintError(error);
        return ZQ_CLI::EXIT_FAILED;
    }
    RemoveStaleLineFolders();
    QTemporaryDir folder(QDir::tempPath() + "/" + LINE_FOLDER_PREFIX + QString::number(::getpid()) + "-XXXXXX");
    LINE_IMAGE image;
    if (!folder.isValid()) {
        ZQ_CLI::PrintError(ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqflash", "cannot make a temporary folder: %1"),
                                          {folder.errorString().toStdString()}));
        return ZQ_CLI::EXIT_FAILED;
    }
    // The record is checked before any panel: a run whose record cannot be written does not start.
    CProductionLog log;
    if (!options.strLog.empty() && !log.Open(options.strLog, options.strFile, error)) {
        ZQ_CLI::PrintError(error);
        return ZQ_CLI::EXIT_FAILED;
    }
    if (!PrepareImage(options, folder, image))
        return ZQ_CLI::EXIT_FAILED;
    CLineRun run(options, image, options.strLog.empty() ? nullptr : &log, ports);
    return run.Run();
}
