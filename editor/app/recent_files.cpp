#include "editor/app/recent_files.h"

#include <QFileInfo>
#include <QSettings>

namespace {
const char* const GROUP = "Recent File List";
// ~/.config/zqpanel/ZQEditor.conf: the suite's one settings folder (XDG_CONFIG_HOME followed).
const char* const SETTINGS_FOLDER = "zqpanel";
const char* const SETTINGS_NAME = "ZQEditor";

} // namespace

CRecentFiles::CRecentFiles()
{
    QSettings settings(QString::fromLatin1(SETTINGS_FOLDER), QString::fromLatin1(SETTINGS_NAME));
    settings.beginGroup(QLatin1String(GROUP));
    for (int i = 1; i <= MAX_FILES; ++i) {
        const QString path = settings.value(QStringLiteral("File%1").arg(i)).toString();
        if (!path.isEmpty() && !m_files.contains(path))
            m_files << path;
    }
}

void CRecentFiles::Add(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_files.removeAll(absolute);
    m_files.prepend(absolute);
    while (m_files.size() > MAX_FILES)
        m_files.removeLast();
    Store();
}

void CRecentFiles::Remove(const QString& path)
{
    if (m_files.removeAll(QFileInfo(path).absoluteFilePath()) + m_files.removeAll(path))
        Store();
}

void CRecentFiles::Store() const
{
    QSettings settings(QString::fromLatin1(SETTINGS_FOLDER), QString::fromLatin1(SETTINGS_NAME));
    settings.beginGroup(QLatin1String(GROUP));
    for (int i = 1; i <= MAX_FILES; ++i) {
        if (i <= m_files.size())
            settings.setValue(QStringLiteral("File%1").arg(i), m_files[i - 1]);
        else
            settings.remove(QStringLiteral("File%1").arg(i));
    }
}
