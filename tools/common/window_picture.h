// Pictures of the suite's windows for the documentation, rendered without a window system.
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QWidget>

namespace ZQ_CLI {

// The window's contents under a plain drawn title bar with its icon (when it has one) and its
// title in `titleFont`.
inline QImage FramedWindowPicture(QWidget& window, const QFont& titleFont)
{
    const QPixmap client = window.grab();
    const int bar = 24;
    QImage image(client.width() + 2, client.height() + bar + 1, QImage::Format_RGB32);
    image.fill(QColor(40, 70, 130));
    QPainter painter(&image);
    painter.drawPixmap(4, 4, window.windowIcon().pixmap(16, 16));
    painter.setPen(Qt::white);
    painter.setFont(titleFont);
    painter.drawText(QRect(26, 0, image.width() - 30, bar), Qt::AlignVCenter | Qt::AlignLeft, window.windowTitle());
    painter.drawPixmap(1, bar, client);
    return image;
}

} // namespace ZQ_CLI
