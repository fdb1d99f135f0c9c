// Verification mode over 10,000 assessments, against the floor of reading the 16 section rows
// A to P of every assessment with plain sqlite3 prepared statements.

#include "common/MessageBoxService.h"
#include "data/AppState.h"
#include "data/Database.h"
#include "data/SchemaBuilder.h"
#include "rap/TriggerRuleTable.h"
#include "rap/VerificationMode.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstdio>

using namespace orv;

namespace {

constexpr int Assessments = 10000;
constexpr int DatesPerResident = 3;

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

QString sectionTable(char letter)
{
    return QString(QChar::fromLatin1(letter));
}

bool run(Database& db, const QString& sql, const QVector<Value>& params = {})
{
    QString error;
    if (db.execute(sql, params, &error))
        return true;
    std::fprintf(stderr, "%s: %s\n", qPrintable(sql), qPrintable(error));
    return false;
}

bool fillAssessments(Database& db)
{
    const TriggerRuleTable& rules = TriggerRuleTable::instance();
    QRandomGenerator random(20050817);
    TransactionGuard transaction(db);
    for (int i = 0; i < Assessments; ++i) {
        const QString id = QStringLiteral("R%1").arg(i / DatesPerResident, 5, 10, QLatin1Char('0'));
        const QString date =
            QDate(2005, 1, 1).addDays(90 * (i % DatesPerResident)).toString("yyyy-MM-dd");
        for (char letter = 'A'; letter <= 'P'; ++letter) {
            const QString table = sectionTable(letter);
            QStringList columns = {"[ID]", "[基準日]"};
            QVector<Value> values = {id, date};
            if (table == "A") {
                columns << "[A1-1]"
                        << "[A1-2]";
                values << QStringLiteral("山田") << QStringLiteral("花子%1").arg(i);
            }
            for (const QString& column : rules.columnsOf(table)) {
                columns << QStringLiteral("[%1]").arg(column);
                const int draw = random.bounded(10);
                values << (draw == 0 ? Value() : Value(draw < 6 ? 0 : draw - 5));
            }
            const QString sql =
                QStringLiteral("INSERT INTO [%1] (%2) VALUES (%3)")
                    .arg(table, columns.join(','), QStringList(columns.size(), "?").join(','));
            if (!run(db, sql, values))
                return false;
        }
    }
    return transaction.commit();
}

// Reads every column of the 16 section rows of every assessment.
double readFloor(const QString& path, qint64* checksum)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    QVector<QPair<QByteArray, QByteArray>> keys;
    sqlite3_stmt* list = nullptr;
    sqlite3_prepare_v2(db, "SELECT [ID],[基準日] FROM [A]", -1, &list, nullptr);
    while (sqlite3_step(list) == SQLITE_ROW)
        keys.append(
            qMakePair(QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(list, 0))),
                      QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(list, 1)))));
    sqlite3_finalize(list);

    QVector<sqlite3_stmt*> sections;
    for (char letter = 'A'; letter <= 'P'; ++letter) {
        sqlite3_stmt* statement = nullptr;
        const QByteArray sql =
            QStringLiteral("SELECT * FROM [%1] WHERE [ID]=? AND [基準日]=?").arg(letter).toUtf8();
        sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr);
        sections << statement;
    }
    QElapsedTimer timer;
    timer.start();
    *checksum = 0;
    for (const auto& key : keys) {
        for (sqlite3_stmt* statement : sections) {
            sqlite3_bind_text(statement, 1, key.first.constData(), int(key.first.size()),
                              SQLITE_STATIC);
            sqlite3_bind_text(statement, 2, key.second.constData(), int(key.second.size()),
                              SQLITE_STATIC);
            if (sqlite3_step(statement) == SQLITE_ROW) {
                for (int c = 0; c < sqlite3_column_count(statement); ++c)
                    *checksum += sqlite3_column_int64(statement, c);
            }
            sqlite3_reset(statement);
        }
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    for (sqlite3_stmt* statement : sections)
        sqlite3_finalize(statement);
    sqlite3_close(db);
    return seconds;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath("Orv21.db");
    {
        QString error;
        std::unique_ptr<Database> db;
        if (SchemaBuilder().createFile(path, &error))
            db = Database::open(path, &error);
        if (!db || !fillAssessments(*db)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
    }
    std::printf("assessments: %d, the program's schema, 16 section rows each\n", Assessments);

    qint64 checksum = 0;
    readFloor(path, &checksum); // warms the file cache
    const double floor = readFloor(path, &checksum);
    std::printf("floor, plain sqlite3 reads of the 16 rows: %.3f s\n", floor);

    AppState state;
    CountingBoxes boxes;
    state.msg = &boxes;
    state.Db = Database::open(path);
    if (!state.Db)
        return 1;
    QElapsedTimer timer;
    timer.start();
    VerificationMode(state).KenteiMode();
    const double total = timer.nsecsElapsed() / 1e9;

    int rapRows = 0;
    sqlite3_stmt* count = nullptr;
    sqlite3_prepare_v2(state.Db->handle(), "SELECT count(*) FROM [RAP]", -1, &count, nullptr);
    if (sqlite3_step(count) == SQLITE_ROW)
        rapRows = sqlite3_column_int(count, 0);
    sqlite3_finalize(count);

    std::printf("verification mode: %.3f s (%.1f us per assessment), %d RAP rows, %d boxes, "
                "last \"%s\"\n",
                total, total * 1e6 / Assessments, rapRows, boxes.count,
                boxes.last.toUtf8().constData());
    std::printf("ratio to the floor: %.2f (aim: 3 or less)\n", total / floor);
    return rapRows == Assessments ? 0 : 1;
}
