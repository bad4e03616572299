// The text a register control shows for a value, as the panel formats it.
#pragma once

#include "emulator/emulator_api.h"

#include "comkit/types.h"

#include <string>

struct PANEL_CONTROL;

class EMULATOR_API CRegisterText {
public:
    // The register's digits: integer and decimal digits with the point between them ("0." before
    // the decimals when there are no integer digits); leading integer zeros as blanks unless the
    // invalid-zero flag asks for them (the last integer digit always shows). A value with more
    // digits than the field holds shows '!' in every place; with the asterisk flag every place of
    // the field (its width in 8-pixel cells) shows '*'.
    static std::string Format(const PANEL_CONTROL& reg, WORD value);
    // The field with '-' in every place: the value is not known (not read yet, or the link is lost).
    static std::string Unknown(const PANEL_CONTROL& reg);
    // The digits while editing: every digit shown (leading zeros too), `digits` holding the
    // integer then the decimal digits; the point placed as in Format.
    static std::string Editing(const PANEL_CONTROL& reg, const std::string& digits);
    // The number of digits (integer + decimal) of the register, at least 1.
    static int DigitCount(const PANEL_CONTROL& reg);
    // The character cell (0-based, in the text of Editing) that shows digit `digit`.
    static int CellOfDigit(const PANEL_CONTROL& reg, int digit);
};
