#include "print/ReportDataSource.h"

#include "common/AnsiText.h"

#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace orv {

namespace {

// The writer escapes "<" and ">" only; a bare "&" is made an entity so that the value
// reaches the form as it was typed.
QString escapeBareAmpersands(const QString& text)
{
    static const QRegularExpression bare(
        QStringLiteral("&(?!(?:lt|gt|amp|quot|apos|#[0-9]+|#x[0-9A-Fa-f]+);)"));
    QString result = text;
    result.replace(bare, QStringLiteral("&amp;"));
    return result;
}

QString unescape(QString text)
{
    text.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    text.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    text.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    text.replace(QStringLiteral("&apos;"), QStringLiteral("'"));
    text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return text;
}

} // namespace

bool ReportDataSource::read(const QString& path, ReportRecord* record, QString* error)
{
    record->clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    *record = parse(file.readAll());
    return true;
}

ReportRecord ReportDataSource::parse(const QByteArray& ansiBytes)
{
    QString text = fromAnsi(ansiBytes);
    // The text is decoded already; the declared encoding must not be applied again.
    static const QRegularExpression declaration(QStringLiteral("^\\s*<\\?xml[^?]*\\?>"));
    text.remove(declaration);
    text = escapeBareAmpersands(text);

    ReportRecord record;
    if (parseXml(text, &record))
        return record;
    // A damaged file still gives what its element lines hold.
    return parseLines(text);
}

bool ReportDataSource::parseXml(const QString& text, ReportRecord* record)
{
    QXmlStreamReader xml(text);
    if (!xml.readNextStartElement() || xml.name() != QLatin1String("main"))
        return false;
    while (xml.readNextStartElement()) {
        const QString name = xml.name().toString();
        const QString value = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        if (!record->contains(name))
            record->insert(name, value);
    }
    if (xml.hasError()) {
        record->clear();
        return false;
    }
    return true;
}

ReportRecord ReportDataSource::parseLines(const QString& text)
{
    static const QRegularExpression element(QStringLiteral("<([^<>/\\s]+)>([^<]*)</\\1>"));
    ReportRecord record;
    auto it = element.globalMatch(text);
    while (it.hasNext()) {
        const auto match = it.next();
        if (match.captured(1) != QLatin1String("main") && !record.contains(match.captured(1)))
            record.insert(match.captured(1), unescape(match.captured(2)));
    }
    return record;
}

} // namespace orv
