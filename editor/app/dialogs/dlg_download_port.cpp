// The download port dialog.
#include "editor/app/dialogs/dlg_download_port.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>

namespace {

QString ParityWords(char parity)
{
    switch (parity) {
    case 'N': return QCoreApplication::translate("EditorDialogs", "无校验");
    case 'O': return QCoreApplication::translate("EditorDialogs", "奇校验");
    default: return QCoreApplication::translate("EditorDialogs", "偶校验");
    }
}

} // namespace

CDlgDownloadPort::CDlgDownloadPort(const COMM_SETTINGS& settings, std::vector<SERIAL_PORT_ENTRY> ports, QWidget* parent)
    : CDlgBase(parent, QCoreApplication::translate("EditorDialogs", "下载串口设置"), QSize(560, 290)),
      m_ports(std::move(ports))
{
    const std::string current = settings.GetDevicePath(settings.com);
    bool listed = false;
    for (const SERIAL_PORT_ENTRY& port : m_ports)
        listed = listed || port.path == current;
    if (!listed) {
        SERIAL_PORT_ENTRY missing; // a device left empty marks it as not connected
        missing.path = current;
        if (SerialPortExists(current))
            missing.device = current;
        m_ports.insert(m_ports.begin(), missing);
    }
    AddLabel(QCoreApplication::translate("EditorDialogs", "串口"), QRect(25, 33, 80, ROW_HEIGHT));
    QComboBox* list = AddComboBox(ID_PORT, QRect(100, 33, 435, ROW_HEIGHT));
    for (std::size_t row = 0; row < m_ports.size(); ++row) {
        const SERIAL_PORT_ENTRY& port = m_ports[row];
        QString text = QString::fromLocal8Bit(DescribeSerialPort(port).c_str());
        if (port.device.empty())
            text += QCoreApplication::translate("EditorDialogs", "（未连接）");
        else if (!port.permitted)
            text += QCoreApplication::translate("EditorDialogs", "（无权限）");
        list->addItem(text, QString::fromLocal8Bit(port.path.c_str()));
        if (port.path == current)
            list->setCurrentIndex(int(row));
    }
    auto* hint = AddLabel(QString(), QRect(25, 68, 510, 54));
    hint->setObjectName(QString::number(ID_HINT));
    hint->setWordWrap(true);
    const QString line =
        QCoreApplication::translate(
            "EditorDialogs", "下载程序使用的线路设置（来自 MD_DLL.DFT，仅供参考）：%1 波特，%2 位数据，%3，%4 位停止")
            .arg(settings.baud)
            .arg(settings.dataBits)
            .arg(ParityWords(settings.parity))
            .arg(settings.stopBits);
    auto* lineLabel = AddLabel(line, QRect(25, 128, 510, 54));
    lineLabel->setObjectName(QString::number(ID_LINE));
    lineLabel->setWordWrap(true);
    AddOkCancel();
    connect(list, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] { ShowHint(); });
    ShowHint();
}

std::string CDlgDownloadPort::GetDevice() const
{
    const QComboBox* list = Child<QComboBox>(ID_PORT);
    return list->currentIndex() < 0 ? std::string() : list->currentData().toString().toLocal8Bit().toStdString();
}

void CDlgDownloadPort::ShowHint()
{
    const int row = Child<QComboBox>(ID_PORT)->currentIndex();
    QString hint;
    if (row >= 0) {
        const SERIAL_PORT_ENTRY& port = m_ports[std::size_t(row)];
        const QString path = QString::fromLocal8Bit(port.path.c_str());
        if (port.device.empty())
            hint = QCoreApplication::translate("EditorDialogs", "串口 %1 未连接：请插上适配器，或选择另一个串口。")
                       .arg(path);
        else if (!port.permitted)
            hint = QCoreApplication::translate(
                       "EditorDialogs",
                       "没有打开 %1 的权限：串口属于 dialout 组，请执行 sudo usermod -aG dialout $USER 后重新登录。")
                       .arg(path);
    }
    Child<QLabel>(ID_HINT)->setText(hint);
}
