#pragma once

#include "print/ReportLayout.h"

#include <QList>
#include <QString>

namespace orv {

// One row of the catalogue of report designers.
struct ReportCatalogueEntry
{
    QString designer;
    QString caption;
    QString dataFile; // in the program folder; empty for the RAP list
    PaperKind paper;
    PaperOrientation orientation;
    ReportMargins margins;
    int pages;    // 0: printed as part of the RAP list
    int elements; // distinct elements bound
};

// The designers of the printed forms with their window caption, data file and page.
class ReportCatalogue
{
public:
    static const QList<ReportCatalogueEntry>& entries();
    // The entry of a designer; rptRAP1 to rptRAP6 share one row. An unknown name gives an
    // empty entry.
    static const ReportCatalogueEntry& entry(const QString& designer);
    // Sets caption, data file, paper, orientation and margins of a layout from its entry.
    static void apply(const QString& designer, ReportLayout* layout);
};

} // namespace orv
