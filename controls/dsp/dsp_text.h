// Text at the widget boundary of the design windows: the model's GBK bytes to and from QString.
#pragma once

#include "controls/dsp/dsp_api.h"

#include <QString>

#include <string>

namespace DspText {

// A GBK text for display; bytes that do not decode show as '?'. Null reads as empty.
DSP_API QString FromGbk(const char* gbk);
inline QString FromGbk(const std::string& gbk)
{
    return FromGbk(gbk.c_str());
}
// A text for the model; every character without a GBK form becomes '?', so nothing typed is
// silently lost and the model never holds invalid bytes.
DSP_API std::string ToGbk(const QString& text);

// A name of the model libraries (attribute, group, enumeration item; GBK) as the user reads it:
// translated in the context "Model" when the catalogue knows it, else FromGbk. Only for display;
// what is stored stays the GBK name.
DSP_API QString Shown(const char* gbk);
inline QString Shown(const std::string& gbk)
{
    return Shown(gbk.c_str());
}

// A control's status line ("<kind> [MODBUS <attribute>: n (0xN)]", GBK) as the user reads it:
// the kind and the attribute name through Shown, the rest as it is.
DSP_API QString ShownStatus(const std::string& gbk);

} // namespace DspText
