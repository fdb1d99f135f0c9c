#include "print/XmlEscape.h"

namespace orv {

QString XmlEscape(const QString& text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
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
            // other control characters cannot stand in an XML file at all
            if (c.unicode() >= 0x20 || c == QLatin1Char('\t'))
                escaped += c;
        }
    }
    return escaped;
}

} // namespace orv
