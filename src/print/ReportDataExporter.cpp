#include "print/ReportDataExporter.h"

#include "common/DateFormat.h"
#include "common/DateParser.h"
#include "common/Value.h"
#include "data/AppState.h"
#include "data/Database.h"
#include "data/Recordset.h"
#include "print/RapCodeIndex.h"
#include "print/RapListTitles.h"
#include "print/RecordXmlWriter.h"
#include "print/TriggerXmlWriter.h"
#include "print/XmlOutputFile.h"

#include <array>

namespace orv {

const QString ReportDataExporter::FaceSheetFile = QStringLiteral("orv21_12.xml");
const QString ReportDataExporter::AssessmentFile = QStringLiteral("orv21_ar.xml");
const QString ReportDataExporter::RapSummaryFile = QStringLiteral("orv21_s.xml");
const QString ReportDataExporter::MedicationFile = QStringLiteral("orv21_t.xml");
const QString ReportDataExporter::RapSelectionFile = QStringLiteral("orv21_trigger.xml");

namespace {

constexpr int RapPositions = 22;

// The key of a record: the date text read back as a date (a text that is no date matches
// nothing).
QVector<Value> recordKey(const QString& id, const QString& dateText)
{
    const std::optional<DateValue> date = DateParser::parse(dateText);
    return {Value(id), date ? Value(date->dateOnly()) : Value(dateText)};
}

QString selectByKey(const QString& table, const QString& dateColumn)
{
    return QStringLiteral("SELECT * FROM [%1] WHERE [ID]=? AND [%2]=?").arg(table, dateColumn);
}

QStringList assessmentTables()
{
    QStringList tables;
    for (char section = 'A'; section <= 'R'; ++section)
        tables << QString(QLatin1Char(section));
    return tables;
}

// Each code of a RAP list marked "○" at its column; entries without a column (verdict marks
// of the verification mode, unknown codes) mark nothing.
void writeRapPositions(const QString& list, XmlOutputFile& file)
{
    std::array<bool, RapPositions + 1> marked{};
    for (const QString& entry : list.split(QLatin1Char(','))) {
        const int index = RapCodeToIndex(entry);
        if (index >= 1 && index <= RapPositions)
            marked[index] = true;
    }
    for (int i = 1; i <= RapPositions; ++i)
        file.writeElement(QStringLiteral("rap%1").arg(i),
                          marked[i] ? QStringLiteral("○") : QString());
}

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

} // namespace

QString ReportDataExporter::rapListFile(int n)
{
    return QStringLiteral("RAP_%1.xml").arg(twoDigits(n));
}

bool ReportDataExporter::writeFromOwnConnection(const QString& fileName,
                                                const RowsWriter& writeRows, QString* error)
{
    std::unique_ptr<XmlOutputFile> file = OpenXmlOutput(m_state.folder, fileName, error);
    if (!file)
        return false;
    const QString path =
        m_state.Db ? m_state.Db->path() : m_state.folder.file(QStringLiteral("Orv21.db"));
    std::unique_ptr<Database> db = Database::open(path, error);
    // One read transaction: the tables are read as of one moment, and the file's state is
    // looked up once rather than for every statement.
    if (!db || !db->execute(QStringLiteral("BEGIN"), {}, error) || !writeRows(*db, *file))
        return false;
    db->execute(QStringLiteral("COMMIT"));
    db->close();
    return file->close(error);
}

bool ReportDataExporter::exportRecord(const QString& fileName, const QStringList& tables,
                                      const QString& dateText, const QString& id, QString* error)
{
    const QVector<Value> key = recordKey(id, dateText);
    return writeFromOwnConnection(
        fileName,
        [&](Database& db, XmlOutputFile& file) {
            for (const QString& table : tables) {
                std::unique_ptr<Recordset> rs =
                    db.openRecordset(selectByKey(table, QStringLiteral("基準日")), key, error);
                if (!rs)
                    return false;
                if (!rs->eof())
                    WriteRecordXml(*rs, file);
                rs->close();
            }
            return true;
        },
        error);
}

bool ReportDataExporter::ExportFaceSheetXml(const QString& dateText, const QString& id,
                                            QString* error)
{
    return exportRecord(FaceSheetFile, {QStringLiteral("KIHON1")}, dateText, id, error);
}

bool ReportDataExporter::ExportAssessmentXml(const QString& dateText, const QString& id,
                                             QString* error)
{
    return exportRecord(AssessmentFile, assessmentTables(), dateText, id, error);
}

bool ReportDataExporter::ExportRapSummaryXml(const QString& dateText, const QString& id,
                                             QString* error)
{
    return exportRecord(RapSummaryFile, {QStringLiteral("S")}, dateText, id, error);
}

bool ReportDataExporter::ExportMedicationXml(const QString& dateText, const QString& id,
                                             QString* error)
{
    return exportRecord(MedicationFile, {QStringLiteral("T")}, dateText, id, error);
}

bool ReportDataExporter::ExportTriggerXml(const QString& dateText, const QString& id,
                                          QString* error)
{
    const QVector<Value> key = recordKey(id, dateText);
    return writeFromOwnConnection(
        RapSelectionFile,
        [&](Database& db, XmlOutputFile& file) {
            std::unique_ptr<Recordset> trigger = db.openRecordset(
                selectByKey(QStringLiteral("Trigger"), QStringLiteral("記入日")), key, error);
            if (!trigger)
                return false;
            if (!trigger->eof())
                WriteTriggerXml(*trigger, file);
            trigger->close();

            std::unique_ptr<Recordset> rap = db.openRecordset(
                selectByKey(QStringLiteral("RAP"), QStringLiteral("記入日")), key, error);
            if (!rap)
                return false;
            if (!rap->eof())
                writeRapPositions(NullToStr(rap->value(QStringLiteral("RAP"))), file);
            rap->close();
            return true;
        },
        error);
}

bool ReportDataExporter::ExportRapListXml(const DateValue& date, const QString& id, QString* error)
{
    Q_UNUSED(date); // the list shows the resident's newest rows, whatever the date printed
    if (!m_state.Db) {
        if (error)
            *error = QStringLiteral("データベースが開かれていません。");
        return false;
    }
    m_state.RapRs = m_state.Db->openRecordset(
        QStringLiteral("SELECT * FROM [RAP] WHERE [ID]=? ORDER BY [記入日] DESC"), {Value(id)},
        error);
    if (!m_state.RapRs)
        return false;
    Recordset& rows = *m_state.RapRs;

    std::array<std::unique_ptr<XmlOutputFile>, RapListFileCount> files;
    for (int n = 1; n <= RapListFileCount; ++n) {
        std::unique_ptr<XmlOutputFile>& file = files[n - 1];
        file = OpenXmlOutput(m_state.folder, rapListFile(n), error);
        if (!file) {
            m_state.RapRs.reset();
            return false;
        }
        QString printDate;
        QStringList entries;
        if (!rows.eof()) {
            const DateValue entered = rows.value(QStringLiteral("記入日")).toDate();
            printDate = entered.isZero() ? QString() : DateFormat::eraShort(entered);
            entries =
                NullToStr(rows.value(QStringLiteral("RAP"))).toUpper().split(QLatin1Char(','));
            rows.moveNext();
        }
        file->writeElement(QStringLiteral("PRINTDATE"), printDate);
        for (int j = 1; j <= RapPositions; ++j) {
            const RapListTitle title =
                RapListTitleOf(j <= entries.size() ? entries.at(j - 1) : QString());
            const QString jj = twoDigits(j);
            file->writeLine(QStringLiteral("<NUM%1>%2</NUM%1><RAP%1>%3</RAP%1>")
                                .arg(jj, title.number, title.title));
        }
    }
    m_state.RapRs->close();
    m_state.RapRs.reset();

    for (const std::unique_ptr<XmlOutputFile>& file : files) {
        if (!file->close(error))
            return false;
    }
    return true;
}

} // namespace orv
