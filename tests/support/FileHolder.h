#pragma once

#include <QString>

#include <sys/types.h>

namespace orv::test {

// Another process that has a record file open through SQLite, as another program would, until
// this object goes.
class FileHolder
{
public:
    enum class Hold
    {
        Idle,    // opened and read once, then nothing
        Reading, // inside a read transaction
        Writing  // inside a write transaction, uncommitted
    };

    FileHolder(const QString& path, Hold hold);
    ~FileHolder();
    FileHolder(const FileHolder&) = delete;
    FileHolder& operator=(const FileHolder&) = delete;

    // True once the child holds the file as asked.
    bool holds() const { return m_child > 0; }
    pid_t pid() const { return m_child; }

private:
    void release();

    pid_t m_child = -1;
};

} // namespace orv::test
