#pragma once

#include <QString>
#include <QVector>

namespace orv {

// The items one assessment holds for the trigger rules: per section table (by its position in
// TriggerRuleTable::tables()), the values of the columns the rules read in slot order, an
// empty item read as -1.
class SectionValues
{
public:
    void setRow(int tableIndex, const QVector<qint64>& values) { row(tableIndex) = values; }
    // The row of a table to fill in place.
    QVector<qint64>& row(int tableIndex)
    {
        if (tableIndex >= m_rows.size())
            m_rows.resize(tableIndex + 1);
        return m_rows[tableIndex];
    }
    void clear()
    {
        for (QVector<qint64>& values : m_rows)
            values.resize(0);
    }

    // -1 for an empty item or an item of a row not read.
    qint64 GetFieldLong(int tableIndex, int slot) const
    {
        return tableIndex < m_rows.size() ? m_rows.at(tableIndex).value(slot, -1) : -1;
    }

private:
    QVector<QVector<qint64>> m_rows;
};

} // namespace orv
