#include "common/AnsiText.h"
#include "common/DateValue.h"
#include "data/AppState.h"
#include "data/Catalogue.h"
#include "data/DaoType.h"
#include "data/Database.h"
#include "data/ValueConverter.h"
#include "print/LayoutBuilder.h"
#include "print/RecordXmlWriter.h"
#include "print/ReportDataExporter.h"
#include "print/ReportLayouts.h"
#include "print/view/ReportDesigner.h"
#include "print/view/ReportRenderer.h"
#include "print/view/ReportWindows.h"
#include "rap/RapItemTable.h"
#include "rap/TriggerRuleTable.h"
#include "support/PdfText.h"
#include "support/ReportContract.h"
#include "support/TempFolder.h"
#include "support/TestDatabase.h"

#include <QRegularExpression>
#include <QtTest>

using namespace orv;
using orv::test::PdfText;
using orv::test::PdfWord;
using orv::test::ReportContract;

namespace {

void writeDataFile(const QString& path, const QList<QPair<QString, QString>>& elements)
{
    AnsiTextWriter writer;
    QVERIFY(writer.open(path));
    writer.writeLine("<?xml version=\"1.0\" encoding=\"shift_jis\" ?>");
    writer.writeLine("<main>");
    for (const auto& [name, value] : elements)
        writer.writeLine("<" + name + ">" + value + "</" + name + ">");
    writer.writeLine("</main>");
    QVERIFY(writer.commit());
}

bool isCheckField(const ReportLayout& layout, const QString& element)
{
    for (const ReportControl& c : layout.controls()) {
        if (c.isBoundField() && c.dataField == element)
            return c.checkBox;
    }
    return false;
}

// A program folder of its own with the report windows of one run.
struct Reports
{
    test::TempFolder folder;
    AppState state;
    ReportWindows windows{state};

    Reports() { state.folder = ProgramFolder(folder.path()); }

    // Runs a report on its data file and writes it as a PDF of the folder.
    QString render(ReportKind kind, const QString& pdfName)
    {
        ReportDesigner& report = windows.designer(kind);
        report.Run();
        const QString path = folder.file(pdfName);
        return ReportRenderer(report.document()).writePdf(path) ? path : QString();
    }
};

// A record file of its own and the state of a run on it.
struct RecordFileRun
{
    test::TestDatabase file;
    AppState state;

    RecordFileRun()
    {
        state.folder = ProgramFolder(file.folder());
        state.Db = file.open();
    }
};

const QRegularExpression kTriggerKey(QStringLiteral("^(?:[B-P]\\d|OH\\d|OJ\\d)$"));

const QString kId = QStringLiteral("K01");
const QChar kWide(0x9b31); // 鬱, a full-width character
constexpr double kLegibleFloor = 6.0;

// The longest value a column of a record takes: texts full of full-width characters to the
// column's size, memos longer than any box, the longest code of a coded item, a date with a
// two-digit era year, month and day, and a number with the most digits the entry page lets
// through (eight) that the column's type holds.
Value longestValue(const ColumnInfo& column)
{
    if (column.name == QLatin1String("ID"))
        return Value(kId);
    const CatalogueItem* item = Catalogue::builtIn().item(column.name);
    if (column.type == dbDate || (item && item->kind == ItemKind::Date)) {
        return column.type == dbText ? Value(QStringLiteral("2018/12/28"))
                                     : Value(DateValue::fromDate(QDate(2018, 12, 28)));
    }
    if (item && item->kind == ItemKind::Check)
        return Value(qint64(1));
    if (item && item->kind == ItemKind::Code) {
        QString code;
        for (const CatalogueChoice& choice : item->choices)
            code = choice.code.size() > code.size() ? choice.code : code;
        return Value(code.toLongLong());
    }
    if (column.type == dbText)
        return Value(QString(column.size, kWide));
    if (column.type == dbMemo)
        return Value(QString(1000, kWide));
    qint64 low = 0;
    qint64 high = 99999999;
    Value converted;
    while (low < high) {
        const qint64 middle = (low + high + 1) / 2;
        if (ValueConverter::convert(column, Value(middle), &converted))
            low = middle;
        else
            high = middle - 1;
    }
    return Value(low);
}

// A value an assessment typically holds: codes at their second choice, every other check item
// ticked, a short name or text, a memo of two lines, a date and small numbers.
Value typicalValue(const ColumnInfo& column)
{
    const CatalogueItem* item = Catalogue::builtIn().item(column.name);
    if (column.name == QLatin1String("ID") || column.type == dbDate ||
        (item && item->kind == ItemKind::Date))
        return longestValue(column);
    if (item && item->kind == ItemKind::Check)
        return Value(qint64(column.name.back().unicode() % 2));
    if (item && item->kind == ItemKind::Code && !item->choices.isEmpty())
        return Value(item->choices.value(1, item->choices.first()).code.toLongLong());
    if (column.type == dbMemo)
        return Value(QStringLiteral("右膝の痛みを訴える。\r\n夜間の見守りを続ける。"));
    if (column.type == dbText)
        return Value(QStringLiteral("山田 花子").left(column.size));
    return Value(qint64(2));
}

// Titles over sub-groups of the assessment, and the start of the codes of the groups under
// them.
const QList<QPair<QString, QString>> kTitlesOverSubGroups = {
    {"E4", "E4-"}, {"G4", "G4-"}, {"I1", "I1-"},     {"I3", "I3-"},
    {"J1", "J1-"}, {"P1", "P1-"}, {"P1-b", "P1-b-"}, {"R2-d～h", "R2-"}};

// For each element of the assessment, the groups whose titles it is read under, outermost first:
// the titles over its group, and its group.
QHash<QString, QList<const CatalogueGroup*>> titlesOfElements()
{
    QHash<QString, QList<const CatalogueGroup*>> titles;
    for (char letter = 'A'; letter <= 'R'; ++letter) {
        const CatalogueSection* section =
            Catalogue::builtIn().section(QString(QLatin1Char(letter)));
        for (const CatalogueGroup& group : section->groups) {
            QList<const CatalogueGroup*> over;
            for (const CatalogueGroup& other : section->groups) {
                for (const auto& [code, stem] : kTitlesOverSubGroups) {
                    if (other.code == code && &other != &group && group.code.startsWith(stem))
                        over << &other;
                }
            }
            over << &group;
            for (const CatalogueItem& item : group.items)
                titles.insert(xmlElementName(item.code), over);
        }
    }
    return titles;
}

// The first value of a page not read under every title it belongs to: the code, the title and
// the instruction of its group and of the groups over it, drawn on the same page above it.
// Counts the values drawn.
QString valueWithoutItsTitles(const PageDrawing& drawn,
                              const QHash<QString, QList<const CatalogueGroup*>>& titles,
                              int* values)
{
    auto drawnAbove = [&](const QString& text, const PlacedText& value) {
        return std::any_of(drawn.texts.begin(), drawn.texts.end(), [&](const PlacedText& t) {
            return t.element.isEmpty() && t.box.top() <= value.box.top() &&
                   PdfText::compact(t.text) == PdfText::compact(text);
        });
    };
    for (const PlacedText& value : drawn.texts) {
        if (!titles.contains(value.element))
            continue;
        ++*values;
        for (const CatalogueGroup* group : titles.value(value.element)) {
            for (const QString& text : {group->code, group->title, group->note}) {
                if (!text.isEmpty() && !drawnAbove(text, value))
                    return QStringLiteral("%1 without %2").arg(value.element, text);
            }
        }
    }
    return QString();
}

int boundFieldCount(const ReportDocument& document)
{
    int count = int(document.layout.boundFields().size());
    for (const ReportControl& c : document.layout.controls()) {
        if (c.subReport)
            count += boundFieldCount(*c.subReport);
    }
    return count;
}

// Element and text of every bound field that prints a value.
void collectValues(const ReportDocument& document, QSet<QString>* values)
{
    for (const ReportControl& c : document.layout.controls()) {
        if (c.isBoundField())
            values->insert(c.dataField + QLatin1Char('=') + document.textOf(c));
        if (c.subReport)
            collectValues(*c.subReport, values);
    }
}

// A rule strikes a text when its stroke (half a point wide) runs through the text's glyphs.
bool strikes(const QLineF& rule, const QRectF& ink)
{
    constexpr double kHalfStroke = 5;
    const QRectF stroke = QRectF(rule.p1(), rule.p2())
                              .normalized()
                              .adjusted(-kHalfStroke, -kHalfStroke, kHalfStroke, kHalfStroke);
    return stroke.intersects(ink);
}

QString where(const PlacedText& t)
{
    return QStringLiteral("%1「%2」 %3pt ink %4,%5 %6x%7 box %8,%9 %10x%11")
        .arg(t.element, t.text.left(12))
        .arg(t.points)
        .arg(t.ink.left())
        .arg(t.ink.top())
        .arg(t.ink.width())
        .arg(t.ink.height())
        .arg(t.box.left())
        .arg(t.box.top())
        .arg(t.box.width())
        .arg(t.box.height());
}

// The first text of a page that is not where it belongs: off the page, struck through by a
// rule, below the legible size, cut (only a memo may be), out of its box, other than the data
// file holds, or over another text. Counts the fields drawn.
QString misplacedText(const PageDrawing& drawn, const QSet<QString>& memos,
                      const QSet<QString>& printed, int* fields)
{
    for (const PlacedText& text : drawn.texts) {
        if (!drawn.printable.contains(text.ink))
            return "off the page: " + where(text);
        for (const QLineF& rule : drawn.rules) {
            if (strikes(rule, text.ink))
                return "struck through: " + where(text);
        }
        if (text.points < kLegibleFloor)
            return "too small: " + where(text);
        const QString whole = QString(text.text).remove(QLatin1Char('\n'));
        if (text.cut && !(memos.contains(text.element) && whole.endsWith(QChar(0x2026))))
            return "cut: " + where(text);
        if (text.element.isEmpty())
            continue;
        ++*fields;
        if (!text.box.contains(text.ink))
            return "out of its box: " + where(text);
        if (!text.cut && !printed.contains(text.element + QLatin1Char('=') + whole))
            return "not as the file holds it: " + where(text);
        for (const PlacedText& other : drawn.texts) {
            // A mark printed over its cell's fixed sign shares the cell by design.
            if (&other != &text && other.box != text.box && other.ink.intersects(text.ink))
                return "over another text: " + where(text) + " / " + where(other);
        }
    }
    return QString();
}

} // namespace

class TestReportRender : public QObject
{
    Q_OBJECT

private slots:
    // Every element of a fully filled data file shows on the rendered form: texts by a token of
    // their own, check marks as "レ".
    void filledFormShowsEveryValue_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("designer");
        QTest::addColumn<int>("pages");
        QTest::newRow("フェイスシート") << int(ReportKind::FaceSheet) << "rptOrv21Care_1_2" << 2;
        QTest::newRow("アセスメント表") << int(ReportKind::Assessment) << "rptOrv21Care_a_r" << 19;
        QTest::newRow("RAP選定表") << int(ReportKind::RapSelection) << "rptOrv21Care_rap" << 2;
        QTest::newRow("RAPサマリー") << int(ReportKind::RapSummary) << "rptOrv21Care_s" << 1;
        QTest::newRow("薬物治療調査票") << int(ReportKind::Medication) << "rptOrv21Care_t" << 2;
    }

    void filledFormShowsEveryValue()
    {
        QFETCH(int, kind);
        QFETCH(QString, designer);
        QFETCH(int, pages);
        Reports reports;
        test::TempFolder& folder = reports.folder;
        ReportWindows& windows = reports.windows;
        ReportDesigner& report = windows.designer(ReportKind(kind));
        const ReportLayout& layout = report.document().layout;

        // The blank form first: its own "レ" (in item texts) are not marks.
        report.Run();
        QVERIFY(ReportRenderer(report.document()).writePdf(folder.file("blank.pdf")));
        const int blankMarks =
            int(PdfText::text(folder.file("blank.pdf")).count(QStringLiteral("レ")));

        QList<QPair<QString, QString>> elements = {{"ID", "Z999"}, {"基準日", "平成17年8月17日"}};
        QStringList tokens;
        int marks = 0;
        int index = 0;
        for (const QString& element : ReportContract::elements(designer)) {
            QString value;
            if (isCheckField(layout, element) || kTriggerKey.match(element).hasMatch()) {
                value = QStringLiteral("レ");
                marks += int(layout.boundFields().count(element));
            } else if (element.startsWith(QLatin1String("rap"))) {
                value = QStringLiteral("○");
            } else {
                value = QStringLiteral("Z%1").arg(++index, 3, 10, QLatin1Char('0'));
                tokens << value;
            }
            elements << qMakePair(element, value);
        }
        writeDataFile(report.FileURL, elements);
        report.Run();
        QVERIFY(ReportRenderer(report.document()).writePdf(folder.file("filled.pdf")));

        QCOMPARE(PdfText::pageCount(folder.file("filled.pdf")), pages);
        const QString text = PdfText::text(folder.file("filled.pdf"));
        for (const QString& token : tokens)
            QVERIFY2(text.contains(token), qPrintable(token));
        QCOMPARE(int(text.count(QStringLiteral("レ"))) - blankMarks, marks);
        QVERIFY(!text.contains(QStringLiteral("Z999"))); // ID is bound by no layout
        const QStringList fonts = PdfText::embeddedFonts(folder.file("filled.pdf"));
        QVERIFY2(fonts.join(' ').contains(QStringLiteral("NotoSansCJKjp")),
                 qPrintable(fonts.join(' ')));
    }

    void valuesPrintAsTheFileHoldsThem()
    {
        Reports reports;
        test::TempFolder& folder = reports.folder;
        writeDataFile(folder.file("orv21_s.xml"), {{"S0-1", "記入年月日：平成17年8月17日"},
                                                   {"S0-2", "山田　花子"},
                                                   {"S1-B", "ａ&lt;ｂ&gt;ｃ 情報"}});
        const QString text = PdfText::text(reports.render(ReportKind::RapSummary, "s.pdf"));
        QVERIFY(text.contains(QStringLiteral("記入年月日：平成17年8月17日")));
        QVERIFY2(PdfText::compact(text).contains(PdfText::compact("山田　花子")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("ａ<ｂ>ｃ")));
        QVERIFY(text.contains(QStringLiteral("S．RAPサマリー（ケアプラン作成評価票）")));
    }

    // Gothic and mincho items print in the Noto faces that stand for them.
    void japaneseFacesAreEmbedded()
    {
        Reports reports;
        const QStringList fonts =
            PdfText::embeddedFonts(reports.render(ReportKind::Assessment, "a.pdf"));
        QVERIFY2(fonts.join(' ').contains(QStringLiteral("NotoSansCJKjp")),
                 qPrintable(fonts.join(' ')));
        QVERIFY2(fonts.join(' ').contains(QStringLiteral("NotoSerifCJKjp")),
                 qPrintable(fonts.join(' ')));
    }

    // A check-mark field draws its box; the mark appears only for "レ".
    void checkMarkFieldDrawsABox_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("marked");
        QTest::newRow("レ") << "レ" << true;
        QTest::newRow("空") << "" << false;
    }

    void checkMarkFieldDrawsABox()
    {
        QFETCH(QString, value);
        QFETCH(bool, marked);
        ReportDocument document;
        document.layout.margins = {0, 0, 0, 0};
        LayoutBuilder b(&document.layout);
        b.checkField(1440, 1440, 288, QStringLiteral("A10-a"));
        document.record.insert(QStringLiteral("A10-a"), value);
        const QImage image = ReportRenderer(document).pageImage(0, 200.0);
        // The box: 1 inch from the corner, 0.2 inch across, at 200 dpi.
        auto dark = [&](int x, int y) { return qGray(image.pixel(x, y)) < 128; };
        QVERIFY(dark(200, 220));
        QVERIFY(dark(239, 220));
        QVERIFY(dark(220, 200));
        int inked = 0;
        for (int y = 205; y < 236; ++y) {
            for (int x = 205; x < 236; ++x)
                inked += dark(x, y) ? 1 : 0;
        }
        QCOMPARE(inked > 10, marked);

        test::TempFolder folder;
        QVERIFY(ReportRenderer(document).writePdf(folder.file("c.pdf")));
        QCOMPARE(PdfText::text(folder.file("c.pdf")).contains(QStringLiteral("レ")), marked);
    }

    // A memo longer than its box shows its first lines as the writer broke them; the last line
    // shown ends in "…" inside the box, and nothing of the lines after it.
    void cutMemoKeepsItsLineBreaks_data()
    {
        QTest::addColumn<QString>("memo");
        QStringList shortLines;
        for (int n = 1; n <= 30; ++n)
            shortLines << QStringLiteral("%1行目の記録").arg(n);
        QTest::newRow("短い行が多い") << shortLines.join('\n');
        QTest::newRow("CRLFと空行")
            << shortLines.mid(0, 3).join("\r\n\r\n") + "\r\n" + shortLines.mid(3).join("\r\n");
        QTest::newRow("長い行の途中で") << QString(300, kWide) + "\n次の行\n最後の行";
    }
    void cutMemoKeepsItsLineBreaks()
    {
        QFETCH(QString, memo);
        ReportDocument document;
        LayoutBuilder b(&document.layout);
        ReportControl& box = b.field(0, 0, 4000, 900, QStringLiteral("S1-B"));
        box.vAlign = VAlign::Top;
        document.record.insert(QStringLiteral("S1-B"), memo);
        const ReportRenderer renderer(document);
        renderer.pageImage(0, 12);
        QCOMPARE(renderer.drawing(0).texts.size(), 1);
        const PlacedText& drawn = renderer.drawing(0).texts.first();
        QVERIFY(drawn.cut);
        QVERIFY(drawn.box.contains(drawn.ink));
        QVERIFY(drawn.points >= kLegibleFloor);
        QStringList shown = drawn.text.split('\n');
        QVERIFY2(shown.size() >= 2, qPrintable(drawn.text));
        QVERIFY2(shown.last().endsWith(QChar(0x2026)), qPrintable(drawn.text));
        shown.last().chop(1);
        // The lines shown are where the memo begins, read line by line: a line ends where the
        // writer broke it or where it met the box's edge, and no line holds two of the writer's.
        const QString memoText = QString(memo).remove('\r');
        qsizetype at = 0;
        for (const QString& line : shown) {
            QCOMPARE(memoText.mid(at, line.size()), line);
            at += line.size();
            if (memoText.mid(at, 1) == QStringLiteral("\n"))
                ++at;
        }
        QVERIFY(at < memoText.size());
    }

    // The closing rule of a table lies on the end of the band: the last page draws it.
    void ruleOnTheEndOfTheBandIsDrawn()
    {
        ReportDocument document;
        document.layout.margins = {0, 0, 0, 0};
        LayoutBuilder b(&document.layout);
        b.rectangle(1440, 1440, 1440, 720);
        b.line(1440, 2880, 2880, 2880, 2.0);
        QCOMPARE(document.layout.bandHeight, 2880);
        const QImage image = ReportRenderer(document).pageImage(0, 100.0);
        int inked = 0;
        for (int x = 110; x < 190; ++x)
            inked += qGray(image.pixel(x, 200)) < 160 ? 1 : 0;
        QVERIFY2(inked > 70, qPrintable(QString::number(inked)));
    }

    // Every form filled with the longest values its columns take: each value prints whole in
    // its box (a memo may end in a visible cut), at a legible size, inside the printable area,
    // clear of every other text and of every rule.
    void longestValuesStayInTheirBoxes_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("tables");
        QTest::newRow("フェイスシート") << int(ReportKind::FaceSheet) << QStringList{"KIHON1"};
        QStringList sections;
        for (char letter = 'A'; letter <= 'R'; ++letter)
            sections << QString(QLatin1Char(letter));
        QTest::newRow("アセスメント表") << int(ReportKind::Assessment) << sections;
        QTest::newRow("RAP選定表") << int(ReportKind::RapSelection) << QStringList();
        QTest::newRow("RAPサマリー") << int(ReportKind::RapSummary) << QStringList{"S"};
        QTest::newRow("薬物治療調査票") << int(ReportKind::Medication) << QStringList{"T"};
        QTest::newRow("RAP一覧表と6列") << int(ReportKind::RapList) << QStringList{"A"};
    }

    void longestValuesStayInTheirBoxes()
    {
        QFETCH(int, kind);
        QFETCH(QStringList, tables);
        RecordFileRun run;
        QVERIFY2(run.file.ok() && run.state.Db, qPrintable(run.file.error()));
        AppState& state = run.state;
        QSet<QString> memos;
        for (const QString& table : tables) {
            QString error;
            QVERIFY2(test::TestDatabase::insertRow(*state.Db, table, longestValue, &error),
                     qPrintable(error));
            const TableSchema* schema = state.Db->schema(table);
            for (const ColumnInfo& column : schema->columns) {
                if (column.type == dbMemo)
                    memos << xmlElementName(column.name);
            }
            // The name that the RAP list prints: family and given name of section A.
            if (table == QLatin1String("A")) {
                state.CurName = QString(schema->columns.at(schema->indexOf("A1-1")).size +
                                            schema->columns.at(schema->indexOf("A1-2")).size,
                                        kWide);
            }
        }
        QStringList everyRap;
        for (const RapItem& rap : RapItemTable::instance().items())
            everyRap << rap.entry.toLower();
        for (int n = 0; n < 6; ++n) {
            QVERIFY(
                state.Db->execute("INSERT INTO [RAP] VALUES (?,?,?)",
                                  {Value(kId), Value(DateValue::fromDate(QDate(2018, 12, 28 - n))),
                                   Value(everyRap.join(','))}));
        }
        QVector<Value> trigger = {Value(kId), Value(DateValue::fromDate(QDate(2018, 12, 28)))};
        for (int i = 0; i < TriggerRuleTable::instance().keys().size(); ++i)
            trigger << Value(QStringLiteral("○"));
        QVERIFY(state.Db->execute(QStringLiteral("INSERT INTO [Trigger] VALUES (?,?%1)")
                                      .arg(QStringLiteral(",?").repeated(int(trigger.size()) - 2)),
                                  trigger));
        ReportDataExporter exporter(state);
        const QString date = QStringLiteral("2018/12/28");
        switch (ReportKind(kind)) {
        case ReportKind::FaceSheet:
            QVERIFY(exporter.ExportFaceSheetXml(date, kId));
            break;
        case ReportKind::Assessment:
            QVERIFY(exporter.ExportAssessmentXml(date, kId));
            break;
        case ReportKind::RapSelection:
            QVERIFY(exporter.ExportTriggerXml(date, kId));
            break;
        case ReportKind::RapSummary:
            QVERIFY(exporter.ExportRapSummaryXml(date, kId));
            break;
        case ReportKind::Medication:
            QVERIFY(exporter.ExportMedicationXml(date, kId));
            break;
        default:
            QVERIFY(exporter.ExportRapListXml(DateValue::fromDate(QDate(2018, 12, 28)), kId));
            break;
        }
        ReportWindows windows(state);
        ReportDesigner& report = windows.designer(ReportKind(kind));
        report.Run();
        QSet<QString> printed;
        collectValues(report.document(), &printed);

        const ReportRenderer renderer(report.document());
        int fields = 0;
        for (int page = 0; page < renderer.pageCount(); ++page) {
            renderer.pageImage(page, 12);
            const QString fault = misplacedText(renderer.drawing(page), memos, printed, &fields);
            QVERIFY2(fault.isEmpty(),
                     qPrintable(QStringLiteral("page %1: ").arg(page + 1) + fault));
        }
        QCOMPARE(fields, boundFieldCount(report.document()));
    }

    // Every value of the assessment, at its longest and as typically filled, is read under the
    // titles it belongs to: where a group or its sub-groups go on to the next page, that page
    // opens with their titles and instructions again. The form keeps its 19 pages.
    void assessmentValuesUnderTheirTitles_data()
    {
        QTest::addColumn<bool>("longest");
        QTest::newRow("最大長") << true;
        QTest::newRow("典型") << false;
    }
    void assessmentValuesUnderTheirTitles()
    {
        QFETCH(bool, longest);
        RecordFileRun run;
        QVERIFY2(run.file.ok() && run.state.Db, qPrintable(run.file.error()));
        AppState& state = run.state;
        for (char letter = 'A'; letter <= 'R'; ++letter) {
            QString error;
            QVERIFY2(test::TestDatabase::insertRow(*state.Db, QString(QLatin1Char(letter)),
                                                   longest ? longestValue : typicalValue, &error),
                     qPrintable(error));
        }
        QVERIFY(ReportDataExporter(state).ExportAssessmentXml(QStringLiteral("2018/12/28"), kId));
        ReportWindows windows(state);
        ReportDesigner& report = windows.designer(ReportKind::Assessment);
        report.Run();
        const ReportRenderer renderer(report.document());
        QCOMPARE(renderer.pageCount(), 19);
        const QHash<QString, QList<const CatalogueGroup*>> titles = titlesOfElements();
        int values = 0;
        for (int page = 0; page < renderer.pageCount(); ++page) {
            renderer.pageImage(page, 12);
            const QString fault = valueWithoutItsTitles(renderer.drawing(page), titles, &values);
            QVERIFY2(fault.isEmpty(),
                     qPrintable(QStringLiteral("page %1: ").arg(page + 1) + fault));
        }
        if (longest)
            QCOMPARE(values, int(report.document().layout.boundFields().size()));
        else
            QVERIFY2(values > 300, qPrintable(QString::number(values)));
    }

    // A narrow column head set one character under the other keeps its size while the
    // characters fit at one em apiece, and stays in its box.
    void verticalHeadKeepsItsSize()
    {
        ReportDocument document;
        document.layout.margins = {0, 0, 0, 0};
        LayoutBuilder b(&document.layout);
        b.label(1440, 1440, 2000, 400, QStringLiteral("ケ"), LayoutBuilder::gothic(8.5));
        ReportControl& head = b.label(4320, 1440, 380, 1640, QStringLiteral("コミュニケーション"),
                                      LayoutBuilder::gothic(8.5), HAlign::Centre);
        head.vertical = true;
        head.vAlign = VAlign::Top;
        test::TempFolder folder;
        QVERIFY(ReportRenderer(document).writePdf(folder.file("v.pdf")));
        QRectF level;
        QList<QRectF> column;
        for (const PdfWord& w : PdfText::words(folder.file("v.pdf"))) {
            if (w.box.left() < 144)
                level = w.box;
            else
                column << w.box;
        }
        QCOMPARE(column.size(), 9);
        for (const QRectF& box : column) {
            QVERIFY2(box.height() >= 0.95 * level.height(),
                     qPrintable(QString::number(box.height())));
            QVERIFY(box.center().y() > 72 && box.center().y() < 72 + 82);
        }
    }

    void rapListShowsSixColumnsNewestFirst()
    {
        test::TempFolder folder;
        AppState state;
        state.folder = ProgramFolder(folder.path());
        state.CurName = QStringLiteral("山田 花子");
        const QStringList dates = {"令和6年6月1日", "令和5年6月1日", "令和4年6月1日",
                                   "令和3年6月1日", "令和2年6月1日", "平成31年4月1日"};
        for (int n = 1; n <= 6; ++n) {
            // Written in lower case, read as "RAP_0n.xml".
            writeDataFile(folder.file(QStringLiteral("rap_0%1.xml").arg(n)),
                          {{"PRINTDATE", dates.at(n - 1)},
                           {"NUM01", "05"},
                           {"RAP01", n == 1 ? "ADL／リハビリ(A)" : "転倒"}});
        }
        ReportWindows windows(state);
        ReportDesigner& report = windows.designer(ReportKind::RapList);
        report.Run();
        QCOMPARE(report.document().layout.control("lblName")->text, state.CurName);
        QVERIFY(ReportRenderer(report.document()).writePdf(folder.file("list.pdf")));
        QCOMPARE(PdfText::pageCount(folder.file("list.pdf")), 1);

        const QList<PdfWord> words = PdfText::words(folder.file("list.pdf"));
        QList<QRectF> boxes;
        for (const QString& date : dates) {
            const auto it = std::find_if(words.begin(), words.end(),
                                         [&](const PdfWord& w) { return w.text == date; });
            QVERIFY2(it != words.end(), qPrintable(date));
            boxes << it->box;
        }
        // Two rows of three, left to right; the newest at the top left.
        for (int n = 0; n < 6; ++n) {
            const QRectF& box = boxes.at(n);
            QCOMPARE(qRound(box.top()), qRound(boxes.at(n / 3 * 3).top()));
            if (n % 3 > 0)
                QVERIFY(box.center().x() > boxes.at(n - 1).center().x());
        }
        QVERIFY(boxes.at(3).top() > boxes.at(0).bottom() + 100);
        QVERIFY(qAbs(boxes.at(3).center().x() - boxes.at(0).center().x()) < 5);

        const QString text = PdfText::text(folder.file("list.pdf"));
        QVERIFY(text.contains(QStringLiteral("山田")));
        QVERIFY(PdfText::compact(text).contains(PdfText::compact("ADL／リハビリ(A)")));
        QCOMPARE(int(text.count(QStringLiteral("転倒"))), 5);
    }

    void rapListWithoutItsFilesShowsEmptyColumns()
    {
        Reports reports;
        AppState& state = reports.state;
        ReportWindows& windows = reports.windows;
        const QString pdf = reports.render(ReportKind::RapList, "list.pdf");
        QCOMPARE(PdfText::pageCount(pdf), 1);
        QCOMPARE(windows.designer(ReportKind::RapList).document().layout.control("lblName")->text,
                 state.CurName);
    }
};

QTEST_MAIN(TestReportRender)
#include "tst_reportrender.moc"
