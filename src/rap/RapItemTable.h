#pragma once

#include <QString>
#include <QVector>

namespace orv {

// One RAP of the review sheet: the RAP list entry (upper case), its title and the trigger
// keys whose evidence it prints, in order.
struct RapItem
{
    QString entry;  // "05A"
    QString prefix; // "5．"
    QString name;   // "ADL／リハビリ(A)"
    QString keys;   // "G1,G3,G6"

    QString title() const { return prefix + name; }
};

class RapItemTable
{
public:
    static const RapItemTable& instance();
    const QVector<RapItem>& items() const { return m_items; }
    // nullptr for an entry that is not one of the 22.
    const RapItem* find(const QString& upperEntry) const;

private:
    RapItemTable();
    QVector<RapItem> m_items;
};

} // namespace orv
