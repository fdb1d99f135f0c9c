#include "rap/RapCodeTable.h"

#include "common/StringRoutines.h"
#include "rap/TriggerMarks.h"
#include "rap/TriggerRuleTable.h"

namespace orv {

namespace {

struct CodeRow
{
    const char* code;
    const char* keys;
    RapTest test;
};

const CodeRow Codes[] = {
    {"01", "B4,B5,E5,E9", RapTest::AnyItemSet},
    {"02", "B1,B2,C3", RapTest::AnyItemSet},
    {"03", "D1,D2,I4", RapTest::AnyItemSet},
    {"04", "C1,C2,C3", RapTest::AnyItemSet},
    {"05a", "G1,G3,G6", RapTest::AnyItemSet},
    {"05b", "B3", RapTest::AnyItemSet},
    {"06", "H1,H5", RapTest::AnyItemSet},
    {"07", "E3,F1,F2,F3,F4,F5", RapTest::AnyItemSet},
    {"08", "E1,E4", RapTest::AnyItemSet},
    {"09", "E7,E8", RapTest::AnyItemSet},
    {"10a", "N3,N4", RapTest::AnyItemSet},
    {"10b", "N1,N2", RapTest::TwoItemsSet},
    {"11", "E6,J2,J8,O2,O3,P1", RapTest::AnyItemSet},
    {"12", "K3,K4,K5,K7,M1", RapTest::AnyItemSet},
    {"13", "K6", RapTest::AnyItemSet},
    {"14", "I5,I6,J1,J3,J5,K5,K6,O4", RapTest::AnyItemSet},
    {"15", "K2,L1,L2", RapTest::AnyItemSet},
    {"16", "G2,G5,H2,I2,M2,M3,M4,P2", RapTest::AnyItemSet},
    {"17", "B4,B5,C4,E2,E5,E9,G4,H3,H4,I1,I3,J2,J4,J6,J7,J8,J9,K1/O1,O2,O3",
     RapTest::BothGroupsSet},
    {"18", "P1,P3", RapTest::AnyItemSet},
    {"19", "OJ1", RapTest::AnyItemSet},
    {"20", "OH1,OH2,OH3", RapTest::AnyItemSet},
};

const QString Comma = QStringLiteral(",");
const QString Slash = QStringLiteral("/");

// Key positions of a list as the tests read it: fields at ",", taken as they stand.
QVector<int> keyPositions(const QString& keys)
{
    const TriggerRuleTable& rules = TriggerRuleTable::instance();
    QVector<int> positions;
    const int count = PieceCnt(keys, Comma) + 1;
    for (int i = 1; i <= count; ++i)
        positions << rules.keyIndex(Piece2(keys, i, Comma));
    return positions;
}

int countSet(const QVector<int>& keys, const TriggerMarks& marks, int enough)
{
    int set = 0;
    for (int key : keys) {
        if (marks.isSet(key) && ++set >= enough)
            break;
    }
    return set;
}

} // namespace

bool AnyItemSet(const QString& keys, const TriggerMarks& marks)
{
    return countSet(keyPositions(keys), marks, 1) >= 1;
}

bool BothGroupsSet(const QString& groups, const TriggerMarks& marks)
{
    return AnyItemSet(Piece2(groups, 2, Slash), marks) &&
           AnyItemSet(Piece2(groups, 1, Slash), marks);
}

bool TwoItemsSet(const QString& keys, const TriggerMarks& marks)
{
    return countSet(keyPositions(keys), marks, 2) >= 2;
}

const RapCodeTable& RapCodeTable::instance()
{
    static const RapCodeTable table;
    return table;
}

RapCodeTable::RapCodeTable()
{
    for (const CodeRow& row : Codes) {
        RapCode code{
            QString::fromLatin1(row.code), QString::fromLatin1(row.keys), row.test, {}, {}};
        if (code.test == RapTest::BothGroupsSet) {
            code.firstGroup = keyPositions(Piece2(code.keys, 1, Slash));
            code.secondGroup = keyPositions(Piece2(code.keys, 2, Slash));
        } else {
            code.firstGroup = keyPositions(code.keys);
        }
        m_codes.append(code);
    }
}

bool RapCodeTable::holds(const RapCode& code, const TriggerMarks& marks)
{
    switch (code.test) {
    case RapTest::AnyItemSet:
        return countSet(code.firstGroup, marks, 1) >= 1;
    case RapTest::BothGroupsSet:
        return countSet(code.secondGroup, marks, 1) >= 1 &&
               countSet(code.firstGroup, marks, 1) >= 1;
    case RapTest::TwoItemsSet:
        return countSet(code.firstGroup, marks, 2) >= 2;
    }
    return false;
}

QString RapCodeTable::WriteRAPList(const TriggerMarks& marks, bool testMode) const
{
    QStringList entries;
    for (const RapCode& code : m_codes) {
        if (holds(code, marks))
            entries << (testMode ? QStringLiteral("○") : code.code);
        else if (testMode)
            entries << QStringLiteral("×");
    }
    return entries.join(Comma);
}

} // namespace orv
