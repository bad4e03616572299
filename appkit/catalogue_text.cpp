// Catalogue names and descriptions in the user's language.
#include "appkit/catalogue_text.h"

#include "appkit/ui_language.h"
#include "comkit/gbk.h"

namespace ZQ_I18N {

namespace {

const char* const CONTEXT = "Model";

} // namespace

std::string NameWithEnglishUtf8(const std::string& utf8)
{
    const QString english = utf8.empty() ? QString() : Translated(CONTEXT, utf8.c_str());
    if (english.isEmpty() || english == QString::fromStdString(utf8))
        return utf8;
    return utf8 + " (" + english.toStdString() + ")";
}

std::string NameWithEnglish(const char* gbk)
{
    return NameWithEnglishUtf8(COMMON_EX::GbkToUtf8Lossy(gbk));
}

std::string DescriptionShown(const char* gbk)
{
    const std::string utf8 = COMMON_EX::GbkToUtf8Lossy(gbk);
    const QString english = utf8.empty() ? QString() : Translated(CONTEXT, utf8.c_str());
    return english.isEmpty() ? utf8 : english.toStdString();
}

} // namespace ZQ_I18N
