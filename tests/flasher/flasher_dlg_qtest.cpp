// The programmer's dialog, offscreen: controls and settings file, programming the panel simulator
// in manual and automatic mode, the time limit, and the remote fetch from a loopback FTP server.
#include "appkit/ui_language.h"
#include "flasher/app/about_dlg.h"
#include "flasher/app/comm_port_dlg.h"
#include "flasher/app/flasher_dlg.h"
#include "tests/vexorisp/fake_serial_folders.h"
#include "tools/zqpanel-sim/panel_sim_process.h"
#include "vexorisp/comm_settings.h"
#include "vexorisp/event_wait.h"

#include "ftp_test_server.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QtTest>

#include <filesystem>
#include <memory>
#include <vector>

namespace {

struct tagShownMessage {
    QString text;
    QString caption;
};

std::string SimProgram()
{
    return (QCoreApplication::applicationDirPath() + "/zqpanel-sim").toStdString();
}

// Intel HEX text of bytes placed at address, 16 bytes a record, CR LF line ends.
QByteArray IntelHex(const QByteArray& bytes, int address)
{
    QByteArray text;
    for (int offset = 0; offset < bytes.size(); offset += 16) {
        const QByteArray data = bytes.mid(offset, 16);
        const int at = address + offset;
        QByteArray record;
        record.append(char(data.size())).append(char(at >> 8)).append(char(at)).append(char(0)).append(data);
        int sum = 0;
        for (char c : record)
            sum += static_cast<unsigned char>(c);
        record.append(char(-sum));
        text += ":" + record.toHex().toUpper() + "\r\n";
    }
    return text + ":00000001FF\r\n";
}

QByteArray Pattern(int size, int seed)
{
    QByteArray bytes(size, 0);
    unsigned value = static_cast<unsigned>(seed) * 2654435761u;
    for (char& byte : bytes) {
        value = value * 1103515245u + 12345u;
        byte = static_cast<char>(value >> 16);
    }
    return bytes;
}

QByteArray ExpectedFlash(const QByteArray& image, int begin)
{
    QByteArray flash(0x10000, char(0xFF));
    flash.replace(begin, image.size(), image);
    return flash;
}

} // namespace

class FlasherDlgTest : public QObject {
    Q_OBJECT

public slots:
    void OpenUrl(const QUrl& url) { m_openedUrls << url; }

private slots:
    void init();
    void cleanup();

    void ControlsCaptionsAndLists();
    void MissingSettingsFileLeavesEverythingEmpty();
    void SettingsAreReadAndWrittenBackInOrder();
    void EditorHandOffShowsPaddrAsSlaveAddress();
    void OpenFileChoosesBinAndValidatesHex();
    void OpenFileEnablesLocalProgramForADownloadImage();
    void FileFromTheCommandLineWaitsForThePress();
    void PortChecksStopTheRun();
    void ManualModeProgramsTheSimulator();
    void StopReturnsToIdle();
    void PortQuestionChoosesTheDevice();
    void PortQuestionListsAdaptersByNameAndAnUnpluggedOneIsNamed();
    void AutoModeProgramsAndClosesAfterTheMessage();
    void AutoModeWithoutPanelClosesWithTimeOver();
    void AutoModeClosesOnHexFormatError();
    void AutoModeClosesOnAnErrorAfterTheFirstBlock();
    void UnconfirmedBlocksAreNoPlainSuccessUntilEveryBlockIsConfirmed();
    void RemoteFetchProgramsAndDeletesBothFiles();
    void RemoteFetchFailureReturnsToIdle();
    void DestroyedInTheMiddleOfAFetch();
    void AboutBoxFromTheContextMenuAndAboutUs();
    void MissingLibrariesAreReportedAtStartUp();
    void FailedDownloadSpeaksChineseInTheChineseUi(); // last: it installs the Chinese catalogues

private:
    QString File(const QString& name) const { return m_scratch->filePath(name); }
    void Write(const QString& name, const QByteArray& bytes)
    {
        QFile file(File(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray Read(const QString& name) const
    {
        QFile file(File(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Points the communication library's COM1 at device.
    void UseDevice(const std::string& device)
    {
        COMM_SETTINGS settings = GetDefaultCommSettings();
        settings.com = 1;
        settings.devices[1] = device;
        QVERIFY(WriteCommSettingsFile(File("MD_DLL.DFT").toStdString(), FormatCommSettings(settings)));
    }
    void WriteIsp(const QByteArray& lines) { Write("isp.ini", "[sysset]\r\n" + lines); }
    // Plain files, slave 1, no LED port, the program in the scratch folder.
    void WriteRunSettings(bool autoMode, const QString& file, int paddr, int port485 = 4, int bit485 = 0)
    {
        WriteIsp(QString("auto=%1\r\nnotenc=1\r\naddr=1\r\nfile=%2\r\nledport=4\r\nledbit=0\r\n"
                         "485port=%3\r\n485bit=%4\r\npaddr=%5\r\n")
                     .arg(autoMode ? 1 : 0)
                     .arg(File(file))
                     .arg(port485)
                     .arg(bit485)
                     .arg(paddr)
                     .toLocal8Bit());
    }
    // An update server on loopback with its web folder (holding upfile.hex when given), and
    // remote.ini naming it.
    std::unique_ptr<zqtest::CFtpTestServer> StartFtp(const QTemporaryDir& root, const QByteArray* upload,
                                                     int writeLimit = 0)
    {
        if (!QDir(root.path()).mkdir("web"))
            return nullptr;
        if (upload) {
            QFile file(root.filePath("web/upfile.hex"));
            if (!file.open(QIODevice::WriteOnly) || file.write(*upload) != upload->size())
                return nullptr;
        }
        auto ftp = std::make_unique<zqtest::CFtpTestServer>(root.path(), "panel", "secret", writeLimit);
        if (ftp->Port() <= 0)
            return nullptr;
        Write("remote.ini", "[server]\r\nhost=127.0.0.1\r\nport=" + QByteArray::number(ftp->Port()) +
                                "\r\nuser=panel\r\npassword=secret\r\n");
        return ftp;
    }
    CFlasherDlg* Create(bool captureMessages = true)
    {
        tagFlasherOptions options;
        options.settingsDirectory = m_scratch->path().toStdString();
        options.libraryDirectory = m_libraryDirectory.isEmpty()
                                       ? (QCoreApplication::applicationDirPath() + "/bin").toStdString()
                                       : m_libraryDirectory.toStdString();
        options.commSettingsFile = File("MD_DLL.DFT").toStdString();
        options.confirmPort = m_confirmPort;
        options.startDelayMs = 50;
        options.runLimitMs = m_runLimitMs;
        options.chosenFile = m_chosenFile.toStdString();
        m_dlg = std::make_unique<CFlasherDlg>(options);
        if (captureMessages)
            m_dlg->SetMessageHook([this](const QString& text, const QString& caption) {
                m_messages.push_back({text, caption});
            });
        m_closed = false;
        connect(m_dlg.get(), &QDialog::finished, this, [this] { m_closed = true; });
        m_dlg->show();
        return m_dlg.get();
    }
    template <typename Widget>
    Widget* Control(int id) const
    {
        return qobject_cast<Widget*>(m_dlg->GetControl(id));
    }
    QPushButton* Button(int id) const { return Control<QPushButton>(id); }
    QComboBox* List(int id) const { return Control<QComboBox>(id); }
    QString Status() const { return Control<QLabel>(CFlasherDlg::IDC_STATUS)->text(); }
    bool Shown(const QString& text, const QString& caption = QString()) const
    {
        for (const tagShownMessage& message : m_messages)
            if (message.text == text && message.caption == caption)
                return true;
        return false;
    }
    bool IsIdle() const
    {
        return !Button(CFlasherDlg::IDC_STOP)->isEnabled() && Button(CFlasherDlg::IDC_OPEN_FILE)->isEnabled() &&
               Button(CFlasherDlg::IDC_REMOTE_PROGRAM)->isEnabled() && List(CFlasherDlg::IDC_LED_PORT)->isEnabled();
    }
    bool IsRunning() const
    {
        return Button(CFlasherDlg::IDC_STOP)->isEnabled() && !Button(CFlasherDlg::IDC_OPEN_FILE)->isEnabled() &&
               !Button(CFlasherDlg::IDC_LOCAL_PROGRAM)->isEnabled() &&
               !Button(CFlasherDlg::IDC_COM_CONFIG)->isEnabled() &&
               !Control<QLineEdit>(CFlasherDlg::IDC_SLAVE_ADDRESS)->isEnabled();
    }

    std::unique_ptr<QTemporaryDir> m_scratch;
    std::unique_ptr<CFlasherDlg> m_dlg;
    std::vector<tagShownMessage> m_messages;
    QList<QUrl> m_openedUrls;
    bool m_closed = false;
    int m_runLimitMs = TEST_HANG_GUARD_MS; // the run timer of automatic mode
    bool m_confirmPort = false;
    QString m_libraryDirectory; // empty: out/bin
    QString m_chosenFile;       // the program's file argument
};

void FlasherDlgTest::init()
{
    m_scratch = std::make_unique<QTemporaryDir>();
    QVERIFY(m_scratch->isValid());
    qputenv("TMPDIR", m_scratch->path().toLocal8Bit());
    m_messages.clear();
    m_runLimitMs = TEST_HANG_GUARD_MS;
    m_confirmPort = false;
    m_libraryDirectory.clear();
    m_chosenFile.clear();
}

void FlasherDlgTest::cleanup()
{
    m_dlg.reset();
    m_scratch.reset();
}

void FlasherDlgTest::ControlsCaptionsAndLists()
{
    Create();
    QCOMPARE(m_dlg->windowTitle(), QString("Flasher V2.42"));
    const std::pair<int, const char*> buttons[] = {{CFlasherDlg::IDC_OPEN_FILE, "Open File..."},
                                                   {CFlasherDlg::IDC_LOCAL_PROGRAM, "Local Program"},
                                                   {CFlasherDlg::IDC_REMOTE_PROGRAM, "Remote Program"},
                                                   {CFlasherDlg::IDC_EXIT, "Exit"},
                                                   {CFlasherDlg::IDC_COM_CONFIG, "COM config"},
                                                   {CFlasherDlg::IDC_ABOUT_US, "About Us"},
                                                   {CFlasherDlg::IDC_STOP, "Stop"}};
    for (const auto& [id, caption] : buttons) {
        QVERIFY2(Button(id), caption);
        QCOMPARE(Button(id)->text(), QString(caption));
        QVERIFY(Button(id)->isVisible());
    }
    QVERIFY(!Button(CFlasherDlg::IDC_STOP)->isEnabled());
    QVERIFY(Control<QLineEdit>(CFlasherDlg::IDC_FILE_PATH)->isReadOnly());
    QVERIFY(!Control<QLineEdit>(CFlasherDlg::IDC_SLAVE_ADDRESS)->isReadOnly());
    QVERIFY(Control<QProgressBar>(CFlasherDlg::IDC_PROGRESS));
    QVERIFY(Control<QLabel>(CFlasherDlg::IDC_STATUS));
    QStringList labels;
    for (QLabel* label : m_dlg->findChildren<QLabel*>())
        labels << label->text();
    for (const char* label : {"Slave Address:", "LED Port:", "485 Port:", "Program Begin Address:"})
        QVERIFY2(labels.contains(label), label);

    auto items = [this](int id) {
        QStringList texts;
        for (int i = 0; i < List(id)->count(); ++i)
            texts << List(id)->itemText(i);
        return texts;
    };
    const QStringList ports = {"P0", "P1", "P2", "P3", "无"};
    const QStringList bits = {"0", "1", "2", "3", "4", "5", "6", "7"};
    QCOMPARE(items(CFlasherDlg::IDC_LED_PORT), ports);
    QCOMPARE(items(CFlasherDlg::IDC_485_PORT), ports);
    QCOMPARE(items(CFlasherDlg::IDC_LED_BIT), bits);
    QCOMPARE(items(CFlasherDlg::IDC_485_BIT), bits);
    const QStringList begins = items(CFlasherDlg::IDC_BEGIN_ADDRESS);
    QCOMPARE(begins.size(), 128);
    QCOMPARE(begins.first(), QString("0x0000"));
    QCOMPARE(begins[1], QString("0x0200"));
    QCOMPARE(begins[48], QString("0x6000"));
    QCOMPARE(begins.last(), QString("0xFE00"));
    QVERIFY(m_messages.empty());
}

void FlasherDlgTest::MissingSettingsFileLeavesEverythingEmpty()
{
    Create();
    QVERIFY(Control<QLineEdit>(CFlasherDlg::IDC_FILE_PATH)->text().isEmpty());
    QVERIFY(Control<QLineEdit>(CFlasherDlg::IDC_SLAVE_ADDRESS)->text().isEmpty());
    for (int id : {CFlasherDlg::IDC_LED_PORT, CFlasherDlg::IDC_LED_BIT, CFlasherDlg::IDC_485_PORT,
                   CFlasherDlg::IDC_485_BIT, CFlasherDlg::IDC_BEGIN_ADDRESS})
        QCOMPARE(List(id)->currentIndex(), -1);
    QVERIFY(Button(CFlasherDlg::IDC_LOCAL_PROGRAM)->isEnabled());
    QVERIFY(!m_dlg->IsAutoMode());
    m_dlg.reset();
    QCOMPARE(Read("isp.ini"), QByteArray("[sysset]\r\nauto=0\r\nnotenc=0\r\naddr=\r\nfile=\r\nledport=-1\r\n"
                                         "ledbit=-1\r\n485port=-1\r\n485bit=-1\r\npaddr=-1\r\n"));
}

void FlasherDlgTest::SettingsAreReadAndWrittenBackInOrder()
{
    // Another order, spaces, an extra key and an out-of-range selection.
    WriteIsp("ledport = 2 \r\n485bit=9\r\nfile=/data/prog.bin\r\naddr=7\r\npaddr=5\r\nnotenc=1\r\n"
             "auto=0\r\nledbit=6\r\n485port=1\r\nextra=x\r\n");
    Create();
    QCOMPARE(Control<QLineEdit>(CFlasherDlg::IDC_SLAVE_ADDRESS)->text(), QString("7"));
    QCOMPARE(Control<QLineEdit>(CFlasherDlg::IDC_FILE_PATH)->text(), QString("/data/prog.bin"));
    QCOMPARE(m_dlg->GetCurrentFilePath(), QString("/data/prog.bin"));
    QCOMPARE(List(CFlasherDlg::IDC_LED_PORT)->currentIndex(), 2);
    QCOMPARE(List(CFlasherDlg::IDC_LED_BIT)->currentIndex(), 6);
    QCOMPARE(List(CFlasherDlg::IDC_485_PORT)->currentIndex(), 1);
    QCOMPARE(List(CFlasherDlg::IDC_485_BIT)->currentIndex(), -1);
    QCOMPARE(List(CFlasherDlg::IDC_BEGIN_ADDRESS)->currentIndex(), 5);
    QVERIFY(Button(CFlasherDlg::IDC_LOCAL_PROGRAM)->isEnabled());

    Control<QLineEdit>(CFlasherDlg::IDC_SLAVE_ADDRESS)->setText("12");
    List(CFlasherDlg::IDC_485_BIT)->setCurrentIndex(3);
    List(CFlasherDlg::IDC_BEGIN_ADDRESS)->setCurrentIndex(127);
    Button(CFlasherDlg::IDC_EXIT)->click();
    QVERIFY(m_closed);
    m_dlg.reset();
    QCOMPARE(Read("isp.ini"), QByteArray("[sysset]\r\nauto=0\r\nnotenc=1\r\naddr=12\r\nfile=/data/prog.bin\r\n"
                                         "ledport=2\r\nledbit=6\r\n485port=1\r\n485bit=3\r\npaddr=127\r\n"));
}

void FlasherDlgTest::EditorHandOffShowsPaddrAsSlaveAddress()
{
    // What the editor writes into a new isp.ini; auto mode rewrites nothing but its own key, which
    // it clears once taken (a later start by hand opens the window).
    const QByteArray handOff = "[sysset]\r\nfile=/nowhere/20240101120000_1.vxg\r\nauto=1\r\nnotenc=1\r\npaddr=48\r\n";
    Write("isp.ini", handOff);
    m_runLimitMs = TEST_HANG_GUARD_MS;
    Create();
    QVERIFY(m_dlg->IsAutoMode());
    QCOMPARE(Control<QLineEdit>(CFlasherDlg::IDC_SLAVE_ADDRESS)->text(), QString("48"));
    QCOMPARE(List(CFlasherDlg::IDC_BEGIN_ADDRESS)->currentIndex(), 48);
    QCOMPARE(List(CFlasherDlg::IDC_LED_PORT)->currentIndex(), 4);
    QCOMPARE(List(CFlasherDlg::IDC_485_PORT)->currentIndex(), 4);
    m_dlg.reset();
    QCOMPARE(Read("isp.ini"), QByteArray(handOff).replace("auto=1", "auto=0"));
}

void FlasherDlgTest::OpenFileChoosesBinAndValidatesHex()
{
    WriteIsp("auto=0\r\nnotenc=1\r\naddr=1\r\nfile=\r\n");
    Write("good.hex", IntelHex(Pattern(40, 1), 0));
    Write("bad.hex", "not a hex file\r\n\r\n");
    Create();
    QPushButton* local = Button(CFlasherDlg::IDC_LOCAL_PROGRAM);
    QLineEdit* path = Control<QLineEdit>(CFlasherDlg::IDC_FILE_PATH);
    QVERIFY(!local->isEnabled());

    QString chosen = File("panel.BIN");
    m_dlg->SetFileChooser([&chosen] { return chosen; });
    Button(CFlasherDlg::IDC_OPEN_FILE)->click();
    QCOMPARE(path->text(), File("panel.BIN"));
    QCOMPARE(m_dlg->GetCurrentFilePath(), File("panel.BIN"));
    QVERIFY2(!local->isEnabled(), "a raw file does not enable a disabled Local Program");

    chosen = File("bad.hex");
    Button(CFlasherDlg::IDC_OPEN_FILE)->click();
    QVERIFY(Shown("HEX format error in line 1: the record does not start with ':'"));
    QCOMPARE(m_dlg->GetCurrentFilePath(), File("panel.BIN"));
    QVERIFY(!local->isEnabled());

    chosen = File("good.hex");
    Button(CFlasherDlg::IDC_OPEN_FILE)->click();
    QCOMPARE(path->text(), File("good.hex"));
    QCOMPARE(m_dlg->GetCurrentFilePath(), File("good.hex"));
    QVERIFY(local->isEnabled());

    chosen.clear(); // cancelled
    Button(CFlasherDlg::IDC_OPEN_FILE)->click();
    QCOMPARE(m_dlg->GetCurrentFilePath(), File("good.hex"));
    QCOMPARE(m_messages.size(), size_t(1));
}

void FlasherDlgTest::OpenFileEnablesLocalProgramForADownloadImage()
{
    WriteIsp("auto=0\r\nnotenc=1\r\naddr=1\r\nfile=\r\n");
    Create();
    QPushButton* local = Button(CFlasherDlg::IDC_LOCAL_PROGRAM);
    QVERIFY(!local->isEnabled());
    QString chosen = File("20240101120000_1234.VXG");
    m_dlg->SetFileChooser([&chosen] { return chosen; });
    Button(CFlasherDlg::IDC_OPEN_FILE)->click();
    QCOMPARE(m_dlg->GetCurrentFilePath(), chosen);
    QVERIFY2(local->isEnabled(), "at once, not after a restart");
    const QStringList filters = CFlasherDlg::GetFileFilter().split(";;");
    QVERIFY(filters.size() == 4);
    QVERIFY(filters[2].contains("*.vxg *.vxc *.dat"));
    QCOMPARE(filters[3], QString("All files(*)"));
    QVERIFY(m_messages.empty());
}

void FlasherDlgTest::FileFromTheCommandLineWaitsForThePress()
{
    // isp.ini asks for an automatic run of another file, as the editor's last download left it.
    Write("old.bin", Pattern(100, 2));
    WriteRunSettings(true, "old.bin", 0);
    Write("new.hex", IntelHex(Pattern(40, 1), 0));
    m_chosenFile = File("new.hex");
    Create();
    QVERIFY2(!m_dlg->IsAutoMode(), "a file from a file manager is never programmed without the press");
    QTRY_COMPARE_WITH_TIMEOUT(m_dlg->GetCurrentFilePath(), File("new.hex"),
                              TEST_HANG_GUARD_MS); // chosen once the dialog runs
    QVERIFY(IsIdle());
    QCOMPARE(Control<QLineEdit>(CFlasherDlg::IDC_FILE_PATH)->text(), File("new.hex"));
    QVERIFY(Button(CFlasherDlg::IDC_LOCAL_PROGRAM)->isEnabled());
    QVERIFY(m_messages.empty());
    m_dlg.reset();
    QVERIFY(Read("isp.ini").contains("auto=0"));

    // A HEX file that is none is refused as "Open File..." refuses it; isp.ini's file stays chosen.
    Write("bad.hex", "not a hex file\r\n\r\n");
    WriteRunSettings(true, "old.bin", 0);
    m_chosenFile = File("bad.hex");
    Create();
    QTRY_VERIFY_WITH_TIMEOUT(Shown("HEX format error in line 1: the record does not start with ':'"),
                             TEST_HANG_GUARD_MS);
    QVERIFY(!m_dlg->IsAutoMode());
    QCOMPARE(m_dlg->GetCurrentFilePath(), File("old.bin"));
}

void FlasherDlgTest::PortChecksStopTheRun()
{
    Write("prog.bin", Pattern(100, 2));
    WriteRunSettings(false, "prog.bin", 0, 3, 1);
    Create();
    Button(CFlasherDlg::IDC_LOCAL_PROGRAM)->click();
    QVERIFY(Shown("485 port cannot be set to RXD or TXD!", "Information"));
    QVERIFY(IsIdle());
    QVERIFY(Button(CFlasherDlg::IDC_LOCAL_PROGRAM)->isEnabled());

    List(CFlasherDlg::IDC_485_PORT)->setCurrentIndex(2);
    List(CFlasherDlg::IDC_LED_PORT)->setCurrentIndex(2);
    List(CFlasherDlg::IDC_LED_BIT)->setCurrentIndex(1);
    Button(CFlasherDlg::IDC_LOCAL_PROGRAM)->click();
    QVERIFY(Shown("led port and 485 port cannot to be the same port!", "Information"));
    QVERIFY(IsIdle());
}

void FlasherDlgTest::ManualModeProgramsTheSimulator()
{
    CPanelSimProcess sim(SimProgram(), File("flash.bin").toStdString());
    QVERIFY(!sim.Device().empty());
    UseDevice(sim.Device());
    const QByteArray image = Pattern(1000, 3);
    Write("prog.hex", IntelHex(image, 0));
    WriteRunSettings(false, "prog.hex", 16);
    Create();
    Button(CFlasherDlg::IDC_LOCAL_PROGRAM)->click();
    QVERIFY(IsRunning());
    QTRY_VERIFY_WITH_TIMEOUT(Shown("Program Finished", "Information"), TEST_HANG_GUARD_MS);
    QVERIFY(IsIdle());
    QVERIFY(Button(CFlasherDlg::IDC_LOCAL_PROGRAM)->isEnabled());
    QCOMPARE(Status(), QString("Program Finished"));
    QCOMPARE(Control<QProgressBar>(CFlasherDlg::IDC_PROGRESS)->value(), 0);
    QCOMPARE(m_dlg->GetExchange().GetResult(), ISP_RESULT_FINISHED);
    QVERIFY(!m_closed);
    QCOMPARE(m_messages.size(), size_t(1));
    QVERIFY(QFile::exists(File("prog.hex")));
    sim.Stop();
    QCOMPARE(Read("flash.bin"), ExpectedFlash(image, 16 * 512));
}

void FlasherDlgTest::StopReturnsToIdle()
{
    CPanelSimProcess sim(SimProgram(), File("flash.bin").toStdString(), {"--ignore-knocks", "1000000"});
    UseDevice(sim.Device());
    Write("prog.bin", Pattern(300, 4));
    WriteRunSettings(false, "prog.bin", 0);
    Create();
    Button(CFlasherDlg::IDC_LOCAL_PROGRAM)->click();
    QVERIFY(IsRunning());
    QTRY_COMPARE_WITH_TIMEOUT(Status(), QString("Program Time over!"), TEST_HANG_GUARD_MS);
    Button(CFlasherDlg::IDC_STOP)->click();
    QVERIFY(IsIdle());
    QCOMPARE(Status(), QString());
    QVERIFY(!m_closed);
    QVERIFY(m_messages.empty());
}

void FlasherDlgTest::PortQuestionChoosesTheDevice()
{
    CPanelSimProcess sim(SimProgram(), File("flash.bin").toStdString());
    UseDevice("/dev/zq-no-such-port");
    const QByteArray image = Pattern(300, 8);
    Write("prog.bin", image);
    WriteRunSettings(false, "prog.bin", 8);
    // Start-up and "COM config" ask; the first answer is Cancel, the second names the simulator.
    int asked = 0;
    QString shownDevice;
    QTimer answer;
    connect(&answer, &QTimer::timeout, this, [&] {
        auto* port = dynamic_cast<CCommPortDlg*>(QApplication::activeModalWidget());
        if (!port)
            return;
        auto* device = port->findChild<QLineEdit*>("device");
        shownDevice = device->text();
        if (asked++ == 0) {
            port->reject();
            return;
        }
        device->setText(QString::fromStdString(sim.Device()));
        port->accept();
    });
    answer.start(20);
    m_confirmPort = true;
    Create();
    QCOMPARE(asked, 1);
    QCOMPARE(shownDevice, QString("/dev/zq-no-such-port"));
    Button(CFlasherDlg::IDC_COM_CONFIG)->click();
    QCOMPARE(asked, 2);
    answer.stop();
    QVERIFY(Read("MD_DLL.DFT").contains(QByteArray::fromStdString(sim.Device())));

    Button(CFlasherDlg::IDC_LOCAL_PROGRAM)->click();
    QTRY_VERIFY_WITH_TIMEOUT(Shown("Program Finished", "Information"), TEST_HANG_GUARD_MS);
    sim.Stop();
    QCOMPARE(Read("flash.bin"), ExpectedFlash(image, 8 * 512));
}

void FlasherDlgTest::PortQuestionListsAdaptersByNameAndAnUnpluggedOneIsNamed()
{
    // The simulator's pseudo-terminal is the adapter, with a kernel name and a stable name.
    CPanelSimProcess sim(SimProgram(), File("flash.bin").toStdString());
    CFakeSerialFolders folders;
    folders.AddDevice("ttyUSB0", sim.Device());
    const std::string stable = folders.AddStableName("usb-ACME_Panel_Cable_0042-if00-port0", "ttyUSB0");
    folders.SetEnvironment();
    UseDevice("/dev/zq-no-such-port");
    const QByteArray image = Pattern(200, 3);
    Write("prog.bin", image);
    WriteRunSettings(false, "prog.bin", 8);
    QString hintBefore, rowText;
    int asked = 0;
    QTimer answer;
    connect(&answer, &QTimer::timeout, this, [&] {
        auto* port = dynamic_cast<CCommPortDlg*>(QApplication::activeModalWidget());
        if (!port || asked++ > 0)
            return;
        auto* devices = port->findChild<QComboBox*>("devices");
        auto* hint = port->findChild<QLabel*>("hint");
        hintBefore = hint->isVisible() ? hint->text() : QString();
        QCOMPARE(devices->count(), 1);
        QCOMPARE(devices->itemData(0).toString(), QString::fromStdString(stable));
        rowText = devices->itemText(0);
        // The user picks the row with the keyboard: the text box takes its path, the hint goes.
        devices->setFocus();
        QTest::keyClick(devices, Qt::Key_Down);
        QCOMPARE(devices->currentText(), QString::fromStdString(stable));
        QVERIFY(!hint->isVisible());
        port->accept();
    });
    answer.start(20);
    m_confirmPort = true;
    Create();
    answer.stop();
    QCOMPARE(asked, 1);
    QVERIFY2(hintBefore.contains("/dev/zq-no-such-port"), qPrintable(hintBefore));
    QVERIFY2(rowText.contains("ACME Panel Cable 0042"), qPrintable(rowText));
    // Stored under the stable name, where the programmer and zqflash read it.
    COMM_SETTINGS settings;
    QVERIFY(ParseCommSettings(Read("MD_DLL.DFT").toStdString(), settings));
    QCOMPARE(QString(settings.GetLine().device), QString::fromStdString(stable));

    // Unplugged between choosing and programming: named, and nothing is sent.
    std::filesystem::remove(stable);
    Button(CFlasherDlg::IDC_LOCAL_PROGRAM)->click();
    QCOMPARE(m_messages.size(), size_t(1));
    QVERIFY2(m_messages[0].text.contains(QString::fromStdString(stable)) && m_messages[0].text.contains("unplugged"),
             qPrintable(m_messages[0].text));
    QVERIFY(IsIdle());
    // Plugged in again: the programmer reaches the panel through the chosen name.
    folders.AddStableName("usb-ACME_Panel_Cable_0042-if00-port0", "ttyUSB0");
    Button(CFlasherDlg::IDC_LOCAL_PROGRAM)->click();
    QTRY_VERIFY_WITH_TIMEOUT(Shown("Program Finished", "Information"), TEST_HANG_GUARD_MS);
    sim.Stop();
    QCOMPARE(Read("flash.bin"), ExpectedFlash(image, 8 * 512));
}

void FlasherDlgTest::AutoModeProgramsAndClosesAfterTheMessage()
{
    CPanelSimProcess sim(SimProgram(), File("flash.bin").toStdString());
    UseDevice(sim.Device());
    const QByteArray image = Pattern(700, 5);
    Write("20240101120000_99.vxg", image);
    // The editor's hand-off: the slave address box reads 48, so the first knock goes unanswered.
    const QByteArray handOff =
        "[sysset]\r\nfile=" + File("20240101120000_99.vxg").toLocal8Bit() + "\r\nauto=1\r\nnotenc=1\r\npaddr=48\r\n";
    Write("isp.ini", handOff);
    Create(false);
    QCOMPARE(m_dlg->windowTitle(), QString("Programming...Please Wait!"));
    QCOMPARE(m_dlg->size(), QSize(300, 60));
    QCOMPARE(m_dlg->pos(), QPoint(0, 0));
    QCOMPARE(Control<QProgressBar>(CFlasherDlg::IDC_PROGRESS)->geometry(), QRect(10, 5, 275, 20));
    QVERIFY(Control<QProgressBar>(CFlasherDlg::IDC_PROGRESS)->isVisible());
    for (int id : {CFlasherDlg::IDC_OPEN_FILE, CFlasherDlg::IDC_REMOTE_PROGRAM, CFlasherDlg::IDC_STOP,
                   CFlasherDlg::IDC_LOCAL_PROGRAM, CFlasherDlg::IDC_COM_CONFIG, CFlasherDlg::IDC_FILE_PATH,
                   CFlasherDlg::IDC_SLAVE_ADDRESS, CFlasherDlg::IDC_LED_PORT, CFlasherDlg::IDC_LED_BIT,
                   CFlasherDlg::IDC_485_PORT, CFlasherDlg::IDC_485_BIT, CFlasherDlg::IDC_BEGIN_ADDRESS})
        QVERIFY(!m_dlg->GetControl(id)->isVisible());

    // The real message box: the window must still be there while it is open.
    bool openWhileAsked = false;
    QString asked;
    QTimer answer;
    connect(&answer, &QTimer::timeout, this, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        asked = box->windowTitle() + "|" + box->text();
        openWhileAsked = !m_closed && m_dlg->isVisible();
        box->button(QMessageBox::Ok)->click();
    });
    answer.start(20);
    QTRY_VERIFY_WITH_TIMEOUT(m_closed, TEST_HANG_GUARD_MS);
    QCOMPARE(asked, QString("Information|Program Finished"));
    QVERIFY(openWhileAsked);
    QCOMPARE(m_dlg->GetExchange().GetResult(), ISP_RESULT_FINISHED);
    m_dlg.reset();
    QCOMPARE(Read("isp.ini"), QByteArray(handOff).replace("auto=1", "auto=0"));
    sim.Stop();
    QCOMPARE(Read("flash.bin"), ExpectedFlash(image, 48 * 512));
}

void FlasherDlgTest::AutoModeWithoutPanelClosesWithTimeOver()
{
    CPanelSimProcess sim(SimProgram(), File("flash.bin").toStdString(), {"--ignore-knocks", "1000000"});
    UseDevice(sim.Device());
    Write("prog.vxg", Pattern(300, 6));
    WriteRunSettings(true, "prog.vxg", 48);
    m_runLimitMs = 800;
    Create();
    QTRY_VERIFY_WITH_TIMEOUT(m_closed, TEST_HANG_GUARD_MS);
    QCOMPARE(m_messages.size(), size_t(1));
    QCOMPARE(m_messages[0].text, QString("Program Time over!"));
    QCOMPARE(m_messages[0].caption, QString());
    QVERIFY(!m_dlg->GetExchange().GetState().bStarted);
}

void FlasherDlgTest::AutoModeClosesOnHexFormatError()
{
    CPanelSimProcess sim(SimProgram(), File("flash.bin").toStdString(), {"--ignore-knocks", "1000000"});
    UseDevice(sim.Device());
    Write("prog.hex", ":10000000FFFF\n");
    WriteRunSettings(true, "prog.hex", 48);
    m_runLimitMs = TEST_HANG_GUARD_MS;
    Create();
    QTRY_VERIFY_WITH_TIMEOUT(m_closed, TEST_HANG_GUARD_MS);
    QCOMPARE(m_messages.size(), size_t(1));
    QCOMPARE(m_messages[0].text,
             QString("HEX format error in line 1: the record's length does not match its byte count"));
}

void FlasherDlgTest::AutoModeClosesOnAnErrorAfterTheFirstBlock()
{
    // The second block's answer is lost, also for each of its three resends.
    CPanelSimProcess sim(SimProgram(), File("flash.bin").toStdString(), {"--drop-answer", "2,3,4,5"});
    UseDevice(sim.Device());
    Write("prog.vxg", Pattern(600, 9));
    WriteRunSettings(true, "prog.vxg", 48);
    Create();
    QTRY_VERIFY_WITH_TIMEOUT(m_closed, TEST_HANG_GUARD_MS);
    QCOMPARE(m_messages.size(), size_t(1));
    QCOMPARE(m_messages[0].text, QString("Program Time over!"));
    QVERIFY(m_dlg->GetExchange().GetState().bStarted);
    QCOMPARE(m_dlg->GetExchange().GetResult(), ISP_RESULT_FAILED);
}

void FlasherDlgTest::UnconfirmedBlocksAreNoPlainSuccessUntilEveryBlockIsConfirmed()
{
    const QString unconfirmed = "Program Finished, but 15 blocks equal to an earlier block are not confirmed: a late "
                                "repeat of an answer could have passed for theirs. Program again with every block "
                                "confirmed to be sure.";
    CPanelSimProcess sim(SimProgram(), File("flash.bin").toStdString());
    UseDevice(sim.Device());
    Write("zeros.bin", QByteArray(2048, 0));
    WriteRunSettings(false, "zeros.bin", 48);
    Create();
    m_dlg->SetConfirmAll(false); // whatever a run stopped halfway left stored
    Button(CFlasherDlg::IDC_LOCAL_PROGRAM)->click();
    QTRY_VERIFY_WITH_TIMEOUT(Shown(unconfirmed, "Information"), TEST_HANG_GUARD_MS);
    QCOMPARE(Status(), unconfirmed);
    QCOMPARE(m_dlg->GetExchange().GetResult(), ISP_RESULT_UNCONFIRMED);
    QVERIFY(IsIdle());
    // (Checked, every block is confirmed: confirm_all_x11_walk.) The editor's download ends like
    // after an error: the message without caption, then closed.
    m_messages.clear();
    m_dlg.reset();
    WriteRunSettings(true, "zeros.bin", 48);
    Create();
    QTRY_VERIFY_WITH_TIMEOUT(m_closed, TEST_HANG_GUARD_MS);
    QCOMPARE(m_messages.size(), size_t(1));
    QCOMPARE(m_messages[0].text, unconfirmed);
    QCOMPARE(m_messages[0].caption, QString());
    QCOMPARE(m_dlg->GetExchange().GetResult(), ISP_RESULT_UNCONFIRMED);
    // The stored choice holds for the editor's download too: every block confirmed, finished.
    m_dlg->SetConfirmAll(true);
    m_dlg.reset();
    WriteRunSettings(true, "zeros.bin", 48);
    Create();
    QTRY_VERIFY_WITH_TIMEOUT(m_closed, TEST_HANG_GUARD_MS);
    m_dlg->SetConfirmAll(false);
    QCOMPARE(m_dlg->GetExchange().GetResult(), ISP_RESULT_FINISHED);
}

void FlasherDlgTest::RemoteFetchProgramsAndDeletesBothFiles()
{
    QTemporaryDir root;
    const QByteArray image = Pattern(900, 7);
    const QByteArray upload = IntelHex(image, 0);
    auto ftp = StartFtp(root, &upload);
    QVERIFY(ftp);
    CPanelSimProcess sim(SimProgram(), File("flash.bin").toStdString());
    UseDevice(sim.Device());
    Write("old.bin", "x");
    WriteRunSettings(false, "old.bin", 32);
    Create();
    Button(CFlasherDlg::IDC_REMOTE_PROGRAM)->click();
    QVERIFY(Control<QLineEdit>(CFlasherDlg::IDC_FILE_PATH)->text().isEmpty());
    QVERIFY(IsRunning());
    QTRY_VERIFY_WITH_TIMEOUT(Shown("Program Finished", "Information"), TEST_HANG_GUARD_MS);
    QVERIFY(IsIdle());
    QVERIFY2(!Button(CFlasherDlg::IDC_LOCAL_PROGRAM)->isEnabled(), "the fetched file is gone");
    QVERIFY(m_dlg->GetExchange().IsRemoteSource());
    QCOMPARE(m_dlg->GetCurrentFilePath(), QString::fromStdString(GetRemoteLocalPath()));
    QVERIFY(!QFile::exists(QString::fromStdString(GetRemoteLocalPath())));
    QVERIFY(!QFile::exists(root.filePath("web/upfile.hex")));
    QCOMPARE(m_messages.size(), size_t(1));
    sim.Stop();
    QCOMPARE(Read("flash.bin"), ExpectedFlash(image, 32 * 512));
}

void FlasherDlgTest::RemoteFetchFailureReturnsToIdle()
{
    QTemporaryDir root;
    auto ftp = StartFtp(root, nullptr);
    QVERIFY(ftp);
    Write("prog.bin", "x");
    WriteRunSettings(false, "prog.bin", 32);
    Create();
    Button(CFlasherDlg::IDC_REMOTE_PROGRAM)->click();
    QVERIFY(IsRunning());
    QTRY_COMPARE_WITH_TIMEOUT(Status(), QString("Cannot connect to remote host,program terminate!"),
                              TEST_HANG_GUARD_MS);
    QVERIFY(IsIdle());
    QVERIFY(m_dlg->GetCurrentFilePath().isEmpty());
    QVERIFY(m_dlg->GetExchange().IsRemoteSource());
    QVERIFY(m_messages.empty());
    QVERIFY(!QFile::exists(QString::fromStdString(GetRemoteLocalPath())));
    m_dlg.reset();
    QVERIFY2(Read("isp.ini").contains("\r\nfile=\r\n"), "the cleared file box is what is saved");
}

void FlasherDlgTest::DestroyedInTheMiddleOfAFetch()
{
    QTemporaryDir root;
    const QByteArray upload(400000, 'A');
    auto ftp = StartFtp(root, &upload, 4000); // throttled: the transfer takes 100 s
    QVERIFY(ftp);
    Create();
    Button(CFlasherDlg::IDC_REMOTE_PROGRAM)->click();
    QTRY_COMPARE_WITH_TIMEOUT(Status(), QString("Begin to download file!"), TEST_HANG_GUARD_MS);
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(QString::fromStdString(GetRemoteLocalPath())).size() > 0, TEST_HANG_GUARD_MS);
    QElapsedTimer clock;
    clock.start();
    m_dlg.reset();
    QVERIFY2(clock.elapsed() < 50000, "the fetch does not hold the window until its transfer ends");
    QVERIFY(!QFile::exists(QString::fromStdString(GetRemoteLocalPath())));
    QVERIFY(QFile::exists(root.filePath("web/upfile.hex")));
}

void FlasherDlgTest::AboutBoxFromTheContextMenuAndAboutUs()
{
    Write("remote.ini", "[server]\r\nhost=update.example.org\r\n");
    Create();
    QString menuItems;
    QString aboutTitle;
    QStringList aboutTexts;
    QTimer driver;
    connect(&driver, &QTimer::timeout, this, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            for (QAction* action : menu->actions())
                menuItems += action->text() + ";";
            QAction* first = menu->actions().first();
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(first).center());
            return;
        }
        if (auto* about = dynamic_cast<CAboutDlg*>(QApplication::activeModalWidget())) {
            aboutTitle = about->windowTitle();
            for (QLabel* label : about->findChildren<QLabel*>())
                aboutTexts << label->text();
            for (QPushButton* button : about->findChildren<QPushButton*>())
                aboutTexts << button->text();
            about->findChildren<QPushButton*>().first()->click();
        }
    });
    driver.start(20);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), m_dlg->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(m_dlg.get(), &event);
    driver.stop();
    QCOMPARE(menuItems, QString("关于 Flasher(&A)...;"));
    QCOMPARE(aboutTitle, QString("关于 Flasher"));
    QVERIFY(aboutTexts.contains("Flasher 2.42 版"));
    QVERIFY(aboutTexts.contains("确定"));

    QDesktopServices::setUrlHandler("http", this, "OpenUrl");
    Button(CFlasherDlg::IDC_ABOUT_US)->click();
    QDesktopServices::unsetUrlHandler("http");
    QCOMPARE(m_openedUrls, QList<QUrl>{QUrl("http://update.example.org/")});
}

void FlasherDlgTest::MissingLibrariesAreReportedAtStartUp()
{
    // Start-up shows its messages before a hook can be set: answer the real boxes.
    QVERIFY(QDir(m_scratch->path()).mkdir("nolibs"));
    m_libraryDirectory = File("nolibs");
    QStringList asked;
    QTimer answer;
    connect(&answer, &QTimer::timeout, this, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            asked << box->windowTitle() + "|" + box->text();
            box->button(QMessageBox::Ok)->click();
        }
    });
    answer.start(20);
    Create();
    answer.stop();
    QCOMPARE(asked, QStringList({"|cannot load vexorisp.dll!", "|cannot load vexorenc.dll!"}));
}

void FlasherDlgTest::FailedDownloadSpeaksChineseInTheChineseUi()
{
    QVERIFY(ZQ_I18N::UiLanguage() == ZQ_I18N::LANGUAGE_CHINESE);
    QVERIFY(ZQ_I18N::InstallWindowTranslators(*qApp));
    CPanelSimProcess sim(SimProgram(), File("flash.bin").toStdString(), {"--ignore-knocks", "1000000"});
    UseDevice(sim.Device());
    Write("prog.hex", ":10000000FFFF\n");
    WriteRunSettings(true, "prog.hex", 48);
    m_runLimitMs = 60000;
    Create();
    QTRY_VERIFY_WITH_TIMEOUT(m_closed, 60000);
    QCOMPARE(m_messages.size(), size_t(1));
    QCOMPARE(m_messages[0].text, QString("第 1 行 HEX 格式错误：记录的长度与其字节数不符"));
    // Qt's own buttons too.
    QMessageBox box(QMessageBox::Question, QString(), QString(), QMessageBox::Ok | QMessageBox::Cancel);
    QCOMPARE(box.button(QMessageBox::Cancel)->text(), QString("取消"));
}

QTEST_MAIN(FlasherDlgTest)
#include "flasher_dlg_qtest.moc"
