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
        // month ends and leap days in an era
        QTest::newRow("31 august") << QDate(2005, 8, 31) << "平成17年08月31日" << "平成17年8月31日";
        QTest::newRow("31 december") << QDate(1988, 12, 31) << "昭和63年12月31日" << "昭和63年12月31日";
        QTest::newRow("leap showa") << QDate(1988, 2, 29) << "昭和63年02月29日" << "昭和63年2月29日";
        QTest::newRow("leap 2000") << QDate(2000, 2, 29) << "平成12年02月29日" << "平成12年2月29日";
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

    // Read as on 6 December 2026, whatever today is.
    void parserAccepts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QDateTime>("expected");
        const QDate today(2026, 12, 6);
        const auto day = [](int y, int m, int d) { return QDateTime(QDate(y, m, d), QTime(0, 0)); };
        const auto row = [&](const char* text, const QDateTime& expected, QDate on = QDate()) {
            QTest::newRow(text) << QString::fromUtf8(text) << (on.isValid() ? on : today)
                                << expected;
        };
        row("2005/8/17", day(2005, 8, 17));
        row("2005/08/17", day(2005, 8, 17));
        row("2005-8-17", day(2005, 8, 17));
        row("2005.08.17", day(2005, 8, 17));
        row("2005年8月17日", day(2005, 8, 17));
        row("平成17年08月17日", day(2005, 8, 17));
        row("令和元年5月1日", day(2019, 5, 1));
        row("２００５／０８／１７", day(2005, 8, 17));
        row("2005/08/17 09:05", QDateTime(QDate(2005, 8, 17), QTime(9, 5)));
        row("2005/08/17 9:05:30", QDateTime(QDate(2005, 8, 17), QTime(9, 5, 30)));
        row("平成17年8月17日 23:59", QDateTime(QDate(2005, 8, 17), QTime(23, 59)));
        row("2004/2/29", day(2004, 2, 29));
        row("9:05", QDateTime(DateValue::baseDate(), QTime(9, 5)));
        // a year of two digits
        row("05/8/17", day(2005, 8, 17));
        row("05.08.17", day(2005, 8, 17));
        row("05-8-17", day(2005, 8, 17));
        row("00/2/29", day(2000, 2, 29));
        row("29/12/31", day(2029, 12, 31));
        row("30/1/1", day(1930, 1, 1));
        row("99/12/31", day(1999, 12, 31));
        row("05.08.17 9:05", QDateTime(QDate(2005, 8, 17), QTime(9, 5)));
        // month and day of this year
        row("8/17", day(2026, 8, 17));
        row("8.17", day(2026, 8, 17));
        row("８．１７", day(2026, 8, 17));
        row("12/31", day(2026, 12, 31));
        row("2/29", day(2024, 2, 29), QDate(2024, 3, 1));
        // the era by its letter or its name, and the first and last days of the eras
        row("H17.8.17", day(2005, 8, 17));
        row("H17/8/17", day(2005, 8, 17));
        row("h17.8.17", day(2005, 8, 17));
        row("H17年8月17日", day(2005, 8, 17));
        row("平成17/8/17", day(2005, 8, 17));
        row("平成17.8.17", day(2005, 8, 17));
        row("Ｈ１７．８．１７", day(2005, 8, 17));
        row("M45.7.29", day(1912, 7, 29));
        row("T1.7.30", day(1912, 7, 30));
        row("T15.12.24", day(1926, 12, 24));
        row("S1.12.25", day(1926, 12, 25));
        row("S64.1.7", day(1989, 1, 7));
        row("H1.1.8", day(1989, 1, 8));
        row("H31.4.30", day(2019, 4, 30));
        row("R1.5.1", day(2019, 5, 1));
        row("r1.5.1", day(2019, 5, 1));
        row("H17.8.17 9:05", QDateTime(QDate(2005, 8, 17), QTime(9, 5)));
        // month ends and leap days of an era, and the first day of Meiji
        row("平成17年8月31日", day(2005, 8, 31));
        row("H17.1.31", day(2005, 1, 31));
        row("H17.9.30", day(2005, 9, 30));
        row("H16.2.29", day(2004, 2, 29));
        row("令和2年2月29日", day(2020, 2, 29));
        row("R1.12.31", day(2019, 12, 31));
        row("M1.9.8", day(1868, 9, 8));
        row("2005/8/31", day(2005, 8, 31));
    }
    void parserAccepts()
    {
        QFETCH(QString, text);
        QFETCH(QDate, today);
        QFETCH(QDateTime, expected);
        const std::optional<DateValue> parsed = DateParser::parse(text, today);
        QVERIFY2(parsed.has_value(), qPrintable(text));
        QCOMPARE(parsed->toDateTime(), expected);
    }

    void parserRefuses_data()
    {
        QTest::addColumn<QString>("text");
        for (const char* text :
             {"", "abc", "2005/02/30", "2005/13/01", "2005/8", "2005/8-17", "24:00", "9:60",
              "2005/08/17 25:00", "平成17年2月30日", "平成1年1月7日", "大化1年1月1日x",
              "17年8月17日", "2005/08/17x", "2003/2/29", "2005/08/17 9", "0099/1/1",
              // two-digit years
              "05/2/29", "5/8/17", "005/8/17", "05/8.17", "05/13/1",
              // month and day of this year (2026)
              "2/29", "13/1", "8/32", "0/1", "8/", "8/17/", ".8.17", "8,17", "1.2.3",
              // eras: days they did not have, and what is no era
              "S64.1.8", "H1.1.7", "H31.5.1", "R1.4.30", "M45.7.30", "T1.7.29", "T15.12.25",
              "S1.12.24", "H0.1.1", "H17.8", "H17/8.17", "X17.8.17", "HH17.8.17", "H.8.17",
              "H17.8.17x", "H2005.8.17",
              // month ends: the 31st of a month of 30 days, 29 February of a common year
              "H17.9.31", "平成17年4月31日", "H17.8.32", "H17.2.29", "H16.2.30", "S63.11.31",
              "R3.2.29", "H17.13.1", "H17.0.1", "H17.8.0", "M1.9.7", "2005/9/31"})
            QTest::newRow(text) << QString::fromUtf8(text);
    }
    void parserRefuses()
    {
        QFETCH(QString, text);
        QVERIFY2(!DateParser::parse(text, QDate(2026, 12, 6)).has_value(), qPrintable(text));
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
