// Verification mode over 1,000, 10,000 and 100,000 assessments, against the floor of reading
// the items the rules read (and the resident's name) of every assessment through plain SQLite
// statements prepared once, inside one read transaction.
#include "common/MessageBoxService.h"
#include "data/AppState.h"
#include "data/Database.h"
#include "data/Recordset.h"
#include "rap/TriggerRuleTable.h"
#include "rap/VerificationMode.h"
#include "support/FloorComparison.h"
#include "support/RecordFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstdio>
#include <memory>

using namespace orv;

namespace {

class CountingBoxes : public MessageBoxService
{
public:
    int show(const QString& text, int, const QString&) override
    {
        last = text;
        ++count;
        return AnswerOk;
    }
    int count = 0;
    QString last;
};

// The reads every evaluation needs, and nothing else.
class ReadFloor
{
public:
    explicit ReadFloor(const QString& path)
    {
        sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
        m_keys = prepare("SELECT [ID],[基準日] FROM [A]");
        const TriggerRuleTable& rules = TriggerRuleTable::instance();
        QStringList tables = rules.tables();
        tables.append(QStringLiteral("A"));
        tables.sort();
        tables.removeDuplicates();
        for (const QString& table : std::as_const(tables)) {
            const QStringList columns =
                table == QLatin1String("A") ? QStringList{"A1-1", "A1-2"} : rules.columnsOf(table);
            m_sections.append(prepare(QStringLiteral("SELECT [%1] FROM [%2] WHERE [ID]=? AND "
                                                     "[基準日]=?")
                                          .arg(columns.join(QStringLiteral("],[")), table)
                                          .toUtf8()));
        }
    }
    ~ReadFloor()
    {
        for (sqlite3_stmt* statement : std::as_const(m_sections))
            sqlite3_finalize(statement);
        sqlite3_finalize(m_keys);
        sqlite3_close(m_db);
    }

    bool read(qint64* checksum)
    {
        if (sqlite3_exec(m_db, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK)
            return false;
        QVector<QPair<QByteArray, QByteArray>> keys;
        while (sqlite3_step(m_keys) == SQLITE_ROW)
            keys.append({text(m_keys, 0), text(m_keys, 1)});
        sqlite3_reset(m_keys);
        for (const auto& [id, date] : std::as_const(keys)) {
            for (sqlite3_stmt* statement : std::as_const(m_sections)) {
                sqlite3_bind_text(statement, 1, id.constData(), int(id.size()), SQLITE_STATIC);
                sqlite3_bind_text(statement, 2, date.constData(), int(date.size()), SQLITE_STATIC);
                if (sqlite3_step(statement) == SQLITE_ROW) {
                    for (int c = 0; c < sqlite3_column_count(statement); ++c)
                        *checksum += sqlite3_column_int64(statement, c);
                }
                sqlite3_reset(statement);
            }
        }
        return sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK &&
               !keys.isEmpty();
    }

private:
    sqlite3_stmt* prepare(const QByteArray& sql)
    {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v3(m_db, sql.constData(), -1, SQLITE_PREPARE_PERSISTENT, &statement,
                           nullptr);
        return statement;
    }
    static QByteArray text(sqlite3_stmt* statement, int column)
    {
        return QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)),
                          sqlite3_column_bytes(statement, column));
    }

    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_keys = nullptr;
    QVector<sqlite3_stmt*> m_sections;
};

int rapRows(Database& db)
{
    auto rs = db.openRecordset(QStringLiteral("SELECT count(*) FROM [RAP]"));
    return rs && !rs->eof() ? int(rs->value(0).toInteger()) : -1;
}

// The batch and its floor on a record file of that many assessments; the per-assessment cost
// of the program in microseconds, negative on failure.
double compare(int assessments, bench::FloorComparison* comparison)
{
    QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath(QStringLiteral("Orv21.db"));
    QString error;
    if (!bench::buildRecordFile(path, assessments, bench::Records::Assessments, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return -1;
    }
    AppState state;
    CountingBoxes boxes;
    state.msg = &boxes;
    state.Db = Database::open(path, &error);
    if (!state.Db)
        return -1;
    ReadFloor floor(path);
    qint64 checksum = 0;
    const bool measured = comparison->measure(
        [&] {
            boxes.count = 0;
            const double ms = bench::FloorComparison::timed([&] {
                VerificationMode(state).KenteiMode();
                return true;
            });
            // The batch ends with "終了しました" and writes one RAP row per assessment.
            const bool ok = boxes.count == 2 && boxes.last == QStringLiteral("終了しました") &&
                            rapRows(*state.Db) == assessments;
            if (!ok)
                std::fprintf(stderr, "verification: %d boxes, last \"%s\"\n", boxes.count,
                             qPrintable(boxes.last));
            return ok ? ms : -1;
        },
        [&] { return bench::FloorComparison::timed([&] { return floor.read(&checksum); }); });
    if (!measured)
        return -1;
    comparison->print();
    const double perAssessment = comparison->programMs() * 1000 / assessments;
    std::printf("  per assessment: program %.1f us, floor %.1f us\n", perAssessment,
                comparison->floorMs() * 1000 / assessments);
    return perAssessment;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    bench::FloorComparison small(QStringLiteral("verification, 1,000 assessments"));
    bench::FloorComparison large(QStringLiteral("verification, 100,000 assessments"));
    bench::FloorComparison headline(QStringLiteral("verification, 10,000 assessments"));
    const double smallCost = compare(1000, &small);
    const double largeCost = compare(100000, &large);
    const double headlineCost = compare(10000, &headline);
    if (smallCost < 0 || largeCost < 0 || headlineCost < 0)
        return 1;
    std::printf("cost per assessment: 1,000: %.1f us, 10,000: %.1f us, 100,000: %.1f us "
                "(100,000 against 1,000: %+.0f %%)\n",
                smallCost, headlineCost, largeCost, (largeCost / smallCost - 1) * 100);
    headline.printHeadline();
    return 0;
}
