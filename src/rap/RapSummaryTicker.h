#pragma once

#include "common/DateValue.h"

#include <QString>

namespace orv {

struct AppState;
class Recordset;

// Ticks a new RAP summary from the RAP row of the evaluated assessment: RAP n is ticked when
// the two-digit text of n occurs in the RAP list ("05" finds 05a and 05b).
class RapSummaryTicker
{
public:
    explicit RapSummaryTicker(AppState& state) : m_state(state) {}

    // RAPDate: 記入日 of the RAP row; the summary row is that of CurID and CurKijunbi.
    void RAP_SAM_SET(const DateValue& RAPDate);
    // Stores 1 in the column ItemName of the current row of rs; false with the error.
    static bool SetRAPsData(const QString& ItemName, Recordset& rs, QString* error = nullptr);

private:
    void reportError(const QString& error);
    AppState& m_state;
};

} // namespace orv
