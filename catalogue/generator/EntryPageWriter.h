#pragma once

#include "data/Catalogue.h"

#include <QString>

// Writes the entry page of one catalogue section: one form holding an input for every item,
// laid out like the printed form, with the buttons that move to the neighbouring pages.
class EntryPageWriter
{
public:
    EntryPageWriter(const orv::Catalogue& catalogue, const orv::CatalogueSection& section);
    QString page() const;

private:
    struct Neighbour
    {
        const orv::CatalogueSection* section = nullptr;
        QString comaTarget; // the page the button leads to while the resident is comatose
    };

    QString navigation(const QString& place) const;
    QString group(const orv::CatalogueGroup& group) const;
    QString inlineTable(const QVector<const orv::CatalogueGroup*>& groups) const;
    QString grid(const orv::CatalogueGroup& group) const;
    QString itemRow(const orv::CatalogueItem& item, bool withLegend) const;
    QString input(const orv::CatalogueItem& item) const;
    Neighbour neighbour(int step) const;
    // The input that has the focus when the page opens.
    const orv::CatalogueItem* firstItem() const;
    QString jumpButton(const QString& name, const QString& caption, const Neighbour& to,
                       const QString& accessKey) const;

    const orv::Catalogue& m_catalogue;
    const orv::CatalogueSection& m_section;
};
