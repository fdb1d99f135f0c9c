#pragma once

#include "data/FinderQuery.h"

#include <QAbstractTableModel>
#include <QVector>

namespace orv {

// The finder's list: ID, record date, name, reading and birth date of each row.
class FinderRowModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        IdColumn,
        DateColumn,
        NameColumn,
        ReadingColumn,
        BirthColumn,
        ColumnCount
    };

    explicit FinderRowModel(QObject* parent = nullptr);

    void setRows(QVector<FinderRow> rows);
    void setDateHeading(const QString& heading);
    const FinderRow& row(int index) const { return m_rows.at(index); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QVector<FinderRow> m_rows;
    QString m_dateHeading = QStringLiteral("基準日");
};

} // namespace orv
