#include "data/Database.h"
#include "data/Recordset.h"
#include "support/ProgramCopy.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>

#include <csignal>

using namespace orv;
using test::logLines;
using test::ProgramCopy;

namespace {

const QString Ready =
    QStringLiteral("0\tOrv2.1 施設ケア アセスメント表\t次のコマンドが発行されました\\nREADY");

// Once start-up is done the menu page posts a command the program does not know; its box is
// the sign that the program is up.
const QString ReadyScript = QStringLiteral("window.status = '?READY'");

// How long the kills go on, and how long a start may take when nothing stops it.
constexpr qint64 KillingMs = 6000;
constexpr int StartTimeoutMs = 120000;

QStringList namesIn(const QString& file)
{
    QStringList names;
    auto db = Database::open(file);
    auto rs =
        db ? db->openRecordset(QStringLiteral("SELECT * FROM [旅の印] ORDER BY [名前]")) : nullptr;
    for (; rs && !rs->eof(); rs->moveNext())
        names << rs->value(QStringLiteral("名前")).toText();
    return names;
}

} // namespace

// The real program killed again and again at random moments of its start-up: no kill locks the
// next start out or costs a record.
class TestStartupKills : public QObject
{
    Q_OBJECT

    // A start that runs to the menu; the time it took in milliseconds, or -1.
    qint64 startToTheMenu(ProgramCopy& copy, const QString& name)
    {
        QProcess program;
        QElapsedTimer clock;
        clock.start();
        const QString log = copy.start(program, name, "", ReadyScript);
        if (!program.waitForStarted())
            return -1;
        const bool up = QTest::qWaitFor(
            [&] { return !logLines(log).isEmpty() || program.state() == QProcess::NotRunning; },
            StartTimeoutMs);
        const qint64 took = clock.elapsed();
        const QStringList lines = logLines(log);
        program.kill();
        program.waitForFinished();
        if (!up || lines != QStringList{Ready}) {
            qWarning() << name << "did not come up:" << lines;
            return -1;
        }
        return took;
    }

private slots:
    void everyStartAfterAKillSucceedsWithEveryRecord()
    {
        ProgramCopy copy;
        {
            auto db = Database::open(copy.file(QStringLiteral("Orv21.db")));
            QVERIFY(db);
            TransactionGuard transaction(*db);
            for (int i = 0; i < 2000; ++i)
                QVERIFY(db->execute(
                    QStringLiteral("INSERT INTO [旅の印] VALUES (?)"),
                    {Value(QStringLiteral("利用者%1").arg(i, 4, 10, QLatin1Char('0')))}));
            QVERIFY(transaction.commit());
        }
        const QStringList records = namesIn(copy.file(QStringLiteral("Orv21.db")));
        QCOMPARE(records.size(), 2001);

        const qint64 span = startToTheMenu(copy, QStringLiteral("undisturbed"));
        QVERIFY(span > 0);

        const quint32 seed = QRandomGenerator::global()->generate();
        qInfo("seed %u, start-up %lld ms", seed, span);
        QRandomGenerator random(seed);
        QElapsedTimer killing;
        killing.start();
        int kills = 0;
        while (killing.elapsed() < KillingMs) {
            QProcess program;
            const QString log =
                copy.start(program, QStringLiteral("kill%1").arg(kills), "", ReadyScript);
            QVERIFY(program.waitForStarted());
            // Most kills early, where the record files are moved, the rest anywhere up to the
            // menu.
            const double u = random.generateDouble();
            const int delay = int(u * u * double(span) * 1.2);
            const bool endedByItself = program.waitForFinished(delay);
            QVERIFY2(!endedByItself, qPrintable(QStringLiteral("start %1 ended by itself: %2")
                                                    .arg(kills)
                                                    .arg(logLines(log).join(QLatin1Char('|')))));
            ::kill(pid_t(program.processId()), SIGKILL);
            QVERIFY(program.waitForFinished());
            const QStringList boxes = logLines(log);
            QVERIFY2(boxes.isEmpty() || boxes == QStringList{Ready}, qPrintable(boxes.join('|')));
            ++kills;
        }
        qInfo("%d kills", kills);

        QVERIFY(startToTheMenu(copy, QStringLiteral("after")) > 0);
        QCOMPARE(namesIn(copy.file(QStringLiteral("Orv21.db"))), records);
    }
};

QTEST_GUILESS_MAIN(TestStartupKills)
#include "tst_startupkills_web.moc"
