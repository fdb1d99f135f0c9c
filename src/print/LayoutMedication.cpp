#include "data/Catalogue.h"
#include "print/LayoutBuilder.h"
#include "print/LongestValue.h"
#include "print/ReportCatalogue.h"
#include "print/ReportLayouts.h"
#include "print/TextRoom.h"

#include <algorithm>

#include <vector>

namespace orv {

namespace {

struct GridColumn
{
    const char* head;
    int width;
};

// One grid of drug rows; its fields are "T-" group "-" part "-" row "-" column.
struct DrugGrid
{
    const char* name;         // "T-A-1"
    const char* groupHeading; // printed before the first grid of a group
    const char* partHeading;
    int rows;
    std::vector<GridColumn> columns;
    bool newPage;
};

const DrugGrid kGrids[] = {
    {"T-A-1",
     "Ａ．経口薬（内服薬）",
     "１．定期的に服用している薬",
     20,
     {{"薬剤名（商品名）", 4026}, {"剤形", 1700}, {"１日量", 1700}, {"回数/１日", 1200}},
     false},
    {"T-A-2",
     nullptr,
     "２．頓用で服用している薬",
     9,
     {{"薬剤名（商品名）", 4026}, {"剤形", 1700}, {"１回量", 1700}, {"回数/７日", 1200}},
     false},
    {"T-B-1",
     "Ｂ．注射",
     "１．定期的な注射",
     8,
     {{"薬剤名（商品名）", 3736}, {"1アンプル・1本の量", 1630}, {"１日量", 1630}, {"経路", 1630}},
     true},
    {"T-B-2",
     nullptr,
     "２．必要時の注射",
     8,
     {{"薬剤名（商品名）", 3226},
      {"1アンプル・1本の量", 1530},
      {"１日量", 1530},
      {"回数/7日", 810},
      {"経路", 1530}},
     false},
    {"T-C-1",
     "Ｃ．その他（外用薬・坐薬・吸入等）",
     "１．定期的に使用している薬",
     4,
     {{"薬剤名（商品名）", 4826}, {"回数/1日", 1800}, {"経路", 2000}},
     false},
    {"T-C-2",
     nullptr,
     "２．頓用で使用している薬",
     4,
     {{"薬剤名（商品名）", 4826}, {"回数/7日", 1800}, {"経路", 2000}},
     false},
};

constexpr int kNumberWidth = 400;
constexpr int kHeadRow = 360;
constexpr int kDrugRow = 330;
constexpr int kCellPadding = 60;
// The longest drug name, form or dose is set at this size or larger.
constexpr double kGridPoints = 7.0;

QString longestValue(const QString& code)
{
    const CatalogueItem* item = Catalogue::builtIn().item(code);
    return item ? longestValueText(*item) : QString();
}

// Date, resident and writer; the names are given the lines their longest value needs.
void headBlock(LayoutBuilder& b)
{
    const int width = b.width();
    b.label(0, 0, width, 520, QStringLiteral("T．薬物治療調査票"), LayoutBuilder::gothic(14, true),
            HAlign::Centre);
    struct HeadItem
    {
        const char* title;
        const char* element;
        int left;
        int titleWidth;
        int right;
        int row;
    };
    const HeadItem items[] = {{"記入日", "T0-1", 0, 800, 3000, 0},
                              {"氏名", "T0-2", 3200, 800, width, 0},
                              {"記入者", "T0-3", 3200, 800, width, 1}};
    int heights[2] = {kHeadRow, kHeadRow};
    for (const HeadItem& item : items) {
        const int fieldWidth = item.right - item.left - item.titleWidth - kCellPadding;
        heights[item.row] =
            std::max(heights[item.row],
                     TextRoom::heightForValue(longestValue(QString::fromUtf8(item.element)),
                                              fieldWidth, kHeadRow));
    }
    const int tops[2] = {640, 640 + heights[0] + 60};
    for (const HeadItem& item : items) {
        const int top = tops[item.row];
        const int height = heights[item.row];
        const int fieldLeft = item.left + item.titleWidth + kCellPadding;
        b.label(item.left, top, item.titleWidth, kHeadRow, QString::fromUtf8(item.title),
                LayoutBuilder::gothic(9), HAlign::Centre);
        b.field(fieldLeft, top, item.right - fieldLeft, height, QString::fromUtf8(item.element),
                LayoutBuilder::gothic(10));
        b.line(item.left + item.titleWidth, top + height, item.right, top + height);
    }
    b.setY(tops[1] + heights[1] + 200);
}

void drugGrid(LayoutBuilder& b, const DrugGrid& grid)
{
    if (grid.newPage)
        b.newPage();
    if (grid.groupHeading) {
        b.label(0, b.y(), b.width(), 340, QString::fromUtf8(grid.groupHeading),
                LayoutBuilder::gothic(11, true));
        b.advance(380);
    }
    b.label(120, b.y(), b.width() - 120, 300, QString::fromUtf8(grid.partHeading),
            LayoutBuilder::gothic(10));
    b.advance(320);

    const int top = b.y();
    int right = kNumberWidth;
    int rowHeight = kDrugRow;
    for (int column = 1; column <= int(grid.columns.size()); ++column) {
        const int width = grid.columns.at(column - 1).width - 2 * kCellPadding;
        const QString code =
            QStringLiteral("%1-1-%2").arg(QString::fromUtf8(grid.name)).arg(column);
        rowHeight =
            std::max(rowHeight, TextRoom::heightFor(longestValue(code), width, kGridPoints));
        right += width + 2 * kCellPadding;
    }
    const int bottom = top + kHeadRow + grid.rows * rowHeight;
    b.label(0, top, kNumberWidth, kHeadRow, QStringLiteral("No."), LayoutBuilder::gothic(8.5),
            HAlign::Centre);
    int left = kNumberWidth;
    for (const GridColumn& column : grid.columns) {
        b.label(left, top, column.width, kHeadRow, QString::fromUtf8(column.head),
                LayoutBuilder::gothic(8.5), HAlign::Centre);
        b.line(left, top, left, bottom);
        left += column.width;
    }
    for (int row = 1; row <= grid.rows; ++row) {
        const int rowTop = top + kHeadRow + (row - 1) * rowHeight;
        b.line(0, rowTop, right, rowTop, row == 1 ? 0.75 : 0.5);
        b.label(0, rowTop, kNumberWidth, rowHeight, QString::number(row),
                LayoutBuilder::gothic(8.5), HAlign::Centre);
        left = kNumberWidth;
        for (int column = 1; column <= int(grid.columns.size()); ++column) {
            const int width = grid.columns.at(column - 1).width;
            b.field(
                left + kCellPadding, rowTop, width - 2 * kCellPadding, rowHeight,
                QStringLiteral("%1-%2-%3").arg(QString::fromUtf8(grid.name)).arg(row).arg(column),
                LayoutBuilder::gothic(9), column == 1 ? HAlign::Left : HAlign::Centre);
            left += width;
        }
    }
    b.rectangle(0, top, right, bottom - top, 0.75);
    b.setY(bottom + 240);
}

} // namespace

ReportLayout ReportLayouts::medication()
{
    ReportLayout layout;
    ReportCatalogue::apply(QStringLiteral("rptOrv21Care_t"), &layout);
    LayoutBuilder b(&layout);
    headBlock(b);
    for (const DrugGrid& grid : kGrids)
        drugGrid(b, grid);
    return layout;
}

} // namespace orv
