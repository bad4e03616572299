#include "emulator/panel_keys.h"

#include <QString>

namespace PANEL_KEYS {

namespace {
const char* const NAMES[KEY_COUNT] = {"F1",   "F2",   "F3",    "F4",   "F5",  "F6",   "F7",  "F8", "UP",
                                      "DOWN", "LEFT", "RIGHT", "ENT",  "ESC", "SET",  "CLR", "F9", "F10",
                                      "F11",  "F12",  "MENU",  "HOME", "ALM", "PGUP", "PGDN"};
} // namespace

std::string KeyName(int key)
{
    return key >= 0 && key < KEY_COUNT ? NAMES[key] : "";
}

int KeyByName(const std::string& name)
{
    const QString wanted = QString::fromStdString(name);
    for (int k = 0; k < KEY_COUNT; ++k)
        if (wanted.compare(QLatin1String(NAMES[k]), Qt::CaseInsensitive) == 0)
            return k;
    return -1;
}

} // namespace PANEL_KEYS
