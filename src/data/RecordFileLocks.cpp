#include "data/RecordFileLocks.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>

namespace orv {

namespace {

// Where SQLite's unix layer locks: the pending, reserved and shared bytes of the record file,
// and the eight locks and the "still in use" byte of the shared-memory file.
struct LockRange
{
    const char* suffix;
    off_t start;
    off_t length;
};

constexpr LockRange Ranges[] = {
    {"", 0x40000000, 512},
    {"-shm", 120, 9},
};

qint64 holderOfRange(const QString& path, const LockRange& range)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return 0;
    struct flock probe = {};
    probe.l_type = F_WRLCK;
    probe.l_whence = SEEK_SET;
    probe.l_start = range.start;
    probe.l_len = range.length;
    // A write lock conflicts with every lock of another process; this process's own never show.
    const bool held = ::fcntl(fd, F_GETLK, &probe) == 0 && probe.l_type != F_UNLCK;
    ::close(fd);
    return held ? (probe.l_pid > 0 ? probe.l_pid : -1) : 0;
}

} // namespace

qint64 RecordFileLocks::holderOf(const QString& databasePath)
{
    for (const LockRange& range : Ranges) {
        if (const qint64 holder = holderOfRange(databasePath + QLatin1String(range.suffix), range))
            return holder;
    }
    return 0;
}

} // namespace orv
