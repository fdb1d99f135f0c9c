#include "rap/TriggerMarks.h"

#include "rap/TriggerRuleTable.h"

namespace orv {

TriggerMarks::TriggerMarks() : m_set(TriggerRuleTable::instance().keyCount()) {}

TriggerMarks TriggerMarks::fromKeys(const QStringList& keys)
{
    const TriggerRuleTable& table = TriggerRuleTable::instance();
    TriggerMarks marks;
    for (const QString& key : keys) {
        const int index = table.keyIndex(key);
        if (index >= 0)
            marks.mark(index);
    }
    return marks;
}

bool TriggerMarks::isSet(const QString& key) const
{
    return isSet(TriggerRuleTable::instance().keyIndex(key));
}

QStringList TriggerMarks::setKeys() const
{
    const TriggerRuleTable& table = TriggerRuleTable::instance();
    QStringList keys;
    for (int i = 0; i < table.keyCount(); ++i) {
        if (isSet(i))
            keys << table.rules().at(i).key;
    }
    return keys;
}

} // namespace orv
