#include "data/SchemaReader.h"

#include "data/DaoType.h"
#include "data/StatementCache.h"
#include "data/SqlValue.h"

#include <QHash>
#include <QRegularExpression>

#include <sqlite3.h>

namespace orv {

namespace {

struct TypeName
{
    const char* name;
    int type;
    int size;
};

// Jet's own names first, then the common SQL spellings of the same types.
constexpr TypeName TypeNames[] = {
    {"BYTE", dbByte, 1},         {"TINYINT", dbByte, 1},
    {"INTEGER", dbInteger, 2},   {"SHORT", dbInteger, 2},
    {"SMALLINT", dbInteger, 2},  {"LONG", dbLong, 4},
    {"INT", dbLong, 4},          {"COUNTER", dbLong, 4},
    {"SINGLE", dbSingle, 4},     {"REAL", dbSingle, 4},
    {"DOUBLE", dbDouble, 8},     {"FLOAT", dbDouble, 8},
    {"DATETIME", dbDate, 8},     {"DATE", dbDate, 8},
    {"TEXT", dbText, 255},       {"VARCHAR", dbText, 255},
    {"CHAR", dbText, 255},       {"MEMO", dbMemo, 0},
    {"LONGTEXT", dbMemo, 0},     {"LONGBINARY", dbLongBinary, 0},
    {"BLOB", dbLongBinary, 0},   {"BIT", dbBoolean, 1},
    {"YESNO", dbBoolean, 1},     {"BOOLEAN", dbBoolean, 1},
    {"CURRENCY", dbCurrency, 8}, {"BINARY", dbBinary, 255},
};

} // namespace

int SchemaReader::daoType(const QString& declared, int* size)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*(\\w+)\\s*(?:\\(\\s*(\\d+)\\s*\\))?"));
    const QRegularExpressionMatch match = pattern.match(declared);
    const QString word = match.captured(1).toUpper();
    for (const TypeName& typeName : TypeNames) {
        if (word == QLatin1String(typeName.name)) {
            if (size)
                *size = match.captured(2).isEmpty() ? typeName.size : match.captured(2).toInt();
            return typeName.type;
        }
    }
    if (size)
        *size = 0;
    return 0;
}

QString SchemaReader::tableName(const QString& name)
{
    sqlite3_stmt* statement = m_statements.acquire(
        QStringLiteral("SELECT name FROM sqlite_master WHERE type IN ('table','view') AND "
                       "name = ? COLLATE NOCASE"),
        nullptr);
    if (!statement)
        return QString();
    SqlValue::bind(statement, 1, name);
    QString found;
    if (sqlite3_step(statement) == SQLITE_ROW)
        found = SqlValue::read(statement, 0, dbText).toText();
    m_statements.release(statement);
    return found;
}

std::shared_ptr<TableSchema> SchemaReader::read(const QString& table)
{
    const QString name = tableName(table);
    if (name.isEmpty())
        return nullptr;
    auto schema = std::make_shared<TableSchema>();
    schema->name = name;

    sqlite3_stmt* columns = m_statements.acquire(
        QStringLiteral("SELECT name, type FROM pragma_table_info(?) ORDER BY cid"), nullptr);
    if (!columns)
        return nullptr;
    SqlValue::bind(columns, 1, name);
    while (sqlite3_step(columns) == SQLITE_ROW) {
        ColumnInfo column;
        column.name = SqlValue::read(columns, 0, dbText).toText();
        column.type = daoType(SqlValue::read(columns, 1, dbText).toText(), &column.size);
        schema->columns.append(column);
    }
    m_statements.release(columns);

    if (tableName(QStringLiteral("_ColumnProperties")).isEmpty())
        return schema;
    sqlite3_stmt* properties =
        m_statements.acquire(QStringLiteral("SELECT ColumnName, Name, Value FROM _ColumnProperties "
                                            "WHERE TableName = ? COLLATE NOCASE ORDER BY rowid"),
                             nullptr);
    if (!properties)
        return schema;
    SqlValue::bind(properties, 1, name);
    while (sqlite3_step(properties) == SQLITE_ROW) {
        const int index = schema->indexOf(SqlValue::read(properties, 0, dbText).toText());
        if (index >= 0)
            schema->columns[index].properties.append(
                {SqlValue::read(properties, 1, dbText).toText(),
                 SqlValue::read(properties, 2, dbText).toText()});
    }
    m_statements.release(properties);
    return schema;
}

} // namespace orv
