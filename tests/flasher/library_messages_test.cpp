// The programming library's numbered messages in the user's language: recognised by their format,
// translated through their form, the number put back as the library wrote it.
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

} // namespace

TEST(LibraryMessages, NumberedMessagesKeepTheirNumberInEnglishAndStayAsWrittenOtherwise)
{
    TestApp();
    const std::string crc = Formatted(FMT_ISP_CRC_ERROR, 24832);
    const std::string conflict = Formatted(FMT_IMAGE_HEX_CONFLICT, 0x00A0);
    const std::string failed = Formatted(FMT_ISP_ERROR, -3);
    ASSERT_EQ(conflict, "HEX format error: two records give address 0x00A0 different values");

    // No English installed (Chinese): every text as the library wrote it.
    EXPECT_EQ(Shown(crc).toStdString(), crc);
    EXPECT_EQ(Shown(conflict).toStdString(), conflict);

    CTestTranslator english;
    ASSERT_TRUE(QCoreApplication::installTranslator(&english));
    EXPECT_EQ(Shown(crc).toStdString(), "CRC error at address 24832");
    EXPECT_EQ(Shown(conflict).toStdString(), "two HEX records disagree at 0x00A0") << "hex digits and zeros kept";
    EXPECT_EQ(Shown(failed).toStdString(), "unexpected error -3") << "the sign too";
    EXPECT_EQ(Shown(MSG_ISP_TIME_OVER).toStdString(), "programming timed out") << "fixed texts as before";
    // Only the whole text in the library's own form is taken for it.
    for (const std::string& other :
         {std::string("Address: 12 CRC error! (0x000C)"), std::string("Address: x CRC error!"),
          std::string("HEX format error: two records give address 0x00a0 different values"),
          std::string("cannot open /dev/ttyUSB0: No such file or directory"), std::string()})
        EXPECT_EQ(Shown(other).toStdString(), other);
    QCoreApplication::removeTranslator(&english);
    EXPECT_EQ(Shown(crc).toStdString(), crc);
}

TEST(LibraryMessages, TheSuiteCatalogueHasTheFormsOfTheNumberedMessages)
{
    TestApp();
    QTranslator catalogue;
    ASSERT_TRUE(catalogue.load("zqsuite_en.qm", QCoreApplication::applicationDirPath()))
        << "the build writes the catalogue beside the programs";
    for (const char* form : {"An unexpectedly error!(%1)", "Address: %1 CRC error!",
                             "HEX format error: two records give address 0x%1 different values"})
        EXPECT_FALSE(catalogue.translate("Flasher", form).isEmpty()) << form;
}
