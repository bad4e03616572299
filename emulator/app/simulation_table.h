// The table beside the panel in offline simulation: every register and coil the project uses, with
// its value in the simulated PLC. The user edits the values; the panel's own writes (function keys,
// register entries) show up as they happen.
#pragma once

#include "comkit/types.h"

#include <QTableWidget>

#include <functional>
#include <string>
#include <vector>

class CSimulatedPlc;
class QTimer;

// One address of the table.
struct SIM_ROW {
    bool coil = false;
    int station = 0;
    int address = 0;   // line address, as the panel sends it
    std::string typed; // UTF-8, "D100"
    std::string uses;  // UTF-8, where the project uses it
};

class CSimulationTable : public QTableWidget {
public:
    enum Column { COLUMN_ADDRESS, COLUMN_STATION, COLUMN_CLASS, COLUMN_VALUE, COLUMN_USES, COLUMN_COUNT };

    // One line per row, in their order; only the value column is editable. plc is not owned and
    // must outlive the table. edited runs after every accepted edit (the window polls the panel).
    CSimulationTable(CSimulatedPlc& plc, std::vector<SIM_ROW> rows, std::function<void()> edited,
                     QWidget* parent = nullptr);

    // Shows the PLC's values when they changed since the last look (a timer looks every 20 ms;
    // tests call it to look now). A cell being edited keeps the user's text.
    void Refresh();
    const std::vector<SIM_ROW>& Rows() const { return m_rows; }

    // The rows of a project's addresses (its cross-reference, in its order); empty for an image,
    // which does not say how its addresses were typed, and for bytes that are no project.
    static std::vector<SIM_ROW> RowsOf(const std::vector<BYTE>& content);

private:
    // A register takes 0-65535 (or -32768 to -1 as its two's complement), a coil 0 or 1; any other
    // text is put back to the PLC's value.
    void OnChanged(QTableWidgetItem* item);
    void ShowValues();

    CSimulatedPlc& m_plc;
    std::vector<SIM_ROW> m_rows;
    std::function<void()> m_edited;
    QTimer* m_pTimer;
    unsigned long m_nShownRevision = 0;
    bool m_bShowing = false; // the values are being written by the table itself
};
