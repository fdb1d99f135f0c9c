#include "rap/TriggerRuleTable.h"

namespace orv {

namespace {

using K = TriggerRuleKind;
using F = EvidenceForm;
constexpr int None = TriggerCondition::NoValue;

struct RuleRow
{
    const char* key;
    const char* table;
    K kind;
    int low;
    int high;
    int alsoEqual;
    F form;
    const char* items;
};

// key, table, kind, range low..high (or also equal to), evidence form, items in order
const RuleRow Rules[] = {
    {"B1", "B", K::Or, 1, 1, None, F::Number, "B2-a,B2-b"},
    {"B2", "B", K::Single, 1, 4, None, F::Number, "B4"},
    {"B3", "B", K::Single, 4, 4, None, F::Number, "B4"},
    {"B4", "B", K::Loop, 2, 2, None, F::Number, "B5-a,B5-b,B5-c,B5-d,B5-e,B5-f"},
    {"B5", "B", K::Single, 2, 2, None, F::Number, "B6"},

    {"C1", "C", K::Single, 1, 3, None, F::Number, "C1"},
    {"C2", "C", K::Single, 1, 4, None, F::Number, "C4"},
    {"C3", "C", K::Single, 1, 4, None, F::Number, "C6"},
    {"C4", "C", K::Single, 2, 2, None, F::Number, "C7"},

    {"D1", "D", K::Single, 1, 3, None, F::Number, "D1"},
    {"D2", "D", K::Single, 1, 1, None, F::Check, "D2-a"},

    {"E1", "E", K::Loop, 1, 2, None, F::Number,
     "E1-a,E1-b,E1-c,E1-d,E1-e,E1-f,E1-g,E1-h,E1-i,E1-j,E1-k,E1-l,E1-m,E1-n,E1-o,E1-p"},
    {"E2", "E", K::Single, 1, 2, None, F::Number, "E1-n"},
    {"E3", "E", K::Single, 1, 2, None, F::Number, "E1-o"},
    {"E4", "E", K::Single, 1, 2, None, F::Number, "E2"},
    {"E5", "E", K::Single, 2, 2, None, F::Number, "E3"},
    {"E6", "E", K::Single, 1, 3, None, F::Number, "E4-a-A"},
    {"E7", "E", K::Loop, 1, 3, None, F::Number, "E4-a-A,E4-b-A,E4-c-A,E4-d-A,E4-e-A"},
    {"E8", "E", K::Single, 1, 1, None, F::Number, "E5"},
    {"E9", "E", K::Single, 2, 2, None, F::Number, "E5"},

    {"F1", "F", K::Single, 1, 1, None, F::Check, "F1-d"},
    {"F2", "F", K::Loop, 1, 1, None, F::Check, "F2-a,F2-b,F2-c,F2-d"},
    {"F3", "F", K::Single, 1, 1, None, F::Check, "F3-a"},
    {"F4", "F", K::Single, 1, 1, None, F::Check, "F3-b"},
    {"F5", "F", K::Single, 1, 1, None, F::Check, "F3-c"},

    {"G1", "G", K::Loop, 2, 6, None, F::Number,
     "G1-a,G1-b,G1-c,G1-d,G1-e,G1-f,G1-g-A,G1-g-B,G1-h,G1-i-A,G1-i-B,G1-j"},
    {"G2", "G", K::Single, 3, 6, 8, F::Number, "G1-a"},
    {"G3", "G", K::Loop, 2, 6, None, F::Number, "G2-A,G2-B"},
    {"G4", "G", K::Single, 1, 3, None, F::Number, "G3-b"},
    {"G5", "G", K::Single, 1, 1, None, F::Check, "G6-a"},
    {"G6", "G", K::Loop, 1, 1, None, F::Check, "G8-a,G8-b"},

    {"H1", "H", K::Single, 3, 5, None, F::Number, "H1-a"},
    {"H2", "H", K::Single, 2, 5, None, F::Number, "H1-b"},
    {"H3", "H", K::Single, 1, 1, None, F::Check, "H2-b"},
    {"H4", "H", K::Single, 1, 1, None, F::Check, "H2-d"},
    {"H5", "H", K::Loop, 1, 1, None, F::Check, "H3-c,H3-d,H3-e,H3-g"},

    {"I1", "I", K::Single, 1, 1, None, F::Check, "I1-i"},
    {"I2", "I", K::Single, 1, 1, None, F::Check, "I1-j"},
    {"I3", "I", K::Single, 1, 1, None, F::Check, "I1-gg"},
    {"I4", "I", K::Or, 1, 1, None, F::Check, "I1-ll,I1-nn"},
    {"I5", "I", K::Single, 1, 1, None, F::Check, "I1-tt"},
    {"I6", "I", K::Single, 1, 1, None, F::Check, "I2-j"},

    {"J1", "J", K::Loop, 1, 1, None, F::Check, "J1-a,J1-c,J1-d"},
    {"J2", "J", K::Single, 1, 1, None, F::Check, "J1-f"},
    {"J3", "J", K::Single, 1, 1, None, F::Check, "J1-h"},
    {"J4", "J", K::Single, 1, 1, None, F::Check, "J1-i"},
    {"J5", "J", K::Single, 1, 1, None, F::Check, "J1-j"},
    {"J6", "J", K::Or, 1, 1, None, F::Check, "J1-k,J1-m"},
    {"J7", "J", K::Single, 1, 1, None, F::Check, "J1-n"},
    {"J8", "J", K::Or, 1, 1, None, F::Check, "J4-a,J4-b"},
    {"J9", "J", K::Single, 1, 1, None, F::Check, "J4-c"},

    {"K1", "K", K::Single, 1, 4, None, F::Number, "K1-b"},
    {"K2", "K", K::Single, 1, 1, None, F::Number, "K1-c"},
    {"K3", "K", K::Single, 1, 1, None, F::Number, "K3-a"},
    {"K4", "K", K::Or, 1, 1, None, F::Check, "K4-a,K4-c"},
    {"K5", "K", K::Single, 1, 1, None, F::Check, "K5-a"},
    {"K6", "K", K::Single, 1, 1, None, F::Check, "K5-b"},
    {"K7", "K", K::Loop, 1, 1, None, F::Check, "K5-c,K5-d,K5-e"},

    {"L1", "L", K::Loop, 1, 1, None, F::Check, "L1-a,L1-c,L1-d,L1-e"},
    {"L2", "L", K::Single, 0, 0, None, F::Check, "L1-f"},

    {"M1", "M", K::Single, 2, 4, None, F::Number, "M2-a"},
    {"M2", "M", K::Single, 1, 4, None, F::Number, "M2-a"},
    {"M3", "M", K::Single, 1, 1, None, F::Number, "M3"},
    {"M4", "M", K::Single, 1, 1, None, F::Check, "M4-e"},

    {"N1", "N", K::Single, 1, 1, None, F::Check, "N1-a"},
    {"N2", "N", K::Single, 0, 0, None, F::Number, "N2"},
    {"N3", "N", K::Single, 2, 3, None, F::Number, "N2"},
    {"N4", "N", K::Loop, 1, 2, None, F::Number, "N5-a,N5-b"},

    {"O1", "O", K::Single, 1, 7, None, F::Number, "O4-a"},
    {"O2", "O", K::Single, 1, 7, None, F::Number, "O4-b"},
    {"O3", "O", K::Single, 1, 7, None, F::Number, "O4-c"},
    {"O4", "O", K::Single, 1, 7, None, F::Number, "O4-e"},

    {"P1", "P", K::Single, 1, 2, None, F::Number, "P4-c"},
    {"P2", "P", K::Single, 2, 2, None, F::Number, "P4-c"},
    {"P3", "P", K::Loop, 1, 2, None, F::Number, "P4-d,P4-e"},

    {"OH1", "H", K::Single, 2, 5, None, F::Number, "H1-b"},
    {"OH2", "H", K::Single, 1, 1, None, F::Number, "H2-b"},
    {"OH3", "H", K::Single, 1, 1, None, F::Number, "H2-c"},
    {"OJ1", "J", K::Single, 1, 2, None, F::Number, "J2-a"},
};

} // namespace

const TriggerRuleTable& TriggerRuleTable::instance()
{
    static const TriggerRuleTable table;
    return table;
}

TriggerRuleTable::TriggerRuleTable()
{
    for (const RuleRow& row : Rules) {
        TriggerRule rule;
        rule.key = QString::fromLatin1(row.key);
        rule.table = QString::fromLatin1(row.table);
        rule.kind = row.kind;
        rule.condition = {row.low, row.high, row.alsoEqual};
        rule.form = row.form;
        if (!m_tables.contains(rule.table))
            m_tables << rule.table;
        rule.tableIndex = int(m_tables.indexOf(rule.table));
        QStringList& columns = m_columns[rule.table];
        for (const QString& column : QString::fromLatin1(row.items).split(QLatin1Char(','))) {
            if (!columns.contains(column))
                columns << column;
            TriggerItem item{column, evidenceLabel(column), int(columns.indexOf(column)), {}};
            for (int value = TriggerItem::FirstCommonValue; value <= 9; ++value)
                item.commonRows.append(rule.evidence(item, qint16(value)));
            rule.items.append(item);
        }
        m_keyIndex.insert(rule.key, int(m_rules.size()));
        m_rules.append(rule);
    }
}

QStringList TriggerRuleTable::keys() const
{
    QStringList result;
    for (const TriggerRule& rule : m_rules)
        result << rule.key;
    return result;
}

QString TriggerRuleTable::evidenceLabel(const QString& column)
{
    const QStringList parts = column.split(QLatin1Char('-'));
    QString label = parts.value(0);
    for (int i = 1; i < parts.size(); ++i) {
        const QString& part = parts.at(i);
        const bool subItem = !part.isEmpty() && part == part.toUpper() && part != part.toLower();
        label += subItem ? QLatin1Char('(') + part + QLatin1Char(')') : part;
    }
    return label;
}

} // namespace orv
