// The programming library's messages in the user's language.
#include "flasher/library_messages.h"

#include "flasher/image_file.h"
#include "flasher/isp_exchange.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <vector>

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

// A numbered text: the library's C format and the catalogue's form of it.
struct NUMBERED_TEXT {
    const char* const* format;
    const char* form;
};

const NUMBERED_TEXT NUMBERED_TEXTS[] = {
    {&FMT_ISP_ERROR, QT_TRANSLATE_NOOP("Flasher", "An unexpectedly error!(%1)")},
    {&FMT_ISP_CRC_ERROR, QT_TRANSLATE_NOOP("Flasher", "Address: %1 CRC error!")},
    {&FMT_IMAGE_HEX_CONFLICT,
     QT_TRANSLATE_NOOP("Flasher", "HEX format error: two records give address 0x%1 different values")},
    {&FMT_HEX_CONFLICT, QT_TRANSLATE_NOOP("Flasher", "two records give address 0x%1 different values")},
};

// The line form of a refused HEX file; its reason is a library text of its own.
const char* const HEX_LINE_FORM = QT_TRANSLATE_NOOP("Flasher", "HEX format error in line %1: %2");

// A whole-text pattern of a C format with one group per conversion (%d, %u, %X, %x with flags and
// width); other characters stand for themselves.
QRegularExpression PatternOf(const char* format)
{
    QString pattern;
    QString literal;
    for (const char* p = format; *p != '\0'; ++p) {
        if (*p != '%' || p[1] == '\0') {
            literal += QLatin1Char(*p);
            continue;
        }
        ++p;
        while (*p == '-' || *p == '+' || *p == ' ' || *p == '#' || (*p >= '0' && *p <= '9'))
            ++p;
        const char* group = nullptr;
        switch (*p) {
        case 'd':
        case 'i': group = "([-+]?[0-9]+)"; break;
        case 'u': group = "([0-9]+)"; break;
        case 'X': group = "([0-9A-F]+)"; break;
        case 'x': group = "([0-9a-f]+)"; break;
        case '%': literal += QLatin1Char('%'); continue;
        default: return QRegularExpression(); // a conversion this table does not use: never matches
        }
        pattern += QRegularExpression::escape(literal) + QLatin1String(group);
        literal.clear();
    }
    pattern += QRegularExpression::escape(literal);
    return QRegularExpression(QRegularExpression::anchoredPattern(pattern));
}

struct NUMBERED_PATTERN {
    QRegularExpression pattern;
    const char* form;
};

const std::vector<NUMBERED_PATTERN>& NumberedPatterns()
{
    static const std::vector<NUMBERED_PATTERN> patterns = [] {
        std::vector<NUMBERED_PATTERN> list;
        for (const NUMBERED_TEXT& text : NUMBERED_TEXTS)
            list.push_back({PatternOf(*text.format), text.form});
        return list;
    }();
    return patterns;
}

} // namespace

QString TranslateLibraryMessage(const QString& text)
{
    if (text.isEmpty())
        return text;
    static const QRegularExpression hexLine(
        QRegularExpression::anchoredPattern(QRegularExpression::escape(QLatin1String(FMT_IMAGE_HEX_LINE))
                                                .replace(QLatin1String("\\%d"), QLatin1String("([0-9]+)"))
                                                .replace(QLatin1String("\\%s"), QLatin1String("(.+)"))));
    const QRegularExpressionMatch line = hexLine.match(text);
    if (line.hasMatch())
        return QCoreApplication::translate("Flasher", HEX_LINE_FORM)
            .arg(line.captured(1), TranslateLibraryMessage(line.captured(2)));
    for (const NUMBERED_PATTERN& numbered : NumberedPatterns()) {
        const QRegularExpressionMatch match = numbered.pattern.match(text);
        if (match.hasMatch())
            return QCoreApplication::translate("Flasher", numbered.form).arg(match.captured(1));
    }
    return QCoreApplication::translate("Flasher", text.toUtf8().constData());
}
