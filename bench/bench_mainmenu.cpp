// Time from process start to the main-menu page complete, on an empty record file and on one
// with 10,000 residents (face sheet and a full assessment each), compaction included.
#include "BenchRecordFile.h"
#include "data/Database.h"
#include "data/SchemaBuilder.h"
#include "shell/ScriptFileMessageBox.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>

namespace {

const char* const OwnMenuPage =
    "<!DOCTYPE html><html><head><meta charset=\"utf-8\"></head><body>menu</body></html>";

QString programDir()
{
    return QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral("../bin"));
}

void copyProgramFolder(const QString& target)
{
    const QDir source(programDir());
    QDirIterator it(source.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        const QString relative = source.relativeFilePath(from);
        if (relative == QLatin1String("Orv21.lock") || relative.startsWith(QLatin1String("_Orv21")))
            continue;
        const QString to = QDir(target).filePath(relative);
        QDir().mkpath(QFileInfo(to).absolutePath());
        QFile::copy(from, to);
        QFile::setPermissions(to, QFileInfo(from).permissions() | QFileDevice::WriteOwner);
    }
    const QString menu = QDir(target).filePath(QStringLiteral("MainMenu/MainMenuFr.htm"));
    if (!QFile::exists(menu)) {
        QDir().mkpath(QFileInfo(menu).absolutePath());
        QFile file(menu);
        if (file.open(QIODevice::WriteOnly))
            file.write(OwnMenuPage);
    }
}

// One start: milliseconds from the process start to the page complete, -1 on failure.
qint64 timeOneStart(const QString& folder)
{
    const QString answers = QDir(folder).filePath(QStringLiteral("bench.answers"));
    QFile::remove(answers + QStringLiteral(".log"));
    QFile file(answers);
    if (file.open(QIODevice::WriteOnly))
        file.write("6\n");
    file.close();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(orv::ScriptFileMessageBox::EnvironmentVariable), answers);
    // Runs once the page is complete: the quit question it raises marks the moment.
    env.insert(QStringLiteral("ORV_TEST_PAGE_SCRIPT"), QStringLiteral("window.status='?QUIT'"));
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProgram(QDir(folder).filePath(QStringLiteral("Orv21")));
    QElapsedTimer timer;
    timer.start();
    process.start();
    qint64 elapsed = -1;
    while (process.state() != QProcess::NotRunning || elapsed < 0) {
        QFile log(answers + QStringLiteral(".log"));
        if (elapsed < 0 && log.exists() && log.size() > 0)
            elapsed = timer.elapsed();
        if (process.state() == QProcess::NotRunning)
            break;
        process.waitForFinished(2);
    }
    return process.exitCode() == 0 ? elapsed : -1;
}

void bench(const char* label, int residents)
{
    QTemporaryDir dir;
    copyProgramFolder(dir.path());
    const QString db = QDir(dir.path()).filePath(QStringLiteral("Orv21.db"));
    QFile::remove(db);
    const bool built = residents > 0 ? orv::bench::buildRecordFile(db, residents, 1)
                                     : orv::SchemaBuilder().createFile(db, nullptr);
    if (!built) {
        std::printf("%s: could not build the record file\n", label);
        return;
    }
    const double megabytes = QFileInfo(db).size() / 1048576.0;
    QList<qint64> times;
    for (int run = 0; run < 5; ++run)
        times << timeOneStart(dir.path());
    std::sort(times.begin(), times.end());
    std::printf(
        "%-28s file %7.1f MB  start to menu page: median %5lld ms, best %5lld ms, worst %5lld ms\n",
        label, megabytes, times.at(2), times.first(), times.last());
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // Headless, and as the tests run the browser.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!qEnvironmentVariableIsSet("QTWEBENGINE_CHROMIUM_FLAGS")) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox --disable-gpu");
    }
    bench("empty record file", 0);
    bench("10,000 residents", 10000);
    return 0;
}
