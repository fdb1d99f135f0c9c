#include "data/Connection.h"

#include "data/FailureMessage.h"
#include "data/SchemaReader.h"

#include <sqlite3.h>

namespace orv {

Connection::Connection(sqlite3* handle, const QString& path)
    : m_handle(handle), m_schemas(SharedSchemas::of(path))
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
    // The facts stay with the other connections to the file.
    m_schemaVersion = -1;
    if (m_handle)
        sqlite3_close_v2(m_handle);
    m_handle = nullptr;
}

std::shared_ptr<TableSchema> Connection::schema(const QString& table)
{
    if (!m_handle)
        return nullptr;
    if (m_schemaVersion < 0)
        checkSchemaVersion();
    if (std::shared_ptr<TableSchema> known = m_schemas->find(table, m_schemaVersion))
        return known;
    std::shared_ptr<TableSchema> schema = SchemaReader(m_statements).read(table);
    if (schema)
        m_schemas->store(table, m_schemaVersion, schema);
    return schema;
}

void Connection::forgetSchemas()
{
    m_schemas->forget();
    m_schemaVersion = -1;
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
    m_schemaVersion = version;
}

std::optional<SourcePlan> Connection::plan(const QString& source) const
{
    return m_schemas->plan(source, m_schemaVersion);
}

void Connection::rememberPlan(const QString& source, const SourcePlan& plan)
{
    m_schemas->storePlan(source, m_schemaVersion, plan);
}

FileVersion Connection::fileVersion()
{
    FileVersion version;
    if (!m_handle)
        return version;
    sqlite3_stmt* statement = m_statements.acquire(QStringLiteral("PRAGMA data_version"), nullptr);
    if (!statement)
        return version;
    if (sqlite3_step(statement) == SQLITE_ROW) {
        version.otherCommits = sqlite3_column_int64(statement, 0);
        version.ownChanges = sqlite3_total_changes64(m_handle);
    }
    m_statements.release(statement);
    return version;
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
