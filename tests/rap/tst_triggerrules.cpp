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

// The 79 rules written out once more, apart from the program's table: key, kind (S single,
// O or, L loop), items, their labels, range low..high, a further value that holds (or -),
// form (N number, C check).
const char* const EveryRule[] = {
    "B1 O B2-a,B2-b B2a,B2b 1 1 - N",
    "B2 S B4 B4 1 4 - N",
    "B3 S B4 B4 4 4 - N",
    "B4 L B5-a,B5-b,B5-c,B5-d,B5-e,B5-f B5a,B5b,B5c,B5d,B5e,B5f 2 2 - N",
    "B5 S B6 B6 2 2 - N",
    "C1 S C1 C1 1 3 - N",
    "C2 S C4 C4 1 4 - N",
    "C3 S C6 C6 1 4 - N",
    "C4 S C7 C7 2 2 - N",
    "D1 S D1 D1 1 3 - N",
    "D2 S D2-a D2a 1 1 - C",
    "E1 L E1-a,E1-b,E1-c,E1-d,E1-e,E1-f,E1-g,E1-h,E1-i,E1-j,E1-k,E1-l,E1-m,E1-n,E1-o,E1-p "
    "E1a,E1b,E1c,E1d,E1e,E1f,E1g,E1h,E1i,E1j,E1k,E1l,E1m,E1n,E1o,E1p 1 2 - N",
    "E2 S E1-n E1n 1 2 - N",
    "E3 S E1-o E1o 1 2 - N",
    "E4 S E2 E2 1 2 - N",
    "E5 S E3 E3 2 2 - N",
    "E6 S E4-a-A E4a(A) 1 3 - N",
    "E7 L E4-a-A,E4-b-A,E4-c-A,E4-d-A,E4-e-A E4a(A),E4b(A),E4c(A),E4d(A),E4e(A) 1 3 - N",
    "E8 S E5 E5 1 1 - N",
    "E9 S E5 E5 2 2 - N",
    "F1 S F1-d F1d 1 1 - C",
    "F2 L F2-a,F2-b,F2-c,F2-d F2a,F2b,F2c,F2d 1 1 - C",
    "F3 S F3-a F3a 1 1 - C",
    "F4 S F3-b F3b 1 1 - C",
    "F5 S F3-c F3c 1 1 - C",
    "G1 L G1-a,G1-b,G1-c,G1-d,G1-e,G1-f,G1-g-A,G1-g-B,G1-h,G1-i-A,G1-i-B,G1-j "
    "G1a,G1b,G1c,G1d,G1e,G1f,G1g(A),G1g(B),G1h,G1i(A),G1i(B),G1j 2 6 - N",
    "G2 S G1-a G1a 3 6 8 N",
    "G3 L G2-A,G2-B G2(A),G2(B) 2 6 - N",
    "G4 S G3-b G3b 1 3 - N",
    "G5 S G6-a G6a 1 1 - C",
    "G6 L G8-a,G8-b G8a,G8b 1 1 - C",
    "H1 S H1-a H1a 3 5 - N",
    "H2 S H1-b H1b 2 5 - N",
    "H3 S H2-b H2b 1 1 - C",
    "H4 S H2-d H2d 1 1 - C",
    "H5 L H3-c,H3-d,H3-e,H3-g H3c,H3d,H3e,H3g 1 1 - C",
    "I1 S I1-i I1i 1 1 - C",
    "I2 S I1-j I1j 1 1 - C",
    "I3 S I1-gg I1gg 1 1 - C",
    "I4 O I1-ll,I1-nn I1ll,I1nn 1 1 - C",
    "I5 S I1-tt I1tt 1 1 - C",
    "I6 S I2-j I2j 1 1 - C",
    "J1 L J1-a,J1-c,J1-d J1a,J1c,J1d 1 1 - C",
    "J2 S J1-f J1f 1 1 - C",
    "J3 S J1-h J1h 1 1 - C",
    "J4 S J1-i J1i 1 1 - C",
    "J5 S J1-j J1j 1 1 - C",
    "J6 O J1-k,J1-m J1k,J1m 1 1 - C",
    "J7 S J1-n J1n 1 1 - C",
    "J8 O J4-a,J4-b J4a,J4b 1 1 - C",
    "J9 S J4-c J4c 1 1 - C",
    "K1 S K1-b K1b 1 4 - N",
    "K2 S K1-c K1c 1 1 - N",
    "K3 S K3-a K3a 1 1 - N",
    "K4 O K4-a,K4-c K4a,K4c 1 1 - C",
    "K5 S K5-a K5a 1 1 - C",
    "K6 S K5-b K5b 1 1 - C",
    "K7 L K5-c,K5-d,K5-e K5c,K5d,K5e 1 1 - C",
    "L1 L L1-a,L1-c,L1-d,L1-e L1a,L1c,L1d,L1e 1 1 - C",
    "L2 S L1-f L1f 0 0 - C",
    "M1 S M2-a M2a 2 4 - N",
    "M2 S M2-a M2a 1 4 - N",
    "M3 S M3 M3 1 1 - N",
    "M4 S M4-e M4e 1 1 - C",
    "N1 S N1-a N1a 1 1 - C",
    "N2 S N2 N2 0 0 - N",
    "N3 S N2 N2 2 3 - N",
    "N4 L N5-a,N5-b N5a,N5b 1 2 - N",
    "O1 S O4-a O4a 1 7 - N",
    "O2 S O4-b O4b 1 7 - N",
    "O3 S O4-c O4c 1 7 - N",
    "O4 S O4-e O4e 1 7 - N",
    "P1 S P4-c P4c 1 2 - N",
    "P2 S P4-c P4c 2 2 - N",
    "P3 L P4-d,P4-e P4d,P4e 1 2 - N",
    "OH1 S H1-b H1b 2 5 - N",
    "OH2 S H2-b H2b 1 1 - N",
    "OH3 S H2-c H2c 1 1 - N",
    "OJ1 S J2-a J2a 1 2 - N",
};

QString formText(qint64 value, bool check)
{
    if (!check)
        return QString::number(value);
    return value == 1 ? QStringLiteral("ﾚ") : QStringLiteral("ﾁｪｯｸなし");
}

// The rows of one key only.
QString evidenceOf(const QString& key, const RapSenseRows& rows)
{
    QStringList parts;
    for (const RapSenseRow& row : rows) {
        if (row.key == key)
            parts << row.value;
    }
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

    // Every rule at both ends of its range and one step outside, each item on its own.
    void everyRule_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("items");
        QTest::addColumn<QString>("evidence");
        QStringList keys;
        for (const char* line : EveryRule) {
            const QStringList f = QString::fromUtf8(line).split(QLatin1Char(' '));
            const QString key = f.at(0);
            keys << key;
            const QStringList columns = f.at(2).split(QLatin1Char(','));
            const QStringList labels = f.at(3).split(QLatin1Char(','));
            const qint64 low = f.at(4).toLongLong();
            const qint64 high = f.at(5).toLongLong();
            const bool check = f.at(7) == QLatin1String("C");
            QList<qint64> holding{low, high};
            if (f.at(6) != QLatin1String("-"))
                holding << f.at(6).toLongLong();
            for (int i = 0; i < columns.size(); ++i) {
                for (const qint64 value : QList<qint64>{low - 1, high + 1, -1} + holding) {
                    const bool holds = holding.contains(value);
                    QStringList rows;
                    for (int j = 0; j < columns.size() && holds; ++j) {
                        if (j == i)
                            rows << labels.at(j) + "=" + formText(value, check);
                        else if (f.at(1) == QLatin1String("O"))
                            rows << labels.at(j) + "=" + formText(-1, check);
                    }
                    QTest::addRow("%s %s=%lld", qPrintable(key), qPrintable(columns.at(i)), value)
                        << key << columns.at(i) + "=" + QString::number(value)
                        << rows.join(QLatin1Char(' '));
                }
            }
            // All items at once: the rows in the listed order.
            if (columns.size() > 1) {
                QStringList assignments;
                QStringList rows;
                for (int j = 0; j < columns.size(); ++j) {
                    assignments << columns.at(j) + "=" + QString::number(low);
                    rows << labels.at(j) + "=" + formText(low, check);
                }
                QTest::addRow("%s すべて", qPrintable(key))
                    << key << assignments.join(QLatin1Char(' ')) << rows.join(QLatin1Char(' '));
            }
        }
        QCOMPARE(keys, TriggerRuleTable::instance().keys());
    }
    void everyRule()
    {
        QFETCH(QString, key);
        QFETCH(QString, items);
        QFETCH(QString, evidence);
        const TriggerResult result =
            TriggerEngine(TriggerRuleTable::instance()).evaluate(valuesOf(items));
        QCOMPARE(evidenceOf(key, result.evidence), evidence);
        QCOMPARE(result.marks.isSet(key), !evidence.isEmpty());
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
