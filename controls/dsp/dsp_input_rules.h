// What may be typed into an attribute's edit box: the characters of each input mode, the number
// rule of integer and real attributes, and the beep that refuses a keystroke.
#pragma once

#include "controls/dsp/dsp_api.h"

#include <QChar>
#include <QString>

class QLineEdit;

#include <string>

namespace DspInput {

// Text-field input modes (CDspAttribute::TextInputMode).
enum { MODE_FREE = 0, MODE_DECIMAL = 1, MODE_BINARY = 2, MODE_OCTAL = 3, MODE_HEX = 4 };

// Whether ch belongs to the mode's set: free any; decimal 0-9 and "."; base two 0-1; octal 0-7;
// hexadecimal 0-9, A-F, a-f. Backspace belongs to every set; an unknown mode accepts anything.
DSP_API bool IsModeChar(int mode, QChar ch);

// The shortest plain (no exponent) decimal text that reads back as value exactly, with at most
// 50 digits after the point; "%.17g" when no such text exists.
DSP_API std::string ShortestPlain(double value);

// The typing rule of number attributes for a printable character ch that turns the edit text
// into result: only digits (and "." for a real) are accepted; for a real, result must be exactly
// the shortest rendering of its own value, followed by "." when result ends with one, so leading
// zeros and trailing zeros after the point cannot be typed ("0", "0.", "0.5" can; "00", "1.50"
// cannot).
DSP_API bool PreviousEditChar(bool real, const QString& result, QChar ch);

// Shows text in edit whole: the box's typing limit becomes limit, or the text's length when that
// is longer, so a stored value longer than the limit is never cut by showing it (and then stored
// cut when the user confirms). The box's signals fire as setText fires them.
DSP_API void ShowWhole(QLineEdit* edit, const QString& text, int limit);

// Sounds the system beep, or calls the hook set for tests.
using BeepHook = void (*)();
DSP_API void Beep();
// Null restores the system beep.
DSP_API void SetBeepHook(BeepHook hook);

} // namespace DspInput
