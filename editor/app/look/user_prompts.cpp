// The editor's message boxes and file dialogs, behind the test gate.
#include "editor/app/look/user_prompts.h"

#include "editor/editor_strings.h"

#include <QCoreApplication>
#include <QFileDialog>

namespace {

CUserPrompts::MessageHook s_messageHook;
CUserPrompts::FileHook s_fileHook;

const char* const APP_TITLE = "ZQEditor";

} // namespace

QMessageBox::StandardButton CUserPrompts::Message(QWidget* parent, const QString& text,
                                                  QMessageBox::StandardButtons buttons, QMessageBox::Icon icon)
{
    // Messages of the model libraries arrive in Chinese; shown in the user's language.
    const QString shown = QCoreApplication::translate("EditorStrings", text.toUtf8().constData());
    if (s_messageHook)
        return s_messageHook(shown, buttons);
    QMessageBox box(icon, QString::fromLatin1(APP_TITLE), shown, buttons, parent);
    return QMessageBox::StandardButton(box.exec());
}

QMessageBox::StandardButton CUserPrompts::AskSave(QWidget* parent, const QString& title)
{
    return Message(parent, QCoreApplication::translate("Editor", "是否保存对 %1 的更改?").arg(title),
                   QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Question);
}

QString CUserPrompts::FileName(QWidget* parent, FileDialogKind kind, const QString& proposed, const QString& filter)
{
    if (s_fileHook)
        return s_fileHook(kind, proposed);
    if (kind == OPEN_FILE)
        return QFileDialog::getOpenFileName(parent, QString(), proposed, filter);
    return QFileDialog::getSaveFileName(parent, QString(), proposed, filter);
}

void CUserPrompts::SetMessageHook(MessageHook hook)
{
    s_messageHook = std::move(hook);
}

void CUserPrompts::SetFileHook(FileHook hook)
{
    s_fileHook = std::move(hook);
}

QString CUserPrompts::ProjectFilter()
{
    // "name|pattern|name|pattern||" -> "name (pattern);;name (pattern)"
    const QStringList parts =
        QCoreApplication::translate("EditorStrings", CEditorStrings::Get(CEditorStrings::IDS_SAVE_FILTER))
            .split(QLatin1Char('|'), Qt::SkipEmptyParts);
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i];
        const int paren = name.indexOf(QLatin1Char('('));
        if (paren > 0)
            name = name.left(paren).trimmed();
        filters << QStringLiteral("%1 (%2)").arg(name, parts[i + 1]);
    }
    return filters.join(QStringLiteral(";;"));
}
