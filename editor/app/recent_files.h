// The recently opened projects (at most four), newest first, kept in the user's settings
// ($XDG_CONFIG_HOME/zqpanel/ZQEditor.conf, ~/.config/zqpanel/ when unset: the folder every program of
// the suite keeps its settings in; group "Recent File List", keys File1-File4).
#pragma once

#include <QStringList>

class CRecentFiles {
public:
    static constexpr int MAX_FILES = 4;

    // Reads the list from the settings.
    CRecentFiles();
    // Moves (or adds) the absolute path to the front, drops the oldest beyond four, and stores.
    void Add(const QString& path);
    // Forgets a path (a file that could not be opened) and stores.
    void Remove(const QString& path);
    const QStringList& GetFiles() const { return m_files; }

private:
    void Store() const;

    QStringList m_files;
};
