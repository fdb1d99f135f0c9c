#pragma once

#include <QString>

#include <memory>

class QLockFile;

namespace orv {

// Holds a lock file in the program folder for the life of the process, so that a second
// start on the same folder can tell.
class SingleInstance
{
public:
    explicit SingleInstance(const QString& lockPath);
    ~SingleInstance();

    // False when another running process holds the lock.
    bool acquire();

private:
    QString m_lockPath;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace orv
