#pragma once

#include <QString>

namespace orv {

// Column of a RAP code on the RAP selection table: 1 "01" ... 5 "05a", 6 "05b" ... 22 "20";
// 0 for an entry that is no code (empty text, a verdict mark).
int RapCodeToIndex(const QString& entry);

// Number of non-overlapping occurrences of separator in text, counted left to right.
int CountOccurrences(const QString& text, const QString& separator);

} // namespace orv
