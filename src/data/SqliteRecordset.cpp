#include "data/SqliteRecordset.h"

#include "data/Connection.h"
#include "data/DaoType.h"
#include "data/SchemaReader.h"
#include "data/SqlValue.h"
#include "data/ValueConverter.h"

#include <QRegularExpression>

#include <sqlite3.h>

#include <algorithm>

namespace orv {

namespace {

const QString NoCurrentRecord = QStringLiteral("カレント レコードがありません。");
const QString NotEditing = QStringLiteral(
    "AddNew または Edit を使用せずに Update または CancelUpdate を実行しようとしました。");
const QString ReadOnly =
    QStringLiteral("データベースまたはオブジェクトは読み取り専用なので、更新できません。");
const QString RowGone = QStringLiteral("レコードは削除されています。");

QString unbracketed(const QString& name)
{
    if (name.size() >= 2 &&
        ((name.front() == QLatin1Char('[') && name.back() == QLatin1Char(']')) ||
         (name.front() == QLatin1Char('"') && name.back() == QLatin1Char('"'))))
        return name.mid(1, name.size() - 2);
    return name;
}

// "SELECT * FROM <table> [WHERE ...] [ORDER BY ...]": the rows of one table, so editable.
bool splitSingleTableSelect(const QString& sql, QString* table, QString* rest)
{
    static const QRegularExpression pattern(
        QStringLiteral(
            "^\\s*SELECT\\s+\\*\\s+FROM\\s+(\\[[^\\]]+\\]|\"[^\"]+\"|[^\\s\\[\\]\"(),;]+)"
            "((?:\\s+(?:WHERE|ORDER\\s+BY)\\b.*)?)\\s*;?\\s*$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = pattern.match(sql);
    if (!match.hasMatch())
        return false;
    *table = unbracketed(match.captured(1));
    *rest = match.captured(2);
    return true;
}

bool isSelect(const QString& source)
{
    static const QRegularExpression pattern(QStringLiteral("^\\s*(SELECT|WITH)\\b"),
                                            QRegularExpression::CaseInsensitiveOption);
    return pattern.match(source).hasMatch();
}

// Jet compares texts without case and dates by the day.
bool sameValue(const Value& stored, const Value& wanted)
{
    if (stored.isNull() || wanted.isNull())
        return stored.isNull() && wanted.isNull();
    if (stored.kind() == Value::Kind::Date && wanted.kind() == Value::Kind::Date)
        return stored.toDate().date() == wanted.toDate().date();
    if (stored.isNumber() && wanted.isNumber())
        return stored == wanted;
    return stored.toText().compare(wanted.toText(), Qt::CaseInsensitive) == 0;
}

// A DefaultValue as Access writes it: a number, or a text in quotes.
Value defaultOf(const ColumnInfo& column)
{
    QString text = column.property(QStringLiteral("DefaultValue"));
    if (text.isEmpty())
        return Value();
    if (text.size() >= 2 && text.front() == QLatin1Char('"') && text.back() == QLatin1Char('"'))
        text = text.mid(1, text.size() - 2);
    Value converted;
    return ValueConverter::convert(column, Value(text), &converted) ? converted : Value();
}

} // namespace

SqliteRecordset::SqliteRecordset(std::shared_ptr<Connection> connection, const QString& name)
    : m_connection(std::move(connection)), m_name(name)
{
}

// A table name, or a SELECT * over one table, is read with the row ids so it can be edited.
bool SqliteRecordset::planFor(Connection& connection, const QString& source, SourcePlan* plan,
                              QString* error)
{
    QString table = unbracketed(source.trimmed());
    QString rest;
    const bool select = isSelect(source);
    plan->name = source;
    plan->sql = source;
    if (select && !splitSingleTableSelect(source, &table, &rest))
        return true;
    std::shared_ptr<TableSchema> schema = connection.schema(table);
    if (!schema) {
        if (select)
            return true;
        if (error)
            *error = QStringLiteral("入力テーブルまたはクエリ '%1' が見つかりません。").arg(source);
        return false;
    }
    plan->table = schema->name;
    plan->schema = schema;
    plan->sql = QStringLiteral("SELECT rowid, * FROM ") + Connection::quoted(schema->name) + rest;
    plan->wholeTable = !select;
    if (plan->wholeTable)
        plan->name = schema->name;
    return true;
}

std::unique_ptr<Recordset> SqliteRecordset::open(std::shared_ptr<Connection> connection,
                                                 const QString& source,
                                                 const QVector<Value>& params, QString* error)
{
    connection->checkSchemaVersion();
    SourcePlan plan;
    const std::optional<SourcePlan> known = connection->plan(source);
    if (known)
        plan = *known;
    else if (!planFor(*connection, source, &plan, error))
        return nullptr;
    std::unique_ptr<SqliteRecordset> recordset(new SqliteRecordset(connection, plan.name));
    if (plan.schema) {
        recordset->m_table = plan.table;
        recordset->m_columns = plan.schema->columns;
    }
    recordset->m_sql = plan.sql;
    recordset->m_params = params;
    // A query runs now and so shows its errors now; a whole table is only checked.
    const bool ok =
        plan.wholeTable || !recordset->isUpdatable()
            ? recordset->prepare(error) && (plan.wholeTable || recordset->loadRows(error))
            : recordset->loadRows(error);
    if (!ok)
        return nullptr;
    if (!known)
        connection->rememberPlan(source, plan);
    return recordset;
}

bool SqliteRecordset::prepare(QString* error)
{
    StatementCache& statements = m_connection->statements();
    sqlite3_stmt* statement = statements.acquire(m_sql, error);
    if (!statement)
        return false;
    if (!isUpdatable())
        describeResult(statement);
    const bool ok = sqlite3_column_count(statement) == m_columns.size() + (isUpdatable() ? 1 : 0);
    statements.release(statement);
    return ok || fail(error, QStringLiteral("列の数が表の定義と合いません。"));
}

bool SqliteRecordset::loadRows(QString* error) const
{
    // Values of the first rows come with the query; later rows are read when reached.
    constexpr int EagerRows = 256;
    m_loaded = true;
    m_rows.clear();
    StatementCache& statements = m_connection->statements();
    sqlite3_stmt* statement = statements.acquire(m_sql, error);
    if (!statement)
        return false;
    const int offset = isUpdatable() ? 1 : 0;
    bool ok = sqlite3_column_count(statement) == m_columns.size() + offset;
    if (!ok)
        fail(error, QStringLiteral("列の数が表の定義と合いません。"));
    ok = ok && SqlValue::bindAll(statement, m_params);
    const FileVersion version = offset ? m_connection->fileVersion() : FileVersion();
    int step = SQLITE_ROW;
    while (ok && (step = sqlite3_step(statement)) == SQLITE_ROW) {
        Row row;
        row.rowid = offset ? sqlite3_column_int64(statement, 0) : 0;
        row.readAt = version;
        row.loaded = !offset || m_rows.size() < EagerRows;
        if (row.loaded) {
            row.values.reserve(m_columns.size());
            for (int i = 0; i < m_columns.size(); ++i)
                row.values.append(SqlValue::read(statement, i + offset, m_columns.at(i).type));
        }
        m_rows.append(std::move(row));
    }
    if (ok && step != SQLITE_DONE)
        ok = fail(error, m_connection->errorText());
    statements.release(statement);
    if (m_addedBeforeLoad != 0) {
        // A row added before the first read stays in the set and current.
        auto added = std::find_if(m_rows.begin(), m_rows.end(),
                                  [&](const Row& row) { return row.rowid == m_addedBeforeLoad; });
        if (added == m_rows.end()) {
            m_rows.append(Row{m_addedBeforeLoad, false, {}, {}});
            added = m_rows.end() - 1;
        }
        m_current = int(added - m_rows.begin());
        m_addedBeforeLoad = 0;
    }
    return ok;
}

QVector<SqliteRecordset::Row>& SqliteRecordset::rows() const
{
    if (!m_loaded && m_connection->isOpen())
        loadRows(nullptr);
    return m_rows;
}

const QVector<Value>& SqliteRecordset::valuesOf(int index) const
{
    Row& row = rows()[index];
    if (!row.loaded) {
        Row fresh;
        if (!readRow(row.rowid, &fresh, nullptr))
            fresh.values = QVector<Value>(m_columns.size());
        row.values = fresh.values;
        row.loaded = true;
    }
    return row.values;
}

void SqliteRecordset::describeResult(sqlite3_stmt* statement)
{
    m_columns.clear();
    for (int i = 0; i < sqlite3_column_count(statement); ++i) {
        ColumnInfo column;
        const char* table = sqlite3_column_table_name(statement, i);
        const char* origin = sqlite3_column_origin_name(statement, i);
        if (table && origin) {
            if (std::shared_ptr<TableSchema> schema =
                    m_connection->schema(QString::fromUtf8(table))) {
                const int index = schema->indexOf(QString::fromUtf8(origin));
                if (index >= 0)
                    column = schema->columns.at(index);
            }
        }
        if (column.type == 0) {
            const char* declared = sqlite3_column_decltype(statement, i);
            column.type = SchemaReader::daoType(QString::fromUtf8(declared), &column.size);
        }
        column.name = QString::fromUtf8(sqlite3_column_name(statement, i));
        m_columns.append(column);
    }
}

bool SqliteRecordset::readRow(qint64 rowid, Row* row, QString* error) const
{
    StatementCache& statements = m_connection->statements();
    sqlite3_stmt* statement = statements.acquire(
        QStringLiteral("SELECT * FROM %1 WHERE rowid = ?").arg(Connection::quoted(m_table)), error);
    if (!statement)
        return false;
    sqlite3_bind_int64(statement, 1, rowid);
    const FileVersion version = m_connection->fileVersion();
    const bool found = sqlite3_step(statement) == SQLITE_ROW &&
                       sqlite3_column_count(statement) == m_columns.size();
    if (found) {
        row->rowid = rowid;
        row->loaded = true;
        row->readAt = version;
        row->values.clear();
        for (int i = 0; i < m_columns.size(); ++i)
            row->values.append(SqlValue::read(statement, i, m_columns.at(i).type));
    } else {
        fail(error, RowGone);
    }
    statements.release(statement);
    return found;
}

bool SqliteRecordset::fail(QString* error, const QString& text) const
{
    if (error)
        *error = text;
    return false;
}

bool SqliteRecordset::hasCurrent() const
{
    return !m_currentDeleted && m_current >= 0 && m_current < rows().size();
}

bool SqliteRecordset::eof() const
{
    return m_current >= rows().size();
}

void SqliteRecordset::moveFirst()
{
    cancelUpdate();
    m_current = 0;
    m_currentDeleted = false;
}

void SqliteRecordset::moveNext()
{
    cancelUpdate();
    if (m_currentDeleted)
        m_currentDeleted = false;
    else if (m_current < rows().size())
        ++m_current;
}

bool SqliteRecordset::findFirst(const QVector<QPair<QString, Value>>& equals)
{
    QVector<QPair<int, Value>> wanted;
    for (const auto& [name, value] : equals) {
        const int index = columnIndex(name);
        Value converted;
        if (index < 0 || !ValueConverter::convert(m_columns.at(index), value, &converted))
            return false;
        wanted.append({index, converted});
    }
    for (int row = 0; row < rows().size(); ++row) {
        const QVector<Value>& values = valuesOf(row);
        bool matches = true;
        for (const auto& [index, value] : std::as_const(wanted))
            matches = matches && sameValue(values.at(index), value);
        if (matches) {
            cancelUpdate();
            m_current = row;
            m_currentDeleted = false;
            return true;
        }
    }
    return false;
}

const ColumnInfo& SqliteRecordset::column(int index) const
{
    static const ColumnInfo none;
    return index >= 0 && index < m_columns.size() ? m_columns.at(index) : none;
}

int SqliteRecordset::columnIndex(const QString& name) const
{
    for (int i = 0; i < m_columns.size(); ++i) {
        if (m_columns.at(i).name == name)
            return i;
    }
    for (int i = 0; i < m_columns.size(); ++i) {
        if (m_columns.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

Value SqliteRecordset::value(int index) const
{
    if (index < 0 || index >= m_columns.size())
        return Value();
    if (m_mode != EditMode::None)
        return m_buffer.at(index);
    return hasCurrent() ? valuesOf(m_current).at(index) : Value();
}

bool SqliteRecordset::setValue(int index, const Value& value, QString* error)
{
    if (!isUpdatable())
        return fail(error, ReadOnly);
    if (m_mode == EditMode::None)
        return fail(error, NotEditing);
    if (index < 0 || index >= m_columns.size())
        return fail(error, QStringLiteral("項目が見つかりません。"));
    Value converted;
    if (!ValueConverter::convert(m_columns.at(index), value, &converted, error))
        return false;
    m_buffer[index] = converted;
    m_assigned[index] = true;
    return true;
}

void SqliteRecordset::addNew()
{
    cancelUpdate();
    if (!isUpdatable() || !m_connection->isOpen())
        return;
    m_buffer.clear();
    m_assigned.clear();
    for (const ColumnInfo& column : std::as_const(m_columns)) {
        m_buffer.append(defaultOf(column));
        m_assigned.append(!m_buffer.back().isNull());
    }
    m_mode = EditMode::Add;
}

void SqliteRecordset::edit()
{
    cancelUpdate();
    if (!isUpdatable() || !hasCurrent() || !m_connection->isOpen())
        return;
    const Row& current = m_rows.at(m_current);
    Row fresh;
    if ((!current.loaded || !(current.readAt == m_connection->fileVersion())) &&
        readRow(current.rowid, &fresh, nullptr))
        m_rows[m_current] = fresh;
    m_buffer = valuesOf(m_current);
    m_assigned = QVector<bool>(m_columns.size(), false);
    m_mode = EditMode::Edit;
}

bool SqliteRecordset::update(QString* error)
{
    if (!isUpdatable())
        return fail(error, ReadOnly);
    if (m_mode == EditMode::None)
        return fail(error, NotEditing);
    if (!m_connection->isOpen())
        return fail(error, m_connection->errorText());
    const bool ok = m_mode == EditMode::Add ? insertRow(error) : updateRow(error);
    if (ok)
        cancelUpdate();
    return ok;
}

bool SqliteRecordset::write(const QString& sql, const QVector<Value>& values, QString* error)
{
    StatementCache& statements = m_connection->statements();
    sqlite3_stmt* statement = statements.acquire(sql, error);
    if (!statement)
        return false;
    const bool ok = SqlValue::bindAll(statement, values) && sqlite3_step(statement) == SQLITE_DONE;
    if (!ok)
        fail(error, m_connection->errorText());
    statements.release(statement);
    return ok;
}

QVector<Value> SqliteRecordset::assignedValues(QStringList* names) const
{
    QVector<Value> values;
    for (int i = 0; i < m_assigned.size(); ++i) {
        if (m_assigned.at(i)) {
            names->append(Connection::quoted(m_columns.at(i).name));
            values.append(m_buffer.at(i));
        }
    }
    return values;
}

bool SqliteRecordset::insertRow(QString* error)
{
    QStringList names;
    const QVector<Value> values = assignedValues(&names);
    const QString table = Connection::quoted(m_table);
    const QString sql = values.isEmpty()
                            ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table)
                            : QStringLiteral("INSERT INTO %1 (%2) VALUES (?%3)")
                                  .arg(table, names.join(QLatin1Char(',')),
                                       QStringLiteral(",?").repeated(values.size() - 1));
    if (!write(sql, values, error))
        return false;
    const qint64 rowid = sqlite3_last_insert_rowid(m_connection->handle());
    m_currentDeleted = false;
    if (!m_loaded) {
        m_addedBeforeLoad = rowid;
        return true;
    }
    m_rows.append(Row{rowid, false, {}, {}});
    m_current = int(m_rows.size()) - 1;
    return true;
}

bool SqliteRecordset::updateRow(QString* error)
{
    QStringList names;
    QVector<Value> values = assignedValues(&names);
    if (values.isEmpty())
        return true;
    const qint64 rowid = m_rows.at(m_current).rowid;
    values.append(Value(rowid));
    const QString sql = QStringLiteral("UPDATE %1 SET %2=? WHERE rowid = ?")
                            .arg(Connection::quoted(m_table), names.join(QStringLiteral("=?,")));
    if (!write(sql, values, error))
        return false;
    if (sqlite3_changes(m_connection->handle()) == 0)
        return fail(error, RowGone);
    m_rows[m_current].loaded = false; // read back when next needed
    return true;
}

void SqliteRecordset::cancelUpdate()
{
    m_mode = EditMode::None;
    m_buffer.clear();
    m_assigned.clear();
}

bool SqliteRecordset::deleteCurrent(QString* error)
{
    cancelUpdate();
    if (!isUpdatable())
        return fail(error, ReadOnly);
    if (!hasCurrent())
        return fail(error, NoCurrentRecord);
    if (!write(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(Connection::quoted(m_table)),
               {Value(m_rows.at(m_current).rowid)}, error))
        return false;
    m_rows.removeAt(m_current);
    m_currentDeleted = true;
    return true;
}

void SqliteRecordset::close()
{
    cancelUpdate();
    m_loaded = true;
    m_rows.clear();
    m_current = 0;
    m_currentDeleted = false;
}

} // namespace orv
