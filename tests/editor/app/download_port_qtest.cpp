// "下载串口设置" offscreen with real keys and clicks, on fake /dev and /dev/serial/by-id folders whose
// links lead to pseudo-terminals: the ports by stable name, the unplugged current port first and
// named, the programmer's line settings shown but not stored, and the choice stored as byte 0 and
// the COMn= line of MD_DLL.DFT with every other byte kept.
#include "editor/app/dialogs/dlg_download_port.h"
#include "editor/app/download_commands.h"
#include "editor/app/look/user_prompts.h"

#include "editor_test_support.h"
#include "tests/vexorisp/fake_serial_folders.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>

class DownloadPortTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_suite;
    CFakeSerialFolders m_folders;
    PromptAnswers m_prompts;
    std::string m_stable;

    QString SettingsFile() const { return m_suite.filePath("bin/MD_DLL.DFT"); }
    QByteArray Settings() const
    {
        QFile file(SettingsFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void WriteSettings(const QByteArray& bytes)
    {
        QFile file(SettingsFile());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    // Runs the command with act working the dialog it shows; false when none showed.
    bool RunCommand(const std::function<void(CDlgDownloadPort&)>& act, bool& stored)
    {
        bool shown = false;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<CDlgDownloadPort*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            shown = true;
            act(*dialog);
        });
        stored = CDownloadCommands::DownloadCommSettings(nullptr);
        return shown;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_suite.isValid() && m_folders.IsValid());
        QVERIFY(QDir().mkpath(m_suite.filePath("bin")));
        CDownloadCommands::SetSuiteDirectory(m_suite.path().toStdString());
        m_folders.AddPtyDevice("ttyUSB0");
        m_folders.AddPtyDevice("ttyACM0");
        m_stable = m_folders.AddStableName("usb-ACME_Panel_Cable_0042-if00-port0", "ttyUSB0");
        m_folders.SetEnvironment();
    }
    void cleanupTestCase() { CDownloadCommands::SetSuiteDirectory(""); }

    void choosingAPortByNameStoresByteZeroAndItsLineOnly()
    {
        // COM2 is the programmer's port; its adapter is unplugged.
        const QByteArray before = QByteArray(1, '\x01') + "baud=19200\r\nparity=odd\r\nCOM1=/dev/ttyS3\r\n"
                                                          "COM2=/dev/zq-unplugged\r\n# kept as it is\r\n";
        WriteSettings(before);
        bool stored = false;
        QVERIFY(RunCommand(
            [&](CDlgDownloadPort& dialog) {
                QComboBox* list = dialog.Child<QComboBox>(CDlgDownloadPort::ID_PORT);
                QCOMPARE(list->count(), 3);
                QCOMPARE(list->currentIndex(), 0);
                QVERIFY(list->itemText(0).startsWith("/dev/zq-unplugged"));
                QVERIFY(list->itemText(0).endsWith(QString::fromUtf8("（未连接）")));
                QVERIFY(dialog.Child<QLabel>(CDlgDownloadPort::ID_HINT)->text().contains("/dev/zq-unplugged"));
                // The stable name with the adapter's words, then the ACM port no stable name reaches.
                QCOMPARE(list->itemData(1).toString(), QString::fromStdString(m_stable));
                QVERIFY(list->itemText(1).contains("ACME Panel Cable 0042"));
                QCOMPARE(list->itemData(2).toString(), QString::fromStdString(m_folders.Devices() + "/ttyACM0"));
                // The line settings are the file's, for information only: nothing to edit.
                const QString line = dialog.Child<QLabel>(CDlgDownloadPort::ID_LINE)->text();
                QVERIFY(line.contains("19200") && line.contains(QString::fromUtf8("奇校验")));
                QCOMPARE(dialog.findChildren<QComboBox*>().size(), 1);
                list->setFocus();
                QTest::keyClick(list, Qt::Key_Down);
                QCOMPARE(list->currentIndex(), 1);
                QVERIFY(dialog.Child<QLabel>(CDlgDownloadPort::ID_HINT)->text().isEmpty());
                QTest::mouseClick(dialog.Child<QPushButton>(1), Qt::LeftButton);
            },
            stored));
        QVERIFY(stored);
        QByteArray expected = before;
        expected.replace("COM2=/dev/zq-unplugged", "COM2=" + QByteArray::fromStdString(m_stable));
        QCOMPARE(Settings(), expected);

        // Choosing the kernel name of the device COM2 now reaches keeps the stable name's number.
        QVERIFY(RunCommand(
            [&](CDlgDownloadPort& dialog) {
                QComboBox* list = dialog.Child<QComboBox>(CDlgDownloadPort::ID_PORT);
                QCOMPARE(list->count(), 2);
                QCOMPARE(list->currentIndex(), 0);
                // Cancel leaves the file alone.
                QTest::keyClick(list, Qt::Key_Down);
                QTest::mouseClick(dialog.Child<QPushButton>(2), Qt::LeftButton);
            },
            stored));
        QVERIFY(!stored);
        QCOMPARE(Settings(), expected);
        QVERIFY(m_prompts.messages.isEmpty());
    }

    void aMissingOrEmptySettingsFileShowsNothing()
    {
        for (bool empty : {false, true}) {
            QFile::remove(SettingsFile());
            if (empty)
                WriteSettings(QByteArray());
            bool stored = true;
            QVERIFY(!RunCommand([](CDlgDownloadPort& dialog) { dialog.reject(); }, stored));
            QVERIFY(!stored);
        }
        QVERIFY(m_prompts.messages.isEmpty());
    }
};

int main(int argc, char** argv)
{
    UseTemporarySettings();
    QApplication app(argc, argv);
    DownloadPortTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "download_port_qtest.moc"
