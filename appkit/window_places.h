// Where a program's window was when the user last closed it: its size, place and state and, for a
// main window, the places of its toolbars and docks, kept in the suite's settings folder.
#pragma once

#include <QString>

class QWidget;

namespace ZQ_WINDOWS {

// Restores window from the settings file $XDG_CONFIG_HOME/zqpanel/<settingsName>.conf (the folder
// every program of the suite keeps its settings in; ~/.config when unset), group "Window", keys
// "<objectName>/geometry" and, for a QMainWindow, "<objectName>/state". Call it once the window's
// toolbars and docks exist and before it is shown. False when nothing was stored or the stored
// bytes would not apply (the window then keeps its own size and layout); a stored place off every
// screen is pulled back onto one by Qt.
bool RestoreWindowPlace(QWidget& window, const QString& settingsName);

// Stores what RestoreWindowPlace reads, for window as it is now (its normal size also when it is
// maximised or hidden). A window without an object name stores nothing.
void StoreWindowPlace(const QWidget& window, const QString& settingsName);

} // namespace ZQ_WINDOWS
