// Time from process start to the main-menu page complete, on an empty record file and on one
// with 10,000 residents (face sheet and a full assessment each), compaction included.
#include "data/Database.h"
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

#include <sqlite3.h>

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

bool exec(sqlite3* db, const QString& sql)
{
    char* message = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        std::fprintf(stderr, "%s\n", message ? message : "sqlite error");
        sqlite3_free(message);
        return false;
    }
    return true;
}

// Every record table keyed by ID and 基準日 gets one row per resident; a file without the
// tables gets face-sheet and section tables of its own first.
bool fillResidents(const QString& path, int residents)
{
    if (!QFile::exists(path))
        orv::Database::create(path);
    sqlite3* db = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK)
        return false;
    QStringList tables;
    sqlite3_stmt* list = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT m.name FROM sqlite_master m WHERE m.type='table' AND EXISTS "
                       "(SELECT 1 FROM pragma_table_info(m.name) WHERE name='基準日')",
                       -1, &list, nullptr);
    while (sqlite3_step(list) == SQLITE_ROW)
        tables << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(list, 0)));
    sqlite3_finalize(list);
    if (tables.isEmpty()) {
        for (const QString& name : QStringLiteral("KIHON1 A B C D E F G H I J K L M N O P Q R S T")
                                       .split(QLatin1Char(' '))) {
            QString columns = QStringLiteral("[ID] TEXT(10), [基準日] DATETIME");
            for (int i = 1; i <= 40; ++i)
                columns += QStringLiteral(", [%1%2] TEXT(50)").arg(name).arg(i);
            if (!exec(db, QStringLiteral("CREATE TABLE [%1] (%2)").arg(name, columns)) ||
                !exec(db,
                      QStringLiteral("CREATE INDEX [%1_key] ON [%1] ([ID], [基準日])").arg(name)))
                return false;
            tables << name;
        }
    }
    exec(db, QStringLiteral("BEGIN"));
    for (const QString& table : tables) {
        // Text columns get a short value, the rest stay Null.
        QStringList names{QStringLiteral("[ID]"), QStringLiteral("[基準日]")};
        QStringList values{QStringLiteral("?1"), QStringLiteral("'2024-04-01'")};
        sqlite3_stmt* info = nullptr;
        sqlite3_prepare_v2(db,
                           QStringLiteral("SELECT name, type FROM pragma_table_info('%1')")
                               .arg(table)
                               .toUtf8()
                               .constData(),
                           -1, &info, nullptr);
        while (sqlite3_step(info) == SQLITE_ROW) {
            const QString name =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(info, 0)));
            const QString type =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(info, 1)));
            if (name == QLatin1String("ID") || name == QLatin1String("基準日"))
                continue;
            if (type.startsWith(QLatin1String("TEXT")) || type == QLatin1String("MEMO")) {
                names << QStringLiteral("[%1]").arg(name);
                values << QStringLiteral("'1'");
            }
        }
        sqlite3_finalize(info);
        sqlite3_stmt* insert = nullptr;
        const QString sql =
            QStringLiteral("INSERT INTO [%1] (%2) VALUES (%3)")
                .arg(table, names.join(QLatin1Char(',')), values.join(QLatin1Char(',')));
        if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &insert, nullptr) != SQLITE_OK)
            return false;
        for (int i = 1; i <= residents; ++i) {
            const QByteArray id = QByteArray::number(i).rightJustified(6, '0');
            sqlite3_bind_text(insert, 1, id.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_step(insert);
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);
    }
    exec(db, QStringLiteral("COMMIT"));
    sqlite3_close(db);
    return true;
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
    if (residents > 0 && !fillResidents(db, residents)) {
        std::printf("%s: could not build the record file\n", label);
        return;
    }
    if (!QFile::exists(db))
        orv::Database::create(db);
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
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    bench("empty record file", 0);
    bench("10,000 residents", 10000);
    return 0;
}
