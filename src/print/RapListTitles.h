#pragma once

#include <QString>

namespace orv {

// Number and title that the RAP list prints for one entry of a RAP row.
struct RapListTitle
{
    QString number;
    QString title;
};

// Looks up an upper-cased entry ("01", "05A", "10B", ...); an entry that is no RAP code gives
// an empty number and title.
RapListTitle RapListTitleOf(const QString& upperCaseEntry);

} // namespace orv
