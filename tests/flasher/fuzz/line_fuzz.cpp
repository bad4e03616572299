// libFuzzer target: what reaches the programmer from outside besides image files. The first byte
// picks the path: the settings file isp.ini, the library's MD_DLL.DFT, answers on the serial line
// (frame recognition and the download exchange driven by them), and request frames arriving at the
// panel simulator in pieces. Nothing may crash, read out of bounds or break its invariants.
#include "flasher/ini_file.h"
#include "flasher/isp_exchange.h"
#include "flasher/isp_outcome.h"
#include "tools/zqpanel-sim/panel_boot_loader.h"
#include "vexorisp/comm_settings.h"
#include "vexorisp/rtu_frame.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

void FuzzIspIni(const BYTE* data, size_t size)
{
    const std::string directory = "/tmp";
    const std::string name = "zq_line_fuzz_" + std::to_string(getpid());
    CIniFile ini;
    ini.SetPath(directory, name);
    FILE* file = std::fopen(ini.GetPath().c_str(), "wb");
    Check(file != nullptr);
    if (size > 0)
        Check(std::fwrite(data, 1, size, file) == size);
    std::fclose(file);
    if (ini.OpenForRead()) {
        for (const char* key : {"auto", "notenc", "addr", "ledport", "ledbit", "485port", "485bit", "paddr"}) {
            int value = 12345;
            ini.GetInt("sysset", key, value);
        }
        std::string text;
        ini.GetString("sysset", "file", text);
        ini.Close();
    }
    std::remove(ini.GetPath().c_str());
    CIniFile::TextToInt(std::string(reinterpret_cast<const char*>(data), size));
}

void FuzzCommSettings(const BYTE* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    COMM_SETTINGS settings;
    ParseCommSettings(bytes, settings);
    const VEXORISP_LINE line = settings.GetLine();
    Check(std::memchr(line.device, 0, sizeof line.device) != nullptr);
    // A port update keeps every byte but the first and the port's own line, and reads back.
    const std::string updated = UpdateCommSettingsPort(bytes, 3, "/dev/pts/9");
    COMM_SETTINGS again;
    Check(ParseCommSettings(updated, again));
    Check(again.com == 3 && again.GetDevicePath(3) == "/dev/pts/9");
    COMM_SETTINGS round;
    Check(ParseCommSettings(FormatCommSettings(settings), round));
    Check(round.GetLine().baud == line.baud && round.GetLine().com == line.com);
}

// A plain 1000-byte image file for the runs, written once.
const std::string& ImagePath()
{
    static const std::string path = [] {
        const std::string name = "/tmp/zq_line_fuzz_image_" + std::to_string(getpid()) + ".bin";
        FILE* file = std::fopen(name.c_str(), "wb");
        Check(file != nullptr);
        const std::vector<BYTE> bytes(1000, 0x5A);
        Check(std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size());
        std::fclose(file);
        return name;
    }();
    return path;
}

// The exchange's stand-ins for the library and the dialog: every request is counted, nothing shown.
class CNullComm : public IIspComm {
public:
    int requests = 0;
    void SetModBusOption(int, int) override {}
    bool HoldLineQuiet(int) override { return true; }
    void SetModBusSend(int, int, int, int, const void*, int) override { ++requests; }
    void SetModBusRW(int, int, int, int, int, int count, const void*, int) override
    {
        Check(count >= 3 && count <= ISP_BLOCK_WORDS_MAX + 2);
        ++requests;
    }
};

class CNullView : public IIspRunView {
public:
    ISP_RUN_OPTIONS GetRunOptions() override
    {
        ISP_RUN_OPTIONS options;
        options.n485Port = 4;
        options.nLedPort = 4;
        options.nBeginIndex = 0;
        options.strFile = ImagePath();
        return options;
    }
    void ShowMessage(const char*) override {}
    void ShowInformation(const char*) override {}
    void SetStatusText(const char* text) override { Check(text != nullptr); }
    void SetStatusCause(const char* words) override { Check(words != nullptr && *words != '\0'); }
    void SetProgressRange(int, int upper) override { Check(upper > 0 && upper <= 0x10000); }
    void SetProgressPos(int pos) override { Check(pos >= 0 && pos <= 0x10000 + ISP_BLOCK_BYTES); }
    void EnterRunningState() override {}
    void EnterIdleState() override {}
    void RearmRunTimer() override {}
    void CloseWindow() override {}
};

void FuzzAnswers(const BYTE* data, size_t size)
{
    // Frame recognition of received bytes against both kinds of request.
    const WORD command = 1;
    const BYTE block[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    for (const RTU_REQUEST& request :
         {BuildWriteRegistersRequest(255, 0, 1, &command, true), BuildBlockRequest(255, 4, block, false, 1)}) {
        std::vector<BYTE> received(data, data + size);
        const RTU_ANSWER_CHECK check = CheckAnswer(request, received.data(), received.size());
        Check(check.skipped + check.length <= received.size() || check.status == RTU_ANSWER_INCOMPLETE);
        if (check.status == RTU_ANSWER_OK)
            Check(check.length == request.answerLength);
    }
    // The exchange driven by arbitrary outcomes and answers: byte 0 of each record is the
    // outcome's kind, the rest up to its length the answer.
    CNullComm comm;
    CNullView view;
    CIspExchange exchange(view, &comm);
    ISP_EXCHANGE_SETTINGS settings;
    settings.image.bNotEnc = TRUE;
    exchange.SetSettings(settings);
    Check(exchange.StartRun(TRUE) == TRUE);
    size_t at = 0;
    while (at < size) {
        const int kind = data[at++];
        const size_t length = std::min<size_t>(kind % 16, size - at);
        std::vector<BYTE> answer(data + at, data + at + length);
        at += length;
        const int outcome = kind >= 0xF0 ? -(kind - 0xEF) : kind >= 0xE0 ? -100 - (kind & 0x0F) : int(length);
        exchange.OnIspNotify(outcome, outcome > 0 ? answer.data() : nullptr);
        Check(!DescribeIspOutcome(outcome).empty());
        if (kind == 0x7F)
            exchange.StopRun();
    }
}

void FuzzSimulatorFrames(const BYTE* data, size_t size)
{
    PANEL_FAULTS faults;
    CPanelBootLoader loader(1, ISP_MASK_SEED_DEFAULT, faults);
    // Bytes arrive in pieces of the sizes the input's own bytes suggest.
    size_t at = 0;
    while (at < size) {
        const size_t piece = std::min<size_t>(1 + data[at] % 32, size - at);
        std::vector<BYTE> chunk(data + at, data + at + piece); // exactly the piece: over-reads show
        for (const PANEL_EXCHANGE& exchange : loader.Receive(chunk.data(), chunk.size()))
            Check(exchange.requestLength >= 4 && exchange.answer.size() <= RTU_FRAME_MAX);
        Check(loader.GetPendingLength() <= size);
        at += piece;
    }
    Check(loader.GetFlash().size() == PANEL_FLASH_SIZE);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const int mode = data[0] % 4;
    ++data;
    --size;
    switch (mode) {
    case 0: FuzzIspIni(data, size); break;
    case 1: FuzzCommSettings(data, size); break;
    case 2: FuzzAnswers(data, size); break;
    default: FuzzSimulatorFrames(data, size); break;
    }
    return 0;
}
