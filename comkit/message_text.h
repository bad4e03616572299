// The messages the model libraries compose, in the user's language: a translator the program
// installs once, and the look-up and argument filling the libraries call. Needs no Qt application.
#pragma once

#include "comkit/comkit_api.h"

#include <initializer_list>
#include <string>

// Marks a literal for the translation catalogue (lupdate finds the name in the source text) and
// leaves it as it is; the same as Qt's macro of that name where Qt's headers are included.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace COMMON_EX {

// The text's translation in context, as UTF-8; text itself (a copy) when there is none.
// Never given a null text.
using MESSAGE_TRANSLATOR = std::string (*)(const char* context, const char* text);

// The language the program chose, for messages that list names in both their stored (Chinese)
// and ASCII forms: Chinese users see the stored names first, English users the ASCII ones.
enum MESSAGE_LANGUAGE { MESSAGE_CHINESE, MESSAGE_ENGLISH };

// Installs the translator (null: messages stay as written) and the language. A program calls it
// once, where it chooses its language, before it composes messages; a later call replaces both.
COMKIT_API void SetMessageTranslator(MESSAGE_TRANSLATOR translator, MESSAGE_LANGUAGE language);
// The language given to SetMessageTranslator; MESSAGE_CHINESE before any call.
COMKIT_API MESSAGE_LANGUAGE MessageLanguage();

// text (UTF-8, marked with QT_TRANSLATE_NOOP(context, ...)) through the installed translator;
// text itself without one. A null text gives an empty text.
COMKIT_API std::string Tr(const char* context, const char* text);
// Tr(context, text) with its arguments filled in (FillArgs).
COMKIT_API std::string TrArgs(const char* context, const char* text, std::initializer_list<std::string> args);

// TrArgs(context, text, {path, the system's text for errno}): for "cannot open %1: %2". errno is
// read before anything else runs, so the translator cannot change the reason. The reason is the C
// library's English text (never the process locale's) put through the translator in context
// "SystemErrors", so it speaks the UI language even where the locale speaks another.
COMKIT_API std::string TrSystemError(const char* context, const char* text, const std::string& path);
// The C library's English text for the error code (as in any locale) through the translator in
// context "SystemErrors"; the English text itself for a reason the catalogue lacks.
COMKIT_API std::string TrSystemReason(int code);

// pattern with %1 to %9 replaced by the 1st to 9th argument in one pass: a "%2" inside an
// argument stays as it is; a %N without its argument, a "%0" and a lone "%" stay as written.
// "%10" is the first argument followed by "0".
COMKIT_API std::string FillArgs(const std::string& pattern, std::initializer_list<std::string> args);

} // namespace COMMON_EX
