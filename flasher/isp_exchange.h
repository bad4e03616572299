// The programming run: asks the panel to enter its boot loader, sends the command words, then the
// program image in 128-byte blocks, each checked against the CRC the panel answers.
//
// Event driven on the dialog's thread: every request returns at once and the communication
// library later delivers one notification per request, which the dialog passes to OnIspNotify;
// OnIspNotify sends the next request. There is no thread of its own.
//
//   idle --StartRun--> step 0 (entry requests, repeated on time-outs and errors until an answer)
//        --answer--> step 1 (command 1) [--answer--> step 2 (command 2, only for begin 0)]
//        --answer--> step 3 (blocks) --last good answer--> idle, "Program Finished" (or unconfirmed,
//        see ISP_RESULT_UNCONFIRMED)
//   A CRC mismatch ends the run in idle; an error after step 0 leaves it waiting for StopRun;
//   StopRun returns to idle from any state.
#pragma once

#include "flasher/flasher_api.h"

#include "comkit/types.h"
#include "flasher/image_file.h"
#include "flasher/isp_comm.h"
#include "flasher/isp_protocol.h"
#include "flasher/isp_run_view.h"

#include <chrono>
#include <deque>
#include <string>

// Messages and status texts, exactly as shown (the numbered ones in flasher_message.h).
extern FLASHER_API const char* const MSG_ISP_485_PORT;      // "485 port cannot be set to RXD or TXD!"
extern FLASHER_API const char* const MSG_ISP_LED_PORT;      // "led port cannot be set to RXD or TXD!"
extern FLASHER_API const char* const MSG_ISP_SAME_PORT;     // "led port and 485 port cannot to be the same port!"
extern FLASHER_API const char* const MSG_ISP_NO_FILE;       // "An unexpectedly error,program terminate!"
extern FLASHER_API const char* const MSG_ISP_TIME_OVER;     // "Program Time over!"
extern FLASHER_API const char* const MSG_ISP_START;         // "Start to program ..."
extern FLASHER_API const char* const MSG_ISP_FINISHED;      // "Program Finished"
extern FLASHER_API const char* const MSG_ISP_NO_LIBRARY;    // the communication library is not loaded
extern FLASHER_API const char* const MSG_ISP_BAD_SELECTION; // a port, bit or begin selection is missing
extern FLASHER_API const char* const MSG_ISP_TOO_LONG;      // the image runs past the panel's 64 KiB
extern FLASHER_API const char* const MSG_ISP_NO_QUIET;      // the library cannot guard a repeated block

// Run state (the fields the dialog and the tests may look at).
struct FLASHER_API ISP_RUN_STATE {
    BOOL bRunActive = FALSE;    // notifications are ignored while FALSE
    INT nStep = 0;              // 0 entry, 1 command 1, 2 last command, 3 blocks
    WORD wCommand = 0;          // command word written or carried by the blocks; 0 when idle
    DWORD dwBegin = 0;          // program begin address
    DWORD dwCurrent = 0;        // panel address of the next block
    INT nImageLength = 0;       // from the image load; 0 when it failed
    WORD wBlockCrc = 0;         // checksum of the block last sent
    BOOL bStarted = FALSE;      // set when the first block goes out
    BOOL bAlternate = FALSE;    // toggled at every entry request: TRUE = configured slave, FALSE = 255
    INT nSlave = 0;             // configured slave address
    BOOL bRemoteSource = FALSE; // the current file came from the remote fetch
};

// How a run ended (or that it is still under way).
enum IspRunResult {
    ISP_RESULT_NONE = 0,    // no run yet
    ISP_RESULT_RUNNING,     // requests under way
    ISP_RESULT_FINISHED,    // the panel confirmed every block
    ISP_RESULT_UNCONFIRMED, // every answer right, but blocks equal to one answered just before went out
                            // without the quiet wait (GetUnconfirmedBlocks): never a plain success
    ISP_RESULT_EMPTY_IMAGE, // the image was empty; nothing was sent after the commands
    ISP_RESULT_CRC_ERROR,   // a block answer carried a wrong CRC
    ISP_RESULT_FAILED,      // an error or time-out after the entry phase; waits for StopRun
    ISP_RESULT_STOPPED,     // StopRun
    ISP_RESULT_REFUSED,     // StartRun refused to start (a message said why)
};

struct FLASHER_API ISP_EXCHANGE_SETTINGS {
    BOOL bAuto = FALSE;                     // unattended mode of the programmer
    WORD wMaskSeed = ISP_MASK_SEED_DEFAULT; // seed of the block mask (the panel's boot loader's)
    std::string strRemoteFile;              // the remote fetch's file, deleted after a run of it
    IMAGE_LOAD_SETTINGS image;              // pMessages null: the view shows the load's messages
    int nRequestRetries = 3;                // library retries of each command and block (0-100)
    // TRUE: every block equal to one answered within the late-answer window waits for that window
    // to pass, whatever it costs. FALSE: it waits only while the image's waits stay within the cost
    // budget (CIspExchange::IsGuarded); otherwise such blocks go out at once and the run ends
    // ISP_RESULT_UNCONFIRMED when there were any.
    BOOL bConfirmAll = FALSE;
};

class FLASHER_API CIspExchange {
public:
    // comm may be null while the communication library is not loaded; runs are then refused.
    CIspExchange(IIspRunView& view, IIspComm* comm);
    CIspExchange(const CIspExchange&) = delete;
    CIspExchange& operator=(const CIspExchange&) = delete;

    void SetComm(IIspComm* comm) { m_pComm = comm; }
    void SetSettings(const ISP_EXCHANGE_SETTINGS& settings) { m_settings = settings; }
    const ISP_EXCHANGE_SETTINGS& GetSettings() const { return m_settings; }

    // "Local Program", the auto-start timer and the remote fetch call it with load = TRUE (the
    // current file is loaded first); entry retries with FALSE. Returns TRUE when the entry
    // request went out, FALSE when a check refused the run (its message was shown).
    BOOL StartRun(BOOL load);
    // The loading step of StartRun(TRUE) alone: loads the current file (the view's options) into
    // the image and answers its length (0 when the load failed; its message was shown). A caller
    // may load first and start with StartRun(FALSE), opening the line only for a usable file.
    INT LoadImage();
    // One notification of the communication library: outcome above 0 is the answer's byte
    // count and answer its bytes; -1 no answer in time; other values of 0 or below errors.
    void OnIspNotify(int outcome, const BYTE* answer);
    // Sends the block at the current address (called by OnIspNotify).
    void SendBlock();
    // "Stop": back to idle; answers still on their way are ignored.
    void StopRun();

    const ISP_RUN_STATE& GetState() const { return m_state; }
    IspRunResult GetResult() const { return m_result; }
    BOOL IsRemoteSource() const { return m_state.bRemoteSource; }
    // Whether the blocks of this run wait for the late-answer window where they need to: decided
    // when the first block is answered, from its round trip r. With E blocks of the image whose CRC
    // equals one of the ceil(window / r) blocks before them, of N: guarded when bConfirmAll is set
    // or E x window <= 4 % of N x r. TRUE before that decision.
    bool IsGuarded() const { return m_bGuarded; }
    // Blocks of this run (so far) that went out unguarded although an equal block had been
    // answered within the window: each could have taken a late repeat of that answer for its own.
    // 0 in a guarded run.
    int GetUnconfirmedBlocks() const { return m_nUnconfirmed; }
    // Set by the remote fetch's notifications.
    void SetRemoteSource(BOOL remote) { m_state.bRemoteSource = remote; }

private:
    BOOL CheckOptions();
    void SendEntry();
    void WriteCommand(WORD command);
    void OnAnswer(const BYTE* answer, int length);
    void OnBlockAnswer(const BYTE* answer, int length);
    // After the first block's answer: the cost budget above.
    void DecideGuard();
    void FinishRun();
    // Back to idle after a run ends by itself.
    void EndRun(IspRunResult result);

    IIspRunView& m_view;
    IIspComm* m_pComm;
    ISP_EXCHANGE_SETTINGS m_settings;
    ISP_RUN_OPTIONS m_options;
    ISP_RUN_STATE m_state;
    IspRunResult m_result = ISP_RESULT_NONE;
    BYTE m_entry[ISP_ENTRY_SIZE] = {};
    BYTE m_block[ISP_BLOCK_SIZE_MAX] = {};
    WORD m_wCommandWord = 0;
    // Blocks answered within the last late-answer window, oldest first. A block whose checksum
    // equals one of theirs would take a late repeat of that answer for its own, even when the
    // block itself was lost on the line: before it goes out the line stays quiet until the
    // window of that answer has passed.
    struct ANSWERED_BLOCK {
        WORD wCrc;
        std::chrono::steady_clock::time_point at;
    };
    std::deque<ANSWERED_BLOCK> m_answered;
    // The quiet (ms, above 0) a block with checksum crc needs as above; 0 when it needs none.
    int RepeatQuietMs(WORD crc);
    // Holds the line quiet for a block with checksum crc as above in a guarded run, or counts it
    // as unconfirmed in an unguarded one; false when the library cannot keep the line quiet.
    bool GuardRepeatedAnswer(WORD crc);
    std::chrono::steady_clock::time_point m_firstBlockAt; // when the first block went out
    bool m_bGuarded = true;
    int m_nUnconfirmed = 0;
    // Requests whose notification has not come yet, and how many of those belong to runs that
    // ended: their notifications are dropped, so a new run never takes an old answer as its own.
    int m_nOutstanding = 0;
    int m_nStale = 0;
};
