#include "print/ReportRapChart.h"

#include "data/Catalogue.h"
#include "rap/RapCodeTable.h"
#include "rap/RapItemTable.h"
#include "rap/TriggerRuleTable.h"

namespace orv {

namespace {

// More item codes than this print as a range "E1a〜E1p".
constexpr int kListedCodes = 4;

QString codesOf(const TriggerRule& rule)
{
    QStringList labels;
    for (const TriggerItem& item : rule.items)
        labels << item.label;
    if (labels.size() > kListedCodes)
        return labels.first() + QStringLiteral("〜") + labels.last();
    return labels.join(QLatin1Char(','));
}

QString valuesOf(const TriggerRule& rule)
{
    const TriggerCondition& c = rule.condition;
    if (rule.form == EvidenceForm::Check)
        return c.low == 1 ? QStringLiteral("レ") : QStringLiteral("チェックなし");
    QString text =
        c.low == c.high ? QString::number(c.low) : QStringLiteral("%1〜%2").arg(c.low).arg(c.high);
    if (c.alsoEqual != TriggerCondition::NoValue)
        text += QStringLiteral(",%1").arg(c.alsoEqual);
    return text;
}

QList<RapChartColumn> buildColumns()
{
    QList<RapChartColumn> columns;
    for (const RapCode& code : RapCodeTable::instance().codes()) {
        RapChartColumn column;
        column.code = code.code;
        column.keys = code.keys;
        if (code.test == RapTest::TwoItemsSet)
            column.mark = QStringLiteral("②");
        if (const RapItem* item = RapItemTable::instance().find(code.code.toUpper())) {
            column.title = item->name;
            column.number = item->prefix;
            column.number.remove(QStringLiteral("．"));
        }
        columns << column;
    }
    return columns;
}

QList<RapChartRow> buildRows()
{
    QList<RapChartRow> rows;
    for (const TriggerRule& rule : TriggerRuleTable::instance().rules()) {
        rows << RapChartRow{rule.key, rule.table, Catalogue::builtIn().triggerItemName(rule.key),
                            codesOf(rule), valuesOf(rule)};
    }
    return rows;
}

} // namespace

const QList<RapChartColumn>& ReportRapChart::columns()
{
    static const QList<RapChartColumn> table = buildColumns();
    return table;
}

const QList<RapChartRow>& ReportRapChart::rows()
{
    static const QList<RapChartRow> table = buildRows();
    return table;
}

QStringList ReportRapChart::keysOf(const RapChartColumn& column)
{
    QString keys = column.keys;
    keys.replace(QLatin1Char('/'), QLatin1Char(','));
    return keys.split(QLatin1Char(','), Qt::SkipEmptyParts);
}

QString ReportRapChart::cellMark(const RapChartColumn& column, const QString& key)
{
    const QStringList groups = column.keys.split(QLatin1Char('/'));
    if (groups.size() > 1 && groups.at(1).split(QLatin1Char(',')).contains(key))
        return QStringLiteral("☆");
    return groups.at(0).split(QLatin1Char(',')).contains(key) ? column.mark : QString();
}

} // namespace orv
