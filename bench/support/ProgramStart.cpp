#include "ProgramStart.h"

#include "FloorComparison.h"
#include "RecordFile.h"
#include "shell/ScriptFileMessageBox.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QWebEngineView>

#include <sqlite3.h>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace orv::bench {

namespace {

const char* const FloorPageVariable = "ORV_BENCH_FLOOR_PAGE";
const char* const FloorMarkVariable = "ORV_BENCH_FLOOR_MARK";
const QString MenuPage = QStringLiteral("MainMenu/MainMenuFr.htm");

// Starts a process and waits for it to leave a non-empty file: milliseconds from the start.
double timeUntilFile(QProcess& process, const QString& mark)
{
    QFile::remove(mark);
    QElapsedTimer timer;
    timer.start();
    process.start();
    double elapsed = -1;
    while (elapsed < 0) {
        if (QFileInfo(mark).size() > 0)
            elapsed = timer.nsecsElapsed() / 1e6;
        else if (process.state() == QProcess::NotRunning)
            break;
        else
            process.waitForFinished(1);
    }
    process.waitForFinished(60000);
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0 ? elapsed : -1;
}

} // namespace

void ProgramStart::prepareEnvironment()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!qEnvironmentVariableIsSet("QTWEBENGINE_CHROMIUM_FLAGS")) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox --disable-gpu");
    }
}

bool ProgramStart::runAsFloorBrowser(int argc, char** argv, int* exitCode)
{
    const QString page = qEnvironmentVariable(FloorPageVariable);
    if (page.isEmpty())
        return false;
    QApplication app(argc, argv);
    QWebEngineView view;
    QObject::connect(&view, &QWebEngineView::loadFinished, &app, [](bool) {
        QFile mark(qEnvironmentVariable(FloorMarkVariable));
        if (mark.open(QIODevice::WriteOnly))
            mark.write("loaded\n");
        QCoreApplication::quit();
    });
    view.load(QUrl::fromLocalFile(page));
    *exitCode = app.exec();
    return true;
}

bool ProgramStart::copyProgramFolder(const QString& target)
{
    const QDir source(programFolder());
    QDirIterator it(source.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        const QString relative = source.relativeFilePath(from);
        if (relative == QLatin1String("Orv21.lock") || relative.startsWith(QLatin1String("_Orv21")))
            continue;
        const QString to = QDir(target).filePath(relative);
        QDir().mkpath(QFileInfo(to).absolutePath());
        QFile::remove(to);
        if (!QFile::copy(from, to))
            return false;
        QFile::setPermissions(to, QFileInfo(from).permissions() | QFileDevice::WriteOwner);
    }
    return QFileInfo::exists(QDir(target).filePath(MenuPage));
}

double ProgramStart::timeProgram(const QString& folder)
{
    const QString answers = QDir(folder).filePath(QStringLiteral("bench.answers"));
    QFile file(answers);
    if (!file.open(QIODevice::WriteOnly))
        return -1;
    file.write("6\n");
    file.close();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(ScriptFileMessageBox::EnvironmentVariable), answers);
    // Runs once start-up is done: the quit question it raises marks the moment.
    env.insert(QStringLiteral("ORV_TEST_PAGE_SCRIPT"), QStringLiteral("window.status='?QUIT'"));
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProgram(QDir(folder).filePath(QStringLiteral("Orv21")));
    return timeUntilFile(process, answers + QStringLiteral(".log"));
}

double ProgramStart::timeFloorBrowser(const QString& folder)
{
    const QString mark = QDir(folder).filePath(QStringLiteral("bench.floor"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(FloorPageVariable), QDir(folder).filePath(MenuPage));
    env.insert(QString::fromLatin1(FloorMarkVariable), mark);
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProgram(QCoreApplication::applicationFilePath());
    return timeUntilFile(process, mark);
}

double ProgramStart::timeFloorCompaction(const QString& databasePath)
{
    const QString target = databasePath + QStringLiteral(".floor");
    QFile::remove(target);
    QElapsedTimer timer;
    timer.start();
    sqlite3* db = nullptr;
    bool ok = sqlite3_open_v2(QFile::encodeName(databasePath).constData(), &db,
                              SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK;
    const QByteArray sql = "VACUUM INTO '" + QFile::encodeName(target) + "'";
    ok = ok && sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    const int fd = ::open(QFile::encodeName(target).constData(), O_RDONLY);
    ok = ok && fd >= 0 && ::fsync(fd) == 0;
    if (fd >= 0)
        ::close(fd);
    const double elapsed = timer.nsecsElapsed() / 1e6;
    QFile::remove(target);
    return ok ? elapsed : -1;
}

int ProgramStart::compare(const QString& what, int assessments)
{
    QTemporaryDir folder;
    const QString database = QDir(folder.path()).filePath(QStringLiteral("Orv21.db"));
    QString error;
    bool ok = copyProgramFolder(folder.path());
    if (ok && assessments > 0) {
        QFile::remove(database);
        ok = buildRecordFile(database, assessments, Records::Assessments, &error);
    }
    if (!ok) {
        std::fprintf(stderr, "cannot set up the program folder: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("record file: %.1f MB\n", QFileInfo(database).size() / 1048576.0);
    FloorComparison start(what);
    if (!start.measure([&] { return timeProgram(folder.path()); },
                       [&] {
                           const double browser = timeFloorBrowser(folder.path());
                           const double compaction = timeFloorCompaction(database);
                           return browser < 0 || compaction < 0 ? -1 : browser + compaction;
                       },
                       {30, 120}))
        return 1;
    start.print();
    start.printHeadline();
    return 0;
}

} // namespace orv::bench
