#pragma once

#include "common/DateValue.h"

#include <QString>

#include <functional>

namespace orv {

struct AppState;
struct RecordPrint;
enum class ReportKind;

// The print operations of the main menu. The four record prints ask the finder for the
// record; the three RAP prints use the assessment that the RAP run left selected. Each
// writes its report-data file and shows the report; nothing happens after a cancelled pick.
class PrintCommands
{
public:
    // Writes the review sheet of one assessment (resident ID, record date).
    using ReviewSheetWriter = std::function<void(const QString& id, const DateValue& date)>;

    explicit PrintCommands(AppState& state);

    void Face_Print();
    void Assessment_PRINT();
    void SAM_PRINT();
    void DRAG_PRINT();
    void RAP_PRINT();
    void RAPL_PRINT();
    void KENTO_PRINT();

    void setReviewSheetWriter(ReviewSheetWriter writer) { m_reviewSheet = std::move(writer); }

private:
    bool pickRecord(int finderMode);
    void printRecord(const RecordPrint& print);
    void showReport(ReportKind kind);
    void reportFailure(const QString& error);

    AppState& m_state;
    ReviewSheetWriter m_reviewSheet;
};

} // namespace orv
