#pragma once

#include <QString>

struct sqlite3;
struct sqlite3_stmt;

namespace orv {

// One prepared statement kept for reuse; finalized with the object.
class SqliteStatement
{
public:
    SqliteStatement() = default;
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    bool prepare(sqlite3* db, const QString& sql, QString* error);
    bool isPrepared() const { return m_stmt != nullptr; }
    sqlite3_stmt* handle() const { return m_stmt; }

    // Clears the previous bindings and results.
    void reset();
    void bindText(int position, const QString& text);
    // Binds UTF-8 text without a copy: it must stay unchanged until the next reset().
    void bindUtf8(int position, const QByteArray& utf8);
    void bindNull(int position);
    // True on a row; false at the end or on an error (then error is set).
    bool step(QString* error);
    // Runs a statement that returns no rows.
    bool run(QString* error);

private:
    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_stmt = nullptr;
};

} // namespace orv
