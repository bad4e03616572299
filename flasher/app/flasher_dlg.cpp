#include "flasher/app/flasher_dlg.h"

#include "comkit/gbk.h"
#include "comkit/module_path.h"
#include "comkit/whole_file.h"
#include "flasher/app/about_dlg.h"
#include "flasher/app/comm_port_dlg.h"
#include "flasher/app/flasher_app.h"
#include "flasher/cipher_library.h"
#include "flasher/image_file.h"
#include "flasher/ini_file.h"
#include "flasher/isp_library.h"
#include "flasher/library_messages.h"
#include "vexorisp/serial_ports.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QUrl>

#include <cstring>

namespace {

const char SECTION[] = "sysset";
const char SETTINGS_NAME[] = "isp";
// Keys of isp.ini, in the order they are written.
const char KEY_AUTO[] = "auto";
const char KEY_NOTENC[] = "notenc";
const char KEY_ADDR[] = "addr";
const char KEY_FILE[] = "file";
const char KEY_LEDPORT[] = "ledport";
const char KEY_LEDBIT[] = "ledbit";
const char KEY_485PORT[] = "485port";
const char KEY_485BIT[] = "485bit";
const char KEY_PADDR[] = "paddr";

// The five lists, in the order of their keys.
const char* const LIST_KEYS[5] = {KEY_LEDPORT, KEY_LEDBIT, KEY_485PORT, KEY_485BIT, KEY_PADDR};
enum { LIST_LED_PORT, LIST_LED_BIT, LIST_485_PORT, LIST_485_BIT, LIST_BEGIN };

const int BEGIN_ADDRESS_COUNT = 128;
const int BEGIN_ADDRESS_STEP = 512;

// The reduced window of auto mode (pixels).
const QSize AUTO_WINDOW_SIZE(300, 60);
const QRect AUTO_PROGRESS_RECT(10, 5, 275, 20);
const QRect AUTO_STATUS_RECT(10, 32, 275, 20);

QString FromGbk(const char* text)
{
    if (text == nullptr)
        return QString();
    std::string utf8;
    if (!COMMON_EX::GbkToUtf8(std::string(text), utf8))
        utf8 = COMMON_EX::GbkToUtf8Lossy(text);
    return QString::fromStdString(utf8);
}

// A fixed message or status text (GBK, from the dialog or the programming library) in the user's
// language: its English entry when the catalogue has one, the text itself otherwise.
QString Shown(const char* text)
{
    return TranslateLibraryMessage(FromGbk(text));
}

std::string ToPath(const QString& text)
{
    return QFile::encodeName(text).toStdString();
}

QString FromPath(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

// The largest settings file the dialog rewrites; a larger one is no settings file of ours.
constexpr unsigned long long MAX_SETTINGS_FILE = 1u << 20;

// The settings file with its [sysset] auto key set to 0 and every other byte kept, so that a
// programmer started by hand after an unattended run opens its own window instead of
// programming the last image at once. Nothing changes when the file cannot be read or written.
void ClearAutoMode(const std::string& path)
{
    std::vector<BYTE> bytes;
    if (!COMMON_EX::ReadWholeFile(path, MAX_SETTINGS_FILE, bytes).Ok())
        return;
    QList<QByteArray> lines =
        QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())).split('\n');
    bool inSection = false, changed = false;
    for (QByteArray& line : lines) {
        const QByteArray text = line.trimmed();
        if (text.startsWith('['))
            inSection = text.toLower() == "[sysset]";
        else if (inSection && text.contains('=') && text.left(text.indexOf('=')).trimmed().toLower() == "auto") {
            const bool cr = line.endsWith('\r');
            line = line.left(line.indexOf('=') + 1) + "0" + (cr ? "\r" : "");
            changed = true;
        }
    }
    if (!changed)
        return;
    const QByteArray text = lines.join('\n');
    std::string error;
    COMMON_EX::ReplaceWholeFile(path, text.constData(), size_t(text.size()), error);
}

std::string DirectoryOr(const std::string& directory)
{
    return directory.empty() ? COMMON_EX::GetProgramDirectory() : directory;
}

// The manual-mode port question of the communication library, with the programmer's check box.
int ConfirmPort(void* context, VEXORISP_LINE* line)
{
    auto* owner = static_cast<CFlasherDlg*>(context);
    CCommPortDlg dlg(*line, owner);
    dlg.OfferConfirmAll(owner->IsConfirmAll());
    if (dlg.exec() != QDialog::Accepted)
        return 0;
    *line = dlg.GetLine();
    owner->SetConfirmAll(dlg.IsConfirmAll());
    return 1;
}

// The programmer's own settings beside the window place (Flasher.conf in the suite's folder).
const char* const OWN_SETTINGS_FOLDER = "zqpanel";
const char* const OWN_SETTINGS_NAME = "Flasher";
const char* const KEY_CONFIRM_ALL = "Programming/confirmAll";

} // namespace

CFlasherDlg::CFlasherDlg(const tagFlasherOptions& options, QWidget* parent)
    : QDialog(parent), m_options(options), m_exchange(*this, nullptr)
{
    m_options.settingsDirectory = DirectoryOr(m_options.settingsDirectory);
    m_options.libraryDirectory = DirectoryOr(m_options.libraryDirectory);
    setWindowTitle(QStringLiteral("Flasher V2.42"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowIcon(CFlasherApp::GetAppIcon());
    setFont(CFlasherApp::GetDialogFont());

    m_startTimer.setSingleShot(true);
    m_limitTimer.setSingleShot(true);
    connect(&m_startTimer, &QTimer::timeout, this, [this] { OnStartTimer(); });
    connect(&m_limitTimer, &QTimer::timeout, this, [this] { OnLimitTimer(); });

    CreateControls();
    FillLists();
    ReadSettings();
    m_bConfirmAll = QSettings(QString::fromLatin1(OWN_SETTINGS_FOLDER), QString::fromLatin1(OWN_SETTINGS_NAME))
                        .value(QLatin1String(KEY_CONFIRM_ALL), false)
                        .toBool();
    if (!m_options.chosenFile.empty())
        m_bAuto = 0; // a file from the command line waits for the user's press
    LoadLibraries();
    // Chosen once the dialog runs (a HEX file is deciphered to be checked, after the libraries), so
    // that a refusal's message goes where the owner's message hook sends it.
    if (!m_options.chosenFile.empty())
        QMetaObject::invokeMethod(
            this, [this] { ChooseFile(QString::fromStdString(m_options.chosenFile)); }, Qt::QueuedConnection);
    if (!StartRemoteFetch()) {
        ShowMessage(QT_TRANSLATE_NOOP("Flasher", "Thread create error"));
        return;
    }
    if (m_bAuto)
        EnterAutoMode();
}

CFlasherDlg::~CFlasherDlg()
{
    m_startTimer.stop();
    m_limitTimer.stop();
    if (!m_bAuto)
        WriteSettings();
    m_pFetch.reset();
    CIspLibrary& isp = CIspLibrary::GetInstance();
    isp.SetNotifyHandler(nullptr);
    isp.Release();
    CCipherLibrary::GetInstance().Release();
}

// --- start-up -------------------------------------------------------------------------------------

QRect CFlasherDlg::Dlu(int x, int y, int w, int h) const
{
    auto px = [this](int v) { return (v * m_nBaseX + 2) / 4; };
    auto py = [this](int v) { return (v * m_nBaseY + 4) / 8; };
    return QRect(px(x), py(y), px(w), py(h));
}

QPushButton* CFlasherDlg::AddButton(int id, const char* caption, int x, int y, int w, int h)
{
    auto* button = new QPushButton(QCoreApplication::translate("Flasher", caption), this);
    button->setGeometry(Dlu(x, y, w, h));
    button->setAutoDefault(false);
    m_controls[id] = button;
    return button;
}

QComboBox* CFlasherDlg::AddList(int id, int x, int y, int w, int h)
{
    auto* list = new QComboBox(this);
    list->setGeometry(Dlu(x, y, w, h));
    list->setMaxVisibleItems(12);
    m_controls[id] = list;
    return list;
}

void CFlasherDlg::CreateControls()
{
    // Dialog units of the dialog font, as a dialog template measures them.
    QFontMetrics metrics(font());
    const QString sample = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    m_nBaseX = qMax(1, (metrics.horizontalAdvance(sample) / 26 + 1) / 2);
    m_nBaseY = qMax(1, metrics.height());
    setFixedSize(Dlu(0, 0, 236, 138).size());

    connect(AddButton(IDC_OPEN_FILE, QT_TRANSLATE_NOOP("Flasher", "Open File..."), 7, 7, 56, 14), &QPushButton::clicked,
            this, [this] { OnOpenFile(); });
    m_pFilePath = new QLineEdit(this);
    m_pFilePath->setReadOnly(true);
    m_pFilePath->setGeometry(Dlu(67, 7, 162, 14));
    m_controls[IDC_FILE_PATH] = m_pFilePath;

    auto* group = new QGroupBox(this);
    group->setGeometry(Dlu(7, 25, 155, 88));
    m_pOptionsGroup = group;
    struct Row {
        const char* label;
        int y;
    };
    const Row rows[] = {{QT_TRANSLATE_NOOP("Flasher", "Slave Address:"), 36},
                        {QT_TRANSLATE_NOOP("Flasher", "LED Port:"), 53},
                        {QT_TRANSLATE_NOOP("Flasher", "485 Port:"), 70},
                        {QT_TRANSLATE_NOOP("Flasher", "Program Begin Address:"), 87}};
    for (const Row& row : rows) {
        auto* label = new QLabel(QCoreApplication::translate("Flasher", row.label), this);
        label->setGeometry(Dlu(14, row.y, 90, 14));
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
    m_pSlaveAddress = new QLineEdit(this);
    m_pSlaveAddress->setGeometry(Dlu(104, 36, 52, 14));
    m_controls[IDC_SLAVE_ADDRESS] = m_pSlaveAddress;
    m_pLists[LIST_LED_PORT] = AddList(IDC_LED_PORT, 104, 53, 28, 14);
    m_pLists[LIST_LED_BIT] = AddList(IDC_LED_BIT, 134, 53, 22, 14);
    m_pLists[LIST_485_PORT] = AddList(IDC_485_PORT, 104, 70, 28, 14);
    m_pLists[LIST_485_BIT] = AddList(IDC_485_BIT, 134, 70, 22, 14);
    m_pLists[LIST_BEGIN] = AddList(IDC_BEGIN_ADDRESS, 104, 87, 52, 14);

    m_pProgress = new QProgressBar(this);
    m_pProgress->setGeometry(Dlu(7, 117, 155, 8));
    m_pProgress->setTextVisible(false);
    m_pProgress->setRange(0, 100);
    m_pProgress->setValue(0);
    m_controls[IDC_PROGRESS] = m_pProgress;
    m_pStatus = new QLabel(this);
    m_pStatus->setGeometry(Dlu(7, 127, 222, 10));
    m_controls[IDC_STATUS] = m_pStatus;

    connect(AddButton(IDC_LOCAL_PROGRAM, QT_TRANSLATE_NOOP("Flasher", "Local Program"), 169, 25, 60, 14),
            &QPushButton::clicked, this, [this] { OnLocalProgram(); });
    connect(AddButton(IDC_REMOTE_PROGRAM, QT_TRANSLATE_NOOP("Flasher", "Remote Program"), 169, 41, 60, 14),
            &QPushButton::clicked, this, [this] { OnRemoteProgram(); });
    QPushButton* stop = AddButton(IDC_STOP, QT_TRANSLATE_NOOP("Flasher", "Stop"), 169, 57, 60, 14);
    stop->setEnabled(false);
    connect(stop, &QPushButton::clicked, this, [this] { OnStop(); });
    connect(AddButton(IDC_COM_CONFIG, QT_TRANSLATE_NOOP("Flasher", "COM config"), 169, 73, 60, 14),
            &QPushButton::clicked, this, [this] { OnComConfig(); });
    connect(AddButton(IDC_ABOUT_US, QT_TRANSLATE_NOOP("Flasher", "About Us"), 169, 89, 60, 14), &QPushButton::clicked,
            this, [this] { OnAboutUs(); });
    connect(AddButton(IDC_EXIT, QT_TRANSLATE_NOOP("Flasher", "Exit"), 169, 105, 60, 14), &QPushButton::clicked, this,
            [this] { OnExit(); });
}

void CFlasherDlg::FillLists()
{
    for (int bits : {LIST_LED_BIT, LIST_485_BIT})
        for (int i = 0; i < 8; ++i)
            m_pLists[bits]->insertItem(i, QString::number(i));
    for (int ports : {LIST_LED_PORT, LIST_485_PORT}) {
        for (int i = 0; i < 4; ++i)
            m_pLists[ports]->insertItem(i, QStringLiteral("P%1").arg(i));
        m_pLists[ports]->insertItem(4, QCoreApplication::translate("Flasher", "无"));
    }
    for (int i = 0; i < BEGIN_ADDRESS_COUNT; ++i)
        m_pLists[LIST_BEGIN]->insertItem(i, QString::asprintf("0x%04X", i * BEGIN_ADDRESS_STEP));
    for (QComboBox* list : m_pLists)
        list->setCurrentIndex(-1);
}

void CFlasherDlg::ReadSettings()
{
    CIniFile& ini = CIniFile::GetInstance();
    ini.SetPath(m_options.settingsDirectory, SETTINGS_NAME);
    if (!ini.OpenForRead())
        return;
    // Keys the file lacks (the editor writes only four into a new file): no LED or 485 port.
    int selections[5] = {ISP_PORT_NONE, 0, ISP_PORT_NONE, 0, 0};
    std::string addr, file;
    ini.GetInt(SECTION, KEY_AUTO, m_bAuto);
    ini.GetInt(SECTION, KEY_NOTENC, m_bNotEnc);
    ini.GetString(SECTION, KEY_ADDR, addr);
    ini.GetString(SECTION, KEY_FILE, file);
    for (int i = 0; i < 5; ++i)
        ini.GetInt(SECTION, LIST_KEYS[i], selections[i]);
    m_pSlaveAddress->setText(QString::fromStdString(addr));
    m_pFilePath->setText(FromPath(file));
    for (int i = 0; i < 5; ++i) {
        // Like a list box, an index outside the list selects nothing.
        const bool valid = selections[i] >= 0 && selections[i] < m_pLists[i]->count();
        m_pLists[i]->setCurrentIndex(valid ? selections[i] : -1);
    }
    if (!file.empty())
        m_strFilePath = file;
    else
        m_controls[IDC_LOCAL_PROGRAM]->setEnabled(false);
    ini.Close();
    // Automatic mode is taken once: the file asks for it no more.
    if (m_bAuto)
        ClearAutoMode(ini.GetPath());
}

IMAGE_LOAD_SETTINGS CFlasherDlg::GetImageSettings()
{
    IMAGE_LOAD_SETTINGS image;
    image.bNotEnc = m_bNotEnc == 1 ? TRUE : FALSE;
    image.pfnDesGo = CCipherLibrary::GetInstance().GetDesGo();
    image.pMessages = this;
    return image;
}

void CFlasherDlg::LoadLibraries()
{
    CIspLibrary& isp = CIspLibrary::GetInstance();
    isp.SetDirectory(m_options.libraryDirectory);
    if (isp.Load(this)) {
        if (!m_options.commSettingsFile.empty())
            isp.SetSettingsFile(m_options.commSettingsFile.c_str());
        isp.SetConfirm(m_options.confirmPort ? &ConfirmPort : nullptr, this);
        isp.SetNotifyHandler([this](int outcome, const BYTE* answer) { m_exchange.OnIspNotify(outcome, answer); });
        m_exchange.SetComm(&isp);
        OpenCommForMode();
    }
    CCipherLibrary& cipher = CCipherLibrary::GetInstance();
    cipher.SetDirectory(m_options.libraryDirectory);
    cipher.Load(this);

    ISP_EXCHANGE_SETTINGS settings;
    settings.bAuto = m_bAuto ? TRUE : FALSE;
    settings.strRemoteFile = GetRemoteLocalPath();
    settings.image = GetImageSettings();
    settings.bConfirmAll = m_bConfirmAll ? TRUE : FALSE;
    m_exchange.SetSettings(settings);
}

void CFlasherDlg::SetConfirmAll(bool confirmAll)
{
    m_bConfirmAll = confirmAll;
    QSettings(QString::fromLatin1(OWN_SETTINGS_FOLDER), QString::fromLatin1(OWN_SETTINGS_NAME))
        .setValue(QLatin1String(KEY_CONFIRM_ALL), confirmAll);
    ISP_EXCHANGE_SETTINGS settings = m_exchange.GetSettings();
    settings.bConfirmAll = m_bConfirmAll ? TRUE : FALSE;
    m_exchange.SetSettings(settings);
}

void CFlasherDlg::OpenCommForMode()
{
    CIspLibrary& isp = CIspLibrary::GetInstance();
    if (!m_bAuto) {
        isp.OpenComm(TRUE);
        return;
    }
    isp.OpenComm(FALSE);
    isp.DirOpenComm();
}

bool CFlasherDlg::StartRemoteFetch()
{
    m_remoteServer = LoadRemoteServer(m_options.settingsDirectory);
    // Each report is handled on this thread; the fetch thread waits until it has been.
    m_pFetch = std::make_unique<CRemoteFetch>(m_remoteServer, [this](int value, const std::string& path) {
        QMetaObject::invokeMethod(
            this,
            [this, value, path] {
                OnRemoteNotify(value, path);
                m_pFetch->Acknowledge();
            },
            Qt::QueuedConnection);
    });
    return m_pFetch->Start();
}

void CFlasherDlg::EnterAutoMode()
{
    for (QComboBox* list : m_pLists)
        list->hide();
    for (int id : {IDC_OPEN_FILE, IDC_REMOTE_PROGRAM, IDC_STOP, IDC_LOCAL_PROGRAM, IDC_COM_CONFIG, IDC_FILE_PATH,
                   IDC_SLAVE_ADDRESS})
        m_controls[id]->hide();
    // What the small window would only show cut off: the option frame, labels and the other buttons.
    m_pOptionsGroup->hide();
    for (QLabel* label : findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        if (label != m_pStatus)
            label->hide();
    m_controls[IDC_ABOUT_US]->hide();
    m_controls[IDC_EXIT]->hide();

    setFixedSize(AUTO_WINDOW_SIZE);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().topLeft());
    m_pProgress->setGeometry(AUTO_PROGRESS_RECT);
    m_pStatus->setGeometry(AUTO_STATUS_RECT);
    m_startTimer.start(m_options.startDelayMs);
    m_limitTimer.start(m_options.runLimitMs);
    setWindowTitle(QCoreApplication::translate("Flasher", "Programming...Please Wait!"));
}

void CFlasherDlg::WriteSettings()
{
    CIniFile& ini = CIniFile::GetInstance();
    ini.SetPath(m_options.settingsDirectory, SETTINGS_NAME);
    if (!ini.OpenForWrite())
        return;
    ini.WriteSection(SECTION);
    ini.WriteInt(KEY_AUTO, m_bAuto);
    ini.WriteInt(KEY_NOTENC, m_bNotEnc);
    ini.WriteString(KEY_ADDR, m_pSlaveAddress->text().toLocal8Bit().constData());
    ini.WriteString(KEY_FILE, ToPath(m_pFilePath->text()).c_str());
    for (int i = 0; i < 5; ++i)
        ini.WriteInt(LIST_KEYS[i], m_pLists[i]->currentIndex());
    ini.Close();
}

// --- controls -------------------------------------------------------------------------------------

QWidget* CFlasherDlg::GetControl(int id) const
{
    auto found = m_controls.find(id);
    return found == m_controls.end() ? nullptr : found->second;
}

QString CFlasherDlg::GetCurrentFilePath() const
{
    return FromPath(m_strFilePath);
}

void CFlasherDlg::SetRunningState(bool running)
{
    for (QComboBox* list : m_pLists)
        list->setEnabled(!running);
    m_controls[IDC_OPEN_FILE]->setEnabled(!running);
    m_controls[IDC_REMOTE_PROGRAM]->setEnabled(!running);
    m_controls[IDC_STOP]->setEnabled(running);
    m_controls[IDC_LOCAL_PROGRAM]->setEnabled(!running && !m_exchange.IsRemoteSource());
    m_controls[IDC_COM_CONFIG]->setEnabled(!running);
    m_pSlaveAddress->setEnabled(!running);
}

void CFlasherDlg::OnOpenFile()
{
    QString path;
    if (m_fileChooser)
        path = m_fileChooser();
    else
        path = QFileDialog::getOpenFileName(this, QString(), QString(), GetFileFilter());
    if (!path.isEmpty())
        ChooseFile(path);
}

void CFlasherDlg::ChooseFile(const QString& path)
{
    const std::string bytes = ToPath(path);
    const QString tail = path.right(4).toLower();
    if (tail != QLatin1String(".hex")) {
        m_pFilePath->setText(path);
        m_strFilePath = bytes;
        // A download image is ready to program as it is; other raw files keep the button's state.
        if (tail == QLatin1String(".vxg") || tail == QLatin1String(".vxc"))
            m_controls[IDC_LOCAL_PROGRAM]->setEnabled(true);
        return;
    }
    if (!ValidateChosenFile(bytes.c_str(), GetImageSettings()))
        return;
    m_pFilePath->setText(path);
    m_strFilePath = bytes;
    m_controls[IDC_LOCAL_PROGRAM]->setEnabled(true);
}

QString CFlasherDlg::GetFileFilter()
{
    return QCoreApplication::translate("Flasher", "Program file(*.HEX *.hex);;Program file(*.BIN *.bin);;"
                                                  "Download image(*.vxg *.vxc *.dat *.VXG *.VXC *.DAT);;All files(*)");
}

void CFlasherDlg::OnLocalProgram()
{
    m_exchange.StartRun(TRUE);
}

void CFlasherDlg::OnRemoteProgram()
{
    m_pFilePath->clear();
    m_strFilePath.clear();
    m_pFetch->Wake();
    SetRunningState(true);
}

void CFlasherDlg::OnStop()
{
    m_exchange.StopRun();
}

void CFlasherDlg::OnComConfig()
{
    OpenCommForMode();
}

void CFlasherDlg::OnAboutUs()
{
    const std::string page = GetRemoteHomePage(m_remoteServer);
    if (!page.empty())
        QDesktopServices::openUrl(QUrl(QString::fromStdString(page)));
}

void CFlasherDlg::OnExit()
{
    CloseNow();
}

void CFlasherDlg::ShowAbout()
{
    CAboutDlg about(this);
    about.exec();
}

void CFlasherDlg::contextMenuEvent(QContextMenuEvent* event)
{
    // Stands in for the window's system menu, which a Linux window does not offer to programs.
    QMenu menu(this);
    QAction* about = menu.addAction(QCoreApplication::translate("Flasher", "关于 Flasher(&A)..."));
    if (menu.exec(event->globalPos()) == about)
        ShowAbout();
}

// --- timers and notifications ---------------------------------------------------------------------

void CFlasherDlg::OnStartTimer()
{
    m_startTimer.stop();
    m_exchange.StartRun(TRUE);
}

void CFlasherDlg::OnLimitTimer()
{
    m_limitTimer.stop();
    ShowMessage(MSG_ISP_TIME_OVER);
    RequestClose();
}

void CFlasherDlg::OnRemoteNotify(int value, const std::string& filePath)
{
    switch (value) {
    case REMOTE_NOTIFY_CONNECTING: SetStatusText(QT_TRANSLATE_NOOP("Flasher", "Connecting to remote host!")); break;
    case REMOTE_NOTIFY_DOWNLOADING: SetStatusText(QT_TRANSLATE_NOOP("Flasher", "Begin to download file!")); break;
    case REMOTE_NOTIFY_FETCHED:
        m_strFilePath = filePath;
        m_exchange.StartRun(TRUE);
        break;
    case REMOTE_NOTIFY_DONE: SetStatusText(QT_TRANSLATE_NOOP("Flasher", "Download file successfully!")); break;
    case REMOTE_NOTIFY_FAILED:
        m_strFilePath.clear();
        SetStatusText(QT_TRANSLATE_NOOP("Flasher", "Cannot connect to remote host,program terminate!"));
        EnterIdleState();
        break;
    default: break;
    }
    m_exchange.SetRemoteSource(TRUE);
}

// --- IIspRunView ----------------------------------------------------------------------------------

void CFlasherDlg::ShowMessageBox(const QString& text, const QString& caption)
{
    if (m_messageHook) {
        m_messageHook(text, caption);
        return;
    }
    ++m_nMessageDepth;
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, this);
    box.exec();
    --m_nMessageDepth;
    if (m_nMessageDepth == 0 && m_bClosePending)
        CloseNow();
}

void CFlasherDlg::ShowMessage(const char* text)
{
    ShowMessageBox(Shown(text));
    // An unattended run ends when its HEX file turns out unusable (whatever line and reason).
    if (m_bAuto && text != nullptr && std::strncmp(text, MSG_IMAGE_HEX_FORMAT, std::strlen(MSG_IMAGE_HEX_FORMAT)) == 0)
        RequestClose();
}

void CFlasherDlg::ShowNumberedMessage(const FLASHER_MESSAGE& message)
{
    ShowMessageBox(DescribeFlasherMessage(message));
    if (m_bAuto && (message.code == FLASHER_MESSAGE_HEX_LINE || message.code == FLASHER_MESSAGE_HEX_CONFLICT))
        RequestClose();
}

void CFlasherDlg::ShowInformation(const char* text)
{
    ShowMessageBox(Shown(text), QCoreApplication::translate("Flasher", "Information"));
}

void CFlasherDlg::ShowNumberedInformation(const FLASHER_MESSAGE& message)
{
    ShowMessageBox(DescribeFlasherMessage(message), QCoreApplication::translate("Flasher", "Information"));
}

bool CFlasherDlg::CheckLine()
{
    VEXORISP_LINE line{};
    if (!CIspLibrary::GetInstance().GetLine(line) || line.device[0] == '\0' || SerialPortExists(line.device))
        return true;
    ShowMessageBox(QCoreApplication::translate("Flasher", "The serial port %1 is not there: is the adapter "
                                                          "unplugged? Plug it in, or choose another port with "
                                                          "\"COM config\".")
                       .arg(QString::fromLocal8Bit(line.device)),
                   QCoreApplication::translate("Flasher", "Information"));
    if (m_bAuto)
        RequestClose();
    return false;
}

ISP_RUN_OPTIONS CFlasherDlg::GetRunOptions()
{
    ISP_RUN_OPTIONS options;
    options.nLedPort = m_pLists[LIST_LED_PORT]->currentIndex();
    options.nLedBit = m_pLists[LIST_LED_BIT]->currentIndex();
    options.n485Port = m_pLists[LIST_485_PORT]->currentIndex();
    options.n485Bit = m_pLists[LIST_485_BIT]->currentIndex();
    options.nBeginIndex = m_pLists[LIST_BEGIN]->currentIndex();
    bool ok = false;
    const int slave = m_pSlaveAddress->text().trimmed().toInt(&ok, 10);
    options.nSlave = ok ? slave : 0;
    options.strFile = m_strFilePath;
    return options;
}

void CFlasherDlg::SetStatusText(const char* text)
{
    m_pStatus->setText(Shown(text));
}

void CFlasherDlg::SetNumberedStatus(const FLASHER_MESSAGE& message)
{
    m_pStatus->setText(DescribeFlasherMessage(message));
}

void CFlasherDlg::SetStatusCause(const char* words)
{
    m_pStatus->setText(m_pStatus->text() + ": " + QString::fromUtf8(words));
}

void CFlasherDlg::SetProgressRange(int lower, int upper)
{
    m_pProgress->setRange(lower, qMax(lower, upper));
}

void CFlasherDlg::SetProgressPos(int pos)
{
    m_pProgress->setValue(qBound(m_pProgress->minimum(), pos, m_pProgress->maximum()));
}

void CFlasherDlg::EnterRunningState()
{
    SetRunningState(true);
}

void CFlasherDlg::EnterIdleState()
{
    SetRunningState(false);
    if (m_bAuto) {
        // The run is over: no time limit may fire while its last message is read.
        m_startTimer.stop();
        m_limitTimer.stop();
        RequestClose();
    }
}

void CFlasherDlg::RearmRunTimer()
{
    if (m_bAuto)
        m_limitTimer.start(m_options.runLimitMs);
}

void CFlasherDlg::CloseWindow()
{
    RequestClose();
}

// --- closing --------------------------------------------------------------------------------------

void CFlasherDlg::RequestClose()
{
    // Never from inside the exchange's call: the window closes from the event loop, and only after
    // the message boxes of that call have been answered.
    m_bClosePending = true;
    QTimer::singleShot(0, this, [this] {
        if (m_nMessageDepth == 0 && m_bClosePending)
            CloseNow();
    });
}

void CFlasherDlg::CloseNow()
{
    m_bClosePending = false;
    if (m_bClosed)
        return;
    m_bClosed = true;
    m_startTimer.stop();
    m_limitTimer.stop();
    done(QDialog::Rejected);
}
