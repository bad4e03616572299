// The emulator's window: the panel's display scaled with a pixel-grid look, the panel's keys as
// buttons (with keyboard shortcuts) and a status line.
#pragma once

#include <QWidget>

#include <map>

class CPanelSession;
class QLabel;
class QPushButton;
class QTimer;

class CPanelWindow : public QWidget {
public:
    // Keys 0 to keyCount - 1 get buttons; the session is not owned and must outlive the window.
    CPanelWindow(CPanelSession& session, int keyCount, int scale, QWidget* parent = nullptr);

    // The keyboard key that stands for a panel key (F1-F12, arrows, Return for ENT, Escape for
    // ESC, Tab for SET, Backspace for CLR, M, Home, A, Page Up/Down); -1 for any other.
    static int PanelKeyOf(int qtKey);
    QPushButton* KeyButton(int key) const;
    QLabel* StatusLine() const { return m_pStatus; }
    // Polls when due and shows the display and the status.
    void Refresh();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    // Tab is the SET key, not a focus move.
    bool focusNextPrevChild(bool) override { return false; }

private:
    void Press(int key);
    void Release(int key);

    CPanelSession& m_session;
    int m_nScale;
    QLabel* m_pDisplay;
    QLabel* m_pStatus;
    QTimer* m_pTimer;
    std::map<int, QPushButton*> m_buttons;
};
