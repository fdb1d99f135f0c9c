#include "print/XmlEscape.h"

#include "common/AnsiText.h"

namespace orv {

namespace {

constexpr char32_t ByteOrderMark = 0xFEFF;

} // namespace

QString XmlEscape(const QString& text)
{
    QString escaped;
    escaped.reserve(text.size());
    const QChar* const begin = text.constData();
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size;) {
        // a character and the UTF-16 units it takes; a lone surrogate stands for U+FFFD
        char32_t c = begin[i].unicode();
        qsizetype units = 1;
        if (QChar::isSurrogate(c)) {
            if (QChar::isHighSurrogate(c) && i + 1 < size && begin[i + 1].isLowSurrogate()) {
                c = QChar::surrogateToUcs4(begin[i], begin[i + 1]);
                units = 2;
            } else {
                c = QChar::ReplacementCharacter;
            }
        }
        switch (c) {
        case '&':
            escaped += QLatin1String("&amp;");
            break;
        case '<':
            escaped += QLatin1String("&lt;");
            break;
        case '>':
            escaped += QLatin1String("&gt;");
            break;
        // line breaks of a memo as references: the element stays on its line and the reader
        // gets them back unchanged
        case '\r':
            escaped += QLatin1String("&#13;");
            break;
        case '\n':
            escaped += QLatin1String("&#10;");
            break;
        default:
            // other control characters cannot stand in an XML file at all, DEL would reach the
            // file as the code page's control byte 0x1C, and the byte-order mark shows nothing
            if ((c < 0x20 && c != '\t') || c == 0x7F || c == ByteOrderMark)
                break;
            if (!ansiHolds(c))
                escaped += QStringLiteral("&#x%1;").arg(QString::number(uint(c), 16).toUpper());
            else
                escaped.append(begin + i, units);
        }
        i += units;
    }
    return escaped;
}

} // namespace orv
