#pragma once

#include "rap/RapSenseRow.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

namespace orv {

// single: one item; OR: holds when either item holds and writes every item's row;
// loop: every item that holds writes its own row.
enum class TriggerRuleKind
{
    Single,
    Or,
    Loop
};

// Evidence value text: the number, or "ﾚ"/"ﾁｪｯｸなし" for check items.
enum class EvidenceForm
{
    Number,
    Check
};

// An item condition: a value from low to high, or equal to alsoEqual.
struct TriggerCondition
{
    static constexpr int NoValue = -0x7fffffff;
    int low = 0;
    int high = 0;
    int alsoEqual = NoValue;

    bool holds(qint64 value) const
    {
        return (value >= low && value <= high) || (alsoEqual != NoValue && value == alsoEqual);
    }
};

struct TriggerItem
{
    QString column; // "E4-a-A"
    QString label;  // "E4a(A)"
    int slot = 0;   // position among the columns the rules read of its table
    // The evidence rows of the usual values, made once: index value - FirstCommonValue.
    static constexpr int FirstCommonValue = -1;
    RapSenseRows commonRows;
};

struct TriggerRule
{
    QString key;        // "B1" ... "OJ1"
    QString table;      // section table the items are read from
    int tableIndex = 0; // its position in tables()
    TriggerRuleKind kind = TriggerRuleKind::Single;
    TriggerCondition condition;
    EvidenceForm form = EvidenceForm::Number;
    QVector<TriggerItem> items;

    // The row AddRAPSense writes for an item of this rule holding value.
    RapSenseRow evidence(const TriggerItem& item, qint16 value) const
    {
        const int common = value - TriggerItem::FirstCommonValue;
        if (common >= 0 && common < item.commonRows.size())
            return item.commonRows.at(common);
        return RapSenseRow::AddRAPSense(key, item.label, value, form == EvidenceForm::Check);
    }
};

// The 79 trigger rules in the order they are evaluated (sections B to P, then OH1 to OJ1);
// the key order is also the column order of table Trigger.
class TriggerRuleTable
{
public:
    static const TriggerRuleTable& instance();

    const QVector<TriggerRule>& rules() const { return m_rules; }
    int keyCount() const { return int(m_rules.size()); }
    // -1 for a name that is not a trigger key.
    int keyIndex(const QString& key) const { return m_keyIndex.value(key, -1); }
    QStringList keys() const;

    // Section tables the rules read, in the order first read.
    const QStringList& tables() const { return m_tables; }
    int tableIndex(const QString& table) const { return int(m_tables.indexOf(table)); }
    // Columns the rules read of one table, in slot order.
    QStringList columnsOf(const QString& table) const { return m_columns.value(table); }

    // B2-a gives B2a, E4-a-A gives E4a(A), G2-A gives G2(A).
    static QString evidenceLabel(const QString& column);

private:
    TriggerRuleTable();
    QVector<TriggerRule> m_rules;
    QHash<QString, int> m_keyIndex;
    QStringList m_tables;
    QHash<QString, QStringList> m_columns;
};

} // namespace orv
