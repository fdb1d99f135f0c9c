#include "print/XmlEscape.h"

#include "common/AnsiText.h"

#include <QHash>

namespace orv {

namespace {

// Whether the code page of the report-data files holds the character: written and read back
// unchanged ("〜" U+301C, "−" U+2212 and characters beyond the BMP are not).
bool ansiHolds(char32_t c)
{
    if (c < 0x80)
        return true;
    // a round trip through the code page costs a converter; names and memos repeat their kanji
    thread_local QHash<char32_t, bool> known;
    const auto found = known.constFind(c);
    if (found != known.constEnd())
        return found.value();
    const QString text = QString::fromUcs4(&c, 1);
    return known[c] = fromAnsi(toAnsi(text)) == text;
}

} // namespace

QString XmlEscape(const QString& text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        switch (c) {
        case '&':
            escaped += QStringLiteral("&amp;");
            break;
        case '<':
            escaped += QStringLiteral("&lt;");
            break;
        case '>':
            escaped += QStringLiteral("&gt;");
            break;
        // line breaks of a memo as references: the element stays on its line and the reader
        // gets them back unchanged
        case '\r':
            escaped += QStringLiteral("&#13;");
            break;
        case '\n':
            escaped += QStringLiteral("&#10;");
            break;
        default:
            // other control characters cannot stand in an XML file at all, and DEL would reach
            // the file as the code page's control byte 0x1C
            if ((c < 0x20 && c != '\t') || c == 0x7F)
                break;
            if (ansiHolds(c))
                escaped += QString::fromUcs4(&c, 1);
            else
                escaped += QStringLiteral("&#x%1;").arg(QString::number(uint(c), 16).toUpper());
        }
    }
    return escaped;
}

} // namespace orv
