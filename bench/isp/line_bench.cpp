// line_bench: zqflash on a line of eight simulated panels (zqpanel-sim --count 8) at 115200 baud
// 8E1 with line-time emulation, a 64 KiB image, against one panel alone; prints
//   (a) the wall time of eight panels at once / one panel alone, target <= 1.15;
//   (b) the CPU time of zqflash (the supervisor and its per-port processes) per panel per block,
//       target well under 1 ms.
// Usage: line_bench
#include "comkit/module_path.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStringList>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int IMAGE_SIZE = 0x10000;
constexpr int PANELS = 8;
constexpr int BLOCK = 128;

struct RUN {
    int status = -1;
    double seconds = 0;
    double cpuSeconds = 0; // user + system of zqflash and every process it waited for
};

// Runs zqflash and waits for it with wait4, for its CPU time and its children's.
RUN RunZqflash(const std::string& program, const QStringList& arguments)
{
    std::vector<std::string> words{program};
    for (const QString& argument : arguments)
        words.push_back(argument.toStdString());
    std::vector<char*> argv;
    argv.reserve(words.size() + 1);
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    RUN run;
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        // Only the figures on the terminal.
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDOUT_FILENO);
        dup2(quiet, STDERR_FILENO);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (pid > 0 && wait4(pid, &status, 0, &usage) == pid) {
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        // wait4 counts the process itself; its waited-for children are in RUSAGE_CHILDREN.
        run.cpuSeconds =
            usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    }
    return run;
}

std::vector<char> ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const std::string outDir = COMMON_EX::GetProgramDirectory();
    char folder[] = "/tmp/zq_line_bench_XXXXXX";
    if (!mkdtemp(folder))
        return 1;
    const std::string imageFile = std::string(folder) + "/image.bin";
    std::vector<char> image(IMAGE_SIZE);
    unsigned value = 54321;
    for (char& byte : image) {
        value = value * 1103515245u + 12345u;
        byte = static_cast<char>(value >> 16);
    }
    std::ofstream(imageFile, std::ios::binary).write(image.data(), static_cast<std::streamsize>(image.size()));

    QProcess sims;
    sims.start(QString::fromStdString(outDir + "zqpanel-sim"),
               {"--count", QString::number(PANELS), "--flash",
                QString::fromStdString(std::string(folder) + "/flash.bin"), "--line-baud", "115200", "--format", "8E1",
                "--exit-on-stdin-eof"});
    QStringList devices;
    while (devices.size() < PANELS && sims.waitForReadyRead(10000))
        while (sims.canReadLine())
            devices << QString::fromUtf8(sims.readLine().trimmed());
    if (devices.size() < PANELS) {
        std::fprintf(stderr, "line_bench: the simulated panels did not start\n");
        return 1;
    }
    const QStringList common = {"--file",   QString::fromStdString(imageFile),
                                "--notenc", "--begin",
                                "0",        "--baud",
                                "115200",   "--format",
                                "8E1",      "--quiet"};
    const std::string zqflash = outDir + "zqflash";
    const RUN one = RunZqflash(zqflash, QStringList{"--port", devices[0]} + common);
    QStringList ports;
    for (const QString& device : devices)
        ports << "--port" << device;
    const RUN line = RunZqflash(zqflash, ports + common);
    sims.terminate();
    sims.waitForFinished(10000);

    bool ok = one.status == 0 && line.status == 0;
    for (int k = 1; k <= PANELS; ++k)
        ok = ok && ReadFile(std::string(folder) + "/flash-" + std::to_string(k) + ".bin") == image;
    const double ratio = one.seconds > 0 ? line.seconds / one.seconds : 0;
    const double blocks = static_cast<double>(PANELS) * IMAGE_SIZE / BLOCK;
    const double cpuPerBlockMs = line.cpuSeconds * 1000 / blocks;
    std::printf("(a) 64 KiB at 115200 baud 8E1 emulated: one panel %.3f s, %d panels at once %.3f s, ratio %.3f "
                "(target <= 1.15) %s\n",
                one.seconds, PANELS, line.seconds, ratio, ratio > 0 && ratio <= 1.15 ? "ok" : "MISSED");
    std::printf("(b) zqflash CPU for %d panels: %.3f s, %.4f ms per panel per block (one panel alone: %.4f ms) %s\n",
                PANELS, line.cpuSeconds, cpuPerBlockMs, one.cpuSeconds * 1000 / (double(IMAGE_SIZE) / BLOCK),
                cpuPerBlockMs < 1.0 ? "ok" : "MISSED");
    if (!ok)
        std::printf("a panel did not finish with the image in its flash\n");
    std::filesystem::remove_all(folder);
    return ok ? 0 : 1;
}
