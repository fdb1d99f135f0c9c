#include "rap/RapItemTable.h"

namespace orv {

namespace {

struct ItemRow
{
    const char* entry;
    const char* prefix;
    const char* name;
    const char* keys;
};

const ItemRow Items[] = {
    {"01", "1．", "せん妄", "B4,B5,E5,E9"},
    {"02", "2．", "認知障害／痴呆", "B1,B2,C3"},
    {"03", "3．", "視覚機能", "D1,D2,I4"},
    {"04", "4．", "コミュニケーション", "C1,C2,C3"},
    {"05A", "5．", "ADL／リハビリ(A)", "G1,G3,G6"},
    {"05B", "5．", "ADL／維持(B)", "B3"},
    {"06", "6．", "尿失禁と留置カテ", "H1,H5"},
    {"07", "7．", "心理面と対人関係", "E3,F1,F2,F3,F4,F5"},
    {"08", "8．", "気分の状態", "E1,E4"},
    {"09", "9．", "問題行動", "E7,E8"},
    {"10A", "10．", "アクティビティ(A)", "N3,N4"},
    {"10B", "10．", "アクティビティ(B)", "N1,N2"},
    {"11", "11．", "転倒", "E6,J2,J8,O2,O3,P1"},
    {"12", "12．", "栄養状態", "K3,K4,K5,K7,M1"},
    {"13", "13．", "経管栄養", "K6"},
    {"14", "14．", "脱水／水分維持", "I5,I6,J1,J3,J5,K5,K6,O4"},
    {"15", "15．", "口腔ケア", "K2,L1,L2"},
    {"16", "16．", "褥瘡", "G2,G5,H2,I2,M2,M3,M4,P2"},
    {"17", "17．", "向精神薬", "O1,O2,O3,B4,B5,C4,E2,E5,E9,G4,H3,H4,I1,I3,J2,J4,J6,J7,J8,J9,K1"},
    {"18", "18．", "身体抑制", "P1,P3"},
    {"19", "19．", "痛みの管理", "OJ1"},
    {"20", "20．", "排便の管理", "OH1,OH2,OH3"},
};

} // namespace

const RapItemTable& RapItemTable::instance()
{
    static const RapItemTable table;
    return table;
}

RapItemTable::RapItemTable()
{
    for (const ItemRow& row : Items)
        m_items.append({QString::fromUtf8(row.entry), QString::fromUtf8(row.prefix),
                        QString::fromUtf8(row.name), QString::fromUtf8(row.keys)});
}

const RapItem* RapItemTable::find(const QString& upperEntry) const
{
    for (const RapItem& item : m_items) {
        if (item.entry == upperEntry)
            return &item;
    }
    return nullptr;
}

} // namespace orv
