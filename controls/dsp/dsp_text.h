// Text at the widget boundary of the design windows: the model's GBK bytes to and from QString.
#pragma once

#include "controls/dsp/dsp_api.h"

#include <QString>

#include <string>

namespace DspText {

// A GBK text for display; bytes that do not decode show as '?'. Null reads as empty.
DSP_API QString FromGbk(const char* gbk);
inline QString FromGbk(const std::string& gbk) { return FromGbk(gbk.c_str()); }
// A text for the model; every character without a GBK form becomes '?', so nothing typed is
// silently lost and the model never holds invalid bytes.
DSP_API std::string ToGbk(const QString& text);

} // namespace DspText
