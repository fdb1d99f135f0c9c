#pragma once

#include "data/CatalogueSection.h"
#include "print/LayoutBuilder.h"

namespace orv {

// Writes the groups of one catalogue section down the form: each group's code and title,
// its coded items with their boxes (a choice list shared by several items printed once),
// check items in two columns with their mark boxes, and dates, numbers and texts on lines.
// Every field is bound to the element that the report-data file gives the item's column.
class LayoutCatalogueSection
{
public:
    // rowHeight: the least height of an item row; groupGap: space left above each group.
    LayoutCatalogueSection(LayoutBuilder* builder, int rowHeight, int groupGap = 0);

    void heading(const QString& text, const QString& note);
    void group(const CatalogueGroup& group);

    static QString choicesText(const QVector<CatalogueChoice>& choices);

private:
    // The title asks for room for itself, its note, the legends below it and a first row.
    void groupTitle(const CatalogueGroup& group, int legendsHeight);
    int legendHeight(const QString& text) const;
    void legend(const QString& text);
    void codeItem(const CatalogueItem& item, bool withChoices);
    void checkItems(const QVector<const CatalogueItem*>& items);
    void valueItem(const CatalogueItem& item);

    LayoutBuilder* m_b;
    int m_rowHeight;
    int m_groupGap;
};

} // namespace orv
