#pragma once

#include "rap/RapSenseRow.h"
#include "rap/TriggerMarks.h"

namespace orv {

class SectionValues;
class TriggerRuleTable;
struct TriggerRule;

// What the rules made of one assessment: the marks and the evidence rows in the order added.
struct TriggerResult
{
    TriggerMarks marks;
    RapSenseRows evidence;
};

// Applies the trigger rules to the item values of one assessment.
class TriggerEngine
{
public:
    explicit TriggerEngine(const TriggerRuleTable& table);

    // Every rule, in table order.
    TriggerResult evaluate(const SectionValues& values) const;
    // The same into a result kept for the next assessment, so its rows need no new memory.
    void evaluate(const SectionValues& values, TriggerResult* result) const;
    void evaluateRule(int ruleIndex, const SectionValues& values, TriggerResult* result) const;

private:
    const TriggerRuleTable& m_table;
};

} // namespace orv
