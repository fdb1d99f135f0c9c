#pragma once

#include "common/ProgramFolder.h"
#include "print/view/ReportDesigner.h"
#include "print/view/rptRAP.h"

#include <array>
#include <memory>

namespace orv {

struct AppState;

// The RAP list of one resident: the name of the last RAP run and six columns, each a
// sub-report reading one of "RAP_01.xml" to "RAP_06.xml", newest first.
class rptRapList : public ReportDesigner
{
public:
    static constexpr int SubReportCount = 6;

    explicit rptRapList(const AppState& state);

    void ActiveReport_Initialize() override;
    void ActiveReport_ReportStart() override;
    void Detail_Format() override;
    void Run() override;

    rptRAP* subReport(int n) const { return m_subReports.at(n - 1).get(); }

private:
    const AppState& m_state;
    std::array<std::unique_ptr<rptRAP>, SubReportCount> m_subReports;
};

} // namespace orv
