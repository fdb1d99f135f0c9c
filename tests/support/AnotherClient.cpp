#include "support/AnotherClient.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>

#include <cstdio>

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

namespace orv::test {

namespace {

// The environment of the second client: the record file and the table to count.
const char* const FileVariable = "ORV_SECOND_CLIENT_FILE";
const char* const TableVariable = "ORV_SECOND_CLIENT_TABLE";

int countRows(const QByteArray& path, const QByteArray& table)
{
    sqlite3* handle = nullptr;
    int rows = -1;
    if (sqlite3_open_v2(path.constData(), &handle, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
        const QByteArray sql = "SELECT count(*) FROM [" + table + "]";
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(handle, sql.constData(), -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW)
            rows = sqlite3_column_int(statement, 0);
        sqlite3_finalize(statement);
    }
    sqlite3_close_v2(handle);
    std::printf("%d\n", rows);
    return rows < 0 ? 1 : 0;
}

} // namespace

bool lockedByThisProcess(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    const pid_t self = ::getpid();
    const pid_t child = ::fork();
    if (child == 0) {
        const int fd = ::open(name.constData(), O_RDWR);
        struct flock probe = {};
        probe.l_type = F_WRLCK;
        probe.l_whence = SEEK_SET;
        const bool held = fd >= 0 && ::fcntl(fd, F_GETLK, &probe) == 0 && probe.l_type != F_UNLCK &&
                          probe.l_pid == self;
        ::_exit(held ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

int rowsSeenByAnotherClient(const QString& path, const QString& table)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QLatin1String(FileVariable), path);
    environment.insert(QLatin1String(TableVariable), table);
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {});
    if (!child.waitForFinished(30000) || child.exitCode() != 0)
        return -1;
    return child.readAllStandardOutput().trimmed().toInt();
}

bool runAsAnotherClient(int* exitCode)
{
    const QByteArray file = qgetenv(FileVariable);
    if (file.isEmpty())
        return false;
    *exitCode = countRows(file, qgetenv(TableVariable));
    return true;
}

} // namespace orv::test
