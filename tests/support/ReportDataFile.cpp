#include "support/ReportDataFile.h"

#include "common/AnsiText.h"

#include <QFile>
#include <QXmlStreamReader>

namespace orv::test {

ReportDataFile::ReportDataFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    m_exists = true;
    const QByteArray bytes = file.readAll();
    m_crlf = bytes.endsWith("\r\n") && bytes.count('\n') == bytes.count("\r\n") &&
             bytes.count('\r') == bytes.count("\r\n");
    m_lines = fromAnsi(bytes).split(QStringLiteral("\r\n"));
    if (!m_lines.isEmpty() && m_lines.constLast().isEmpty())
        m_lines.removeLast();

    // The bytes as any XML reader gets them: decoded by the encoding their declaration names.
    QXmlStreamReader reader(bytes);
    int depth = 0;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            ++depth;
            if (depth == 1 && reader.name() != QLatin1String("main")) {
                m_parseError = QStringLiteral("root is not main");
                return;
            }
            if (depth == 2) {
                const QString name = reader.name().toString();
                m_elements.append({name, reader.readElementText()});
                --depth;
            }
        } else if (reader.isEndElement()) {
            --depth;
        }
    }
    if (reader.hasError())
        m_parseError = reader.errorString();
}

QStringList ReportDataFile::elementNames() const
{
    QStringList names;
    for (const auto& element : m_elements)
        names << element.first;
    return names;
}

QString ReportDataFile::text(const QString& name) const
{
    for (const auto& element : m_elements) {
        if (element.first == name)
            return element.second.isNull() ? QStringLiteral("") : element.second;
    }
    return QString();
}

bool ReportDataFile::has(const QString& name) const
{
    return elementNames().contains(name);
}

} // namespace orv::test
