#include "common/AnsiText.h"
#include "print/ReportDataSource.h"
#include "support/TempFolder.h"

#include <QtTest>

using namespace orv;

namespace {

QByteArray dataFile(const QStringList& elements)
{
    QStringList lines = {"<?xml version=\"1.0\" encoding=\"shift_jis\" ?>", "<main>"};
    lines << elements << "</main>";
    return toAnsi(lines.join("\r\n") + "\r\n");
}

} // namespace

class TestReportDataSource : public QObject
{
    Q_OBJECT

private slots:
    void readsTheRecordOfMain_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("element");
        QTest::addColumn<QString>("value");
        QTest::newRow("和暦") << "<基準日>平成17年8月17日</基準日>"
                              << "基準日"
                              << "平成17年8月17日";
        QTest::newRow("チェック") << "<A10-a>レ</A10-a>"
                                  << "A10-a"
                                  << "レ";
        QTest::newRow("空") << "<A10-b></A10-b>"
                            << "A10-b"
                            << "";
        QTest::newRow("不等号") << "<B2-A>a&lt;b&gt;c</B2-A>"
                                << "B2-A"
                                << "a<b>c";
        QTest::newRow("アンパサンド") << "<m1-9-1>営業&販売</m1-9-1>"
                                      << "m1-9-1"
                                      << "営業&販売";
        QTest::newRow("郵便番号") << "<m1-4-1>〒123-4567</m1-4-1>"
                                  << "m1-4-1"
                                  << "〒123-4567";
        QTest::newRow("半角カナ") << "<RAP01>ﾁｪｯｸなし</RAP01>"
                                  << "RAP01"
                                  << "ﾁｪｯｸなし";
        QTest::newRow("大文字小文字") << "<S1-B>根拠</S1-B>"
                                      << "S1-B"
                                      << "根拠";
    }

    void readsTheRecordOfMain()
    {
        QFETCH(QString, line);
        QFETCH(QString, element);
        QFETCH(QString, value);
        const ReportRecord record =
            ReportDataSource::parse(dataFile({"<ID>0001</ID>", line, "<S1-b>x</S1-b>"}));
        QVERIFY(record.contains(element));
        QCOMPARE(record.value(element), value);
        QCOMPARE(record.value("ID"), QStringLiteral("0001"));
    }

    void namesCompareExactly()
    {
        const ReportRecord record = ReportDataSource::parse(dataFile({"<S1-B>大</S1-B>"}));
        QVERIFY(!record.contains("S1-b"));
        QVERIFY(!record.contains("s1-B"));
    }

    void repeatedKeysKeepTheFirst()
    {
        // The assessment file repeats ID and 基準日 once per section table.
        const ReportRecord record = ReportDataSource::parse(
            dataFile({"<ID>7</ID>", "<A1-1>山田</A1-1>", "<ID>7</ID>", "<B1>0</B1>"}));
        QCOMPARE(record.value("ID"), QStringLiteral("7"));
        QCOMPARE(record.value("A1-1"), QStringLiteral("山田"));
        QCOMPARE(record.value("B1"), QStringLiteral("0"));
    }

    void emptyRecordGivesNoFields() { QVERIFY(ReportDataSource::parse(dataFile({})).isEmpty()); }

    void damagedFileStillGivesItsLines()
    {
        QByteArray bytes = dataFile({"<A1-1>山田</A1-1>", "<A2>12</A2>"});
        bytes.chop(9); // "</main>" lost
        const ReportRecord record = ReportDataSource::parse(bytes);
        QCOMPARE(record.value("A1-1"), QStringLiteral("山田"));
        QCOMPARE(record.value("A2"), QStringLiteral("12"));
    }

    void missingFileIsReported()
    {
        test::TempFolder folder;
        ReportRecord record{{"x", "y"}};
        QString error;
        QVERIFY(!ReportDataSource::read(folder.file("orv21_12.xml"), &record, &error));
        QVERIFY(record.isEmpty());
        QVERIFY(!error.isEmpty());
    }

    void readsAFileInTheAnsiCodePage()
    {
        test::TempFolder folder;
        const QString path =
            folder.write("orv21_s.xml", dataFile({"<S0-1>記入年月日：令和6年4月1日</S0-1>"}));
        ReportRecord record;
        QVERIFY(ReportDataSource::read(path, &record));
        QCOMPARE(record.value("S0-1"), QStringLiteral("記入年月日：令和6年4月1日"));
    }
};

QTEST_GUILESS_MAIN(TestReportDataSource)
#include "tst_reportdatasource.moc"
