// Start-up and shut-down of the editor program: settings names, the main frame with its dialogs
// and bars (the composition root), the file named on the command line or the splash, and the
// process-wide objects released at exit.
#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class CMainFrame;
class CSystemSettings;

class CZQEditorApp {
public:
    // Registry key of the settings (string 10000) and the program's name.
    static const char* const REGISTRY_KEY; // "Zenquor"
    static const char* const APP_NAME;     // "ZQEditor"

    // Needs the QApplication to exist. Reads the system settings (background colour).
    CZQEditorApp();
    // Writes the system settings back and releases the design management.
    ~CZQEditorApp();
    CZQEditorApp(const CZQEditorApp&) = delete;
    CZQEditorApp& operator=(const CZQEditorApp&) = delete;

    // Creates and shows the main frame for the program's arguments (without the program name):
    // a file argument opens that project; without one the splash is shown first (unless
    // `splash` is false). False when the main frame cannot be made.
    bool InitInstance(const QStringList& arguments, bool splash = true);
    CMainFrame* GetMainFrame() const { return m_frame.get(); }
    // The program's main frame, not shown: given the device selection and panel settings dialogs
    // and fitted with the attribute pane and the top-row bars. InitInstance shows one; tests that
    // walk the real dialogs make theirs here.
    static std::unique_ptr<CMainFrame> CreateMainFrame();

    // The file an argument names: the text between the first and the last double quote when it
    // has two, else the argument itself; empty for an option ("-...", or "/" and letters only
    // when no such file exists). A missing absolute path is a file name, not an option.
    static QString FileFromArgument(const QString& argument);

private:
    std::unique_ptr<CSystemSettings> m_systemSettings;
    std::unique_ptr<CMainFrame> m_frame;
};
