#include "vexorisp/comm_line.h"

#include "vexorisp/comm_settings.h"

#include <QCoreApplication>
#include <QObject>
#include <QSerialPort>
#include <QTimer>

#include <algorithm>
#include <array>
#include <memory>

namespace {

// Margin added to answer waits and quiet periods for scheduling and pty latency.
constexpr long long LINE_MARGIN_MICROS = 5000;

QSerialPort::Parity ToQtParity(int parity)
{
    switch (parity) {
    case 'N': return QSerialPort::NoParity;
    case 'O': return QSerialPort::OddParity;
    default: return QSerialPort::EvenParity;
    }
}

int ToMillis(long long micros)
{
    return static_cast<int>(std::min<long long>((micros + 999) / 1000, 24LL * 3600 * 1000));
}

} // namespace

CCommLine::CCommLine()
    : m_context(m_notifyDepth, new QObject), m_port(m_notifyDepth), m_pAnswerTimer(new QTimer(m_context.Get())),
      m_pPumpTimer(new QTimer(m_context.Get()))
{
    m_pAnswerTimer->setSingleShot(true);
    m_pAnswerTimer->setTimerType(Qt::PreciseTimer);
    m_pPumpTimer->setSingleShot(true);
    m_pPumpTimer->setTimerType(Qt::PreciseTimer);
    QObject::connect(m_pAnswerTimer, &QTimer::timeout, m_context.Get(), [this] { OnAnswerTimeout(); });
    QObject::connect(m_pPumpTimer, &QTimer::timeout, m_context.Get(), [this] { Pump(); });
}

CCommLine::~CCommLine()
{
    m_pfnSink = nullptr;
    Close();
    m_queue.clear();
    m_pAnswerTimer->stop();
    m_pPumpTimer->stop();
    // m_port and m_context go with their owners, deferred when a sink ends the line.
}

void CCommLine::SetSink(VEXORISP_SINK sink, void* context, unsigned int message)
{
    m_pfnSink = sink;
    m_pSinkContext = context;
    m_uMessage = message;
}

bool CCommLine::Open(const VEXORISP_LINE& line)
{
    Close();
    m_line = line;
    auto port = std::make_unique<QSerialPort>(QString::fromLocal8Bit(line.device));
    port->setBaudRate(line.baud);
    port->setDataBits(static_cast<QSerialPort::DataBits>(line.dataBits));
    port->setParity(ToQtParity(line.parity));
    port->setStopBits(line.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    port->setFlowControl(QSerialPort::NoFlowControl);
    if (!port->open(QIODevice::ReadWrite))
        return false;
    m_port.Reset(port.release());
    QObject::connect(m_port.Get(), &QSerialPort::readyRead, m_context.Get(), [this] { OnReadyRead(); });
    QObject::connect(m_port.Get(), &QSerialPort::errorOccurred, m_context.Get(),
                     [this](QSerialPort::SerialPortError error) {
                         if (error == QSerialPort::ResourceError || error == QSerialPort::WriteError ||
                             error == QSerialPort::ReadError)
                             OnLineError();
                     });
    return true;
}

void CCommLine::Close()
{
    if (m_port) {
        QObject::disconnect(m_port.Get(), nullptr, m_context.Get(), nullptr);
        m_port->close();
        m_port.Reset();
    }
    FailWaiting(VEXORISP_NOT_OPEN);
}

bool CCommLine::IsOpen() const
{
    return static_cast<bool>(m_port);
}

void CCommLine::SetTrace(VEXORISP_TRACE trace, void* context)
{
    m_pfnTrace = trace;
    m_pTraceContext = context;
}

void CCommLine::SetOption(int retries, int timeoutMs)
{
    m_nRetries = retries;
    m_nTimeoutMs = timeoutMs;
}

void CCommLine::HoldQuiet(int quietMs)
{
    m_quietUntil = std::max(m_quietUntil, Clock::now() + std::chrono::milliseconds(quietMs));
}

void CCommLine::Submit(RTU_REQUEST request)
{
    PENDING pending;
    pending.outcome = request.frame.empty() ? VEXORISP_BAD_REQUEST : 0;
    pending.request = std::move(request);
    pending.retries = m_nRetries;
    pending.timeoutMs = m_nTimeoutMs;
    m_queue.push_back(std::move(pending));
    SchedulePump();
}

void CCommLine::SchedulePump()
{
    if (m_bPumpScheduled || m_bOnLine)
        return;
    m_bPumpScheduled = true;
    QMetaObject::invokeMethod(
        m_context.Get(), [this] { Pump(); }, Qt::QueuedConnection);
}

// Starts the request at the head of the queue, or ends it at once when it cannot go on the line.
void CCommLine::Pump()
{
    m_bPumpScheduled = false;
    if (m_bOnLine || m_queue.empty())
        return;
    PENDING& head = m_queue.front();
    Clock::time_point now = Clock::now();
    if (now < m_quietUntil) {
        auto wait = std::chrono::duration_cast<std::chrono::microseconds>(m_quietUntil - now).count();
        m_pPumpTimer->start(ToMillis(wait));
        return;
    }
    int outcome = head.outcome != 0 ? head.outcome : (m_port ? 0 : VEXORISP_NOT_OPEN);
    if (outcome != 0) {
        // Without a line, fail no faster than an unanswered request would, so that a caller
        // that asks again at once (the entry knocks) does not spin.
        if (head.outcome == 0 && !m_port)
            m_quietUntil = now + std::chrono::milliseconds(head.timeoutMs);
        m_queue.pop_front();
        if (!m_queue.empty())
            SchedulePump();
        Notify(outcome, nullptr);
        return;
    }
    m_bOnLine = true;
    Transmit();
}

void CCommLine::Transmit()
{
    m_bTransmitting = true;
    m_bLineFailed = false;
    PENDING& head = m_queue.front();
    // Whatever arrived before a request's first frame cannot be its answer. A copy sent again
    // keeps what came in: a late answer to the earlier copy answers it just as well, and the
    // timer may have fired before the notification of an answer already waiting.
    if (head.attempts == 0) {
        m_received.clear();
        m_port->clear(QSerialPort::Input);
        m_port->readAll();
    }
    const std::vector<BYTE>& frame = head.request.frame;
    qint64 written = m_port->write(reinterpret_cast<const char*>(frame.data()), static_cast<qint64>(frame.size()));
    if (written == static_cast<qint64>(frame.size())) {
        if (m_pfnTrace)
            m_pfnTrace(m_pTraceContext, VEXORISP_TRACE_SENT, frame.data(), static_cast<int>(frame.size()));
        m_port->flush();
    } else
        m_bLineFailed = true;
    m_bTransmitting = false;
    if (m_bLineFailed) {
        OnLineError();
        return;
    }
    head.lastSent = Clock::now();
    if (head.attempts++ == 0)
        head.firstSent = head.lastSent;
    long long wait =
        head.timeoutMs * 1000LL + LineMicros(frame.size()) + LineMicros(head.request.answerLength) + LINE_MARGIN_MICROS;
    m_pAnswerTimer->start(ToMillis(wait));
}

void CCommLine::OnReadyRead()
{
    QByteArray bytes = m_port->readAll();
    if (m_pfnTrace && !bytes.isEmpty())
        m_pfnTrace(m_pTraceContext, VEXORISP_TRACE_RECEIVED, reinterpret_cast<const BYTE*>(bytes.constData()),
                   static_cast<int>(bytes.size()));
    if (!m_bOnLine) {
        // Late answers to requests already ended: keep the line quiet a little longer.
        Clock::time_point later =
            Clock::now() + std::chrono::microseconds(LineMicros(RTU_FRAME_MAX / 16) + LINE_MARGIN_MICROS);
        if (m_pPumpTimer->isActive())
            m_quietUntil = std::max(m_quietUntil, later);
        return;
    }
    m_received.insert(m_received.end(), bytes.begin(), bytes.end());
    for (;;) {
        const RTU_REQUEST& request = m_queue.front().request;
        RTU_ANSWER_CHECK check = CheckAnswer(request, m_received.data(), m_received.size());
        switch (check.status) {
        case RTU_ANSWER_INCOMPLETE:
            m_received.erase(m_received.begin(), m_received.begin() + static_cast<long>(check.skipped));
            return;
        case RTU_ANSWER_FOREIGN:
            m_received.erase(m_received.begin(), m_received.begin() + static_cast<long>(check.skipped + check.length));
            continue;
        case RTU_ANSWER_BAD_CRC:
            m_received.erase(m_received.begin(), m_received.begin() + static_cast<long>(check.skipped + check.length));
            RetryOrFail();
            return;
        case RTU_ANSWER_EXCEPTION: {
            BYTE code = check.exceptionCode;
            FinishCurrent(true);
            Notify(VEXORISP_EXCEPTION_BASE - code, nullptr);
            return;
        }
        case RTU_ANSWER_OK: {
            std::array<BYTE, RTU_FRAME_MAX> answer{};
            std::copy_n(m_received.begin() + static_cast<long>(check.skipped), check.length, answer.begin());
            FinishCurrent(true);
            Notify(static_cast<int>(check.length), answer.data());
            return;
        }
        }
    }
}

void CCommLine::OnAnswerTimeout()
{
    if (m_bOnLine)
        RetryOrFail();
}

void CCommLine::RetryOrFail()
{
    PENDING& head = m_queue.front();
    if (head.attempts <= head.retries) {
        Transmit();
        return;
    }
    FinishCurrent(false);
    Notify(VEXORISP_NO_ANSWER, nullptr);
}

void CCommLine::OnLineError()
{
    if (m_bTransmitting) {
        m_bLineFailed = true;
        return;
    }
    if (!m_bOnLine)
        return;
    FinishCurrent(false);
    Notify(VEXORISP_LINE_ERROR, nullptr);
}

void CCommLine::FinishCurrent(bool answered)
{
    m_pAnswerTimer->stop();
    PENDING done = std::move(m_queue.front());
    m_queue.pop_front();
    m_bOnLine = false;
    m_received.clear();
    if (done.attempts > 1) {
        // The frame went out more than once; answers to the other copies may follow, and an answer
        // carries nothing that tells which copy, or which request, it answers (two blocks of the
        // same data answer alike). Any copy's answer was acceptable for as long as the whole
        // request could wait, all its retries included: keep the line quiet, dropping whatever
        // arrives, for that long after the last copy, so no late answer meets the next request.
        // An answer may also have taken as long as the time since the first copy; a quarter more
        // absorbs the jitter of a panel that is slow anyway.
        const Clock::duration attempt =
            std::chrono::microseconds(done.timeoutMs * 1000LL + LineMicros(done.request.frame.size()) +
                                      LineMicros(done.request.answerLength) + LINE_MARGIN_MICROS);
        Clock::duration delay = attempt * (done.retries + 1);
        if (answered)
            delay = std::max<Clock::duration>(delay, (Clock::now() - done.firstSent) * 5 / 4);
        m_quietUntil = done.lastSent + delay +
                       std::chrono::microseconds(LineMicros(done.request.answerLength) + LINE_MARGIN_MICROS);
    }
    if (!m_queue.empty())
        SchedulePump();
}

void CCommLine::FailWaiting(int outcome)
{
    if (m_bOnLine) {
        m_pAnswerTimer->stop();
        m_bOnLine = false;
    }
    for (PENDING& pending : m_queue)
        if (pending.outcome == 0)
            pending.outcome = outcome;
    if (!m_queue.empty())
        SchedulePump();
}

void CCommLine::Notify(int outcome, const BYTE* answer)
{
    // Nothing of this object may be touched after the sink returns: it may have ended the library.
    VEXORISP_SINK sink = m_pfnSink;
    if (!sink)
        return;
    CNotifyScope scope(m_notifyDepth);
    sink(m_pSinkContext, m_uMessage, outcome, answer);
}

long long CCommLine::LineMicros(std::size_t bytes) const
{
    return GetLineTimeMicros(m_line, bytes);
}
