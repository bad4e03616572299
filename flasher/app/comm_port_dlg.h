// The serial port question the communication library asks in manual mode ("COM config" and the
// programmer's start): COM number, its device, and the line settings for this session.
#pragma once

#include "vexorisp/vexorisp.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QSpinBox;

class CCommPortDlg : public QDialog {
public:
    CCommPortDlg(const VEXORISP_LINE& line, QWidget* parent = nullptr);

    // The line as edited (valid after OK).
    VEXORISP_LINE GetLine() const;

private:
    void OnComChanged(int com);

    VEXORISP_LINE m_line;
    QSpinBox* m_pCom = nullptr;
    QLineEdit* m_pDevice = nullptr;
    QComboBox* m_pBaud = nullptr;
    QComboBox* m_pDataBits = nullptr;
    QComboBox* m_pParity = nullptr;
    QComboBox* m_pStopBits = nullptr;
    int m_nShownCom = 1;
};
