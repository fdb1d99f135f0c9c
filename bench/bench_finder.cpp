// A search of the record finder over 10,000 residents with three assessments each: the time
// from the search button until the grid holds the result, in each of the four modes, against
// the floor of the same SQL stepped through the C API.
#include "common/ScriptedMessageBox.h"
#include "data/AppState.h"
#include "data/Database.h"
#include "data/FinderQuery.h"
#include "shell/frmDBFind2.h"
#include "support/FloorComparison.h"
#include "support/RecordFile.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstdio>

using namespace orv;

namespace {

struct Search
{
    const char* box;
    const char* fragment;
    const char* what;
};

// Runs the finder's statement and reads every column of every row; the number of rows.
int stepRaw(sqlite3* db, const SqlQuery& query)
{
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, query.sql.toUtf8().constData(), -1, &statement, nullptr) !=
        SQLITE_OK)
        return -1;
    for (int i = 0; i < query.params.size(); ++i) {
        const QByteArray text = query.params.at(i).toText().toUtf8();
        sqlite3_bind_text(statement, i + 1, text.constData(), int(text.size()), SQLITE_TRANSIENT);
    }
    int rows = 0;
    qint64 bytes = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        ++rows;
        for (int c = 0; c < sqlite3_column_count(statement); ++c)
            bytes += sqlite3_column_bytes(statement, c);
    }
    sqlite3_finalize(statement);
    return bytes >= 0 ? rows : -1;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Orv21.db"));
    QString error;
    if (!bench::buildRecordFile(path, 10000 * bench::AssessmentsEach,
                                bench::Records::AssessmentsAndSummaries, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    ScriptedMessageBox boxes;
    AppState state;
    state.msg = &boxes;
    state.Db = Database::open(path, &error);
    sqlite3* raw = nullptr;
    if (!state.Db || sqlite3_open_v2(QFile::encodeName(path).constData(), &raw,
                                     SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        return 1;

    const Search searches[] = {
        {"txtTaisyo", "田花子", "name 田花子 (narrow)"},
        {"txtYom", "こ", "reading こ (broad)"},
        {"txtTaisyo", "山", "name 山 (broad)"},
    };
    const char* const modes[] = {"face sheets", "RAP summaries", "medication surveys",
                                 "assessments"};
    const int modeNumbers[] = {0, 2, 3, 1};
    bench::FloorComparison last(QString{});
    for (int m = 0; m < 4; ++m) {
        for (const Search& search : searches) {
            const QString fragment = QString::fromUtf8(search.fragment);
            FinderCriteria criteria;
            (QLatin1String(search.box) == QLatin1String("txtYom") ? criteria.reading
                                                                  : criteria.name) = fragment;
            const SqlQuery query =
                FinderQuery::search(*FinderQuery::mode(modeNumbers[m]), criteria);
            int programRows = -1;
            int floorRows = -1;
            bench::FloorComparison comparison(QStringLiteral("%1, %2").arg(
                QLatin1String(modes[m]), QString::fromUtf8(search.what)));
            const bool measured = comparison.measure(
                [&] {
                    frmDBFind2 finder(state);
                    finder.ModeSet(modeNumbers[m]);
                    finder.findChild<QLineEdit*>(search.box)->setText(fragment);
                    QAbstractItemModel* model = finder.findChild<QTableView*>("DBG")->model();
                    return bench::FloorComparison::timed([&] {
                        finder.findChild<QPushButton*>("cmdS1")->click();
                        programRows = model->rowCount();
                        return true;
                    });
                },
                [&] {
                    return bench::FloorComparison::timed([&] {
                        floorRows = stepRaw(raw, query);
                        return floorRows >= 0;
                    });
                },
                {30, 12});
            if (!measured || programRows != floorRows || !boxes.texts().isEmpty()) {
                std::fprintf(stderr, "rows: program %d, floor %d\n", programRows, floorRows);
                return 1;
            }
            std::printf("%6d rows  ", programRows);
            comparison.print();
            last = comparison;
        }
    }
    sqlite3_close(raw);
    last.printHeadline();
    return 0;
}
