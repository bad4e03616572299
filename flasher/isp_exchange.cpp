#include "flasher/isp_exchange.h"

#include "flasher/isp_outcome.h"

#include <algorithm>
#include <cstdio>
#include <vector>

const char* const MSG_ISP_485_PORT = "485 port cannot be set to RXD or TXD!";
const char* const MSG_ISP_LED_PORT = "led port cannot be set to RXD or TXD!";
const char* const MSG_ISP_SAME_PORT = "led port and 485 port cannot to be the same port!";
const char* const MSG_ISP_NO_FILE = "An unexpectedly error,program terminate!";
const char* const MSG_ISP_TIME_OVER = "Program Time over!";
const char* const MSG_ISP_START = "Start to program ...";
const char* const MSG_ISP_FINISHED = "Program Finished";
const char* const MSG_ISP_NO_LIBRARY = "cannot load vexorisp.dll!";
const char* const MSG_ISP_BAD_SELECTION = "Select the ports, their bits and the program begin address!";
const char* const MSG_ISP_TOO_LONG = "The program does not fit between the begin address and 0xFFFF!";
const char* const MSG_ISP_NO_QUIET =
    "The communication library cannot keep the line quiet: a block equal to an earlier one cannot be confirmed!";

namespace {

constexpr int ENTRY_RETRIES = 0;
constexpr int ENTRY_TIMEOUT_MS = 50;
constexpr int REQUEST_TIMEOUT_MS = 200;
constexpr DWORD BEGIN_STEP = 512;
constexpr int BEGIN_INDEX_MAX = 127;
constexpr int PORT_INDEX_MAX = 4;
constexpr int BIT_INDEX_MAX = 7;
// The block answer: slave, function, byte count, CRC low, CRC high, frame CRC.
constexpr int BLOCK_ANSWER_CRC_LOW = 3;
constexpr int BLOCK_ANSWER_CRC_HIGH = 4;
// How long after an answer a late repeat of it may still come: the request time-out, and a
// margin for the answer's own line time and the scheduling of both ends.
constexpr auto LATE_ANSWER_WINDOW = std::chrono::milliseconds(REQUEST_TIMEOUT_MS + 25);
// The share of the line time the quiet waits may add, in percent, unless every block is to be
// confirmed: a download image then stays within 1.05 of its line time and nothing beyond 1.15.
constexpr long long QUIET_BUDGET_PERCENT = 4;

bool InRange(int value, int high)
{
    return value >= 0 && value <= high;
}

// The blocks of an image of length bytes whose data CRC equals that of one of the reach blocks
// before it (the first block never counts).
long long CountRepeatedBlocks(const BYTE* image, int length, long long reach)
{
    std::vector<WORD> crcs;
    for (int offset = 0; offset < length; offset += ISP_BLOCK_BYTES)
        crcs.push_back(CalcIspDataCrc(image + offset, GetBlockWords(length - offset)));
    long long repeated = 0;
    for (std::size_t block = 1; block < crcs.size(); ++block) {
        const std::size_t first = block > std::size_t(reach) ? block - std::size_t(reach) : 0;
        repeated += std::find(crcs.begin() + std::ptrdiff_t(first), crcs.begin() + std::ptrdiff_t(block),
                              crcs[block]) != crcs.begin() + std::ptrdiff_t(block);
    }
    return repeated;
}

} // namespace

CIspExchange::CIspExchange(IIspRunView& view, IIspComm* comm) : m_view(view), m_pComm(comm)
{
}

INT CIspExchange::LoadImage()
{
    m_options = m_view.GetRunOptions();
    IMAGE_LOAD_SETTINGS image = m_settings.image;
    if (image.pMessages == nullptr)
        image.pMessages = &m_view;
    INT length = LoadProgramImage(m_options.strFile.c_str(), image);
    m_state.nImageLength = length > 0 ? length : 0;
    m_state.bStarted = FALSE;
    return m_state.nImageLength;
}

BOOL CIspExchange::StartRun(BOOL load)
{
    if (load)
        LoadImage();
    m_options = m_view.GetRunOptions();
    if (!CheckOptions()) {
        if (m_state.bRunActive)
            EndRun(ISP_RESULT_REFUSED);
        m_result = ISP_RESULT_REFUSED;
        return FALSE;
    }
    m_view.EnterRunningState();
    BOOL remote = m_state.bRemoteSource;
    m_state.bRemoteSource = load ? FALSE : remote;
    m_state.bAlternate = !m_state.bAlternate;
    m_state.nStep = 0;
    m_state.nSlave = m_options.nSlave;
    m_nStale = m_nOutstanding;
    m_answered.clear();
    m_bGuarded = true;
    m_nUnconfirmed = 0;
    SendEntry();
    m_state.bRunActive = TRUE;
    m_result = ISP_RESULT_RUNNING;
    return TRUE;
}

BOOL CIspExchange::CheckOptions()
{
    const ISP_RUN_OPTIONS& o = m_options;
    if (o.n485Port == ISP_PORT_P3 && (o.n485Bit == 0 || o.n485Bit == 1)) {
        m_view.ShowInformation(MSG_ISP_485_PORT);
        return FALSE;
    }
    if (o.nLedPort == ISP_PORT_P3 && (o.nLedBit == 0 || o.nLedBit == 1)) {
        m_view.ShowInformation(MSG_ISP_LED_PORT);
        return FALSE;
    }
    if (o.n485Port == o.nLedPort && o.n485Bit == o.nLedBit && o.n485Port != ISP_PORT_NONE) {
        m_view.ShowInformation(MSG_ISP_SAME_PORT);
        return FALSE;
    }
    if (o.strFile.empty()) {
        m_view.ShowMessage(MSG_ISP_NO_FILE);
        return FALSE;
    }
    // A list without a selection would send its -1 as 0xFF: refused after the checks above.
    if (!InRange(o.n485Port, PORT_INDEX_MAX) || !InRange(o.n485Bit, BIT_INDEX_MAX) ||
        !InRange(o.nLedPort, PORT_INDEX_MAX) || !InRange(o.nLedBit, BIT_INDEX_MAX) ||
        !InRange(o.nBeginIndex, BEGIN_INDEX_MAX)) {
        m_view.ShowInformation(MSG_ISP_BAD_SELECTION);
        return FALSE;
    }
    if (m_pComm == nullptr) {
        m_view.ShowMessage(MSG_ISP_NO_LIBRARY);
        return FALSE;
    }
    // Block addresses are 16 bits: a longer program would wrap round onto the panel's start.
    if (static_cast<DWORD>(o.nBeginIndex) * BEGIN_STEP + static_cast<DWORD>(m_state.nImageLength) > ISP_ADDRESS_SPACE) {
        m_view.ShowMessage(MSG_ISP_TOO_LONG);
        return FALSE;
    }
    return m_view.CheckLine() ? TRUE : FALSE;
}

void CIspExchange::SendEntry()
{
    BuildEntryData(m_options.n485Port, m_options.n485Bit, m_options.nLedPort, m_options.nLedBit, m_entry);
    m_pComm->SetModBusOption(ENTRY_RETRIES, ENTRY_TIMEOUT_MS);
    if (!m_state.bAlternate)
        m_pComm->SetModBusSend(ISP_BOOT_SLAVE, ISP_FUNCTION_WRITE, ISP_ENTRY_REGISTER, ISP_ENTRY_REGISTERS, m_entry, 0);
    else if (m_options.n485Port == ISP_PORT_NONE)
        m_pComm->SetModBusSend(m_state.nSlave & 0xFF, ISP_FUNCTION_WRITE, ISP_ENTRY_REGISTER, ISP_ENTRY_TEXT_REGISTERS,
                               m_entry + ISP_ENTRY_TEXT_OFFSET, 0);
    else
        m_pComm->SetModBusSend(m_state.nSlave & 0xFF, ISP_FUNCTION_WRITE, ISP_ENTRY_REGISTER, ISP_ENTRY_REGISTERS,
                               m_entry, 0);
    ++m_nOutstanding;
}

void CIspExchange::WriteCommand(WORD command)
{
    m_state.wCommand = command;
    m_wCommandWord = command;
    m_pComm->SetModBusOption(m_settings.nRequestRetries, REQUEST_TIMEOUT_MS);
    m_pComm->SetModBusSend(ISP_BOOT_SLAVE, ISP_FUNCTION_WRITE, ISP_COMMAND_REGISTER, 1, &m_wCommandWord, 1);
    ++m_nOutstanding;
}

void CIspExchange::OnIspNotify(int outcome, const BYTE* answer)
{
    if (m_nOutstanding > 0)
        --m_nOutstanding;
    if (m_nStale > 0) {
        --m_nStale;
        return;
    }
    if (!m_state.bRunActive)
        return;
    if (outcome > 0) {
        OnAnswer(answer, outcome);
        return;
    }
    FLASHER_MESSAGE failure;
    failure.code = FLASHER_MESSAGE_ISP_ERROR;
    failure.nNumber = outcome;
    if (outcome == -1) {
        m_view.SetStatusText(MSG_ISP_TIME_OVER);
    } else {
        m_view.SetNumberedStatus(failure);
        m_view.SetStatusCause(DescribeIspOutcome(outcome).c_str());
    }
    if (m_settings.bAuto && m_state.bStarted) {
        if (outcome == -1)
            m_view.ShowMessage(MSG_ISP_TIME_OVER);
        else
            m_view.ShowNumberedMessage(failure);
        m_view.CloseWindow();
    }
    // The panel may still be switched off: keep knocking. Later errors wait for Stop.
    if (m_state.nStep == 0)
        StartRun(FALSE);
    else
        m_result = ISP_RESULT_FAILED;
}

void CIspExchange::OnAnswer(const BYTE* answer, int length)
{
    switch (m_state.nStep) {
    case 0:
        m_state.dwBegin = static_cast<DWORD>(m_options.nBeginIndex) * BEGIN_STEP;
        m_state.nStep = m_state.dwBegin > 0 ? 2 : 1;
        WriteCommand(ISP_COMMAND_FIRST);
        break;
    case 1:
        m_state.nStep = 2;
        WriteCommand(ISP_COMMAND_SECOND);
        break;
    case 2:
        m_state.nStep = 3;
        if (m_state.nImageLength == 0) {
            EndRun(ISP_RESULT_EMPTY_IMAGE);
            break;
        }
        m_state.dwCurrent = m_state.dwBegin;
        m_view.SetProgressRange(0, m_state.nImageLength);
        m_view.SetProgressPos(0);
        m_view.SetStatusText(MSG_ISP_START);
        m_state.bStarted = TRUE;
        m_state.wCommand = ISP_COMMAND_PROGRAM;
        SendBlock();
        break;
    default: OnBlockAnswer(answer, length); break;
    }
}

void CIspExchange::OnBlockAnswer(const BYTE* answer, int length)
{
    // An answer too short to carry a CRC counts as a wrong one.
    bool match = answer != nullptr && length > BLOCK_ANSWER_CRC_HIGH &&
                 (answer[BLOCK_ANSWER_CRC_LOW] | answer[BLOCK_ANSWER_CRC_HIGH] << 8) == m_state.wBlockCrc;
    if (match)
        m_answered.push_back({m_state.wBlockCrc, std::chrono::steady_clock::now()});
    if (match && m_state.dwCurrent - m_state.dwBegin == ISP_BLOCK_BYTES)
        DecideGuard();
    if (!match) {
        EndRun(ISP_RESULT_CRC_ERROR);
        FLASHER_MESSAGE crcError;
        crcError.code = FLASHER_MESSAGE_CRC_ERROR;
        crcError.nNumber = static_cast<int>(m_state.dwCurrent);
        m_view.SetNumberedStatus(crcError);
        return;
    }
    if (m_state.dwCurrent - m_state.dwBegin < static_cast<DWORD>(m_state.nImageLength))
        SendBlock();
    else
        FinishRun();
}

void CIspExchange::SendBlock()
{
    long long remaining = static_cast<long long>(m_state.dwBegin) + m_state.nImageLength - m_state.dwCurrent;
    int words = GetBlockWords(remaining);
    const BYTE* data = GetProgramImage() + (m_state.dwCurrent - m_state.dwBegin);
    if (m_state.dwCurrent == m_state.dwBegin)
        m_firstBlockAt = std::chrono::steady_clock::now();
    m_state.wBlockCrc = BuildIspBlock(data, words, static_cast<BYTE>(m_state.wCommand & 0xFF), m_state.dwCurrent,
                                      m_settings.wMaskSeed, m_block);
    if (!GuardRepeatedAnswer(m_state.wBlockCrc)) {
        EndRun(ISP_RESULT_FAILED);
        m_view.SetStatusText(MSG_ISP_NO_QUIET);
        return;
    }
    m_state.dwCurrent += ISP_BLOCK_BYTES;
    m_view.SetProgressPos(static_cast<int>(m_state.dwCurrent - m_state.dwBegin));
    if (m_settings.bAuto)
        m_view.RearmRunTimer();
    m_pComm->SetModBusOption(m_settings.nRequestRetries, REQUEST_TIMEOUT_MS);
    m_pComm->SetModBusRW(ISP_BOOT_SLAVE, ISP_FUNCTION_BLOCK, 1, 0, 0, words + 2, m_block, 0);
    ++m_nOutstanding;
}

int CIspExchange::RepeatQuietMs(WORD crc)
{
    const auto now = std::chrono::steady_clock::now();
    while (!m_answered.empty() && now - m_answered.front().at >= LATE_ANSWER_WINDOW)
        m_answered.pop_front();
    for (auto answered = m_answered.rbegin(); answered != m_answered.rend(); ++answered) {
        if (answered->wCrc != crc)
            continue;
        // The latest answer of this checksum decides; the quiet period drops its late repeats.
        const auto quiet = answered->at + LATE_ANSWER_WINDOW - now;
        return std::max(1, static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(quiet).count()));
    }
    return 0;
}

bool CIspExchange::GuardRepeatedAnswer(WORD crc)
{
    const int quietMs = RepeatQuietMs(crc);
    if (quietMs == 0)
        return true;
    if (m_bGuarded)
        return m_pComm->HoldLineQuiet(quietMs);
    ++m_nUnconfirmed;
    return true;
}

void CIspExchange::DecideGuard()
{
    using std::chrono::microseconds;
    const long long roundTrip = std::max<long long>(
        1, std::chrono::duration_cast<microseconds>(std::chrono::steady_clock::now() - m_firstBlockAt).count());
    const long long window = std::chrono::duration_cast<microseconds>(LATE_ANSWER_WINDOW).count();
    const long long blocks = (m_state.nImageLength + ISP_BLOCK_BYTES - 1) / ISP_BLOCK_BYTES;
    const long long reach = std::min(blocks, (window + roundTrip - 1) / roundTrip);
    const long long repeated = CountRepeatedBlocks(GetProgramImage(), m_state.nImageLength, reach);
    m_bGuarded = m_settings.bConfirmAll || repeated * window * 100 <= QUIET_BUDGET_PERCENT * blocks * roundTrip;
}

void CIspExchange::FinishRun()
{
    EndRun(m_nUnconfirmed > 0 ? ISP_RESULT_UNCONFIRMED : ISP_RESULT_FINISHED);
    if (!m_settings.strRemoteFile.empty() && m_options.strFile == m_settings.strRemoteFile)
        std::remove(m_settings.strRemoteFile.c_str());
    m_view.SetProgressPos(0);
    if (m_result == ISP_RESULT_FINISHED) {
        m_view.SetStatusText(MSG_ISP_FINISHED);
        m_view.ShowInformation(MSG_ISP_FINISHED);
    } else {
        // Not a success to vouch for: unattended, it ends like an error after the first block.
        FLASHER_MESSAGE unconfirmed;
        unconfirmed.code = FLASHER_MESSAGE_UNCONFIRMED;
        unconfirmed.nNumber = m_nUnconfirmed;
        m_view.SetNumberedStatus(unconfirmed);
        if (m_settings.bAuto) {
            m_view.ShowNumberedMessage(unconfirmed);
            m_view.CloseWindow();
        } else {
            m_view.ShowNumberedInformation(unconfirmed);
        }
    }
    m_state.wCommand = 0;
}

void CIspExchange::EndRun(IspRunResult result)
{
    // A run that ended ignores whatever still arrives, like a stopped one.
    m_state.bRunActive = FALSE;
    m_result = result;
    m_view.EnterIdleState();
}

void CIspExchange::StopRun()
{
    m_state.wCommand = 0;
    m_state.bRunActive = FALSE;
    if (m_result == ISP_RESULT_RUNNING || m_result == ISP_RESULT_FAILED)
        m_result = ISP_RESULT_STOPPED;
    m_nStale = m_nOutstanding;
    m_view.SetProgressPos(0);
    m_view.EnterIdleState();
    m_view.SetStatusText("");
}
