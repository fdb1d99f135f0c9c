#include "support/FileHolder.h"

#include <QFile>

#include <sqlite3.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace orv::test {

namespace {

bool holdIn(sqlite3* db, FileHolder::Hold hold)
{
    const char* sql = "SELECT count(*) FROM sqlite_master";
    if (hold == FileHolder::Hold::Reading)
        sql = "BEGIN; SELECT count(*) FROM sqlite_master";
    else if (hold == FileHolder::Hold::Writing)
        sql = "BEGIN IMMEDIATE; CREATE TABLE held(x)";
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

} // namespace

FileHolder::FileHolder(const QString& path, Hold hold)
{
    const QByteArray name = QFile::encodeName(path);
    int ready[2];
    if (::pipe(ready) != 0)
        return;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(ready[0]);
        sqlite3* db = nullptr;
        const char held =
            sqlite3_open(name.constData(), &db) == SQLITE_OK && holdIn(db, hold) ? '1' : '0';
        (void)!::write(ready[1], &held, 1);
        for (;;)
            ::pause();
    }
    ::close(ready[1]);
    char held = '0';
    const bool told = child > 0 && ::read(ready[0], &held, 1) == 1;
    ::close(ready[0]);
    m_child = child;
    if (!told || held != '1')
        release();
}

FileHolder::~FileHolder()
{
    release();
}

void FileHolder::release()
{
    if (m_child <= 0)
        return;
    ::kill(m_child, SIGKILL);
    ::waitpid(m_child, nullptr, 0);
    m_child = -1;
}

} // namespace orv::test
