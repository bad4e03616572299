// Serial line settings dialog.
#include "editor/app/dialogs/dlg_comm_settings.h"

#include "comkit/serial_attri.h"

#include <QComboBox>
#include <QCoreApplication>

using COM_HARDWARE_ATTRIBUTES_EX::CHADEXSerialAttri;

namespace {

QStringList PortNames()
{
    QStringList names;
    for (int port = 1; port <= 10; ++port)
        names << QStringLiteral("COM%1").arg(port);
    return names;
}

const QStringList& Numbers(UINT id)
{
    static const QStringList bauds = {"110",   "300",   "600",   "1200",  "2400",   "4800",   "9600",  "14400",
                                      "19200", "38400", "56000", "57600", "115200", "128000", "256000"};
    static const QStringList bits = {"5", "6", "7", "8"};
    return id == CDlgCommSettings::ID_BAUD ? bauds : bits;
}

} // namespace

CDlgCommSettings::CDlgCommSettings(CHADEXSerialAttri* serial, QWidget* parent)
    : CDlgBase(parent, QCoreApplication::translate("EditorDialogs", "串口通讯设置"), QSize(375, 366)), m_pSerial(serial)
{
    const char* labels[ROW_COUNT] = {QT_TRANSLATE_NOOP("EditorDialogs", "串口名称"),
                                     QT_TRANSLATE_NOOP("EditorDialogs", "波特率"),
                                     QT_TRANSLATE_NOOP("EditorDialogs", "数据位"),
                                     QT_TRANSLATE_NOOP("EditorDialogs", "奇偶校验"),
                                     QT_TRANSLATE_NOOP("EditorDialogs", "停止位"),
                                     QT_TRANSLATE_NOOP("EditorDialogs", "流控制")};
    const QStringList entries[ROW_COUNT] = {
        PortNames(),
        Numbers(ID_BAUD),
        Numbers(ID_DATA_BITS),
        {QCoreApplication::translate("EditorDialogs", "无"), QCoreApplication::translate("EditorDialogs", "奇"),
         QCoreApplication::translate("EditorDialogs", "偶"), QCoreApplication::translate("EditorDialogs", "标志"),
         QCoreApplication::translate("EditorDialogs", "空格")},
        {"1", "1.5", "2"},
        {QCoreApplication::translate("EditorDialogs", "无"), QCoreApplication::translate("EditorDialogs", "硬件"),
         QStringLiteral("Xon / Xoff")},
    };
    for (int row = 0; row < ROW_COUNT; ++row) {
        const int y = FIRST_ROW_Y + ROW_STEP * row;
        AddLabel(QCoreApplication::translate("EditorDialogs", labels[row]), QRect(35, y, 130, ROW_HEIGHT));
        AddComboBox(ID_PORT + UINT(row), QRect(130, y, 205, ROW_HEIGHT), entries[row]);
    }
    AddOkCancel();
    if (!m_pSerial)
        return;
    Child<QComboBox>(ID_PORT)->setCurrentIndex(PortNames().indexOf(QString::fromLatin1(m_pSerial->GetSerialName())));
    Child<QComboBox>(ID_BAUD)->setCurrentIndex(Numbers(ID_BAUD).indexOf(QString::number(m_pSerial->GetBaudrate())));
    Child<QComboBox>(ID_DATA_BITS)
        ->setCurrentIndex(Numbers(ID_DATA_BITS).indexOf(QString::number(m_pSerial->GetDataBits())));
    const int positions[3] = {m_pSerial->GetParity(), m_pSerial->GetStopBits(), m_pSerial->GetHandshake()};
    for (int i = 0; i < 3; ++i) {
        QComboBox* combo = Child<QComboBox>(ID_PARITY + UINT(i));
        combo->setCurrentIndex(positions[i] >= 0 && positions[i] < combo->count() ? positions[i] : -1);
    }
}

void CDlgCommSettings::accept()
{
    if (m_pSerial) {
        if (QComboBox* port = Child<QComboBox>(ID_PORT); port->currentIndex() >= 0)
            m_pSerial->SetSerialName(port->currentText().toLatin1().constData());
        if (QComboBox* baud = Child<QComboBox>(ID_BAUD); baud->currentIndex() >= 0)
            m_pSerial->SetBaudrate(CHADEXSerialAttri::EBaudrate(baud->currentText().toInt()));
        if (QComboBox* bits = Child<QComboBox>(ID_DATA_BITS); bits->currentIndex() >= 0)
            m_pSerial->SetDataBits(CHADEXSerialAttri::EDataBits(bits->currentText().toInt()));
        if (const int parity = Child<QComboBox>(ID_PARITY)->currentIndex(); parity >= 0)
            m_pSerial->SetParity(CHADEXSerialAttri::EParity(parity));
        if (const int stop = Child<QComboBox>(ID_STOP_BITS)->currentIndex(); stop >= 0)
            m_pSerial->SetStopBits(CHADEXSerialAttri::EStopBits(stop));
        if (const int handshake = Child<QComboBox>(ID_HANDSHAKE)->currentIndex(); handshake >= 0)
            m_pSerial->SetHandshake(CHADEXSerialAttri::EHandshake(handshake));
    }
    CDlgBase::accept();
}
