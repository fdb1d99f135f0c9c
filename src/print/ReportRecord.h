#pragma once

#include <QHash>
#include <QString>

namespace orv {

// One record of a report-data file: element name to text, names compared exactly.
using ReportRecord = QHash<QString, QString>;

} // namespace orv
