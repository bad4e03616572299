// Record and text helpers of the screen and control model: Save/Load over an object's record
// routines, length-prefixed GBK fields, GBK <-> UTF-16 for attribute values, and printf-style
// formatting of one value.
#pragma once

#include "controls/controls_api.h"

#include "comkit/record_io.h"

#include <string>

namespace ModelText {

// Save(buffer, size) of an object with GetRecordSize() and SaveRecord(writer): the size for a
// null buffer, else the bytes written.
template <class T>
DWORD SaveObject(const T& object, BYTE* buffer)
{
    if (!buffer)
        return object.GetRecordSize();
    COMMON_EX::CRecordWriter writer(buffer);
    object.SaveRecord(writer);
    return writer.Written();
}

// Load(buffer, size) of an object with LoadRecord(reader): the bytes read.
template <class T>
DWORD LoadObject(T& object, BYTE* buffer, DWORD size)
{
    COMMON_EX::CRecordReader reader(buffer, size);
    object.LoadRecord(reader);
    return reader.Consumed();
}

// A 32-bit length and the bytes, no terminator.
CONTROLS_API DWORD TextSize(const std::string& text);
CONTROLS_API void WriteText(COMMON_EX::CRecordWriter& writer, const std::string& text);
// Reads a length-prefixed text; false (nothing consumed) when it does not fit.
CONTROLS_API bool ReadText(COMMON_EX::CRecordReader& reader, std::string& text);

CONTROLS_API std::u16string GbkToUtf16(const std::string& gbk);
CONTROLS_API std::string Utf16ToGbk(const std::u16string& text);

// C atoi / atof reading: leading blanks, optional sign, digits; anything else ends the number
// (0 when there is none). Integers beyond 32 bits are clamped; a null text reads as 0.
CONTROLS_API int ParseInt(const char* text);
CONTROLS_API double ParseDouble(const char* text);

// Formats one argument with `format` when it holds exactly one conversion fitting the argument
// (flags, width and precision allowed; no '*' or '%n'), else with `fallback`.
CONTROLS_API std::string FormatInt(const char* format, const char* fallback, int value);
CONTROLS_API std::string FormatDouble(const char* format, const char* fallback, double value);
CONTROLS_API std::string FormatText(const char* format, const char* fallback, const char* value);

} // namespace ModelText
