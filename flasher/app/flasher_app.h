// The programmer's application object: shows the programmer's dialog, then ends.
#pragma once

#include <QApplication>
#include <QFont>
#include <QIcon>

#include <string>

class CFlasherApp : public QApplication {
public:
    CFlasherApp(int& argc, char** argv);

    // Runs the dialog modally; the program's exit status. Unattended: the dialog's message boxes
    // are written to standard error instead of waiting for OK, and the status is 0 only when the
    // panel confirmed every block (for scripts and checks that have nobody at the screen).
    // chosenFile (UTF-8), when not empty, is the program file the dialog starts with in manual mode
    // (tagFlasherOptions::chosenFile). The window opens where it was when the user last closed it
    // (Flasher.conf in the suite's settings folder), and stores that place when it closes.
    int InitInstance(bool unattended = false, const std::string& chosenFile = std::string());

    // The application icon, drawn (no pixmap outlives the application).
    static QIcon GetAppIcon();
    // The dialogs' 9-point font, "宋体" or the closest the system has.
    static QFont GetDialogFont();
};
