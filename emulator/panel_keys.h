// The keys of the panel models, numbered as the function-key images and the catalogue list them.
#pragma once

#include "emulator/emulator_api.h"

#include <string>

namespace PANEL_KEYS {

// Key k is drawn with function-key image k; a function-key control's record holds k + 1.
enum PanelKey : int {
    KEY_F1 = 0,
    KEY_F2,
    KEY_F3,
    KEY_F4,
    KEY_F5,
    KEY_F6,
    KEY_F7,
    KEY_F8,
    KEY_UP = 8,
    KEY_DOWN,
    KEY_LEFT,
    KEY_RIGHT,
    KEY_ENT = 12,
    KEY_ESC,
    KEY_SET,
    KEY_CLR,
    KEY_F9 = 16,
    KEY_F10,
    KEY_F11,
    KEY_F12,
    KEY_MENU = 20,
    KEY_HOME,
    KEY_ALM,
    KEY_PGUP,
    KEY_PGDN,
    KEY_COUNT = 25,
    SMALL_MODEL_KEY_COUNT = 16, // the 16-key model has keys 0-15
};

// "F1", "UP", ...; empty for a number outside 0 to KEY_COUNT - 1.
EMULATOR_API std::string KeyName(int key);
// The key named `name` (case-insensitive); -1 for an unknown name.
EMULATOR_API int KeyByName(const std::string& name);

} // namespace PANEL_KEYS
