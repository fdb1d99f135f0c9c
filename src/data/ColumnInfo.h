#pragma once

#include <QString>
#include <QVector>

namespace orv {

// What the file says of one column: its name, DAO type, size and the properties
// Description, DefaultValue and FORMAT (a property that is not set is absent).
struct ColumnInfo
{
    QString name;
    int type = 0;
    int size = 0;
    QVector<QPair<QString, QString>> properties;

    bool hasProperty(const QString& propertyName) const;
    QString property(const QString& propertyName) const;
};

// The columns of one table in column order, read once per table.
struct TableSchema
{
    QString name;
    QVector<ColumnInfo> columns;

    int indexOf(const QString& column) const;
};

} // namespace orv
