#pragma once

#include "common/Value.h"
#include "data/ColumnInfo.h"

#include <QString>
#include <QVector>

#include <memory>

struct sqlite3;

namespace orv {

class Connection;
class Recordset;

// One connection to the record file. Values in SQL are always bound parameters ("?").
//
// The file says what each column is: the declared column type (BYTE, INTEGER, LONG, SINGLE,
// DOUBLE, DATETIME, TEXT(n), MEMO, LONGBINARY) and the table "_ColumnProperties"
// (TableName, ColumnName, Name, Value) for Description, DefaultValue and FORMAT. Dates are
// stored as text "yyyy-MM-dd" or "yyyy-MM-dd HH:mm:ss". The type is read from the first word
// of the declaration, so "MEMO TEXT" is a memo too, and one that SQLite keeps as text: a plain
// "MEMO" has numeric affinity and stores "007" as 7. Commits of one connection are seen
// by every other connection to the same file.
class Database
{
public:
    // Opens an existing record file; nullptr and a message naming the file when it is missing
    // or not a database.
    static std::unique_ptr<Database> open(const QString& path, QString* error = nullptr);
    // Makes a new, empty record file; refuses when the file exists.
    static std::unique_ptr<Database> create(const QString& path, QString* error = nullptr);
    ~Database();

    QString path() const { return m_path; }
    bool isOpen() const;
    void close();

    // Runs one statement with its parameters, or, without parameters, a script of several.
    bool execute(const QString& sql, const QVector<Value>& params = {}, QString* error = nullptr);
    // Rows changed by the last statement.
    int changes() const;
    // A dynaset over a table name ("KIHON1") or a SELECT. A SELECT * over one table can be
    // edited; a join is read only.
    std::unique_ptr<Recordset> openRecordset(const QString& source,
                                             const QVector<Value>& params = {},
                                             QString* error = nullptr);
    // Column facts of a table, read once; nullptr for an unknown table.
    const TableSchema* schema(const QString& table);
    bool hasTable(const QString& table) { return schema(table) != nullptr; }

    // Transactions nest: an inner begin is a savepoint.
    bool begin(QString* error = nullptr);
    bool commit(QString* error = nullptr);
    bool rollback();
    bool inTransaction() const { return m_depth > 0; }

    sqlite3* handle() const;
    // How long a statement waits for another connection's write lock before it fails.
    void setBusyTimeout(int milliseconds);

private:
    Database(const QString& path, std::shared_ptr<Connection> connection);
    static std::unique_ptr<Database> connect(const QString& path, int flags, QString* error);
    bool run(const QString& sql, QString* error);
    // One statement without parameters, prepared once for the connection.
    bool runPrepared(const QString& sql, QString* error);

    QString m_path;
    std::shared_ptr<Connection> m_connection;
    int m_depth = 0;
};

// Begins a transaction and rolls it back unless committed.
class TransactionGuard
{
public:
    explicit TransactionGuard(Database& db);
    ~TransactionGuard();
    TransactionGuard(const TransactionGuard&) = delete;
    TransactionGuard& operator=(const TransactionGuard&) = delete;
    bool ok() const { return m_active; }
    bool commit(QString* error = nullptr);

private:
    Database& m_db;
    bool m_active = false;
};

} // namespace orv
