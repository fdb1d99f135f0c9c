#include "data/Catalogue.h"
#include "print/LayoutBuilder.h"
#include "print/LongestValue.h"
#include "print/ReportCatalogue.h"
#include "print/ReportLayouts.h"
#include "print/TextRoom.h"

#include <utility>

namespace orv {

namespace {

// "1．せん妄" and so on: the titles of the summary's twenty RAP areas in the catalogue.
QString areaTitle(int n)
{
    const CatalogueSection* section = Catalogue::builtIn().section(QStringLiteral("S"));
    if (section) {
        for (const CatalogueGroup& group : section->groups) {
            if (group.code == QStringLiteral("S%1").arg(n))
                return group.title;
        }
    }
    return QString::number(n) + QStringLiteral("．");
}

struct Column
{
    const char* head;
    int width;
};
const Column kColumns[] = {
    {"RAP領域", 2700},
    {"(a)\nRAPの\n選定", 760},
    {"(b) 問題の根拠となる情報の所在と内容", 4806},
    {"(c)\nケアプラン\nで対応", 760},
};
constexpr int kHeadTop = 560;
constexpr int kHeadRow = 340;
constexpr int kHeadHeight = 620;
constexpr int kRowHeight = 600;
constexpr int kBoxSize = 260;

} // namespace

ReportLayout ReportLayouts::rapSummary()
{
    ReportLayout layout;
    ReportCatalogue::apply(QStringLiteral("rptOrv21Care_s"), &layout);
    LayoutBuilder b(&layout);
    const int width = b.width();
    b.label(0, 0, width, 480, QStringLiteral("S．RAPサマリー（ケアプラン作成評価票）"),
            LayoutBuilder::gothic(13, true), HAlign::Centre);
    // The date at the left; the resident's and the writer's names one under the other at the
    // right, each on the lines its longest value needs.
    b.field(0, kHeadTop, 3300, kHeadRow, QStringLiteral("S0-1"), LayoutBuilder::gothic(10));
    b.line(0, kHeadTop + kHeadRow, 3300, kHeadTop + kHeadRow);
    int top = kHeadTop;
    for (const auto& [title, element] : {std::pair{"氏名", "S0-2"}, std::pair{"記入者", "S0-3"}}) {
        const CatalogueItem* item = Catalogue::builtIn().item(QString::fromUtf8(element));
        const int fieldWidth = width - 4100;
        const int height =
            item ? TextRoom::heightForValue(longestValueText(*item), fieldWidth, kHeadRow)
                 : kHeadRow;
        b.label(3400, top, 700, kHeadRow, QString::fromUtf8(title), LayoutBuilder::gothic(9));
        b.field(4100, top, fieldWidth, height, QString::fromUtf8(element),
                LayoutBuilder::gothic(10));
        b.line(3400, top + height, width, top + height);
        top += height + 40;
    }
    b.label(0, top + 20, width, 260,
            QStringLiteral("(a) 選定されたRAPに「レ」　(b) 問題の根拠となる情報の所在と内容を記入　"
                           "(c) ケアプランで対応するRAPに「レ」"),
            LayoutBuilder::gothic(8));
    const int tableTop = top + 340;

    int left = 0;
    const int bottom = tableTop + kHeadHeight + 20 * kRowHeight;
    for (const Column& column : kColumns) {
        b.label(left, tableTop, column.width, kHeadHeight, QString::fromUtf8(column.head),
                LayoutBuilder::gothic(8.5), HAlign::Centre);
        b.line(left, tableTop, left, bottom);
        left += column.width;
    }
    b.line(left, tableTop, left, bottom);
    b.line(0, tableTop, left, tableTop, 0.75);

    const int tickLeft = kColumns[0].width;
    const int textLeft = tickLeft + kColumns[1].width;
    const int careLeft = textLeft + kColumns[2].width;
    for (int n = 1; n <= 20; ++n) {
        const int top = tableTop + kHeadHeight + (n - 1) * kRowHeight;
        b.line(0, top, left, top);
        b.label(80, top, kColumns[0].width - 120, kRowHeight, areaTitle(n),
                LayoutBuilder::gothic(9));
        const int boxTop = top + (kRowHeight - kBoxSize) / 2;
        b.checkField(tickLeft + (kColumns[1].width - kBoxSize) / 2, boxTop, kBoxSize,
                     QStringLiteral("S%1-a").arg(n));
        ReportControl& basis = b.field(textLeft + 60, top, kColumns[2].width - 120, kRowHeight,
                                       QStringLiteral("S%1-B").arg(n), LayoutBuilder::gothic(8.5));
        basis.vAlign = VAlign::Top;
        b.checkField(careLeft + (kColumns[3].width - kBoxSize) / 2, boxTop, kBoxSize,
                     QStringLiteral("S%1-c").arg(n));
    }
    b.line(0, bottom, left, bottom, 0.75);
    return layout;
}

} // namespace orv
