#pragma once

#include "common/AnsiText.h"
#include "common/DateValue.h"

#include <QString>

namespace orv {

struct AppState;

// The RAP review sheet (RAP検討用紙): an RTF file of the triggered RAPs of one assessment with
// their evidence, made of the head and tail templates and the profile's item templates. It reads
// RAPSense as the RAP run of the same assessment left it.
class RapReviewSheet
{
public:
    static const QString BeginTemplate;  // "RAP_BEGIN_RTF.DAT"
    static const QString BottomTemplate; // "RAP_BOTTOM_RTF.DAT"

    explicit RapReviewSheet(AppState& state) : m_state(state) {}

    // The sheet of the RAP row of id and date; true when a sheet was written.
    bool WriteRapReviewSheet(const QString& id, const DateValue& date);
    // The chosen path; empty on cancel.
    QString ShowSaveDialog(const QString& filter, const QString& title);
    // One RAP item into the sheet being written.
    void WriteRapItem(const QString& keys, const QString& title);
    // The display name of a trigger key, "●" (after a box) when RAPName has none.
    QString GetRapItemName(const QString& key);

private:
    QString readRapList(const QString& id, const DateValue& date, QString* error);
    QString readResidentName(const QString& id);
    bool copyTemplate(const QString& fileName, bool fillName, const QString& residentName,
                      QString* error);
    void reportError(const QString& error);

    AppState& m_state;
    AnsiTextWriter m_sheet;
    bool m_RtfFirstItem = true;
};

} // namespace orv
