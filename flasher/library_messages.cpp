// The programming library's messages in the user's language.
#include "flasher/library_messages.h"

#include "flasher/image_file.h"

#include <QCoreApplication>

namespace {

// The library's fixed texts (its MSG_ texts, kept Qt-free for the fuzzers): listed here so that the
// catalogue has their English; TranslateLibraryMessage translates them where they are shown.
[[maybe_unused]] const char* const LIBRARY_TEXTS[] = {
    QT_TRANSLATE_NOOP("Flasher", "cannot load vexorenc.dll!"),
    QT_TRANSLATE_NOOP("Flasher", "file must be .hex or .bin or .vxc or .vxg!"),
    QT_TRANSLATE_NOOP("Flasher", "open input file error"),
    QT_TRANSLATE_NOOP("Flasher", "open input file error!"),
    QT_TRANSLATE_NOOP("Flasher", "error:file size is zero"),
    QT_TRANSLATE_NOOP("Flasher", "error:file size over 65535!"),
    QT_TRANSLATE_NOOP("Flasher", "HEX format error"),
    QT_TRANSLATE_NOOP("Flasher", "file is enciphered but libvexorenc.so is not loaded!"),
    QT_TRANSLATE_NOOP("Flasher",
                      "file is not enciphered: program it as not enciphered (notenc=1 in isp.ini, zqflash --notenc)!"),
    QT_TRANSLATE_NOOP("Flasher", "485 port cannot be set to RXD or TXD!"),
    QT_TRANSLATE_NOOP("Flasher", "led port cannot be set to RXD or TXD!"),
    QT_TRANSLATE_NOOP("Flasher", "led port and 485 port cannot to be the same port!"),
    QT_TRANSLATE_NOOP("Flasher", "An unexpectedly error,program terminate!"),
    QT_TRANSLATE_NOOP("Flasher", "Program Time over!"),
    QT_TRANSLATE_NOOP("Flasher", "Start to program ..."),
    QT_TRANSLATE_NOOP("Flasher", "Program Finished"),
    QT_TRANSLATE_NOOP("Flasher", "cannot load vexorisp.dll!"),
    QT_TRANSLATE_NOOP("Flasher", "Select the ports, their bits and the program begin address!"),
    QT_TRANSLATE_NOOP("Flasher", "The program does not fit between the begin address and 0xFFFF!"),
    // One text over two lines, not two texts missing their comma:
    // NOLINTNEXTLINE(bugprone-suspicious-missing-comma)
    QT_TRANSLATE_NOOP("Flasher", "The communication library cannot keep the line quiet: a block equal to an earlier "
                                 "one cannot be confirmed!"),
    QT_TRANSLATE_NOOP("Flasher", "the record does not start with ':'"),
    QT_TRANSLATE_NOOP("Flasher", "a character that is not a hex digit"),
    QT_TRANSLATE_NOOP("Flasher", "the record's length does not match its byte count"),
    QT_TRANSLATE_NOOP("Flasher", "checksum error"),
    QT_TRANSLATE_NOOP("Flasher", "unknown record type"),
    QT_TRANSLATE_NOOP("Flasher", "the program does not fit the panel's 64 KiB"),
    QT_TRANSLATE_NOOP("Flasher", "the program does not fit the panel's 64 KiB (data in two 64 KiB segments)"),
    QT_TRANSLATE_NOOP("Flasher", "a record after the end-of-file record"),
    QT_TRANSLATE_NOOP("Flasher", "the file ends without an end-of-file record"),
};

// The catalogue's forms of the numbered messages.
const char* const ISP_ERROR_FORM = QT_TRANSLATE_NOOP("Flasher", "An unexpectedly error!(%1)");
const char* const CRC_ERROR_FORM = QT_TRANSLATE_NOOP("Flasher", "Address: %1 CRC error!");
const char* const UNCONFIRMED_FORM =
    QT_TRANSLATE_NOOP("Flasher", "Program Finished, but %1 blocks equal to an earlier block are not confirmed: a late "
                                 "repeat of an answer could have passed for theirs. Program again with every block "
                                 "confirmed to be sure.");
const char* const IMAGE_HEX_CONFLICT_FORM =
    QT_TRANSLATE_NOOP("Flasher", "HEX format error: two records give address 0x%1 different values");
const char* const HEX_CONFLICT_FORM = QT_TRANSLATE_NOOP("Flasher", "two records give address 0x%1 different values");
// The line form of a refused HEX file; its reason is a library text of its own.
const char* const HEX_LINE_FORM = QT_TRANSLATE_NOOP("Flasher", "HEX format error in line %1: %2");

QString Translated(const char* text)
{
    return QCoreApplication::translate("Flasher", text);
}

QString Address(int address)
{
    return QString::fromStdString(FlasherMessageAddress(address));
}

} // namespace

QString TranslateLibraryMessage(const QString& text)
{
    if (text.isEmpty())
        return text;
    return Translated(text.toUtf8().constData());
}

QString DescribeFlasherMessage(const FLASHER_MESSAGE& message)
{
    switch (message.code) {
    case FLASHER_MESSAGE_ISP_ERROR: return Translated(ISP_ERROR_FORM).arg(QString::number(message.nNumber));
    case FLASHER_MESSAGE_CRC_ERROR: return Translated(CRC_ERROR_FORM).arg(QString::number(message.nNumber));
    case FLASHER_MESSAGE_UNCONFIRMED: return Translated(UNCONFIRMED_FORM).arg(QString::number(message.nNumber));
    case FLASHER_MESSAGE_HEX_CONFLICT: return Translated(IMAGE_HEX_CONFLICT_FORM).arg(Address(message.nNumber));
    case FLASHER_MESSAGE_HEX_LINE: {
        const QString reason = message.nConflict >= 0
                                   ? Translated(HEX_CONFLICT_FORM).arg(Address(message.nConflict))
                                   : Translated(message.pReason != nullptr ? message.pReason : MSG_IMAGE_HEX_FORMAT);
        return Translated(HEX_LINE_FORM).arg(QString::number(message.nNumber), reason);
    }
    }
    return QString();
}
