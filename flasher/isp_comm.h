// The requests the download exchange makes of the communication library, as an interface so that
// the exchange runs against the loaded library (CIspLibrary) or a test double.
// Every SetModBusSend and SetModBusRW request is answered by exactly one notification, delivered
// later through the event loop to CIspExchange::OnIspNotify (outcome above 0: the answer's byte
// count, with its bytes; -1: no answer in time; other values of 0 or below: errors).
#pragma once

#include "flasher/flasher_api.h"

class FLASHER_API IIspComm {
public:
    virtual ~IIspComm() = default;
    // Retries and answer time-out (ms) for the requests that follow.
    virtual void SetModBusOption(int retries, int timeoutMs) = 0;
    // Function 16: count registers from start; flag 0: data bytes in their order, 1: host words.
    virtual void SetModBusSend(int slave, int function, int start, int count, const void* data, int flag) = 0;
    // Keeps the line quiet for quietMs from now: the next request waits that long and whatever
    // arrives meanwhile is dropped. False when the library cannot (an older build without it).
    virtual bool HoldLineQuiet(int quietMs) = 0;
    // Function 100: a block of count registers, answered by answerRegisters registers.
    virtual void SetModBusRW(int slave, int function, int answerRegisters, int readStart, int writeStart, int count,
                             const void* data, int flag) = 0;
};
