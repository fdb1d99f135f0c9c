#include "common/DateValue.h"
#include "common/Value.h"
#include "data/AppState.h"
#include "data/Catalogue.h"
#include "data/ColumnInfo.h"
#include "data/Database.h"
#include "data/DaoType.h"
#include "print/ReportDataExporter.h"
#include "print/view/ReportDesigner.h"
#include "print/view/ReportWindows.h"
#include "print/view/rptRapList.h"
#include "rap/TriggerRuleTable.h"
#include "support/TestDatabase.h"

#include <QtTest>

using namespace orv;

namespace {

const QString kId = QStringLiteral("K01");
const QString kDateText = QStringLiteral("2005/08/17");

DateValue day(int y, int m, int d)
{
    return DateValue::fromDate(QDate(y, m, d));
}

// A value for every column of a record table: numbers 1 (a ticked check item), dates, and texts
// as long as the column allows.
Value fillValue(const ColumnInfo& column)
{
    if (column.name == QLatin1String("ID"))
        return Value(kId);
    const CatalogueItem* item = Catalogue::builtIn().item(column.name);
    if (item && item->kind == ItemKind::Date)
        return Value(day(2005, 8, 17));
    switch (column.type) {
    case dbDate:
        return Value(day(2005, 8, 17));
    case dbText:
    case dbMemo:
        return Value(column.size > 0 && column.size < 2 ? QStringLiteral("1")
                                                        : QStringLiteral("値"));
    default:
        return Value(qint64(1));
    }
}

} // namespace

// The files the exports write from stored records carry every element the layouts bind.
class TestReportFromRecords : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<test::TestDatabase> m_file;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<ReportWindows> m_windows;

    void fillTable(const QString& table)
    {
        QString error;
        QVERIFY2(test::TestDatabase::insertRow(*m_state->Db, table, fillValue, &error),
                 qPrintable(error));
    }

    void addRap(const DateValue& date, const QString& codes)
    {
        QVERIFY(m_state->Db->execute("INSERT INTO [RAP] VALUES (?,?,?)",
                                     {Value(kId), Value(date), Value(codes)}));
    }

    void checkBound(ReportKind kind)
    {
        ReportDesigner& report = m_windows->designer(kind);
        report.Run();
        const ReportDocument& document = report.document();
        for (const ReportControl& c : document.layout.controls()) {
            if (!c.isBoundField())
                continue;
            QVERIFY2(document.record.contains(c.dataField), qPrintable(c.dataField));
            if (c.checkBox)
                QCOMPARE(document.record.value(c.dataField), QStringLiteral("レ"));
        }
    }

private slots:
    // Each function fills a record file of its own.
    void init()
    {
        m_file = std::make_unique<test::TestDatabase>();
        QVERIFY2(m_file->ok(), qPrintable(m_file->error()));
        m_state = std::make_unique<AppState>();
        m_state->folder = ProgramFolder(m_file->folder());
        m_state->Db = m_file->open();
        QVERIFY(m_state->Db);
        m_windows = std::make_unique<ReportWindows>(*m_state);
    }
    void cleanup()
    {
        m_windows.reset();
        m_state.reset();
        m_file.reset();
    }

    void faceSheet()
    {
        fillTable("KIHON1");
        QVERIFY(ReportDataExporter(*m_state).ExportFaceSheetXml(kDateText, kId));
        checkBound(ReportKind::FaceSheet);
        const ReportRecord& record = m_windows->designer(ReportKind::FaceSheet).document().record;
        QCOMPARE(record.value("m1-2"), QStringLiteral("男"));
        QCOMPARE(record.value("m1-5"), QStringLiteral("平成17年8月17日"));
    }

    void assessment()
    {
        for (char letter = 'A'; letter <= 'R'; ++letter)
            fillTable(QString(QLatin1Char(letter)));
        QVERIFY(ReportDataExporter(*m_state).ExportAssessmentXml(kDateText, kId));
        checkBound(ReportKind::Assessment);
        const ReportRecord& record = m_windows->designer(ReportKind::Assessment).document().record;
        QCOMPARE(record.value("P3-a"), QStringLiteral("1日"));
        QCOMPARE(record.value("R2-d-5"), QStringLiteral("平成17年8月17日"));
    }

    void summaryAndMedication()
    {
        fillTable("S");
        fillTable("T");
        QVERIFY(ReportDataExporter(*m_state).ExportRapSummaryXml(kDateText, kId));
        QVERIFY(ReportDataExporter(*m_state).ExportMedicationXml(kDateText, kId));
        checkBound(ReportKind::RapSummary);
        checkBound(ReportKind::Medication);
        QCOMPARE(m_windows->designer(ReportKind::RapSummary).document().record.value("S0-1"),
                 QStringLiteral("記入年月日：平成17年8月17日"));
    }

    void rapSelection()
    {
        QStringList marks;
        QVector<Value> values = {Value(kId), Value(day(2005, 8, 17))};
        const QStringList keys = TriggerRuleTable::instance().keys();
        for (int i = 0; i < keys.size(); ++i) {
            marks << "?";
            values << Value(QStringLiteral("○"));
        }
        QVERIFY(m_state->Db->execute(
            QStringLiteral("INSERT INTO [Trigger] VALUES (?,?,%1)").arg(marks.join(',')), values));
        addRap(day(2005, 8, 17), QStringLiteral("01,05a,10b,20"));
        QVERIFY(ReportDataExporter(*m_state).ExportTriggerXml(kDateText, kId));
        checkBound(ReportKind::RapSelection);
        const ReportRecord& record =
            m_windows->designer(ReportKind::RapSelection).document().record;
        for (const QString& key : TriggerRuleTable::instance().keys())
            QCOMPARE(record.value(key), QStringLiteral("レ"));
        QStringList circled;
        for (int i = 1; i <= 22; ++i) {
            if (record.value(QStringLiteral("rap%1").arg(i)) == QStringLiteral("○"))
                circled << QString::number(i);
        }
        QCOMPARE(circled, QStringList({"1", "5", "12", "22"}));
    }

    void rapListNewestFirst()
    {
        addRap(day(2005, 8, 17), QStringLiteral("01,05a,10b,20"));
        addRap(day(2006, 1, 5), QStringLiteral("17"));
        m_state->CurID = kId;
        m_state->CurName = QStringLiteral("山田 花子");
        QVERIFY(ReportDataExporter(*m_state).ExportRapListXml(day(2006, 1, 5), kId));
        auto& list = static_cast<rptRapList&>(m_windows->designer(ReportKind::RapList));
        list.Run();
        const ReportRecord& newest = list.subReport(1)->document().record;
        QCOMPARE(newest.value("PRINTDATE"), QStringLiteral("平成18年1月5日"));
        QCOMPARE(newest.value("NUM01"), QStringLiteral("17"));
        QCOMPARE(newest.value("RAP01"), QStringLiteral("向精神薬"));
        const ReportRecord& older = list.subReport(2)->document().record;
        QCOMPARE(older.value("PRINTDATE"), QStringLiteral("平成17年8月17日"));
        QCOMPARE(older.value("RAP03"), QStringLiteral("アクティビティ(B)"));
        QCOMPARE(list.subReport(3)->document().record.value("PRINTDATE"), QString());
        QCOMPARE(list.document().layout.control("lblName")->text, m_state->CurName);
    }
};

QTEST_MAIN(TestReportFromRecords)
#include "tst_reportfromrecords.moc"
