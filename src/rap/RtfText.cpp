#include "rap/RtfText.h"

#include "common/AnsiText.h"

namespace orv {

QString RtfText::escape(const QString& text)
{
    return encode(text, true);
}

QString RtfText::asciiLine(const QString& rtf)
{
    return encode(rtf, false);
}

QString RtfText::encode(const QString& text, bool escapeSpecials)
{
    QString out;
    out.reserve(text.size() * 2);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.unicode() < 0x80) {
            if (escapeSpecials &&
                (c == QLatin1Char('\\') || c == QLatin1Char('{') || c == QLatin1Char('}')))
                out += QLatin1Char('\\');
            out += c;
            continue;
        }
        const bool pair =
            c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        const QString one = text.mid(i, pair ? 2 : 1);
        if (!c.isSurrogate() && ansiHolds(c.unicode())) {
            for (const char byte : toAnsi(one))
                out += QStringLiteral("\\'%1").arg(uchar(byte), 2, 16, QLatin1Char('0'));
        } else {
            for (const QChar unit : one)
                out += QStringLiteral("\\u%1?").arg(qint16(unit.unicode()));
        }
        if (pair)
            ++i;
    }
    return out;
}

} // namespace orv
