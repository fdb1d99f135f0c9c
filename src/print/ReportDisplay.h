#pragma once

namespace orv {

// The printed forms, one report each.
enum class ReportKind
{
    FaceSheet,
    Assessment,
    RapSelection,
    RapSummary,
    Medication,
    RapList
};

// Shows a report preview of the data file just written (nothing to show until the report
// windows exist).
class ReportDisplay
{
public:
    virtual ~ReportDisplay() = default;
    virtual void showReport(ReportKind kind) = 0;
};

} // namespace orv
