// The emulated panel's own thread for the window: polling and key playback wait for the PLC there,
// so the window keeps answering while a request is under way or a line does not answer.
#pragma once

#include <QImage>
#include <QString>
#include <QThread>

#include <functional>
#include <memory>

class CPanelSession;
class QObject;
class QTimer;

class CPanelWorker {
public:
    // What one step left on the panel: the display drawn at the window's scale, the status line,
    // the screen shown (1-based) and whether a register is being edited.
    struct FRAME {
        QImage display;
        QString status;
        int screen = 0;
        bool editing = false;
    };
    using DELIVER = std::function<void(const FRAME&)>;

    // Steps `session` every `tickMs` on a thread of its own from Start on; after every step (and
    // every key) `deliver` runs on the thread of `receiver` with the frame, queued, and not at all
    // once `receiver` is gone. The session is not owned: from Start until the worker is destroyed
    // only the worker's thread touches it.
    CPanelWorker(CPanelSession& session, int scale, int tickMs, QObject* receiver, DELIVER deliver);
    // Waits for the request under way (its answer time-out; on a serial line after a failure also
    // the drain before it, at most four time-outs more) and stops the thread.
    ~CPanelWorker();
    CPanelWorker(const CPanelWorker&) = delete;
    CPanelWorker& operator=(const CPanelWorker&) = delete;

    // Starts the thread and steps at once; a second call does nothing.
    void Start();
    // Panel key `key` pressed or released, played on the worker's thread in the order given, each
    // followed by a frame.
    void Press(int key);
    void Release(int key);

private:
    // Runs on the worker's thread: one session step (a poll when due, or at once with `pollNow`),
    // then a frame when anything shown changed, or `always`.
    void Step(bool pollNow, bool always);
    // Runs `work` on the worker's thread, queued.
    void Post(std::function<void()> work);

    CPanelSession& m_session;
    int m_nScale;
    int m_nTickMs;
    QObject* m_pReceiver;
    DELIVER m_deliver;
    QThread m_thread;
    std::unique_ptr<QObject> m_pContext; // lives on m_thread while it runs
    QTimer* m_pTimer = nullptr;          // a child of m_pContext, made on m_thread
    FRAME m_last;                        // the last frame delivered (worker's thread only)
};
