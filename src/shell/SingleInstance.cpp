#include "shell/SingleInstance.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orv {

namespace {

bool sameFile(int fd, const QByteArray& path)
{
    struct stat held = {};
    struct stat named = {};
    return ::fstat(fd, &held) == 0 && ::stat(path.constData(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

} // namespace

SingleInstance::SingleInstance(const QString& lockPath) : m_lockPath(lockPath) {}

SingleInstance::~SingleInstance()
{
    if (m_fd < 0)
        return;
    // Removed while still locked: a start that opened the file before this finds, once it holds
    // the lock, that the name has gone, and tries again on the new file.
    ::unlink(QFile::encodeName(m_lockPath).constData());
    ::close(m_fd);
}

SingleInstance::Outcome SingleInstance::acquire()
{
    const QByteArray path = QFile::encodeName(m_lockPath);
    // A flock, not a POSIX record lock: closing some other descriptor of the file in this
    // process does not drop it, and nothing is written, so a full disk does not matter.
    for (int attempt = 0; attempt < 3; ++attempt) {
        int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0)
            fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            const int error = errno;
            if (::access(path.constData(), F_OK) != 0)
                return Outcome::Alone;
            m_failure = qt_error_string(error);
            return Outcome::CannotTell;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            return error == EWOULDBLOCK ? Outcome::AnotherRunning : Outcome::Alone;
        }
        if (sameFile(fd, path)) {
            m_fd = fd;
            return Outcome::Alone;
        }
        ::close(fd); // the holder removed the file as it quit
    }
    return Outcome::Alone;
}

} // namespace orv
