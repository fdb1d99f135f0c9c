#include "data/DaoType.h"
#include "data/ValueConverter.h"

#include <QtTest>

using namespace orv;

Q_DECLARE_METATYPE(orv::Value)

namespace {

ColumnInfo columnOf(int type, int size = 0, const QString& name = "X")
{
    ColumnInfo column;
    column.name = name;
    column.type = type;
    column.size = size;
    return column;
}

DateValue day(int y, int m, int d)
{
    return DateValue::fromDate(QDate(y, m, d));
}

} // namespace

class TestValueConverter : public QObject
{
    Q_OBJECT

private slots:
    void conversions_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("size");
        QTest::addColumn<Value>("input");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<Value>("stored");

        const Value none;
        QTest::newRow("Byte 0") << int(dbByte) << 1 << Value(0) << true << Value(0);
        QTest::newRow("Byte 255") << int(dbByte) << 1 << Value(255) << true << Value(255);
        QTest::newRow("Byte 256 overflows") << int(dbByte) << 1 << Value(256) << false << none;
        QTest::newRow("Byte -1 overflows") << int(dbByte) << 1 << Value(-1) << false << none;
        QTest::newRow("Byte text 12") << int(dbByte) << 1 << Value("12") << true << Value(12);
        QTest::newRow("Integer 32767")
            << int(dbInteger) << 2 << Value(32767) << true << Value(32767);
        QTest::newRow("Integer -32768")
            << int(dbInteger) << 2 << Value(-32768) << true << Value(-32768);
        QTest::newRow("Integer 32768 overflows")
            << int(dbInteger) << 2 << Value(32768) << false << none;
        QTest::newRow("Integer 2.5 to even")
            << int(dbInteger) << 2 << Value(2.5) << true << Value(2);
        QTest::newRow("Integer 3.5 to even")
            << int(dbInteger) << 2 << Value(3.5) << true << Value(4);
        QTest::newRow("Long 2147483647")
            << int(dbLong) << 4 << Value(qint64(2147483647)) << true << Value(qint64(2147483647));
        QTest::newRow("Long 2147483648 overflows")
            << int(dbLong) << 4 << Value(qint64(2147483648LL)) << false << none;
        QTest::newRow("Long text with blanks")
            << int(dbLong) << 4 << Value(" 12 ") << true << Value(12);
        QTest::newRow("Long text abc refused") << int(dbLong) << 4 << Value("abc") << false << none;
        QTest::newRow("Long empty text refused") << int(dbLong) << 4 << Value("") << false << none;
        QTest::newRow("Long Null") << int(dbLong) << 4 << none << true << none;
        QTest::newRow("Single text 1.5")
            << int(dbSingle) << 4 << Value("1.5") << true << Value(1.5);
        QTest::newRow("Single 1e39 overflows")
            << int(dbSingle) << 4 << Value(1e39) << false << none;
        QTest::newRow("Double 1e39") << int(dbDouble) << 8 << Value(1e39) << true << Value(1e39);
        QTest::newRow("Double text inf refused")
            << int(dbDouble) << 8 << Value("inf") << false << none;
        QTest::newRow("Date text")
            << int(dbDate) << 8 << Value("2005/08/17") << true << Value(day(2005, 8, 17));
        QTest::newRow("Date era text")
            << int(dbDate) << 8 << Value("平成17年8月17日") << true << Value(day(2005, 8, 17));
        QTest::newRow("Date serial")
            << int(dbDate) << 8 << Value(38581) << true << Value(day(2005, 8, 17));
        QTest::newRow("Date 2005/02/30 refused")
            << int(dbDate) << 8 << Value("2005/02/30") << false << none;
        QTest::newRow("Date empty text refused") << int(dbDate) << 8 << Value("") << false << none;
        QTest::newRow("Date keeps time")
            << int(dbDate) << 8 << Value("2005/08/17 9:05") << true
            << Value(DateValue::fromDateTime(QDate(2005, 8, 17), QTime(9, 5)));
        QTest::newRow("Text from number") << int(dbText) << 10 << Value(12) << true << Value("12");
        QTest::newRow("Text from double")
            << int(dbText) << 10 << Value(1.5) << true << Value("1.5");
        QTest::newRow("Text from date")
            << int(dbText) << 10 << Value(day(2005, 8, 17)) << true << Value("2005/08/17");
        QTest::newRow("Text at its size")
            << int(dbText) << 4 << Value("あいうえ") << true << Value("あいうえ");
        QTest::newRow("Text over its size")
            << int(dbText) << 4 << Value("あいうえお") << false << none;
        QTest::newRow("Text with a pair at its size")
            << int(dbText) << 4 << Value("あい𠮷") << true << Value("あい𠮷");
        QTest::newRow("Text with a pair over its size")
            << int(dbText) << 4 << Value("あいう𠮷") << false << none;
        QTest::newRow("Text with a lone surrogate refused")
            << int(dbText) << 4 << Value(QString(QChar(0xD842))) << false << none;
        QTest::newRow("Memo with a lone surrogate refused")
            << int(dbMemo) << 0 << Value("x" + QString(QChar(0xDFB7))) << false << none;
        QTest::newRow("Text empty stays empty")
            << int(dbText) << 4 << Value("") << true << Value("");
        QTest::newRow("Memo unlimited")
            << int(dbMemo) << 0 << Value(QString(70000, 'x')) << true << Value(QString(70000, 'x'));
    }

    void conversions()
    {
        QFETCH(int, type);
        QFETCH(int, size);
        QFETCH(Value, input);
        QFETCH(bool, accepted);
        QFETCH(Value, stored);
        Value converted("untouched");
        QString error;
        QCOMPARE(ValueConverter::convert(columnOf(type, size), input, &converted, &error),
                 accepted);
        if (accepted) {
            QCOMPARE(converted.kind(), stored.kind());
            QCOMPARE(converted, stored);
            QVERIFY(error.isEmpty());
        } else {
            QVERIFY(!error.isEmpty());
            QVERIFY(error.contains("X"));
        }
    }

    void keyDatesLoseTheirTime()
    {
        const DateValue withTime = DateValue::fromDateTime(QDate(2005, 8, 17), QTime(13, 30));
        for (const char* name : {"基準日", "記入日"}) {
            Value converted;
            QVERIFY(ValueConverter::convert(columnOf(dbDate, 8, name), withTime, &converted));
            QCOMPARE(converted, Value(day(2005, 8, 17)));
        }
        Value converted;
        QVERIFY(ValueConverter::convert(columnOf(dbDate, 8, "1-3-1"), withTime, &converted));
        QCOMPARE(converted, Value(withTime));
    }
};

QTEST_GUILESS_MAIN(TestValueConverter)
#include "tst_valueconverter.moc"
