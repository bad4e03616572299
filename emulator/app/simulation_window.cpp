// The offline simulation's window.
#include "emulator/app/simulation_window.h"

#include "appkit/tool_cli.h"
#include "emulator/app/panel_session.h"
#include "emulator/app/panel_window.h"

#include <QHBoxLayout>

CSimulationWindow::CSimulationWindow(CPanelSession& session, std::vector<SIM_ROW> rows, const QString& name,
                                     int keyCount, int scale, QWidget* parent)
    : QWidget(parent)
{
    setWindowTitle(ZQ_CLI::TrText(QT_TRANSLATE_NOOP("zqpanel-run", "离线模拟 - %1")).arg(name));
    m_pPanel = new CPanelWindow(session, keyCount, scale, this);
    m_pTable = new CSimulationTable(
        *session.Simulated(), std::move(rows), [this] { m_pPanel->PollNow(); }, this);
    m_pTable->setMinimumWidth(380);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_pPanel);
    layout->addWidget(m_pTable, 1);
    m_pPanel->setFocus();
}
