#pragma once

#include "common/ProgramFolder.h"
#include "print/ReportDisplay.h"
#include "print/view/ReportDesigner.h"

namespace orv {

// A report of one data file: the four record forms and the RAP selection table. Initialize
// maximises the preview, points the data control at the file in the program folder and sets
// the caption of the catalogue.
class MainReportDesigner : public ReportDesigner
{
public:
    MainReportDesigner(const QString& name, const ProgramFolder& folder);
    void ActiveReport_Initialize() override;

    // The designer name of a record form or the RAP selection table.
    static QString designerOf(ReportKind kind);

private:
    ProgramFolder m_folder;
};

template <ReportKind Kind> class MainReport : public MainReportDesigner
{
public:
    explicit MainReport(const ProgramFolder& folder) : MainReportDesigner(designerOf(Kind), folder)
    {
    }
};

using rptOrv21Care_1_2 = MainReport<ReportKind::FaceSheet>;
using rptOrv21Care_a_r = MainReport<ReportKind::Assessment>;
using rptOrv21Care_rap = MainReport<ReportKind::RapSelection>;
using rptOrv21Care_s = MainReport<ReportKind::RapSummary>;
using rptOrv21Care_t = MainReport<ReportKind::Medication>;

} // namespace orv
