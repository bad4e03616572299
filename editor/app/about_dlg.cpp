#include "editor/app/about_dlg.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QTimer>

const char* const CAboutDlg::VERSION_TEXT = "1.2.0.0";

namespace {

// Offset of the version text from the picture's bottom-left corner.
const QPoint VERSION_OFFSET(85, -51);

QImage DrawnPicture()
{
    QImage image(CAboutDlg::PICTURE_WIDTH, CAboutDlg::PICTURE_HEIGHT, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 0, image.height());
    gradient.setColorAt(0, QColor(0x1C, 0x3A, 0x5E));
    gradient.setColorAt(1, QColor(0x0A, 0x14, 0x24));
    painter.fillRect(image.rect(), gradient);
    QFont title(QStringLiteral("Verdana"), 36, QFont::Bold);
    painter.setFont(title);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 110, image.width(), 80), Qt::AlignCenter, QStringLiteral("ZQEditor"));
    return image;
}

} // namespace

QImage CAboutDlg::Picture()
{
    QImage picture(QStringLiteral(":/about.png"));
    if (picture.isNull())
        picture = DrawnPicture();
    picture = picture.convertToFormat(QImage::Format_RGB32)
                  .scaled(PICTURE_WIDTH, PICTURE_HEIGHT, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&picture);
    painter.setFont(QFont(QStringLiteral("Verdana"), 11));
    painter.setPen(Qt::white);
    painter.drawText(QPoint(0, PICTURE_HEIGHT) + VERSION_OFFSET, QString::fromLatin1(VERSION_TEXT));
    return picture;
}

CAboutDlg::CAboutDlg(Mode mode, QWidget* parent) : QDialog(parent), m_mode(mode), m_picture(Picture())
{
    setWindowTitle(QCoreApplication::translate("Editor", "关于 ZQEditor"));
    if (mode == SPLASH) {
        setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        setFixedSize(PICTURE_WIDTH, PICTURE_HEIGHT);
        QTimer::singleShot(SPLASH_MS, this, &QDialog::accept);
    } else {
        setFixedSize(PICTURE_WIDTH, PICTURE_HEIGHT);
    }
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void CAboutDlg::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_picture);
}

void CAboutDlg::keyPressEvent(QKeyEvent* event)
{
    const bool closingKey =
        event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (m_mode == SPLASH && closingKey) {
        event->accept(); // the splash ignores Enter and Esc
        return;
    }
    QDialog::keyPressEvent(event);
}
