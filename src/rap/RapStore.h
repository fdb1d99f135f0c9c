#pragma once

#include "common/DateValue.h"
#include "rap/SqliteStatement.h"

#include <QHash>
#include <QStringList>
#include <QVector>

#include <array>

#include <memory>

struct sqlite3;

namespace orv {

class Database;
class SectionValues;
struct TriggerResult;

// Why an assessment cannot be evaluated.
struct AssessmentProblem
{
    QStringList missingTables; // section tables without the assessment's row
    QString badColumn;         // first item that is not a whole number within 16 bits
    QString badValue;

    bool isEmpty() const { return missingTables.isEmpty() && badColumn.isEmpty(); }
};

struct AssessmentKey
{
    QString id;
    DateValue date;
};

// The run's reads and writes on the record file, through statements prepared once: the
// section rows A to P of an assessment, and the scratch rows and RAP row of a run written
// together.
class RapStore
{
public:
    explicit RapStore(Database& db);
    ~RapStore();

    // Reads the name (A1-1 and A1-2) and the items the rules read. False on a database error;
    // a missing row or bad value is reported in problem, with what could be read.
    bool readAssessment(const QString& id, const DateValue& date, QString* name,
                        SectionValues* values, AssessmentProblem* problem, QString* error);

    // Replaces Trigger, RAPSense and the RAP row of the key, all or nothing.
    bool writeRun(const QString& id, const DateValue& date, const TriggerResult& result,
                  const QString& rapList, QString* error);

    // Every assessment, in the order of table A.
    bool assessmentKeys(QVector<AssessmentKey>* keys, QString* error);

    Database& database() { return m_database; }

    static QString dateKey(const DateValue& date);

private:
    struct SectionQuery;
    bool prepareReads(QString* error);
    bool prepareWrites(QString* error);
    bool prepareSenseInserts(QString* error);
    bool writeRows(const QString& id, const DateValue& date, const TriggerResult& result,
                   const QString& rapList, QString* error);

    Database& m_database;
    sqlite3* m_db;
    QVector<std::shared_ptr<SectionQuery>> m_sections;
    SqliteStatement m_clearTrigger;
    SqliteStatement m_clearSense;
    SqliteStatement m_insertTrigger;
    // Evidence rows in blocks of 1, 2, 4 ... rows per statement.
    std::array<SqliteStatement, 6> m_insertSense;
    SqliteStatement m_deleteRap;
    SqliteStatement m_insertRap;
};

} // namespace orv
