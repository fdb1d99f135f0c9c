#include "support/TestDatabase.h"

#include "data/SchemaBuilder.h"

namespace orv::test {

TestDatabase::TestDatabase() : m_path(m_folder.file(QStringLiteral("Orv21.db")))
{
    SchemaBuilder().createFile(m_path, &m_error);
}

bool TestDatabase::insertRow(Database& db, const QString& table,
                             const std::function<Value(const ColumnInfo&)>& valueOf, QString* error)
{
    const TableSchema* schema = db.schema(table);
    if (!schema) {
        if (error)
            *error = table + QStringLiteral(": no such table");
        return false;
    }
    QStringList names;
    QStringList marks;
    QVector<Value> values;
    for (const ColumnInfo& column : schema->columns) {
        names << QLatin1Char('[') + column.name + QLatin1Char(']');
        marks << QStringLiteral("?");
        values << valueOf(column);
    }
    return db.execute(QStringLiteral("INSERT INTO [%1] (%2) VALUES (%3)")
                          .arg(table, names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))),
                      values, error);
}

} // namespace orv::test
