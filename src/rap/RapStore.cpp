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
    const TriggerRuleTable& rules = TriggerRuleTable::instance();
    values->clear();
    name->clear();
    *problem = AssessmentProblem();
    const QString key = dateKey(date);
    for (const auto& query : m_sections) {
        SqliteStatement& statement = query->statement;
        statement.reset();
        statement.bindText(1, id);
        statement.bindText(2, key);
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
        if (query->table == NameTable) {
            *name = columnText(stmt, 0) + columnText(stmt, 1);
        } else {
            QVector<qint64> row(query->columns.size());
            for (int i = 0; i < row.size(); ++i) {
                if (!readItem(stmt, i, &row[i]) && problem->badColumn.isEmpty()) {
                    problem->badColumn = query->columns.at(i);
                    problem->badValue = columnText(stmt, i);
                }
            }
            values->setRow(rules.tableIndex(query->table), row);
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
           m_insertSense.prepare(
               m_db, QStringLiteral("INSERT INTO [RAPSense] ([RAPS],[VALUE]) VALUES (?,?)"),
               error) &&
           m_deleteRap.prepare(
               m_db, QStringLiteral("DELETE FROM [RAP] WHERE [ID]=? AND [記入日]=?"), error) &&
           m_insertRap.prepare(
               m_db, QStringLiteral("INSERT INTO [RAP] ([ID],[記入日],[RAP]) VALUES (?,?,?)"),
               error);
}

bool RapStore::writeRun(const QString& id, const DateValue& date, const TriggerResult& result,
                        const QString& rapList, QString* error)
{
    if (!prepareWrites(error))
        return false;
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
    const QString key = dateKey(date);
    if (!m_clearTrigger.run(error) || !m_clearSense.run(error))
        return false;

    m_insertTrigger.reset();
    m_insertTrigger.bindText(1, id);
    m_insertTrigger.bindText(2, key);
    const QString mark = QStringLiteral("○");
    const int keyCount = TriggerRuleTable::instance().keyCount();
    for (int i = 0; i < keyCount; ++i) {
        if (result.marks.isSet(i))
            m_insertTrigger.bindText(3 + i, mark);
    }
    if (!m_insertTrigger.run(error))
        return false;

    for (const RapSenseRow& row : result.evidence) {
        m_insertSense.reset();
        m_insertSense.bindText(1, row.key);
        m_insertSense.bindText(2, row.value);
        if (!m_insertSense.run(error))
            return false;
    }

    m_deleteRap.reset();
    m_deleteRap.bindText(1, id);
    m_deleteRap.bindText(2, key);
    if (!m_deleteRap.run(error))
        return false;
    m_insertRap.reset();
    m_insertRap.bindText(1, id);
    m_insertRap.bindText(2, key);
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
