#include "print/XmlEscape.h"

namespace orv {

QString XmlEscape(const QString& text)
{
    if (text.isEmpty())
        return QString();
    QString escaped = text;
    // the ampersand first, so the entities made below are not escaped again
    escaped.replace(QLatin1Char('&'), QStringLiteral("&amp;"));
    escaped.replace(QLatin1Char('<'), QStringLiteral("&lt;"));
    escaped.replace(QLatin1Char('>'), QStringLiteral("&gt;"));
    return escaped;
}

} // namespace orv
