// The user's language: ZQ_LANG decides when it says zh or en, otherwise the locale's variables do
// (Chinese for zh*, English for anything else, the C locale too).
#include "appkit/ui_language.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// Sets the language variables for one case (null unsets) and restores the test's own afterwards.
class LanguageEnvironment {
public:
    LanguageEnvironment(const char* zqLang, const char* lcAll, const char* lang)
    {
        Set("ZQ_LANG", zqLang);
        Set("LC_ALL", lcAll);
        Set("LC_MESSAGES", nullptr);
        Set("LANG", lang);
    }
    ~LanguageEnvironment() { setenv("ZQ_LANG", "zh", 1); }

private:
    static void Set(const char* name, const char* value)
    {
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
};

ZQ_I18N::LANGUAGE With(const char* zqLang, const char* lcAll, const char* lang)
{
    LanguageEnvironment environment(zqLang, lcAll, lang);
    return ZQ_I18N::UiLanguage();
}

} // namespace

TEST(UiLanguage, ZqLangOverridesTheLocale)
{
    EXPECT_EQ(With("en", nullptr, "zh_CN.UTF-8"), ZQ_I18N::LANGUAGE_ENGLISH);
    EXPECT_EQ(With(" EN ", "zh_TW.UTF-8", nullptr), ZQ_I18N::LANGUAGE_ENGLISH);
    EXPECT_EQ(With("zh", nullptr, "en_US.UTF-8"), ZQ_I18N::LANGUAGE_CHINESE);
    EXPECT_EQ(With("Zh", "C", nullptr), ZQ_I18N::LANGUAGE_CHINESE);
}

TEST(UiLanguage, OtherwiseTheLocaleDecidesChineseOnlyForZh)
{
    EXPECT_EQ(With(nullptr, nullptr, "zh_CN.GBK"), ZQ_I18N::LANGUAGE_CHINESE);
    EXPECT_EQ(With("", nullptr, "zh_SG"), ZQ_I18N::LANGUAGE_CHINESE);
    EXPECT_EQ(With("fr", nullptr, "en_GB.UTF-8"), ZQ_I18N::LANGUAGE_ENGLISH); // an unknown ZQ_LANG is ignored
    EXPECT_EQ(With(nullptr, nullptr, "de_DE.UTF-8"), ZQ_I18N::LANGUAGE_ENGLISH);
    EXPECT_EQ(With(nullptr, "C", "zh_CN.UTF-8"), ZQ_I18N::LANGUAGE_ENGLISH); // LC_ALL over LANG
    EXPECT_EQ(With(nullptr, "zh_HK.UTF-8", "en_US.UTF-8"), ZQ_I18N::LANGUAGE_CHINESE);
}
