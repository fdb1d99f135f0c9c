#include "data/Database.h"

#include "data/Connection.h"
#include "data/FailureMessage.h"
#include "data/SqlValue.h"
#include "data/SqliteRecordset.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <sqlite3.h>

namespace orv {

namespace {

constexpr int BusyTimeoutMs = 10000;

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

bool changesSchema(const QString& sql)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*(CREATE|ALTER|DROP)\\b|_ColumnProperties"),
        QRegularExpression::CaseInsensitiveOption);
    return pattern.match(sql).hasMatch();
}

} // namespace

Database::Database(const QString& path, std::shared_ptr<Connection> connection)
    : m_path(path), m_connection(std::move(connection))
{
}

Database::~Database()
{
    close();
}

std::unique_ptr<Database> Database::open(const QString& path, QString* error)
{
    const QFileInfo info(path);
    if (!info.isFile()) {
        setError(error, FailureMessage::text(info.exists() ? FailureMessage::Kind::NotAFile
                                                           : FailureMessage::Kind::Missing,
                                             path));
        return nullptr;
    }
    return connect(path, SQLITE_OPEN_READWRITE, error);
}

std::unique_ptr<Database> Database::create(const QString& path, QString* error)
{
    if (QFileInfo::exists(path)) {
        setError(error, QStringLiteral("ファイル '%1' は既に存在します。").arg(path));
        return nullptr;
    }
    return connect(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, error);
}

std::unique_ptr<Database> Database::connect(const QString& path, int flags, QString* error)
{
    sqlite3* handle = nullptr;
    const int opened = sqlite3_open_v2(QFile::encodeName(path).constData(), &handle,
                                       flags | SQLITE_OPEN_NOMUTEX, nullptr);
    auto connection = std::make_shared<Connection>(handle, path);
    std::unique_ptr<Database> db(new Database(path, connection));
    if (opened == SQLITE_OK) {
        sqlite3_extended_result_codes(handle, 1);
        sqlite3_busy_timeout(handle, BusyTimeoutMs);
    }
    // Reading the catalogue proves the file is a database; WAL lets readers and the writer of
    // other connections work side by side.
    if (opened != SQLITE_OK ||
        !db->run(QStringLiteral("SELECT count(*) FROM sqlite_master"), nullptr) ||
        !db->run(QStringLiteral("PRAGMA journal_mode=WAL"), nullptr) ||
        !db->run(QStringLiteral("PRAGMA synchronous=FULL"), nullptr)) {
        setError(error, FailureMessage::ofConnection(handle, path));
        return nullptr;
    }
    return db;
}

bool Database::isOpen() const
{
    return m_connection && m_connection->isOpen();
}

void Database::close()
{
    if (!m_connection)
        return;
    while (m_depth > 0)
        rollback();
    m_connection->close();
}

sqlite3* Database::handle() const
{
    return m_connection ? m_connection->handle() : nullptr;
}

void Database::setBusyTimeout(int milliseconds)
{
    if (isOpen())
        sqlite3_busy_timeout(handle(), milliseconds);
}

bool Database::run(const QString& sql, QString* error)
{
    if (!isOpen()) {
        setError(error, m_connection->errorText());
        return false;
    }
    if (sqlite3_exec(handle(), sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK) {
        setError(error, m_connection->errorText());
        return false;
    }
    return true;
}

bool Database::runPrepared(const QString& sql, QString* error)
{
    if (!isOpen()) {
        setError(error, m_connection->errorText());
        return false;
    }
    StatementCache& statements = m_connection->statements();
    sqlite3_stmt* statement = statements.acquire(sql, error);
    if (!statement)
        return false;
    const bool ok = sqlite3_step(statement) == SQLITE_DONE;
    if (!ok)
        setError(error, m_connection->errorText());
    statements.release(statement);
    return ok;
}

bool Database::execute(const QString& sql, const QVector<Value>& params, QString* error)
{
    if (changesSchema(sql) && m_connection)
        m_connection->forgetSchemas();
    if (params.isEmpty())
        return run(sql, error);
    StatementCache& statements = m_connection->statements();
    sqlite3_stmt* statement = statements.acquire(sql, error);
    if (!statement)
        return false;
    bool ok = SqlValue::bindAll(statement, params);
    if (ok) {
        int step = SQLITE_ROW;
        while (step == SQLITE_ROW)
            step = sqlite3_step(statement);
        ok = step == SQLITE_DONE;
    }
    if (!ok)
        setError(error, m_connection->errorText());
    statements.release(statement);
    return ok;
}

int Database::changes() const
{
    return isOpen() ? sqlite3_changes(handle()) : 0;
}

std::unique_ptr<Recordset> Database::openRecordset(const QString& source,
                                                   const QVector<Value>& params, QString* error)
{
    if (!isOpen()) {
        setError(error, m_connection->errorText());
        return nullptr;
    }
    return SqliteRecordset::open(m_connection, source, params, error);
}

const TableSchema* Database::schema(const QString& table)
{
    if (!isOpen())
        return nullptr;
    m_connection->checkSchemaVersion();
    return m_connection->schema(table).get();
}

bool Database::begin(QString* error)
{
    const QString sql = m_depth == 0 ? QStringLiteral("BEGIN IMMEDIATE")
                                     : QStringLiteral("SAVEPOINT level%1").arg(m_depth);
    if (!runPrepared(sql, error))
        return false;
    ++m_depth;
    return true;
}

bool Database::commit(QString* error)
{
    if (m_depth == 0) {
        setError(error, QStringLiteral("トランザクションが開始されていません。"));
        return false;
    }
    const QString sql = m_depth == 1 ? QStringLiteral("COMMIT")
                                     : QStringLiteral("RELEASE level%1").arg(m_depth - 1);
    if (!runPrepared(sql, error))
        return false;
    --m_depth;
    return true;
}

bool Database::rollback()
{
    if (m_depth == 0)
        return false;
    --m_depth;
    if (m_depth == 0)
        return run(QStringLiteral("ROLLBACK"), nullptr);
    const QString savepoint = QStringLiteral("level%1").arg(m_depth);
    return run(QStringLiteral("ROLLBACK TO %1; RELEASE %1").arg(savepoint), nullptr);
}

TransactionGuard::TransactionGuard(Database& db) : m_db(db), m_active(db.begin()) {}

TransactionGuard::~TransactionGuard()
{
    if (m_active)
        m_db.rollback();
}

bool TransactionGuard::commit(QString* error)
{
    if (!m_active) {
        if (error)
            *error = QStringLiteral("トランザクションが開始されていません。");
        return false;
    }
    m_active = false;
    return m_db.commit(error);
}

} // namespace orv
