#include "shell/FinderRowModel.h"

#include "shell/FinderLogic.h"

namespace orv {

FinderRowModel::FinderRowModel(QObject* parent) : QAbstractTableModel(parent) {}

void FinderRowModel::setRows(QVector<FinderRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void FinderRowModel::setDateHeading(const QString& heading)
{
    m_dateHeading = heading;
    emit headerDataChanged(Qt::Horizontal, DateColumn, DateColumn);
}

int FinderRowModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int FinderRowModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FinderRowModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_rows.size())
        return QVariant();
    const FinderRow& row = m_rows.at(index.row());
    switch (index.column()) {
    case IdColumn:
        return row.id;
    case DateColumn:
        return FinderLogic::dateText(row.kijun);
    case NameColumn:
        return row.name;
    case ReadingColumn:
        return row.reading;
    case BirthColumn:
        return row.birth.isNull() ? QString() : FinderLogic::dateText(row.birth.toDate());
    default:
        return QVariant();
    }
}

QVariant FinderRowModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Vertical)
        return section + 1;
    switch (section) {
    case IdColumn:
        return QStringLiteral("ID");
    case DateColumn:
        return m_dateHeading;
    case NameColumn:
        return QStringLiteral("名　前");
    case ReadingColumn:
        return QStringLiteral("よ　み");
    case BirthColumn:
        return QStringLiteral("生年月日");
    default:
        return QVariant();
    }
}

} // namespace orv
