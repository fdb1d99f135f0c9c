#include "rap/RapStore.h"

#include "data/Database.h"
#include "rap/SectionValues.h"
#include "rap/TriggerEngine.h"
#include "rap/TriggerRuleTable.h"

#include <sqlite3.h>

#include <cmath>

namespace orv {

namespace {

const QString NameTable = QStringLiteral("A");
const QStringList NameColumns = {QStringLiteral("A1-1"), QStringLiteral("A1-2")};

QString bracketed(const QString& name)
{
    return QLatin1Char('[') + name + QLatin1Char(']');
}

QString columnText(sqlite3_stmt* stmt, int column)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
    return text ? QString::fromUtf8(text, sqlite3_column_bytes(stmt, column)) : QString();
}

// An item as GetFieldLong reads it: Null as -1; false when it is no whole number in 16 bits.
bool readItem(sqlite3_stmt* stmt, int column, qint64* value)
{
    switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_NULL:
        *value = -1;
        return true;
    case SQLITE_INTEGER:
        *value = sqlite3_column_int64(stmt, column);
        break;
    case SQLITE_FLOAT: {
        const double number = sqlite3_column_double(stmt, column);
        if (number != std::floor(number) || std::fabs(number) > 1e9)
            return false;
        *value = qint64(number);
        break;
    }
    case SQLITE_TEXT: {
        const QString text = columnText(stmt, column).trimmed();
        if (text.isEmpty()) {
            *value = -1;
            return true;
        }
        bool ok = false;
        *value = text.toLongLong(&ok);
        if (!ok)
            return false;
        break;
    }
    default:
        return false;
    }
    return *value >= -32768 && *value <= 32767;
}

} // namespace

struct RapStore::SectionQuery
{
    QString table;
    int tableIndex = -1; // among the rules' tables; -1 for the name's table
    QStringList columns;
    SqliteStatement statement;
};

RapStore::RapStore(Database& db) : m_database(db), m_db(db.handle()) {}

RapStore::~RapStore() = default;

QString RapStore::dateKey(const DateValue& date)
{
    return date.date().toString(QStringLiteral("yyyy-MM-dd"));
}

bool RapStore::prepareReads(QString* error)
{
    if (!m_sections.isEmpty())
        return true;
    const TriggerRuleTable& rules = TriggerRuleTable::instance();
    QStringList tables = rules.tables();
    tables.prepend(NameTable);
    // Sections A to P, each read once per run.
    tables.sort();
    tables.removeDuplicates();
    for (const QString& table : tables) {
        auto query = std::make_shared<SectionQuery>();
        query->table = table;
        query->tableIndex = table == NameTable ? -1 : rules.tableIndex(table);
        query->columns = table == NameTable ? NameColumns : rules.columnsOf(table);
        QStringList selected;
        for (const QString& column : query->columns)
            selected << bracketed(column);
        if (selected.isEmpty())
            selected << QStringLiteral("1");
        const QString sql = QStringLiteral("SELECT %1 FROM %2 WHERE [ID]=? AND [基準日]=?")
                                .arg(selected.join(QLatin1Char(',')), bracketed(table));
        if (!query->statement.prepare(m_db, sql, error)) {
            m_sections.clear();
            return false;
        }
        m_sections.append(query);
    }
    return true;
}

bool RapStore::readAssessment(const QString& id, const DateValue& date, QString* name,
                              SectionValues* values, AssessmentProblem* problem, QString* error)
{
    if (!prepareReads(error))
        return false;
    values->clear();
    name->clear();
    *problem = AssessmentProblem();
    const QByteArray idText = id.toUtf8();
    const QByteArray dateText = dateKey(date).toUtf8();
    for (const auto& query : std::as_const(m_sections)) {
        // Every statement is left reset, so binding is all it needs.
        SqliteStatement& statement = query->statement;
        statement.bindUtf8(1, idText);
        statement.bindUtf8(2, dateText);
        QString stepError;
        if (!statement.step(&stepError)) {
            statement.reset();
            if (!stepError.isEmpty()) {
                if (error)
                    *error = stepError;
                return false;
            }
            problem->missingTables << query->table;
            continue;
        }
        sqlite3_stmt* stmt = statement.handle();
        if (query->tableIndex < 0) {
            *name = columnText(stmt, 0) + columnText(stmt, 1);
        } else {
            QVector<qint64>& row = values->row(query->tableIndex);
            row.resize(query->columns.size());
            for (int i = 0; i < row.size(); ++i) {
                if (!readItem(stmt, i, &row[i]) && problem->badColumn.isEmpty()) {
                    problem->badColumn = query->columns.at(i);
                    problem->badValue = columnText(stmt, i);
                }
            }
        }
        statement.reset();
    }
    return true;
}

bool RapStore::prepareWrites(QString* error)
{
    if (m_insertRap.isPrepared())
        return true;
    const QStringList keys = TriggerRuleTable::instance().keys();
    QStringList columns = {QStringLiteral("[ID]"), QStringLiteral("[記入日]")};
    for (const QString& key : keys)
        columns << bracketed(key);
    const QString marks = QStringLiteral(",?").repeated(int(columns.size()) - 1);
    return m_clearTrigger.prepare(m_db, QStringLiteral("DELETE FROM [Trigger]"), error) &&
           m_clearSense.prepare(m_db, QStringLiteral("DELETE FROM [RAPSense]"), error) &&
           m_insertTrigger.prepare(m_db,
                                   QStringLiteral("INSERT INTO [Trigger] (%1) VALUES (?%2)")
                                       .arg(columns.join(QLatin1Char(',')), marks),
                                   error) &&
           prepareSenseInserts(error) &&
           m_deleteRap.prepare(
               m_db, QStringLiteral("DELETE FROM [RAP] WHERE [ID]=? AND [記入日]=?"), error) &&
           m_insertRap.prepare(
               m_db, QStringLiteral("INSERT INTO [RAP] ([ID],[記入日],[RAP]) VALUES (?,?,?)"),
               error);
}

bool RapStore::prepareSenseInserts(QString* error)
{
    for (int block = 0; block < int(m_insertSense.size()); ++block) {
        const QString sql = QStringLiteral("INSERT INTO [RAPSense] ([RAPS],[VALUE]) VALUES (?,?)") +
                            QStringLiteral(",(?,?)").repeated((1 << block) - 1);
        if (!m_insertSense[block].prepare(m_db, sql, error))
            return false;
    }
    return true;
}

bool RapStore::writeRun(const QString& id, const DateValue& date, const TriggerResult& result,
                        const QString& rapList, QString* error)
{
    if (!prepareWrites(error))
        return false;
    // Within a caller's transaction (a batch), the caller's rollback undoes a run that fails.
    if (m_database.inTransaction())
        return writeRows(id, date, result, rapList, error);
    // The old rows stay until the new ones are all written.
    TransactionGuard transaction(m_database);
    if (!transaction.ok()) {
        if (error)
            *error = QStringLiteral("トランザクションを開始できません。");
        return false;
    }
    return writeRows(id, date, result, rapList, error) && transaction.commit(error);
}

bool RapStore::writeRows(const QString& id, const DateValue& date, const TriggerResult& result,
                         const QString& rapList, QString* error)
{
    static const QByteArray mark = QStringLiteral("○").toUtf8();
    const QByteArray idText = id.toUtf8();
    const QByteArray dateText = dateKey(date).toUtf8();
    if (!m_clearTrigger.run(error) || !m_clearSense.run(error))
        return false;

    m_insertTrigger.reset();
    m_insertTrigger.bindUtf8(1, idText);
    m_insertTrigger.bindUtf8(2, dateText);
    const int keyCount = TriggerRuleTable::instance().keyCount();
    for (int i = 0; i < keyCount; ++i) {
        if (result.marks.isSet(i))
            m_insertTrigger.bindUtf8(3 + i, mark);
    }
    if (!m_insertTrigger.run(error))
        return false;

    // In the order added, the largest blocks first; a block is one statement.
    const RapSenseRows& rows = result.evidence;
    int next = 0;
    for (int block = int(m_insertSense.size()) - 1; block >= 0; --block) {
        SqliteStatement& insert = m_insertSense[block];
        const int size = 1 << block;
        for (; next + size <= rows.size(); next += size) {
            insert.reset();
            for (int i = 0; i < size; ++i) {
                insert.bindUtf8(2 * i + 1, rows.at(next + i).keyUtf8);
                insert.bindUtf8(2 * i + 2, rows.at(next + i).valueUtf8);
            }
            if (!insert.run(error))
                return false;
        }
    }

    m_deleteRap.reset();
    m_deleteRap.bindUtf8(1, idText);
    m_deleteRap.bindUtf8(2, dateText);
    if (!m_deleteRap.run(error))
        return false;
    m_insertRap.reset();
    m_insertRap.bindUtf8(1, idText);
    m_insertRap.bindUtf8(2, dateText);
    m_insertRap.bindText(3, rapList);
    return m_insertRap.run(error);
}

bool RapStore::assessmentKeys(QVector<AssessmentKey>* keys, QString* error)
{
    keys->clear();
    SqliteStatement statement;
    if (!statement.prepare(m_db, QStringLiteral("SELECT [ID],[基準日] FROM [A]"), error))
        return false;
    QString stepError;
    while (statement.step(&stepError)) {
        const QString stored = columnText(statement.handle(), 1);
        QDate day = QDate::fromString(stored.left(10), QStringLiteral("yyyy-MM-dd"));
        if (!day.isValid())
            day = QDate::fromString(stored.left(10), QStringLiteral("yyyy/MM/dd"));
        keys->append({columnText(statement.handle(), 0), DateValue::fromDate(day)});
    }
    if (!stepError.isEmpty()) {
        if (error)
            *error = stepError;
        return false;
    }
    return true;
}

} // namespace orv
