#include "print/view/MainReportDesigner.h"

#include "print/ReportCatalogue.h"
#include "print/ReportLayouts.h"

#include <utility>

namespace orv {

MainReportDesigner::MainReportDesigner(const QString& name, const ProgramFolder& folder)
    : ReportDesigner(name, ReportLayouts::byDesigner(name)), m_folder(folder)
{
}

QString MainReportDesigner::designerOf(ReportKind kind)
{
    static const std::pair<ReportKind, const char*> names[] = {
        {ReportKind::FaceSheet, "rptOrv21Care_1_2"},
        {ReportKind::Assessment, "rptOrv21Care_a_r"},
        {ReportKind::RapSelection, "rptOrv21Care_rap"},
        {ReportKind::RapSummary, "rptOrv21Care_s"},
        {ReportKind::Medication, "rptOrv21Care_t"},
    };
    for (const auto& [k, name] : names) {
        if (k == kind)
            return QString::fromLatin1(name);
    }
    return QString();
}

void MainReportDesigner::ActiveReport_Initialize()
{
    const ReportCatalogueEntry& entry = ReportCatalogue::entry(name());
    WindowState = 2;
    FileURL = m_folder.file(QStringLiteral("\\") + entry.dataFile);
    Caption = entry.caption;
}

} // namespace orv
