#include "print/view/ReportWindows.h"

#include "data/AppState.h"
#include "print/view/MainReportDesigner.h"
#include "print/view/rptRapList.h"

namespace orv {

ReportWindows::ReportWindows(AppState& state) : m_state(state) {}

ReportWindows::~ReportWindows() = default;

std::unique_ptr<ReportDesigner> ReportWindows::create(ReportKind kind) const
{
    const ProgramFolder& folder = m_state.folder;
    switch (kind) {
    case ReportKind::FaceSheet:
        return std::make_unique<rptOrv21Care_1_2>(folder);
    case ReportKind::Assessment:
        return std::make_unique<rptOrv21Care_a_r>(folder);
    case ReportKind::RapSelection:
        return std::make_unique<rptOrv21Care_rap>(folder);
    case ReportKind::RapSummary:
        return std::make_unique<rptOrv21Care_s>(folder);
    case ReportKind::Medication:
        return std::make_unique<rptOrv21Care_t>(folder);
    case ReportKind::RapList:
        return std::make_unique<rptRapList>(m_state);
    }
    return nullptr;
}

ReportDesigner& ReportWindows::designer(ReportKind kind)
{
    auto it = m_designers.find(kind);
    if (it == m_designers.end()) {
        auto created = create(kind);
        created->ActiveReport_Initialize();
        it = m_designers.emplace(kind, std::move(created)).first;
    }
    return *it->second;
}

void ReportWindows::showReport(ReportKind kind)
{
    ReportDesigner& report = designer(kind);
    report.setSaveChooser(m_state.saveChooser);
    report.setResidentId(m_state.CurID);
    report.setProgramFolder(m_state.folder.path());
    report.Show();
}

} // namespace orv
