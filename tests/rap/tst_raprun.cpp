#include "RapFixture.h"

#include "rap/RapRun.h"

using namespace orv;
using namespace orv::test;

using Items = QMap<QString, Value>;
Q_DECLARE_METATYPE(Items)

class TestRapRun : public QObject
{
    Q_OBJECT

private slots:
    void evaluatesPickedAssessment_data()
    {
        QTest::addColumn<Items>("items");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QStringList>("evidence");

        QTest::newRow("すべて空") << Items{} << "" << QStringList{};
        QTest::newRow("B3だけ") << Items{{"B4", 4}} << "02,05b"
                                << QStringList{"B2:B4=4", "B3:B4=4"};
        QTest::newRow("せん妄と向精神薬") << Items{{"B5-b", 2}, {"B5-e", 2}, {"O4-a", 1}} << "01,17"
                                          << QStringList{"B4:B5b=2", "B4:B5e=2", "O1:O4a=1"};
        QTest::newRow("OR規則の空の相手")
            << Items{{"B2-a", 1}, {"I1-nn", 1}} << "02,03"
            << QStringList{"B1:B2a=1", "B1:B2b=-1", "I4:I1ll=ﾁｪｯｸなし", "I4:I1nn=ﾚ"};
        QTest::newRow("L2とN2は0で") << Items{{"L1-f", 0}, {"N2", 0}, {"N1-a", 1}} << "10b,15"
                                     << QStringList{"L2:L1f=ﾁｪｯｸなし", "N1:N1a=ﾚ", "N2:N2=0"};
        QTest::newRow("N2だけでは10bなし") << Items{{"N2", 0}} << "" << QStringList{"N2:N2=0"};
        QTest::newRow("排便と痛み")
            << Items{{"H2-c", 1}, {"J2-a", 2}} << "19,20" << QStringList{"OH3:H2c=1", "OJ1:J2a=2"};
    }
    void evaluatesPickedAssessment()
    {
        QFETCH(Items, items);
        QFETCH(QString, list);
        QFETCH(QStringList, evidence);
        RapFixture f;
        f.addAssessment("R001", day(2005, 8, 17), items);
        f.finder.picks.enqueue({"R001", day(2005, 8, 17)});

        QCOMPARE(RapRun(f.state).RAP_CREATE(), RapRunOutcome::Evaluated);
        QCOMPARE(f.finder.modes, QList<int>{1});
        QCOMPARE(f.boxes.count(), 0);
        QCOMPARE(f.evidence(), evidence);
        QCOMPARE(f.rapRows(), QStringList{"R001 2005-08-17 " + list});
        QStringList keys;
        for (const QString& row : evidence) {
            const QString mark = row.section(':', 0, 0) + "=○";
            if (!keys.contains(mark))
                keys << mark;
        }
        QCOMPARE(f.markedKeys(), keys);
        QCOMPARE(f.column("SELECT [ID] || ' ' || [記入日] FROM [Trigger]"),
                 QStringList{"R001 2005-08-17"});
        QCOMPARE(f.state.CurID, QStringLiteral("R001"));
        QCOMPARE(f.state.CurKijunbi, day(2005, 8, 17));
        QCOMPARE(f.state.CurName, QStringLiteral("山田花子"));
        QVERIFY(!f.state.RapRs);
    }

    void residentName_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("name");
        QTest::newRow("姓名") << "山田"
                              << "花子"
                              << "山田花子";
        QTest::newRow("名が空") << "山田" << QString() << "山田";
        QTest::newRow("両方空") << QString() << QString() << "";
    }
    void residentName()
    {
        QFETCH(QString, family);
        QFETCH(QString, given);
        QFETCH(QString, name);
        RapFixture f;
        f.addAssessment("R001", day(2005, 8, 17), {}, family, given);
        f.state.CurName = "前の人";
        f.finder.picks.enqueue({"R001", day(2005, 8, 17)});
        QCOMPARE(RapRun(f.state).RAP_CREATE(), RapRunOutcome::Evaluated);
        QCOMPARE(f.state.CurName, name);
    }

    void cancelledPickChangesNothing()
    {
        RapFixture f;
        f.addAssessment("R001", day(2005, 8, 17), {{"B4", 2}});
        f.finder.picks.enqueue({"R001", day(2005, 8, 17)});
        RapRun run(f.state);
        QCOMPARE(run.RAP_CREATE(), RapRunOutcome::Evaluated);
        f.state.CurName = "そのまま";

        QCOMPARE(run.RAP_CREATE(), RapRunOutcome::Cancelled);
        QVERIFY(f.state.CurID.isEmpty());
        QCOMPARE(f.state.CurName, QStringLiteral("そのまま"));
        QCOMPARE(f.evidence(), QStringList{"B2:B4=2"});
        QCOMPARE(f.markedKeys(), QStringList{"B2=○"});
        QCOMPARE(f.rapRows(), QStringList{"R001 2005-08-17 02"});
        QCOMPARE(f.boxes.count(), 0);
    }

    void runningTwiceReplacesRows()
    {
        RapFixture f;
        f.addAssessment("R001", day(2005, 8, 17), {{"B5-a", 2}, {"B5-c", 2}});
        f.addAssessment("R001", day(2005, 2, 1), {{"K5-b", 1}});
        RapRun run(f.state);
        f.finder.picks.enqueue({"R001", day(2005, 2, 1)});
        f.finder.picks.enqueue({"R001", day(2005, 8, 17)});
        f.finder.picks.enqueue({"R001", day(2005, 8, 17)});
        QCOMPARE(run.RAP_CREATE(), RapRunOutcome::Evaluated);
        QCOMPARE(run.RAP_CREATE(), RapRunOutcome::Evaluated);
        const QStringList evidence = f.evidence();
        f.run("UPDATE [B] SET [B5-c]=NULL WHERE [基準日]='2005-08-17'");
        QCOMPARE(run.RAP_CREATE(), RapRunOutcome::Evaluated);

        QCOMPARE(evidence, (QStringList{"B4:B5a=2", "B4:B5c=2"}));
        QCOMPARE(f.evidence(), QStringList{"B4:B5a=2"});
        QCOMPARE(f.count("Trigger"), 1);
        QCOMPARE(f.rapRows(), (QStringList{"R001 2005-02-01 13,14", "R001 2005-08-17 01"}));
    }

    void verificationSelectionSkipsFinder()
    {
        RapFixture f;
        f.addAssessment("R002", day(2006, 1, 5), {{"E1-a", 1}});
        f.state.TestMode = true;
        f.state.CurID = "R002";
        f.state.CurKijunbi = day(2006, 1, 5);
        QCOMPARE(RapRun(f.state).RAP_CREATE(), RapRunOutcome::Evaluated);
        QVERIFY(f.finder.modes.isEmpty());
        QCOMPARE(f.rapRows(), QStringList{"R002 2006-01-05 ×,×,×,×,×,×,×,×,○," +
                                          QStringList(13, "×").join(',')});
    }

    void faultyAssessmentWritesNothing_data()
    {
        QTest::addColumn<QString>("leaveOut");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("reason");
        QTest::newRow("Gの行がない") << "G"
                                     << ""
                                     << "セクション G の記録がありません。";
        QTest::newRow("AとPの行がない") << "AP"
                                        << ""
                                        << "セクション A、P の記録がありません。";
        QTest::newRow("16ビットを超える")
            << ""
            << "UPDATE [E] SET [E5]=40000"
            << "項目 E5 の値「40000」は -32768 から 32767 までの整数ではありません。";
        QTest::newRow("16ビットの下") << ""
                                      << "UPDATE [O] SET [O4-c]=-32769"
                                      << "項目 O4-c の値「-32769」は";
        QTest::newRow("整数でない") << ""
                                    << "UPDATE [K] SET [K1-b]='abc'"
                                    << "項目 K1-b の値「abc」";
    }
    void faultyAssessmentWritesNothing()
    {
        QFETCH(QString, leaveOut);
        QFETCH(QString, sql);
        QFETCH(QString, reason);
        RapFixture f;
        f.addAssessment("R001", day(2005, 8, 17), {{"C1", 1}});
        f.addAssessment("R002", day(2005, 9, 1), {{"B4", 4}}, "鈴木", "一郎", leaveOut);
        if (!sql.isEmpty())
            f.run(sql + " WHERE [ID]='R002'");
        RapRun run(f.state);
        f.finder.picks.enqueue({"R001", day(2005, 8, 17)});
        QCOMPARE(run.RAP_CREATE(), RapRunOutcome::Evaluated);
        f.run("INSERT INTO RAP ([ID],[記入日],[RAP]) VALUES ('R002','2005-09-01','06')");

        f.finder.picks.enqueue({"R002", day(2005, 9, 1)});
        QCOMPARE(run.RAP_CREATE(), RapRunOutcome::NotEvaluated);
        QCOMPARE(f.boxes.count(), 1);
        QCOMPARE(f.boxes.last().style, int(StyleCritical));
        const QString text = f.boxes.last().text;
        QVERIFY2(
            text.contains(leaveOut.contains('A') ? "ID R002 の利用者" : "鈴木一郎さん（ID R002）"),
            qPrintable(text));
        QVERIFY2(text.contains("平成17年09月01日"), qPrintable(text));
        QVERIFY2(text.contains(reason), qPrintable(text));
        QVERIFY(f.state.CurID.isEmpty());
        QCOMPARE(f.evidence(), QStringList{"C1:C1=1"});
        QCOMPARE(f.rapRows(), (QStringList{"R001 2005-08-17 04", "R002 2005-09-01 06"}));
    }

    void failedWriteKeepsOldRows()
    {
        RapFixture f;
        f.addAssessment("R001", day(2005, 8, 17), {{"C1", 1}});
        f.finder.picks.enqueue({"R001", day(2005, 8, 17)});
        RapRun run(f.state);
        QCOMPARE(run.RAP_CREATE(), RapRunOutcome::Evaluated);
        f.run("UPDATE [C] SET [C1]=NULL, [C4]=2");
        f.run("CREATE TRIGGER [full] BEFORE INSERT ON [RAP] BEGIN SELECT RAISE(ABORT, "
              "'ディスクがいっぱいです'); END");

        f.finder.picks.enqueue({"R001", day(2005, 8, 17)});
        QCOMPARE(run.RAP_CREATE(), RapRunOutcome::Failed);
        QCOMPARE(f.boxes.count(), 1);
        QVERIFY(f.boxes.last().text.contains("ディスクがいっぱいです"));
        QCOMPARE(f.rapRows(), QStringList{"R001 2005-08-17 04"});
        QCOMPARE(f.evidence(), QStringList{"C1:C1=1"});
        QVERIFY(!f.db().inTransaction());
    }
};

QTEST_GUILESS_MAIN(TestRapRun)
#include "tst_raprun.moc"
