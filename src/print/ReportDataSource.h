#pragma once

#include "print/ReportRecord.h"

#include <QString>

namespace orv {

// Reads the record of a report-data file: CP932 XML whose record pattern is "/main", each
// child element of <main> a field. Only the first record is read.
class ReportDataSource
{
public:
    static constexpr const char* recordPattern = "/main";

    // False when the file cannot be read; the record is then empty.
    static bool read(const QString& path, ReportRecord* record, QString* error = nullptr);
    static ReportRecord parse(const QByteArray& ansiBytes);

private:
    static bool parseXml(const QString& text, ReportRecord* record);
    static ReportRecord parseLines(const QString& text);
};

} // namespace orv
