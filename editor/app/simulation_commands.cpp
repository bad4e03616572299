// Starting, raising and ending the emulator for the "模拟" menu.
#include "editor/app/simulation_commands.h"

#include "comkit/module_path.h"
#include "editor/app/look/user_prompts.h"
#include "editor/project.h"
#include "editor/project_check.h"
#include "editor/project_file.h"
#include "vexorisp/serial_ports.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QProcess>
#include <QSettings>
#include <QSpinBox>

namespace {

CSimulationCommands::TargetQuestion g_question;
std::string g_program;

QString EmulatorProgram()
{
    return QString::fromLocal8Bit(g_program.empty() ? (COMMON_EX::GetProgramDirectory() + "zqpanel-run").c_str()
                                                    : g_program.c_str());
}

QString SettingsGroup(const std::string& key)
{
    // Paths hold slashes, which the settings take for groups: the key is the path's digest.
    return QStringLiteral("OnlineSimulation/") +
           QString::fromLatin1(
               QCryptographicHash::hash(QByteArray::fromStdString(key), QCryptographicHash::Sha1).toHex());
}

// The question of online simulation: a serial port of the machine (or one typed) or a Modbus TCP
// host and port.
bool AskTarget(CSimulationCommands::ONLINE_TARGET& target, QWidget* parent)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QCoreApplication::translate("Editor", "在线模拟"));
    auto* way = new QComboBox(&dialog);
    way->setObjectName(QStringLiteral("way"));
    way->addItems({QCoreApplication::translate("Editor", "串口"), QStringLiteral("Modbus TCP")});
    way->setCurrentIndex(target.tcp ? 1 : 0);
    auto* device = new QComboBox(&dialog);
    device->setObjectName(QStringLiteral("device"));
    device->setEditable(true);
    device->setMinimumWidth(360);
    for (const SERIAL_PORT_ENTRY& port : ListSerialPorts(SERIAL_PORT_FOLDERS::FromEnvironment()))
        device->addItem(QString::fromLocal8Bit(DescribeSerialPort(port).c_str()),
                        QString::fromLocal8Bit(port.path.c_str()));
    QObject::connect(device, qOverload<int>(&QComboBox::activated), device,
                     [device](int row) { device->setEditText(device->itemData(row).toString()); });
    device->setCurrentIndex(-1);
    device->setEditText(QString::fromLocal8Bit(target.device.c_str()));
    auto* host = new QLineEdit(QString::fromStdString(target.host), &dialog);
    host->setObjectName(QStringLiteral("host"));
    auto* port = new QSpinBox(&dialog);
    port->setObjectName(QStringLiteral("port"));
    port->setRange(1, 65535);
    port->setValue(target.port);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* form = new QFormLayout(&dialog);
    form->addRow(QCoreApplication::translate("Editor", "连接方式"), way);
    form->addRow(QCoreApplication::translate("Editor", "串口（按项目的通信设置）"), device);
    form->addRow(QCoreApplication::translate("Editor", "主机"), host);
    form->addRow(QCoreApplication::translate("Editor", "端口"), port);
    form->addRow(buttons);
    auto showWay = [=] {
        device->setEnabled(way->currentIndex() == 0);
        host->setEnabled(way->currentIndex() == 1);
        port->setEnabled(way->currentIndex() == 1);
    };
    QObject::connect(way, qOverload<int>(&QComboBox::currentIndexChanged), &dialog, showWay);
    showWay();
    if (dialog.exec() != QDialog::Accepted)
        return false;
    target.tcp = way->currentIndex() == 1;
    target.device = device->currentText().trimmed().toLocal8Bit().toStdString();
    target.host = host->text().trimmed().toStdString();
    target.port = port->value();
    return true;
}

} // namespace

CSimulationCommands::CSimulationCommands(QWidget* parent) : QObject(parent), m_pParent(parent)
{
}

CSimulationCommands::~CSimulationCommands()
{
    Stop();
}

void CSimulationCommands::SetTargetQuestion(TargetQuestion question)
{
    g_question = std::move(question);
}

void CSimulationCommands::SetEmulatorProgram(const std::string& program)
{
    g_program = program;
}

CSimulationCommands::ONLINE_TARGET CSimulationCommands::LoadTarget(const std::string& key)
{
    ONLINE_TARGET target;
    QSettings settings(QStringLiteral("Zenquor"), QStringLiteral("ZQEditor"));
    settings.beginGroup(SettingsGroup(key));
    target.tcp = settings.value("tcp", target.tcp).toBool();
    target.device = settings.value("device", QString::fromStdString(target.device)).toString().toStdString();
    target.host = settings.value("host", QString::fromStdString(target.host)).toString().toStdString();
    target.port = qBound(1, settings.value("port", target.port).toInt(), 65535);
    return target;
}

void CSimulationCommands::SaveTarget(const std::string& key, const ONLINE_TARGET& target)
{
    QSettings settings(QStringLiteral("Zenquor"), QStringLiteral("ZQEditor"));
    settings.beginGroup(SettingsGroup(key));
    settings.setValue("tcp", target.tcp);
    settings.setValue("device", QString::fromStdString(target.device));
    settings.setValue("host", QString::fromStdString(target.host));
    settings.setValue("port", target.port);
}

bool CSimulationCommands::IsRunning() const
{
    return m_pProcess && m_pProcess->state() != QProcess::NotRunning;
}

void CSimulationCommands::Stop()
{
    if (!m_pProcess)
        return;
    std::unique_ptr<QProcess> process = std::move(m_pProcess);
    process->disconnect(this);
    // The end of its input ends the emulator; one that hangs is ended by force.
    process->closeWriteChannel();
    if (!process->waitForFinished(3000)) {
        process->kill();
        process->waitForFinished(3000);
    }
}

bool CSimulationCommands::Offline(CProject& project, const std::string& name)
{
    return Start(project, name, MODE_OFFLINE, nullptr);
}

bool CSimulationCommands::Online(CProject& project, const std::string& name, const std::string& key)
{
    ONLINE_TARGET target = LoadTarget(key);
    const bool chosen = g_question ? g_question(target, m_pParent) : AskTarget(target, m_pParent);
    if (!chosen)
        return false;
    SaveTarget(key, target);
    return Start(project, name, MODE_ONLINE, &target);
}

bool CSimulationCommands::Start(CProject& project, const std::string& name, MODE mode, const ONLINE_TARGET* target)
{
    const std::vector<CProjectCheck::FINDING> findings = CProjectCheck::Run(project);
    if (CProjectCheck::Count(findings, CProjectCheck::SEVERITY_ERROR) > 0) {
        QString list;
        for (const CProjectCheck::FINDING& finding : findings) {
            if (finding.severity != CProjectCheck::SEVERITY_ERROR)
                continue;
            const std::string place = CProjectCheck::PlaceScreen(finding) + " " + CProjectCheck::PlaceControl(finding);
            list += "\n" + QString::fromStdString(place).trimmed() + (place.size() > 1 ? QStringLiteral("：") : "") +
                    QString::fromStdString(finding.text);
        }
        CUserPrompts::Message(m_pParent, QCoreApplication::translate("Editor", "项目检查发现错误，不能模拟：") + list,
                              QMessageBox::Ok, QMessageBox::Warning);
        return false;
    }
    std::vector<BYTE> bytes;
    std::string error;
    if (!CProjectFile::SaveBytes(project, bytes, error)) {
        CUserPrompts::Message(m_pParent,
                              QCoreApplication::translate("Editor", "不能模拟：%1").arg(QString::fromStdString(error)),
                              QMessageBox::Ok, QMessageBox::Warning);
        return false;
    }
    QStringList arguments = {"--control"};
    std::string where;
    if (mode == MODE_OFFLINE)
        arguments << "--simulate";
    else if (target->tcp)
        arguments << "--tcp" << QString::fromStdString(where = target->host + ":" + std::to_string(target->port));
    else
        arguments << "--serial" << QString::fromLocal8Bit((where = target->device).c_str());
    if (IsRunning() && m_mode == mode && m_bytes == bytes && m_strTarget == where) {
        m_pProcess->write("raise\n");
        return true;
    }
    Stop();
    auto process = std::make_unique<QProcess>();
    process->setProcessChannelMode(QProcess::SeparateChannels);
    process->start(EmulatorProgram(), arguments);
    if (!process->waitForStarted(10000)) {
        CUserPrompts::Message(m_pParent,
                              QCoreApplication::translate("Editor", "不能启动模拟程序 %1！").arg(EmulatorProgram()),
                              QMessageBox::Ok, QMessageBox::Warning);
        return false;
    }
    const QByteArray title = QString::fromStdString(name).toUtf8().replace('\n', ' ');
    process->write("project " + QByteArray::number(qulonglong(bytes.size())) + " " + title + "\n");
    process->write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
    process->write("start\n");
    // A simulation that fails to start (a port that cannot be opened) says why.
    QProcess* running = process.get();
    connect(running, &QProcess::finished, this, [this, running](int code, QProcess::ExitStatus status) {
        if (status == QProcess::NormalExit && code == 0)
            return;
        const QString why = QString::fromLocal8Bit(running->readAllStandardError()).trimmed();
        CUserPrompts::Message(m_pParent,
                              QCoreApplication::translate("Editor", "模拟已结束：%1")
                                  .arg(why.isEmpty() ? QCoreApplication::translate("Editor", "模拟程序意外退出") : why),
                              QMessageBox::Ok, QMessageBox::Warning);
    });
    m_pProcess = std::move(process);
    m_mode = mode;
    m_bytes = std::move(bytes);
    m_strTarget = where;
    return true;
}
