// Every question and report the editor puts to the user (message boxes, file dialogs), behind
// one gate that tests can answer instead of a person.
#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

class CUserPrompts {
public:
    enum FileDialogKind { OPEN_FILE, SAVE_FILE };

    // A message box with the editor's title; returns the button pressed (or the hook's answer).
    static QMessageBox::StandardButton Message(QWidget* parent, const QString& text,
                                               QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                               QMessageBox::Icon icon = QMessageBox::Warning);
    // The framework's save prompt for a modified project named `title`: Yes, No or Cancel.
    static QMessageBox::StandardButton AskSave(QWidget* parent, const QString& title);
    // A file dialog (save dialogs ask before overwriting); empty when cancelled.
    static QString FileName(QWidget* parent, FileDialogKind kind, const QString& proposed, const QString& filter);

    // Test hooks: while set they answer instead of showing anything. The message hook gets the
    // text and the buttons offered; the file hook the kind and the proposed name.
    using MessageHook = std::function<QMessageBox::StandardButton(const QString& text, QMessageBox::StandardButtons)>;
    using FileHook = std::function<QString(FileDialogKind, const QString& proposed)>;
    static void SetMessageHook(MessageHook hook);
    static void SetFileHook(FileHook hook);

    // The filter of string 300 ("ZQEditor 文件(*.ZQE)|*.zqe|所有文件 (*.*)|*.*||") in Qt's form.
    static QString ProjectFilter();
};
