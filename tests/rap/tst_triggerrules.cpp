#include "rap/SectionValues.h"
#include "rap/TriggerEngine.h"
#include "rap/TriggerRuleTable.h"

#include <QtTest>

using namespace orv;

namespace {

// "B2-a=1 B2-b=0" into the rows the rules read; unnamed items stay empty.
SectionValues valuesOf(const QString& assignments)
{
    const TriggerRuleTable& table = TriggerRuleTable::instance();
    QHash<QString, QVector<qint64>> rows;
    for (const QString& table_ : table.tables())
        rows[table_] = QVector<qint64>(table.columnsOf(table_).size(), -1);
    for (const QString& assignment : assignments.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString column = assignment.section(QLatin1Char('='), 0, 0);
        const qint64 value = assignment.section(QLatin1Char('='), 1).toLongLong();
        bool found = false;
        for (const QString& table_ : table.tables()) {
            const int slot = int(table.columnsOf(table_).indexOf(column));
            if (slot >= 0) {
                rows[table_][slot] = value;
                found = true;
            }
        }
        if (!found)
            qWarning("no rule reads %s", qPrintable(column));
    }
    SectionValues values;
    for (auto it = rows.cbegin(); it != rows.cend(); ++it)
        values.setRow(table.tableIndex(it.key()), it.value());
    return values;
}

QString evidenceText(const RapSenseRows& rows)
{
    QStringList parts;
    for (const RapSenseRow& row : rows)
        parts << row.key + QLatin1Char(':') + row.value;
    return parts.join(QLatin1Char(' '));
}

} // namespace

class TestTriggerRules : public QObject
{
    Q_OBJECT

private slots:
    void tableShape()
    {
        const TriggerRuleTable& table = TriggerRuleTable::instance();
        QCOMPARE(table.keyCount(), 79);
        const QStringList keys = table.keys();
        QCOMPARE(keys.first(), QStringLiteral("B1"));
        QCOMPARE(keys.mid(74), (QStringList{"P3", "OH1", "OH2", "OH3", "OJ1"}));
        QCOMPARE(table.columnsOf("E").size(), 24);
        QCOMPARE(QSet<QString>(keys.begin(), keys.end()).size(), 79);
    }

    void labels_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("label");
        QTest::newRow("小項目") << "B2-a"
                                << "B2a";
        QTest::newRow("二文字") << "I1-gg"
                                << "I1gg";
        QTest::newRow("A欄") << "E4-a-A"
                             << "E4a(A)";
        QTest::newRow("B欄") << "G1-g-B"
                             << "G1g(B)";
        QTest::newRow("項目直下のA欄") << "G2-A"
                                       << "G2(A)";
        QTest::newRow("枝なし") << "M3"
                                << "M3";
    }
    void labels()
    {
        QFETCH(QString, column);
        QFETCH(QString, label);
        QCOMPARE(TriggerRuleTable::evidenceLabel(column), label);
    }

    void rules_data()
    {
        QTest::addColumn<QString>("items");
        QTest::addColumn<QString>("evidence");

        QTest::newRow("すべて空") << ""
                                  << "";
        QTest::newRow("B4=1 範囲の下端") << "B4=1"
                                         << "B2:B4=1";
        QTest::newRow("B4=4 範囲の上端とB3") << "B4=4"
                                             << "B2:B4=4 B3:B4=4";
        QTest::newRow("B4=0 範囲の外") << "B4=0"
                                       << "";
        QTest::newRow("B4=5 範囲の外") << "B4=5"
                                       << "";
        QTest::newRow("G1-a=2") << "G1-a=2"
                                << "G1:G1a=2";
        QTest::newRow("G1-a=3") << "G1-a=3"
                                << "G1:G1a=3 G2:G1a=3";
        QTest::newRow("G1-a=7") << "G1-a=7"
                                << "";
        QTest::newRow("G1-a=8") << "G1-a=8"
                                << "G2:G1a=8";
        QTest::newRow("G1-g-B=4") << "G1-g-B=4"
                                  << "G1:G1g(B)=4";
        QTest::newRow("G1 複数一致は項目順") << "G1-j=2 G1-i-A=6 G1-b=5"
                                             << "G1:G1b=5 G1:G1i(A)=6 G1:G1j=2";
        QTest::newRow("L1-f=0 はL2") << "L1-f=0"
                                     << "L2:L1f=ﾁｪｯｸなし";
        QTest::newRow("L1-f=1") << "L1-f=1"
                                << "";
        QTest::newRow("N2=0") << "N2=0"
                              << "N2:N2=0";
        QTest::newRow("N2=2") << "N2=2"
                              << "N3:N2=2";
        QTest::newRow("N2=3") << "N2=3"
                              << "N3:N2=3";
        QTest::newRow("N2=1") << "N2=1"
                              << "";
        QTest::newRow("B1 相手が0") << "B2-a=1 B2-b=0"
                                    << "B1:B2a=1 B1:B2b=0";
        QTest::newRow("B1 相手が空は-1") << "B2-a=1"
                                         << "B1:B2a=1 B1:B2b=-1";
        QTest::newRow("B1 後ろだけ") << "B2-b=1"
                                     << "B1:B2a=-1 B1:B2b=1";
        QTest::newRow("I4 相手が空はﾁｪｯｸなし") << "I1-nn=1"
                                               << "I4:I1ll=ﾁｪｯｸなし I4:I1nn=ﾚ";
        QTest::newRow("K4 両方") << "K4-a=1 K4-c=1"
                                 << "K4:K4a=ﾚ K4:K4c=ﾚ";
        QTest::newRow("B4 ループ二つ") << "B5-b=2 B5-e=2"
                                       << "B4:B5b=2 B4:B5e=2";
        QTest::newRow("E1 ループと単独") << "E1-o=2 E1-a=1"
                                         << "E1:E1a=1 E1:E1o=2 E3:E1o=2";
        QTest::newRow("E7とE6") << "E4-a-A=3 E4-e-A=1"
                                << "E6:E4a(A)=3 E7:E4a(A)=3 E7:E4e(A)=1";
        QTest::newRow("H3-f は読まない") << "H1-a=2"
                                         << "";
        QTest::newRow("H5 ループ") << "H3-c=1 H3-g=1"
                                   << "H5:H3c=ﾚ H5:H3g=ﾚ";
        QTest::newRow("J1 ループ") << "J1-a=1 J1-d=1"
                                   << "J1:J1a=ﾚ J1:J1d=ﾚ";
        QTest::newRow("チェック項目の2") << "D2-a=2"
                                         << "";
        QTest::newRow("数値形式の1") << "K1-c=1 K3-a=1 M3=1 E5=1"
                                     << "E8:E5=1 K2:K1c=1 K3:K3a=1 M3:M3=1";
        QTest::newRow("H1-b は H2 と OH1") << "H1-b=5"
                                           << "H2:H1b=5 OH1:H1b=5";
        QTest::newRow("H2-b は H3 と OH2") << "H2-b=1 H2-c=1"
                                           << "H3:H2b=ﾚ OH2:H2b=1 OH3:H2c=1";
        QTest::newRow("OJ1") << "J2-a=2"
                             << "OJ1:J2a=2";
        QTest::newRow("O4 は1から7") << "O4-a=7 O4-b=8 O4-e=1"
                                     << "O1:O4a=7 O4:O4e=1";
        QTest::newRow("P4-c=2") << "P4-c=2 P4-e=1"
                                << "P1:P4c=2 P2:P4c=2 P3:P4e=1";
        QTest::newRow("負の値") << "B4=-1 C1=-5"
                                << "";
    }
    void rules()
    {
        QFETCH(QString, items);
        QFETCH(QString, evidence);
        const TriggerResult result =
            TriggerEngine(TriggerRuleTable::instance()).evaluate(valuesOf(items));
        QCOMPARE(evidenceText(result.evidence), evidence);
        // Marked keys are exactly the keys that have rows.
        QStringList keysWithRows;
        for (const RapSenseRow& row : result.evidence) {
            if (!keysWithRows.contains(row.key))
                keysWithRows << row.key;
        }
        QCOMPARE(result.marks.setKeys(), keysWithRows);
    }

    void checkForm_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("check");
        QTest::addColumn<QString>("text");
        QTest::newRow("1はﾚ") << 1 << true << "I1ll=ﾚ";
        QTest::newRow("0") << 0 << true << "I1ll=ﾁｪｯｸなし";
        QTest::newRow("空") << -1 << true << "I1ll=ﾁｪｯｸなし";
        QTest::newRow("2") << 2 << true << "I1ll=ﾁｪｯｸなし";
        QTest::newRow("数値形式") << -1 << false << "I1ll=-1";
        QTest::newRow("数値形式の上限") << 32767 << false << "I1ll=32767";
    }
    void checkForm()
    {
        QFETCH(int, value);
        QFETCH(bool, check);
        QFETCH(QString, text);
        QCOMPARE(RapSenseRow::AddRAPSense("I4", "I1ll", qint16(value), check).value, text);
    }
};

QTEST_GUILESS_MAIN(TestTriggerRules)
#include "tst_triggerrules.moc"
