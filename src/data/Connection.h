#pragma once

#include "data/ColumnInfo.h"
#include "data/SharedSchemas.h"
#include "data/StatementCache.h"

#include <QHash>
#include <QVector>
#include <QString>

#include <memory>
#include <optional>

struct sqlite3;

namespace orv {

// Which state of the file a read saw: equal versions mean nothing has changed in between.
struct FileVersion
{
    qint64 ownChanges = -1;   // rows changed through this connection
    qint64 otherCommits = -1; // commits of other connections
    bool operator==(const FileVersion& other) const
    {
        return ownChanges == other.ownChanges && otherCommits == other.otherCommits;
    }
};

// The open SQLite handle with its prepared statements and the table facts read so far. Shared by
// the Database and its recordsets, so a recordset outliving a closed database fails cleanly.
class Connection
{
public:
    // path names the file, whose table facts the connection shares with others to it.
    Connection(sqlite3* handle, const QString& path);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    sqlite3* handle() const { return m_handle; }
    bool isOpen() const { return m_handle != nullptr; }
    void close();

    StatementCache& statements() { return m_statements; }
    std::shared_ptr<TableSchema> schema(const QString& table);
    void forgetSchemas();
    // Forgets the table facts when the file's tables have changed, through any connection.
    void checkSchemaVersion();
    // Plans of the recordset sources opened before, by their text.
    std::optional<SourcePlan> plan(const QString& source) const;
    void rememberPlan(const QString& source, const SourcePlan& plan);
    QString errorText() const;
    FileVersion fileVersion();

    static QString quoted(const QString& identifier);

private:
    sqlite3* m_handle = nullptr;
    StatementCache m_statements;
    std::shared_ptr<SharedSchemas> m_schemas;
    qint64 m_schemaVersion = -1;
};

} // namespace orv
