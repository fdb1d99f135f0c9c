#include "print/LayoutBuilder.h"
#include "print/ReportLayouts.h"

namespace orv {

namespace {

// Blank forms of the care plan, printed for writing by hand.
void blankPage(ReportLayout* layout, const QString& caption)
{
    layout->caption = caption;
    layout->paper = PaperKind::A4;
    layout->orientation = PaperOrientation::Landscape;
    layout->margins = {720, 720, 720, 720};
}

struct Cell
{
    const char* text;
    int width; // twips; 0 stretches to the right edge
};

// One row of caption cells each followed by an empty cell to write in.
void writingRow(LayoutBuilder& b, int top, int height, const std::initializer_list<Cell>& cells)
{
    int left = 0;
    for (const Cell& cell : cells) {
        const int width = cell.width > 0 ? cell.width : b.width() - left;
        b.rectangle(left, top, width, height);
        if (cell.text && *cell.text)
            b.label(left + 60, top, width - 120, height, QString::fromUtf8(cell.text),
                    LayoutBuilder::gothic(9));
        left += width;
    }
}

void plan1(LayoutBuilder& b)
{
    const int w = b.width();
    b.label(0, 0, 3000, 300, QStringLiteral("第１表"), LayoutBuilder::gothic(9));
    b.label(0, 0, w, 460, QStringLiteral("施設サービス計画書（１）"),
            LayoutBuilder::gothic(15, true), HAlign::Centre);
    b.label(w - 4200, 0, 4200, 300, QStringLiteral("作成年月日　　　　年　　月　　日"),
            LayoutBuilder::gothic(9), HAlign::Right);
    b.label(w - 4200, 320, 4200, 300, QStringLiteral("初回 ・ 紹介 ・ 継続　　認定済 ・ 申請中"),
            LayoutBuilder::gothic(9), HAlign::Right);
    int y = 700;
    writingRow(b, y, 420,
               {{"利用者名", 1200},
                {"", 2800},
                {"殿", 500},
                {"生年月日", 1200},
                {"　　　年　　月　　日", 2600},
                {"住所", 900},
                {"", 0}});
    y += 420;
    writingRow(b, y, 420, {{"施設サービス計画作成者氏名", 2600}, {"", 0}});
    y += 420;
    writingRow(b, y, 420, {{"施設サービス計画作成介護保険施設名及び所在地", 4400}, {"", 0}});
    y += 420;
    writingRow(b, y, 420,
               {{"施設サービス計画作成（変更）日", 3000},
                {"　　　年　　月　　日", 3000},
                {"初回施設サービス計画作成日", 2800},
                {"　　　年　　月　　日", 0}});
    y += 420;
    writingRow(b, y, 420,
               {{"認定日", 1200},
                {"　　　年　　月　　日", 3000},
                {"認定の有効期間", 1800},
                {"　　　年　　月　　日　〜　　　年　　月　　日", 0}});
    y += 420;
    writingRow(b, y, 420,
               {{"要介護状態区分", 1800},
                {"要介護１　・　要介護２　・　要介護３　・　要介護４　・　要介護５", 0}});
    y += 420;
    const Cell boxes[] = {{"利用者及び家族の介護に対する意向", 2400},
                          {"介護認定審査会の意見及びサービスの種類の指定", 2400},
                          {"総合的な援助の方針", 2400}};
    const int boxHeight = (b.layout().printableHeight() - y - 40) / 3;
    for (const Cell& box : boxes) {
        writingRow(b, y, boxHeight, {box, {"", 0}});
        y += boxHeight;
    }
    b.setY(y);
}

void plan2(LayoutBuilder& b)
{
    const int w = b.width();
    const int top = b.y();
    b.label(0, top, 3000, 300, QStringLiteral("第２表"), LayoutBuilder::gothic(9));
    b.label(0, top, w, 460, QStringLiteral("施設サービス計画書（２）"),
            LayoutBuilder::gothic(15, true), HAlign::Centre);
    b.label(w - 5000, top + 480, 5000, 300, QStringLiteral("利用者名　　　　　　　　　　　殿"),
            LayoutBuilder::gothic(10), HAlign::Right);
    const Cell heads[] = {{"生活全般の解決すべき\n課題（ニーズ）", 2600},
                          {"長期目標", 2200},
                          {"（期間）", 1000},
                          {"短期目標", 2200},
                          {"（期間）", 1000},
                          {"サービス内容", 2800},
                          {"担当者", 1200},
                          {"頻度", 1000},
                          {"期間", 0}};
    int y = top + 900;
    b.label(2600, y, 6400, 300, QStringLiteral("援助目標"), LayoutBuilder::gothic(9),
            HAlign::Centre);
    b.label(9000, y, w - 9000, 300, QStringLiteral("援助内容"), LayoutBuilder::gothic(9),
            HAlign::Centre);
    b.rectangle(2600, y, 6400, 300);
    b.rectangle(9000, y, w - 9000, 300);
    y += 300;
    int left = 0;
    const int bottom = top + b.layout().printableHeight() - 40;
    for (const Cell& head : heads) {
        const int width = head.width > 0 ? head.width : w - left;
        // The needs' head spans both head rows.
        const int headTop = left == 0 ? y - 300 : y;
        b.rectangle(left, headTop, width, y + 500 - headTop);
        b.label(left + 60, headTop, width - 120, y + 500 - headTop, QString::fromUtf8(head.text),
                LayoutBuilder::gothic(8.5), HAlign::Centre);
        b.rectangle(left, y + 500, width, bottom - y - 500);
        left += width;
    }
    b.setY(bottom);
}

} // namespace

ReportLayout ReportLayouts::carePlan()
{
    ReportLayout layout;
    blankPage(&layout, QStringLiteral("施設サービス計画書(1)(2)"));
    LayoutBuilder b(&layout);
    plan1(b);
    b.newPage();
    plan2(b);
    return layout;
}

ReportLayout ReportLayouts::weeklyPlan()
{
    ReportLayout layout;
    blankPage(&layout, QStringLiteral("週間サービス計画表"));
    LayoutBuilder b(&layout);
    const int w = b.width();
    b.label(0, 0, 3000, 300, QStringLiteral("第３表"), LayoutBuilder::gothic(9));
    b.label(0, 0, w, 460, QStringLiteral("週間サービス計画表"), LayoutBuilder::gothic(15, true),
            HAlign::Centre);
    b.label(w - 5200, 480, 5200, 300, QStringLiteral("利用者名　　　　　　　　　　　殿"),
            LayoutBuilder::gothic(10), HAlign::Right);

    const char* const days[] = {"月", "火", "水", "木", "金", "土", "日"};
    const char* const periods[] = {"早朝", "午前", "午後", "夜間", "深夜"};
    const int periodStarts[] = {0, 4, 8, 14, 18, 24}; // hours from 4:00
    const int top = 900;
    const int headHeight = 340;
    const int otherHeight = 1200;
    const int hours = 24;
    // The grid takes the height of the sheet that the other services leave.
    const int hourHeight =
        (b.layout().printableHeight() - top - headHeight - otherHeight - 240) / (hours / 2);
    const int periodWidth = 500;
    const int timeWidth = 700;
    const int activityWidth = 2800;
    const int dayWidth = (w - periodWidth - timeWidth - activityWidth) / 7;
    const int gridTop = top + headHeight;
    const int gridBottom = gridTop + hours / 2 * hourHeight;

    b.rectangle(0, top, periodWidth + timeWidth, headHeight);
    for (int d = 0; d < 7; ++d) {
        const int left = periodWidth + timeWidth + d * dayWidth;
        b.rectangle(left, top, dayWidth, gridBottom - top);
        b.label(left, top, dayWidth, headHeight, QString::fromUtf8(days[d]),
                LayoutBuilder::gothic(10), HAlign::Centre);
    }
    const int activityLeft = periodWidth + timeWidth + 7 * dayWidth;
    b.rectangle(activityLeft, top, w - activityLeft, gridBottom - top);
    b.label(activityLeft, top, w - activityLeft, headHeight, QStringLiteral("主な日常生活上の活動"),
            LayoutBuilder::gothic(9), HAlign::Centre);
    // Two-hour rows from 4:00 to 2:00 the next night.
    for (int row = 0; row < hours / 2; ++row) {
        const int y = gridTop + row * hourHeight;
        const int hour = (4 + row * 2) % 24;
        b.line(periodWidth, y, w, y, 0.25);
        // Each row is headed by the hour it starts at, just under its rule.
        b.label(periodWidth, y + 20, timeWidth - 60, 240, QStringLiteral("%1:00").arg(hour),
                LayoutBuilder::gothic(8), HAlign::Right)
            .vAlign = VAlign::Top;
    }
    for (int p = 0; p < 5; ++p) {
        const int y1 = gridTop + periodStarts[p] / 2 * hourHeight;
        const int y2 = gridTop + periodStarts[p + 1] / 2 * hourHeight;
        b.rectangle(0, y1, periodWidth, y2 - y1);
        ReportControl& c = b.label(0, y1, periodWidth, y2 - y1, QString::fromUtf8(periods[p]),
                                   LayoutBuilder::gothic(9), HAlign::Centre);
        c.vertical = true;
    }
    b.rectangle(periodWidth, gridTop, timeWidth, gridBottom - gridTop);
    const int otherTop = gridBottom + 200;
    b.rectangle(0, otherTop, 2400, otherHeight);
    b.label(60, otherTop, 2280, otherHeight, QStringLiteral("週単位以外の\nサービス"),
            LayoutBuilder::gothic(9), HAlign::Centre);
    b.rectangle(2400, otherTop, w - 2400, otherHeight);
    return layout;
}

} // namespace orv
