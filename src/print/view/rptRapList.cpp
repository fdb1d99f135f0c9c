#include "print/view/rptRapList.h"

#include "data/AppState.h"
#include "print/ReportLayouts.h"

#include <functional>

namespace orv {

rptRapList::rptRapList(const AppState& state)
    : ReportDesigner(QStringLiteral("rptRapList"), ReportLayouts::rapList()), m_state(state)
{
}

void rptRapList::ActiveReport_Initialize()
{
    WindowState = 2;
    Caption = QStringLiteral("Orv2.1 RAP一覧表");
}

void rptRapList::ActiveReport_ReportStart()
{
    ReportDesigner::ActiveReport_ReportStart();
    static const std::function<std::unique_ptr<rptRAP>()> makers[SubReportCount] = {
        [] { return std::make_unique<rptRAP1>(); }, [] { return std::make_unique<rptRAP2>(); },
        [] { return std::make_unique<rptRAP3>(); }, [] { return std::make_unique<rptRAP4>(); },
        [] { return std::make_unique<rptRAP5>(); }, [] { return std::make_unique<rptRAP6>(); },
    };
    for (int n = 1; n <= SubReportCount; ++n) {
        m_subReports[n - 1] = makers[n - 1]();
        document().layout.control(QStringLiteral("SubReport%1").arg(n))->subReport =
            m_subReports[n - 1]->sharedDocument();
    }
}

void rptRapList::Detail_Format()
{
    document().layout.control(QStringLiteral("lblName"))->text = m_state.CurName;
    for (int n = 1; n <= SubReportCount; ++n)
        subReport(n)->FileURL = m_state.folder.file(QStringLiteral("\\RAP_0%1.xml").arg(n));
}

void rptRapList::Run()
{
    ActiveReport_ReportStart();
    Detail_Format();
    for (const auto& sub : m_subReports)
        sub->Run();
}

} // namespace orv
