#include "support/InterleavedRuns.h"

#include <QtTest>

using namespace orv::bench;

// The runs return made-up times: what is checked is the order of the runs, which rounds count
// and when the rounds stop, never how long anything took. A run fails once it is called more
// often than its test needs, so that rounds that do not stop fail the test at once rather than
// when their time is spent.
class TestInterleavedRuns : public QObject
{
    Q_OBJECT

private slots:
    void roundsReverseTheirOrderAfterAWarmUp()
    {
        QString calls;
        InterleavedRuns runs;
        const int a = runs.add([&] {
            calls += 'a';
            return calls.size() > 30 ? -1.0 : calls.size() == 1 ? 1000.0 : 2.0;
        });
        const int b = runs.add([&] { return (calls += 'b', 1.0); });
        const int c = runs.add([&] { return (calls += 'c', 4.0); });
        runs.settle(a, b);
        QVERIFY(runs.measure({4, 60}));
        QCOMPARE(calls, QStringLiteral("abc"
                                       "cba"
                                       "abc"
                                       "cba"
                                       "abc"));
        QCOMPARE(runs.rounds(), 4);
        // The warm-up's 1000 ms does not count.
        QCOMPARE(runs.time(a), 2.0);
        QCOMPARE(runs.ratio(c, b), 4.0);
        QCOMPARE(runs.interval(a, b).low, 2.0);
        QCOMPARE(runs.interval(a, b).high, 2.0);
    }

    void aRunCountsWithItsLowerQuartile_data()
    {
        QTest::addColumn<QList<double>>("times");
        QTest::addColumn<double>("quartile");
        QTest::newRow("one") << QList<double>{5} << 5.0;
        QTest::newRow("between two") << QList<double>{40, 10, 30, 20} << 17.5;
        QTest::newRow("on one") << QList<double>{50, 10, 40, 20, 30} << 20.0;
        QTest::newRow("a disturbed round") << QList<double>{1, 1, 100, 1} << 1.0;
    }
    void aRunCountsWithItsLowerQuartile()
    {
        QFETCH(QList<double>, times);
        QFETCH(double, quartile);
        int call = 0;
        InterleavedRuns runs;
        // The warm-up's time is the first of them again.
        const int run = runs.add([&] {
            const int n = call++;
            return n > times.size() ? -1.0 : times.at(std::max(0, n - 1));
        });
        QVERIFY(runs.measure({int(times.size()), 60}));
        QCOMPARE(runs.rounds(), int(times.size()));
        QCOMPARE(runs.time(run), quartile);
    }

    void aFailedRunEndsTheMeasurement()
    {
        int calls = 0;
        InterleavedRuns runs;
        runs.add([] { return 1.0; });
        runs.add([&] { return ++calls == 3 ? -1.0 : 1.0; });
        QVERIFY(!runs.measure({30, 60}));
        QCOMPARE(calls, 3);
    }

    void roundsStop_data()
    {
        QTest::addColumn<double>("spread");
        QTest::addColumn<double>("seconds");
        QTest::addColumn<bool>("atLeastRounds");
        // Times 1 % apart settle as soon as the least rounds are done.
        QTest::newRow("settled") << 0.01 << 60.0 << true;
        // A quarter of the times a third of the rest never settle: the rounds go on until the
        // time is spent.
        QTest::newRow("unsettled") << 2.0 << 0.5 << false;
        QTest::newRow("no time") << 0.01 << 0.0 << false;
    }
    void roundsStop()
    {
        QFETCH(double, spread);
        QFETCH(double, seconds);
        QFETCH(bool, atLeastRounds);
        const int least = 10;
        int calls = 0;
        InterleavedRuns runs;
        const int program =
            runs.add([&] { return ++calls > 30000 ? -1.0 : 1 + spread * (calls % 4 != 0); });
        const int floor = runs.add([] { return 1.0; });
        runs.settle(program, floor);
        QVERIFY(runs.measure({least, seconds}));
        const InterleavedRuns::Interval range = runs.interval(program, floor);
        const double ratio = runs.ratio(program, floor);
        QVERIFY(range.low <= ratio && ratio <= range.high);
        if (atLeastRounds) {
            QCOMPARE(runs.rounds(), least);
            QVERIFY(range.high / range.low < 1.05);
        } else if (seconds > 0) {
            QVERIFY(runs.rounds() > least);
            QVERIFY(range.high / range.low > 2);
        } else {
            QCOMPARE(runs.rounds(), 1);
        }
    }
};

QTEST_APPLESS_MAIN(TestInterleavedRuns)
#include "tst_interleavedruns.moc"
