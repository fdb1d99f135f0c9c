#include "print/RapListTitles.h"

#include <array>

namespace orv {

namespace {

struct RapListRow
{
    const char* entry;
    const char* number;
    const char* title;
};

constexpr std::array<RapListRow, 22> RapListRows = {{
    {"01", "01", "せん妄"},
    {"02", "02", "認知障害／痴呆"},
    {"03", "03", "視覚機能"},
    {"04", "04", "コミュニケーション"},
    {"05A", "05", "ADL／リハビリ(A)"},
    {"05B", "05", "ADL／維持(B)"},
    {"06", "06", "尿失禁と留置カテ"},
    {"07", "07", "心理面と対人関係"},
    {"08", "08", "気分の状態"},
    {"09", "09", "問題行動"},
    {"10A", "10", "アクティビティ(A)"},
    {"10B", "10", "アクティビティ(B)"},
    {"11", "11", "転倒"},
    {"12", "12", "栄養状態"},
    {"13", "13", "経管栄養"},
    {"14", "14", "脱水／水分維持"},
    {"15", "15", "口腔ケア"},
    {"16", "16", "褥瘡"},
    {"17", "17", "向精神薬"},
    {"18", "18", "身体抑制"},
    {"19", "19", "痛みの管理"},
    {"20", "20", "排便の管理"},
}};

} // namespace

RapListTitle RapListTitleOf(const QString& upperCaseEntry)
{
    for (const RapListRow& row : RapListRows) {
        if (upperCaseEntry == QLatin1String(row.entry))
            return {QString::fromUtf8(row.number), QString::fromUtf8(row.title)};
    }
    return {};
}

} // namespace orv
