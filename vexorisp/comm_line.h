// The serial line and its request queue: one request on the line at a time, answers recognised by
// their frame, retries on time-out or bad CRC, one notification per request through the sink.
#pragma once

#include "vexorisp/rtu_frame.h"
#include "vexorisp/sink_safe_owner.h"
#include "vexorisp/vexorisp.h"

#include <chrono>
#include <deque>

class QObject;
class QSerialPort;
class QTimer;

class CCommLine {
public:
    CCommLine();
    // Closes the line. Waiting requests are dropped without notification. Safe from inside a sink:
    // the Qt objects go through CSinkSafeOwner.
    ~CCommLine();
    CCommLine(const CCommLine&) = delete;
    CCommLine& operator=(const CCommLine&) = delete;

    void SetSink(VEXORISP_SINK sink, void* context, unsigned int message);
    // Closes any open line, then opens line. Requests waiting before end with VEXORISP_NOT_OPEN.
    bool Open(const VEXORISP_LINE& line);
    void Close();
    bool IsOpen() const;

    // Every frame written and every chunk read go to trace (null: none).
    void SetTrace(VEXORISP_TRACE trace, void* context);
    // Retries and time-out for requests submitted from now on.
    void SetOption(int retries, int timeoutMs);
    // Keeps the line quiet for quietMs from now (never shortens a quiet period already set): the
    // next request waits, and what arrives meanwhile is dropped.
    void HoldQuiet(int quietMs);
    // Queues a request; an empty frame ends with VEXORISP_BAD_REQUEST. Never notifies from here.
    void Submit(RTU_REQUEST request);

private:
    using Clock = std::chrono::steady_clock;

    struct PENDING {
        RTU_REQUEST request;
        int retries = 0;
        int timeoutMs = 0;
        int outcome = 0; // non-zero: ends with this outcome without going on the line
        int attempts = 0;
        Clock::time_point firstSent;
        Clock::time_point lastSent;
    };

    void SchedulePump();
    void Pump();
    // Puts the head request on the line. The request stays at the head of the queue until this call
    // is done with it: a line error the port signals from inside the write is handled on return.
    void Transmit();
    void OnReadyRead();
    void OnAnswerTimeout();
    void OnLineError();
    void RetryOrFail();
    // Takes the request on the line off the queue. After a request sent more than once the line
    // stays quiet, answers dropped, for one full request time-out (every retry's wait) after its
    // last copy, so that no late answer to one of its copies is taken for the next request.
    void FinishCurrent(bool answered);
    void FailWaiting(int outcome);
    // Calls the sink. Must be the last thing a call of this object does: the sink may destroy it.
    void Notify(int outcome, const BYTE* answer);
    long long LineMicros(std::size_t bytes) const;

    CNotifyDepth m_notifyDepth;        // declared first: the owners below refer to it
    CSinkSafeOwner<QObject> m_context; // parent of the timers; receiver of every connection
    CSinkSafeOwner<QSerialPort> m_port;
    QTimer* m_pAnswerTimer; // children of m_context
    QTimer* m_pPumpTimer;
    VEXORISP_LINE m_line{};
    VEXORISP_TRACE m_pfnTrace = nullptr;
    void* m_pTraceContext = nullptr;
    VEXORISP_SINK m_pfnSink = nullptr;
    void* m_pSinkContext = nullptr;
    unsigned int m_uMessage = 0;
    int m_nRetries = 3;
    int m_nTimeoutMs = 200;
    std::deque<PENDING> m_queue;
    bool m_bOnLine = false; // the head of m_queue is on the line, waiting for its answer
    bool m_bPumpScheduled = false;
    bool m_bTransmitting = false; // inside Transmit: line errors wait for its end
    bool m_bLineFailed = false;   // a line error came during Transmit
    std::vector<BYTE> m_received;
    Clock::time_point m_quietUntil;
};
