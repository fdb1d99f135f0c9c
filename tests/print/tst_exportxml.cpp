#include "common/DateValue.h"
#include "common/ProgramFolder.h"
#include "common/Value.h"
#include "data/Recordset.h"
#include "print/RapCodeIndex.h"
#include "print/RapListTitles.h"
#include "print/RecordXmlWriter.h"
#include "print/TriggerXmlWriter.h"
#include "rap/TriggerRuleTable.h"
#include "print/XmlEscape.h"
#include "print/XmlOutputFile.h"
#include "support/ReportDataFile.h"
#include "support/TempFolder.h"

#include <QtTest>

using namespace orv;

Q_DECLARE_METATYPE(orv::XmlFamily)

namespace {

// One row held in memory, enough for the element writers.
class RowRecordset : public Recordset
{
public:
    void add(const QString& name, const Value& value)
    {
        ColumnInfo column;
        column.name = name;
        m_columns.append(column);
        m_values.append(value);
    }
    QString name() const override { return QStringLiteral("row"); }
    bool isUpdatable() const override { return false; }
    bool eof() const override { return false; }
    void moveFirst() override {}
    void moveNext() override {}
    int recordCount() const override { return 1; }
    bool findFirst(const QVector<QPair<QString, Value>>&) override { return true; }
    int fieldCount() const override { return int(m_columns.size()); }
    const ColumnInfo& column(int index) const override { return m_columns.at(index); }
    int columnIndex(const QString& name) const override
    {
        for (int i = 0; i < m_columns.size(); ++i) {
            if (m_columns.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
                return i;
        }
        return -1;
    }
    Value value(int index) const override { return m_values.at(index); }
    bool setValue(int, const Value&, QString*) override { return false; }
    void addNew() override {}
    void edit() override {}
    EditMode editMode() const override { return EditMode::None; }
    bool update(QString*) override { return false; }
    void cancelUpdate() override {}
    bool deleteCurrent(QString*) override { return false; }
    void close() override {}

private:
    QVector<ColumnInfo> m_columns;
    QVector<Value> m_values;
};

Value date(int y, int m, int d)
{
    return Value(DateValue::fromDate(QDate(y, m, d)));
}

} // namespace

class TestExportXml : public QObject
{
    Q_OBJECT

private slots:
    void escapesReservedCharacters_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("escaped");
        QTest::newRow("空") << ""
                            << "";
        QTest::newRow("そのまま") << "山田 太郎"
                                  << "山田 太郎";
        QTest::newRow("不等号") << "a<b>c"
                                << "a&lt;b&gt;c";
        QTest::newRow("アンパサンド") << "A&B"
                                      << "A&amp;B";
        QTest::newRow("実体参照の形") << "&lt;"
                                      << "&amp;lt;";
        // characters that Shift_JIS cannot hold reach the report as references
        QTest::newRow("波ダッシュ") << "1〜2"
                                    << "1&#x301C;2";
        QTest::newRow("マイナス記号と円記号") << "−¥"
                                              << "&#x2212;&#xA5;";
        QTest::newRow("BMP外の漢字") << "𠮷野"
                                     << "&#x20BB7;野";
        QTest::newRow("置換文字") << QStringLiteral("山\uFFFD田") << "山&#xFFFD;田";
        QTest::newRow("対のないサロゲート") << QString(QChar(0xD842)) + "野"
                                            << "&#xFFFD;野";
        QTest::newRow("機種依存文字はそのまま") << "①髙～"
                                                << "①髙～";
        QTest::newRow("制御文字") << "a\x01\tb"
                                  << "a\tb";
    }
    void escapesReservedCharacters()
    {
        QFETCH(QString, text);
        QFETCH(QString, escaped);
        QCOMPARE(XmlEscape(text), escaped);
    }

    void rapCodeIndex_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("index");
        QTest::newRow("空") << "" << 0;
        QTest::newRow("01") << "01" << 1;
        QTest::newRow("04") << "04" << 4;
        QTest::newRow("05a") << "05a" << 5;
        QTest::newRow("05b") << "05b" << 6;
        QTest::newRow("06") << "06" << 7;
        QTest::newRow("09") << "09" << 10;
        QTest::newRow("10a") << "10a" << 11;
        QTest::newRow("10b") << "10b" << 12;
        QTest::newRow("11") << "11" << 13;
        QTest::newRow("20") << "20" << 22;
        QTest::newRow("21") << "21" << 23;
        QTest::newRow("大文字の05A は数として") << "05A" << 5;
        QTest::newRow("判定記号○") << "○" << 0;
        QTest::newRow("判定記号×") << "×" << 0;
    }
    void rapCodeIndex()
    {
        QFETCH(QString, entry);
        QFETCH(int, index);
        QCOMPARE(RapCodeToIndex(entry), index);
    }

    void countsOccurrences_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<int>("count");
        QTest::newRow("三つの項目") << "01,02,03"
                                    << "," << 2;
        QTest::newRow("空") << ""
                            << "," << 0;
        QTest::newRow("区切りだけ") << ",,"
                                    << "," << 2;
        QTest::newRow("重ならない") << "aaa"
                                    << "aa" << 1;
        QTest::newRow("大小文字を区別") << "aAa"
                                        << "A" << 1;
    }
    void countsOccurrences()
    {
        QFETCH(QString, text);
        QFETCH(QString, separator);
        QFETCH(int, count);
        QCOMPARE(CountOccurrences(text, separator), count);
    }

    void rapListTitles()
    {
        QCOMPARE(RapListTitleOf("05A").number, QString("05"));
        QCOMPARE(RapListTitleOf("05A").title, QString("ADL／リハビリ(A)"));
        QCOMPARE(RapListTitleOf("10B").title, QString("アクティビティ(B)"));
        QCOMPARE(RapListTitleOf("20").title, QString("排便の管理"));
        QVERIFY(RapListTitleOf("05a").number.isEmpty());
        QVERIFY(RapListTitleOf("○").title.isEmpty());
        QVERIFY(RapListTitleOf("").number.isEmpty());
    }

    void checkMarkFamilyHoldsItsColumns()
    {
        QCOMPARE(checkMarkColumnCount(), 343);
        QCOMPARE(xmlFamilyOf("I1-uu"), XmlFamily::CheckMark);
        QCOMPARE(xmlFamilyOf("I1-vv"), XmlFamily::Default);
        QCOMPARE(xmlFamilyOf("S20-c"), XmlFamily::CheckMark);
        QCOMPARE(xmlFamilyOf("S21-a"), XmlFamily::Default);
        QCOMPARE(xmlFamilyOf("A10-i"), XmlFamily::Default);
        QCOMPARE(xmlFamilyOf("1-8-8"), XmlFamily::Default);
        QCOMPARE(xmlFamilyOf("P3-l"), XmlFamily::Default);
    }

    void familyMembers_data()
    {
        QTest::addColumn<QStringList>("columns");
        QTest::addColumn<XmlFamily>("family");
        QTest::newRow("性別") << QStringList{"1-2"} << XmlFamily::Sex;
        QTest::newRow("郵便番号") << QStringList{"1-4-1"} << XmlFamily::PostalCode;
        QTest::newRow("和暦日付") << QStringList{"基準日", "1-3-1",  "1-5",    "1-12",   "A3",
                                                 "R2-b",   "R2-c",   "R2-d-5", "R2-e-5", "R2-f-5",
                                                 "R2-g-5", "R2-h-5", "T0-1"}
                                  << XmlFamily::EraDate;
        QTest::newRow("記入年月日") << QStringList{"S0-1"} << XmlFamily::EntryDate;
        QTest::newRow("日数") << QStringList{"P1-b-a-A", "P1-b-b-A", "P1-b-c-A", "P1-b-d-A",
                                             "P1-b-e-A", "P3-a",     "P3-b",     "P3-c",
                                             "P3-d",     "P3-e",     "P3-f",     "P3-g",
                                             "P3-h",     "P3-i",     "P3-j",     "P3-k"}
                              << XmlFamily::Days;
        QTest::newRow("分") << QStringList{"P1-b-a-B", "P1-b-b-B", "P1-b-c-B", "P1-b-d-B",
                                           "P1-b-e-B"}
                            << XmlFamily::Minutes;
        QTest::newRow("既定 (隣の列と大小文字違い)")
            << QStringList{"1-3-2",  "1-4-2", "1-11",   "A2",       "A4",    "R2-a",  "R2-D-5",
                           "R2-i-5", "T0-2",  "S0-2",   "P1-b-f-A", "P3-l",  "p3-a",  "P1-b-a-b",
                           "s1-a",   "S1-b",  "記入日", "ID",       "I1-vv", "2-1-z", "1-8-0"}
            << XmlFamily::Default;
    }
    void familyMembers()
    {
        QFETCH(QStringList, columns);
        QFETCH(XmlFamily, family);
        for (const QString& column : columns)
            QVERIFY2(xmlFamilyOf(column) == family, qPrintable(column));
    }

    void familiesAndNames_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<Value>("value");
        QTest::addColumn<QString>("element");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("text");

        auto row = [](const char* tag, const QString& column, const Value& value,
                      const QString& element, const QString& line, const QString& text) {
            QTest::newRow(tag) << column << value << element << line << text;
        };
        row("性別 男", "1-2", Value(1), "m1-2", "男", "男");
        row("性別 女", "1-2", Value(2), "m1-2", "女", "女");
        row("性別 空", "1-2", Value(), "m1-2", "", "");
        row("郵便番号", "1-4-1", Value("123-4567"), "m1-4-1", "〒123-4567", "〒123-4567");
        row("郵便番号 空", "1-4-1", Value(), "m1-4-1", "〒", "〒");
        row("郵便番号 記号", "1-4-1", Value("1<2&3"), "m1-4-1", "〒1&lt;2&amp;3", "〒1<2&3");
        row("基準日", "基準日", date(2005, 8, 17), "基準日", "平成17年8月17日", "平成17年8月17日");
        row("日付の文字列", "1-3-1", Value("1930/04/01"), "m1-3-1", "昭和5年4月1日",
            "昭和5年4月1日");
        row("和暦日付 空", "1-5", Value(), "m1-5", "", "");
        row("和暦日付 日付なし", "1-3-1", Value(DateValue::zero()), "m1-3-1", "", "");
        row("明治より前の日付", "1-3-1", date(1868, 9, 7), "m1-3-1", "1868年9月7日",
            "1868年9月7日");
        row("R2-d-5 は小文字のまま", "R2-d-5", date(2005, 8, 17), "R2-d-5", "平成17年8月17日",
            "平成17年8月17日");
        row("T0-1", "T0-1", date(2019, 5, 7), "T0-1", "令和1年5月7日", "令和1年5月7日");
        row("記入年月日", "S0-1", date(2005, 8, 17), "S0-1", "記入年月日：平成17年8月17日",
            "記入年月日：平成17年8月17日");
        row("記入年月日 空", "S0-1", Value(), "S0-1", "記入年月日：", "記入年月日：");
        row("日数", "P3-a", Value(3), "P3-a", "3日", "3日");
        row("日数 空", "P1-b-e-A", Value(), "P1-b-e-A", "日", "日");
        row("分", "P1-b-a-B", Value(30), "P1-b-a-B", "30分", "30分");
        row("分 記号", "P1-b-a-B", Value("<30>"), "P1-b-a-B", "&lt;30&gt;分", "<30>分");
        row("チェック 1", "A10-a", Value(1), "A10-a", "レ", "レ");
        row("チェック 0", "A10-a", Value(0), "A10-a", "", "");
        row("チェック 空", "A10-a", Value(), "A10-a", "", "");
        row("チェック フェイスシート", "2-1-a", Value(1), "m2-1-a", "レ", "レ");
        row("チェック 二重文字", "I1-aa", Value(1.0), "I1-aa", "レ", "レ");
        row("チェック RAPサマリー", "S1-a", Value(1), "S1-a", "レ", "レ");
        row("大小文字だけ違う列", "s1-a", Value(1), "S1-A", "1", "1");
        row("既定 大文字化", "B2-a", Value("x<y>z"), "B2-A", "x&lt;y&gt;z", "x<y>z");
        row("既定 E4", "E4-a-A", Value(2), "E4-A-A", "2", "2");
        row("既定 S1-b", "S1-b", Value("理由 & 場所"), "S1-B", "理由 &amp; 場所", "理由 & 場所");
        row("既定 数字で始まる", "1-1-1", Value("山田"), "m1-1-1", "山田", "山田");
        row("既定 ID", "ID", Value("A001"), "ID", "A001", "A001");
        row("既定 空", "1-6", Value(), "m1-6", "", "");
        row("既定 小数", "G9", Value(1.5), "G9", "1.5", "1.5");
        row("既定 Shift_JISにない文字", "1-4-2", Value("千代田1〜2"), "m1-4-2", "千代田1&#x301C;2",
            "千代田1〜2");
        row("日数 Shift_JISにない文字", "P3-a", Value("３−"), "P3-a", "３&#x2212;日", "３−日");
        row("既定 置換文字", "1-4-2", Value(QStringLiteral("千代田\uFFFD1")), "m1-4-2",
            "千代田&#xFFFD;1", QStringLiteral("千代田\uFFFD1"));
        row("郵便番号 置換文字", "1-4-1", Value(QStringLiteral("\uFFFD")), "m1-4-1", "〒&#xFFFD;",
            QStringLiteral("〒\uFFFD"));
        row("既定 DEL", "1-4-2", Value(QStringLiteral("千代田\u007F1")), "m1-4-2", "千代田1",
            "千代田1");
        row("既定 複数行", "S1-b", Value("根拠\r\n場所"), "S1-B", "根拠&#13;&#10;場所",
            "根拠\r\n場所");
    }
    void familiesAndNames()
    {
        QFETCH(QString, column);
        QFETCH(Value, value);
        QFETCH(QString, element);
        QFETCH(QString, line);
        QFETCH(QString, text);

        RowRecordset record;
        record.add(column, value);
        test::TempFolder folder;
        XmlOutputFile file;
        QVERIFY(file.open(folder.file("row.xml")));
        WriteRecordXml(record, file);
        QVERIFY(file.close());

        const test::ReportDataFile read(folder.file("row.xml"));
        QCOMPARE(read.lines().size(), 4);
        QCOMPARE(read.lines().at(2), "<" + element + ">" + line + "</" + element + ">");
        // every byte a strict Shift_JIS reader accepts
        QFile bytes(folder.file("row.xml"));
        QVERIFY(bytes.open(QIODevice::ReadOnly));
        QStringDecoder strict("Shift_JIS");
        const QString decoded = strict.decode(bytes.readAll());
        QVERIFY(!strict.hasError());
        QVERIFY2(read.parseError().isEmpty(), qPrintable(read.parseError()));
        QCOMPARE(read.elementNames(), QStringList{element});
        QCOMPARE(read.text(element), text);
    }

    void recordKeepsFieldOrder()
    {
        RowRecordset record;
        record.add("ID", Value("A&1"));
        record.add("基準日", date(2005, 8, 17));
        record.add("A1-1", Value("山田"));
        record.add("A10-a", Value(1));
        test::TempFolder folder;
        XmlOutputFile file;
        QVERIFY(file.open(folder.file("a.xml")));
        WriteRecordXml(record, file);
        QVERIFY(file.close());

        const test::ReportDataFile read(folder.file("a.xml"));
        QVERIFY(read.allLinesEndInCrLf());
        QCOMPARE(read.lines(),
                 QStringList({"<?xml version=\"1.0\" encoding=\"shift_jis\" ?>", "<main>",
                              "<ID>A&amp;1</ID>", "<基準日>平成17年8月17日</基準日>",
                              "<A1-1>山田</A1-1>", "<A10-a>レ</A10-a>", "</main>"}));
        QCOMPARE(read.text("ID"), QString("A&1"));
    }

    void triggerRowWritesOnlyItsKeys()
    {
        QCOMPARE(TriggerRuleTable::instance().keys().size(), 79);
        QCOMPARE(TriggerRuleTable::instance().keys().first(), QString("B1"));
        QCOMPARE(TriggerRuleTable::instance().keys().at(75), QString("OH1"));
        QCOMPARE(TriggerRuleTable::instance().keys().last(), QString("OJ1"));

        RowRecordset record;
        record.add("ID", Value("A001"));
        record.add("記入日", date(2005, 8, 17));
        record.add("B1", Value("○"));
        record.add("B2", Value());
        record.add("b3", Value("○"));
        record.add("OJ1", Value("×"));
        record.add("OH3", Value("○"));
        test::TempFolder folder;
        XmlOutputFile file;
        QVERIFY(file.open(folder.file("t.xml")));
        WriteTriggerXml(record, file);
        QVERIFY(file.close());

        const test::ReportDataFile read(folder.file("t.xml"));
        QCOMPARE(read.lines().mid(2), QStringList({"<B1>レ</B1>", "<B2></B2>", "<OJ1></OJ1>",
                                                   "<OH3>レ</OH3>", "</main>"}));
        QVERIFY(read.parseError().isEmpty());
    }

    void outputFileIsReplacedOnlyWhenClosed()
    {
        test::TempFolder folder;
        const QString path = folder.write("orv21_s.xml", "old");
        {
            XmlOutputFile file;
            QVERIFY(file.open(path));
            file.writeElement("S0-2", "新");
        }
        QFile old(path);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("old"));
    }

    void unwritableFolderIsReported()
    {
        QString error;
        QVERIFY(!OpenXmlOutput(ProgramFolder("/nonexistent-folder"), "orv21_s.xml", &error));
        QVERIFY(!error.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestExportXml)
#include "tst_exportxml.moc"
