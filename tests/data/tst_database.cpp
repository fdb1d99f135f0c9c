#include "data/DaoType.h"
#include "data/Database.h"
#include "data/FailureMessage.h"
#include "data/Recordset.h"
#include "support/TempFolder.h"

#include <QtTest>

#include <sqlite3.h>

using namespace orv;

namespace {

const char* const Schema = R"(
CREATE TABLE _ColumnProperties(TableName TEXT NOT NULL, ColumnName TEXT NOT NULL,
    Name TEXT NOT NULL, Value TEXT, PRIMARY KEY(TableName, ColumnName, Name));
CREATE TABLE KIHON1([ID] TEXT(20) NOT NULL, [基準日] DATETIME NOT NULL, [1-1-1] TEXT(10),
    [1-1-2] TEXT(10), [1-3-1] DATETIME, [1-12] TEXT(10));
CREATE INDEX KIHON1_key ON KIHON1([ID], [基準日]);
CREATE TABLE C([ID] TEXT(20) NOT NULL, [基準日] DATETIME NOT NULL, [C1] BYTE, [C2] INTEGER,
    [C3] LONG, [C4] SINGLE, [C5] DOUBLE, [C6] TEXT(4), [C7] MEMO, [C8] LONGBINARY, [C9] DATETIME);
INSERT INTO _ColumnProperties VALUES('C', 'C1', 'Description', 'KONSUI 意識');
INSERT INTO _ColumnProperties VALUES('C', 'C1', 'DefaultValue', '0');
INSERT INTO _ColumnProperties VALUES('C', 'C9', 'FORMAT', 'yyyy/mm/dd');
)";

std::unique_ptr<Database> makeDatabase(const test::TempFolder& folder)
{
    QString error;
    auto db = Database::create(folder.file("Orv21.db"), &error);
    if (!db || !db->execute(QString::fromUtf8(Schema), {}, &error))
        qFatal("%s", qPrintable(error));
    return db;
}

DateValue day(int y, int m, int d)
{
    return DateValue::fromDate(QDate(y, m, d));
}

} // namespace

class TestDatabase : public QObject
{
    Q_OBJECT

private slots:
    void openRefusesMissingFileAndNonDatabase()
    {
        test::TempFolder folder;
        QString error;
        QVERIFY(!Database::open(folder.file("Orv21.db"), &error));
        QVERIFY(error.contains("Orv21.db"));
        QVERIFY(!QFile::exists(folder.file("Orv21.db")));
        const QString junk = folder.write("Orv21.db", QByteArray(4096, 'x'));
        QVERIFY(!Database::open(junk, &error));
        QVERIFY(error.contains("Orv21.db"));
    }

    void schemaFromDeclaredTypesAndProperties()
    {
        test::TempFolder folder;
        auto db = makeDatabase(folder);
        const TableSchema* schema = db->schema("c");
        QVERIFY(schema);
        QCOMPARE(schema->name, QString("C"));
        const QVector<int> types = {dbText,   dbDate, dbByte, dbInteger,    dbLong, dbSingle,
                                    dbDouble, dbText, dbMemo, dbLongBinary, dbDate};
        QCOMPARE(schema->columns.size(), types.size());
        for (int i = 0; i < types.size(); ++i)
            QCOMPARE(schema->columns.at(i).type, types.at(i));
        QCOMPARE(schema->columns.at(0).size, 20);
        QCOMPARE(schema->columns.at(7).size, 4);
        const ColumnInfo& c1 = schema->columns.at(2);
        QCOMPARE(c1.property("Description"), QString("KONSUI 意識"));
        QCOMPARE(c1.property("DefaultValue"), QString("0"));
        QVERIFY(!c1.hasProperty("FORMAT"));
        QCOMPARE(schema->columns.at(10).property("format"), QString("yyyy/mm/dd"));
        QVERIFY(!db->schema("NoSuchTable"));
    }

    void quotesInBoundValuesJustWork()
    {
        test::TempFolder folder;
        auto db = makeDatabase(folder);
        const QString id = "O'Brien \"1\"";
        QVERIFY(db->execute("INSERT INTO KIHON1([ID],[基準日],[1-1-1]) VALUES(?,?,?)",
                            {id, day(2005, 8, 17), "山田"}));
        auto rs = db->openRecordset("SELECT * FROM KIHON1 WHERE [ID]=? AND [基準日]=?",
                                    {id, day(2005, 8, 17)});
        QVERIFY(rs);
        QCOMPARE(rs->recordCount(), 1);
        QCOMPARE(rs->value("1-1-1"), Value("山田"));
        QCOMPARE(rs->value("基準日"), Value(day(2005, 8, 17)));
        QVERIFY(rs->isUpdatable());
        QVERIFY(db->execute("DELETE FROM KIHON1 WHERE [ID]=?", {id}));
        QCOMPARE(db->changes(), 1);
    }

    void addEditDeleteThroughRecordset()
    {
        test::TempFolder folder;
        auto db = makeDatabase(folder);
        auto rs = db->openRecordset("KIHON1");
        QVERIFY(rs);
        QCOMPARE(rs->name(), QString("KIHON1"));
        QVERIFY(rs->eof());
        for (const char* id : {"001", "002", "003"}) {
            rs->addNew();
            QVERIFY(rs->setValue("ID", id));
            QVERIFY(rs->setValue("基準日", "2005/08/17"));
            QVERIFY(rs->setValue("1-1-1", QString("姓") + id));
            QString error;
            QVERIFY2(rs->update(&error), qPrintable(error));
            QCOMPARE(rs->value("ID"), Value(id));
        }
        QCOMPARE(rs->recordCount(), 3);

        QVERIFY(rs->findFirst({{"id", "002"}, {"基準日", day(2005, 8, 17)}}));
        rs->edit();
        QVERIFY(rs->setValue("1-1-2", "花子"));
        QVERIFY(rs->update());
        QVERIFY(!rs->findFirst({{"ID", "999"}}));
        QCOMPARE(rs->value("ID"), Value("002"));

        QVERIFY(rs->deleteCurrent());
        QVERIFY(rs->value("ID").isNull());
        rs->moveNext();
        QCOMPARE(rs->value("ID"), Value("003"));
        rs->moveNext();
        QVERIFY(rs->eof());

        auto again = db->openRecordset("SELECT * FROM [KIHON1] ORDER BY [ID]");
        QVERIFY(again);
        QCOMPARE(again->recordCount(), 2);
        QCOMPARE(again->value(0), Value("001"));
        again->moveNext();
        QCOMPARE(again->value(0), Value("003"));
        QVERIFY(again->value("1-1-2").isNull());
    }

    void cancelUpdateWritesNothing()
    {
        test::TempFolder folder;
        auto db = makeDatabase(folder);
        QVERIFY(db->execute("INSERT INTO KIHON1([ID],[基準日],[1-1-1]) VALUES(?,?,?)",
                            {"001", day(2005, 8, 17), "前"}));
        auto rs = db->openRecordset("KIHON1");
        rs->edit();
        QVERIFY(rs->setValue("1-1-1", "後"));
        QCOMPARE(rs->value("1-1-1"), Value("後"));
        rs->cancelUpdate();
        QCOMPARE(rs->value("1-1-1"), Value("前"));
        QString error;
        QVERIFY(!rs->update(&error));
        QVERIFY(!error.isEmpty());
        auto check = db->openRecordset("KIHON1");
        QCOMPARE(check->value("1-1-1"), Value("前"));
    }

    void joinIsReadOnlyWithColumnFacts()
    {
        test::TempFolder folder;
        auto db = makeDatabase(folder);
        QVERIFY(db->execute("INSERT INTO KIHON1([ID],[基準日],[1-1-1]) VALUES(?,?,?)",
                            {"001", day(2005, 8, 17), "山田"}));
        QVERIFY(db->execute("INSERT INTO C([ID],[基準日],[C9]) VALUES(?,?,?)",
                            {"001", day(2006, 1, 2), day(2006, 1, 3)}));
        auto rs = db->openRecordset("SELECT K.[1-1-1], C.[基準日], C.[C9] FROM KIHON1 AS K INNER "
                                    "JOIN C ON K.[ID] = C.[ID]");
        QVERIFY(rs);
        QVERIFY(!rs->isUpdatable());
        QCOMPARE(rs->column(2).type, int(dbDate));
        QCOMPARE(rs->column(2).property("FORMAT"), QString("yyyy/mm/dd"));
        QCOMPARE(rs->value("C9"), Value(day(2006, 1, 3)));
        QCOMPARE(rs->value(0), Value("山田"));
        rs->edit();
        QString error;
        QVERIFY(!rs->setValue(0, "x", &error));
        QVERIFY(!rs->deleteCurrent(&error));
    }

    void badSqlReportsError()
    {
        test::TempFolder folder;
        auto db = makeDatabase(folder);
        QString error;
        QVERIFY(!db->openRecordset("NoSuchTable", {}, &error));
        QVERIFY(error.contains("NoSuchTable"));
        QVERIFY(!db->execute("DELETE FROM Nothing WHERE x=?", {1}, &error));
        QVERIFY(!error.isEmpty());
    }

    void transactionsNestAndRollBack()
    {
        test::TempFolder folder;
        auto db = makeDatabase(folder);
        {
            TransactionGuard guard(*db);
            QVERIFY(guard.ok());
            QVERIFY(db->execute("INSERT INTO KIHON1([ID],[基準日]) VALUES(?,?)",
                                {"1", day(2005, 1, 1)}));
            QVERIFY(db->begin());
            QVERIFY(db->execute("INSERT INTO KIHON1([ID],[基準日]) VALUES(?,?)",
                                {"2", day(2005, 1, 1)}));
            QVERIFY(db->rollback());
            QVERIFY(guard.commit());
        }
        {
            TransactionGuard guard(*db);
            QVERIFY(db->execute("INSERT INTO KIHON1([ID],[基準日]) VALUES(?,?)",
                                {"3", day(2005, 1, 1)}));
        }
        auto rs = db->openRecordset("KIHON1");
        QCOMPARE(rs->recordCount(), 1);
        QCOMPARE(rs->value("ID"), Value("1"));
        QVERIFY(!db->inTransaction());
    }

    void fieldsByNameAndIndex()
    {
        test::TempFolder folder;
        auto db = makeDatabase(folder);
        QVERIFY(db->execute("INSERT INTO C([ID],[基準日],[C1]) VALUES(?,?,?)",
                            {"1", day(2005, 1, 1), 3}));
        auto rs = db->openRecordset("C");
        Field c1 = rs->field("c1");
        QVERIFY(c1.isValid());
        QCOMPARE(c1.name(), QString("C1"));
        QCOMPARE(c1.type(), int(dbByte));
        QCOMPARE(c1.property("Description"), QString("KONSUI 意識"));
        QCOMPARE(c1.value(), Value(3));
        rs->edit();
        QVERIFY(c1.setValue("4"));
        QVERIFY(rs->update());
        QCOMPARE(rs->field(2).value(), Value(4));
        QVERIFY(!rs->field("none").isValid());
    }

    void manyDifferentStatementsStayUsable()
    {
        test::TempFolder folder;
        auto db = makeDatabase(folder);
        QVERIFY(db->execute("INSERT INTO C([ID],[基準日]) VALUES(?,?)", {"1", day(2005, 1, 1)}));
        for (int i = 0; i < 500; ++i) {
            auto rs =
                db->openRecordset(QString("SELECT * FROM C WHERE [ID]=? AND %1=%1").arg(i), {"1"});
            QVERIFY(rs);
            QCOMPARE(rs->recordCount(), 1);
        }
    }

    void tableOpenedToAddShowsTheAddedRow()
    {
        test::TempFolder folder;
        auto db = makeDatabase(folder);
        QVERIFY(
            db->execute("INSERT INTO KIHON1([ID],[基準日]) VALUES(?,?)", {"1", day(2005, 1, 1)}));
        auto rs = db->openRecordset("KIHON1");
        rs->addNew();
        QVERIFY(rs->setValue("ID", "2"));
        QVERIFY(rs->setValue("基準日", day(2005, 1, 2)));
        QVERIFY(rs->update());
        QVERIFY(!rs->eof());
        QCOMPARE(rs->value("ID"), Value("2"));
        QCOMPARE(rs->recordCount(), 2);
        rs->moveNext();
        QVERIFY(rs->eof());
        rs->moveFirst();
        QCOMPARE(rs->value("ID"), Value("1"));
    }

    void largeTableReadsEveryRow()
    {
        test::TempFolder folder;
        auto db = makeDatabase(folder);
        {
            TransactionGuard transaction(*db);
            for (int i = 0; i < 700; ++i)
                QVERIFY(db->execute("INSERT INTO KIHON1([ID],[基準日],[1-1-1]) VALUES(?,?,?)",
                                    {QString::number(i), day(2005, 1, 1), QString("姓%1").arg(i)}));
            QVERIFY(transaction.commit());
        }
        auto rs = db->openRecordset("KIHON1");
        int count = 0;
        for (; !rs->eof(); rs->moveNext(), ++count)
            QCOMPARE(rs->value("1-1-1"), Value(QString("姓%1").arg(count)));
        QCOMPARE(count, 700);
        QVERIFY(rs->findFirst({{"ID", "650"}}));
        rs->edit();
        QVERIFY(rs->setValue("1-1-2", "花子"));
        QVERIFY(rs->update());
        auto check = db->openRecordset("SELECT * FROM KIHON1 WHERE [ID]=?", {"650"});
        QCOMPARE(check->value("1-1-1"), Value("姓650"));
        QCOMPARE(check->value("1-1-2"), Value("花子"));
    }

    void tablesChangedByAnotherConnectionAreSeen()
    {
        test::TempFolder folder;
        auto db = makeDatabase(folder);
        QVERIFY(db->schema("KIHON1"));
        QVERIFY(!db->openRecordset("SELECT * FROM NewTable WHERE [ID]=?", {"1"}));
        auto other = Database::open(db->path());
        QVERIFY(other->execute("CREATE TABLE NewTable([ID] TEXT(5))"));
        QVERIFY(other->execute("ALTER TABLE KIHON1 ADD COLUMN [1-99] BYTE"));
        auto rs = db->openRecordset("SELECT * FROM NewTable WHERE [ID]=?", {"1"});
        QVERIFY(rs);
        QVERIFY(rs->isUpdatable());
        QCOMPARE(db->schema("KIHON1")->columns.last().type, int(dbByte));

        // Connections share what they read of a table; a property changed through one is
        // read afresh by the others and by a connection opened later.
        QCOMPARE(db->schema("C")->columns.last().property("FORMAT"), QStringLiteral("yyyy/mm/dd"));
        QVERIFY(
            other->execute("UPDATE _ColumnProperties SET Value='ggge年' WHERE ColumnName='C9'"));
        QCOMPARE(db->schema("C")->columns.last().property("FORMAT"), QStringLiteral("ggge年"));
        QCOMPARE(Database::open(db->path())->schema("C")->columns.last().property("FORMAT"),
                 QStringLiteral("ggge年"));
    }

    void recordsetOutlivingClosedDatabaseFailsCleanly()
    {
        test::TempFolder folder;
        auto db = makeDatabase(folder);
        QVERIFY(
            db->execute("INSERT INTO KIHON1([ID],[基準日]) VALUES(?,?)", {"1", day(2005, 1, 1)}));
        auto rs = db->openRecordset("SELECT * FROM KIHON1");
        db.reset();
        rs->edit();
        QString error;
        QVERIFY(!rs->setValue("ID", "2", &error));
        QVERIFY(!rs->deleteCurrent(&error));
        QCOMPARE(rs->value("ID"), Value("1"));
        QVERIFY(!rs->update(&error));
        rs->addNew();
        QVERIFY(!rs->update(&error));
        QVERIFY(rs->findFirst({{"ID", "1"}}));
        rs->moveNext();
        QVERIFY(rs->eof());
        rs->close();
    }

    // Another program holds the write lock: the write fails with a message and can be retried.
    void busyFileIsReportedAndRetried()
    {
        test::TempFolder folder;
        auto db = makeDatabase(folder);
        QVERIFY(
            db->execute("INSERT INTO KIHON1([ID],[基準日]) VALUES(?,?)", {"1", day(2005, 1, 1)}));
        db->setBusyTimeout(50);
        auto other = Database::open(db->path());
        QVERIFY(other->begin());
        QVERIFY(other->execute("DELETE FROM C WHERE [ID]=?", {"x"}));

        auto rs = db->openRecordset("SELECT * FROM KIHON1 WHERE [ID]=?", {"1"});
        rs->edit();
        QVERIFY(rs->setValue("1-1-1", "山田"));
        QString error;
        QVERIFY(!rs->update(&error));
        // Japanese first, naming the way out; SQLite's text on a line of its own.
        QVERIFY2(error.section('\n', 0, 0).contains("はほかのプログラムが使用中です。") &&
                     error.section('\n', -1).contains("locked"),
                 qPrintable(error));
        QCOMPARE(rs->editMode(), Recordset::EditMode::Edit);
        QVERIFY(!db->begin(&error));
        QVERIFY(!db->inTransaction());
        QVERIFY(!db->execute("DELETE FROM KIHON1 WHERE [ID]=?", {"1"}, &error));

        QVERIFY(other->commit());
        QVERIFY2(rs->update(&error), qPrintable(error));
        QCOMPARE(other->openRecordset("KIHON1")->value("1-1-1"), Value("山田"));
    }

    // A file that cannot be written says so in Japanese.
    void readOnlyFileIsReportedInJapanese()
    {
        test::TempFolder folder;
        auto db = makeDatabase(folder);
        sqlite3* handle = nullptr;
        QCOMPARE(sqlite3_open_v2(QFile::encodeName(db->path()).constData(), &handle,
                                 SQLITE_OPEN_READONLY, nullptr),
                 SQLITE_OK);
        QVERIFY(sqlite3_exec(handle, "DELETE FROM KIHON1", nullptr, nullptr, nullptr) != SQLITE_OK);
        const QString error = FailureMessage::ofConnection(handle);
        sqlite3_close_v2(handle);
        QVERIFY2(error.startsWith(QStringLiteral("'%1' に書き込めません。").arg(db->path())) &&
                     error.section('\n', -1).contains("readonly"),
                 qPrintable(error));
    }

    // A full disk: the write is refused with the engine's message and leaves no part behind.
    void fullDiskIsReportedAndWritesNothing()
    {
        test::TempFolder folder;
        auto db = makeDatabase(folder);
        QVERIFY(db->execute("PRAGMA max_page_count = 12"));
        auto rs = db->openRecordset("C");
        rs->addNew();
        QVERIFY(rs->setValue("ID", "1"));
        QVERIFY(rs->setValue("基準日", day(2005, 1, 1)));
        QVERIFY(rs->setValue("C7", QString(200000, QChar(0x3042))));
        QString error;
        QVERIFY(!rs->update(&error));
        QVERIFY2(error.section('\n', 0, 0).contains("ディスクの空き容量が足りないため") &&
                     error.section('\n', -1).contains("full"),
                 qPrintable(error));
        QCOMPARE(db->openRecordset("C")->recordCount(), 0);
        QVERIFY(rs->setValue("C7", "短い"));
        QVERIFY2(rs->update(&error), qPrintable(error));
        QCOMPARE(db->openRecordset("C")->recordCount(), 1);
    }

    // Statements built from ever new texts are finalized, not kept without end.
    void preparedStatementsStayBounded()
    {
        test::TempFolder folder;
        auto db = makeDatabase(folder);
        for (int i = 0; i < 1000; ++i) {
            const QString sql = QString("SELECT * FROM KIHON1 WHERE [ID]='%1'").arg(i);
            auto rs = db->openRecordset(sql);
            QVERIFY(rs && rs->eof());
            QVERIFY(db->execute(QString("DELETE FROM C WHERE [C3]=%1 AND [ID]=?").arg(i), {"x"}));
        }
        int statements = 0;
        for (sqlite3_stmt* s = sqlite3_next_stmt(db->handle(), nullptr); s;
             s = sqlite3_next_stmt(db->handle(), s))
            ++statements;
        QVERIFY2(statements <= 200, qPrintable(QString::number(statements)));
    }
};

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
