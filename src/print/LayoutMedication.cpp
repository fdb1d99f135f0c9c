#include "print/LayoutBuilder.h"
#include "print/ReportCatalogue.h"
#include "print/ReportLayouts.h"

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
     {{"薬剤名（商品名）", 4026}, {"剤形", 1400}, {"１日量", 1600}, {"回数/１日", 1600}},
     false},
    {"T-A-2",
     nullptr,
     "２．頓用で服用している薬",
     9,
     {{"薬剤名（商品名）", 4026}, {"剤形", 1400}, {"１回量", 1600}, {"回数/７日", 1600}},
     false},
    {"T-B-1",
     "Ｂ．注射",
     "１．定期的な注射",
     8,
     {{"薬剤名（商品名）", 3626}, {"1アンプル・1本の量", 1800}, {"１日量", 1600}, {"経路", 1600}},
     true},
    {"T-B-2",
     nullptr,
     "２．必要時の注射",
     8,
     {{"薬剤名（商品名）", 3026},
      {"1アンプル・1本の量", 1600},
      {"１日量", 1400},
      {"回数/7日", 1200},
      {"経路", 1400}},
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

void headBlock(LayoutBuilder& b)
{
    const int width = b.width();
    b.label(0, 0, width, 520, QStringLiteral("T．薬物治療調査票"), LayoutBuilder::gothic(14, true),
            HAlign::Centre);
    struct HeadItem
    {
        const char* title;
        const char* element;
        int titleWidth;
        int fieldWidth;
    };
    const HeadItem items[] = {
        {"記入日", "T0-1", 800, 2200}, {"氏名", "T0-2", 700, 2400}, {"記入者", "T0-3", 800, 2126}};
    const int top = 640;
    int left = 0;
    for (const HeadItem& item : items) {
        b.label(left, top, item.titleWidth, kHeadRow, QString::fromUtf8(item.title),
                LayoutBuilder::gothic(9), HAlign::Centre);
        b.field(left + item.titleWidth + 60, top, item.fieldWidth - 60, kHeadRow,
                QString::fromUtf8(item.element), LayoutBuilder::gothic(10));
        b.line(left + item.titleWidth, top + kHeadRow, left + item.titleWidth + item.fieldWidth,
               top + kHeadRow);
        left += item.titleWidth + item.fieldWidth;
    }
    b.setY(top + kHeadRow + 200);
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
    for (const GridColumn& column : grid.columns)
        right += column.width;
    const int bottom = top + kHeadRow + grid.rows * kDrugRow;
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
        const int rowTop = top + kHeadRow + (row - 1) * kDrugRow;
        b.line(0, rowTop, right, rowTop, row == 1 ? 0.75 : 0.5);
        b.label(0, rowTop, kNumberWidth, kDrugRow, QString::number(row), LayoutBuilder::gothic(8.5),
                HAlign::Centre);
        left = kNumberWidth;
        for (int column = 1; column <= int(grid.columns.size()); ++column) {
            const int width = grid.columns.at(column - 1).width;
            b.field(
                left + 60, rowTop, width - 120, kDrugRow,
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
