#include "data/Database.h"
#include "data/DatabaseStartup.h"
#include "data/Recordset.h"
#include "support/FileSizeLimit.h"
#include "support/HoldingChild.h"
#include "support/ImmutableFlag.h"
#include "support/OtherUser.h"
#include "support/ScratchMount.h"
#include "support/TempFolder.h"

#include <sqlite3.h>

#include <QtTest>

#include <csignal>

using namespace orv;

namespace {

// Environment of the child that is killed at a step of the start-up.
const char* const StopAtVariable = "ORV_STARTUP_STOP_AT";
const char* const FolderVariable = "ORV_STARTUP_FOLDER";

const QStringList StepNames = {"compacted", "renamed", "replaced"};

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

// An index entry whose row is gone, which the quick check does not see.
void breakAnIndex(const QString& path)
{
    sqlite3* db = nullptr;
    QVERIFY(sqlite3_open(QFile::encodeName(path).constData(), &db) == SQLITE_OK);
    const char* steps[] = {
        "CREATE INDEX byId ON KIHON1([ID])",
        "PRAGMA writable_schema=ON",
        "UPDATE sqlite_schema SET sql='CREATE INDEX byId ON KIHON1([ID]) WHERE 0' WHERE "
        "name='byId'",
        "PRAGMA writable_schema=OFF",
    };
    for (const char* step : steps)
        QVERIFY(sqlite3_exec(db, step, nullptr, nullptr, nullptr) == SQLITE_OK);
    sqlite3_close(db);
    QVERIFY(sqlite3_open(QFile::encodeName(path).constData(), &db) == SQLITE_OK);
    const char* after[] = {
        "DELETE FROM KIHON1 WHERE [ID]='0005'",
        "PRAGMA writable_schema=ON",
        "UPDATE sqlite_schema SET sql='CREATE INDEX byId ON KIHON1([ID])' WHERE name='byId'",
        "PRAGMA writable_schema=OFF",
    };
    for (const char* step : after)
        QVERIFY(sqlite3_exec(db, step, nullptr, nullptr, nullptr) == SQLITE_OK);
    sqlite3_close(db);
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

} // namespace

Q_DECLARE_METATYPE(orv::test::HoldingChild::Hold)

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
    }

    void refusals()
    {
        QFETCH(QString, database);
        QFETCH(QString, backup);
        QFETCH(QString, named);
        QFETCH(QString, says);
        QFETCH(bool, offersBackup);
        test::TempFolder folder;
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
        QTest::newRow("after the copy")
            << "compacted" << QStringList{"Orv21.db", "Orv21.db.compact", "_Orv21.db"};
        QTest::newRow("after the rename")
            << "renamed" << QStringList{"Orv21.db.compact", "_Orv21.db"};
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

    // A start that cannot make or write its sound copy says why, naming the right file, and
    // leaves every file as it was: the previous backup above all.
    void aFailedCopyKeepsEveryFile_data()
    {
        QTest::addColumn<bool>("fromBackup");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("named");
        QTest::addColumn<QString>("says");
        const QString notAFile = "はファイルではありません";
        const QString full = "ディスクの空き容量が足りないため";
        const QString damaged = "は壊れているため使えません。";
        for (const bool fromBackup : {false, true}) {
            const QString source = fromBackup ? "_Orv21.db" : "Orv21.db";
            const char* start = fromBackup ? "backup alone, " : "normal start, ";
            QTest::addRow("%sfolder in the way", start)
                << fromBackup << "folder" << DatabaseStartup::CompactName << notAFile;
            QTest::addRow("%sfile size limit", start)
                << fromBackup << "limit" << DatabaseStartup::CompactName << full;
            QTest::addRow("%ssmall file system", start)
                << fromBackup << "small" << DatabaseStartup::CompactName << full;
            QTest::addRow("%sindex entry without its row", start)
                << fromBackup << "index" << source << damaged;
        }
    }

    void aFailedCopyKeepsEveryFile()
    {
        QFETCH(bool, fromBackup);
        QFETCH(QString, fault);
        QFETCH(QString, named);
        QFETCH(QString, says);
        test::TempFolder scratch;
        std::unique_ptr<test::ScratchMount> small;
        QString folder = scratch.path();
        if (fault == "small") {
            small = std::make_unique<test::ScratchMount>(1 << 20);
            if (!small->mounted())
                QSKIP("no right to mount a file system here");
            folder = small->path();
        }
        const auto path = [&](const QString& name) { return QDir(folder).filePath(name); };
        // About 700 kB: one copy fits on the small file system, two do not. Made beside it and
        // copied in, as the journal of their making would not fit.
        const QStringList ids = manyIds(300);
        const QString sourceName = fromBackup ? "_Orv21.db" : "Orv21.db";
        QVERIFY(QDir().mkpath(scratch.file("made")));
        makeRecordFile(scratch.file("made/" + sourceName), ids);
        if (fault == "index")
            breakAnIndex(scratch.file("made/" + sourceName));
        if (!fromBackup)
            makeRecordFile(scratch.file("made/_Orv21.db"), {"old"});
        for (const QString& name : QDir(scratch.file("made")).entryList(QDir::Files))
            QVERIFY(QFile::copy(scratch.file("made/" + name), path(name)));
        QVERIFY(QDir(scratch.file("made")).removeRecursively());
        if (fault == "folder")
            QVERIFY(QDir(folder).mkpath(DatabaseStartup::CompactName + "/in-the-way"));
        const QStringList files = filesIn(folder);
        const QByteArray databaseBytes = contentOf(path("Orv21.db"));
        const QByteArray backupBytes = contentOf(path("_Orv21.db"));

        QString error;
        {
            std::unique_ptr<test::FileSizeLimit> limit;
            if (fault == "limit")
                limit = std::make_unique<test::FileSizeLimit>(200000);
            QVERIFY(!DatabaseStartup(folder).run(&error));
        }
        const QString firstLine = error.section('\n', 0, 0);
        QVERIFY2(firstLine.contains("'" + path(named) + "'") && firstLine.contains(says),
                 qPrintable(error));
        QVERIFY2(!error.contains("もう一度操作してください"), qPrintable(error));
        QCOMPARE(filesIn(folder), files);
        QCOMPARE(contentOf(path("Orv21.db")), databaseBytes);
        QCOMPARE(contentOf(path("_Orv21.db")), backupBytes);
        if (fault == "folder") {
            // Once the way is clear the next start goes through.
            QVERIFY(QDir(path(DatabaseStartup::CompactName)).removeRecursively());
            auto db = DatabaseStartup(folder).run(&error);
            QVERIFY2(db, qPrintable(error));
            QCOMPARE(idsIn(*db), ids);
        }
    }

    // Start after start, the program's own connections never leave the file looking used.
    void manyStartsInARowAreNeverRefused()
    {
        test::TempFolder folder;
        makeRecordFile(folder.file("Orv21.db"), {"001", "002"});
        for (int start = 1; start <= 500; ++start) {
            QString error;
            auto db = DatabaseStartup(folder.path()).run(&error);
            QVERIFY2(db, qPrintable(QStringLiteral("start %1: %2").arg(start).arg(error)));
            QVERIFY(db->execute("UPDATE KIHON1 SET [備考]=? WHERE [ID]=?",
                                {QString::number(start), "001"}));
        }
        QCOMPARE(filesIn(folder.path()), (QStringList{"Orv21.db", "_Orv21.db"}));
    }

    // Only another process that has the file open refuses the start, however it holds it.
    void anotherProcessHoldingTheFileRefuses_data()
    {
        QTest::addColumn<test::HoldingChild::Hold>("hold");
        QTest::newRow("idle connection") << test::HoldingChild::Hold::Idle;
        QTest::newRow("open read") << test::HoldingChild::Hold::Reading;
        QTest::newRow("open write") << test::HoldingChild::Hold::Writing;
    }

    void anotherProcessHoldingTheFileRefuses()
    {
        QFETCH(test::HoldingChild::Hold, hold);
        test::TempFolder folder;
        makeRecordFile(folder.file("Orv21.db"), {"001"});
        makeRecordFile(folder.file("_Orv21.db"), {"old"});
        QString error;
        {
            const test::HoldingChild holder(
                test::HoldingChild::recordFile(folder.file("Orv21.db"), hold));
            QVERIFY(holder.holds());
            const QStringList files = filesIn(folder.path());
            const QByteArray backupBytes = contentOf(folder.file("_Orv21.db"));
            QVERIFY(!DatabaseStartup(folder.path()).run(&error));
            QVERIFY2(error.section('\n', 0, 0) ==
                         QStringLiteral("'%1' はほかのプログラムが使用中です。"
                                        "そのプログラムを終了してから、もう一度起動してください。")
                             .arg(folder.file("Orv21.db")),
                     qPrintable(error));
            QVERIFY2(error.contains(QString::number(holder.pid())), qPrintable(error));
            QCOMPARE(filesIn(folder.path()), files);
            QCOMPARE(contentOf(folder.file("_Orv21.db")), backupBytes);
        }
        auto db = DatabaseStartup(folder.path()).run(&error);
        QVERIFY2(db, qPrintable(error));
        QCOMPARE(idsIn(*db), QStringList{"001"});
    }

    // A file marked read-only (copied from a CD) is named as such, and the failed start leaves
    // nothing behind that would lock the user out once the mark is taken off.
    void aReadOnlyFileIsNamedAndLeavesNothingBehind()
    {
        test::TempFolder folder;
        makeRecordFile(folder.file("Orv21.db"), {"001"});
        QFile database(folder.file("Orv21.db"));
        const QFileDevice::Permissions writable = database.permissions();
        QVERIFY(database.setPermissions(QFileDevice::ReadOwner | QFileDevice::ReadGroup |
                                        QFileDevice::ReadOther));
        QString error;
        QVERIFY(!DatabaseStartup(folder.path()).run(&error));
        QVERIFY2(
            error.startsWith(QStringLiteral("'%1' は読み取り専用のファイルなので、書き込めません。")
                                 .arg(folder.file("Orv21.db"))) &&
                error.contains("書き込みを許可してから、もう一度起動してください。"),
            qPrintable(error));
        QCOMPARE(filesIn(folder.path()), QStringList{"Orv21.db"});
        QVERIFY(database.setPermissions(writable));
        auto db = DatabaseStartup(folder.path()).run(&error);
        QVERIFY2(db, qPrintable(error));
    }

    // What an earlier failed start on a read-only file left (an empty journal and a shared
    // memory file, both read-only) does not lock a user out once the file is writable again.
    void readOnlyLeftoversOfAnEarlierStartAreCleared()
    {
        if (!test::OtherUser::available())
            QSKIP("needs the administrator, to start as another user");
        test::TempFolder folder;
        makeRecordFile(folder.file("Orv21.db"), {"001"});
        const QFileDevice::Permissions readOnly =
            QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
        for (const char* side : {"Orv21.db-wal", "Orv21.db-shm"}) {
            folder.write(side, QByteArray());
            QVERIFY(QFile::setPermissions(folder.file(side), readOnly));
        }
        QVERIFY(test::OtherUser::hand(folder.path()));
        const QByteArray outcome = test::OtherUser::run([&] {
            QString error;
            auto db = DatabaseStartup(folder.path()).run(&error);
            return db ? QByteArray("started") : error.toUtf8();
        });
        QCOMPARE(QString::fromUtf8(outcome), QStringLiteral("started"));
        QCOMPARE(filesIn(folder.path()), (QStringList{"Orv21.db", "_Orv21.db"}));
        QCOMPARE(idsInFile(folder.file("Orv21.db")), QStringList{"001"});
    }

    // Each fault of the folder gets its own box, naming what is wrong, and touches nothing.
    void eachFaultOfTheFolderIsNamed_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("named"); // "" for the folder itself
        QTest::addColumn<QString>("says");
        QTest::newRow("read-only drive")
            << "read-only drive"
            << ""
            << "は読み取り専用の場所（CD "
               "や読み取り専用でつないだドライブなど）にあるため、書き込めません。";
        QTest::newRow("unchangeable folder")
            << "unchangeable folder"
            << ""
            << "は変更できないように設定されています（変更不可の属性）。その設定を外してから、"
               "もう一度起動してください。";
        QTest::newRow("backup is a folder")
            << "_Orv21.db"
            << "_Orv21.db"
            << "はファイルではありません（同じ名前のフォルダーなどがあります）。";
        QTest::newRow("journal is a folder")
            << "Orv21.db-wal"
            << "Orv21.db-wal"
            << "はファイルではありません（同じ名前のフォルダーなどがあります）。";
        QTest::newRow("shared memory is a folder")
            << "Orv21.db-shm"
            << "Orv21.db-shm"
            << "はファイルではありません（同じ名前のフォルダーなどがあります）。";
    }

    void eachFaultOfTheFolderIsNamed()
    {
        QFETCH(QString, fault);
        QFETCH(QString, named);
        QFETCH(QString, says);
        test::ScratchMount drive(4 << 20);
        test::TempFolder scratch;
        const QString folder = fault == "read-only drive" ? drive.path() : scratch.path();
        if (fault == "read-only drive" && !drive.mounted())
            QSKIP("no right to mount a file system here");
        makeRecordFile(QDir(folder).filePath("Orv21.db"), {"001"});
        makeRecordFile(QDir(folder).filePath("_Orv21.db"), {"old"});
        std::unique_ptr<test::ImmutableFlag> unchangeable;
        if (fault == "read-only drive") {
            QVERIFY(drive.makeReadOnly());
        } else if (fault == "unchangeable folder") {
            unchangeable = std::make_unique<test::ImmutableFlag>(folder);
            if (!unchangeable->set())
                QSKIP("no right to mark a folder unchangeable here");
        } else {
            QFile::remove(QDir(folder).filePath(named));
            QVERIFY(QDir(folder).mkpath(named + "/inside"));
        }
        const QStringList files = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        const QByteArray databaseBytes = contentOf(QDir(folder).filePath("Orv21.db"));
        QString error;
        QVERIFY(!DatabaseStartup(folder).run(&error));
        const QString expected =
            "'" + (named.isEmpty() ? folder : QDir(folder).filePath(named)) + "' " + says;
        QVERIFY2(error.startsWith(expected), qPrintable(error));
        QVERIFY2(!error.contains("_Orv21.db' に、最後に起動した時点のデータ"), qPrintable(error));
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), files);
        QCOMPARE(contentOf(QDir(folder).filePath("Orv21.db")), databaseBytes);
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
