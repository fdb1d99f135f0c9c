// Time of each report-data export on a record file of 2,000 residents, each with a filled face
// sheet, assessment, RAP summary, medication survey, trigger row and eight RAP rows.
#include "common/ProgramFolder.h"
#include "data/AppState.h"
#include "data/DaoType.h"
#include "data/Database.h"
#include "print/ReportDataExporter.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace orv;

namespace {

constexpr int Residents = 2000;

QString residentId(int n)
{
    return QStringLiteral("R%1").arg(n, 5, 10, QLatin1Char('0'));
}

Value filler(const ColumnInfo& column)
{
    if (isNumericType(column.type))
        return Value(1);
    if (column.type == dbDate)
        return Value(DateValue::fromDate(QDate(2005, 9, 1)));
    if (column.type == dbText || column.type == dbMemo)
        return Value(QStringLiteral("値").left(column.size > 0 ? column.size : 1));
    return Value();
}

bool fill(Database& db, const QString& table, const QString& dateColumn, int count)
{
    const TableSchema* schema = db.schema(table);
    if (!schema)
        return false;
    QStringList names;
    QStringList marks;
    for (const ColumnInfo& column : schema->columns) {
        names << QStringLiteral("[%1]").arg(column.name);
        marks << QStringLiteral("?");
    }
    const QString insert =
        QStringLiteral("INSERT INTO [%1] (%2) VALUES (%3)")
            .arg(table, names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
    for (int n = 0; n < count; ++n) {
        QVector<Value> values;
        for (const ColumnInfo& column : schema->columns) {
            if (column.name == QLatin1String("ID"))
                values << Value(residentId(n));
            else if (column.name == dateColumn)
                values << Value(DateValue::fromDate(QDate(2005, 8, 17)));
            else if (table == QLatin1String("Trigger"))
                values << Value(QStringLiteral("○"));
            else
                values << filler(column);
        }
        if (!db.execute(insert, values))
            return false;
    }
    return true;
}

double medianMs(const std::function<bool()>& run)
{
    std::vector<double> times;
    for (int i = 0; i < 15; ++i) {
        QElapsedTimer timer;
        timer.start();
        if (!run())
            return -1;
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    const QString shipped = QDir(QCoreApplication::applicationDirPath())
                                .absoluteFilePath(QStringLiteral("../bin/Orv21.db"));
    const QString path = QDir(folder.path()).filePath(QStringLiteral("Orv21.db"));
    if (!QFile::copy(shipped, path)) {
        std::fprintf(stderr, "no record file at %s\n", qPrintable(shipped));
        return 1;
    }
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);

    AppState state;
    state.folder = ProgramFolder(folder.path());
    state.Db = Database::open(path);
    if (!state.Db)
        return 1;
    QStringList tables = {QStringLiteral("KIHON1"), QStringLiteral("S"), QStringLiteral("T")};
    for (char section = 'A'; section <= 'R'; ++section)
        tables << QString(QLatin1Char(section));
    state.Db->begin();
    for (const QString& table : tables) {
        if (!fill(*state.Db, table, QStringLiteral("基準日"), Residents))
            return 1;
    }
    if (!fill(*state.Db, QStringLiteral("Trigger"), QStringLiteral("記入日"), Residents))
        return 1;
    for (int year = 0; year < 8; ++year) {
        for (int n = 0; n < Residents; ++n) {
            state.Db->execute(
                QStringLiteral("INSERT INTO [RAP] ([ID],[記入日],[RAP]) VALUES (?,?,?)"),
                {Value(residentId(n)), Value(DateValue::fromDate(QDate(1998 + year, 8, 17))),
                 Value(QStringLiteral("01,05a,10b,17,20"))});
        }
    }
    state.Db->commit();

    ReportDataExporter exporter(state);
    const QString id = residentId(Residents / 2);
    const QString date = QStringLiteral("2005/08/17");
    const QList<QPair<const char*, std::function<bool()>>> runs = {
        {"face sheet (orv21_12.xml)", [&] { return exporter.ExportFaceSheetXml(date, id); }},
        {"assessment (orv21_ar.xml)", [&] { return exporter.ExportAssessmentXml(date, id); }},
        {"RAP summary (orv21_s.xml)", [&] { return exporter.ExportRapSummaryXml(date, id); }},
        {"medication (orv21_t.xml)", [&] { return exporter.ExportMedicationXml(date, id); }},
        {"RAP selection (orv21_trigger.xml)", [&] { return exporter.ExportTriggerXml(date, id); }},
        {"RAP list (RAP_01..06.xml)",
         [&] { return exporter.ExportRapListXml(DateValue::fromDate(QDate(2005, 8, 17)), id); }},
    };
    std::printf("export of one record among %d residents, median of 15 runs\n", Residents);
    for (const auto& run : runs)
        std::printf("  %-36s %8.2f ms\n", run.first, medianMs(run.second));
    return 0;
}
