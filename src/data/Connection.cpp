#include "data/Connection.h"

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
    m_schemas.clear();
    m_plans.clear();
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
    return m_handle ? QString::fromUtf8(sqlite3_errmsg(m_handle))
                    : QStringLiteral("データベースが開かれていません。");
}

QString Connection::quoted(const QString& identifier)
{
    return QLatin1Char('"') + QString(identifier).replace(QLatin1Char('"'), QLatin1String("\"\"")) +
           QLatin1Char('"');
}

} // namespace orv
