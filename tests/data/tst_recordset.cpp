#include "data/Database.h"
#include "data/Recordset.h"
#include "support/TempFolder.h"

#include <QtTest>

#include <sqlite3.h>

using namespace orv;

namespace {

const char* const Schema = R"(
CREATE TABLE _ColumnProperties(TableName TEXT NOT NULL, ColumnName TEXT NOT NULL,
    Name TEXT NOT NULL, Value TEXT, PRIMARY KEY(TableName, ColumnName, Name));
CREATE TABLE C([ID] TEXT(20) NOT NULL, [基準日] DATETIME NOT NULL, [C1] BYTE, [C2] INTEGER,
    [C3] TEXT(4), [C4] MEMO, [C5] DATETIME, [C6] TEXT(10), [C7] MEMO TEXT);
CREATE INDEX C_key ON C([ID], [基準日]);
INSERT INTO _ColumnProperties VALUES('C', 'C1', 'DefaultValue', '0');
INSERT INTO _ColumnProperties VALUES('C', 'C3', 'DefaultValue', '"なし"');
)";

DateValue day(int y, int m, int d)
{
    return DateValue::fromDate(QDate(y, m, d));
}

QString rawText(Database& db, const QString& sql)
{
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db.handle(), sql.toUtf8().constData(), -1, &statement, nullptr);
    QString text;
    if (sqlite3_step(statement) == SQLITE_ROW)
        text = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
    sqlite3_finalize(statement);
    return text;
}

} // namespace

class TestRecordset : public QObject
{
    Q_OBJECT

    test::TempFolder* m_folder = nullptr;
    std::unique_ptr<Database> m_db;

    std::unique_ptr<Recordset> openRow(const QString& id)
    {
        auto rs = m_db->openRecordset("SELECT * FROM C WHERE [ID]=?", {id});
        if (!rs || rs->eof())
            qFatal("no row %s", qPrintable(id));
        return rs;
    }

private slots:
    void init()
    {
        m_folder = new test::TempFolder;
        QString error;
        m_db = Database::create(m_folder->file("Orv21.db"), &error);
        QVERIFY2(m_db && m_db->execute(Schema, {}, &error), qPrintable(error));
        QVERIFY(m_db->execute("INSERT INTO C([ID],[基準日],[C1],[C3]) VALUES(?,?,?,?)",
                              {"001", day(2005, 8, 17), 1, "前"}));
    }

    void cleanup()
    {
        m_db.reset();
        delete m_folder;
    }

    void refusedValueWritesNothing()
    {
        auto rs = openRow("001");
        rs->edit();
        QString error;
        QVERIFY(!rs->setValue("C1", 300, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!rs->setValue("C3", "長すぎる文字", &error));
        QCOMPARE(rs->value("C1"), Value(1));
        QVERIFY(rs->update(&error));
        auto check = openRow("001");
        QCOMPARE(check->value("C1"), Value(1));
        QCOMPARE(check->value("C3"), Value("前"));
    }

    void updateKeepsOtherWritersColumns()
    {
        auto rs = openRow("001");
        rs->edit();
        QVERIFY(rs->setValue("C2", "12"));
        // Meanwhile another connection changes a column the edit does not touch.
        auto other = Database::open(m_db->path());
        QVERIFY(other);
        QVERIFY(other->execute("UPDATE C SET [C3]=? WHERE [ID]=?", {"他", "001"}));
        QVERIFY(rs->update());
        QCOMPARE(rs->value("C3"), Value("他"));
        QCOMPARE(rs->value("C2"), Value(12));
        auto check = other->openRecordset("SELECT * FROM C WHERE [ID]=?", {"001"});
        QCOMPARE(check->value("C3"), Value("他"));
        QCOMPARE(check->value("C2"), Value(12));
    }

    // The values read when the set was opened are reused only while nothing has changed.
    void editSeesChangesMadeSinceTheRead_data()
    {
        QTest::addColumn<bool>("otherConnection");
        QTest::newRow("同じ接続") << false;
        QTest::newRow("別の接続") << true;
    }
    void editSeesChangesMadeSinceTheRead()
    {
        QFETCH(bool, otherConnection);
        auto rs = openRow("001");
        QCOMPARE(rs->value("C3"), Value("前"));
        auto other = otherConnection ? Database::open(m_db->path()) : nullptr;
        Database& writer = other ? *other : *m_db;
        QVERIFY(writer.execute("UPDATE C SET [C3]=? WHERE [ID]=?", {"後", "001"}));
        rs->edit();
        QCOMPARE(rs->value("C3"), Value("後"));
        QVERIFY(rs->setValue("C2", 3));
        QVERIFY(rs->update());
        QCOMPARE(rs->value("C2"), Value(3));
        QCOMPARE(rs->value("C3"), Value("後"));
    }

    void updateOfRowDeletedMeanwhileFails()
    {
        auto rs = openRow("001");
        rs->edit();
        QVERIFY(rs->setValue("C2", 5));
        QVERIFY(m_db->execute("DELETE FROM C WHERE [ID]=?", {"001"}));
        QString error;
        QVERIFY(!rs->update(&error));
        QVERIFY(!error.isEmpty());
    }

    void emptyTextAndNullRules()
    {
        auto rs = openRow("001");
        rs->edit();
        QVERIFY(rs->setValue("C3", ""));
        QVERIFY(rs->setValue("C1", Value()));
        QVERIFY(rs->setValue("C5", Value()));
        QVERIFY(rs->update());
        auto check = openRow("001");
        QCOMPARE(check->value("C3").kind(), Value::Kind::Text);
        QCOMPARE(check->value("C3"), Value(""));
        QVERIFY(check->value("C1").isNull());
        QVERIFY(check->value("C5").isNull());
    }

    void textKeepsLeadingZerosAndMemoIsUnlimited()
    {
        auto rs = openRow("001");
        rs->edit();
        QVERIFY(rs->setValue("C6", "007"));
        QVERIFY(rs->setValue("C4", "007 " + QString(10000, QChar(0x3042))));
        QVERIFY(rs->setValue("C7", "007"));
        QVERIFY(rs->update());
        auto check = openRow("001");
        QCOMPARE(check->value("C6"), Value("007"));
        QCOMPARE(check->value("C4").toText().size(), 10004);
        QVERIFY(check->value("C4").toText().startsWith("007 "));
        QCOMPARE(check->column(check->columnIndex("C7")).type, 12);
        QCOMPARE(check->value("C7"), Value("007"));
    }

    void datesStoredByDayAndZeroDateRoundTrips()
    {
        auto rs = m_db->openRecordset("C");
        rs->addNew();
        QVERIFY(rs->setValue("ID", "002"));
        QVERIFY(rs->setValue("基準日", DateValue::fromDateTime(QDate(2006, 1, 2), QTime(10, 30))));
        QVERIFY(rs->setValue("C5", DateValue::zero()));
        QVERIFY(rs->update());
        QCOMPARE(rawText(*m_db, "SELECT [基準日] FROM C WHERE [ID]='002'"), QString("2006-01-02"));
        QVERIFY(rs->value("C5").toDate().isZero());
        QCOMPARE(rs->value("C5").kind(), Value::Kind::Date);

        auto byDay = m_db->openRecordset("SELECT * FROM C WHERE [ID]=? AND [基準日]=?",
                                         {"002", day(2006, 1, 2)});
        QCOMPARE(byDay->recordCount(), 1);
        QVERIFY(byDay->value("C5").toDate().isZero());

        rs->edit();
        const DateValue withTime = DateValue::fromDateTime(QDate(2006, 1, 2), QTime(10, 30, 15));
        QVERIFY(rs->setValue("C5", withTime));
        QVERIFY(rs->update());
        QCOMPARE(rawText(*m_db, "SELECT [C5] FROM C WHERE [ID]='002'"),
                 QString("2006-01-02 10:30:15"));
        QCOMPARE(rs->value("C5"), Value(withTime));
    }

    void dateWrittenAsTextElsewhereReadsAsDate()
    {
        QVERIFY(m_db->execute("UPDATE C SET [C5]=? WHERE [ID]=?", {"2005/08/17", "001"}));
        QCOMPARE(openRow("001")->value("C5"), Value(day(2005, 8, 17)));
        QVERIFY(m_db->execute("UPDATE C SET [C5]=? WHERE [ID]=?", {"不明", "001"}));
        QCOMPARE(openRow("001")->value("C5"), Value("不明"));
    }

    void addNewStartsFromDefaultValues()
    {
        auto rs = m_db->openRecordset("C");
        rs->addNew();
        QCOMPARE(rs->value("C1"), Value(0));
        QCOMPARE(rs->value("C3"), Value("なし"));
        QVERIFY(rs->value("C2").isNull());
        QVERIFY(rs->setValue("ID", "003"));
        QVERIFY(rs->setValue("基準日", "2007/03/04"));
        QVERIFY(rs->update());
        auto check = openRow("003");
        QCOMPARE(check->value("C1"), Value(0));
        QCOMPARE(check->value("C3"), Value("なし"));
    }

    void missingRequiredColumnFailsAndAddsNothing()
    {
        auto rs = m_db->openRecordset("C");
        rs->addNew();
        QVERIFY(rs->setValue("ID", "004"));
        QString error;
        QVERIFY(!rs->update(&error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(rs->editMode(), Recordset::EditMode::Add);
        QCOMPARE(m_db->openRecordset("C")->recordCount(), 1);
    }

    void findFirstComparesTextWithoutCaseAndDatesByDay()
    {
        QVERIFY(
            m_db->execute("INSERT INTO C([ID],[基準日]) VALUES(?,?)", {"abc", day(2005, 9, 1)}));
        auto rs = m_db->openRecordset("C");
        QVERIFY(rs->findFirst({{"ID", "ABC"}}));
        QCOMPARE(rs->value("ID"), Value("abc"));
        QVERIFY(rs->findFirst(
            {{"ID", "001"}, {"基準日", DateValue::fromDateTime(QDate(2005, 8, 17), QTime(9, 0))}}));
        QVERIFY(!rs->findFirst({{"ID", "001"}, {"基準日", day(2005, 8, 18)}}));
        QCOMPARE(rs->value("ID"), Value("001"));
        QVERIFY(!rs->findFirst({{"NoColumn", 1}}));
    }

    void deleteOfTheOpenRowAndOfAllRows()
    {
        for (const char* id : {"002", "003"})
            QVERIFY(
                m_db->execute("INSERT INTO C([ID],[基準日]) VALUES(?,?)", {id, day(2005, 8, 17)}));
        auto rs = m_db->openRecordset("SELECT * FROM C ORDER BY [ID]");
        int deleted = 0;
        while (!rs->eof()) {
            QVERIFY(rs->deleteCurrent());
            ++deleted;
            rs->moveNext();
        }
        QCOMPARE(deleted, 3);
        QCOMPARE(m_db->openRecordset("C")->recordCount(), 0);
        QString error;
        QVERIFY(!rs->deleteCurrent(&error));
    }

    void secondConnectionSeesCommits()
    {
        auto other = Database::open(m_db->path());
        QVERIFY(other);
        auto reader = other->openRecordset("C");
        QCOMPARE(reader->recordCount(), 1);
        QVERIFY(m_db->begin());
        QVERIFY(
            m_db->execute("INSERT INTO C([ID],[基準日]) VALUES(?,?)", {"002", day(2005, 8, 17)}));
        QCOMPARE(other->openRecordset("C")->recordCount(), 1);
        QVERIFY(m_db->commit());
        QCOMPARE(other->openRecordset("C")->recordCount(), 2);

        auto writer = other->openRecordset("SELECT * FROM C WHERE [ID]=?", {"002"});
        writer->edit();
        QVERIFY(writer->setValue("C6", "他から"));
        QVERIFY(writer->update());
        QCOMPARE(openRow("002")->value("C6"), Value("他から"));
    }
};

QTEST_GUILESS_MAIN(TestRecordset)
#include "tst_recordset.moc"
