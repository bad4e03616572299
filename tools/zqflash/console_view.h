// zqflash's stand-in for the programmer's dialog: status lines and errors on the terminal (each
// printed once, prefixed with the program's name), a progress bar on a terminal only, the run
// timer, and the end of the run as the end of the event loop.
#pragma once

#include "flasher/isp_run_view.h"
#include "tools/zqflash/zqflash_options.h"

#include <QElapsedTimer>
#include <QTimer>

#include <string>

class CConsoleRunView : public IIspRunView {
public:
    explicit CConsoleRunView(const ZQFLASH_OPTIONS& options);

    ISP_RUN_OPTIONS GetRunOptions() override;
    void ShowMessage(const char* text) override;
    void ShowNumberedMessage(const FLASHER_MESSAGE& message) override;
    void ShowInformation(const char* text) override;
    // Before the first block a time-out or error means the boot loader has not answered yet: it is
    // shown once as waiting for it. Later errors are shown as errors, with their cause.
    void SetStatusText(const char* text) override;
    // A CRC error names its address in hex too: "Address: 24832 CRC error! (0x6100)". A run that
    // ended unconfirmed is an error line too.
    void SetNumberedStatus(const FLASHER_MESSAGE& message) override;
    void SetStatusCause(const char* words) override;
    void SetProgressRange(int lower, int upper) override;
    void SetProgressPos(int pos) override;
    void EnterRunningState() override;
    void EnterIdleState() override;
    void RearmRunTimer() override;
    void CloseWindow() override;

    // The closing line of a finished run on standard output: bytes, time and rate.
    void PrintSummary();
    // Ends the event loop with a failure; text goes to standard error unless it was the last error.
    void Fail(const std::string& text);
    // An error line "zqflash: text" on standard error, unless it repeats the last one.
    void PrintError(const std::string& text);
    // The last status or message text, for the closing error line.
    const std::string& GetLastText() const { return m_strLastText; }
    bool HasTimedOut() const { return m_bTimedOut; }
    // True once the first block went out.
    bool HasStartedBlocks() const { return m_bBlocks; }
    // Bytes confirmed or under way so far (the progress position).
    int GetProgress() const { return m_nPos; }

private:
    // What a status text tells the view besides its words.
    enum STATUS_KIND {
        STATUS_PLAIN,
        STATUS_TIME_OVER,
        STATUS_ISP_ERROR,
        STATUS_CRC_ERROR,
        STATUS_UNCONFIRMED,
        STATUS_FINISHED
    };
    void ShowStatus(const std::string& shown, STATUS_KIND kind);
    // A message in the user's language as an error line, unless it repeats the last text's start.
    void ShowError(const std::string& shown);
    void Print(const std::string& line);
    void DrawProgress();

    const ZQFLASH_OPTIONS& m_options;
    bool m_bTerminal;
    QTimer m_runTimer;
    QElapsedTimer m_clock;
    int m_nUpper = 0;
    int m_nPos = 0;
    bool m_bBarShown = false;
    bool m_bTimedOut = false;
    bool m_bBlocks = false;
    bool m_bWaitingShown = false;
    bool m_bEnded = false;
    std::string m_strLastText;
    std::string m_strLastPrinted;
};
