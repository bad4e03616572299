// Helpers of the download exchange tests: a view that records what the run shows, a recording
// stand-in for the communication library, image files, and the panel simulator as a process.
#pragma once

#include "comkit/module_path.h"
#include "flasher/isp_exchange.h"
#include "image_test_support.h"
#include "tools/zqpanel-sim/panel_sim_process.h"
#include "vexorisp/event_wait.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

// Records every call of the exchange into its dialog.
class CRecordingView : public IIspRunView {
public:
    ISP_RUN_OPTIONS options;
    std::vector<std::string> messages;    // message boxes without caption
    std::vector<std::string> information; // message boxes with caption "Information"
    std::vector<std::string> statuses;
    std::vector<std::string> causes; // words after an error status
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
    void SetStatusCause(const char* words) override { causes.emplace_back(words); }
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

inline Bytes ReadBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// zqpanel-sim from out/ with its flash file in scratch; Flash() stops it and reads the flash.
class CTestPanelSim : public CPanelSimProcess {
public:
    explicit CTestPanelSim(const CScratchDir& scratch, const QStringList& extra = {})
        : CPanelSimProcess(COMMON_EX::GetProgramDirectory() + "zqpanel-sim", scratch.File("flash.bin"), extra)
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
