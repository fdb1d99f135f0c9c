#include "print/view/MainReportDesigner.h"

#include "print/ReportCatalogue.h"
#include "print/ReportLayouts.h"

namespace orv {

MainReportDesigner::MainReportDesigner(const QString& name, const ProgramFolder& folder)
    : ReportDesigner(name, ReportLayouts::byDesigner(name)), m_folder(folder)
{
}

void MainReportDesigner::ActiveReport_Initialize()
{
    const ReportCatalogueEntry& entry = ReportCatalogue::entry(name());
    WindowState = 2;
    FileURL = m_folder.file(QStringLiteral("\\") + entry.dataFile);
    Caption = entry.caption;
}

} // namespace orv
