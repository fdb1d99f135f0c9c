#pragma once

#include <QString>

namespace orv {

// Holds a kernel lock on a file in the program folder for the life of the process, so that a
// second start on the same folder can tell. The kernel drops the lock when the process ends,
// however it ends, so what the file holds, or that it is left behind, means nothing.
class SingleInstance
{
public:
    explicit SingleInstance(const QString& lockPath);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    enum class Outcome
    {
        Alone,
        AnotherRunning,
        // The lock file is there but cannot be opened (another user's): whether someone runs
        // the program cannot be told.
        CannotTell
    };

    // AnotherRunning only while another running process holds the lock. A folder where no lock
    // file can be made (a full disk, a read-only folder) is no second instance: the database
    // steps report what is wrong with it.
    Outcome acquire();
    // Why the lock file could not be opened, after CannotTell.
    QString failure() const { return m_failure; }

private:
    QString m_lockPath;
    int m_fd = -1;
    QString m_failure;
};

} // namespace orv
