// The language the suite's windows and messages speak: Chinese (the texts as written in the
// sources) or English (the catalogue zqsuite_en.qm built from translations/zqsuite_en.ts).
#pragma once

#include <QString>

class QCoreApplication;

namespace ZQ_I18N {

enum LANGUAGE { LANGUAGE_CHINESE, LANGUAGE_ENGLISH };

// The catalogue's file name, looked up in the program's folder and then its parent (Flasher in bin/).
extern const char* const CATALOGUE_FILE; // "zqsuite_en.qm"

// ZQ_LANG "zh" or "en" (any case, blanks ignored) decides; any other value or none leaves it to the
// locale: the first of LC_ALL, LC_MESSAGES and LANG that is set gives Chinese when it starts with
// "zh" and English otherwise (the C locale too); with none set, QLocale::system() decides.
LANGUAGE UiLanguage();

// For English, loads the catalogue beside the running program and installs it into app (once per
// application; later calls do nothing). Chinese installs nothing: the source texts are Chinese.
// False when English was asked for and no catalogue was found or it would not load; the texts then
// stay Chinese and nothing else changes. Installs the message translator too (InstallMessageTranslator).
bool InstallTranslator(QCoreApplication& app);

// Lets the model libraries' messages (COMMON_EX::Tr) speak the language UiLanguage() gives now:
// through app's translator once InstallTranslator installed one, else as Translated finds them;
// the libraries' name lists put the ASCII names first for English. Needs no QCoreApplication;
// calling it again follows a changed ZQ_LANG.
void InstallMessageTranslator();

// The English of source in context when the language is English and the catalogue beside the
// running program has it; otherwise empty (the caller keeps its own bytes). Needs no
// QCoreApplication, so command-line tools translate their help before any application exists.
QString Translated(const char* context, const char* source);

} // namespace ZQ_I18N
