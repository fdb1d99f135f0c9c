#pragma once

#include <QHash>
#include <QString>

struct sqlite3;
struct sqlite3_stmt;

namespace orv {

// Prepared statements kept by their SQL text and reused. A statement that is already in use
// (a nested call with the same text) is prepared afresh and finalized after use.
class StatementCache
{
public:
    StatementCache() = default;
    ~StatementCache();
    StatementCache(const StatementCache&) = delete;
    StatementCache& operator=(const StatementCache&) = delete;

    void setHandle(sqlite3* handle) { m_handle = handle; }
    // nullptr and the engine's message in error when the SQL does not prepare.
    sqlite3_stmt* acquire(const QString& sql, QString* error);
    // Resets the statement and clears its bindings.
    void release(sqlite3_stmt* statement);
    void clear();

private:
    // Statements built from changing column lists must not pile up.
    static constexpr int MaxEntries = 200;
    void dropIdle();

    struct Entry
    {
        sqlite3_stmt* statement = nullptr;
        bool inUse = false;
    };
    sqlite3* m_handle = nullptr;
    QHash<QString, Entry> m_entries;
    QHash<sqlite3_stmt*, QString> m_sqlOf;
};

} // namespace orv
