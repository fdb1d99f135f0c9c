#pragma once

#include "data/CatalogueSection.h"
#include "print/LayoutBuilder.h"

#include <QHash>
#include <QVector>

#include <functional>

namespace orv {

// Writes the groups of one catalogue section down the form: each group's code and title,
// its coded items with their boxes (a choice list shared by several items printed once),
// check items in two columns with their mark boxes, and dates, numbers and texts on lines.
// Every field is bound to the element that the report-data file gives the item's column, and
// has the room its longest value needs.
//
// A group stays on one page with its title where it fits on a page; a longer one repeats its
// title on the page it goes on to. A section's heading, and a title over sub-groups (E4 over
// E4-a), wait for the first group under them and go on its page; a page that the sub-groups go
// on to opens with the titles over them again, with their instructions.
class LayoutCatalogueSection
{
public:
    // The longest value of each item, by item code, kept across the trial builds of a layout.
    using LongestValues = QHash<QString, QString>;

    // rowHeight: the least height of an item row; groupGap: space left above each group.
    LayoutCatalogueSection(LayoutBuilder* builder, int rowHeight, int groupGap = 0,
                           LongestValues* longest = nullptr);

    void heading(const QString& text, const QString& note);
    void group(const CatalogueGroup& group);

    static QString choicesText(const QVector<CatalogueChoice>& choices);

private:
    // One row of the form: the space above it (none at the top of a page), its height, and
    // what it places at a given top.
    struct Row
    {
        int gap = 0;
        int height = 0;
        std::function<void(int top)> place;
    };
    using Rows = QVector<Row>;

    // A title over sub-groups, open while the groups under it are written.
    struct OpenTitle
    {
        QString stem; // the start of the codes under it: "E4-" for E4, "R2-" for R2-d～h
        Rows rows;
        bool placed = false;
    };

    Rows titleRows(const CatalogueGroup& group) const;
    Row legendRow(const QString& text) const;
    Row codeRow(const CatalogueItem& item, bool withChoices) const;
    Rows checkRows(const QVector<const CatalogueItem*>& items) const;
    Row valueRow(const CatalogueItem& item);
    void place(const Rows& heading, const Rows& body);
    void placeRow(const Row& row);

    LayoutBuilder* m_b;
    int m_rowHeight;
    int m_groupGap;
    LongestValues m_ownLongest;
    LongestValues* m_longest;
    Rows m_waiting;
    QVector<OpenTitle> m_open; // outermost first
};

} // namespace orv
