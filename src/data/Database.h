#pragma once

#include "common/Value.h"
#include "data/ColumnInfo.h"

#include <QHash>
#include <QString>
#include <QVector>

#include <memory>

struct sqlite3;

namespace orv {

class Recordset;

// One connection to the record file. Values in SQL are always bound parameters ("?").
//
// The file says what each column is: the declared column type (BYTE, INTEGER, LONG, SINGLE,
// DOUBLE, DATETIME, TEXT(n), MEMO, LONGBINARY) and the table "_ColumnProperties"
// (TableName, ColumnName, Name, Value) for Description, DefaultValue and FORMAT. Dates are
// stored as text "yyyy-MM-dd" or "yyyy-MM-dd HH:mm:ss".
class Database
{
public:
    static std::unique_ptr<Database> open(const QString& path, QString* error = nullptr);
    ~Database();

    QString path() const { return m_path; }
    bool isOpen() const { return m_handle != nullptr; }
    void close();

    bool execute(const QString& sql, const QVector<Value>& params = {}, QString* error = nullptr);
    // A dynaset over a table name ("KIHON1") or a SELECT. A SELECT * over one table can be
    // edited; a join is read only.
    std::unique_ptr<Recordset> openRecordset(const QString& source, const QVector<Value>& params = {},
                                             QString* error = nullptr);
    // Column facts of a table, read once; nullptr for an unknown table.
    const TableSchema* schema(const QString& table);

    bool begin(QString* error = nullptr);
    bool commit(QString* error = nullptr);
    bool rollback();

    sqlite3* handle() const { return m_handle; }

private:
    Database() = default;
    QString m_path;
    sqlite3* m_handle = nullptr;
    QHash<QString, std::shared_ptr<TableSchema>> m_schemas;
};

// Begins a transaction and rolls it back unless committed.
class TransactionGuard
{
public:
    explicit TransactionGuard(Database& db);
    ~TransactionGuard();
    bool ok() const { return m_active; }
    bool commit(QString* error = nullptr);

private:
    Database& m_db;
    bool m_active = false;
};

} // namespace orv
