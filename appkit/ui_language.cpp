// Choosing the user's language and installing the English catalogue.
#include "appkit/ui_language.h"

#include "comkit/message_text.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

#include <memory>
#include <string>

namespace ZQ_I18N {

const char* const CATALOGUE_FILE = "zqsuite_en.qm";
const char* const CHINESE_CATALOGUE_FILE = "zqsuite_zh.qm";
const char* const QT_CHINESE_CATALOGUE = "qtbase_zh_CN";

namespace {

bool StartsWithZh(const QByteArray& value)
{
    return value.trimmed().toLower().startsWith("zh");
}

QPointer<QTranslator>& InstalledTranslator()
{
    static QPointer<QTranslator> installed; // cleared when its application goes
    return installed;
}

// The hook of the model libraries' messages: UTF-8 in, UTF-8 out.
std::string MessageInUserLanguage(const char* context, const char* text)
{
    const QString english =
        InstalledTranslator() ? QCoreApplication::translate(context, text) : Translated(context, text);
    return english.isEmpty() ? std::string(text) : english.toStdString();
}

// The catalogue file found beside the running program (or in its parent folder), installed into app
// and owned by it; null when none loads.
QTranslator* LoadBesideProgram(QCoreApplication& app, const char* file)
{
    auto translator = std::make_unique<QTranslator>(&app);
    const QDir here(QCoreApplication::applicationDirPath());
    for (const QString& folder : {here.path(), here.filePath(QStringLiteral(".."))})
        if (translator->load(QString::fromLatin1(file), folder) &&
            QCoreApplication::installTranslator(translator.get()))
            return translator.release();
    return nullptr;
}

} // namespace

LANGUAGE UiLanguage()
{
    const QByteArray forced = qgetenv("ZQ_LANG").trimmed().toLower();
    if (forced == "zh")
        return LANGUAGE_CHINESE;
    if (forced == "en")
        return LANGUAGE_ENGLISH;
    // LC_ALL over LC_MESSAGES over LANG, as the C library reads them.
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QByteArray value = qgetenv(name);
        if (!value.isEmpty())
            return StartsWithZh(value) ? LANGUAGE_CHINESE : LANGUAGE_ENGLISH;
    }
    return QLocale::system().language() == QLocale::Chinese ? LANGUAGE_CHINESE : LANGUAGE_ENGLISH;
}

bool InstallTranslator(QCoreApplication& app)
{
    InstallMessageTranslator();
    if (UiLanguage() == LANGUAGE_CHINESE)
        return true;
    QPointer<QTranslator>& installed = InstalledTranslator();
    if (installed)
        return true;
    installed = LoadBesideProgram(app, CATALOGUE_FILE);
    return installed;
}

bool InstallWindowTranslators(QCoreApplication& app)
{
    if (!InstallTranslator(app))
        return false;
    if (UiLanguage() == LANGUAGE_ENGLISH)
        return true;
    QPointer<QTranslator>& installed = InstalledTranslator();
    if (installed)
        return true;
    // Qt's catalogue first: ours, installed later, is asked first.
    auto qt = std::make_unique<QTranslator>(&app);
    if (qt->load(QString::fromLatin1(QT_CHINESE_CATALOGUE), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(qt.get()))
        static_cast<void>(qt.release()); // owned by app
    installed = LoadBesideProgram(app, CHINESE_CATALOGUE_FILE);
    return installed;
}

void InstallMessageTranslator()
{
    COMMON_EX::SetMessageTranslator(&MessageInUserLanguage, UiLanguage() == LANGUAGE_ENGLISH
                                                                ? COMMON_EX::MESSAGE_ENGLISH
                                                                : COMMON_EX::MESSAGE_CHINESE);
}

QString Translated(const char* context, const char* source)
{
    if (!source || UiLanguage() == LANGUAGE_CHINESE)
        return QString();
    // Loaded once from beside the program (found through /proc, as no application may exist yet).
    static const std::unique_ptr<QTranslator> catalogue = [] {
        auto translator = std::make_unique<QTranslator>();
        const QDir here(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath());
        for (const QString& folder : {here.path(), here.filePath(QStringLiteral(".."))})
            if (translator->load(QString::fromLatin1(CATALOGUE_FILE), folder))
                return translator;
        return std::unique_ptr<QTranslator>();
    }();
    return catalogue ? catalogue->translate(context, source) : QString();
}

} // namespace ZQ_I18N
