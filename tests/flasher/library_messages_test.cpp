// The programming library's numbered messages in the user's language: put into words from their
// code, translated through their form, the numbers written as the library writes them.
#include "vexorisp/event_wait.h"

#include "flasher/image_file.h"
#include "flasher/isp_exchange.h"
#include "flasher/library_messages.h"

#include <QTranslator>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// English that differs from the source texts, so that a translated text can be told apart.
class CTestTranslator : public QTranslator {
public:
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        if (QByteArray(context) != "Flasher")
            return QString();
        const QByteArray text(source);
        if (text == "Address: %1 CRC error!")
            return "CRC error at address %1";
        if (text == "HEX format error: two records give address 0x%1 different values")
            return "two HEX records disagree at 0x%1";
        if (text == "two records give address 0x%1 different values")
            return "records disagree at 0x%1";
        if (text == "An unexpectedly error!(%1)")
            return "unexpected error %1";
        if (text == "Program Time over!")
            return "programming timed out";
        return QString();
    }
};

std::string Formatted(const char* format, int number)
{
    char text[160];
    std::snprintf(text, sizeof text, format, number);
    return text;
}

QString Shown(const std::string& text)
{
    return TranslateLibraryMessage(QString::fromStdString(text));
}

FLASHER_MESSAGE Numbered(FlasherMessageCode code, int number)
{
    FLASHER_MESSAGE message;
    message.code = code;
    message.nNumber = number;
    return message;
}

QString Shown(const FLASHER_MESSAGE& message)
{
    return DescribeFlasherMessage(message);
}

} // namespace

TEST(LibraryMessages, NumberedMessagesKeepTheirNumberInEnglishAndStayAsWrittenOtherwise)
{
    TestApp();
    const FLASHER_MESSAGE crc = Numbered(FLASHER_MESSAGE_CRC_ERROR, 24832);
    const FLASHER_MESSAGE conflict = Numbered(FLASHER_MESSAGE_HEX_CONFLICT, 0x00A0);
    const FLASHER_MESSAGE failed = Numbered(FLASHER_MESSAGE_ISP_ERROR, -3);
    EXPECT_EQ(FlasherMessageText(crc), Formatted(FMT_ISP_CRC_ERROR, 24832));
    EXPECT_EQ(FlasherMessageText(failed), Formatted(FMT_ISP_ERROR, -3));
    ASSERT_EQ(FlasherMessageText(conflict), "HEX format error: two records give address 0x00A0 different values");
    EXPECT_EQ(FlasherMessageText(Numbered(FlasherMessageCode(0), 1)), "") << "an unknown code";
    EXPECT_EQ(Shown(Numbered(FlasherMessageCode(0), 1)).toStdString(), "");

    // No English installed (Chinese): every text as the library writes it, a refused HEX line too.
    HEX_PARSE_ERROR refused;
    refused.nLine = 7;
    refused.nResult = HEX_RECORD_CONFLICT;
    refused.nConflict = 0x1F0;
    const FLASHER_MESSAGE line = HexErrorMessage(refused);
    char formatted[160];
    FormatHexError(refused, formatted, sizeof formatted);
    ASSERT_STREQ(formatted, "HEX format error in line 7: two records give address 0x01F0 different values");
    refused.nResult = HEX_RECORD_BAD_SUM;
    for (const FLASHER_MESSAGE& message : {crc, conflict, failed, line, HexErrorMessage(refused)})
        EXPECT_EQ(Shown(message).toStdString(), FlasherMessageText(message));
    EXPECT_EQ(FlasherMessageText(line), formatted);

    CTestTranslator english;
    ASSERT_TRUE(QCoreApplication::installTranslator(&english));
    EXPECT_EQ(Shown(crc).toStdString(), "CRC error at address 24832");
    EXPECT_EQ(Shown(conflict).toStdString(), "two HEX records disagree at 0x00A0") << "hex digits and zeros kept";
    EXPECT_EQ(Shown(failed).toStdString(), "unexpected error -3") << "the sign too";
    EXPECT_EQ(Shown(line).toStdString(), "HEX format error in line 7: records disagree at 0x01F0") << "the reason too";
    EXPECT_EQ(Shown(std::string(MSG_ISP_TIME_OVER)).toStdString(), "programming timed out") << "fixed texts as before";
    // Only the whole text in the library's own form is taken for it.
    for (const std::string& other :
         {std::string("Address: 12 CRC error! (0x000C)"), std::string("Address: x CRC error!"),
          std::string("HEX format error: two records give address 0x00a0 different values"),
          std::string("cannot open /dev/ttyUSB0: No such file or directory"), std::string()})
        EXPECT_EQ(Shown(other).toStdString(), other);
    QCoreApplication::removeTranslator(&english);
    EXPECT_EQ(Shown(crc).toStdString(), FlasherMessageText(crc));
}

TEST(LibraryMessages, TheSuiteCatalogueHasTheFormsOfTheNumberedMessages)
{
    TestApp();
    QTranslator catalogue;
    ASSERT_TRUE(catalogue.load("zqsuite_en.qm", QCoreApplication::applicationDirPath()))
        << "the build writes the catalogue beside the programs";
    for (const char* form : {"An unexpectedly error!(%1)", "Address: %1 CRC error!",
                             "HEX format error: two records give address 0x%1 different values",
                             "Program Finished, but %1 blocks equal to an earlier block are not confirmed: a late "
                             "repeat of an answer could have passed for theirs. Program again with every block "
                             "confirmed to be sure."})
        EXPECT_FALSE(catalogue.translate("Flasher", form).isEmpty()) << form;
}
