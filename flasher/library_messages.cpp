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
};

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
    for (const NUMBERED_PATTERN& numbered : NumberedPatterns()) {
        const QRegularExpressionMatch match = numbered.pattern.match(text);
        if (match.hasMatch())
            return QCoreApplication::translate("Flasher", numbered.form).arg(match.captured(1));
    }
    return QCoreApplication::translate("Flasher", text.toUtf8().constData());
}
