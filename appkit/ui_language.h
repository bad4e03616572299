// The language the suite's windows and messages speak: Chinese (the texts as written in the
// sources) or English (the catalogue zqsuite_en.qm built from translations/zqsuite_en.ts).
#pragma once

#include <QString>

class QCoreApplication;

namespace ZQ_I18N {

enum LANGUAGE { LANGUAGE_CHINESE, LANGUAGE_ENGLISH };

// The catalogue's file name, looked up in the program's folder and then its parent (Flasher in bin/).
extern const char* const CATALOGUE_FILE; // "zqsuite_en.qm"
// The Chinese of the messages written in English (file, download and system errors), found there too.
extern const char* const CHINESE_CATALOGUE_FILE; // "zqsuite_zh.qm"
// Qt's own catalogue of its buttons and dialogs for Chinese, from Qt's translations folder.
extern const char* const QT_CHINESE_CATALOGUE; // "qtbase_zh_CN"

// ZQ_LANG "zh" or "en" (any case, blanks ignored) decides; any other value or none leaves it to the
// locale: the first of LC_ALL, LC_MESSAGES and LANG that is set gives Chinese when it starts with
// "zh" and English otherwise (the C locale too); with none set, QLocale::system() decides.
LANGUAGE UiLanguage();

// For English, loads the catalogue beside the running program and installs it into app (once per
// application; later calls do nothing). Chinese installs nothing here: the source texts are Chinese (see InstallWindowTranslators).
// False when English was asked for and no catalogue was found or it would not load; the texts then
// stay Chinese and nothing else changes. Installs the message translator too (InstallMessageTranslator).
bool InstallTranslator(QCoreApplication& app);

// InstallTranslator, and for a program with windows the rest of the UI language: for Chinese, the
// Chinese catalogue of the messages written in English (the model libraries' messages then go through
// it) and Qt's own catalogue (the standard buttons "取消", the file dialog). English needs only ours:
// Qt's own texts are English. A catalogue that is missing (Qt's translations not installed) leaves its
// texts as written; false only when our own catalogue of the language was not found or would not load.
// Once per application; later calls do nothing.
bool InstallWindowTranslators(QCoreApplication& app);

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
