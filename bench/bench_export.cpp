// Each report-data export of one record of a file of 10,000 residents with three assessments
// each, against the floor of the same statements issued raw on a connection of their own and
// the same bytes written to the same files.
#include "data/AppState.h"
#include "data/Database.h"
#include "print/ReportDataExporter.h"
#include "support/FloorComparison.h"
#include "support/RecordFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstdio>
#include <functional>

using namespace orv;

namespace {

// Runs of a few milliseconds: many rounds are cheap.
const bench::FloorComparison::Plan Rounds{100, 20};

const QString ByKey = QStringLiteral("SELECT * FROM [%1] WHERE [ID]=? AND [%2]=?");

struct Export
{
    QString what;
    std::function<bool()> run;
    QStringList statements; // bound with the ID and, when it has a second "?", the date
    QStringList files;
    bool ownConnection = true;
};

// The statements of an export stepped to their end through the C API, every column read; on a
// connection of its own inside one read transaction, as the export reads.
class RawStatements
{
public:
    RawStatements(const QString& path, sqlite3* shared) : m_path(path), m_shared(shared) {}

    bool run(const Export& e, const QByteArray& id, const QByteArray& date, qint64* checksum)
    {
        sqlite3* db = m_shared;
        if (e.ownConnection && sqlite3_open_v2(QFile::encodeName(m_path).constData(), &db,
                                               SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
            return false;
        bool ok =
            !e.ownConnection || sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK;
        for (const QString& sql : e.statements) {
            sqlite3_stmt* statement = nullptr;
            ok = ok && sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &statement, nullptr) ==
                           SQLITE_OK;
            if (!ok)
                break;
            sqlite3_bind_text(statement, 1, id.constData(), int(id.size()), SQLITE_STATIC);
            if (sqlite3_bind_parameter_count(statement) > 1)
                sqlite3_bind_text(statement, 2, date.constData(), int(date.size()), SQLITE_STATIC);
            while (sqlite3_step(statement) == SQLITE_ROW) {
                for (int c = 0; c < sqlite3_column_count(statement); ++c)
                    *checksum += sqlite3_column_bytes(statement, c);
            }
            sqlite3_finalize(statement);
        }
        if (e.ownConnection) {
            ok = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK && ok;
            sqlite3_close(db);
        }
        return ok;
    }

private:
    QString m_path;
    sqlite3* m_shared;
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath(QStringLiteral("Orv21.db"));
    QString error;
    if (!bench::buildRecordFile(path, 10000 * bench::AssessmentsEach,
                                bench::Records::AssessmentsAndSummaries, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    AppState state;
    state.folder = ProgramFolder(folder.path());
    state.Db = Database::open(path, &error);
    if (!state.Db)
        return 1;
    const QString id = bench::residentId(5000);
    const DateValue date = bench::assessmentDate(1);
    const QString dateText = date.date().toString(QStringLiteral("yyyy/MM/dd"));
    // The RAP selection table reads the scratch row of the last RAP run.
    state.Db->execute(QStringLiteral("INSERT INTO [Trigger] ([ID],[記入日],[B1],[E2]) VALUES "
                                     "(?,?,'○','○')"),
                      {Value(id), Value(date)});

    ReportDataExporter exporter(state);
    QStringList assessment;
    for (char section = 'A'; section <= 'R'; ++section)
        assessment << ByKey.arg(QLatin1Char(section)).arg(QStringLiteral("基準日"));
    QStringList rapList;
    for (int n = 1; n <= ReportDataExporter::RapListFileCount; ++n)
        rapList << ReportDataExporter::rapListFile(n);
    const QString ofDate = QStringLiteral("基準日");
    const QVector<Export> exports = {
        {"face sheet (orv21_12.xml)",
         [&] { return exporter.ExportFaceSheetXml(dateText, id); },
         {ByKey.arg("KIHON1", ofDate)},
         {ReportDataExporter::FaceSheetFile}},
        {"RAP summary (orv21_s.xml)",
         [&] { return exporter.ExportRapSummaryXml(dateText, id); },
         {ByKey.arg("S", ofDate)},
         {ReportDataExporter::RapSummaryFile}},
        {"medication survey (orv21_t.xml)",
         [&] { return exporter.ExportMedicationXml(dateText, id); },
         {ByKey.arg("T", ofDate)},
         {ReportDataExporter::MedicationFile}},
        {"RAP selection (orv21_trigger.xml)",
         [&] { return exporter.ExportTriggerXml(dateText, id); },
         {ByKey.arg("Trigger", "記入日"), ByKey.arg("RAP", "記入日")},
         {ReportDataExporter::RapSelectionFile}},
        {"RAP list (RAP_01.xml to RAP_06.xml)",
         [&] { return exporter.ExportRapListXml(date, id); },
         {QStringLiteral("SELECT * FROM [RAP] WHERE [ID]=? ORDER BY [記入日] DESC")},
         rapList,
         false},
        {"assessment (orv21_ar.xml)",
         [&] { return exporter.ExportAssessmentXml(dateText, id); },
         assessment,
         {ReportDataExporter::AssessmentFile}},
    };

    RawStatements raw(path, state.Db->handle());
    const QByteArray rawId = id.toUtf8();
    const QByteArray rawDate = date.date().toString(Qt::ISODate).toUtf8();
    qint64 checksum = 0;
    bench::FloorComparison last(QString{});
    for (const Export& e : exports) {
        // The bytes the export writes, as the floor writes them.
        if (!e.run())
            return 1;
        QVector<QPair<QString, QByteArray>> contents;
        for (const QString& file : e.files) {
            QFile written(state.folder.file(file));
            if (!written.open(QIODevice::ReadOnly))
                return 1;
            contents.append({written.fileName(), written.readAll()});
        }
        bench::FloorComparison comparison(e.what);
        const bool measured =
            comparison.measure([&] { return bench::FloorComparison::timed(e.run); },
                               [&] {
                                   return bench::FloorComparison::timed([&] {
                                       bool ok = raw.run(e, rawId, rawDate, &checksum);
                                       for (const auto& [name, bytes] : std::as_const(contents)) {
                                           QFile file(name);
                                           ok = ok && file.open(QIODevice::WriteOnly) &&
                                                file.write(bytes) == bytes.size();
                                       }
                                       return ok;
                                   });
                               },
                               Rounds);
        if (!measured)
            return 1;
        comparison.print();
        last = comparison;
    }
    last.printHeadline();
    return 0;
}
