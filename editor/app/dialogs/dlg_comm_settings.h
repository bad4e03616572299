// The serial line settings dialog ("串口通讯设置"): port, baud rate, data bits, parity, stop bits
// and handshake of a CHADEXSerialAttri, each a drop-down list.
#pragma once

#include "editor/app/dialogs/dlg_base.h"

namespace COM_HARDWARE_ATTRIBUTES_EX {
class CHADEXSerialAttri;
}

class CDlgCommSettings : public CDlgBase {
    Q_OBJECT
public:
    enum : UINT {
        IDD = 6100,
        ID_PORT = 6101,
        ID_BAUD = 6102,
        ID_DATA_BITS = 6103,
        ID_PARITY = 6104,
        ID_STOP_BITS = 6105,
        ID_HANDSHAKE = 6106
    };
    enum { ROW_COUNT = 6, FIRST_ROW_Y = 33, ROW_STEP = 40 };

    // Edits serial (not owned, must outlive the dialog); each list starts on the entry of the
    // current value, or on none when the value matches no entry.
    CDlgCommSettings(COM_HARDWARE_ATTRIBUTES_EX::CHADEXSerialAttri* serial, QWidget* parent = nullptr);

    // OK: every row with a selection writes its value; a row without one leaves its value as
    // it was. Then closes.
    void accept() override;

private:
    COM_HARDWARE_ATTRIBUTES_EX::CHADEXSerialAttri* m_pSerial;
};
