// Storing and restoring a window's place in the suite's settings.
#include "appkit/window_places.h"

#include <QMainWindow>
#include <QSettings>

namespace ZQ_WINDOWS {

namespace {

const char* const SETTINGS_FOLDER = "zqpanel";
const char* const GROUP = "Window";

QString Key(const QWidget& window, const char* what)
{
    return window.objectName() + QLatin1Char('/') + QLatin1String(what);
}

} // namespace

bool RestoreWindowPlace(QWidget& window, const QString& settingsName)
{
    if (window.objectName().isEmpty())
        return false;
    QSettings settings(QString::fromLatin1(SETTINGS_FOLDER), settingsName);
    settings.beginGroup(QLatin1String(GROUP));
    const QByteArray geometry = settings.value(Key(window, "geometry")).toByteArray();
    bool restored = !geometry.isEmpty() && window.restoreGeometry(geometry);
    if (auto* main = qobject_cast<QMainWindow*>(&window)) {
        const QByteArray state = settings.value(Key(window, "state")).toByteArray();
        restored = !state.isEmpty() && main->restoreState(state) && restored;
    }
    return restored;
}

void StoreWindowPlace(const QWidget& window, const QString& settingsName)
{
    if (window.objectName().isEmpty())
        return;
    QSettings settings(QString::fromLatin1(SETTINGS_FOLDER), settingsName);
    settings.beginGroup(QLatin1String(GROUP));
    settings.setValue(Key(window, "geometry"), window.saveGeometry());
    if (auto* main = qobject_cast<const QMainWindow*>(&window))
        settings.setValue(Key(window, "state"), main->saveState());
}

} // namespace ZQ_WINDOWS
