#include "tools/zqpanel-sim/panel_boot_loader.h"

#include "vexorisp/rtu_frame.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr BYTE EXCEPTION_ILLEGAL_ADDRESS = 2;
constexpr BYTE EXCEPTION_ILLEGAL_VALUE = 3;
constexpr std::size_t WRITE_HEAD_SIZE = 7; // slave, function, start, count, byte count

std::vector<BYTE> ExceptionAnswer(const BYTE* frame, BYTE code)
{
    return {frame[0], static_cast<BYTE>(frame[1] | RTU_EXCEPTION_FLAG), code};
}

std::string Format(const char* format, int a, int b = 0, int c = 0)
{
    char text[96];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

} // namespace

CPanelBootLoader::CPanelBootLoader(int slave, WORD maskSeed, const PANEL_FAULTS& faults)
    : m_nSlave(slave), m_wMaskSeed(maskSeed), m_faults(faults), m_flash(PANEL_FLASH_SIZE, 0xFF)
{
}

std::vector<PANEL_EXCHANGE> CPanelBootLoader::Receive(const BYTE* data, std::size_t length)
{
    std::vector<PANEL_EXCHANGE> exchanges;
    m_stats.bytesIn += static_cast<long long>(length);
    m_pending.insert(m_pending.end(), data, data + length);
    for (;;) {
        long frameLength = FrameLength();
        // A frame is checked only once all the bytes its header claims have arrived.
        if (frameLength == 0 || (frameLength > 0 && static_cast<std::size_t>(frameLength) > m_pending.size()))
            break;
        if (frameLength < 0 || !HasValidFrameCrc(m_pending.data(), static_cast<std::size_t>(frameLength))) {
            m_pending.erase(m_pending.begin());
            continue;
        }
        ++m_stats.framesIn;
        exchanges.push_back(Handle(m_pending.data(), static_cast<std::size_t>(frameLength)));
        m_pending.erase(m_pending.begin(), m_pending.begin() + frameLength);
    }
    return exchanges;
}

long CPanelBootLoader::FrameLength() const
{
    if (m_pending.size() < 3)
        return 0;
    switch (m_pending[1]) {
    case RTU_FUNCTION_WRITE_REGISTERS:
        if (m_pending.size() < WRITE_HEAD_SIZE)
            return 0;
        return static_cast<long>(WRITE_HEAD_SIZE + m_pending[6] + RTU_CRC_SIZE);
    case RTU_FUNCTION_BLOCK: return static_cast<long>(3 + m_pending[2] + RTU_CRC_SIZE);
    default: return -1;
    }
}

PANEL_EXCHANGE CPanelBootLoader::Handle(const BYTE* frame, std::size_t length)
{
    PANEL_EXCHANGE exchange;
    exchange.requestLength = length;
    if (frame[1] == RTU_FUNCTION_WRITE_REGISTERS) {
        exchange.answer = HandleWrite(frame, length, exchange.description);
    } else {
        exchange.answer = HandleBlock(frame, length, exchange.description);
        auto repeat = m_faults.repeatAnswers.find(m_stats.blocks);
        if (repeat != m_faults.repeatAnswers.end() && !exchange.answer.empty()) {
            exchange.nRepeatAfterMs = repeat->second;
            exchange.description += ", answered again " + std::to_string(repeat->second) + " ms later";
        }
    }
    if (!exchange.answer.empty())
        exchange.answer = Finish(std::move(exchange.answer));
    return exchange;
}

std::vector<BYTE> CPanelBootLoader::HandleWrite(const BYTE* frame, std::size_t length, std::string& description)
{
    int slave = frame[0];
    int start = frame[2] << 8 | frame[3];
    int count = frame[4] << 8 | frame[5];
    const BYTE* data = frame + WRITE_HEAD_SIZE;
    std::vector<BYTE> echo(frame, frame + 6);
    if (slave != m_nSlave && slave != ISP_BOOT_SLAVE) {
        description = Format("write to slave %d ignored", slave);
        return {};
    }
    if (frame[6] != 2 * count || length != WRITE_HEAD_SIZE + frame[6] + RTU_CRC_SIZE) {
        description = "write with a wrong byte count";
        return ExceptionAnswer(frame, EXCEPTION_ILLEGAL_VALUE);
    }
    bool entry = start == ISP_ENTRY_REGISTER && (count == ISP_ENTRY_REGISTERS || count == ISP_ENTRY_TEXT_REGISTERS) &&
                 std::memcmp(data + 2 * count - sizeof ISP_ENTRY_TEXT, ISP_ENTRY_TEXT, sizeof ISP_ENTRY_TEXT) == 0;
    if (entry) {
        int knock = ++m_stats.knocks;
        if (knock <= m_faults.nIgnoreKnocks) {
            description = Format("entry %d to slave %d with %d registers ignored", knock, slave, count);
            return {};
        }
        m_bBoot = true;
        description = Format("entry %d to slave %d with %d registers", knock, slave, count);
        return echo;
    }
    if (!m_bBoot) {
        description = "write outside the boot loader ignored";
        return {};
    }
    if (start == ISP_COMMAND_REGISTER && count == 1) {
        int command = data[0] << 8 | data[1];
        m_stats.commands.push_back(command);
        description = Format("command %d", command);
        return echo;
    }
    description = Format("write to register %d refused", start);
    return ExceptionAnswer(frame, EXCEPTION_ILLEGAL_ADDRESS);
}

std::vector<BYTE> CPanelBootLoader::HandleBlock(const BYTE* frame, std::size_t length, std::string& description)
{
    if (frame[0] != ISP_BOOT_SLAVE || !m_bBoot) {
        description = "block ignored";
        return {};
    }
    int number = ++m_stats.blocks;
    if (m_faults.loseBlocks.count(number)) {
        description = Format("block %d lost on the line", number);
        return {};
    }
    BYTE block[ISP_BLOCK_SIZE_MAX];
    std::size_t size = length - 3 - RTU_CRC_SIZE;
    ISP_BLOCK_VIEW view;
    if (size > sizeof block || !ReadIspBlockHeader(frame + 3, size, view) || view.command != ISP_COMMAND_PROGRAM) {
        description = Format("block %d refused", number);
        return ExceptionAnswer(frame, EXCEPTION_ILLEGAL_VALUE);
    }
    std::memcpy(block, frame + 3, size);
    ToggleIspBlockMask(block, view.words, m_wMaskSeed);
    const BYTE* data = block + ISP_BLOCK_HEADER_SIZE;
    for (int i = 0; i < 2 * view.words; ++i)
        m_flash[(view.address + static_cast<std::size_t>(i)) % PANEL_FLASH_SIZE] = data[i];
    WORD crc = CalcIspDataCrc(data, view.words);
    description = Format("block %d at 0x%04X, %d words", number, view.address, view.words);
    if (m_faults.dropBlockAnswers.count(number)) {
        description += ", answer dropped";
        return {};
    }
    if (m_faults.badCrcBlocks.count(number)) {
        crc ^= 0x0001;
        description += ", wrong data CRC";
    }
    return {ISP_BOOT_SLAVE, RTU_FUNCTION_BLOCK, 2, static_cast<BYTE>(crc & 0xFF), static_cast<BYTE>(crc >> 8)};
}

std::vector<BYTE> CPanelBootLoader::Finish(std::vector<BYTE> answer)
{
    AppendFrameCrc(answer);
    int number = ++m_stats.framesOut;
    if (m_faults.corruptAnswers.count(number))
        answer.back() ^= 0xFF;
    m_stats.bytesOut += static_cast<long long>(answer.size());
    return answer;
}
