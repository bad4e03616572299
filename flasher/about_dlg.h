// The programmer's About box.
#pragma once

#include <QDialog>

class CAboutDlg : public QDialog {
public:
    enum { IDD = 100 };
    explicit CAboutDlg(QWidget* parent = nullptr);
};
