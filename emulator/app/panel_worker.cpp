// The panel session stepped on a thread of its own, its frames handed to the window's thread.
#include "emulator/app/panel_worker.h"

#include "emulator/app/panel_session.h"
#include "emulator/panel_snapshot.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QTimer>

CPanelWorker::CPanelWorker(CPanelSession& session, int scale, int tickMs, QObject* receiver, DELIVER deliver)
    : m_session(session), m_nScale(scale), m_nTickMs(tickMs), m_pReceiver(receiver), m_deliver(std::move(deliver)),
      m_pContext(std::make_unique<QObject>())
{
    m_pContext->moveToThread(&m_thread);
}

CPanelWorker::~CPanelWorker()
{
    if (m_thread.isRunning()) {
        // The timer stops where it runs, and the context comes home before the thread ends.
        QThread* home = QThread::currentThread();
        QMetaObject::invokeMethod(
            m_pContext.get(),
            [this, home] {
                delete m_pTimer;
                m_pTimer = nullptr;
                m_pContext->moveToThread(home);
            },
            Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
    }
}

void CPanelWorker::Start()
{
    if (m_thread.isRunning())
        return;
    m_thread.start();
    Post([this] {
        m_pTimer = new QTimer(m_pContext.get());
        QObject::connect(m_pTimer, &QTimer::timeout, m_pContext.get(), [this] { Step(false, false); });
        m_pTimer->start(m_nTickMs);
        Step(true, true);
    });
}

void CPanelWorker::Press(int key)
{
    Post([this, key] {
        m_session.Press(key);
        Step(false, true);
    });
}

void CPanelWorker::Release(int key)
{
    Post([this, key] {
        m_session.Release(key);
        Step(false, true);
    });
}

void CPanelWorker::Post(std::function<void()> work)
{
    QMetaObject::invokeMethod(m_pContext.get(), std::move(work), Qt::QueuedConnection);
}

void CPanelWorker::Step(bool pollNow, bool always)
{
    m_session.Step(pollNow);
    FRAME frame;
    frame.display = CPanelSnapshot::ToImage(m_session.Display(), m_nScale, m_session.Runtime().IsDimmed());
    frame.status = QString::fromStdString(m_session.Status());
    frame.screen = m_session.Runtime().GetCurrentScreen();
    frame.editing = m_session.Runtime().GetEditControl() >= 0;
    if (!always && frame.status == m_last.status && frame.screen == m_last.screen && frame.editing == m_last.editing &&
        frame.display == m_last.display)
        return; // nothing new to show
    m_last = frame;
    QMetaObject::invokeMethod(
        m_pReceiver, [deliver = m_deliver, frame] { deliver(frame); }, Qt::QueuedConnection);
}
