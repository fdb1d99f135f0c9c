#include "data/Database.h"
#include "data/DatabaseStartup.h"
#include "data/Recordset.h"
#include "support/FileSizeLimit.h"
#include "support/TempFolder.h"

#include <QtTest>

#include <csignal>

using namespace orv;

namespace {

// Environment of the child that is killed at a step of the start-up.
const char* const StopAtVariable = "ORV_STARTUP_STOP_AT";
const char* const FolderVariable = "ORV_STARTUP_FOLDER";

const QStringList StepNames = {"renamed", "compacted", "replaced"};

int runChildAndDieAt(const QString& stepName, const QString& folder)
{
    DatabaseStartup startup(folder);
    startup.setStepObserver([&](DatabaseStartup::Step step) {
        if (StepNames.at(int(step)) == stepName)
            std::raise(SIGKILL);
    });
    QString error;
    return startup.run(&error) ? 0 : 2;
}

void makeRecordFile(const QString& path, const QStringList& ids)
{
    auto db = Database::create(path);
    QVERIFY(db);
    QVERIFY(db->execute("CREATE TABLE KIHON1([ID] TEXT(20), [基準日] DATETIME, [備考] MEMO)"));
    TransactionGuard transaction(*db);
    for (const QString& id : ids)
        QVERIFY(db->execute("INSERT INTO KIHON1 VALUES(?,?,?)",
                            {id, DateValue::fromDate(QDate(2005, 8, 17)), QString(2000, 'x')}));
    QVERIFY(transaction.commit());
}

// Enough records for a file of many pages, in the order the file sorts them.
QStringList manyIds(int count = 300)
{
    QStringList ids;
    for (int i = 0; i < count; ++i)
        ids << QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0'));
    return ids;
}

QStringList idsIn(Database& db)
{
    QStringList ids;
    auto rs = db.openRecordset("SELECT * FROM KIHON1 ORDER BY [ID]");
    for (; rs && !rs->eof(); rs->moveNext())
        ids.append(rs->value("ID").toText());
    return ids;
}

QStringList idsInFile(const QString& path)
{
    auto db = Database::open(path);
    return db ? idsIn(*db) : QStringList{"(not a database)"};
}

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The journal of another record file, holding a change not yet written into it.
QString strayJournal(const test::TempFolder& folder)
{
    makeRecordFile(folder.file("other.db"), {"other"});
    auto other = Database::open(folder.file("other.db"));
    other->execute("PRAGMA wal_autocheckpoint=0");
    other->execute("DELETE FROM KIHON1");
    other->execute("INSERT INTO KIHON1([ID]) VALUES(?)", {"stale"});
    QFile::copy(folder.file("other.db-wal"), folder.file("stray-wal"));
    return folder.file("stray-wal");
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

} // namespace

class TestDatabaseStartup : public QObject
{
    Q_OBJECT

    void killChildAt(const QString& stepName, const QString& folder)
    {
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(StopAtVariable, stepName);
        environment.insert(FolderVariable, folder);
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    }

private slots:
    void normalStartCompactsAndKeepsPreviousFile()
    {
        test::TempFolder folder;
        makeRecordFile(folder.file("Orv21.db"), {"001", "002", "003"});
        makeRecordFile(folder.file("_Orv21.db"), {"old"});
        {
            auto db = Database::open(folder.file("Orv21.db"));
            QVERIFY(db->execute("DELETE FROM KIHON1 WHERE [ID]<>?", {"002"}));
        }
        const qint64 before = QFileInfo(folder.file("Orv21.db")).size();
        QString error;
        auto db = DatabaseStartup(folder.path()).run(&error);
        QVERIFY2(db, qPrintable(error));
        QCOMPARE(idsIn(*db), QStringList{"002"});
        QVERIFY(QFileInfo(folder.file("Orv21.db")).size() < before);
        QCOMPARE(idsInFile(folder.file("_Orv21.db")), QStringList{"002"});
        QVERIFY(!QFile::exists(folder.file(DatabaseStartup::CompactName)));
    }

    // A file of some megabytes, so that its copy is written in more than one piece.
    void firstStartWithoutBackup()
    {
        test::TempFolder folder;
        const QStringList ids = manyIds(1500);
        makeRecordFile(folder.file("Orv21.db"), ids);
        QString error;
        auto db = DatabaseStartup(folder.path()).run(&error);
        QVERIFY2(db, qPrintable(error));
        db.reset();
        QCOMPARE(filesIn(folder.path()), (QStringList{"Orv21.db", "_Orv21.db"}));
        QCOMPARE(idsInFile(folder.file("Orv21.db")), ids);
    }

    void backupAloneIsRecoveredAndKept()
    {
        test::TempFolder folder;
        makeRecordFile(folder.file("_Orv21.db"), {"001", "002"});
        QString error;
        auto db = DatabaseStartup(folder.path()).run(&error);
        QVERIFY2(db, qPrintable(error));
        QCOMPARE(idsIn(*db), (QStringList{"001", "002"}));
        db.reset();
        QCOMPARE(idsInFile(folder.file("_Orv21.db")), (QStringList{"001", "002"}));
    }

    // Every refusal says in Japanese what is wrong, first, offers the backup only when it is
    // sound, and leaves both files as they were.
    void refusals_data()
    {
        QTest::addColumn<QString>("database"); // what lies under the name; "" for nothing
        QTest::addColumn<QString>("backup");
        QTest::addColumn<QString>("named");
        QTest::addColumn<QString>("says");
        QTest::addColumn<bool>("offersBackup");
        const QString damaged = "は壊れているため使えません。";
        QTest::newRow("nothing at all") << ""
                                        << ""
                                        << "Orv21.db"
                                        << "が見つかりません。" << false;
        QTest::newRow("not a database") << "junk"
                                        << ""
                                        << "Orv21.db" << damaged << false;
        QTest::newRow("not a database beside a backup") << "junk"
                                                        << "db"
                                                        << "Orv21.db" << damaged << true;
        QTest::newRow("empty file") << "empty"
                                    << "db"
                                    << "Orv21.db" << damaged << true;
        QTest::newRow("cut short") << "cut"
                                   << "db"
                                   << "Orv21.db" << damaged << true;
        QTest::newRow("pages overwritten") << "overwritten"
                                           << "db"
                                           << "Orv21.db" << damaged << true;
        QTest::newRow("backup damaged too") << "overwritten"
                                            << "cut"
                                            << "Orv21.db" << damaged << false;
        QTest::newRow("backup alone not a database") << ""
                                                     << "junk"
                                                     << "_Orv21.db" << damaged << false;
        QTest::newRow("a folder by its name") << "folder"
                                              << "db"
                                              << "Orv21.db"
                                              << "はファイルではありません" << true;
        QTest::newRow("in use elsewhere") << "in use"
                                          << "db"
                                          << "Orv21.db"
                                          << "はほかのプログラムが使用中です。" << false;
    }

    void refusals()
    {
        QFETCH(QString, database);
        QFETCH(QString, backup);
        QFETCH(QString, named);
        QFETCH(QString, says);
        QFETCH(bool, offersBackup);
        test::TempFolder folder;
        std::unique_ptr<Database> elsewhere;
        const auto place = [&](const QString& kind, const QString& name) {
            const QString path = folder.file(name);
            if (kind == "junk") {
                folder.write(name, QByteArray("Standard Jet DB").repeated(300));
            } else if (kind == "empty") {
                folder.write(name, QByteArray());
            } else if (kind == "folder") {
                QDir().mkpath(path);
            } else if (!kind.isEmpty()) {
                makeRecordFile(path, manyIds());
                QFile file(path);
                if (kind == "cut") {
                    QVERIFY(file.resize(file.size() / 2));
                } else if (kind == "overwritten") {
                    QVERIFY(file.open(QIODevice::ReadWrite));
                    QVERIFY(file.seek(file.size() / 2));
                    file.write(QByteArray(8192, '\xff'));
                } else if (kind == "in use") {
                    elsewhere = Database::open(path);
                }
            }
        };
        place(database, "Orv21.db");
        place(backup, "_Orv21.db");
        const QStringList files = filesIn(folder.path());
        const QByteArray databaseBytes = contentOf(folder.file("Orv21.db"));
        const QByteArray backupBytes = contentOf(folder.file("_Orv21.db"));

        QString error;
        QVERIFY(!DatabaseStartup(folder.path()).run(&error));
        const QString firstLine = error.section('\n', 0, 0);
        QVERIFY2(firstLine.contains(folder.file(named)) && firstLine.contains(says),
                 qPrintable(error));
        QCOMPARE(error.contains("'_Orv21.db' に、最後に起動した時点のデータが残っています。"),
                 offersBackup);
        QCOMPARE(filesIn(folder.path()), files);
        QCOMPARE(contentOf(folder.file("Orv21.db")), databaseBytes);
        QCOMPARE(contentOf(folder.file("_Orv21.db")), backupBytes);
    }

    void crashAtAStepLosesNothing_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<QStringList>("filesAfterCrash");
        QTest::newRow("after the rename") << "renamed" << QStringList{"_Orv21.db"};
        QTest::newRow("after the copy")
            << "compacted" << QStringList{"Orv21.db.compact", "_Orv21.db"};
        QTest::newRow("after the copy took its name")
            << "replaced" << QStringList{"Orv21.db", "_Orv21.db"};
    }

    void crashAtAStepLosesNothing()
    {
        QFETCH(QString, step);
        QFETCH(QStringList, filesAfterCrash);
        test::TempFolder folder;
        makeRecordFile(folder.file("Orv21.db"), {"001", "002"});
        makeRecordFile(folder.file("_Orv21.db"), {"old"});
        killChildAt(step, folder.path());
        QCOMPARE(filesIn(folder.path()), filesAfterCrash);

        QString error;
        auto db = DatabaseStartup(folder.path()).run(&error);
        QVERIFY2(db, qPrintable(error));
        QCOMPARE(idsIn(*db), (QStringList{"001", "002"}));
        db.reset();
        QCOMPARE(filesIn(folder.path()), (QStringList{"Orv21.db", "_Orv21.db"}));
        QCOMPARE(idsInFile(folder.file("_Orv21.db")), (QStringList{"001", "002"}));
    }

    // A compaction that fails (its target name taken by a folder, or a full disk) is reported
    // naming the copy that could not be written, and leaves the data under its own name.
    void failedCompactionPutsTheOnlyCopyBack_data()
    {
        QTest::addColumn<bool>("fromBackup");
        QTest::addColumn<bool>("diskFull");
        QTest::addColumn<QString>("says");
        const QString notAFile = "はファイルではありません";
        const QString full = "ディスクの空き容量が足りないため";
        QTest::newRow("normal start, folder in the way") << false << false << notAFile;
        QTest::newRow("backup alone, folder in the way") << true << false << notAFile;
        QTest::newRow("normal start, disk full") << false << true << full;
        QTest::newRow("backup alone, disk full") << true << true << full;
    }

    void failedCompactionPutsTheOnlyCopyBack()
    {
        QFETCH(bool, fromBackup);
        QFETCH(bool, diskFull);
        QFETCH(QString, says);
        test::TempFolder folder;
        const QStringList ids = manyIds();
        makeRecordFile(folder.file(fromBackup ? "_Orv21.db" : "Orv21.db"), ids);
        QString error;
        if (diskFull) {
            // No file may grow past 40 kB: room for the shared-memory file, not for the copy.
            const test::FileSizeLimit limit(40000);
            QVERIFY(!DatabaseStartup(folder.path()).run(&error));
        } else {
            QVERIFY(QDir(folder.path()).mkpath(DatabaseStartup::CompactName + "/in-the-way"));
            QVERIFY(!DatabaseStartup(folder.path()).run(&error));
            QVERIFY(QDir(folder.file(DatabaseStartup::CompactName)).removeRecursively());
        }
        const QString firstLine = error.section('\n', 0, 0);
        QVERIFY2(firstLine.contains(folder.file(DatabaseStartup::CompactName)) &&
                     firstLine.contains(says),
                 qPrintable(error));
        QCOMPARE(filesIn(folder.path()), QStringList{"Orv21.db"});
        QCOMPARE(idsInFile(folder.file("Orv21.db")), ids);

        // Once the way is clear the next start goes through.
        auto db = DatabaseStartup(folder.path()).run(&error);
        QVERIFY2(db, qPrintable(error));
        QCOMPARE(idsIn(*db).size(), ids.size());
    }

    // The same for a journal by the new file's name when only the backup is left.
    void staleJournalBesideTheNewFileIsRemoved()
    {
        test::TempFolder folder;
        makeRecordFile(folder.file("_Orv21.db"), {"001"});
        QVERIFY(QFile::copy(strayJournal(folder), folder.file("Orv21.db-wal")));
        QString error;
        auto db = DatabaseStartup(folder.path()).run(&error);
        QVERIFY2(db, qPrintable(error));
        QCOMPARE(idsIn(*db), QStringList{"001"});
    }

    void staleJournalOfOldBackupIsRemoved()
    {
        test::TempFolder folder;
        makeRecordFile(folder.file("Orv21.db"), {"001"});
        // A journal left by another file of the backup's name would be replayed into it.
        QVERIFY(QFile::copy(strayJournal(folder), folder.file("_Orv21.db-wal")));
        QString error;
        auto db = DatabaseStartup(folder.path()).run(&error);
        QVERIFY2(db, qPrintable(error));
        db.reset();
        QCOMPARE(idsInFile(folder.file("_Orv21.db")), QStringList{"001"});
    }
};

int main(int argc, char** argv)
{
    const QString stopAt = qEnvironmentVariable(StopAtVariable);
    if (!stopAt.isEmpty())
        return runChildAndDieAt(stopAt, qEnvironmentVariable(FolderVariable));
    QCoreApplication app(argc, argv);
    TestDatabaseStartup test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_databasestartup.moc"
