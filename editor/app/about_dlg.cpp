#include "editor/app/about_dlg.h"

#include "comkit/gui_ex_dc.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>

const char* const CAboutDlg::VERSION_TEXT = "1.2.0.0";

namespace {

// Offset of the version text from the picture's bottom-left corner.
const QPoint VERSION_OFFSET(85, -51);
// The OK button's gap to the picture's bottom-right corner.
const QPoint OK_BUTTON_GAP(16, 10);

QString Translated(const char* text)
{
    return QCoreApplication::translate("Editor", text);
}

QFont Font(const QString& family, int pixels)
{
    QFont font(family);
    font.setPixelSize(pixels);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

// The picture's words in the UI's language: the line under the product name, the three lines of the
// drawn panel's display (its place as the picture generator draws it), the suite's name and the
// label before the version. The version itself is drawn once, by Picture.
void DrawWords(QPainter& painter)
{
    const QString family = COM_GUI_EX::CGUI_EX_Global::ResolveFontFamily("");
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(QColor(0xC8, 0xD6, 0xE4));
    painter.setFont(Font(family, 18));
    painter.drawText(QPointF(34, 168), Translated(QT_TRANSLATE_NOOP("Editor", "文本显示面板组态软件")));
    painter.setFont(Font(family, 13));
    painter.drawText(QPointF(34, 196), Translated(QT_TRANSLATE_NOOP("Editor", "画面 · 控件 · 编译 · 下载")));
    const QRect display(308, 74, 144, 92);
    painter.setPen(QColor(0x1E, 0x24, 0x18));
    painter.setFont(Font(family, 15));
    const char* const lines[] = {QT_TRANSLATE_NOOP("Editor", "画面 1"), QT_TRANSLATE_NOOP("Editor", "温度   25.6℃"),
                                 QT_TRANSLATE_NOOP("Editor", "压力  1.20MPa")};
    for (int i = 0; i < 3; ++i)
        painter.drawText(QPointF(display.left() + 8, display.top() + 24 + 27 * i), Translated(lines[i]));
    painter.setPen(QColor(0x5B, 0x66, 0x72));
    painter.setFont(Font(family, 12));
    painter.drawText(QRect(0, 330, CAboutDlg::PICTURE_WIDTH - 32, 24), Qt::AlignRight | Qt::AlignVCenter,
                     Translated(QT_TRANSLATE_NOOP("Editor", "ZQ 面板配置套件")));
    painter.setPen(QColor(0x22, 0x2A, 0x33));
    painter.setFont(Font(family, 14));
    const QPoint versionAt = QPoint(0, CAboutDlg::PICTURE_HEIGHT) + VERSION_OFFSET;
    painter.drawText(QRect(0, versionAt.y() - 20, versionAt.x() - 6, 26), Qt::AlignRight | Qt::AlignBottom,
                     Translated(QT_TRANSLATE_NOOP("Editor", "版本")));
}

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
    DrawWords(painter);
    painter.setFont(QFont(QStringLiteral("Verdana"), 11));
    painter.setPen(QColor(0x22, 0x2A, 0x33)); // dark on the picture's light lower strip
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
        setWindowFlags(windowFlags() & ~(Qt::WindowMinMaxButtonsHint | Qt::WindowContextHelpButtonHint));
        m_okButton = new QPushButton(QCoreApplication::translate("Editor", "确定"), this);
        m_okButton->setDefault(true);
        m_okButton->adjustSize();
        m_okButton->move(QPoint(PICTURE_WIDTH, PICTURE_HEIGHT) - OK_BUTTON_GAP -
                         QPoint(m_okButton->width(), m_okButton->height()));
        connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
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
