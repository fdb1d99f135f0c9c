#include "print/RapListTitles.h"

#include "rap/RapItemTable.h"

namespace orv {

RapListTitle RapListTitleOf(const QString& upperCaseEntry)
{
    const RapItem* item = RapItemTable::instance().find(upperCaseEntry);
    if (!item)
        return {};
    // the RAP's number is its code without the letter: 05A and 05B are both RAP 05
    return {item->entry.left(2), item->name};
}

} // namespace orv
