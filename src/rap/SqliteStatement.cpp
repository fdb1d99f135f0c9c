#include "rap/SqliteStatement.h"

#include <sqlite3.h>

namespace orv {

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(m_stmt);
}

bool SqliteStatement::prepare(sqlite3* db, const QString& sql, QString* error)
{
    sqlite3_finalize(m_stmt);
    m_stmt = nullptr;
    m_db = db;
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v3(db, utf8.constData(), int(utf8.size()), SQLITE_PREPARE_PERSISTENT,
                           &m_stmt, nullptr) != SQLITE_OK) {
        if (error)
            *error = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        return false;
    }
    return true;
}

void SqliteStatement::reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

void SqliteStatement::bindText(int position, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(m_stmt, position, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

void SqliteStatement::bindUtf8(int position, const QByteArray& utf8)
{
    sqlite3_bind_text(m_stmt, position, utf8.constData(), int(utf8.size()), SQLITE_STATIC);
}

void SqliteStatement::bindNull(int position)
{
    sqlite3_bind_null(m_stmt, position);
}

bool SqliteStatement::step(QString* error)
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE && error)
        *error = QString::fromUtf8(sqlite3_errmsg(m_db));
    return false;
}

bool SqliteStatement::run(QString* error)
{
    const int rc = sqlite3_step(m_stmt);
    const bool ok = rc == SQLITE_DONE || rc == SQLITE_ROW;
    if (!ok && error)
        *error = QString::fromUtf8(sqlite3_errmsg(m_db));
    sqlite3_reset(m_stmt);
    return ok;
}

} // namespace orv
