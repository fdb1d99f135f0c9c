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

    // False only while another running process holds the lock. A folder where no lock can be
    // taken (a full disk, a read-only folder) is no second instance: the database steps report
    // what is wrong with it.
    bool acquire();

private:
    QString m_lockPath;
    int m_fd = -1;
};

} // namespace orv
