// A name-fragment search of the record finder over 10,000 residents with three assessments,
// RAP summaries and medication surveys each: the time from the search button until the grid
// holds the result, in each of the four modes.
//
//     bench_finder [path of a record file with the program's tables]
// Without an argument the record file of the program folder (../bin/Orv21.db) is copied.

#include "common/ScriptedMessageBox.h"
#include "data/AppState.h"
#include "data/Database.h"
#include "shell/frmDBFind2.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace orv;

namespace {

constexpr int Residents = 10000;
constexpr int RecordsEach = 3;
constexpr int Runs = 7;

const char* const Families[] = {"山田", "佐藤", "鈴木", "高橋", "田中", "渡辺", "伊藤",
                                "中村", "小林", "加藤", "吉田", "山本", "松本", "井上",
                                "木村", "林",   "清水", "山崎", "森",   "池田"};
const char* const FamilyReadings[] = {"やまだ",   "さとう",   "すずき",   "たかはし", "たなか",
                                      "わたなべ", "いとう",   "なかむら", "こばやし", "かとう",
                                      "よしだ",   "やまもと", "まつもと", "いのうえ", "きむら",
                                      "はやし",   "しみず",   "やまざき", "もり",     "いけだ"};
const char* const Givens[] = {"花子", "一郎", "太郎", "幸子", "和子",
                              "次郎", "節子", "清",   "茂",   "トメ"};
const char* const GivenReadings[] = {"はなこ", "いちろう", "たろう", "さちこ", "かずこ",
                                     "じろう", "せつこ",   "きよし", "しげる", "とめ"};

bool check(bool ok, const QString& what, const QString& error)
{
    if (!ok)
        std::fprintf(stderr, "%s: %s\n", qPrintable(what), qPrintable(error));
    return ok;
}

bool fill(Database& db)
{
    QString error;
    TransactionGuard transaction(db);
    for (int n = 0; n < Residents; ++n) {
        const QString id = QStringLiteral("%1").arg(n + 1, 6, 10, QLatin1Char('0'));
        const int family = n % 20;
        const int given = (n / 20) % 10;
        const DateValue faceDate = DateValue::fromDate(QDate(2004, 1, 1).addDays(n % 700));
        if (!check(db.execute(QStringLiteral(
                                  "INSERT INTO KIHON1([ID], [基準日], [1-1-1], [1-1-2], [1-1-3], "
                                  "[1-1-4], [1-3-1]) VALUES(?, ?, ?, ?, ?, ?, ?)"),
                              {id, faceDate, Families[family], Givens[given],
                               FamilyReadings[family], GivenReadings[given],
                               DateValue::fromDate(QDate(1920, 1, 1).addDays(n % 9000))},
                              &error),
                   QStringLiteral("KIHON1"), error))
            return false;
        for (int r = 0; r < RecordsEach; ++r) {
            const DateValue date = DateValue::fromDate(QDate(2005, 1, 1).addDays(r * 180 + n % 90));
            for (char letter = 'A'; letter <= 'T'; ++letter) {
                const QString table{QLatin1Char(letter)};
                if (!check(
                        db.execute(QStringLiteral("INSERT INTO [%1]([ID], [基準日]) VALUES(?, ?)")
                                       .arg(table),
                                   {id, date}, &error),
                        table, error))
                    return false;
            }
        }
    }
    return check(transaction.commit(&error), QStringLiteral("commit"), error);
}

struct Figures
{
    double medianMs = 0;
    double bestMs = 0;
    int rows = 0;
};

Figures measure(AppState& state, int mode, const char* box, const QString& fragment)
{
    std::vector<double> times;
    Figures figures;
    for (int run = 0; run < Runs; ++run) {
        frmDBFind2 finder(state);
        finder.ModeSet(mode);
        finder.findChild<QLineEdit*>(box)->setText(fragment);
        QAbstractItemModel* model = finder.findChild<QTableView*>("DBG")->model();
        QElapsedTimer timer;
        timer.start();
        finder.findChild<QPushButton*>("cmdS1")->click();
        figures.rows = model->rowCount();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    figures.medianMs = times[times.size() / 2];
    figures.bestMs = times.front();
    return figures;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString source = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                    : QDir(QCoreApplication::applicationDirPath())
                                          .filePath(QStringLiteral("../bin/Orv21.db"));
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Orv21.db"));
    if (!QFile::copy(source, path)) {
        std::fprintf(stderr, "cannot copy the record file %s\n", qPrintable(source));
        return 1;
    }

    ScriptedMessageBox boxes;
    AppState state;
    state.msg = &boxes;
    QString error;
    state.Db = Database::open(path, &error);
    if (!check(bool(state.Db), path, error))
        return 1;
    QElapsedTimer timer;
    timer.start();
    if (!fill(*state.Db))
        return 1;
    std::printf("filled %d residents, %d records each in A to T: %.1f s\n", Residents, RecordsEach,
                timer.elapsed() / 1000.0);

    struct Search
    {
        const char* box;
        const char* fragment;
        const char* what;
    };
    const Search searches[] = {
        {"txtTaisyo", "山", "name 山 (broad)"},
        {"txtTaisyo", "田花子", "name 田花子 (narrow)"},
        {"txtYom", "こ", "reading こ (broad)"},
    };
    const char* const modes[] = {"face sheets", "assessments", "RAP summaries",
                                 "medication surveys"};
    std::printf("%-20s %-22s %8s %10s %10s\n", "mode", "search", "rows", "median ms", "best ms");
    for (int mode = 0; mode < 4; ++mode) {
        for (const Search& search : searches) {
            const Figures figures =
                measure(state, mode, search.box, QString::fromUtf8(search.fragment));
            std::printf("%-20s %-22s %8d %10.1f %10.1f\n", modes[mode], search.what, figures.rows,
                        figures.medianMs, figures.bestMs);
        }
    }
    if (boxes.count() > 0) {
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(boxes.last().text));
        return 1;
    }
    return 0;
}
