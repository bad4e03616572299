// The panel's boot loader as the simulator plays it: Modbus RTU requests in, answers out, a 64 KiB
// flash written by the program blocks, and the faults to inject into the answers.
#pragma once

#include "comkit/types.h"
#include "flasher/isp_protocol.h"

#include <map>
#include <set>
#include <string>
#include <vector>

struct PANEL_FAULTS {
    int nIgnoreKnocks = 0;            // entry requests left unanswered first (panel switched off)
    std::set<int> dropBlockAnswers;   // block frames (1-based, every frame received) not answered
    std::set<int> loseBlocks;         // block frames lost on the line: neither written nor answered
    std::map<int, int> repeatAnswers; // block frame -> ms after its answer that it is answered again
    std::set<int> badCrcBlocks;       // block frames answered with a wrong data CRC
    std::set<int> corruptAnswers;     // answers (1-based, every answer sent) sent with a bad frame CRC
};

struct PANEL_STATS {
    long long bytesIn = 0;
    long long bytesOut = 0;
    int framesIn = 0;          // complete, well-formed request frames
    int framesOut = 0;         // answers sent
    int knocks = 0;            // entry requests, answered or not
    int blocks = 0;            // block frames
    std::vector<int> commands; // command words in the order received
};

// One request frame taken off the line, and its answer (empty when there is none).
struct PANEL_EXCHANGE {
    std::size_t requestLength = 0;
    std::vector<BYTE> answer;
    int nRepeatAfterMs = -1; // >= 0: the answer is sent once more this long after itself
    std::string description; // for the simulator's log
};

constexpr std::size_t PANEL_FLASH_SIZE = 0x10000;

class CPanelBootLoader {
public:
    CPanelBootLoader(int slave, WORD maskSeed, const PANEL_FAULTS& faults);

    // Takes received bytes and returns the request frames they completed, in order. Bytes that
    // cannot start a frame are dropped one at a time until a frame is recognised.
    std::vector<PANEL_EXCHANGE> Receive(const BYTE* data, std::size_t length);
    // Bytes of an incomplete frame held back.
    std::size_t GetPendingLength() const { return m_pending.size(); }
    // Forgets the bytes of a frame that never ended (its programmer is gone).
    void DropPending() { m_pending.clear(); }

    const std::vector<BYTE>& GetFlash() const { return m_flash; }
    const PANEL_STATS& GetStats() const { return m_stats; }
    bool IsInBootLoader() const { return m_bBoot; }

private:
    // Length of the frame at the start of m_pending as its header claims (it may be longer than
    // what has arrived): 0 when the header is incomplete, -1 when the first bytes cannot start a frame.
    long FrameLength() const;
    PANEL_EXCHANGE Handle(const BYTE* frame, std::size_t length);
    std::vector<BYTE> HandleWrite(const BYTE* frame, std::size_t length, std::string& description);
    std::vector<BYTE> HandleBlock(const BYTE* frame, std::size_t length, std::string& description);
    std::vector<BYTE> Finish(std::vector<BYTE> answer);

    int m_nSlave;
    WORD m_wMaskSeed;
    PANEL_FAULTS m_faults;
    PANEL_STATS m_stats;
    bool m_bBoot = false;
    std::vector<BYTE> m_flash;
    std::vector<BYTE> m_pending;
};
