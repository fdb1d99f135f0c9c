#include "data/StatementCache.h"

#include "data/FailureMessage.h"

#include <sqlite3.h>

namespace orv {

StatementCache::~StatementCache()
{
    clear();
}

sqlite3_stmt* StatementCache::acquire(const QString& sql, QString* error)
{
    if (!m_handle) {
        if (error)
            *error = QStringLiteral("データベースが開かれていません。");
        return nullptr;
    }
    auto found = m_entries.find(sql);
    if (found != m_entries.end() && !found->inUse) {
        found->inUse = true;
        return found->statement;
    }
    sqlite3_stmt* statement = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v3(m_handle, utf8.constData(), int(utf8.size()),
                           found == m_entries.end() ? SQLITE_PREPARE_PERSISTENT : 0, &statement,
                           nullptr) != SQLITE_OK) {
        if (error)
            *error = FailureMessage::ofConnection(m_handle);
        sqlite3_finalize(statement);
        return nullptr;
    }
    if (found == m_entries.end()) {
        if (m_entries.size() >= MaxEntries)
            dropIdle();
        m_entries.insert(sql, Entry{statement, true});
        m_sqlOf.insert(statement, sql);
    }
    return statement;
}

void StatementCache::release(sqlite3_stmt* statement)
{
    if (!statement)
        return;
    auto sql = m_sqlOf.find(statement);
    if (sql == m_sqlOf.end()) {
        sqlite3_finalize(statement);
        return;
    }
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    m_entries[*sql].inUse = false;
}

void StatementCache::dropIdle()
{
    for (auto entry = m_entries.begin(); entry != m_entries.end();) {
        if (entry->inUse) {
            ++entry;
            continue;
        }
        m_sqlOf.remove(entry->statement);
        sqlite3_finalize(entry->statement);
        entry = m_entries.erase(entry);
    }
}

void StatementCache::clear()
{
    for (const Entry& entry : std::as_const(m_entries))
        sqlite3_finalize(entry.statement);
    m_entries.clear();
    m_sqlOf.clear();
}

} // namespace orv
