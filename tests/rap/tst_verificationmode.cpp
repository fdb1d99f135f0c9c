#include "RapFixture.h"

#include "rap/VerificationMode.h"

using namespace orv;
using namespace orv::test;

namespace {
QString verdicts(const QList<int>& holding)
{
    QStringList marks(22, "×");
    for (int position : holding)
        marks[position - 1] = "○";
    return marks.join(',');
}
} // namespace

class TestVerificationMode : public QObject
{
    Q_OBJECT

private slots:
    void emptyTableA()
    {
        RapFixture f;
        f.run("INSERT INTO RAP ([ID],[記入日],[RAP]) VALUES ('R009','2004-01-01','01')");
        VerificationMode(f.state).KenteiMode();
        QCOMPARE(f.boxes.texts(), (QStringList{"検定モードに突入します。", "終了しました"}));
        QCOMPARE(f.boxes.shown().at(0).style, int(StyleInformation));
        QCOMPARE(f.boxes.shown().at(1).style, int(StyleInformation));
        QCOMPARE(f.count("RAP"), 0);
        QVERIFY(f.state.TestMode);
        QVERIFY(f.finder.modes.isEmpty());
    }

    void everyAssessmentGetsItsVerdicts()
    {
        RapFixture f;
        f.addAssessment("R001", day(2005, 8, 17), {{"G1-a", 2}});
        f.addAssessment("R001", day(2006, 2, 17), {{"N1-a", 1}, {"N2", 0}});
        f.addAssessment("R002", day(2005, 3, 3), {{"P4-c", 2}});
        f.run("INSERT INTO RAP ([ID],[記入日],[RAP]) VALUES ('R009','2004-01-01','01')");

        VerificationMode(f.state).KenteiMode();
        QCOMPARE(f.boxes.texts(), (QStringList{"検定モードに突入します。", "終了しました"}));
        QCOMPARE(f.rapRows(), (QStringList{"R001 2005-08-17 " + verdicts({5}),
                                           "R001 2006-02-17 " + verdicts({12}),
                                           "R002 2005-03-03 " + verdicts({13, 18, 20})}));
        // The scratch tables and the selection hold the last assessment.
        QCOMPARE(f.evidence(), (QStringList{"P1:P4c=2", "P2:P4c=2"}));
        QCOMPARE(f.state.CurID, QStringLiteral("R002"));
        QCOMPARE(f.state.CurKijunbi, day(2005, 3, 3));

        // A second entry runs the whole batch again.
        f.boxes.clear();
        f.run("UPDATE [P] SET [P4-c]=NULL");
        VerificationMode(f.state).KenteiMode();
        QCOMPARE(f.boxes.count(), 2);
        QVERIFY(f.state.TestMode);
        QCOMPARE(f.rapRows().last(), "R002 2005-03-03 " + verdicts({}));
        QCOMPARE(f.count("RAP"), 3);
    }

    void faultyAssessmentsNamedOnce()
    {
        RapFixture f;
        f.addAssessment("R001", day(2005, 8, 17), {{"C1", 2}});
        f.addAssessment("R002", day(2005, 9, 1), {}, "鈴木", "一郎", "H");
        f.addAssessment("R003", day(2005, 9, 2), {{"D1", 1}});
        f.addAssessment("R004", day(2005, 9, 3), {}, "佐藤", "二郎");
        f.run("UPDATE [M] SET [M3]=99999 WHERE [ID]='R004'");

        VerificationMode(f.state).KenteiMode();
        QCOMPARE(f.boxes.count(), 3);
        QCOMPARE(f.boxes.shown().at(1).text, QStringLiteral("終了しました"));
        const ScriptedMessageBox::Shown report = f.boxes.last();
        QCOMPARE(report.style, int(StyleExclamation));
        QVERIFY2(report.text.contains("次の 2 件"), qPrintable(report.text));
        QVERIFY(report.text.contains("鈴木一郎さん（ID R002）の平成17年09月01日のアセスメント"));
        QVERIFY(report.text.contains("セクション H の記録がありません"));
        QVERIFY(report.text.contains("佐藤二郎さん（ID R004）の平成17年09月03日"));
        QVERIFY(report.text.contains("M3 の値「99999」"));
        QCOMPARE(f.rapRows(), (QStringList{"R001 2005-08-17 " + verdicts({4}),
                                           "R003 2005-09-02 " + verdicts({3})}));
    }

    void databaseErrorKeepsRapTable()
    {
        RapFixture f;
        f.addAssessment("R001", day(2005, 8, 17), {{"C1", 2}});
        f.addAssessment("R002", day(2005, 9, 1), {{"C1", 2}});
        f.run("INSERT INTO RAP ([ID],[記入日],[RAP]) VALUES ('R001','2005-08-17','04')");
        f.run("CREATE TRIGGER [full] BEFORE INSERT ON [RAP] WHEN NEW.[ID]='R002' BEGIN "
              "SELECT RAISE(ABORT, 'ディスクがいっぱいです'); END");
        VerificationMode(f.state).KenteiMode();
        QCOMPARE(f.boxes.count(), 2);
        QCOMPARE(f.boxes.last().style, int(StyleCritical));
        QVERIFY(f.boxes.last().text.contains("ディスクがいっぱいです"));
        QVERIFY(f.boxes.last().text.contains("（ID R002）の平成17年09月01日のアセスメント"));
        QCOMPARE(f.rapRows(), QStringList{"R001 2005-08-17 04"});
        QVERIFY(!f.db().inTransaction());
    }
};

QTEST_GUILESS_MAIN(TestVerificationMode)
#include "tst_verificationmode.moc"
