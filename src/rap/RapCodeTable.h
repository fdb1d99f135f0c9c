#pragma once

#include <QString>
#include <QVector>

namespace orv {

class TriggerMarks;

// How a RAP code is tested against the trigger marks.
enum class RapTest
{
    AnyItemSet,
    BothGroupsSet,
    TwoItemsSet
};

struct RapCode
{
    QString code; // "01", "05a", ...
    QString keys; // "B4,B5,E5,E9"; for BothGroupsSet "first group/second group"
    RapTest test = RapTest::AnyItemSet;
    // The keys as trigger key positions: the list, or the first group and the second group.
    QVector<int> firstGroup;
    QVector<int> secondGroup;
};

// The 22 RAP codes in their fixed order, and the decision made of the marks.
class RapCodeTable
{
public:
    static const RapCodeTable& instance();
    const QVector<RapCode>& codes() const { return m_codes; }

    static bool holds(const RapCode& code, const TriggerMarks& marks);

    // The RAP list: codes that hold joined by ","; in verification mode the verdict list of
    // 22 entries "○" or "×".
    QString WriteRAPList(const TriggerMarks& marks, bool testMode) const;

private:
    RapCodeTable();
    QVector<RapCode> m_codes;
};

// True when one listed key is set.
bool AnyItemSet(const QString& keys, const TriggerMarks& marks);
// True when a key of the group after "/" and a key of the group before it are set.
bool BothGroupsSet(const QString& groups, const TriggerMarks& marks);
// True when at least two listed keys are set.
bool TwoItemsSet(const QString& keys, const TriggerMarks& marks);

} // namespace orv
