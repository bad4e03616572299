// The download port dialog ("下载串口设置"): the machine's serial ports by stable name, the one the
// programmer uses now, a hint for ports the user may not open, and the programmer's line settings
// shown for information (they come from MD_DLL.DFT, not from this dialog).
#pragma once

#include "editor/app/dialogs/dlg_base.h"

#include "vexorisp/serial_ports.h"

#include <string>
#include <vector>

class CDlgDownloadPort : public CDlgBase {
    Q_OBJECT
public:
    enum : UINT { IDD = 6110, ID_PORT = 6111, ID_HINT = 6112, ID_LINE = 6113 };

    // Lists ports in their order, each row's data its path; starts on the row of the device the
    // settings' COM number names. That device, when it is not among ports (unplugged, or a name
    // typed into the file), is the first row, marked as not connected. A row the user may not open
    // is marked, and while it is chosen the hint names the dialout group; a chosen device that is
    // not connected is named by the hint as well.
    CDlgDownloadPort(const COMM_SETTINGS& settings, std::vector<SERIAL_PORT_ENTRY> ports, QWidget* parent = nullptr);

    // The chosen row's path; empty when the list is empty.
    std::string GetDevice() const;

private:
    void ShowHint();

    std::vector<SERIAL_PORT_ENTRY> m_ports; // the rows, the not-connected device first when shown
};
