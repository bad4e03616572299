// Makes controls by their ControlsType value and names the kinds.
#pragma once

#include "controls/controls_api.h"

#include <string>

class CAttributeBase;
class CControlBase;
class CScreenBase;

class CONTROLS_API CControlCreator {
public:
    // Text-field input modes of the attribute window.
    enum InputType { INPUT_PLAIN = 0, INPUT_DECIMAL = 1, INPUT_BINARY = 2, INPUT_OCTAL = 3, INPUT_HEX = 4 };

    // A new control of type 1-8 on `screen`; null for another type or a null screen.
    static CControlBase* Create(unsigned type, CScreenBase* screen);
    // Empties name; for types 1-8 puts the kind's display name (GBK) and returns 1, else 0.
    static int GetControlBaseName(unsigned type, std::string& name);
    // Octal or decimal for the coil address of a lamp or function key, by panel model and coil
    // kind; plain for everything else.
    static int GetControlAttributeInputType(CAttributeBase* attribute);
};
