#pragma once

#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

namespace orv::test {

// A report-data file read back as the report reads it: raw lines and the child elements of
// "main" parsed by an XML reader from the Shift_JIS bytes.
class ReportDataFile
{
public:
    explicit ReportDataFile(const QString& path);

    bool exists() const { return m_exists; }
    // Lines as written (CP932 decoded), without their CR LF.
    const QStringList& lines() const { return m_lines; }
    bool allLinesEndInCrLf() const { return m_crlf; }
    // Empty when the file parsed as well-formed XML with "main" as root.
    QString parseError() const { return m_parseError; }
    const QVector<QPair<QString, QString>>& elements() const { return m_elements; }
    QStringList elementNames() const;
    // Text of the first element of that name; a null string when absent.
    QString text(const QString& name) const;
    bool has(const QString& name) const;

private:
    bool m_exists = false;
    bool m_crlf = false;
    QStringList m_lines;
    QString m_parseError;
    QVector<QPair<QString, QString>> m_elements;
};

} // namespace orv::test
