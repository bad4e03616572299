#include "flasher/app/comm_port_dlg.h"

#include "flasher/app/flasher_app.h"
#include "vexorisp/serial_ports.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLabel>
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
    m_pDevice = new QComboBox(this);
    m_pDevice->setEditable(true);
    m_pDevice->setInsertPolicy(QComboBox::NoInsert);
    m_pDevice->setMinimumWidth(360);
    m_pDevice->setObjectName(QStringLiteral("devices"));
    m_pDevice->lineEdit()->setObjectName(QStringLiteral("device"));
    for (const SERIAL_PORT_ENTRY& port : ListSerialPorts(SERIAL_PORT_FOLDERS::FromEnvironment())) {
        QString text = QString::fromLocal8Bit(DescribeSerialPort(port).c_str());
        if (!port.permitted)
            text += QCoreApplication::translate("Flasher", " (no permission)");
        m_pDevice->addItem(text, QString::fromLocal8Bit(port.path.c_str()));
    }
    // A chosen row puts its path into the text box, which is what the line opens.
    connect(m_pDevice, qOverload<int>(&QComboBox::activated), this,
            [this](int row) { m_pDevice->setEditText(m_pDevice->itemData(row).toString()); });
    // No row is current: the text box shows the line's own path, not a row's words.
    m_pDevice->setCurrentIndex(-1);
    m_pDevice->setEditText(QString::fromLocal8Bit(line.device));
    m_pHint = new QLabel(this);
    m_pHint->setObjectName(QStringLiteral("hint"));
    m_pHint->setWordWrap(true);
    connect(m_pDevice, &QComboBox::editTextChanged, this, [this] { ShowHint(); });
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
    form->addRow(m_pHint);
    form->addRow(QCoreApplication::translate("Flasher", "Baud rate:"), m_pBaud);
    form->addRow(QCoreApplication::translate("Flasher", "Data bits:"), m_pDataBits);
    form->addRow(QCoreApplication::translate("Flasher", "Parity:"), m_pParity);
    form->addRow(QCoreApplication::translate("Flasher", "Stop bits:"), m_pStopBits);
    form->addRow(buttons);
    m_pForm = form;
    ShowHint();
}

void CCommPortDlg::ShowHint()
{
    const QByteArray device = m_pDevice->currentText().toLocal8Bit();
    QString hint;
    if (!device.isEmpty() && !SerialPortExists(device.toStdString()))
        hint = QCoreApplication::translate("Flasher", "%1 is not there: is the adapter plugged in?")
                   .arg(m_pDevice->currentText());
    else if (!device.isEmpty() && !SerialPortPermitted(device.toStdString()))
        hint = QCoreApplication::translate("Flasher", "You may not open %1: serial ports belong to the group "
                                                      "dialout (sudo usermod -aG dialout $USER, then log in again).")
                   .arg(m_pDevice->currentText());
    m_pHint->setText(hint);
    m_pHint->setVisible(!hint.isEmpty());
}

void CCommPortDlg::OnComChanged(int com)
{
    // A device the user named stays; the default one follows the number.
    if (m_pDevice->currentText() == DefaultDevice(m_nShownCom) || m_pDevice->currentText().isEmpty())
        m_pDevice->setEditText(DefaultDevice(com));
    m_nShownCom = com;
}

void CCommPortDlg::OfferConfirmAll(bool checked)
{
    if (m_pConfirmAll == nullptr) {
        m_pConfirmAll = new QCheckBox(QCoreApplication::translate("Flasher", "Confirm every block"), this);
        m_pConfirmAll->setObjectName(QStringLiteral("confirmAll"));
        m_pConfirmAll->setToolTip(QCoreApplication::translate(
            "Flasher", "A block equal to one answered just before waits until a late repeat of that answer can no "
                       "longer come (up to 225 ms a block). Without it such blocks wait only while that costs little; "
                       "otherwise the run ends unconfirmed."));
        m_pForm->insertRow(m_pForm->rowCount() - 1, m_pConfirmAll);
    }
    m_pConfirmAll->setChecked(checked);
}

bool CCommPortDlg::IsConfirmAll() const
{
    return m_pConfirmAll != nullptr && m_pConfirmAll->isChecked();
}

VEXORISP_LINE CCommPortDlg::GetLine() const
{
    VEXORISP_LINE line = m_line;
    line.com = m_pCom->value();
    std::snprintf(line.device, sizeof line.device, "%s", m_pDevice->currentText().toLocal8Bit().constData());
    line.baud = m_pBaud->currentText().toInt();
    if (line.baud <= 0)
        line.baud = m_line.baud;
    line.dataBits = m_pDataBits->currentData().toInt();
    line.parity = m_pParity->currentData().toInt();
    line.stopBits = m_pStopBits->currentData().toInt();
    return line;
}
