#pragma once

#include "common/DateValue.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace orv {

struct AppState;
class Database;
class XmlOutputFile;

// Writes the report-data files of the printed forms into the program folder. Each record
// export reads through a connection of its own; the RAP list reads the shared one. A failure
// (no database, a file that cannot be written) returns false with the reason, and leaves the
// previous file as it was.
class ReportDataExporter
{
public:
    static const QString FaceSheetFile;    // "orv21_12.xml"
    static const QString AssessmentFile;   // "orv21_ar.xml"
    static const QString RapSummaryFile;   // "orv21_s.xml"
    static const QString MedicationFile;   // "orv21_t.xml"
    static const QString RapSelectionFile; // "orv21_trigger.xml"
    static constexpr int RapListFileCount = 6;
    // "RAP_01.xml" to "RAP_06.xml", n from 1
    static QString rapListFile(int n);

    explicit ReportDataExporter(AppState& state) : m_state(state) {}

    // The record date as "yyyy/mm/dd" first, then the resident ID.
    bool ExportFaceSheetXml(const QString& dateText, const QString& id, QString* error = nullptr);
    bool ExportAssessmentXml(const QString& dateText, const QString& id, QString* error = nullptr);
    bool ExportRapSummaryXml(const QString& dateText, const QString& id, QString* error = nullptr);
    bool ExportMedicationXml(const QString& dateText, const QString& id, QString* error = nullptr);
    // The Trigger row's keys and the RAP row's codes on the 22 positions rap1 to rap22.
    bool ExportTriggerXml(const QString& dateText, const QString& id, QString* error = nullptr);
    // The resident's six newest RAP rows, newest first, one file each.
    bool ExportRapListXml(const DateValue& date, const QString& id, QString* error = nullptr);

private:
    bool exportRecord(const QString& fileName, const QStringList& tables, const QString& dateText,
                      const QString& id, QString* error);
    using RowsWriter = std::function<bool(Database& db, XmlOutputFile& file)>;
    // Opens the file and a connection of its own to the record file, lets writeRows fill the
    // file, and replaces the file on disk only when all went well.
    bool writeFromOwnConnection(const QString& fileName, const RowsWriter& writeRows,
                                QString* error);

    AppState& m_state;
};

} // namespace orv
