// zqflash's stand-in for the programmer's dialog: status lines and messages on the terminal, a
// progress bar (percent, bytes, rate), the run timer, and the end of the run as the end of the
// event loop.
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
    void ShowInformation(const char* text) override;
    void SetStatusText(const char* text) override;
    void SetProgressRange(int lower, int upper) override;
    void SetProgressPos(int pos) override;
    void EnterRunningState() override;
    void EnterIdleState() override;
    void RearmRunTimer() override;
    void CloseWindow() override;

    // The closing line of a finished run: bytes, time and rate.
    void PrintSummary();
    // Ends the event loop with a failure: text goes to the terminal unless already shown.
    void Fail(const std::string& text);
    // The last status or message text, for the closing error line.
    const std::string& GetLastText() const { return m_strLastText; }
    bool HasTimedOut() const { return m_bTimedOut; }

private:
    void Print(const std::string& line);
    void DrawProgress(bool final);

    const ZQFLASH_OPTIONS& m_options;
    bool m_bTerminal;
    QTimer m_runTimer;
    QElapsedTimer m_clock;
    int m_nUpper = 0;
    int m_nPos = 0;
    bool m_bBarShown = false;
    bool m_bTimedOut = false;
    std::string m_strLastText;
    std::string m_strLastPrinted;
};
