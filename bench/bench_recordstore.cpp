// The record store of the program against the same statements issued raw, on a file of 10,000
// residents with three assessments each: the rows of sections B to P of 2,000 assessments read
// through record sets, and new assessments of 18 rows added through table record sets.
#include "data/Database.h"
#include "data/Recordset.h"
#include "support/FloorComparison.h"
#include "support/RecordFile.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstdio>

using namespace orv;

namespace {

constexpr int Reads = 2000;
constexpr int NewAssessments = 50;
const QString RowOfAssessment = QStringLiteral("SELECT * FROM [%1] WHERE [ID]=? AND [基準日]=?");

QStringList tables(char first, char last)
{
    QStringList names;
    for (char table = first; table <= last; ++table)
        names << QString(QLatin1Char(table));
    return names;
}

// Every column of the rows through record sets, as the program reads a record.
bool readThroughLayer(Database& db, const QString& id, const DateValue& date, qint64* sum)
{
    for (const QString& table : tables('B', 'P')) {
        auto rs = db.openRecordset(RowOfAssessment.arg(table), {id, date});
        if (!rs)
            return false;
        for (int i = 0; i < rs->fieldCount(); ++i)
            *sum += !rs->value(i).isNull();
    }
    return true;
}

// Statements prepared once, bound and stepped through the C API.
class RawStatements
{
public:
    RawStatements(sqlite3* db, const QStringList& sql) : m_db(db)
    {
        for (const QString& text : sql) {
            sqlite3_stmt* statement = nullptr;
            sqlite3_prepare_v3(db, text.toUtf8().constData(), -1, SQLITE_PREPARE_PERSISTENT,
                               &statement, nullptr);
            m_statements.append(statement);
        }
    }
    ~RawStatements()
    {
        for (sqlite3_stmt* statement : std::as_const(m_statements))
            sqlite3_finalize(statement);
    }

    bool run(const QByteArray& id, const QByteArray& date, qint64* sum)
    {
        for (sqlite3_stmt* statement : std::as_const(m_statements)) {
            sqlite3_bind_text(statement, 1, id.constData(), int(id.size()), SQLITE_STATIC);
            sqlite3_bind_text(statement, 2, date.constData(), int(date.size()), SQLITE_STATIC);
            int step = SQLITE_ROW;
            while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
                for (int i = 0; i < sqlite3_column_count(statement); ++i)
                    *sum += sqlite3_column_type(statement, i) != SQLITE_NULL;
            }
            sqlite3_reset(statement);
            if (step != SQLITE_DONE)
                return false;
        }
        return true;
    }

private:
    sqlite3* m_db;
    QVector<sqlite3_stmt*> m_statements;
};

bool exec(sqlite3* db, const char* sql)
{
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Orv21.db"));
    QString error;
    const int residents = 10000;
    if (!bench::buildRecordFile(path, residents * bench::AssessmentsEach,
                                bench::Records::Assessments, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    auto db = Database::open(path, &error);
    if (!db)
        return 1;
    sqlite3* handle = db->handle();

    QRandomGenerator random(1);
    QVector<QPair<QString, DateValue>> keys;
    for (int n = 0; n < Reads; ++n)
        keys.append({bench::residentId(random.bounded(residents)),
                     bench::assessmentDate(random.bounded(bench::AssessmentsEach))});
    QStringList selects;
    for (const QString& table : tables('B', 'P'))
        selects << RowOfAssessment.arg(table);
    RawStatements rawReads(handle, selects);
    qint64 layerSum = 0;
    qint64 rawSum = 0;
    bench::FloorComparison reads(
        QStringLiteral("%1 assessments, rows B to P read, every column").arg(Reads));
    const bool readsMeasured = reads.measure(
        [&] {
            layerSum = 0;
            return bench::FloorComparison::timed([&] {
                for (const auto& [id, date] : std::as_const(keys)) {
                    if (!readThroughLayer(*db, id, date, &layerSum))
                        return false;
                }
                return true;
            });
        },
        [&] {
            rawSum = 0;
            return bench::FloorComparison::timed([&] {
                for (const auto& [id, date] : std::as_const(keys)) {
                    if (!rawReads.run(id.toUtf8(), date.date().toString(Qt::ISODate).toUtf8(),
                                      &rawSum))
                        return false;
                }
                return true;
            });
        });

    // New assessments: a row of each section table A to R with its key, one transaction each,
    // removed again between rounds.
    QStringList inserts;
    for (const QString& table : tables('A', 'R'))
        inserts << QStringLiteral("INSERT INTO [%1] ([ID],[基準日]) VALUES (?,?)").arg(table);
    RawStatements rawInserts(handle, inserts);
    const auto removeNew = [&] {
        for (const QString& table : tables('A', 'R'))
            db->execute(QStringLiteral("DELETE FROM [%1] WHERE [ID] LIKE 'NEW%'").arg(table));
    };
    const auto newId = [](int n) { return QStringLiteral("NEW%1").arg(n); };
    bench::FloorComparison adds(
        QStringLiteral("%1 new assessments, 18 rows added each").arg(NewAssessments));
    const bool addsMeasured = adds.measure(
        [&] {
            removeNew();
            return bench::FloorComparison::timed([&] {
                for (int n = 0; n < NewAssessments; ++n) {
                    TransactionGuard transaction(*db);
                    for (const QString& table : tables('A', 'R')) {
                        auto rs = db->openRecordset(table);
                        rs->addNew();
                        rs->setValue(QStringLiteral("ID"), newId(n));
                        rs->setValue(QStringLiteral("基準日"), bench::assessmentDate(5));
                        if (!rs->update())
                            return false;
                    }
                    if (!transaction.commit())
                        return false;
                }
                return true;
            });
        },
        [&] {
            removeNew();
            const QByteArray date = bench::assessmentDate(5).date().toString(Qt::ISODate).toUtf8();
            return bench::FloorComparison::timed([&] {
                qint64 none = 0;
                for (int n = 0; n < NewAssessments; ++n) {
                    if (!exec(handle, "BEGIN IMMEDIATE") ||
                        !rawInserts.run(newId(n).toUtf8(), date, &none) || !exec(handle, "COMMIT"))
                        return false;
                }
                return true;
            });
        });
    if (!readsMeasured || !addsMeasured)
        return 1;
    if (layerSum != rawSum)
        std::printf("the two reads differ: %lld against %lld\n", layerSum, rawSum);
    adds.print();
    reads.print();
    reads.printHeadline();
    return 0;
}
