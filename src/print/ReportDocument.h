#pragma once

#include "print/ReportLayout.h"
#include "print/ReportRecord.h"

namespace orv {

// A layout together with the record it prints; sub-report controls point at documents of
// their own.
class ReportDocument
{
public:
    ReportDocument() = default;
    explicit ReportDocument(ReportLayout layout) : layout(std::move(layout)) {}

    ReportLayout layout;
    ReportRecord record;

    // The text a control prints: a bound field its element, anything else its design text.
    QString textOf(const ReportControl& control) const
    {
        return control.isBoundField() ? record.value(control.dataField) : control.text;
    }
};

} // namespace orv
