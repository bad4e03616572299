#include "emulator/app/panel_window.h"

#include "appkit/tool_cli.h"
#include "emulator/app/panel_session.h"
#include "emulator/panel_keys.h"

#include <QEventLoop>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

using namespace PANEL_KEYS;

namespace {

constexpr int TIMER_MS = 10;
constexpr int KEYS_PER_ROW = 8;

struct SHORTCUT {
    int qtKey;
    int panelKey;
    const char* label;
};

const SHORTCUT SHORTCUTS[] = {
    {Qt::Key_F1, KEY_F1, "F1"},
    {Qt::Key_F2, KEY_F2, "F2"},
    {Qt::Key_F3, KEY_F3, "F3"},
    {Qt::Key_F4, KEY_F4, "F4"},
    {Qt::Key_F5, KEY_F5, "F5"},
    {Qt::Key_F6, KEY_F6, "F6"},
    {Qt::Key_F7, KEY_F7, "F7"},
    {Qt::Key_F8, KEY_F8, "F8"},
    {Qt::Key_Up, KEY_UP, "Up"},
    {Qt::Key_Down, KEY_DOWN, "Down"},
    {Qt::Key_Left, KEY_LEFT, "Left"},
    {Qt::Key_Right, KEY_RIGHT, "Right"},
    {Qt::Key_Return, KEY_ENT, "Return"},
    {Qt::Key_Enter, KEY_ENT, "Enter"},
    {Qt::Key_Escape, KEY_ESC, "Esc"},
    {Qt::Key_Tab, KEY_SET, "Tab"},
    {Qt::Key_Backspace, KEY_CLR, "Backspace"},
    {Qt::Key_F9, KEY_F9, "F9"},
    {Qt::Key_F10, KEY_F10, "F10"},
    {Qt::Key_F11, KEY_F11, "F11"},
    {Qt::Key_F12, KEY_F12, "F12"},
    {Qt::Key_M, KEY_MENU, "M"},
    {Qt::Key_Home, KEY_HOME, "Home"},
    {Qt::Key_A, KEY_ALM, "A"},
    {Qt::Key_PageUp, KEY_PGUP, "PgUp"},
    {Qt::Key_PageDown, KEY_PGDN, "PgDn"},
};

const char* ShortcutLabel(int panelKey)
{
    for (const SHORTCUT& s : SHORTCUTS)
        if (s.panelKey == panelKey)
            return s.label;
    return "";
}

} // namespace

CPanelWindow::CPanelWindow(CPanelSession& session, int keyCount, int scale, QWidget* parent)
    : QWidget(parent), m_pDisplay(new QLabel(this)), m_pStatus(new QLabel(this))
{
    setWindowTitle(QString::fromLocal8Bit(session.Options().image.c_str()) + " - zqpanel-run");
    setFocusPolicy(Qt::StrongFocus);
    auto* layout = new QVBoxLayout(this);
    m_pDisplay->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_pDisplay);
    auto* keys = new QGridLayout;
    for (int k = 0; k < keyCount && k < KEY_COUNT; ++k) {
        auto* button = new QPushButton(QString::fromStdString(KeyName(k)), this);
        button->setFocusPolicy(Qt::NoFocus);
        button->setToolTip(ZQ_CLI::TrText(QT_TRANSLATE_NOOP("zqpanel-run", "%1 (keyboard: %2)"))
                               .arg(QString::fromStdString(KeyName(k)), ShortcutLabel(k)));
        connect(button, &QPushButton::pressed, this, [this, k] { m_pWorker->Press(k); });
        connect(button, &QPushButton::released, this, [this, k] { m_pWorker->Release(k); });
        keys->addWidget(button, k / KEYS_PER_ROW, k % KEYS_PER_ROW);
        m_buttons[k] = button;
    }
    layout->addLayout(keys);
    m_pStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_pStatus);
    m_pWorker = std::make_unique<CPanelWorker>(session, scale, TIMER_MS, this,
                                               [this](const CPanelWorker::FRAME& frame) { Show(frame); });
    m_pWorker->Start();
}

CPanelWindow::~CPanelWindow()
{
    m_pWorker.reset(); // before the widgets its frames would reach
}

int CPanelWindow::PanelKeyOf(int qtKey)
{
    for (const SHORTCUT& s : SHORTCUTS)
        if (s.qtKey == qtKey)
            return s.panelKey;
    return -1;
}

QPushButton* CPanelWindow::KeyButton(int key) const
{
    const auto it = m_buttons.find(key);
    return it == m_buttons.end() ? nullptr : it->second;
}

void CPanelWindow::Show(const CPanelWorker::FRAME& frame)
{
    m_shown = frame;
    ++m_nFrames;
    m_pDisplay->setPixmap(QPixmap::fromImage(frame.display));
    m_pStatus->setText(frame.status);
    if (m_pWaiting)
        m_pWaiting->quit();
}

bool CPanelWindow::WaitForFrame(int timeoutMs)
{
    const unsigned seen = m_nFrames;
    QEventLoop loop;
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    m_pWaiting = &loop;
    loop.exec();
    m_pWaiting = nullptr;
    return m_nFrames != seen;
}

void CPanelWindow::keyPressEvent(QKeyEvent* event)
{
    const int key = PanelKeyOf(event->key());
    if (key < 0 || !m_buttons.count(key)) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (!event->isAutoRepeat()) {
        m_buttons[key]->setDown(true);
        m_pWorker->Press(key);
    }
    event->accept();
}

void CPanelWindow::keyReleaseEvent(QKeyEvent* event)
{
    const int key = PanelKeyOf(event->key());
    if (key < 0 || !m_buttons.count(key)) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    if (!event->isAutoRepeat()) {
        m_buttons[key]->setDown(false);
        m_pWorker->Release(key);
    }
    event->accept();
}
