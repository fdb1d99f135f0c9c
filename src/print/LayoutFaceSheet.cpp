#include "print/LayoutBuilder.h"
#include "print/LayoutFormFlow.h"
#include "print/ReportCatalogue.h"
#include "print/ReportLayouts.h"

#include <vector>

namespace orv {

namespace {

enum class Kind
{
    Values,
    Code,
    Checks,
    Drawing
};

// A field of an item: a caption before it, its element, its width and a unit after it.
struct Part
{
    const char* caption;
    const char* element;
    int width;
    const char* unit;
};

struct FaceItem
{
    const char* code;
    const char* title;
    Kind kind;
    std::vector<Part> parts;
    const char* choices;
};

const FaceItem kPartOne[] = {
    {"Ⅰ-1",
     "氏名",
     Kind::Values,
     {{"ふりがな（姓）", "m1-1-3", 2000, ""},
      {"（名）", "m1-1-4", 2000, ""},
      {"氏名（姓）", "m1-1-1", 2000, ""},
      {"（名）", "m1-1-2", 2000, ""}},
     nullptr},
    {"Ⅰ-2", "性別", Kind::Values, {{"", "m1-2", 700, "（男・女）"}}, nullptr},
    {"Ⅰ-3",
     "生年月日",
     Kind::Values,
     {{"", "m1-3-1", 2600, "生"}, {"年齢", "m1-3-2", 700, "歳"}},
     nullptr},
    {"Ⅰ-4", "住所", Kind::Values, {{"", "m1-4-1", 1800, ""}, {"", "m1-4-2", 5600, ""}}, nullptr},
    {"Ⅰ-5", "入院・入所日", Kind::Values, {{"", "m1-5", 2600, ""}}, nullptr},
    {"Ⅰ-6",
     "入院・入所前の状況",
     Kind::Code,
     {{"", "m1-6", 0, ""}},
     "1．自宅　2．ケア付き住宅・有料老人ホーム　3．特別養護老人ホーム　4．介護老人保健施設　"
     "5．病院　6．その他"},
    {"Ⅰ-7",
     "入院・入所前の同居者",
     Kind::Code,
     {{"", "m1-7", 0, ""}},
     "0．いいえ（同居者あり）　1．はい（独居）　2．施設に入所していた"},
    {"Ⅰ-8",
     "入院・入所前５年間の居住歴（該当するものすべてに「レ」）",
     Kind::Checks,
     {{"a．以前にこの施設に入所していた", "m1-8-1", 0, ""},
      {"b．他の介護保険施設", "m1-8-2", 0, ""},
      {"c．その他の居住施設（ケアハウス等）", "m1-8-3", 0, ""},
      {"d．精神科の施設・病棟", "m1-8-4", 0, ""},
      {"e．知的障害者の施設", "m1-8-5", 0, ""},
      {"f．病院（長期入院）", "m1-8-6", 0, ""},
      {"g．上記のいずれもない", "m1-8-7", 0, ""}},
     nullptr},
    {"Ⅰ-9",
     "生涯の主な職業",
     Kind::Values,
     {{"職業", "m1-9-1", 3000, ""}, {"期間・内容", "m1-9-2", 3200, ""}},
     nullptr},
    {"Ⅰ-10",
     "最終学歴",
     Kind::Code,
     {{"", "m1-10", 0, ""}},
     "1．学校教育なし　2．小学校（尋常小学校）　3．中学校（高等小学校）　4．高等学校（旧制中学）　"
     "5．専門学校　6．短期大学　7．大学　8．大学院"},
    {"Ⅰ-11", "家族構成（家族図）", Kind::Drawing, {}, nullptr},
    {"Ⅰ-12", "記入日", Kind::Values, {{"", "m1-12", 2600, ""}}, nullptr},
};

struct CheckGroup
{
    const char* heading;
    std::vector<const char*> texts;
};

// Part II: items a to y, in groups.
const CheckGroup kPartTwo[] = {
    {"日課",
     {"夜遅くまで起きている（午後９時以降）", "日中に昼寝をよくする", "週に１日以上外出する",
      "趣味・読書・決まった日課で忙しくしている",
      "ほとんどの時間を一人で、またはテレビを見て過ごす", "屋内を一人で移動する",
      "毎日たばこを吸う", "上記のいずれもない"}},
    {"食事のパターン",
     {"はっきりした食べ物の好みがある", "ほとんど毎日間食をする", "週に１回以上お酒を飲む",
      "上記のいずれもない"}},
    {"ADLのパターン",
     {"日中のほとんどを寝巻きで過ごす", "ほとんど毎晩トイレのために目を覚ます",
      "排便が不規則である", "入浴はシャワーが主である", "入浴は午後または夜である",
      "上記のいずれもない"}},
    {"社会参加のパターン",
     {"毎日家族や親しい友人と接している", "寺院・教会などに通っている",
      "信仰に心の支えを見出している", "毎日動物と接している", "グループ活動に参加している",
      "上記のいずれもない", "不明（本人も家族も答えられない）"}},
};

constexpr int kTitleWidth = 2000;

void itemTitle(LayoutBuilder& b, const FaceItem& item, int height)
{
    b.textField(120, b.y(), kTitleWidth - 120, height,
                QString::fromUtf8(item.code) + QStringLiteral("　") + QString::fromUtf8(item.title),
                LayoutBuilder::gothic(9.5, true))
        .wordWrap = true;
}

// The fields of a Values item flow left to right and wrap onto further lines.
void valuesItem(LayoutBuilder& b, const FaceItem& item)
{
    const int right = b.width() - 120;
    int left = kTitleWidth;
    int top = b.y();
    const int rowHeight = LayoutFormFlow::kRowHeight + 60;
    for (const Part& part : item.parts) {
        const QString caption = QString::fromUtf8(part.caption);
        const QString unit = QString::fromUtf8(part.unit);
        const int captionWidth = caption.isEmpty() ? 0 : 180 * int(caption.size()) + 120;
        const int unitWidth = unit.isEmpty() ? 0 : 180 * int(unit.size()) + 120;
        if (left + captionWidth + part.width + unitWidth > right && left > kTitleWidth) {
            left = kTitleWidth;
            top += rowHeight;
        }
        if (!caption.isEmpty())
            b.label(left, top, captionWidth, rowHeight, caption, LayoutBuilder::gothic(8.5));
        left += captionWidth;
        b.field(left, top, part.width, rowHeight, QString::fromUtf8(part.element),
                LayoutBuilder::gothic(10));
        b.line(left, top + rowHeight - 20, left + part.width, top + rowHeight - 20, 0.25);
        left += part.width;
        if (!unit.isEmpty())
            b.label(left + 60, top, unitWidth, rowHeight, unit, LayoutBuilder::gothic(9));
        left += unitWidth + 120;
    }
    const int height = top + rowHeight - b.y();
    itemTitle(b, item, height);
    b.setY(b.y() + height + 60);
}

void codeItem(LayoutBuilder& b, const FaceItem& item)
{
    const int boxWidth = 520;
    const int choicesWidth = b.width() - kTitleWidth - boxWidth - 360;
    const QString choices = QString::fromUtf8(item.choices);
    const int height = std::max(LayoutFormFlow::kRowHeight + 60,
                                LayoutFormFlow::textHeight(choices, choicesWidth, 8.5));
    itemTitle(b, item, height);
    b.label(kTitleWidth, b.y(), choicesWidth, height, choices, LayoutBuilder::gothic(8.5))
        .wordWrap = true;
    ReportControl& box = b.field(b.width() - boxWidth - 120, b.y() + (height - 300) / 2, boxWidth,
                                 300, QString::fromUtf8(item.parts.front().element),
                                 LayoutBuilder::gothic(10), HAlign::Centre);
    box.border = true;
    b.setY(b.y() + height + 60);
}

void checksItem(LayoutBuilder& b, const FaceItem& item)
{
    const int top = b.y();
    const int rowHeight = LayoutFormFlow::kRowHeight;
    const int boxSize = 240;
    const int columnWidth = (b.width() - kTitleWidth - 120) / 2;
    const int rows = int((item.parts.size() + 1) / 2);
    for (int i = 0; i < int(item.parts.size()); ++i) {
        const int left = kTitleWidth + (i / rows) * columnWidth;
        const int rowTop = top + (i % rows) * rowHeight;
        b.label(left, rowTop, columnWidth - boxSize - 180, rowHeight,
                QString::fromUtf8(item.parts.at(i).caption), LayoutBuilder::gothic(8.5));
        b.checkField(left + columnWidth - boxSize - 120, rowTop + (rowHeight - boxSize) / 2,
                     boxSize, QString::fromUtf8(item.parts.at(i).element));
    }
    itemTitle(b, item, rows * rowHeight);
    b.setY(top + rows * rowHeight + 60);
}

void drawingItem(LayoutBuilder& b, const FaceItem& item)
{
    const int height = 2400;
    itemTitle(b, item, LayoutFormFlow::kRowHeight);
    b.rectangle(kTitleWidth, b.y(), b.width() - kTitleWidth - 120, height, 0.5);
    b.setY(b.y() + height + 60);
}

void partHeading(LayoutBuilder& b, const QString& text)
{
    b.textField(0, b.y(), b.width(), 420, text, LayoutBuilder::gothic(12, true));
    b.advance(440);
}

} // namespace

ReportLayout ReportLayouts::faceSheet()
{
    ReportLayout layout;
    ReportCatalogue::apply(QStringLiteral("rptOrv21Care_1_2"), &layout);
    LayoutBuilder b(&layout);
    LayoutFormFlow flow(&b);
    flow.title(QStringLiteral("施設ケアアセスメント表（Orv2.1）"));

    partHeading(b, QStringLiteral("Ⅰ．基本情報"));
    int frameTop = b.y();
    b.advance(80);
    for (const FaceItem& item : kPartOne) {
        const int top = b.y();
        switch (item.kind) {
        case Kind::Values:
            valuesItem(b, item);
            break;
        case Kind::Code:
            codeItem(b, item);
            break;
        case Kind::Checks:
            checksItem(b, item);
            break;
        case Kind::Drawing:
            drawingItem(b, item);
            break;
        }
        if (top > frameTop + 80)
            b.line(0, top - 30, b.width(), top - 30, 0.25);
    }
    flow.frame(frameTop, b.y() + 20);

    b.advance(40);
    b.newPage();
    partHeading(b, QStringLiteral("Ⅱ．入院・入所前の生活"));
    b.label(0, b.y(), b.width(), 280,
            QStringLiteral("入院・入所前の１年間の生活について、該当するものすべてに「レ」"),
            LayoutBuilder::gothic(8.5));
    b.advance(300);
    frameTop = b.y();
    b.advance(80);
    char letter = 'a';
    for (const CheckGroup& group : kPartTwo) {
        flow.subHeading(QString::fromUtf8(group.heading));
        QStringList texts;
        QStringList elements;
        for (const char* text : group.texts) {
            texts << QStringLiteral("%1．%2").arg(QLatin1Char(letter)).arg(QString::fromUtf8(text));
            elements << QStringLiteral("m2-1-%1").arg(QLatin1Char(letter));
            ++letter;
        }
        flow.checkRows(texts, elements, 1);
        b.advance(80);
    }
    flow.frame(frameTop, b.y());
    return layout;
}

} // namespace orv
