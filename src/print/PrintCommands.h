#pragma once

#include <QString>

#include <functional>

namespace orv {

struct AppState;
struct RecordPrint;
class ReportDataExporter;
enum class ReportKind;

// The print operations of the main menu. The four record prints ask the finder for the
// record; the three RAP prints use the assessment that the RAP run left selected. Each
// writes its report-data file and shows the report (the review sheet writes its RTF file);
// nothing happens after a cancelled pick.
class PrintCommands
{
public:
    explicit PrintCommands(AppState& state);

    void Face_Print();
    void Assessment_PRINT();
    void SAM_PRINT();
    void DRAG_PRINT();
    void RAP_PRINT();
    void RAPL_PRINT();
    void KENTO_PRINT();

private:
    bool pickRecord(int finderMode);
    void printRecord(const RecordPrint& print);
    // Runs one export and shows its report; a failed export is reported instead.
    void exportAndShow(const std::function<bool(ReportDataExporter&, QString*)>& exportXml,
                       ReportKind kind);
    void reportFailure(const QString& error);

    AppState& m_state;
};

} // namespace orv
