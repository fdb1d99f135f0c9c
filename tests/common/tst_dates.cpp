#include "common/DateFormat.h"
#include "common/DateParser.h"
#include "common/DateValue.h"
#include "common/EraCalendar.h"
#include "common/HalfWidth.h"
#include "common/Twips.h"

#include <QtTest>

using namespace orv;

class TestDates : public QObject
{
    Q_OBJECT

private slots:
    void zeroDateIsTheBaseDay()
    {
        QCOMPARE(DateValue().date(), QDate(1899, 12, 30));
        QVERIFY(DateValue::fromDate(QDate(1899, 12, 30)).isZero());
        QCOMPARE(DateValue::fromDate(QDate(2005, 8, 17)).serial(), 38581.0);
        const DateValue withTime = DateValue::fromDateTime(QDate(2005, 8, 17), QTime(9, 5));
        QCOMPARE(withTime.time(), QTime(9, 5));
        QCOMPARE(withTime.dateOnly(), DateValue::fromDate(QDate(2005, 8, 17)));
        const DateValue before = DateValue::fromDateTime(QDate(1899, 12, 29), QTime(6, 0));
        QCOMPARE(before.date(), QDate(1899, 12, 29));
        QCOMPARE(before.time(), QTime(6, 0));
    }

    void eraFormats_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("longForm");
        QTest::addColumn<QString>("shortForm");
        QTest::newRow("heisei") << QDate(2005, 8, 17) << "平成17年08月17日" << "平成17年8月17日";
        QTest::newRow("last meiji") << QDate(1912, 7, 29) << "明治45年07月29日" << "明治45年7月29日";
        QTest::newRow("first taisho") << QDate(1912, 7, 30) << "大正1年07月30日" << "大正1年7月30日";
        QTest::newRow("last taisho") << QDate(1926, 12, 24) << "大正15年12月24日" << "大正15年12月24日";
        QTest::newRow("first showa") << QDate(1926, 12, 25) << "昭和1年12月25日" << "昭和1年12月25日";
        QTest::newRow("last showa") << QDate(1989, 1, 7) << "昭和64年01月07日" << "昭和64年1月7日";
        QTest::newRow("first heisei") << QDate(1989, 1, 8) << "平成1年01月08日" << "平成1年1月8日";
        QTest::newRow("last heisei") << QDate(2019, 4, 30) << "平成31年04月30日" << "平成31年4月30日";
        QTest::newRow("first reiwa") << QDate(2019, 5, 1) << "令和1年05月01日" << "令和1年5月1日";
        QTest::newRow("meiji") << QDate(1900, 1, 1) << "明治33年01月01日" << "明治33年1月1日";
        // no era before Meiji is printed: such days print in the western calendar
        QTest::newRow("first meiji") << QDate(1868, 9, 8) << "明治1年09月08日" << "明治1年9月8日";
        QTest::newRow("before meiji") << QDate(1868, 9, 7) << "1868年09月07日" << "1868年9月7日";
        QTest::newRow("year 100") << QDate(100, 1, 1) << "0100年01月01日" << "0100年1月1日";
    }
    void eraFormats()
    {
        QFETCH(QDate, date);
        QFETCH(QString, longForm);
        QFETCH(QString, shortForm);
        const DateValue value = DateValue::fromDate(date);
        QCOMPARE(DateFormat::eraLong(value), longForm);
        QCOMPARE(DateFormat::eraShort(value), shortForm);
        // Both era forms read back as the same day.
        QCOMPARE(DateParser::parse(longForm), std::optional<DateValue>(value));
        QCOMPARE(DateParser::parse(shortForm), std::optional<DateValue>(value));
    }

    void otherFormats()
    {
        const DateValue value = DateValue::fromDateTime(QDate(2005, 8, 7), QTime(9, 5, 3));
        QCOMPARE(DateFormat::ymd(value), QString("2005/08/07"));
        QCOMPARE(DateFormat::format(value, "yyyy/mm/dd hh:mm"), QString("2005/08/07 09:05"));
        QCOMPARE(DateFormat::format(value, "yyyy/m/d h:nn:ss"), QString("2005/8/7 9:05:03"));
        QCOMPARE(DateFormat::generalDate(value), QString("2005/08/07 9:05:03"));
        QCOMPARE(DateFormat::generalDate(value.dateOnly()), QString("2005/08/07"));
        QCOMPARE(DateFormat::format(value, ""), QString("2005/08/07 9:05:03"));
        QCOMPARE(DateFormat::generalDate(DateValue::fromDateTime(DateValue::baseDate(), QTime(13, 0))),
                 QString("13:00:00"));
    }

    void parserAccepts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDateTime>("expected");
        const QDate day(2005, 8, 17);
        QTest::newRow("slash") << "2005/8/17" << QDateTime(day, QTime(0, 0));
        QTest::newRow("slash padded") << "2005/08/17" << QDateTime(day, QTime(0, 0));
        QTest::newRow("hyphen") << "2005-8-17" << QDateTime(day, QTime(0, 0));
        QTest::newRow("kanji") << "2005年8月17日" << QDateTime(day, QTime(0, 0));
        QTest::newRow("era") << "平成17年08月17日" << QDateTime(day, QTime(0, 0));
        QTest::newRow("gannen") << "令和元年5月1日" << QDateTime(QDate(2019, 5, 1), QTime(0, 0));
        QTest::newRow("full width") << "２００５／０８／１７" << QDateTime(day, QTime(0, 0));
        QTest::newRow("with time") << "2005/08/17 09:05" << QDateTime(day, QTime(9, 5));
        QTest::newRow("with seconds") << "2005/08/17 9:05:30" << QDateTime(day, QTime(9, 5, 30));
        QTest::newRow("era with time") << "平成17年8月17日 23:59" << QDateTime(day, QTime(23, 59));
        QTest::newRow("leap day") << "2004/2/29" << QDateTime(QDate(2004, 2, 29), QTime(0, 0));
        QTest::newRow("time alone") << "9:05" << QDateTime(DateValue::baseDate(), QTime(9, 5));
    }
    void parserAccepts()
    {
        QFETCH(QString, text);
        QFETCH(QDateTime, expected);
        const std::optional<DateValue> parsed = DateParser::parse(text);
        QVERIFY2(parsed.has_value(), qPrintable(text));
        QCOMPARE(parsed->toDateTime(), expected);
    }

    void parserRefuses_data()
    {
        QTest::addColumn<QString>("text");
        for (const char* text : {"", "abc", "2005/02/30", "2005/13/01", "2005/8", "8/17", "2005.08.17",
                                 "2005/8-17", "24:00", "9:60", "2005/08/17 25:00", "平成17年2月30日",
                                 "平成1年1月7日", "大化1年1月1日x", "17年8月17日", "2005/08/17x",
                                 "2003/2/29", "2005/08/17 9"})
            QTest::newRow(text) << QString::fromUtf8(text);
    }
    void parserRefuses()
    {
        QFETCH(QString, text);
        QVERIFY2(!DateParser::parse(text).has_value(), qPrintable(text));
    }

    void halfWidth()
    {
        QCOMPARE(toHalfWidth("１２．５"), QString("12.5"));
        QCOMPARE(toHalfWidth("ＡＢｃ－＋　"), QString("ABc-+ "));
        QCOMPARE(toHalfWidth("ﾁｪｯｸ"), QString("ﾁｪｯｸ"));
        QCOMPARE(toHalfWidth("山田"), QString("山田"));
    }

    void centring()
    {
        // (15360 - 9500) = 5860, halved.
        QCOMPARE(Twips::centredOffset(15360, 9500), 2930);
        QCOMPARE(Twips::centredOffset(15360, 9501), 2929);
        QCOMPARE(Twips::centredOffset(100.5, 0), 50);
        Twips twips(96);
        QCOMPARE(twips.toPixels(9500), 633);
        QCOMPARE(Twips(192).toPixels(1440), 192);
    }
};

QTEST_GUILESS_MAIN(TestDates)
#include "tst_dates.moc"
