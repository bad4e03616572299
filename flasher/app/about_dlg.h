// The programmer's About box: its icon, its own version ("Flasher 2.42 版"), the suite's name and
// version, and the OK button "确定" (Enter and Esc close it too).
#pragma once

#include <QDialog>

class CAboutDlg : public QDialog {
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
