#include "data/Catalogue.h"
#include "print/LayoutCatalogueSection.h"
#include "print/LayoutFormFlow.h"
#include "print/RecordXmlWriter.h"
#include "print/ReportCatalogue.h"
#include "print/ReportLayouts.h"
#include "print/ReportRapChart.h"
#include "support/ReportContract.h"

#include <QSet>
#include <QtTest>

using namespace orv;
using orv::test::ReportContract;

namespace {

int pageOf(const ReportLayout& layout, int top)
{
    const QList<PageSlice> slices = layout.pageSlices();
    for (int i = 0; i < slices.size(); ++i) {
        if (top >= slices.at(i).top && top < slices.at(i).bottom)
            return i;
    }
    return -1;
}

const ReportControl* findLabel(const ReportLayout& layout, const QString& text)
{
    for (const ReportControl& c : layout.controls()) {
        if (c.kind == ControlKind::Label && c.text == text)
            return &c;
    }
    return nullptr;
}

QList<const ReportControl*> fieldsOf(const ReportLayout& layout, const QString& element)
{
    QList<const ReportControl*> fields;
    for (const ReportControl& c : layout.controls()) {
        if (c.isBoundField() && c.dataField == element)
            fields << &c;
    }
    return fields;
}

// A rule that runs through the inside of a printed text's box strikes the text out.
QString struckText(const ReportLayout& layout)
{
    constexpr int kInset = 40;
    for (const ReportControl& text : layout.controls()) {
        if (text.kind != ControlKind::Label || text.text.trimmed().isEmpty())
            continue;
        const QRect inside = QRect(text.left, text.top, text.width, text.height)
                                 .adjusted(kInset, kInset, -kInset, -kInset);
        for (const ReportControl& rule : layout.controls()) {
            if (rule.kind != ControlKind::Line || (rule.width != 0 && rule.height != 0))
                continue;
            const QRect line =
                QRect(QPoint(rule.left, rule.top), QPoint(rule.right(), rule.bottom()))
                    .normalized();
            if (inside.intersects(line.adjusted(0, 0, 1, 1)))
                return QStringLiteral("%1 at %2,%3").arg(text.text).arg(text.left).arg(text.top);
        }
    }
    return QString();
}

} // namespace

class TestReportLayouts : public QObject
{
    Q_OBJECT

private slots:
    void bindsExactlyItsContract_data()
    {
        QTest::addColumn<QString>("designer");
        QTest::addColumn<int>("elements");
        QTest::addColumn<int>("fields");
        QTest::newRow("フェイスシート") << "rptOrv21Care_1_2" << 48 << 48;
        QTest::newRow("アセスメント表") << "rptOrv21Care_a_r" << 474 << 474;
        QTest::newRow("RAP選定表") << "rptOrv21Care_rap" << 101 << 113;
        QTest::newRow("RAPサマリー") << "rptOrv21Care_s" << 63 << 63;
        QTest::newRow("薬物治療調査票") << "rptOrv21Care_t" << 215 << 215;
        QTest::newRow("RAP一覧の列1") << "rptRAP1" << 45 << 45;
        QTest::newRow("RAP一覧の列6") << "rptRAP6" << 45 << 45;
    }

    void bindsExactlyItsContract()
    {
        QFETCH(QString, designer);
        QFETCH(int, elements);
        QFETCH(int, fields);
        const ReportLayout layout = ReportLayouts::byDesigner(designer);
        const QStringList contract = ReportContract::elements(designer);
        QCOMPARE(contract.size(), elements);

        const QStringList bound = layout.boundElements();
        const QSet<QString> boundSet(bound.begin(), bound.end());
        const QSet<QString> contractSet(contract.begin(), contract.end());
        QCOMPARE(boundSet - contractSet, QSet<QString>());
        QCOMPARE(contractSet - boundSet, QSet<QString>());
        QCOMPARE(bound.size(), elements);
        QCOMPARE(layout.boundFields().size(), fields);
    }

    void catalogueOfEachDesigner_data()
    {
        QTest::addColumn<QString>("designer");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("dataFile");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<QList<int>>("margins");
        QTest::addColumn<int>("pages");
        QTest::newRow("face") << "rptOrv21Care_1_2"
                              << "Orv2.1 入院・入所時のフェイスシート情報"
                              << "orv21_12.xml" << false << QList<int>{1440, 1440, 1300, 1300} << 2;
        QTest::newRow("assessment")
            << "rptOrv21Care_a_r"
            << "Orv2.1 施設ケア アセスメント表"
            << "orv21_ar.xml" << false << QList<int>{1440, 1440, 1080, 750} << 19;
        QTest::newRow("selection")
            << "rptOrv21Care_rap"
            << "Orv2.1 RAP選定表"
            << "orv21_trigger.xml" << true << QList<int>{900, 900, 720, 720} << 2;
        QTest::newRow("summary") << "rptOrv21Care_s"
                                 << "Orv2.1 RAPサマリー"
                                 << "orv21_s.xml" << false << QList<int>{1440, 1440, 1080, 1040}
                                 << 1;
        QTest::newRow("medication")
            << "rptOrv21Care_t"
            << "Orv2.1 薬物治療調査票"
            << "orv21_t.xml" << false << QList<int>{1440, 1440, 500, 360} << 2;
        QTest::newRow("list") << "rptRapList"
                              << "Orv2.1 RAP一覧表"
                              << "" << false << QList<int>{1440, 1440, 1440, 1440} << 1;
    }

    void catalogueOfEachDesigner()
    {
        QFETCH(QString, designer);
        QFETCH(QString, caption);
        QFETCH(QString, dataFile);
        QFETCH(bool, landscape);
        QFETCH(QList<int>, margins);
        QFETCH(int, pages);
        const ReportLayout layout = ReportLayouts::byDesigner(designer);
        QCOMPARE(layout.caption, caption);
        QCOMPARE(layout.dataFile, dataFile);
        QCOMPARE(layout.orientation == PaperOrientation::Landscape, landscape);
        QCOMPARE((QList<int>{layout.margins.left, layout.margins.right, layout.margins.top,
                             layout.margins.bottom}),
                 margins);
        QCOMPARE(layout.pageCount(), pages);
        QCOMPARE(ReportCatalogue::entry(designer).pages, pages);
    }

    // Nothing may spill over the printable width or be cut by a page end.
    void controlsStayOnTheirPage_data()
    {
        QTest::addColumn<QString>("designer");
        for (const char* name : {"rptOrv21Care_1_2", "rptOrv21Care_a_r", "rptOrv21Care_rap",
                                 "rptOrv21Care_s", "rptOrv21Care_t", "rptRapList"})
            QTest::newRow(name) << name;
    }

    void controlsStayOnTheirPage()
    {
        QFETCH(QString, designer);
        const ReportLayout layout = ReportLayouts::byDesigner(designer);
        QVERIFY(layout.bandWidth <= layout.printableWidth());
        const QList<PageSlice> slices = layout.pageSlices();
        for (const PageSlice& s : slices)
            QVERIFY2(s.bottom - s.top <= layout.printableHeight(), qPrintable(designer));
        for (const ReportControl& c : layout.controls()) {
            if (c.kind == ControlKind::PageBreak)
                continue;
            const int bottom = c.height > 0 ? c.bottom() - 1 : c.top;
            QVERIFY2(
                pageOf(layout, c.top) == pageOf(layout, bottom),
                qPrintable(
                    QStringLiteral("%1 %2 at %3").arg(designer, c.text + c.dataField).arg(c.top)));
        }
    }

    void noRuleStrikesThroughText_data()
    {
        QTest::addColumn<QString>("designer");
        for (const char* name : {"rptOrv21Care_1_2", "rptOrv21Care_a_r", "rptOrv21Care_rap",
                                 "rptOrv21Care_s", "rptOrv21Care_t", "rptRapList", "rptRAP1"})
            QTest::newRow(name) << name;
        QTest::newRow("施設サービス計画書") << "carePlan";
        QTest::newRow("週間サービス計画表") << "weeklyPlan";
    }

    void noRuleStrikesThroughText()
    {
        QFETCH(QString, designer);
        const ReportLayout layout =
            designer == QLatin1String("carePlan")     ? ReportLayouts::carePlan()
            : designer == QLatin1String("weeklyPlan") ? ReportLayouts::weeklyPlan()
                                                      : ReportLayouts::byDesigner(designer);
        const QString struck = struckText(layout);
        QVERIFY2(struck.isEmpty(), qPrintable(struck));
    }

    // The rows share the 19 pages out: no page is a stub of a line or two.
    void assessmentHasNoStubPage()
    {
        const ReportLayout layout = ReportLayouts::assessment();
        const QList<PageSlice> slices = layout.pageSlices();
        QCOMPARE(slices.size(), 19);
        for (int page = 0; page < slices.size(); ++page) {
            const int fill = slices.at(page).bottom - slices.at(page).top;
            QVERIFY2(fill > layout.printableHeight() / 4,
                     qPrintable(QStringLiteral("page %1: %2").arg(page + 1).arg(fill)));
        }
    }

    // A group stays on one page with its title ("脚（股・膝を含む）" with both its items, N4 and
    // P3 whole); a title over sub-groups (E4, G4) goes on the page of the first of them.
    void assessmentGroupsStayWithTheirTitles()
    {
        const ReportLayout layout = ReportLayouts::assessment();
        for (char letter = 'A'; letter <= 'R'; ++letter) {
            const CatalogueSection* section =
                Catalogue::builtIn().section(QString(QLatin1Char(letter)));
            QVERIFY(section);
            int waiting = -1; // the page of a title over sub-groups
            for (const CatalogueGroup& group : section->groups) {
                const ReportControl* title = findLabel(layout, group.code);
                QVERIFY2(title, qPrintable(group.code));
                // Long codes such as "P1-a-a～s" have the room to print at their size.
                QVERIFY2(title->width >= LayoutFormFlow::textWidth(title->text, 9.5),
                         qPrintable(group.code));
                const int page = pageOf(layout, title->top);
                if (waiting >= 0)
                    QVERIFY2(page == waiting, qPrintable(group.code));
                waiting = group.items.isEmpty() ? page : -1;
                for (const CatalogueItem& item : group.items) {
                    for (const ReportControl* field : fieldsOf(layout, xmlElementName(item.code)))
                        QVERIFY2(pageOf(layout, field->top) == page, qPrintable(item.code));
                }
            }
        }
    }

    // A group longer than a page opens each page it goes on to with its title; a sub-group with
    // the title and instruction over it first.
    void longGroupRepeatsItsTitle_data()
    {
        QTest::addColumn<bool>("underATitle");
        QTest::newRow("グループ") << false;
        QTest::newRow("小グループ") << true;
    }
    void longGroupRepeatsItsTitle()
    {
        QFETCH(bool, underATitle);
        ReportLayout layout;
        LayoutBuilder b(&layout);
        LayoutCatalogueSection writer(&b, 300);
        CatalogueGroup over;
        over.code = QStringLiteral("Z9");
        over.title = QStringLiteral("上の見出し");
        over.note = QStringLiteral("該当するものすべてにチェック");
        if (underATitle)
            writer.group(over);
        CatalogueGroup group;
        group.code = QStringLiteral("Z9-a");
        group.title = QStringLiteral("長い一覧");
        for (int i = 0; i < 120; ++i) {
            CatalogueItem item;
            item.code = QStringLiteral("Z9-a-%1").arg(i);
            item.title = QStringLiteral("項目%1").arg(i);
            item.kind = ItemKind::Check;
            group.items.append(item);
        }
        writer.group(group);
        const QList<PageSlice> slices = layout.pageSlices();
        QVERIFY(slices.size() > 1);
        const QStringList opening = underATitle ? QStringList{over.code,  over.title,  over.note,
                                                              group.code, group.title, "項目"}
                                                : QStringList{group.code, group.title, "項目"};
        for (const PageSlice& slice : slices) {
            QList<const ReportControl*> labels;
            for (const ReportControl& c : layout.controls()) {
                if (c.kind == ControlKind::Label && c.top >= slice.top && c.top < slice.bottom)
                    labels << &c;
            }
            std::stable_sort(
                labels.begin(), labels.end(),
                [](const ReportControl* x, const ReportControl* y) { return x->top < y->top; });
            QStringList first;
            for (const ReportControl* label : labels.mid(0, int(opening.size())))
                first << label->text.left(label->text.startsWith("項目") ? 2 : -1);
            QCOMPARE(first, opening);
        }
    }

    // The day and minute counts carry their unit ("2日", "40分"): the form adds none beside them.
    void dayAndMinuteCountsPrintTheirUnitOnce()
    {
        const ReportLayout layout = ReportLayouts::assessment();
        int counts = 0;
        for (const ReportControl& field : layout.controls()) {
            const XmlFamily family =
                field.isBoundField() ? xmlFamilyOf(field.dataField) : XmlFamily::Default;
            if (family != XmlFamily::Days && family != XmlFamily::Minutes)
                continue;
            ++counts;
            for (const ReportControl& c : layout.controls()) {
                const bool beside = c.kind == ControlKind::Label && c.left >= field.right() &&
                                    c.top < field.bottom() && c.bottom() > field.top;
                QVERIFY2(!beside ||
                             (c.text != QStringLiteral("日") && c.text != QStringLiteral("分")),
                         qPrintable(field.dataField));
            }
        }
        QVERIFY(counts > 0);
    }

    // Part II: each list of habits in a frame of its own, under its title; no frame is empty.
    void faceSheetHabitsUnderTheirTitles()
    {
        const ReportLayout layout = ReportLayouts::faceSheet();
        QStringList texts;
        for (const ReportControl& c : layout.controls())
            texts << QString(c.text).remove(QLatin1Char('\n'));
        for (const char* title : {"Ⅱ-1　入院・入所前の生活習慣", "日常生活の周期", "食習慣",
                                  "ADL（日常生活動作）の習慣", "人との関わりの習慣", "情報の有無"})
            QVERIFY2(texts.contains(QString::fromUtf8(title)), title);
        // A long item title breaks before its bracket rather than inside "5年間".
        QVERIFY(std::any_of(layout.controls().begin(), layout.controls().end(), [](const auto& c) {
            return c.text == QStringLiteral("Ⅰ-8　入所歴\n（入所前5年間）");
        }));
        for (const ReportControl& frame : layout.controls()) {
            if (frame.kind != ControlKind::Rectangle || frame.width != layout.printableWidth())
                continue;
            const QRect inside(frame.left, frame.top, frame.width, frame.height);
            const bool holdsAField =
                std::any_of(layout.controls().begin(), layout.controls().end(), [&](const auto& c) {
                    return c.isBoundField() && inside.contains(QPoint(c.left, c.top));
                });
            QVERIFY2(holdsAField, qPrintable(QString::number(frame.top)));
        }
    }

    void assessmentSectionsBeginWhereTheFormSays()
    {
        const ReportLayout layout = ReportLayouts::assessment();
        QCOMPARE(layout.countOf(ControlKind::PageBreak), 18);
        const QList<PageSlice> slices = layout.pageSlices();
        int previousTop = -1;
        for (char letter = 'A'; letter <= 'R'; ++letter) {
            const ReportControl* heading = nullptr;
            for (const ReportControl& c : layout.controls()) {
                if (c.kind == ControlKind::Label && c.font.points == 11.0 &&
                    c.text.startsWith(QString(QLatin1Char(letter)) + QStringLiteral("．"))) {
                    heading = &c;
                }
            }
            QVERIFY2(heading, &letter);
            QVERIFY(heading->top > previousTop);
            previousTop = heading->top;
            // Every field of the section lies between its heading and the next one.
            for (const QString& element : ReportContract::assessmentSection(QLatin1Char(letter))) {
                const auto fields = fieldsOf(layout, element);
                QCOMPARE(fields.size(), 1);
                QVERIFY(fields.first()->top > heading->top);
            }
            if (QByteArrayLiteral("BCDFHIJP").contains(letter)) {
                const int page = pageOf(layout, heading->top);
                QVERIFY2(heading->top - slices.at(page).top < 200, &letter);
            }
        }
    }

    void rapSelectionCellsAndMarks()
    {
        const ReportLayout layout = ReportLayouts::rapSelection();
        QHash<QString, int> marks;
        for (const ReportControl& c : layout.controls()) {
            if (c.kind == ControlKind::Label)
                ++marks[c.text];
        }
        QCOMPARE(marks.value(QStringLiteral("○")), 86);
        QCOMPARE(marks.value(QStringLiteral("②")), 2);
        QCOMPARE(marks.value(QStringLiteral("☆")), 3);

        const QStringList twoRaps = {"B4", "B5", "C3", "E5", "E9", "J2",
                                     "J8", "K5", "K6", "O2", "O3", "P1"};
        for (const RapChartRow& row : ReportRapChart::rows()) {
            const auto fields = fieldsOf(layout, row.key);
            QCOMPARE(fields.size(), twoRaps.contains(row.key) ? 2 : 1);
            // Each key field lies over a mark label of the same cell.
            for (const ReportControl* field : fields) {
                bool onMark = false;
                for (const ReportControl& c : layout.controls()) {
                    onMark |= c.kind == ControlKind::Label && c.left == field->left &&
                              c.top == field->top && QStringLiteral("○②☆").contains(c.text) &&
                              !c.text.isEmpty();
                }
                QVERIFY2(onMark, qPrintable(row.key));
            }
        }
        // ② in the cells of N1 and N2 under "10b"; ☆ in O1 to O3 under "17".
        const auto columns = ReportRapChart::columns();
        QCOMPARE(columns.size(), 22);
        QCOMPARE(ReportRapChart::cellMark(columns.at(11), "N1"), QStringLiteral("②"));
        QCOMPARE(ReportRapChart::cellMark(columns.at(11), "N2"), QStringLiteral("②"));
        QCOMPARE(ReportRapChart::cellMark(columns.at(18), "O2"), QStringLiteral("☆"));
        QCOMPARE(ReportRapChart::cellMark(columns.at(12), "O2"), QStringLiteral("○"));
        QCOMPARE(ReportRapChart::cellMark(columns.at(18), "B4"), QStringLiteral("○"));
        QCOMPARE(ReportRapChart::cellMark(columns.at(0), "N1"), QString());

        // The rap fields lie over the column numbers, one per column, left to right.
        int previousLeft = -1;
        for (int i = 1; i <= 22; ++i) {
            const auto fields = fieldsOf(layout, QStringLiteral("rap%1").arg(i));
            QCOMPARE(fields.size(), 1);
            QCOMPARE(fields.first()->font.points, 11.5);
            QVERIFY(fields.first()->left > previousLeft);
            previousLeft = fields.first()->left;
            QCOMPARE(fields.first()->top, 0);
        }
    }

    void rapSelectionSplitsAtItsPageBreak()
    {
        const ReportLayout layout = ReportLayouts::rapSelection();
        const QList<PageSlice> slices = layout.pageSlices();
        QCOMPARE(slices.size(), 2);
        QCOMPARE(slices.at(1).top, 10417);
        // The second page repeats the column numbers at its top.
        int repeated = 0;
        for (const ReportControl& c : layout.controls()) {
            if (c.kind == ControlKind::Label && c.top == 10417 &&
                (c.text.startsWith("10") || c.text == "1" || c.text == "20"))
                ++repeated;
        }
        QCOMPARE(repeated, 4); // 1, 10(A), 10(B), 20
        // Rows keep key order across the break.
        int previousTop = -1;
        for (const RapChartRow& row : ReportRapChart::rows()) {
            const int top = fieldsOf(layout, row.key).first()->top;
            QVERIFY(top > previousTop);
            previousTop = top;
        }
        QCOMPARE(ReportRapChart::rows().size(), 79);
        QCOMPARE(ReportRapChart::rows().last().key, QStringLiteral("OJ1"));
    }

    void medicationGridsAndTheirPages()
    {
        const ReportLayout layout = ReportLayouts::medication();
        // Every field of a grid row shares the row's line, columns left to right.
        for (const QString grid : {"T-A-1", "T-A-2", "T-B-1", "T-B-2", "T-C-1", "T-C-2"}) {
            const int columns = grid == QLatin1String("T-B-2") ? 5 : grid.startsWith("T-C") ? 3 : 4;
            for (int row = 1;; ++row) {
                const auto first = fieldsOf(layout, QStringLiteral("%1-%2-1").arg(grid).arg(row));
                if (first.isEmpty())
                    break;
                int left = -1;
                for (int column = 1; column <= columns; ++column) {
                    const auto f =
                        fieldsOf(layout, QStringLiteral("%1-%2-%3").arg(grid).arg(row).arg(column));
                    QCOMPARE(f.size(), 1);
                    QCOMPARE(f.first()->top, first.first()->top);
                    QVERIFY(f.first()->left > left);
                    left = f.first()->left;
                }
            }
            const int page = pageOf(layout, fieldsOf(layout, grid + "-1-1").first()->top);
            QCOMPARE(page, grid.startsWith("T-A") ? 0 : 1);
        }
        QVERIFY(findLabel(layout, QStringLiteral("薬剤名（商品名）")));
        QVERIFY(findLabel(layout, QStringLiteral("1アンプル・1本の量")));
    }

    void rapListHoldsSixColumns()
    {
        const ReportLayout layout = ReportLayouts::rapList();
        QVERIFY(layout.boundFields().isEmpty());
        QVERIFY(layout.control("lblName"));
        QCOMPARE(layout.control("lblName")->font.points, 10.0);
        QVERIFY(findLabel(layout, QStringLiteral("利用者名")));
        QVERIFY(findLabel(layout, QStringLiteral("殿")));
        QVERIFY(findLabel(layout, QStringLiteral("アセスメント結果")));
        const ReportControl* first = layout.control("SubReport1");
        QVERIFY(first);
        for (int n = 1; n <= 6; ++n) {
            const ReportControl* sub = layout.control(QStringLiteral("SubReport%1").arg(n));
            QVERIFY(sub);
            QCOMPARE(sub->kind, ControlKind::SubReport);
            QCOMPARE(QSize(sub->width, sub->height), QSize(2895, 5650));
            QCOMPARE(sub->left - first->left, ((n - 1) % 3) * 3030);
            QCOMPARE(sub->top - first->top, ((n - 1) / 3) * 5895);
        }
        const ReportLayout column = ReportLayouts::rapColumn(3);
        QCOMPARE(column.dataFile, QStringLiteral("RAP_03.xml"));
        QCOMPARE(fieldsOf(column, "NUM02").first()->top - fieldsOf(column, "NUM01").first()->top,
                 240);
        QVERIFY(column.bandHeight <= 5625 && column.bandWidth <= 2895);
    }

    void blankFormsOfOurOwn()
    {
        const ReportLayout plan = ReportLayouts::carePlan();
        QCOMPARE(plan.pageCount(), 2);
        QVERIFY(findLabel(plan, QStringLiteral("施設サービス計画書（１）")));
        QVERIFY(findLabel(plan, QStringLiteral("施設サービス計画書（２）")));
        QVERIFY(plan.boundFields().isEmpty());
        const ReportLayout week = ReportLayouts::weeklyPlan();
        QCOMPARE(week.pageCount(), 1);
        QVERIFY(findLabel(week, QStringLiteral("週間サービス計画表")));
        QVERIFY(findLabel(week, QStringLiteral("月")));
        QVERIFY(findLabel(week, QStringLiteral("日")));
    }

    void unknownDesignerGivesAnEmptyLayout()
    {
        QVERIFY(ReportLayouts::byDesigner("rptNone").controls().empty());
        QVERIFY(ReportCatalogue::entry("rptNone").caption.isEmpty());
        QCOMPARE(ReportCatalogue::entry("rptRAP4").elements, 45);
    }
};

QTEST_GUILESS_MAIN(TestReportLayouts)
#include "tst_reportlayouts.moc"
