// isp_bench: programs a 64 KiB image into zqpanel-sim through libvexorisp and the download
// exchange, the way the programmer does, and prints
//   (a) without line-time emulation: the time from one block to the next (software overhead of
//       the exchange, the library, the pseudo-terminal and the simulator), median target 0.5 ms;
//   (b) with line-time emulation at 115200 baud 8E1: total time / summed line time of every frame
//       sent and answered, target 1.10;
//   (c) the same for a download image (the demo's, given as IMAGE), target 1.05,
//   (d) for 64 KiB of 0xFF (every block equal to the one before it), target 1.15: beyond the cost
//       budget of the quiet waits, so the blocks go without them and the run ends unconfirmed, and
//   (e) the same with every block confirmed (no target): what holding the line quiet against late
//       repeated answers costs when every equal block waits.
// Each line says how the run ended: finished, or unconfirmed with the count of such blocks.
// Usage: isp_bench [runs [IMAGE]]   (default 5 runs of (a), 1 of (b) to (e))
#include "comkit/module_path.h"
#include "flasher/isp_exchange.h"
#include "flasher/isp_library.h"
#include "tools/zqpanel-sim/panel_sim_process.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int IMAGE_SIZE = 0x10000;
constexpr int BENCH_BAUD = 115200;
constexpr int BITS_PER_CHAR = 11; // 8E1

// Times every block send and the end of the run.
class CTimingView : public IIspRunView {
public:
    ISP_RUN_OPTIONS options;
    std::vector<Clock::time_point> blockSends;
    Clock::time_point end;
    bool done = false;

    ISP_RUN_OPTIONS GetRunOptions() override { return options; }
    void ShowMessage(const char* text) override { std::fprintf(stderr, "message: %s\n", text); }
    void ShowInformation(const char*) override {}
    void SetStatusText(const char*) override {}
    void SetProgressRange(int, int) override {}
    void SetProgressPos(int pos) override
    {
        if (pos > 0)
            blockSends.push_back(Clock::now());
    }
    void EnterRunningState() override {}
    void EnterIdleState() override
    {
        end = Clock::now();
        done = true;
    }
    void RearmRunTimer() override {}
    void CloseWindow() override {}
};

struct RUN_FIGURES {
    bool finished = false; // finished or unconfirmed, with the image in the flash
    int unconfirmed = 0;   // blocks sent without the quiet wait they would have needed
    double seconds = 0;
    std::vector<double> blockMillis; // from one block send to the next
    double lineSeconds = 0;          // summed line time of all frames, from the simulator's counts
};

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, static_cast<std::size_t>(p * values.size()))];
}

// How a run ended, for the figures' line.
std::string Outcome(const RUN_FIGURES& figures)
{
    if (!figures.finished)
        return "FAILED";
    return figures.unconfirmed > 0 ? "unconfirmed (" + std::to_string(figures.unconfirmed) + " blocks)" : "finished";
}

RUN_FIGURES RunOnce(CIspLibrary& library, const std::string& outDir, const std::string& imageFile, bool emulateLine,
                    bool confirmAll = false)
{
    RUN_FIGURES figures;
    QStringList extra;
    if (emulateLine)
        extra << "--line-baud" << QString::number(BENCH_BAUD) << "--format"
              << "8E1";
    std::string flashFile = imageFile + ".flash";
    CPanelSimProcess sim(outDir + "zqpanel-sim", flashFile, extra);
    VEXORISP_LINE line{};
    if (sim.Device().empty() || !library.OpenComm(FALSE) || !library.GetLine(line))
        return figures;
    std::snprintf(line.device, sizeof line.device, "%s", sim.Device().c_str());
    line.baud = BENCH_BAUD;
    line.dataBits = 8;
    line.parity = 'E';
    line.stopBits = 1;
    if (!library.SetLine(line, FALSE) || !library.DirOpenComm())
        return figures;

    CTimingView view;
    view.options.n485Port = 4;
    view.options.nLedPort = 4;
    view.options.nBeginIndex = 0;
    view.options.strFile = imageFile;
    CIspExchange exchange(view, &library);
    ISP_EXCHANGE_SETTINGS settings;
    settings.image.bNotEnc = TRUE;
    settings.bConfirmAll = confirmAll ? TRUE : FALSE;
    exchange.SetSettings(settings);
    library.SetNotifyHandler([&](int outcome, const BYTE* answer) { exchange.OnIspNotify(outcome, answer); });

    Clock::time_point start = Clock::now();
    if (!exchange.StartRun(TRUE))
        return figures;
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (view.done || exchange.GetResult() != ISP_RESULT_RUNNING)
            loop.quit();
    });
    poll.start(5);
    loop.exec();
    library.SetNotifyHandler(nullptr);

    figures.finished = exchange.GetResult() == ISP_RESULT_FINISHED || exchange.GetResult() == ISP_RESULT_UNCONFIRMED;
    figures.unconfirmed = exchange.GetUnconfirmedBlocks();
    figures.seconds = std::chrono::duration<double>(view.end - start).count();
    for (std::size_t i = 1; i < view.blockSends.size(); ++i)
        figures.blockMillis.push_back(
            std::chrono::duration<double, std::milli>(view.blockSends[i] - view.blockSends[i - 1]).count());
    long long bytesIn = 0, bytesOut = 0;
    std::string stats = sim.Stop();
    std::sscanf(stats.c_str(), "frames-in=%*d bytes-in=%lld frames-out=%*d bytes-out=%lld", &bytesIn, &bytesOut);
    figures.lineSeconds = static_cast<double>(bytesIn + bytesOut) * BITS_PER_CHAR / BENCH_BAUD;
    std::ifstream flash(flashFile, std::ios::binary);
    std::ifstream image(imageFile, std::ios::binary);
    std::vector<char> a((std::istreambuf_iterator<char>(flash)), std::istreambuf_iterator<char>());
    std::vector<char> b((std::istreambuf_iterator<char>(image)), std::istreambuf_iterator<char>());
    b.resize(IMAGE_SIZE, static_cast<char>(0xFF)); // the flash past a shorter image stays erased
    figures.finished = figures.finished && a == b;
    std::remove(flashFile.c_str());
    return figures;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const std::string outDir = COMMON_EX::GetProgramDirectory();
    CIspLibrary library;
    library.SetDirectory(outDir + "bin/");
    if (!library.Load(nullptr)) {
        std::fprintf(stderr, "isp_bench: cannot load %sbin/libvexorisp.so\n", outDir.c_str());
        return 1;
    }
    char imageFile[] = "/tmp/zq_isp_bench_XXXXXX.bin";
    int fd = mkstemps(imageFile, 4);
    std::vector<unsigned char> image(IMAGE_SIZE);
    unsigned value = 12345;
    for (unsigned char& byte : image) {
        value = value * 1103515245u + 12345u;
        byte = static_cast<unsigned char>(value >> 16);
    }
    bool written = fd >= 0 && write(fd, image.data(), image.size()) == static_cast<ssize_t>(image.size());
    if (fd >= 0)
        close(fd);
    if (!written) {
        std::fprintf(stderr, "isp_bench: cannot write the image\n");
        return 1;
    }

    std::vector<double> blockMillis;
    double totalSeconds = 0;
    bool ok = true;
    std::string outcomes;
    for (int run = 0; run < runs; ++run) {
        RUN_FIGURES figures = RunOnce(library, outDir, imageFile, false);
        ok = ok && figures.finished;
        outcomes += (run > 0 ? ", " : "") + Outcome(figures);
        totalSeconds += figures.seconds;
        blockMillis.insert(blockMillis.end(), figures.blockMillis.begin(), figures.blockMillis.end());
    }
    double median = Median(blockMillis);
    std::printf("(a) 64 KiB, no line-time emulation, %d runs: %.3f s per download; per block: median %.3f ms, "
                "p90 %.3f ms, max %.3f ms (target: median <= 0.5 ms) %s; %s\n",
                runs, totalSeconds / runs, median, Percentile(blockMillis, 0.9),
                blockMillis.empty() ? 0.0 : *std::max_element(blockMillis.begin(), blockMillis.end()),
                median <= 0.5 ? "ok" : "MISSED", outcomes.c_str());

    RUN_FIGURES line = RunOnce(library, outDir, imageFile, true);
    ok = ok && line.finished;
    double ratio = line.lineSeconds > 0 ? line.seconds / line.lineSeconds : 0;
    std::printf("(b) 64 KiB at %d baud 8E1 emulated: %.3f s, summed line time %.3f s, ratio %.4f (target <= 1.10) %s; "
                "%s\n",
                BENCH_BAUD, line.seconds, line.lineSeconds, ratio, ratio > 0 && ratio <= 1.10 ? "ok" : "MISSED",
                Outcome(line).c_str());
    // The demo image and 64 KiB of erased bytes, with line-time emulation; target 0: none.
    const auto lineRatio = [&](const char* name, const std::string& file, double target, bool confirmAll) {
        RUN_FIGURES figures = RunOnce(library, outDir, file, true, confirmAll);
        ok = ok && figures.finished;
        const double r = figures.lineSeconds > 0 ? figures.seconds / figures.lineSeconds : 0;
        char verdict[64] = "no target";
        if (target > 0)
            std::snprintf(verdict, sizeof verdict, "target <= %.2f: %s", target,
                          r > 0 && r <= target ? "ok" : "MISSED");
        std::printf("%s at %d baud 8E1 emulated: %.3f s, summed line time %.3f s, ratio %.4f (%s); %s\n", name,
                    BENCH_BAUD, figures.seconds, figures.lineSeconds, r, verdict, Outcome(figures).c_str());
    };
    if (argc > 2)
        lineRatio("(c) the download image", argv[2], 1.05, false);
    std::fill(image.begin(), image.end(), 0xFF);
    std::ofstream erased(imageFile, std::ios::binary | std::ios::trunc);
    erased.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
    erased.close();
    lineRatio("(d) 64 KiB of 0xFF", imageFile, 1.15, false);
    lineRatio("(e) 64 KiB of 0xFF, every block confirmed", imageFile, 0, true);
    if (!ok)
        std::printf("a download did not finish with the image in the flash\n");
    std::remove(imageFile);
    library.Release();
    return ok ? 0 : 1;
}
