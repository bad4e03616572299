// The programmer's application object: shows the programmer's dialog, then ends.
#pragma once

#include <QApplication>
#include <QFont>
#include <QIcon>

class CFlasherApp : public QApplication {
public:
    CFlasherApp(int& argc, char** argv);

    // Runs the dialog modally; the program's exit status. Unattended: the dialog's message boxes
    // are written to standard error instead of waiting for OK, and the status is 0 only when the
    // panel confirmed every block (for scripts and checks that have nobody at the screen).
    int InitInstance(bool unattended = false);

    // The application icon, drawn (no pixmap outlives the application).
    static QIcon GetAppIcon();
    // The dialogs' 9-point font, "宋体" or the closest the system has.
    static QFont GetDialogFont();
};
