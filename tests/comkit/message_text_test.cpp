// The model libraries' messages: the installed translator, the language it gives, and the filling
// of %1 to %9 in one pass.
#include "comkit/message_text.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace {

using COMMON_EX::FillArgs;

// A translator that answers one text and spoils errno, as a catalogue loaded from disk may.
std::string Catalogue(const char* context, const char* text)
{
    errno = EBADF;
    if (std::string(context) == "Files" && std::string(text) == "cannot open %1: %2")
        return "could not open %1 (%2)";
    if (std::string(context) == "SystemErrors" && std::string(text) == "No such file or directory")
        return "没有那个文件或目录";
    return text;
}

// Restores the untranslated state after each case.
class MessageText : public ::testing::Test {
protected:
    ~MessageText() override { COMMON_EX::SetMessageTranslator(nullptr, COMMON_EX::MESSAGE_CHINESE); }
};

} // namespace

TEST_F(MessageText, ArgumentsAreFilledOnceAndStrayMarkersStay)
{
    EXPECT_EQ(FillArgs("%2 before %1", {"a", "b"}), "b before a");
    // An argument's own markers are not filled again.
    EXPECT_EQ(FillArgs("%1 and %2", {"100%2", "x"}), "100%2 and x");
    // A marker without its argument, %0, a lone or final % stay; %10 is %1 then 0.
    EXPECT_EQ(FillArgs("%3 %0 50% %", {"a"}), "%3 %0 50% %");
    EXPECT_EQ(FillArgs("%10", {"a"}), "a0");
    EXPECT_EQ(FillArgs("%1%1", {"ab"}), "abab");
    EXPECT_EQ(FillArgs("", {"a"}), "");
    EXPECT_EQ(FillArgs("%9", {"1", "2", "3", "4", "5", "6", "7", "8", "nine"}), "nine");
}

TEST_F(MessageText, TheInstalledTranslatorAndLanguageAnswer)
{
    EXPECT_EQ(COMMON_EX::MessageLanguage(), COMMON_EX::MESSAGE_CHINESE);
    EXPECT_EQ(COMMON_EX::Tr("Files", "cannot open %1: %2"), "cannot open %1: %2");
    EXPECT_EQ(COMMON_EX::Tr("Files", nullptr), "");

    COMMON_EX::SetMessageTranslator(&Catalogue, COMMON_EX::MESSAGE_ENGLISH);
    EXPECT_EQ(COMMON_EX::MessageLanguage(), COMMON_EX::MESSAGE_ENGLISH);
    EXPECT_EQ(COMMON_EX::TrArgs("Files", "cannot open %1: %2", {"a%2.ZQE", "gone"}), "could not open a%2.ZQE (gone)");
    EXPECT_EQ(COMMON_EX::Tr("Other", "cannot open %1: %2"), "cannot open %1: %2"); // by context too
    // The reason is the failure's, not whatever the translator left in errno, in the C library's
    // English put through the translator (whatever the locale says); a reason it lacks stays English.
    errno = ENOENT;
    EXPECT_EQ(COMMON_EX::TrSystemError("Files", "cannot open %1: %2", "p.ZQE"),
              "could not open p.ZQE (没有那个文件或目录)");
    EXPECT_EQ(COMMON_EX::TrSystemReason(EACCES), "Permission denied");
}
