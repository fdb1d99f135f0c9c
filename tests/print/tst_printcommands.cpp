#include "common/DateValue.h"
#include "common/ProgramFolder.h"
#include "common/SaveFileChooser.h"
#include "common/ScriptedMessageBox.h"
#include "common/Value.h"
#include "data/AppState.h"
#include "data/Database.h"
#include "print/PrintCommands.h"
#include "print/ReportDisplay.h"
#include "support/ReportDataFile.h"
#include "support/ScriptedFinder.h"
#include "support/TempFolder.h"

#include <QtTest>

using namespace orv;

namespace {

DateValue day(int y, int m, int d)
{
    return DateValue::fromDate(QDate(y, m, d));
}

// Answers every save dialog with "cancel" and counts the questions.
class CancellingChooser : public SaveFileChooser
{
public:
    QString chooseSaveFile(const QString&, const QString&) override
    {
        ++asked;
        return QString();
    }
    int asked = 0;
};

class RecordingReports : public ReportDisplay
{
public:
    void showReport(ReportKind kind) override { shown << kind; }
    QList<ReportKind> shown;
};

class PrintFixture
{
public:
    PrintFixture() : finder(state)
    {
        state.folder = ProgramFolder(folder.path());
        state.Db = Database::create(folder.file("Orv21.db"));
        state.finder = &finder;
        state.reports = &reports;
        state.msg = &msg;
        state.saveChooser = &chooser;
        for (const char* table : {"KIHON1", "S", "T"})
            sql(QStringLiteral(
                    "CREATE TABLE [%1] ([ID] TEXT(20), [基準日] DATETIME, [名前] TEXT(50))")
                    .arg(table));
        for (char section = 'A'; section <= 'R'; ++section)
            sql(QStringLiteral(
                    "CREATE TABLE [%1] ([ID] TEXT(20), [基準日] DATETIME, [名前] TEXT(50))")
                    .arg(QLatin1Char(section)));
        sql("CREATE TABLE [Trigger] ([ID] TEXT(20), [記入日] DATETIME, [B1] TEXT(2))");
        sql("CREATE TABLE [RAP] ([ID] TEXT(20), [記入日] DATETIME, [RAP] TEXT(100))");
    }
    void sql(const QString& statement, const QVector<Value>& params = {})
    {
        QString error;
        QVERIFY2(state.Db->execute(statement, params, &error), qPrintable(error));
    }
    test::ReportDataFile read(const QString& name) const
    {
        return test::ReportDataFile(folder.file(name));
    }

    test::TempFolder folder;
    AppState state;
    test::ScriptedFinder finder;
    RecordingReports reports;
    ScriptedMessageBox msg;
    CancellingChooser chooser;
};

using Command = void (PrintCommands::*)();

} // namespace

Q_DECLARE_METATYPE(Command)
Q_DECLARE_METATYPE(ReportKind)

class TestPrintCommands : public QObject
{
    Q_OBJECT

private slots:
    void recordPrints_data()
    {
        QTest::addColumn<Command>("command");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("file");
        QTest::addColumn<ReportKind>("report");
        QTest::newRow("Face_Print") << &PrintCommands::Face_Print << 0 << "KIHON1"
                                    << "orv21_12.xml" << ReportKind::FaceSheet;
        QTest::newRow("Assessment_PRINT") << &PrintCommands::Assessment_PRINT << 1 << "A"
                                          << "orv21_ar.xml" << ReportKind::Assessment;
        QTest::newRow("SAM_PRINT") << &PrintCommands::SAM_PRINT << 2 << "S"
                                   << "orv21_s.xml" << ReportKind::RapSummary;
        QTest::newRow("DRAG_PRINT") << &PrintCommands::DRAG_PRINT << 3 << "T"
                                    << "orv21_t.xml" << ReportKind::Medication;
    }
    void recordPrints()
    {
        QFETCH(Command, command);
        QFETCH(int, mode);
        QFETCH(QString, table);
        QFETCH(QString, file);
        QFETCH(ReportKind, report);
        PrintFixture f;
        const QString insert = QStringLiteral("INSERT INTO [%1] VALUES (?, ?, ?)").arg(table);
        f.sql(insert, {Value("K01"), Value(day(2005, 8, 17)), Value("一回目")});
        f.sql(insert, {Value("K01"), Value(day(2005, 9, 1)), Value("二回目")});
        PrintCommands commands(f.state);

        // a pick carrying a time of day finds the record of that day
        f.finder.picks << qMakePair(QString("K01"),
                                    DateValue::fromDateTime(QDate(2005, 8, 17), QTime(15, 30)));
        (commands.*command)();
        QCOMPARE(f.finder.modes, QList<int>{mode});
        QCOMPARE(f.reports.shown, QList<ReportKind>{report});
        QCOMPARE(f.read(file).text("名前"), QString("一回目"));

        // the same command again asks again and rewrites the file
        f.finder.picks << qMakePair(QString("K01"), day(2005, 9, 1));
        (commands.*command)();
        QCOMPARE(f.finder.modes, QList<int>({mode, mode}));
        QCOMPARE(f.reports.shown.size(), 2);
        QCOMPARE(f.read(file).text("名前"), QString("二回目"));
        QCOMPARE(f.state.CurID, QString("K01"));
        QCOMPARE(f.state.CurKijunbi, day(2005, 9, 1));

        // a cancelled finder writes nothing, opens nothing and leaves no selection
        const QString previous = f.folder.write(file, "previous");
        (commands.*command)();
        QCOMPARE(f.finder.modes.size(), 3);
        // each command empties the selection before the finder, and offers no new record
        QCOMPARE(f.finder.selectionClearOnEntry, QList<bool>({true, true, true}));
        QCOMPARE(f.finder.newButtons, QList<bool>({false, false, false}));
        QCOMPARE(f.reports.shown.size(), 2);
        QVERIFY(f.state.CurID.isEmpty());
        QVERIFY(f.state.CurKijunbi.isZero());
        QFile kept(previous);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("previous"));
        QCOMPARE(f.msg.count(), 0);
    }

    void rapPrintsUseTheSelectionOfTheRapRun()
    {
        PrintFixture f;
        f.sql("INSERT INTO [RAP] VALUES (?, ?, ?)",
              {Value("K01"), Value(day(2005, 8, 17)), Value("01,05a")});
        f.state.CurID = "K01";
        f.state.CurKijunbi = DateValue::fromDateTime(QDate(2005, 8, 17), QTime(9, 5));
        PrintCommands commands(f.state);

        commands.RAP_PRINT();
        commands.RAPL_PRINT();
        QVERIFY(f.finder.modes.isEmpty());
        QCOMPARE(f.reports.shown,
                 QList<ReportKind>({ReportKind::RapSelection, ReportKind::RapList}));
        QCOMPARE(f.read("orv21_trigger.xml").text("rap5"), QString("○"));
        QCOMPARE(f.read("RAP_01.xml").text("RAP02"), QString("ADL／リハビリ(A)"));

        // the review sheet finds the RAP row of that day and asks where to write
        commands.KENTO_PRINT();
        QCOMPARE(f.chooser.asked, 1);
        QCOMPARE(f.msg.count(), 0);
        QCOMPARE(f.reports.shown.size(), 2);
    }

    void cancelledRapRunDoesNothing()
    {
        PrintFixture f;
        f.sql("INSERT INTO [RAP] VALUES (?, ?, ?)",
              {Value("K01"), Value(day(2005, 8, 17)), Value("01")});
        PrintCommands commands(f.state);
        commands.RAP_PRINT();
        commands.RAPL_PRINT();
        commands.KENTO_PRINT();
        QVERIFY(f.reports.shown.isEmpty());
        QCOMPARE(f.chooser.asked, 0);
        QCOMPARE(f.msg.count(), 0);
        QVERIFY(!QFile::exists(f.folder.file("orv21_trigger.xml")));
        QVERIFY(!QFile::exists(f.folder.file("RAP_01.xml")));
    }

    void unwritableFileIsReportedAndNoReportOpens()
    {
        PrintFixture f;
        QDir().mkdir(f.folder.file("orv21_s.xml")); // a folder in the way of the file
        f.finder.picks << qMakePair(QString("K01"), day(2005, 8, 17));
        PrintCommands commands(f.state);
        commands.SAM_PRINT();
        QVERIFY(f.reports.shown.isEmpty());
        QCOMPARE(f.msg.count(), 1);
        QCOMPARE(f.msg.last().style, int(StyleCritical));
    }
};

QTEST_GUILESS_MAIN(TestPrintCommands)
#include "tst_printcommands.moc"
