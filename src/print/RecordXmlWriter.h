#pragma once

#include <QString>

namespace orv {

class Recordset;
class Value;
class XmlOutputFile;

// How a column of a record table is printed; the families are tested in this order.
enum class XmlFamily
{
    Sex,
    PostalCode,
    EraDate,
    EntryDate,
    Days,
    Minutes,
    CheckMark,
    Default
};

// Family of a column name, compared exactly (case counts); Default for every unlisted name.
XmlFamily xmlFamilyOf(const QString& columnName);
// Element name of a column: "m" in front of a name starting with 1-9, the default family
// upper-cased.
QString xmlElementName(const QString& columnName);
// Element text of a value of a column, escaped for element content.
QString xmlElementText(const QString& columnName, const Value& value);
// The names of the check-mark family (343 columns).
int checkMarkColumnCount();

// Writes every field of the current row of a record table as one element line, in field order.
void WriteRecordXml(const Recordset& record, XmlOutputFile& file);

} // namespace orv
