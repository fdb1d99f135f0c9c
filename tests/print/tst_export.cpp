#include "common/DateValue.h"
#include "common/ProgramFolder.h"
#include "common/Value.h"
#include "data/AppState.h"
#include "data/Database.h"
#include "data/Recordset.h"
#include "print/ReportDataExporter.h"
#include "support/ReportDataFile.h"
#include "support/TempFolder.h"

#include <QtTest>

using namespace orv;

namespace {

DateValue day(int y, int m, int d)
{
    return DateValue::fromDate(QDate(y, m, d));
}

// A program folder with a record file holding small versions of the tables the exports read.
class ExportFixture
{
public:
    ExportFixture()
    {
        state.folder = ProgramFolder(folder.path());
        state.Db = Database::create(folder.file("Orv21.db"));
        QVERIFY(state.Db);
        sql("CREATE TABLE [KIHON1] ([ID] TEXT(20), [基準日] DATETIME, [1-1-1] TEXT(50), [1-2] "
            "BYTE, "
            "[1-4-1] TEXT(10), [1-8-1] BYTE, [2-1-y] BYTE)");
        for (char section = 'A'; section <= 'R'; ++section) {
            sql(QStringLiteral(
                    "CREATE TABLE [%1] ([ID] TEXT(20), [基準日] DATETIME, [%1-x] TEXT(50))")
                    .arg(QLatin1Char(section)));
        }
        sql("CREATE TABLE [S] ([ID] TEXT(20), [基準日] DATETIME, [S0-1] DATETIME, [S1-a] BYTE, "
            "[S1-b] MEMO)");
        sql("CREATE TABLE [T] ([ID] TEXT(20), [基準日] DATETIME, [T0-1] DATETIME, [T-A-1-1-1] "
            "TEXT(50))");
        sql("CREATE TABLE [Trigger] ([ID] TEXT(20), [記入日] DATETIME, [B1] TEXT(2), [B2] TEXT(2), "
            "[OJ1] TEXT(2))");
        sql("CREATE TABLE [RAP] ([ID] TEXT(20), [記入日] DATETIME, [RAP] TEXT(100))");
    }

    void sql(const QString& statement, const QVector<Value>& params = {})
    {
        QString error;
        QVERIFY2(state.Db->execute(statement, params, &error), qPrintable(error));
    }
    void addRap(const QString& id, const DateValue& date, const Value& list)
    {
        sql("INSERT INTO [RAP] ([ID], [記入日], [RAP]) VALUES (?, ?, ?)",
            {Value(id), Value(date), list});
    }
    test::ReportDataFile read(const QString& name) const
    {
        return test::ReportDataFile(folder.file(name));
    }

    test::TempFolder folder;
    AppState state;
};

QStringList rapElements(const test::ReportDataFile& file)
{
    QStringList marked;
    for (int i = 1; i <= 22; ++i) {
        if (!file.text(QStringLiteral("rap%1").arg(i)).isEmpty())
            marked << QStringLiteral("rap%1").arg(i);
    }
    return marked;
}

} // namespace

class TestExport : public QObject
{
    Q_OBJECT

private slots:
    void faceSheetLineForLine()
    {
        ExportFixture f;
        f.sql("INSERT INTO [KIHON1] VALUES (?, ?, ?, ?, ?, ?, ?)",
              {Value("K01"), Value(day(2005, 8, 17)), Value("山田 & <花子>"), Value(2),
               Value("100-0001"), Value(1), Value(0)});
        f.sql("INSERT INTO [KIHON1] VALUES (?, ?, ?, ?, ?, ?, ?)",
              {Value("K01"), Value(day(2005, 9, 1)), Value("別の日"), Value(1), Value(), Value(),
               Value()});
        ReportDataExporter exporter(f.state);
        QString error;
        QVERIFY2(exporter.ExportFaceSheetXml("2005/08/17", "K01", &error), qPrintable(error));

        const test::ReportDataFile file = f.read("orv21_12.xml");
        QVERIFY(file.allLinesEndInCrLf());
        QCOMPARE(file.lines(),
                 QStringList({"<?xml version=\"1.0\" encoding=\"shift_jis\" ?>", "<main>",
                              "<ID>K01</ID>", "<基準日>平成17年8月17日</基準日>",
                              "<m1-1-1>山田 &amp; &lt;花子&gt;</m1-1-1>", "<m1-2>女</m1-2>",
                              "<m1-4-1>〒100-0001</m1-4-1>", "<m1-8-1>レ</m1-8-1>",
                              "<m2-1-y></m2-1-y>", "</main>"}));
        QVERIFY2(file.parseError().isEmpty(), qPrintable(file.parseError()));
        QCOMPARE(file.text("m1-1-1"), QString("山田 & <花子>"));
    }

    void noMatchingRowGivesAnEmptyMain()
    {
        ExportFixture f;
        f.sql("INSERT INTO [S] ([ID], [基準日]) VALUES (?, ?)",
              {Value("K01"), Value(day(2005, 8, 17))});
        ReportDataExporter exporter(f.state);
        QVERIFY(exporter.ExportRapSummaryXml("2005/08/17", "K02", nullptr));
        QCOMPARE(
            f.read("orv21_s.xml").lines(),
            QStringList({"<?xml version=\"1.0\" encoding=\"shift_jis\" ?>", "<main>", "</main>"}));
        QVERIFY(exporter.ExportMedicationXml("2005/08/18", "K01", nullptr));
        QCOMPARE(f.read("orv21_t.xml").lines().size(), 3);
    }

    void assessmentRepeatsKeyPerSectionFound()
    {
        ExportFixture f;
        for (const char* section : {"B", "A", "R"}) {
            f.sql(QStringLiteral("INSERT INTO [%1] VALUES (?, ?, ?)").arg(section),
                  {Value("K01"), Value(day(2005, 8, 17)),
                   Value(QStringLiteral("値%1").arg(section))});
        }
        ReportDataExporter exporter(f.state);
        QVERIFY(exporter.ExportAssessmentXml("2005/08/17", "K01", nullptr));
        const test::ReportDataFile file = f.read("orv21_ar.xml");
        QVERIFY(file.parseError().isEmpty());
        QCOMPARE(file.elementNames(), QStringList({"ID", "基準日", "A-X", "ID", "基準日", "B-X",
                                                   "ID", "基準日", "R-X"}));
        QCOMPARE(file.text("B-X"), QString("値B"));
    }

    void summaryAndMedicationFamilies()
    {
        ExportFixture f;
        f.sql("INSERT INTO [S] VALUES (?, ?, ?, ?, ?)",
              {Value("K01"), Value(day(2005, 8, 17)), Value(), Value(1), Value("理由 > 場所")});
        f.sql("INSERT INTO [T] VALUES (?, ?, ?, ?)",
              {Value("K01"), Value(day(2005, 8, 17)), Value(day(2005, 8, 20)), Value("薬A&B")});
        ReportDataExporter exporter(f.state);
        QVERIFY(exporter.ExportRapSummaryXml("2005/08/17", "K01", nullptr));
        QVERIFY(exporter.ExportMedicationXml("2005/08/17", "K01", nullptr));
        const test::ReportDataFile s = f.read("orv21_s.xml");
        QCOMPARE(s.elementNames(), QStringList({"ID", "基準日", "S0-1", "S1-a", "S1-B"}));
        QCOMPARE(s.text("S0-1"), QString("記入年月日："));
        QCOMPARE(s.text("S1-a"), QString("レ"));
        QCOMPARE(s.text("S1-B"), QString("理由 > 場所"));
        const test::ReportDataFile t = f.read("orv21_t.xml");
        QCOMPARE(t.text("T0-1"), QString("平成17年8月20日"));
        QCOMPARE(t.text("T-A-1-1-1"), QString("薬A&B"));
    }

    void rapSelectionPositions_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QStringList>("marked");
        QTest::newRow("01,05a,10b,20")
            << "01,05a,10b,20" << QStringList({"rap1", "rap5", "rap12", "rap22"});
        QTest::newRow("空のリスト") << "" << QStringList();
        QTest::newRow("13,14") << "13,14" << QStringList({"rap15", "rap16"});
        QTest::newRow("全22コード")
            << "01,02,03,04,05a,05b,06,07,08,09,10a,10b,11,12,13,14,15,16,17,18,19,20"
            << QStringList({"rap1",  "rap2",  "rap3",  "rap4",  "rap5",  "rap6",  "rap7",  "rap8",
                            "rap9",  "rap10", "rap11", "rap12", "rap13", "rap14", "rap15", "rap16",
                            "rap17", "rap18", "rap19", "rap20", "rap21", "rap22"});
        QTest::newRow("検証モードの判定リスト")
            << "×,×,×,×,○,×,×,×,×,×,×,×,×,×,×,×,×,×,×,×,×,×" << QStringList();
    }
    void rapSelectionPositions()
    {
        QFETCH(QString, list);
        QFETCH(QStringList, marked);
        ExportFixture f;
        f.addRap("K01", day(2005, 8, 17), Value(list));
        f.addRap("K01", day(2005, 9, 1), Value("02"));
        ReportDataExporter exporter(f.state);
        QVERIFY(exporter.ExportTriggerXml("2005/08/17", "K01", nullptr));
        const test::ReportDataFile file = f.read("orv21_trigger.xml");
        QVERIFY(file.parseError().isEmpty());
        QCOMPARE(file.elementNames().size(), 22);
        QCOMPARE(rapElements(file), marked);
        for (const QString& name : marked)
            QCOMPARE(file.text(name), QString("○"));
    }

    void triggerRowAndMissingRapRow()
    {
        ExportFixture f;
        f.sql("INSERT INTO [Trigger] VALUES (?, ?, ?, ?, ?)",
              {Value("K01"), Value(day(2005, 8, 17)), Value("○"), Value(), Value("○")});
        ReportDataExporter exporter(f.state);
        QVERIFY(exporter.ExportTriggerXml("2005/08/17", "K01", nullptr));
        const test::ReportDataFile file = f.read("orv21_trigger.xml");
        QCOMPARE(file.lines().mid(1),
                 QStringList({"<main>", "<B1>レ</B1>", "<B2></B2>", "<OJ1>レ</OJ1>", "</main>"}));
    }

    void rapListSixNewest()
    {
        ExportFixture f;
        // eight rows, stored out of order
        const QList<QPair<DateValue, QString>> rows = {
            {day(2004, 1, 10), "01"},     {day(2005, 8, 17), "05a,05b"}, {day(2004, 6, 1), "03"},
            {day(2005, 2, 1), "10a,10b"}, {day(2003, 12, 1), "20"},      {day(2004, 12, 24), ""},
            {day(2005, 5, 5), "01,17"},   {day(2003, 1, 1), "99"},
        };
        for (const auto& row : rows)
            f.addRap("K01", row.first, Value(row.second));
        f.addRap("K02", day(2006, 1, 1), Value("02"));
        ReportDataExporter exporter(f.state);
        QString error;
        QVERIFY2(exporter.ExportRapListXml(day(2005, 8, 17), "K01", &error), qPrintable(error));
        QVERIFY(!f.state.RapRs);

        const QStringList dates = {"平成17年8月17日",  "平成17年5月5日", "平成17年2月1日",
                                   "平成16年12月24日", "平成16年6月1日", "平成16年1月10日"};
        for (int n = 1; n <= 6; ++n) {
            const QString name = QStringLiteral("RAP_0%1.xml").arg(n);
            QVERIFY2(QFile::exists(f.folder.file(name)), qPrintable(name));
            QVERIFY(!QFile::exists(f.folder.file(name.toLower())));
            const test::ReportDataFile file = f.read(name);
            QVERIFY2(file.parseError().isEmpty(), qPrintable(file.parseError()));
            QCOMPARE(file.lines().size(), 2 + 1 + 22 + 1);
            QCOMPARE(file.elementNames().size(), 45);
            QCOMPARE(file.text("PRINTDATE"), dates.at(n - 1));
        }
        const test::ReportDataFile first = f.read("RAP_01.xml");
        QCOMPARE(first.lines().at(3), QString("<NUM01>05</NUM01><RAP01>ADL／リハビリ(A)</RAP01>"));
        QCOMPARE(first.lines().at(4), QString("<NUM02>05</NUM02><RAP02>ADL／維持(B)</RAP02>"));
        QCOMPARE(first.lines().at(5), QString("<NUM03></NUM03><RAP03></RAP03>"));
        QCOMPARE(first.text("NUM22"), QString(""));
        const test::ReportDataFile second = f.read("RAP_02.xml");
        QCOMPARE(second.text("RAP02"), QString("向精神薬"));
        QCOMPARE(second.text("NUM02"), QString("17"));
        const test::ReportDataFile fourth = f.read("RAP_04.xml");
        QCOMPARE(fourth.text("NUM01"), QString(""));
    }

    void rapListFewerRowsLeavesEmptyFiles()
    {
        ExportFixture f;
        f.addRap("K01", day(2005, 8, 17), Value());
        ReportDataExporter exporter(f.state);
        QVERIFY(exporter.ExportRapListXml(day(2005, 8, 17), "K01", nullptr));
        QCOMPARE(f.read("RAP_01.xml").text("PRINTDATE"), QString("平成17年8月17日"));
        const test::ReportDataFile empty = f.read("RAP_02.xml");
        QCOMPARE(empty.lines().at(2), QString("<PRINTDATE></PRINTDATE>"));
        QCOMPARE(empty.lines().at(24), QString("<NUM22></NUM22><RAP22></RAP22>"));
        QCOMPARE(empty.lines().last(), QString("</main>"));
        QCOMPARE(f.read("RAP_06.xml").elementNames().size(), 45);
    }

    void failedExportKeepsThePreviousFile()
    {
        ExportFixture f;
        const QString path = f.folder.write("orv21_12.xml", "previous");
        f.state.Db.reset();
        f.state.folder = ProgramFolder(f.folder.path());
        QFile::rename(f.folder.file("Orv21.db"), f.folder.file("moved.db"));
        QDir().mkdir(f.folder.file("Orv21.db")); // a folder where the file should be
        ReportDataExporter exporter(f.state);
        QString error;
        QVERIFY(!exporter.ExportFaceSheetXml("2005/08/17", "K01", &error));
        QVERIFY(!error.isEmpty());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("previous"));
        QVERIFY(!exporter.ExportRapListXml(day(2005, 8, 17), "K01", &error));
    }
};

QTEST_GUILESS_MAIN(TestExport)
#include "tst_export.moc"
