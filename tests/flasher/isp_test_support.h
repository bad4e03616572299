// Helpers of the download exchange tests: a view that records what the run shows, a recording
// stand-in for the communication library, image files, and the panel simulator as a process.
#pragma once

#include "flasher/isp_exchange.h"
#include "tools/zqpanel-sim/panel_sim_process.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using Bytes = std::vector<BYTE>;

inline QCoreApplication& TestApp()
{
    static int argc = 1;
    static char name[] = "flasher_isp_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

// Runs the event loop until done() holds or timeoutMs pass; returns done().
inline bool WaitUntil(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done() || clock.elapsed() > timeoutMs)
            loop.quit();
    });
    poll.start(1);
    loop.exec();
    return done();
}

// Records every call of the exchange into its dialog.
class CRecordingView : public IIspRunView {
public:
    ISP_RUN_OPTIONS options;
    std::vector<std::string> messages;     // message boxes without caption
    std::vector<std::string> information;  // message boxes with caption "Information"
    std::vector<std::string> statuses;
    std::vector<int> progress;
    int progressUpper = -1;
    int running = 0;
    int idle = 0;
    int rearms = 0;
    int closes = 0;

    ISP_RUN_OPTIONS GetRunOptions() override { return options; }
    void ShowMessage(const char* text) override { messages.emplace_back(text); }
    void ShowInformation(const char* text) override { information.emplace_back(text); }
    void SetStatusText(const char* text) override { statuses.emplace_back(text); }
    void SetProgressRange(int lower, int upper) override
    {
        EXPECT_EQ(lower, 0);
        progressUpper = upper;
    }
    void SetProgressPos(int pos) override { progress.push_back(pos); }
    void EnterRunningState() override { ++running; }
    void EnterIdleState() override { ++idle; }
    void RearmRunTimer() override { ++rearms; }
    void CloseWindow() override { ++closes; }

    std::string LastStatus() const { return statuses.empty() ? std::string() : statuses.back(); }
};

// A scratch folder under /tmp, removed with everything in it.
class CIspScratch {
public:
    CIspScratch()
    {
        char pattern[] = "/tmp/zq_isp_XXXXXX";
        if (mkdtemp(pattern) != nullptr)
            m_path = pattern;
    }
    ~CIspScratch()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    CIspScratch(const CIspScratch&) = delete;
    CIspScratch& operator=(const CIspScratch&) = delete;

    std::string File(const std::string& name) const { return m_path + "/" + name; }
    std::string Write(const std::string& name, const Bytes& bytes) const
    {
        std::string path = File(name);
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<std::streamsize>(bytes.size()));
        return path;
    }

private:
    std::string m_path;
};

// Image bytes that differ from block to block and within blocks.
inline Bytes PatternImage(std::size_t size, unsigned seed = 1)
{
    Bytes bytes(size);
    unsigned value = seed * 2654435761u;
    for (std::size_t i = 0; i < size; ++i) {
        value = value * 1103515245u + 12345u;
        bytes[i] = static_cast<BYTE>(value >> 16);
    }
    return bytes;
}

inline Bytes ReadBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The program directory of the tests (out/), where the simulator and zqflash lie.
inline std::string OutDirectory()
{
    char path[4096] = {};
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    std::string exe(path, length > 0 ? static_cast<std::size_t>(length) : 0);
    return exe.substr(0, exe.rfind('/'));
}

// zqpanel-sim from out/ with its flash file in scratch; Flash() stops it and reads the flash.
class CTestPanelSim : public CPanelSimProcess {
public:
    explicit CTestPanelSim(const CIspScratch& scratch, const QStringList& extra = {})
        : CPanelSimProcess(OutDirectory() + "/zqpanel-sim", scratch.File("flash.bin"), extra)
    {
    }
    Bytes Flash()
    {
        Stop();
        return ReadBytes(FlashFile());
    }
};

// The command words listed in the simulator's statistics line ("... commands=1,2").
inline std::set<int> CommandsReceived(const std::string& stats)
{
    std::set<int> commands;
    std::size_t at = stats.find("commands=");
    if (at == std::string::npos)
        return commands;
    std::stringstream list(stats.substr(at + 9));
    std::string item;
    while (std::getline(list, item, ','))
        commands.insert(std::atoi(item.c_str()));
    return commands;
}

// The flash the panel should hold after programming image at begin.
inline Bytes ExpectedFlash(const Bytes& image, DWORD begin)
{
    Bytes flash(0x10000, 0xFF);
    std::copy(image.begin(), image.end(), flash.begin() + begin);
    return flash;
}
