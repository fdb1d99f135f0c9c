#include "data/Database.h"
#include "data/DatabaseStartup.h"
#include "data/Recordset.h"
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
    for (const QString& id : ids)
        QVERIFY(db->execute("INSERT INTO KIHON1 VALUES(?,?,?)",
                            {id, DateValue::fromDate(QDate(2005, 8, 17)), QString(2000, 'x')}));
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

    void firstStartWithoutBackup()
    {
        test::TempFolder folder;
        makeRecordFile(folder.file("Orv21.db"), {"001"});
        QString error;
        auto db = DatabaseStartup(folder.path()).run(&error);
        QVERIFY2(db, qPrintable(error));
        db.reset();
        QCOMPARE(filesIn(folder.path()), (QStringList{"Orv21.db", "_Orv21.db"}));
        QCOMPARE(idsInFile(folder.file("Orv21.db")), QStringList{"001"});
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

    void refusals_data()
    {
        QTest::addColumn<QString>("databaseBytes"); // "" for no file
        QTest::addColumn<QString>("backupBytes");
        QTest::addColumn<QString>("named");
        QTest::newRow("nothing at all") << ""
                                        << ""
                                        << "Orv21.db";
        QTest::newRow("not a database") << "junk"
                                        << ""
                                        << "Orv21.db";
        QTest::newRow("not a database beside a backup") << "junk"
                                                        << "db"
                                                        << "Orv21.db";
        QTest::newRow("empty file") << "empty"
                                    << "db"
                                    << "Orv21.db";
        QTest::newRow("backup alone not a database") << ""
                                                     << "junk"
                                                     << "_Orv21.db";
    }

    void refusals()
    {
        QFETCH(QString, databaseBytes);
        QFETCH(QString, backupBytes);
        QFETCH(QString, named);
        test::TempFolder folder;
        const auto place = [&](const QString& kind, const QString& name) {
            if (kind == "junk")
                folder.write(name, QByteArray("Standard Jet DB").repeated(300));
            else if (kind == "empty")
                folder.write(name, QByteArray());
            else if (kind == "db")
                makeRecordFile(folder.file(name), {"001"});
        };
        place(databaseBytes, "Orv21.db");
        place(backupBytes, "_Orv21.db");
        const QStringList files = filesIn(folder.path());
        const QByteArray database = contentOf(folder.file("Orv21.db"));
        const QByteArray backup = contentOf(folder.file("_Orv21.db"));

        QString error;
        QVERIFY(!DatabaseStartup(folder.path()).run(&error));
        QVERIFY2(error.contains(QDir(folder.path()).filePath(named)), qPrintable(error));
        QCOMPARE(filesIn(folder.path()), files);
        QCOMPARE(contentOf(folder.file("Orv21.db")), database);
        QCOMPARE(contentOf(folder.file("_Orv21.db")), backup);
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

    // A compaction that fails (here: its target name is taken by a folder, as a full disk
    // would fail it) is reported and leaves the data under its own name.
    void failedCompactionPutsTheOnlyCopyBack_data()
    {
        QTest::addColumn<bool>("fromBackup");
        QTest::newRow("normal start") << false;
        QTest::newRow("backup alone") << true;
    }

    void failedCompactionPutsTheOnlyCopyBack()
    {
        QFETCH(bool, fromBackup);
        test::TempFolder folder;
        makeRecordFile(folder.file(fromBackup ? "_Orv21.db" : "Orv21.db"), {"001", "002"});
        QVERIFY(QDir(folder.path()).mkpath(DatabaseStartup::CompactName + "/in-the-way"));
        QString error;
        QVERIFY(!DatabaseStartup(folder.path()).run(&error));
        QVERIFY2(error.contains(folder.file("_Orv21.db")), qPrintable(error));
        QCOMPARE(filesIn(folder.path()), QStringList{"Orv21.db"});
        QCOMPARE(idsInFile(folder.file("Orv21.db")), (QStringList{"001", "002"}));

        // Once the way is clear the next start goes through.
        QVERIFY(QDir(folder.file(DatabaseStartup::CompactName)).removeRecursively());
        auto db = DatabaseStartup(folder.path()).run(&error);
        QVERIFY2(db, qPrintable(error));
        QCOMPARE(idsIn(*db), (QStringList{"001", "002"}));
    }

    // A damaged record file never costs the backup of the previous run.
    void damagedFileKeepsTheBackup_data()
    {
        QTest::addColumn<bool>("cutShort");
        QTest::newRow("cut short") << true;
        QTest::newRow("pages overwritten") << false;
    }

    void damagedFileKeepsTheBackup()
    {
        QFETCH(bool, cutShort);
        test::TempFolder folder;
        QStringList ids;
        for (int i = 0; i < 300; ++i)
            ids << QString::number(i);
        makeRecordFile(folder.file("Orv21.db"), ids);
        makeRecordFile(folder.file("_Orv21.db"), {"old"});
        QFile file(folder.file("Orv21.db"));
        if (cutShort) {
            QVERIFY(file.resize(file.size() / 2));
        } else {
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.seek(file.size() / 2));
            file.write(QByteArray(8192, '\xff'));
            file.close();
        }
        const QByteArray damaged = contentOf(folder.file("Orv21.db"));
        const QByteArray backup = contentOf(folder.file("_Orv21.db"));

        QString error;
        QVERIFY(!DatabaseStartup(folder.path()).run(&error));
        QVERIFY2(error.contains(folder.file("Orv21.db")), qPrintable(error));
        QCOMPARE(filesIn(folder.path()), (QStringList{"Orv21.db", "_Orv21.db"}));
        QCOMPARE(contentOf(folder.file("Orv21.db")), damaged);
        QCOMPARE(contentOf(folder.file("_Orv21.db")), backup);
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
