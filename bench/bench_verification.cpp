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
#include "support/InterleavedRuns.h"
#include "support/RecordFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

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

// A record file of that many assessments with the batch and its floor on it. Each run does at
// least 10,000 assessments' worth, so that a small file is timed over several batches in a row
// rather than one short one: the milliseconds of one batch, on average.
class Batch
{
public:
    explicit Batch(int assessments)
        : m_assessments(assessments), m_repeats(std::max(1, 10000 / assessments))
    {
    }

    bool open(QString* error)
    {
        const QString path = QDir(m_folder.path()).filePath(QStringLiteral("Orv21.db"));
        if (!bench::buildRecordFile(path, m_assessments, bench::Records::Assessments, error))
            return false;
        m_state.msg = &m_boxes;
        m_state.Db = Database::open(path, error);
        m_floor = std::make_unique<ReadFloor>(path);
        return m_state.Db != nullptr;
    }

    int assessments() const { return m_assessments; }

    double program()
    {
        double ms = 0;
        for (int n = 0; n < m_repeats; ++n) {
            m_boxes.count = 0;
            ms += bench::FloorComparison::timed([&] {
                VerificationMode(m_state).KenteiMode();
                return true;
            });
            // The batch ends with "終了しました" and writes one RAP row per assessment.
            if (m_boxes.count != 2 || m_boxes.last != QStringLiteral("終了しました") ||
                rapRows(*m_state.Db) != m_assessments) {
                std::fprintf(stderr, "verification: %d boxes, last \"%s\"\n", m_boxes.count,
                             qPrintable(m_boxes.last));
                return -1;
            }
        }
        return ms / m_repeats;
    }

    double floor()
    {
        double ms = 0;
        for (int n = 0; n < m_repeats; ++n) {
            const double one =
                bench::FloorComparison::timed([&] { return m_floor->read(&m_checksum); });
            if (one < 0)
                return -1;
            ms += one;
        }
        return ms / m_repeats;
    }

private:
    const int m_assessments;
    const int m_repeats;
    QTemporaryDir m_folder;
    AppState m_state;
    CountingBoxes m_boxes;
    std::unique_ptr<ReadFloor> m_floor;
    qint64 m_checksum = 0;
};

} // namespace

// The three files run in every round, so that the cost per assessment at 1,000 and at 100,000
// is compared under the same state of the machine.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int sizes[] = {1000, 10000, 100000};
    std::vector<std::unique_ptr<Batch>> batches;
    bench::InterleavedRuns runs;
    std::vector<std::pair<int, int>> sides; // program and floor run of each file
    for (const int size : sizes) {
        batches.push_back(std::make_unique<Batch>(size));
        Batch& batch = *batches.back();
        QString error;
        if (!batch.open(&error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        const int program = runs.add([&batch] { return batch.program(); });
        const int floor = runs.add([&batch] { return batch.floor(); });
        sides.emplace_back(program, floor);
        runs.settle(sides.back().first, sides.back().second);
    }
    const int small = sides.front().first;
    const int large = sides.back().first;
    runs.settle(large, small);
    if (!runs.measure({15, 300}))
        return 1;

    bench::FloorComparison headline(QString{});
    std::vector<double> costs;
    for (size_t n = 0; n < batches.size(); ++n) {
        const int assessments = batches[n]->assessments();
        bench::FloorComparison comparison(
            QStringLiteral("verification, %1 assessments")
                .arg(QLocale(QLocale::English).toString(assessments)));
        comparison.take(runs, sides[n].first, sides[n].second);
        comparison.print();
        costs.push_back(comparison.programMs() * 1000 / assessments);
        std::printf("  per assessment: program %.1f us, floor %.1f us\n", costs.back(),
                    comparison.floorMs() * 1000 / assessments);
        if (assessments == 10000)
            headline = comparison;
    }
    // The ratio of the batches' times, scaled to the ratio of their costs per assessment.
    const double scale = double(sizes[0]) / sizes[2];
    const bench::InterleavedRuns::Interval range = runs.interval(large, small);
    std::printf("cost per assessment: 1,000: %.1f us, 10,000: %.1f us, 100,000: %.1f us "
                "(100,000 against 1,000: %+.0f %%, %+.0f to %+.0f %%)\n",
                costs[0], costs[1], costs[2], (runs.ratio(large, small) * scale - 1) * 100,
                (range.low * scale - 1) * 100, (range.high * scale - 1) * 100);
    headline.printHeadline();
    return 0;
}
