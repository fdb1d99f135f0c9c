#pragma once

#include <QString>

namespace orv {

struct CatalogueItem;

// The longest text that the report-data file can give an item's element, written by the
// export's own rules (units, marks and the era form of dates included): a text column full of
// full-width characters, a number with as many digits as its column takes, the longest code
// of a coded item. Empty for a memo, which has no bound.
QString longestValueText(const CatalogueItem& item);

} // namespace orv
