#include "common/DateValue.h"
#include "common/ProgramFolder.h"
#include "common/Value.h"
#include "data/AppState.h"
#include "data/DaoType.h"
#include "data/Database.h"
#include "data/Recordset.h"
#include "print/RecordXmlWriter.h"
#include "print/ReportDataExporter.h"
#include "print/TriggerXmlWriter.h"
#include "rap/TriggerRuleTable.h"
#include "support/ReportDataFile.h"
#include "support/TestDatabase.h"

#include <QRegularExpression>
#include <QtTest>

using namespace orv;

namespace {

// Expands a name pattern: each "[first-last]" runs over numbers ("1-20", "01-22" keeps two
// digits), letters ("a-h") or doubled letters ("aa-uu"); several brackets multiply.
QStringList expand(const QString& pattern)
{
    static const QRegularExpression bracket(QStringLiteral("\\[([^\\]-]+)-([^\\]]+)\\]"));
    const QRegularExpressionMatch match = bracket.match(pattern);
    if (!match.hasMatch())
        return {pattern};
    const QString first = match.captured(1);
    const QString last = match.captured(2);
    QStringList steps;
    bool numeric = false;
    const int from = first.toInt(&numeric);
    if (numeric) {
        for (int n = from; n <= last.toInt(); ++n)
            steps << QStringLiteral("%1").arg(n, int(first.size()), 10, QLatin1Char('0'));
    } else {
        for (char16_t c = first.at(0).unicode(); c <= last.at(0).unicode(); ++c)
            steps << QString(first.size(), QChar(c));
    }
    QStringList names;
    for (const QString& step : steps) {
        QString name = pattern;
        name.replace(match.capturedStart(), match.capturedLength(), step);
        names << expand(name);
    }
    return names;
}

QStringList expandAll(const QStringList& patterns)
{
    QStringList names;
    for (const QString& pattern : patterns)
        names << expand(pattern);
    return names;
}

// The element names each printed form binds.
const QStringList FaceSheetContract = {"m1-1-[1-4]", "m1-2",  "m1-3-[1-2]", "m1-4-[1-2]",
                                       "m1-5",       "m1-6",  "m1-7",       "m1-8-[1-7]",
                                       "m1-9-[1-2]", "m1-10", "m1-12",      "m2-1-[a-y]"};
const QStringList AssessmentContract = {"A1-[1-4]",
                                        "A[2-5]",
                                        "A6-[a-c]",
                                        "A7-[1-2]",
                                        "A8",
                                        "A9-[a-d]",
                                        "A10-[a-h]",
                                        "A11",
                                        "B1",
                                        "B2-[A-B]",
                                        "B3-[a-e]",
                                        "B4",
                                        "B5-[A-F]",
                                        "B6",
                                        "C1",
                                        "C2-[a-d]",
                                        "C3-[a-g]",
                                        "C[4-7]",
                                        "D1",
                                        "D2-[a-c]",
                                        "D3",
                                        "E1-[A-P]",
                                        "E2",
                                        "E3",
                                        "E4-[A-E]-[A-B]",
                                        "E5",
                                        "F1-[a-g]",
                                        "F2-[a-h]",
                                        "F3-[a-d]",
                                        "G1-[A-F]",
                                        "G1-G-[A-B]",
                                        "G1-H",
                                        "G1-I-[A-B]",
                                        "G1-J",
                                        "G2-[A-B]",
                                        "G3-[A-B]",
                                        "G4-[A-F]-[A-B]",
                                        "G5-[a-e]",
                                        "G6-[a-f]",
                                        "G7",
                                        "G8-[a-e]",
                                        "G9",
                                        "H1-[A-B]",
                                        "H2-[a-e]",
                                        "H3-[a-j]",
                                        "H4",
                                        "I1-[a-z]",
                                        "I1-[aa-uu]",
                                        "I2-[a-m]",
                                        "I3-[A-E]-[1-2]",
                                        "J1-[a-p]",
                                        "J2-[A-B]",
                                        "J3-[a-j]",
                                        "J4-[a-e]",
                                        "J5-[a-d]",
                                        "K1-[A-C]",
                                        "K2-[A-B]",
                                        "K3-[A-B]",
                                        "K4-[a-d]",
                                        "K5-[a-i]",
                                        "K6-[A-B]",
                                        "L1-[a-g]",
                                        "M1-[A-D]",
                                        "M2-[A-B]",
                                        "M3",
                                        "M4-[a-h]",
                                        "M5-[a-j]",
                                        "M6-[a-g]",
                                        "N1-[a-d]",
                                        "N2",
                                        "N3-[a-e]",
                                        "N4-[a-m]",
                                        "N5-[A-B]",
                                        "O[1-3]",
                                        "O4-[A-E]",
                                        "P1-a-[a-s]",
                                        "P1-b-[a-e]-[A-B]",
                                        "P2-[a-f]",
                                        "P3-[a-k]",
                                        "P4-[A-E]",
                                        "P[5-9]",
                                        "Q1-[A-C]",
                                        "Q2",
                                        "Q3-[A-E]",
                                        "R1-[A-C]",
                                        "R2-A-[1-2]",
                                        "R2-b",
                                        "R2-c",
                                        "R2-[D-H]-[1-4]",
                                        "R2-[d-h]-5"};
const QStringList RapSummaryContract = {"S0-[1-3]", "S[1-20]-a", "S[1-20]-B", "S[1-20]-c"};
const QStringList MedicationContract = {
    "T0-[1-3]",          "T-A-1-[1-20]-[1-4]", "T-A-2-[1-9]-[1-4]", "T-B-1-[1-8]-[1-4]",
    "T-B-2-[1-8]-[1-5]", "T-C-1-[1-4]-[1-3]",  "T-C-2-[1-4]-[1-3]"};
const QStringList RapSelectionContract = {
    "B[1-5]", "C[1-4]", "D[1-2]", "E[1-9]", "F[1-5]", "G[1-6]", "H[1-5]",  "I[1-6]", "J[1-9]",
    "K[1-7]", "L[1-2]", "M[1-4]", "N[1-4]", "O[1-4]", "P[1-3]", "OH[1-3]", "OJ1",    "rap[1-22]"};
const QStringList RapListContract = {"PRINTDATE", "NUM[01-22]", "RAP[01-22]"};

const DateValue KeyDate = DateValue::fromDate(QDate(2005, 8, 17));

// A value of the column's kind; other texts carry the characters the file must escape.
Value fullValue(const ColumnInfo& column)
{
    if (isNumericType(column.type))
        return Value(1);
    if (column.type == dbDate)
        return Value(DateValue::fromDate(QDate(2005, 9, 1)));
    const XmlFamily family = xmlFamilyOf(column.name);
    if (family == XmlFamily::EraDate || family == XmlFamily::EntryDate)
        return Value("2005/09/01"); // a date kept as text
    if (column.type == dbText || column.type == dbMemo)
        return Value(QStringLiteral("値&<>").left(column.size > 0 ? column.size : 4));
    return Value();
}

// What the report reads for a column of the full row, given the stored value.
QString expectedText(const QString& column, const Value& value)
{
    const QString stored = NullToStr(value);
    const bool one = value == Value(1);
    switch (xmlFamilyOf(column)) {
    case XmlFamily::Sex:
        return stored.isEmpty() ? "" : one ? "男" : "女";
    case XmlFamily::PostalCode:
        return "〒" + stored;
    case XmlFamily::EraDate:
        return "平成17年9月1日";
    case XmlFamily::EntryDate:
        return "記入年月日：平成17年9月1日";
    case XmlFamily::Days:
        return stored + "日";
    case XmlFamily::Minutes:
        return stored + "分";
    case XmlFamily::CheckMark:
        return one ? "レ" : "";
    case XmlFamily::Default:
        break;
    }
    return stored;
}

} // namespace

class TestExportContract : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(m_file.ok(), qPrintable(m_file.error()));
        m_state.folder = ProgramFolder(m_file.folder());
        m_state.Db = m_file.open();
        QVERIFY(m_state.Db);
        QStringList tables = {"KIHON1", "S", "T"};
        for (char section = 'A'; section <= 'R'; ++section)
            tables << QString(QLatin1Char(section));
        for (const QString& table : tables)
            fillRow(table, "基準日");

        std::unique_ptr<Recordset> trigger = m_state.Db->openRecordset("Trigger");
        QVERIFY(trigger);
        trigger->addNew();
        QVERIFY(trigger->setValue("ID", Value("K01")));
        QVERIFY(trigger->setValue("記入日", Value(KeyDate)));
        for (const QString& key : TriggerRuleTable::instance().keys())
            QVERIFY(trigger->setValue(key, Value("○")));
        QVERIFY(trigger->update());
        QVERIFY(m_state.Db->execute("INSERT INTO [RAP] ([ID], [記入日], [RAP]) VALUES (?, ?, ?)",
                                    {Value("K01"), Value(KeyDate), Value("01,05a,05b,17,20")}));
    }

    void recordFiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("tables");
        QTest::addColumn<QStringList>("contract");
        QStringList sections;
        for (char section = 'A'; section <= 'R'; ++section)
            sections << QString(QLatin1Char(section));
        QTest::newRow("フェイスシート")
            << "orv21_12.xml" << QStringList{"KIHON1"} << FaceSheetContract;
        QTest::newRow("アセスメント") << "orv21_ar.xml" << sections << AssessmentContract;
        QTest::newRow("RAPサマリー") << "orv21_s.xml" << QStringList{"S"} << RapSummaryContract;
        QTest::newRow("薬物治療調査票") << "orv21_t.xml" << QStringList{"T"} << MedicationContract;
    }
    void recordFiles()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, tables);
        QFETCH(QStringList, contract);
        ReportDataExporter exporter(m_state);
        QString error;
        using Export = bool (ReportDataExporter::*)(const QString&, const QString&, QString*);
        const QHash<QString, Export> exports = {
            {"orv21_12.xml", &ReportDataExporter::ExportFaceSheetXml},
            {"orv21_ar.xml", &ReportDataExporter::ExportAssessmentXml},
            {"orv21_s.xml", &ReportDataExporter::ExportRapSummaryXml},
            {"orv21_t.xml", &ReportDataExporter::ExportMedicationXml}};
        QVERIFY2((exporter.*exports.value(file))("2005/08/17", "K01", &error), qPrintable(error));

        const test::ReportDataFile read(m_state.folder.file(file));
        QVERIFY(read.allLinesEndInCrLf());
        QVERIFY2(read.parseError().isEmpty(), qPrintable(read.parseError()));

        // every bound element present once; beside them only the key of each table
        QStringList names = read.elementNames();
        QCOMPARE(names.count("ID"), tables.size());
        QCOMPARE(names.count("基準日"), tables.size());
        names.removeAll("ID");
        names.removeAll("基準日");
        QStringList bound = expandAll(contract);
        QCOMPARE(bound.size(), QSet<QString>(bound.cbegin(), bound.cend()).size());
        std::sort(names.begin(), names.end());
        std::sort(bound.begin(), bound.end());
        QCOMPARE(names, bound);

        // each element's text is what the row holds, in the form of its family
        for (const QString& table : tables) {
            std::unique_ptr<Recordset> row = m_state.Db->openRecordset(
                QStringLiteral("SELECT * FROM [%1] WHERE [ID]=?").arg(table), {Value("K01")});
            QVERIFY(row && !row->eof());
            for (int i = 0; i < row->fieldCount(); ++i) {
                const QString column = row->column(i).name;
                if (column == "ID" || column == "基準日")
                    continue;
                const QString element = xmlElementName(column);
                const QString expected = expectedText(column, row->value(i));
                QVERIFY2(read.text(element) == expected,
                         qPrintable(column + ": " + read.text(element) + " / " + expected));
            }
        }
    }

    void rapSelectionFile()
    {
        ReportDataExporter exporter(m_state);
        QVERIFY(exporter.ExportTriggerXml("2005/08/17", "K01", nullptr));
        const test::ReportDataFile read(m_state.folder.file("orv21_trigger.xml"));
        QVERIFY2(read.parseError().isEmpty(), qPrintable(read.parseError()));
        QCOMPARE(read.elementNames(), expandAll(RapSelectionContract));
        for (const QString& key : TriggerRuleTable::instance().keys())
            QCOMPARE(read.text(key), QString("レ"));
        QStringList marked;
        for (const QString& rap : expand("rap[1-22]")) {
            if (read.text(rap) == "○")
                marked << rap;
        }
        QCOMPARE(marked, QStringList({"rap1", "rap5", "rap6", "rap19", "rap22"}));
    }

    void rapListFiles()
    {
        ReportDataExporter exporter(m_state);
        QVERIFY(exporter.ExportRapListXml(KeyDate, "K01", nullptr));
        QStringList expected = expandAll(RapListContract);
        std::sort(expected.begin(), expected.end());
        for (int n = 1; n <= 6; ++n) {
            const test::ReportDataFile read(
                m_state.folder.file(QStringLiteral("RAP_0%1.xml").arg(n)));
            QVERIFY2(read.parseError().isEmpty(), qPrintable(read.parseError()));
            QStringList names = read.elementNames();
            std::sort(names.begin(), names.end());
            QCOMPARE(names, expected);
        }
    }

private:
    void fillRow(const QString& table, const QString& dateColumn)
    {
        std::unique_ptr<Recordset> rs = m_state.Db->openRecordset(table);
        QVERIFY2(rs, qPrintable(table));
        rs->addNew();
        for (int i = 0; i < rs->fieldCount(); ++i) {
            const ColumnInfo& column = rs->column(i);
            const Value value = column.name == "ID"         ? Value("K01")
                                : column.name == dateColumn ? Value(KeyDate)
                                                            : fullValue(column);
            QString error;
            QVERIFY2(rs->setValue(i, value, &error),
                     qPrintable(table + "." + column.name + ": " + error));
        }
        QString error;
        QVERIFY2(rs->update(&error), qPrintable(error));
    }

    test::TestDatabase m_file;
    AppState m_state;
};

QTEST_GUILESS_MAIN(TestExportContract)
#include "tst_export_contract.moc"
