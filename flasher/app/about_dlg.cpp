#include "flasher/app/about_dlg.h"

#include "appkit/tool_cli.h"
#include "flasher/app/flasher_app.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QCoreApplication::translate("Flasher", "关于 Flasher"));
    setFont(CFlasherApp::GetDialogFont());

    auto* icon = new QLabel(this);
    icon->setPixmap(CFlasherApp::GetAppIcon().pixmap(32, 32));
    auto* version = new QLabel(QCoreApplication::translate("Flasher", "Flasher 2.42 版"), this);
    // The programmer keeps its own version; the suite it ships in has one version for every program.
    auto* maker = new QLabel(
        QCoreApplication::translate("Flasher", "ZQ 面板配置套件 %1 — 面板程序下载工具").arg(ZQ_CLI::SuiteVersion()),
        this);
    auto* ok = new QPushButton(QCoreApplication::translate("Flasher", "确定"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* grid = new QGridLayout(this);
    grid->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(version, 0, 1);
    grid->addWidget(maker, 1, 1);
    grid->addWidget(ok, 0, 2, Qt::AlignTop);
    grid->setHorizontalSpacing(16);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}
