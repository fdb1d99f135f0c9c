#include "Html.h"

namespace Html {

QString escape(const QString& text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('&'), QLatin1String("&amp;"));
    escaped.replace(QLatin1Char('<'), QLatin1String("&lt;"));
    escaped.replace(QLatin1Char('>'), QLatin1String("&gt;"));
    escaped.replace(QLatin1Char('"'), QLatin1String("&quot;"));
    return escaped;
}

QString commandButton(const QString& name, const QString& caption, const QString& command,
                      const QString& extraAttributes)
{
    return QStringLiteral("<input type=\"button\" name=\"%1\" value=\"%2\"%3 "
                          "onclick=\"window.status='%4';\" />")
        .arg(name, escape(caption),
             extraAttributes.isEmpty() ? QString() : QLatin1Char(' ') + extraAttributes,
             escape(command));
}

QString pageHead(const QString& title, const QString& styleSheet)
{
    return QStringLiteral("<!DOCTYPE html>\n"
                          "<html lang=\"ja\">\n"
                          "<head>\n"
                          "<meta charset=\"UTF-8\" />\n"
                          "<title>%1</title>\n"
                          "<style>\n%2</style>\n"
                          "</head>\n"
                          "<body>\n")
        .arg(escape(title), styleSheet);
}

QString pageTail()
{
    return QStringLiteral("</body>\n</html>\n");
}

} // namespace Html
