#include "rap/RapCodeTable.h"
#include "rap/TriggerMarks.h"
#include "rap/TriggerRuleTable.h"

#include <QtTest>

using namespace orv;

class TestRapDecision : public QObject
{
    Q_OBJECT

private slots:
    // The 22 codes, their tests and key lists written out once more, apart from the table.
    void codeTable()
    {
        const QStringList expected{
            "01 any B4,B5,E5,E9",
            "02 any B1,B2,C3",
            "03 any D1,D2,I4",
            "04 any C1,C2,C3",
            "05a any G1,G3,G6",
            "05b any B3",
            "06 any H1,H5",
            "07 any E3,F1,F2,F3,F4,F5",
            "08 any E1,E4",
            "09 any E7,E8",
            "10a any N3,N4",
            "10b two N1,N2",
            "11 any E6,J2,J8,O2,O3,P1",
            "12 any K3,K4,K5,K7,M1",
            "13 any K6",
            "14 any I5,I6,J1,J3,J5,K5,K6,O4",
            "15 any K2,L1,L2",
            "16 any G2,G5,H2,I2,M2,M3,M4,P2",
            "17 both B4,B5,C4,E2,E5,E9,G4,H3,H4,I1,I3,J2,J4,J6,J7,J8,J9,K1/O1,O2,O3",
            "18 any P1,P3",
            "19 any OJ1",
            "20 any OH1,OH2,OH3",
        };
        QStringList actual;
        for (const RapCode& code : RapCodeTable::instance().codes()) {
            const char* test = code.test == RapTest::AnyItemSet    ? "any"
                               : code.test == RapTest::TwoItemsSet ? "two"
                                                                   : "both";
            actual << code.code + " " + test + " " + code.keys;
        }
        QCOMPARE(actual, expected);
    }

    void everyKeyCounts()
    {
        QSet<QString> listed;
        for (const RapCode& code : RapCodeTable::instance().codes()) {
            for (const QString& group : code.keys.split(QLatin1Char('/')))
                for (const QString& key : group.split(QLatin1Char(',')))
                    listed << key;
        }
        QCOMPARE(RapCodeTable::instance().codes().size(), 22);
        const QStringList keys = TriggerRuleTable::instance().keys();
        QCOMPARE(listed, QSet<QString>(keys.begin(), keys.end()));
    }

    void lists_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("list");
        QTest::newRow("なし") << ""
                              << "";
        QTest::newRow("B3だけ") << "B3"
                                << "05b";
        QTest::newRow("B4とO1") << "B4,O1"
                                << "01,17";
        QTest::newRow("O1だけ") << "O1"
                                << "";
        QTest::newRow("K1だけ") << "K1"
                                << "";
        QTest::newRow("N1だけ") << "N1"
                                << "";
        QTest::newRow("N2だけ") << "N2"
                                << "";
        QTest::newRow("N1とN2") << "N1,N2"
                                << "10b";
        QTest::newRow("K6だけ") << "K6"
                                << "13,14";
        QTest::newRow("C3だけ") << "C3"
                                << "02,04";
        QTest::newRow("第二群O3と第一群K1") << "K1,O3"
                                            << "11,17";
        QTest::newRow("N3とN1") << "N3,N1"
                                << "10a";
        QTest::newRow("OH2とOJ1") << "OH2,OJ1"
                                  << "19,20";
        QTest::newRow("すべて") << TriggerRuleTable::instance().keys().join(',')
                                << "01,02,03,04,05a,05b,06,07,08,09,10a,10b,11,12,13,14,15,16,17,"
                                   "18,19,20";
    }
    void lists()
    {
        QFETCH(QString, keys);
        QFETCH(QString, list);
        const TriggerMarks marks = TriggerMarks::fromKeys(keys.split(',', Qt::SkipEmptyParts));
        QCOMPARE(RapCodeTable::instance().WriteRAPList(marks, false), list);
    }

    void verdicts_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("verdicts");
        QTest::newRow("なし") << "" << QStringList(22, "×").join(',');
        QTest::newRow("05aだけ") << "G6"
                                 << "×,×,×,×,○,×," + QStringList(16, "×").join(',');
        QTest::newRow("17") << "J9,O2"
                            << "×,×,×,×,×,×,×,×,×,×,×,×,○,×,×,×,×,×,○,×,×,×";
    }
    void verdicts()
    {
        QFETCH(QString, keys);
        QFETCH(QString, verdicts);
        const TriggerMarks marks = TriggerMarks::fromKeys(keys.split(',', Qt::SkipEmptyParts));
        const QString list = RapCodeTable::instance().WriteRAPList(marks, true);
        QCOMPARE(list, verdicts);
        QCOMPARE(list.count(','), 21);
    }

    void tests_data()
    {
        QTest::addColumn<QString>("test");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<bool>("holds");
        QTest::newRow("Any 最後の一つ") << "any"
                                        << "B4,B5,E5,E9"
                                        << "E9" << true;
        QTest::newRow("Any なし") << "any"
                                  << "B4,B5,E5,E9"
                                  << "B1" << false;
        QTest::newRow("Any 空白は切らない") << "any"
                                            << "B4, B5"
                                            << "B5" << false;
        QTest::newRow("Two 一つ") << "two"
                                  << "N1,N2"
                                  << "N1" << false;
        QTest::newRow("Two 二つ") << "two"
                                  << "N1,N2"
                                  << "N2,N1" << true;
        QTest::newRow("Two 三つから二つ") << "two"
                                          << "A,B4,C1"
                                          << "C1,B4" << true;
        QTest::newRow("Both 第一群だけ") << "both"
                                         << "B4,B5/O1,O2"
                                         << "B5" << false;
        QTest::newRow("Both 第二群だけ") << "both"
                                         << "B4,B5/O1,O2"
                                         << "O2" << false;
        QTest::newRow("Both 両群") << "both"
                                   << "B4,B5/O1,O2"
                                   << "O2,B4" << true;
    }
    void tests()
    {
        QFETCH(QString, test);
        QFETCH(QString, list);
        QFETCH(QString, keys);
        QFETCH(bool, holds);
        const TriggerMarks marks = TriggerMarks::fromKeys(keys.split(','));
        const bool result = test == "any"   ? AnyItemSet(list, marks)
                            : test == "two" ? TwoItemsSet(list, marks)
                                            : BothGroupsSet(list, marks);
        QCOMPARE(result, holds);
    }
};

QTEST_GUILESS_MAIN(TestRapDecision)
#include "tst_rapdecision.moc"
