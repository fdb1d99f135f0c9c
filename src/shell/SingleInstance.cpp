#include "shell/SingleInstance.h"

#include <QLockFile>

namespace orv {

SingleInstance::SingleInstance(const QString& lockPath) : m_lockPath(lockPath) {}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::acquire()
{
    m_lock = std::make_unique<QLockFile>(m_lockPath);
    // A lock left by a process that died is taken over; only a living holder counts.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0))
        return true;
    // A folder where no lock can be written is not a second instance; the database steps
    // report what is wrong with it.
    return m_lock->error() != QLockFile::LockFailedError;
}

} // namespace orv
