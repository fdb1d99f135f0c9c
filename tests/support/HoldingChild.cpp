#include "support/HoldingChild.h"

#include <QFile>

#include <sqlite3.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace orv::test {

HoldingChild::HoldingChild(const std::function<bool()>& take)
{
    int ready[2];
    if (::pipe(ready) != 0)
        return;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(ready[0]);
        const char held = take() ? '1' : '0';
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

HoldingChild::~HoldingChild()
{
    release();
}

void HoldingChild::release()
{
    if (m_child <= 0)
        return;
    ::kill(m_child, SIGKILL);
    ::waitpid(m_child, nullptr, 0);
    m_child = -1;
}

std::function<bool()> HoldingChild::recordFile(const QString& path, Hold hold)
{
    const QByteArray name = QFile::encodeName(path);
    return [name, hold] {
        const char* sql = "SELECT count(*) FROM sqlite_master";
        if (hold == Hold::Reading)
            sql = "BEGIN; SELECT count(*) FROM sqlite_master";
        else if (hold == Hold::Writing)
            sql = "BEGIN IMMEDIATE; CREATE TABLE held(x)";
        sqlite3* db = nullptr;
        return sqlite3_open(name.constData(), &db) == SQLITE_OK &&
               sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
    };
}

} // namespace orv::test
