// Pictures of the suite's windows for the documentation, rendered without a window system.
#pragma once

#include <QAbstractButton>
#include <QAction>
#include <QDockWidget>
#include <QFont>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QRegularExpression>
#include <QWidget>

#include "appkit/ui_language.h"

#include <cstdio>

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

// The suite's own texts on window that still hold Chinese characters: its title, the titles of its
// menus and docks, the texts of its actions, labels and buttons (hidden ones too). What a user typed
// (edit boxes, list rows, drawn panes) is not looked at, nor the user's texts named in `typed` (a
// screen name in a title or a label). Empty when the window speaks English.
inline QStringList ChineseTexts(const QWidget& window, const QStringList& typed = {})
{
    static const QRegularExpression han(QStringLiteral("[\\x{4e00}-\\x{9fff}]"));
    QStringList texts{window.windowTitle()};
    for (const QMenu* menu : window.findChildren<QMenu*>())
        texts << menu->title();
    for (const QAction* action : window.findChildren<QAction*>())
        texts << action->text() << action->toolTip() << action->statusTip();
    for (const QLabel* label : window.findChildren<QLabel*>())
        texts << label->text();
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>())
        texts << button->text();
    for (const QDockWidget* dock : window.findChildren<QDockWidget*>())
        texts << dock->windowTitle();
    QStringList chinese;
    for (const QString& text : texts) {
        QString suite = text;
        for (const QString& user : typed)
            if (!user.isEmpty())
                suite.remove(user);
        if (suite.contains(han) && !chinese.contains(text))
            chinese << text;
    }
    return chinese;
}

// In English (ZQ_I18N::UiLanguage) a picture must show no Chinese text of the suite: false, with the
// texts named on standard error, when window still has some (apart from the user's `typed` texts).
// Always true in Chinese.
inline bool ShowsUserLanguage(const QWidget& window, const QStringList& typed = {})
{
    if (ZQ_I18N::UiLanguage() != ZQ_I18N::LANGUAGE_ENGLISH)
        return true;
    const QStringList chinese = ChineseTexts(window, typed);
    for (const QString& text : chinese)
        std::fprintf(stderr, "untranslated text: %s\n", qPrintable(text));
    return chinese.isEmpty();
}

// The suffix of a picture's file name in the user's language: "-en" for English, "" for Chinese.
inline QString LanguageSuffix()
{
    return ZQ_I18N::UiLanguage() == ZQ_I18N::LANGUAGE_ENGLISH ? QStringLiteral("-en") : QString();
}

} // namespace ZQ_CLI
