#include "editor/app/controls_clipboard.h"

#include "controls/screen_base.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

const char* const CControlsClipboard::MIME_FORMAT = "application/x-zqeditor-74D1B6A1-B689-4926-A566-0BD29871393C";

bool CControlsClipboard::Put(const QByteArray& record)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard || record.size() < int(CScreenBase::CLIPBOARD_HEADER_SIZE))
        return false;
    auto* mime = new QMimeData;
    mime->setData(QString::fromLatin1(MIME_FORMAT), record);
    clipboard->setMimeData(mime);
    return true;
}

QByteArray CControlsClipboard::Get()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* mime = clipboard ? clipboard->mimeData() : nullptr;
    if (!mime || !mime->hasFormat(QString::fromLatin1(MIME_FORMAT)))
        return QByteArray();
    const QByteArray record = mime->data(QString::fromLatin1(MIME_FORMAT));
    return record.size() >= int(CScreenBase::CLIPBOARD_HEADER_SIZE) ? record : QByteArray();
}

bool CControlsClipboard::HasData()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* mime = clipboard ? clipboard->mimeData() : nullptr;
    return mime && mime->hasFormat(QString::fromLatin1(MIME_FORMAT));
}

DWORD& CPasteCounter::CountFor(const QByteArray& record)
{
    const QByteArray identity = record.left(8);
    if (identity != m_identity) {
        m_identity = identity;
        m_count = 0;
    }
    return m_count;
}
