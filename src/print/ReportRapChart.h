#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace orv {

// A column of the RAP selection table: one RAP code with the trigger keys that decide it.
struct RapChartColumn
{
    QString code;   // "01" .. "20", "05a", "05b", "10a", "10b"
    QString number; // printed over the column head
    QString title;
    QString keys;                       // "B4,B5,E5,E9"; for "17" two groups split by "/"
    QString mark = QStringLiteral("○"); // "②": the keys count only together
};

// A row of the RAP selection table: one trigger key with the items it reads.
struct RapChartRow
{
    QString key;
    QString section;
    QString item;   // what the item asks, as printed
    QString codes;  // the item codes read
    QString values; // the values that set the key
};

// The RAP selection table's columns (the RAP codes with their titles and trigger keys) and
// rows (the 79 trigger keys in key order with the items they read), drawn from the RAP
// engine's tables and the item catalogue.
class ReportRapChart
{
public:
    static const QList<RapChartColumn>& columns();
    static const QList<RapChartRow>& rows();
    // Every key a column looks at, both groups of "17" included.
    static QStringList keysOf(const RapChartColumn& column);
    // The mark printed in the cell of a key and a column: "○", "②" (both keys needed) or
    // "☆" (a key of the second group of "17"); empty when the key is not in the column.
    static QString cellMark(const RapChartColumn& column, const QString& key);
};

} // namespace orv
