#include "print/LayoutBuilder.h"
#include "print/ReportCatalogue.h"
#include "print/ReportLayouts.h"
#include "print/ReportRapChart.h"

namespace orv {

namespace {

// Left part of the table: section, item, item codes, values; then one column per RAP.
struct TextColumn
{
    const char* head;
    int width;
    HAlign align;
};
const TextColumn kTextColumns[] = {
    {"区分", 360, HAlign::Centre},
    {"選定項目", 3840, HAlign::Left},
    {"項目番号", 1500, HAlign::Centre},
    {"選定値", 900, HAlign::Centre},
};
constexpr int kRapLeft = 6600;
constexpr int kRapWidth = 380;
constexpr int kHeadHeight = 2300;
constexpr int kNumberHeight = 380;
constexpr int kRowHeight = 200;
constexpr int kPageBreak = 10417;
constexpr int kRepeatHeadHeight = 380;

const char* const kLegend[] = {
    "○：いずれか１項目に該当すればRAPを選定する",
    "②：２項目とも該当すればRAPを選定する",
    "☆：☆の１項目に該当し、さらに○の１項目に該当すればRAPを選定する",
    "※RAP5の(A)と(B)がともに選定された場合は(A)を優先する",
};

int tableRight()
{
    return kRapLeft + kRapWidth * int(ReportRapChart::columns().size());
}

QString columnSuffix(const RapChartColumn& column)
{
    if (column.code.endsWith(QLatin1Char('a')))
        return QStringLiteral("(A)");
    if (column.code.endsWith(QLatin1Char('b')))
        return QStringLiteral("(B)");
    return QString();
}

void textHeads(LayoutBuilder& b, int top, int height)
{
    int left = 0;
    for (const TextColumn& column : kTextColumns) {
        b.label(left, top, column.width, height, QString::fromUtf8(column.head),
                LayoutBuilder::gothic(8.5), HAlign::Centre);
        left += column.width;
    }
}

void textRules(LayoutBuilder& b, int top, int bottom)
{
    int left = 0;
    for (const TextColumn& column : kTextColumns) {
        b.line(left, top, left, bottom);
        left += column.width;
    }
}

void rapRules(LayoutBuilder& b, int top, int bottom)
{
    for (int i = 0; i <= ReportRapChart::columns().size(); ++i)
        b.line(kRapLeft + i * kRapWidth, top, kRapLeft + i * kRapWidth, bottom);
}

void verticalRules(LayoutBuilder& b, int top, int bottom)
{
    textRules(b, top, bottom);
    rapRules(b, top, bottom);
}

void firstHead(LayoutBuilder& b)
{
    b.label(0, 0, kRapLeft, 460, QStringLiteral("Orv2.1 RAP選定表"),
            LayoutBuilder::gothic(16, true));
    int y = 560;
    for (const char* line : kLegend) {
        b.label(0, y, kRapLeft - 120, 230, QString::fromUtf8(line), LayoutBuilder::gothic(8.5));
        y += 250;
    }
    const auto& columns = ReportRapChart::columns();
    for (int i = 0; i < columns.size(); ++i) {
        const RapChartColumn& column = columns.at(i);
        const int left = kRapLeft + i * kRapWidth;
        b.label(left, 0, kRapWidth, kNumberHeight, column.number, LayoutBuilder::gothic(9.5),
                HAlign::Centre);
        b.field(left, 0, kRapWidth, kNumberHeight, QStringLiteral("rap%1").arg(i + 1),
                LayoutBuilder::gothic(11.5), HAlign::Centre);
        // "(A)" and "(B)" stand across the foot of the head, so the title keeps its size.
        const QString suffix = columnSuffix(column);
        const QString title =
            suffix.isEmpty() ? column.title : column.title.chopped(int(suffix.size()));
        const int suffixHeight = suffix.isEmpty() ? 0 : 240;
        ReportControl& head = b.label(left, kNumberHeight + 40, kRapWidth,
                                      kHeadHeight - kNumberHeight - 80 - suffixHeight, title,
                                      LayoutBuilder::gothic(8.5), HAlign::Centre);
        head.vertical = true;
        head.vAlign = VAlign::Top;
        if (!suffix.isEmpty())
            b.label(left, kHeadHeight - 40 - suffixHeight, kRapWidth, suffixHeight, suffix,
                    LayoutBuilder::gothic(7), HAlign::Centre);
    }
    textHeads(b, kHeadHeight - 300, 300);
    b.line(kRapLeft, 0, tableRight(), 0);
    b.line(kRapLeft, kNumberHeight, tableRight(), kNumberHeight);
    b.line(0, kHeadHeight - 300, kRapLeft, kHeadHeight - 300);
    // The title and the legend stand free above the text columns' heads.
    textRules(b, kHeadHeight - 300, kHeadHeight);
    rapRules(b, 0, kHeadHeight);
}

void repeatedHead(LayoutBuilder& b, int top)
{
    const auto& columns = ReportRapChart::columns();
    for (int i = 0; i < columns.size(); ++i) {
        const RapChartColumn& column = columns.at(i);
        b.label(kRapLeft + i * kRapWidth, top, kRapWidth, kRepeatHeadHeight,
                column.number + columnSuffix(column), LayoutBuilder::gothic(7), HAlign::Centre);
    }
    textHeads(b, top, kRepeatHeadHeight);
    b.line(0, top, tableRight(), top);
    verticalRules(b, top, top + kRepeatHeadHeight);
}

void keyRow(LayoutBuilder& b, const RapChartRow& row, int top)
{
    const QString texts[] = {row.section, row.item, row.codes, row.values};
    int left = 0;
    for (int i = 0; i < 4; ++i) {
        const TextColumn& column = kTextColumns[i];
        b.label(left + 40, top, column.width - 80, kRowHeight, texts[i], LayoutBuilder::gothic(8.5),
                column.align);
        left += column.width;
    }
    const auto& columns = ReportRapChart::columns();
    for (int i = 0; i < columns.size(); ++i) {
        const QString mark = ReportRapChart::cellMark(columns.at(i), row.key);
        if (mark.isEmpty())
            continue;
        const int cellLeft = kRapLeft + i * kRapWidth;
        b.label(cellLeft, top, kRapWidth, kRowHeight, mark, LayoutBuilder::gothic(8.5),
                HAlign::Centre);
        b.field(cellLeft, top, kRapWidth, kRowHeight, row.key, LayoutBuilder::gothic(9.5),
                HAlign::Centre);
    }
    b.line(0, top, tableRight(), top);
    verticalRules(b, top, top + kRowHeight);
}

} // namespace

ReportLayout ReportLayouts::rapSelection()
{
    ReportLayout layout;
    ReportCatalogue::apply(QStringLiteral("rptOrv21Care_rap"), &layout);
    LayoutBuilder b(&layout);
    firstHead(b);
    int top = kHeadHeight;
    for (const RapChartRow& row : ReportRapChart::rows()) {
        if (b.pagesStarted() == 1 && top + kRowHeight > kPageBreak) {
            b.line(0, top, tableRight(), top);
            b.setY(kPageBreak);
            b.newPage();
            repeatedHead(b, kPageBreak);
            top = kPageBreak + kRepeatHeadHeight;
        }
        keyRow(b, row, top);
        top += kRowHeight;
    }
    b.line(0, top, tableRight(), top);
    return layout;
}

} // namespace orv
