#include "rap/TriggerEngine.h"

#include "rap/SectionValues.h"
#include "rap/TriggerRuleTable.h"

namespace orv {

namespace {
constexpr int ExpectedEvidenceRows = 64;
} // namespace

TriggerEngine::TriggerEngine(const TriggerRuleTable& table) : m_table(table) {}

TriggerResult TriggerEngine::evaluate(const SectionValues& values) const
{
    TriggerResult result;
    result.evidence.reserve(ExpectedEvidenceRows);
    evaluate(values, &result);
    return result;
}

void TriggerEngine::evaluate(const SectionValues& values, TriggerResult* result) const
{
    result->marks = TriggerMarks();
    result->evidence.resize(0);
    for (int i = 0; i < m_table.keyCount(); ++i)
        evaluateRule(i, values, result);
}

void TriggerEngine::evaluateRule(int ruleIndex, const SectionValues& values,
                                 TriggerResult* result) const
{
    const TriggerRule& rule = m_table.rules().at(ruleIndex);
    const auto addRow = [&](const TriggerItem& item, qint64 value) {
        result->evidence.append(rule.evidence(item, qint16(value)));
    };

    if (rule.kind == TriggerRuleKind::Loop) {
        for (const TriggerItem& item : rule.items) {
            const qint64 value = values.GetFieldLong(rule.tableIndex, item.slot);
            if (rule.condition.holds(value)) {
                result->marks.mark(ruleIndex);
                addRow(item, value);
            }
        }
        return;
    }

    bool holds = false;
    for (const TriggerItem& item : rule.items)
        holds = holds || rule.condition.holds(values.GetFieldLong(rule.tableIndex, item.slot));
    if (!holds)
        return;
    result->marks.mark(ruleIndex);
    for (const TriggerItem& item : rule.items)
        addRow(item, values.GetFieldLong(rule.tableIndex, item.slot));
}

} // namespace orv
