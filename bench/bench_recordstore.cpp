#include "BenchRecordFile.h"
#include "data/Recordset.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <sqlite3.h>

using namespace orv;

namespace {

constexpr int Rounds = 2000;
const QString RowOfAssessment = QStringLiteral("SELECT * FROM [%1] WHERE [ID]=? AND [基準日]=?");

// The sections the trigger rules read.
QStringList sectionsBToP()
{
    return bench::sectionTables('B', 'P');
}

// Every column of the row through the layer, as the RAP run reads them.
qint64 readThroughLayer(Database& db, const QString& id, const DateValue& date)
{
    qint64 sum = 0;
    for (const QString& table : sectionsBToP()) {
        auto rs = db.openRecordset(RowOfAssessment.arg(table), {id, date});
        for (int i = 0; i < rs->fieldCount(); ++i) {
            const Value value = rs->value(i);
            sum += !value.isNull();
        }
    }
    return sum;
}

// The same reads with statements prepared once.
class PlainReader
{
public:
    explicit PlainReader(sqlite3* handle)
    {
        for (const QString& table : sectionsBToP()) {
            sqlite3_stmt* statement = nullptr;
            sqlite3_prepare_v3(handle, RowOfAssessment.arg(table).toUtf8().constData(), -1,
                               SQLITE_PREPARE_PERSISTENT, &statement, nullptr);
            m_statements.append(statement);
        }
    }
    ~PlainReader()
    {
        for (sqlite3_stmt* statement : m_statements)
            sqlite3_finalize(statement);
    }

    qint64 read(const QString& id, const DateValue& date)
    {
        const QByteArray idText = id.toUtf8();
        const QByteArray dateText = date.date().toString(Qt::ISODate).toUtf8();
        qint64 sum = 0;
        for (sqlite3_stmt* statement : m_statements) {
            sqlite3_bind_text(statement, 1, idText.constData(), int(idText.size()), SQLITE_STATIC);
            sqlite3_bind_text(statement, 2, dateText.constData(), int(dateText.size()),
                              SQLITE_STATIC);
            while (sqlite3_step(statement) == SQLITE_ROW) {
                for (int i = 0; i < sqlite3_column_count(statement); ++i) {
                    switch (sqlite3_column_type(statement, i)) {
                    case SQLITE_INTEGER:
                        sum += sqlite3_column_int64(statement, i) != -1;
                        break;
                    case SQLITE_FLOAT:
                        sum += sqlite3_column_double(statement, i) != -1.0;
                        break;
                    case SQLITE_TEXT:
                        sum += !QString::fromUtf8(reinterpret_cast<const char*>(
                                                      sqlite3_column_text(statement, i)),
                                                  sqlite3_column_bytes(statement, i))
                                    .isNull();
                        break;
                    }
                }
            }
            sqlite3_reset(statement);
        }
        return sum;
    }

private:
    QVector<sqlite3_stmt*> m_statements;
};

} // namespace

// Reading the section rows B to P of one assessment: through the layer and through plain sqlite3.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int residents = argc > 1 ? QString(argv[1]).toInt() : 2000;
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Orv21.db"));
    if (!bench::buildRecordFile(path, residents, 3))
        return 1;
    auto db = Database::open(path);
    PlainReader plain(db->handle());

    QRandomGenerator random(1);
    QVector<QPair<QString, DateValue>> keys;
    for (int round = 0; round < Rounds; ++round)
        keys.append({bench::residentId(random.bounded(residents)),
                     bench::assessmentDate(random.bounded(3))});

    qint64 layerSum = 0;
    qint64 plainSum = 0;
    QElapsedTimer timer;
    for (int pass = 0; pass < 2; ++pass) { // the first pass warms the caches
        timer.start();
        for (const auto& [id, date] : keys)
            plainSum += plain.read(id, date);
        const qint64 plainNs = timer.nsecsElapsed();
        timer.restart();
        for (const auto& [id, date] : keys)
            layerSum += readThroughLayer(*db, id, date);
        const qint64 layerNs = timer.nsecsElapsed();
        if (pass == 0)
            continue;
        std::printf("%d assessments, %lld section rows B to P each, every column read\n", Rounds,
                    qint64(sectionsBToP().size()));
        std::printf("plain sqlite3: %8.1f us per assessment\n", plainNs / 1000.0 / Rounds);
        std::printf("record store:  %8.1f us per assessment\n", layerNs / 1000.0 / Rounds);
        std::printf("ratio:         %8.2f\n", double(layerNs) / double(plainNs));
    }

    // A new assessment: each section table opened by its name, one row added.
    timer.restart();
    constexpr int NewAssessments = 20;
    for (int n = 0; n < NewAssessments; ++n) {
        TransactionGuard transaction(*db);
        for (const QString& table : bench::sectionTables('A', 'R')) {
            auto rs = db->openRecordset(table);
            rs->addNew();
            rs->setValue(QStringLiteral("ID"), bench::residentId(n));
            rs->setValue(QStringLiteral("基準日"), bench::assessmentDate(10));
            rs->update();
        }
        transaction.commit();
    }
    std::printf("new assessment, 18 rows added through table recordsets: %8.1f us\n",
                timer.nsecsElapsed() / 1000.0 / NewAssessments);
    if (layerSum != plainSum)
        std::printf("the two reads differ: %lld against %lld\n", layerSum, plainSum);
    return 0;
}
