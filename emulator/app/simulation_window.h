// Offline simulation: the emulated panel against the PLC in memory, with the table of the
// project's registers and coils beside it.
#pragma once

#include "emulator/app/simulation_table.h"

#include <QWidget>

#include <vector>

class CPanelSession;
class CPanelWindow;

class CSimulationWindow : public QWidget {
public:
    // session must be an offline one (CPanelSession::Simulated() not null) and outlive the window.
    CSimulationWindow(CPanelSession& session, std::vector<SIM_ROW> rows, const QString& name, int keyCount, int scale,
                      QWidget* parent = nullptr);

    CPanelWindow* Panel() const { return m_pPanel; }
    CSimulationTable* Table() const { return m_pTable; }

private:
    CPanelWindow* m_pPanel;
    CSimulationTable* m_pTable;
};
