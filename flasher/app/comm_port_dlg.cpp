#include "flasher/app/comm_port_dlg.h"

#include "flasher/app/flasher_app.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QSpinBox>

#include <cstdio>

namespace {

// The device a COM number has when the settings name none for it.
QString DefaultDevice(int com)
{
    return QStringLiteral("/dev/ttyUSB%1").arg(com - 1);
}

QComboBox* AddChoices(QWidget* parent, const QStringList& texts, const QList<int>& values, int current)
{
    auto* box = new QComboBox(parent);
    for (int i = 0; i < texts.size(); ++i)
        box->addItem(texts[i], values[i]);
    box->setCurrentIndex(qMax(0, values.indexOf(current)));
    return box;
}

} // namespace

CCommPortDlg::CCommPortDlg(const VEXORISP_LINE& line, QWidget* parent) : QDialog(parent), m_line(line)
{
    setWindowTitle(QCoreApplication::translate("Flasher", "COM config"));
    setFont(CFlasherApp::GetDialogFont());

    m_nShownCom = line.com;
    m_pCom = new QSpinBox(this);
    m_pCom->setRange(1, 256);
    m_pCom->setPrefix(QStringLiteral("COM"));
    m_pCom->setValue(line.com);
    m_pCom->setObjectName(QStringLiteral("com"));
    m_pDevice = new QLineEdit(QString::fromLocal8Bit(line.device), this);
    m_pDevice->setMinimumWidth(200);
    m_pDevice->setObjectName(QStringLiteral("device"));
    m_pBaud = new QComboBox(this);
    m_pBaud->setEditable(true);
    m_pBaud->setValidator(new QIntValidator(50, 4000000, m_pBaud));
    for (int baud : {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200})
        m_pBaud->addItem(QString::number(baud));
    m_pBaud->setCurrentText(QString::number(line.baud));
    m_pDataBits = AddChoices(this, {"5", "6", "7", "8"}, {5, 6, 7, 8}, line.dataBits);
    m_pParity = AddChoices(this, {"None", "Even", "Odd"}, {'N', 'E', 'O'}, line.parity);
    m_pStopBits = AddChoices(this, {"1", "2"}, {1, 2}, line.stopBits);
    connect(m_pCom, qOverload<int>(&QSpinBox::valueChanged), this, [this](int com) { OnComChanged(com); });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow(QCoreApplication::translate("Flasher", "Port:"), m_pCom);
    form->addRow(QCoreApplication::translate("Flasher", "Device:"), m_pDevice);
    form->addRow(QCoreApplication::translate("Flasher", "Baud rate:"), m_pBaud);
    form->addRow(QCoreApplication::translate("Flasher", "Data bits:"), m_pDataBits);
    form->addRow(QCoreApplication::translate("Flasher", "Parity:"), m_pParity);
    form->addRow(QCoreApplication::translate("Flasher", "Stop bits:"), m_pStopBits);
    form->addRow(buttons);
}

void CCommPortDlg::OnComChanged(int com)
{
    // A device the user named stays; the default one follows the number.
    if (m_pDevice->text() == DefaultDevice(m_nShownCom) || m_pDevice->text().isEmpty())
        m_pDevice->setText(DefaultDevice(com));
    m_nShownCom = com;
}

VEXORISP_LINE CCommPortDlg::GetLine() const
{
    VEXORISP_LINE line = m_line;
    line.com = m_pCom->value();
    std::snprintf(line.device, sizeof line.device, "%s", m_pDevice->text().toLocal8Bit().constData());
    line.baud = m_pBaud->currentText().toInt();
    if (line.baud <= 0)
        line.baud = m_line.baud;
    line.dataBits = m_pDataBits->currentData().toInt();
    line.parity = m_pParity->currentData().toInt();
    line.stopBits = m_pStopBits->currentData().toInt();
    return line;
}
