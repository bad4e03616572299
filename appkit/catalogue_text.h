// Names and descriptions of the device and PLC catalogues (GBK) as the tools print them: in
// UTF-8, with their English from the catalogue of translations (context "Model") for English users.
#pragma once

#include <string>

namespace ZQ_I18N {

// A catalogue name (panel model, PLC protocol, register or coil kind, control kind) held as GBK,
// in UTF-8 and followed by " (English)" when the user reads English and the context "Model" has
// an English for it that differs from the name; otherwise the name alone. The stored name always
// comes first, so it can be typed back. Bytes that are not GBK show as '?'; null reads as empty.
std::string NameWithEnglish(const char* gbk);
// The same for a name already in UTF-8 (as a project's JSON form holds it).
std::string NameWithEnglishUtf8(const std::string& utf8);

// A catalogue description held as GBK, in the user's language: its English from the context
// "Model" for English users when there is one, otherwise the stored text in UTF-8 ('?' for bytes
// that are not GBK; null reads as empty).
std::string DescriptionShown(const char* gbk);

} // namespace ZQ_I18N
