#include "print/PrintCommands.h"

#include "common/DateFormat.h"
#include "common/MessageBoxService.h"
#include "data/AppState.h"
#include "data/RecordFinder.h"
#include "print/ReportDataExporter.h"
#include "print/ReportDisplay.h"
#include "rap/RapReviewSheet.h"

namespace orv {

// A print of a record that the user picks in the finder.
struct RecordPrint
{
    int finderMode;
    bool (ReportDataExporter::*exportXml)(const QString&, const QString&, QString*);
    ReportKind report;
};

namespace {

constexpr RecordPrint FacePrint = {0, &ReportDataExporter::ExportFaceSheetXml,
                                   ReportKind::FaceSheet};
constexpr RecordPrint AssessmentPrint = {1, &ReportDataExporter::ExportAssessmentXml,
                                         ReportKind::Assessment};
constexpr RecordPrint RapSummaryPrint = {2, &ReportDataExporter::ExportRapSummaryXml,
                                         ReportKind::RapSummary};
constexpr RecordPrint MedicationPrint = {3, &ReportDataExporter::ExportMedicationXml,
                                         ReportKind::Medication};

} // namespace

PrintCommands::PrintCommands(AppState& state) : m_state(state) {}

bool PrintCommands::pickRecord(int finderMode)
{
    m_state.CurID.clear();
    m_state.CurKijunbi = DateValue::zero();
    if (m_state.finder)
        m_state.finder->pick(finderMode);
    return !m_state.CurID.isEmpty();
}

void PrintCommands::reportFailure(const QString& error)
{
    if (m_state.msg)
        m_state.msg->show(QStringLiteral("帳票データを書き込めませんでした。\r\n") + error,
                          StyleCritical);
}

void PrintCommands::printRecord(const RecordPrint& print)
{
    if (!pickRecord(print.finderMode))
        return;
    exportAndShow(
        [&](ReportDataExporter& exporter, QString* error) {
            return (exporter.*print.exportXml)(DateFormat::ymd(m_state.CurKijunbi), m_state.CurID,
                                               error);
        },
        print.report);
}

void PrintCommands::exportAndShow(
    const std::function<bool(ReportDataExporter&, QString*)>& exportXml, ReportKind kind)
{
    ReportDataExporter exporter(m_state);
    QString error;
    if (!exportXml(exporter, &error)) {
        reportFailure(error);
        return;
    }
    if (m_state.reports)
        m_state.reports->showReport(kind);
}

void PrintCommands::Face_Print()
{
    printRecord(FacePrint);
}

void PrintCommands::Assessment_PRINT()
{
    printRecord(AssessmentPrint);
}

void PrintCommands::SAM_PRINT()
{
    printRecord(RapSummaryPrint);
}

void PrintCommands::DRAG_PRINT()
{
    printRecord(MedicationPrint);
}

void PrintCommands::RAP_PRINT()
{
    if (m_state.CurID.isEmpty())
        return;
    exportAndShow(
        [&](ReportDataExporter& exporter, QString* error) {
            return exporter.ExportTriggerXml(DateFormat::ymd(m_state.CurKijunbi), m_state.CurID,
                                             error);
        },
        ReportKind::RapSelection);
}

void PrintCommands::RAPL_PRINT()
{
    if (m_state.CurID.isEmpty())
        return;
    exportAndShow(
        [&](ReportDataExporter& exporter, QString* error) {
            return exporter.ExportRapListXml(m_state.CurKijunbi.dateOnly(), m_state.CurID, error);
        },
        ReportKind::RapList);
}

void PrintCommands::KENTO_PRINT()
{
    if (m_state.CurID.isEmpty())
        return;
    RapReviewSheet(m_state).WriteRapReviewSheet(m_state.CurID, m_state.CurKijunbi.dateOnly());
}

} // namespace orv
