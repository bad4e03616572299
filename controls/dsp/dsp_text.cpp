// GBK <-> QString conversions of the design windows.
#include "controls/dsp/dsp_text.h"

#include "comkit/gbk.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace DspText {

QString FromGbk(const char* gbk)
{
    if (!gbk)
        return QString();
    std::string utf8;
    if (COMMON_EX::GbkToUtf8(std::string(gbk), utf8))
        return QString::fromStdString(utf8);
    return QString::fromStdString(COMMON_EX::GbkToUtf8Lossy(gbk));
}

QString Shown(const char* gbk)
{
    const QString text = FromGbk(gbk);
    return text.isEmpty() ? text : QCoreApplication::translate("Model", text.toUtf8().constData());
}

std::string ToGbk(const QString& text)
{
    std::string gbk;
    const std::u16string whole = text.toStdU16String();
    if (COMMON_EX::Utf16ToGbk(whole, gbk))
        return gbk;
    gbk.clear();
    // One code point at a time (a surrogate pair stays together).
    for (int i = 0; i < text.size();) {
        const int length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const std::u16string one = text.mid(i, length).toStdU16String();
        std::string part;
        gbk += COMMON_EX::Utf16ToGbk(one, part) ? part : std::string("?");
        i += length;
    }
    return gbk;
}

QString ShownStatus(const std::string& gbk)
{
    static const QRegularExpression names(QStringLiteral("^[^ \\[]+|(?<=\\[MODBUS )[^:]+"));
    const QString status = FromGbk(gbk);
    QString shown;
    qsizetype last = 0;
    for (auto it = names.globalMatch(status); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        shown += status.mid(last, match.capturedStart() - last) +
                 QCoreApplication::translate("Model", match.captured().toUtf8().constData());
        last = match.capturedEnd();
    }
    return shown + status.mid(last);
}

} // namespace DspText
