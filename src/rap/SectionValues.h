#pragma once

#include <QHash>
#include <QString>
#include <QVector>

namespace orv {

// The items one assessment holds for the trigger rules: per section table, the values of the
// columns the rules read, in slot order, an empty item read as -1.
class SectionValues
{
public:
    void setRow(const QString& table, const QVector<qint64>& values) { m_rows[table] = values; }
    bool hasRow(const QString& table) const { return m_rows.contains(table); }
    void clear() { m_rows.clear(); }

    // -1 for an empty item or an item of a row not read.
    qint64 GetFieldLong(const QString& table, int slot) const
    {
        const auto row = m_rows.constFind(table);
        return row == m_rows.cend() ? -1 : row->value(slot, -1);
    }

private:
    QHash<QString, QVector<qint64>> m_rows;
};

} // namespace orv
