// The serial port question the communication library asks in manual mode ("COM config" and the
// programmer's start): COM number, its device (chosen among the machine's ports by stable name, or
// typed), and the line settings for this session.
#pragma once

#include "vexorisp/vexorisp.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QSpinBox;

class CCommPortDlg : public QDialog {
public:
    // The device list ("devices", editable; its text box is "device") holds the ports of
    // ListSerialPorts (folders from the environment), each row's data its path, a port the user may
    // not open marked; the line's own device is shown in the text box even when it is not listed.
    // While the text names a device that is not there, or one the user may not open, the hint
    // ("hint") says so (the dialout group for the second).
    CCommPortDlg(const VEXORISP_LINE& line, QWidget* parent = nullptr);

    // The line as edited (valid after OK).
    VEXORISP_LINE GetLine() const;
    // Adds the programmer's check box "Confirm every block" ("confirmAll") above the buttons,
    // checked as given; IsConfirmAll answers it after OK (false while it was never offered).
    void OfferConfirmAll(bool checked);
    bool IsConfirmAll() const;

private:
    void OnComChanged(int com);
    void ShowHint();

    VEXORISP_LINE m_line;
    QSpinBox* m_pCom = nullptr;
    QComboBox* m_pDevice = nullptr;
    QLabel* m_pHint = nullptr;
    QComboBox* m_pBaud = nullptr;
    QComboBox* m_pDataBits = nullptr;
    QComboBox* m_pParity = nullptr;
    QComboBox* m_pStopBits = nullptr;
    QCheckBox* m_pConfirmAll = nullptr;
    QFormLayout* m_pForm = nullptr;
    int m_nShownCom = 1;
};
