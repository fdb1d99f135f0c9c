#include "data/Connection.h"

#include "data/FailureMessage.h"
#include "data/SchemaReader.h"

#include <sqlite3.h>

namespace orv {

Connection::Connection(sqlite3* handle) : m_handle(handle)
{
    m_statements.setHandle(handle);
}

Connection::~Connection()
{
    close();
}

void Connection::close()
{
    m_statements.clear();
    m_statements.setHandle(nullptr);
    forgetSchemas();
    if (m_handle)
        sqlite3_close_v2(m_handle);
    m_handle = nullptr;
}

std::shared_ptr<TableSchema> Connection::schema(const QString& table)
{
    const QString key = table.toLower();
    auto found = m_schemas.constFind(key);
    if (found != m_schemas.constEnd())
        return *found;
    if (!m_handle)
        return nullptr;
    std::shared_ptr<TableSchema> schema = SchemaReader(m_statements).read(table);
    if (schema)
        m_schemas.insert(key, schema);
    return schema;
}

void Connection::forgetSchemas()
{
    // Callers may still hold a schema they were handed; it stays valid.
    for (const auto& schema : std::as_const(m_schemas))
        m_retired.append(schema);
    m_schemas.clear();
    m_plans.clear();
}

void Connection::checkSchemaVersion()
{
    sqlite3_stmt* statement =
        m_statements.acquire(QStringLiteral("PRAGMA schema_version"), nullptr);
    if (!statement)
        return;
    const qint64 version =
        sqlite3_step(statement) == SQLITE_ROW ? sqlite3_column_int64(statement, 0) : -1;
    m_statements.release(statement);
    if (version != m_schemaVersion)
        forgetSchemas();
    m_schemaVersion = version;
}

const SourcePlan* Connection::plan(const QString& source) const
{
    auto found = m_plans.constFind(source);
    return found == m_plans.constEnd() ? nullptr : &*found;
}

void Connection::rememberPlan(const QString& source, const SourcePlan& plan)
{
    m_plans.insert(source, plan);
}

QString Connection::errorText() const
{
    return FailureMessage::ofConnection(m_handle);
}

QString Connection::quoted(const QString& identifier)
{
    return QLatin1Char('"') + QString(identifier).replace(QLatin1Char('"'), QLatin1String("\"\"")) +
           QLatin1Char('"');
}

} // namespace orv
