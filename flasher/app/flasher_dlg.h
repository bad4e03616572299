// The programmer's dialog: file choice, port options, local and remote programming runs, and the
// unattended mode the editor starts it in.
#pragma once

#include "flasher/isp_exchange.h"
#include "flasher/isp_run_view.h"
#include "flasher/remote_fetch.h"

#include <QDialog>
#include <QString>
#include <QTimer>

#include <functional>
#include <map>
#include <memory>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

// What the dialog takes from its surroundings; the defaults are those of the installed program.
struct tagFlasherOptions {
    // isp.ini and remote.ini; empty: the program's directory.
    std::string settingsDirectory;
    // libvexorisp.so and libvexorenc.so; empty: the program's directory.
    std::string libraryDirectory;
    // The communication library's settings; empty: its own default (MD_DLL.DFT beside it).
    std::string commSettingsFile;
    int startDelayMs = 1000; // auto mode starts the run after this (timer 1008)
    int runLimitMs = 30000;  // and gives up when the panel is silent this long (timer 1009)
    bool confirmPort = true; // manual mode asks for the port before opening the line
    // A program file named on the command line (a file manager's "open with"), UTF-8: the dialog
    // starts in manual mode and, once its event loop runs, chooses the file as "Open File..."
    // chooses it (a HEX file is checked first, and refused with a message), whatever isp.ini says;
    // nothing is programmed until the user presses the button. Empty: the file and the mode come
    // from isp.ini.
    std::string chosenFile;
};

class CFlasherDlg : public QDialog, public IIspRunView {
public:
    // Control ids of the dialog template.
    enum {
        IDC_OPEN_FILE = 1000,
        IDC_FILE_PATH = 1001,
        IDC_LOCAL_PROGRAM = 1002,
        IDC_PROGRESS = 1003,
        IDC_STATUS = 1004,
        IDC_REMOTE_PROGRAM = 1005,
        IDC_EXIT = 1006,
        IDC_COM_CONFIG = 1007,
        IDC_ABOUT_US = 1008,
        IDC_STOP = 1009,
        IDC_SLAVE_ADDRESS = 1010,
        IDC_LED_PORT = 1011,
        IDC_LED_BIT = 1012,
        IDC_485_PORT = 1013,
        IDC_485_BIT = 1014,
        IDC_BEGIN_ADDRESS = 1015,
    };

    explicit CFlasherDlg(const tagFlasherOptions& options = tagFlasherOptions(), QWidget* parent = nullptr);
    ~CFlasherDlg() override;

    // Message boxes; a hook set here receives them instead (text, caption) and they do not block.
    using MessageHook = std::function<void(const QString& text, const QString& caption)>;
    void SetMessageHook(MessageHook hook) { m_messageHook = std::move(hook); }
    // Replaces the file-open dialog of "Open File..." (an empty answer is a cancel).
    using FileChooser = std::function<QString()>;
    // The file dialog's filters: HEX, BIN, the download images (*.vxg *.vxc *.dat), all files.
    static QString GetFileFilter();
    void SetFileChooser(FileChooser chooser) { m_fileChooser = std::move(chooser); }

    // The control with a dialog id, null for an unknown id.
    QWidget* GetControl(int id) const;
    bool IsAutoMode() const { return m_bAuto != 0; }
    QString GetCurrentFilePath() const;
    const CIspExchange& GetExchange() const { return m_exchange; }
    // "Confirm every block" (ISP_EXCHANGE_SETTINGS::bConfirmAll) for every run, manual or automatic
    // (the editor's download): kept in the suite's settings folder (Flasher.conf, group
    // "Programming", key "confirmAll"; false when missing) and offered as a check box by the
    // "COM config" question.
    bool IsConfirmAll() const { return m_bConfirmAll; }
    // Takes the setting for the next runs and stores it at once.
    void SetConfirmAll(bool confirmAll);

    // IIspRunView (texts are GBK).
    void ShowMessage(const char* text) override;
    // In the user's language (DescribeFlasherMessage); an unattended run ends on a refused HEX file.
    void ShowNumberedMessage(const FLASHER_MESSAGE& message) override;
    ISP_RUN_OPTIONS GetRunOptions() override;
    void ShowInformation(const char* text) override;
    // In the user's language, caption "Information".
    void ShowNumberedInformation(const FLASHER_MESSAGE& message) override;
    // False when the line's device has gone (an unplugged adapter): told by name; an unattended
    // programmer then closes.
    bool CheckLine() override;
    void SetStatusText(const char* text) override;
    void SetNumberedStatus(const FLASHER_MESSAGE& message) override;
    // Shows the cause after the status text: "An unexpectedly error!(-4): the serial line ...".
    void SetStatusCause(const char* words) override;
    void SetProgressRange(int lower, int upper) override;
    void SetProgressPos(int pos) override;
    void EnterRunningState() override;
    void EnterIdleState() override;
    void RearmRunTimer() override;
    void CloseWindow() override;

    // A message box with a caption.
    void ShowMessageBox(const QString& text, const QString& caption = QString());

    // The About box (offered by the dialog's context menu).
    void ShowAbout();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // Start-up, in the order the original dialog takes.
    void CreateControls();
    void FillLists();
    void ReadSettings();
    void LoadLibraries();
    bool StartRemoteFetch();
    void EnterAutoMode();
    void WriteSettings();

    // Buttons.
    void OnOpenFile();
    // Takes path as the file to program, as "Open File..." does with the file the user chose.
    void ChooseFile(const QString& path);
    void OnLocalProgram();
    void OnRemoteProgram();
    void OnStop();
    void OnComConfig();
    void OnAboutUs();
    void OnExit();

    void OnStartTimer();
    void OnLimitTimer();
    void OnRemoteNotify(int value, const std::string& filePath);

    void SetRunningState(bool running);
    void OpenCommForMode();

    IMAGE_LOAD_SETTINGS GetImageSettings();
    // Closes the window once no message box of ours is open.
    void RequestClose();
    void CloseNow();

    QPushButton* AddButton(int id, const char* caption, int x, int y, int w, int h);
    QComboBox* AddList(int id, int x, int y, int w, int h);
    QRect Dlu(int x, int y, int w, int h) const;

    tagFlasherOptions m_options;
    std::map<int, QWidget*> m_controls;
    QLineEdit* m_pFilePath = nullptr;
    QLineEdit* m_pSlaveAddress = nullptr;
    QProgressBar* m_pProgress = nullptr;
    QLabel* m_pStatus = nullptr;
    QWidget* m_pOptionsGroup = nullptr;
    QComboBox* m_pLists[5] = {};
    QTimer m_startTimer;
    QTimer m_limitTimer;

    int m_bAuto = 0;
    int m_bNotEnc = 0;
    bool m_bConfirmAll = false;
    std::string m_strFilePath; // the current file path (file system bytes)
    tagRemoteServer m_remoteServer;
    std::unique_ptr<CRemoteFetch> m_pFetch;
    CIspExchange m_exchange;

    MessageHook m_messageHook;
    FileChooser m_fileChooser;
    int m_nMessageDepth = 0;
    bool m_bClosePending = false;
    bool m_bClosed = false;
    int m_nBaseX = 6; // dialog base units of the dialog font
    int m_nBaseY = 12;
};
