// What the download exchange needs of the programmer's dialog: the control values a run starts
// from, and the status line, progress bar, message boxes, control states and run timer it drives.
// The dialog implements it; tests and zqflash implement it without widgets.
//
// All calls come on the dialog's thread, from StartRun, StopRun or OnIspNotify. None of them may
// destroy the exchange or release the communication library: closing the window (CloseWindow, or
// entering idle in auto mode) has to wait until control is back in the event loop, and messages
// shown after it in the same call must still appear.
#pragma once

#include "flasher/flasher_api.h"

#include "comkit/types.h"
#include "flasher/message_sink.h"

#include <string>

// The dialog's control values a run starts from.
struct FLASHER_API ISP_RUN_OPTIONS {
    int n485Port = 0;    // "485 Port:" selection: 0-3 = P0-P3, 4 = none
    int n485Bit = 0;     // its bit selection, 0-7
    int nLedPort = 0;    // "LED Port:" selection: 0-3 = P0-P3, 4 = none
    int nLedBit = 0;     // its bit selection, 0-7
    int nBeginIndex = 0; // "Program Begin Address:" selection, 0-127; begin address = index x 512
    int nSlave = 1;      // "Slave Address:" value; its low byte is sent
    std::string strFile; // the current file path
};

class FLASHER_API IIspRunView : public IMessageSink {
public:
    // ShowMessage (from IMessageSink): a message box without caption.

    // The control values, read when a run starts and at every entry retry.
    virtual ISP_RUN_OPTIONS GetRunOptions() = 0;
    // A message box with the caption "Information".
    virtual void ShowInformation(const char* text) = 0;
    // A numbered message in a message box with the caption "Information"; by default its English
    // text through ShowInformation.
    virtual void ShowNumberedInformation(const FLASHER_MESSAGE& message)
    {
        ShowInformation(FlasherMessageText(message).c_str());
    }
    // The status line; an empty text clears it.
    virtual void SetStatusText(const char* text) = 0;
    // A numbered message on the status line; by default its English text through SetStatusText.
    virtual void SetNumberedStatus(const FLASHER_MESSAGE& message)
    {
        SetStatusText(FlasherMessageText(message).c_str());
    }
    // Words for the cause of the error the status text just set reports (DescribeIspOutcome), for
    // a view that shows them after the text. Not called for time-outs: their text says it all.
    virtual void SetStatusCause(const char* words) { (void)words; }
    virtual void SetProgressRange(int lower, int upper) = 0;
    virtual void SetProgressPos(int pos) = 0;
    // Control states: running disables the options, file and program buttons and enables "Stop";
    // idle reverses that ("Local Program" stays disabled while the file came from the remote
    // fetch, see CIspExchange::IsRemoteSource). In auto mode idle closes the window.
    virtual void EnterRunningState() = 0;
    virtual void EnterIdleState() = 0;
    // Auto mode: start the 30-second run timer again (before every block).
    virtual void RearmRunTimer() = 0;
    // Auto mode: a run error after the first block closes the programmer window.
    virtual void CloseWindow() = 0;
    // Last of the checks before a run: false (after telling the user) when the line cannot carry
    // it, like a device that has gone since it was chosen. Nothing is sent then.
    virtual bool CheckLine() { return true; }
};
