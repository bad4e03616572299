// Several simulated panels, one process each, started and stopped together.
#include "tools/zqpanel-sim/sim_count.h"

#include "appkit/tool_cli.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct PANEL_PROCESS {
    pid_t pid = -1;
    int output = -1; // read end of its standard output
    std::string device;
};

// The command line without the options that belong to the whole set of panels.
QStringList SharedArguments(const QStringList& arguments)
{
    QStringList shared;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& word = arguments[i];
        bool dropped = false;
        for (const char* name : {"--count", "--panel", "--flash"}) {
            if (word == name) {
                ++i; // and its value
                dropped = true;
            } else if (word.startsWith(QString(name) + "=")) {
                dropped = true;
            }
        }
        if (!dropped && word != "--exit-on-stdin-eof")
            shared << word;
    }
    return shared;
}

// Reads until a line break or the end; false when nothing came.
bool ReadLine(int fd, std::string& line)
{
    line.clear();
    char c;
    ssize_t count;
    while ((count = ::read(fd, &c, 1)) == 1 && c != '\n')
        line += c;
    return count == 1 || !line.empty();
}

bool Spawn(const QStringList& arguments, const sigset_t& runMask, PANEL_PROCESS& panel)
{
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        return false;
    std::vector<std::string> words;
    words.reserve(static_cast<size_t>(arguments.size()));
    for (const QString& word : arguments)
        words.push_back(word.toLocal8Bit().toStdString());
    std::vector<char*> argv;
    argv.reserve(words.size() + 1);
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    const pid_t parent = ::getpid();
    panel.pid = ::fork();
    if (panel.pid == 0) {
        // The stop signals are blocked in this process; a panel starts with them open.
        ::sigprocmask(SIG_SETMASK, &runMask, nullptr);
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != parent)
            ::_exit(1);
        ::dup2(pipeFds[1], STDOUT_FILENO);
        ::execv("/proc/self/exe", argv.data());
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    panel.output = pipeFds[0];
    return panel.pid > 0;
}

} // namespace

std::string PanelFlashFile(const std::string& flashFile, int panel)
{
    if (flashFile.empty())
        return flashFile;
    const std::size_t slash = flashFile.rfind('/');
    std::size_t dot = flashFile.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash) || dot == slash + 1 || dot == 0)
        dot = flashFile.size();
    return flashFile.substr(0, dot) + "-" + std::to_string(panel) + flashFile.substr(dot);
}

int RunPanels(const QStringList& arguments, const SIM_OPTIONS& options, const sigset_t& runMask,
              volatile sig_atomic_t& stop)
{
    const QStringList shared = SharedArguments(arguments);
    std::vector<PANEL_PROCESS> panels(static_cast<std::size_t>(options.nCount));
    bool started = true;
    for (int k = 1; k <= options.nCount && started; ++k) {
        QStringList panelArguments = QStringList{arguments.value(0)} + shared;
        if (!options.strFlashFile.empty())
            panelArguments << "--flash" << QString::fromStdString(PanelFlashFile(options.strFlashFile, k));
        const auto extra = options.panelArguments.find(k);
        if (extra != options.panelArguments.end())
            panelArguments += extra->second;
        PANEL_PROCESS& panel = panels[static_cast<std::size_t>(k - 1)];
        started = Spawn(panelArguments, runMask, panel) && ReadLine(panel.output, panel.device);
        if (!started)
            ZQ_CLI::PrintError(
                ZQ_CLI::TrArgs(QT_TRANSLATE_NOOP("zqpanel-sim", "panel %1 did not start"), {std::to_string(k)}));
    }
    if (started) {
        for (const PANEL_PROCESS& panel : panels)
            std::printf("%s\n", panel.device.c_str());
        std::fflush(stdout);
    }
    bool watchStdin = options.bExitOnStdinEof;
    while (started && !stop) {
        pollfd input{STDIN_FILENO, POLLIN, 0};
        const int ready = ::ppoll(&input, watchStdin ? 1 : 0, nullptr, &runMask);
        if (ready > 0) {
            char discard[256];
            if (::read(STDIN_FILENO, discard, sizeof discard) <= 0)
                break;
        }
    }
    bool allWell = started;
    for (std::size_t i = 0; i < panels.size(); ++i) {
        PANEL_PROCESS& panel = panels[i];
        if (panel.pid <= 0)
            continue;
        ::kill(panel.pid, SIGTERM);
        std::string line;
        while (ReadLine(panel.output, line))
            if (!line.empty() && line[0] != '/')
                std::printf("panel %zu: %s\n", i + 1, line.c_str());
        ::close(panel.output);
        int status = 0;
        while (::waitpid(panel.pid, &status, 0) < 0 && errno == EINTR) {
        }
        allWell = allWell && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    std::fflush(stdout);
    return allWell ? ZQ_CLI::EXIT_DONE : ZQ_CLI::EXIT_FAILED;
}
