#include "RapFixture.h"

#include "rap/RapSummaryTicker.h"

using namespace orv;
using namespace orv::test;

class TestRapSummaryTicker : public QObject
{
    Q_OBJECT

    static QStringList ticks(RapFixture& f, const QString& id, const DateValue& date)
    {
        std::unique_ptr<Recordset> rs =
            f.db().openRecordset("SELECT * FROM S WHERE [ID]=? AND [基準日]=?", {id, date});
        QStringList ticked;
        for (int n = 1; rs && !rs->eof() && n <= 20; ++n) {
            const QString column = QStringLiteral("S%1-a").arg(n);
            if (!rs->value(column).isNull())
                ticked << column + "=" + rs->value(column).toText();
        }
        return ticked;
    }

    static void addSummary(RapFixture& f, const QString& id, const DateValue& date,
                           const QMap<QString, Value>& preset = {})
    {
        std::unique_ptr<Recordset> rs = f.db().openRecordset("S");
        rs->addNew();
        rs->setValue("ID", id);
        rs->setValue("基準日", date);
        for (auto it = preset.cbegin(); it != preset.cend(); ++it)
            rs->setValue(it.key(), it.value());
        QVERIFY(rs->update());
    }

private slots:
    void ticks_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QStringList>("ticked");
        QTest::newRow("空のリスト") << "" << QStringList{};
        QTest::newRow("05aと05b") << "05a,05b" << QStringList{"S5-a=1"};
        QTest::newRow("10aと10b") << "10a,10b" << QStringList{"S10-a=1"};
        QTest::newRow("10bだけ") << "10b" << QStringList{"S10-a=1"};
        QTest::newRow("01と11") << "01,11" << QStringList{"S1-a=1", "S11-a=1"};
        QTest::newRow("01と05b") << "01,05b,17" << QStringList{"S1-a=1", "S5-a=1", "S17-a=1"};
        QTest::newRow("検定モードの判定")
            << "×,×,○,×,○,×,×,×,×,×,×,×,×,×,×,×,×,×,×,×,×,○" << QStringList{};
        QTest::newRow("すべて") << "01,02,03,04,05a,05b,06,07,08,09,10a,10b,11,12,13,14,15,16,"
                                   "17,18,19,20"
                                << QStringList{"S1-a=1",  "S2-a=1",  "S3-a=1",  "S4-a=1",
                                               "S5-a=1",  "S6-a=1",  "S7-a=1",  "S8-a=1",
                                               "S9-a=1",  "S10-a=1", "S11-a=1", "S12-a=1",
                                               "S13-a=1", "S14-a=1", "S15-a=1", "S16-a=1",
                                               "S17-a=1", "S18-a=1", "S19-a=1", "S20-a=1"};
    }
    void ticks()
    {
        QFETCH(QString, list);
        QFETCH(QStringList, ticked);
        RapFixture f;
        f.run("INSERT INTO RAP ([ID],[記入日],[RAP]) VALUES ('R001','2005-08-17',?)", {list});
        // The summary has a date of its own; the RAP row is found by the assessment date.
        addSummary(f, "R001", day(2005, 8, 20));
        addSummary(f, "R001", day(2005, 8, 17));
        f.state.CurID = "R001";
        f.state.CurKijunbi = day(2005, 8, 20);
        RapSummaryTicker(f.state).RAP_SAM_SET(day(2005, 8, 17));
        QCOMPARE(f.boxes.count(), 0);
        QCOMPARE(ticks(f, "R001", day(2005, 8, 20)), ticked);
        QCOMPARE(ticks(f, "R001", day(2005, 8, 17)), QStringList{});
        QVERIFY(!f.state.RapRs);
    }

    void missingRapRow()
    {
        RapFixture f;
        f.run("INSERT INTO RAP ([ID],[記入日],[RAP]) VALUES ('R001','2005-08-18','01')");
        addSummary(f, "R001", day(2005, 8, 20));
        f.state.CurID = "R001";
        f.state.CurKijunbi = day(2005, 8, 20);
        RapSummaryTicker(f.state).RAP_SAM_SET(day(2005, 8, 17));
        QCOMPARE(f.boxes.texts(), QStringList{"RAP選定データがありません"});
        QCOMPARE(f.boxes.last().style, int(StyleCritical));
        QCOMPARE(f.boxes.last().title, applicationTitle());
        QCOMPARE(ticks(f, "R001", day(2005, 8, 20)), QStringList{});
    }

    void existingTicksStay()
    {
        RapFixture f;
        f.run("INSERT INTO RAP ([ID],[記入日],[RAP]) VALUES ('R001','2005-08-17','02')");
        addSummary(f, "R001", day(2005, 8, 17), {{"S3-a", 1}, {"S4-a", 0}});
        f.state.CurID = "R001";
        f.state.CurKijunbi = day(2005, 8, 17);
        RapSummaryTicker(f.state).RAP_SAM_SET(day(2005, 8, 17));
        QCOMPARE(ticks(f, "R001", day(2005, 8, 17)), (QStringList{"S2-a=1", "S3-a=1", "S4-a=0"}));
    }

    // Both rows are found by day, as the date literal of a query finds them.
    void datesWithATimeOfDay()
    {
        RapFixture f;
        f.run("INSERT INTO RAP ([ID],[記入日],[RAP]) VALUES ('R001','2005-08-17','02')");
        addSummary(f, "R001", day(2005, 8, 20));
        f.state.CurID = "R001";
        f.state.CurKijunbi = DateValue::fromDateTime(QDate(2005, 8, 20), QTime(9, 30));
        RapSummaryTicker(f.state).RAP_SAM_SET(
            DateValue::fromDateTime(QDate(2005, 8, 17), QTime(14, 5)));
        QCOMPARE(f.boxes.count(), 0);
        QCOMPARE(ticks(f, "R001", day(2005, 8, 20)), QStringList{"S2-a=1"});
    }

    void setRapsDataRefusesUnknownColumn()
    {
        RapFixture f;
        addSummary(f, "R001", day(2005, 8, 17));
        std::unique_ptr<Recordset> rs = f.db().openRecordset("S");
        QString error;
        QVERIFY(!RapSummaryTicker::SetRAPsData("S21-a", *rs, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(RapSummaryTicker::SetRAPsData("S2-a", *rs, &error));
        QCOMPARE(ticks(f, "R001", day(2005, 8, 17)), QStringList{"S2-a=1"});
    }
};

QTEST_GUILESS_MAIN(TestRapSummaryTicker)
#include "tst_rapsummaryticker.moc"
