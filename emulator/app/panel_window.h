// The emulator's window: the panel's display scaled with a pixel-grid look, the panel's keys as
// buttons (with keyboard shortcuts) and a status line. The panel runs on a thread of its own
// (CPanelWorker), so the window answers while the PLC is slow or silent.
#pragma once

#include "emulator/app/panel_worker.h"

#include <QWidget>

#include <map>
#include <memory>

class CPanelSession;
class QEventLoop;
class QLabel;
class QPushButton;

class CPanelWindow : public QWidget {
public:
    // Keys 0 to keyCount - 1 get buttons; the session is not owned and must outlive the window,
    // and from here on only the window's panel thread touches it, until the window is gone.
    CPanelWindow(CPanelSession& session, int keyCount, int scale, QWidget* parent = nullptr);
    // Stops the panel thread (after the request under way: its answer time-out, and on a serial
    // line after a failure the drain before it).
    ~CPanelWindow() override;

    // The keyboard key that stands for a panel key (F1-F12, arrows, Return for ENT, Escape for
    // ESC, Tab for SET, Backspace for CLR, M, Home, A, Page Up/Down); -1 for any other.
    static int PanelKeyOf(int qtKey);
    QPushButton* KeyButton(int key) const;
    QLabel* StatusLine() const { return m_pStatus; }
    // The last frame the panel thread delivered and the window shows (an empty display and status
    // before the first).
    const CPanelWorker::FRAME& Shown() const { return m_shown; }
    // Runs the event loop until a frame newer than the one shown arrives; false after `timeoutMs`
    // without one.
    bool WaitForFrame(int timeoutMs);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    // Tab is the SET key, not a focus move.
    bool focusNextPrevChild(bool) override { return false; }

private:
    void Show(const CPanelWorker::FRAME& frame);

    QLabel* m_pDisplay;
    QLabel* m_pStatus;
    std::map<int, QPushButton*> m_buttons;
    CPanelWorker::FRAME m_shown;
    unsigned m_nFrames = 0;
    QEventLoop* m_pWaiting = nullptr; // WaitForFrame's loop while it runs
    std::unique_ptr<CPanelWorker> m_pWorker;
};
