#include "data/DatabaseStartup.h"

#include "data/Connection.h"
#include "data/Database.h"
#include "data/FailureMessage.h"
#include "data/RecordFileLocks.h"
#include "data/StartupPreflight.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace orv {

namespace {

using Kind = FailureMessage::Kind;
constexpr int BusyTimeoutMs = 10000;
constexpr auto AtStart = FailureMessage::Retry::Start;

bool fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

bool fail(QString* error, Kind kind, const QString& path, const QString& technical = QString())
{
    return fail(error, FailureMessage::text(kind, path, technical, AtStart));
}

// The last failure of a connection, told about path.
bool failOf(QString* error, sqlite3* handle, const QString& path)
{
    return fail(error, FailureMessage::kindOf(handle), path, FailureMessage::technicalOf(handle));
}

bool failInUse(QString* error, const QString& path, qint64 holder)
{
    return fail(error, Kind::InUse, path,
                holder > 0
                    ? QStringLiteral("プロセス %1 がこのファイルを開いています。").arg(holder)
                    : QString());
}

// Flushes a file or a folder to the disk, so a rename never overtakes the data it names.
void syncToDisk(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// The failure of the last system call on a file.
bool failOfSystem(QString* error, const QString& path)
{
    const int code = errno;
    return fail(error, FailureMessage::ofErrno(code), path, qt_error_string(code));
}

bool renameFile(const QString& from, const QString& to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

sqlite3* openFile(const QString& path, int flags = SQLITE_OPEN_READWRITE)
{
    sqlite3* handle = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &handle, flags | SQLITE_OPEN_NOMUTEX,
                    nullptr);
    if (handle) {
        sqlite3_extended_result_codes(handle, 1);
        // The copy's connection and the check's start together: the first to read sets up the
        // journal's index while the other waits for it.
        sqlite3_busy_timeout(handle, BusyTimeoutMs);
    }
    return handle;
}

// The first finding of an integrity check; empty when the file is sound, the connection's
// failure when the check could not run.
QString firstDamage(sqlite3* handle, const char* check)
{
    sqlite3_stmt* statement = nullptr;
    QString damage;
    if (sqlite3_prepare_v2(handle, check, -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        if (qstrcmp(text, "ok") != 0)
            damage = QString::fromUtf8(text);
    } else {
        damage = FailureMessage::technicalOf(handle);
    }
    sqlite3_finalize(statement);
    return damage;
}

// The first index whose entries are not as many as its table's rows (an entry whose row is
// gone, or a row the index lacks); empty when every index agrees with its table. Counting walks
// each tree once, a small part of what a full integrity check costs.
QString indexDamage(sqlite3* handle)
{
    sqlite3_stmt* indexes = nullptr;
    QStringList counts;
    QStringList names;
    if (sqlite3_prepare_v2(handle,
                           "SELECT m.name, l.name, i.name FROM sqlite_schema m,"
                           " pragma_index_list(m.name) l, pragma_index_info(l.name) i"
                           " WHERE m.type='table' AND l.partial=0 AND i.seqno=0",
                           -1, &indexes, nullptr) != SQLITE_OK)
        return FailureMessage::technicalOf(handle);
    while (sqlite3_step(indexes) == SQLITE_ROW) {
        const auto column = [&](int i) {
            return QString::fromUtf8(
                reinterpret_cast<const char*>(sqlite3_column_text(indexes, i)));
        };
        // count() of an expression of the index's first column is read from the index alone
        counts << QStringLiteral("(SELECT count(*) FROM %1 NOT INDEXED) - "
                                 "(SELECT count(%3 IS NULL) FROM %1 INDEXED BY %2)")
                      .arg(Connection::quoted(column(0)), Connection::quoted(column(1)),
                           Connection::quoted(column(2)));
        names << column(1);
    }
    sqlite3_finalize(indexes);
    for (qsizetype i = 0; i < counts.size(); ++i) {
        sqlite3_stmt* count = nullptr;
        const QByteArray sql = QByteArrayLiteral("SELECT ") + counts.at(i).toUtf8();
        const bool agrees =
            sqlite3_prepare_v2(handle, sql.constData(), -1, &count, nullptr) == SQLITE_OK &&
            sqlite3_step(count) == SQLITE_ROW && sqlite3_column_int64(count, 0) == 0;
        sqlite3_finalize(count);
        if (!agrees)
            return QStringLiteral("wrong # of entries in index %1").arg(names.at(i));
    }
    return QString();
}

// A name for a database in memory that no other start-up in this process uses.
QByteArray memoryName()
{
    static std::atomic<int> made{0};
    return QByteArrayLiteral("file:/orv21-compact-") +
           QByteArray::number(qint64(QCoreApplication::applicationPid())) + '-' +
           QByteArray::number(++made) + QByteArrayLiteral("?vfs=memdb");
}

} // namespace

const QString DatabaseStartup::DatabaseName = QStringLiteral("Orv21.db");
const QString DatabaseStartup::BackupName = QStringLiteral("_Orv21.db");
const QString DatabaseStartup::CompactName = QStringLiteral("Orv21.db.compact");
const char* const DatabaseStartup::SideSuffixes[3] = {"-wal", "-shm", "-journal"};

DatabaseStartup::DatabaseStartup(const QString& folder) : m_folder(folder) {}

DatabaseStartup::~DatabaseStartup()
{
    if (m_releasing.joinable())
        m_releasing.join();
}

QString DatabaseStartup::file(const QString& name) const
{
    return QDir(m_folder).filePath(name);
}

void DatabaseStartup::reached(Step step) const
{
    if (m_observer)
        m_observer(step);
}

void DatabaseStartup::removeWithSideFiles(const QString& path) const
{
    QFile::remove(path);
    removeSideFiles(path);
}

void DatabaseStartup::removeSideFiles(const QString& path) const
{
    for (const char* suffix : SideSuffixes)
        QFile::remove(path + QLatin1String(suffix));
}

QStringList DatabaseStartup::sideFilesPresent() const
{
    QStringList present;
    for (const QString& base : {DatabaseName, BackupName, CompactName}) {
        for (const char* suffix : SideSuffixes) {
            const QString path = file(base) + QLatin1String(suffix);
            if (QFileInfo::exists(path))
                present << path;
        }
    }
    return present;
}

void DatabaseStartup::removeSideFilesMadeSince(const QStringList& before) const
{
    for (const QString& path : sideFilesPresent()) {
        const QString base = path.left(path.lastIndexOf(QLatin1Char('-')));
        if (!before.contains(path) && !RecordFileLocks::heldElsewhere(base))
            QFile::remove(path);
    }
}

bool DatabaseStartup::clearUnwritableSideFiles(const QString& path, QString* error) const
{
    const QString shm = path + QLatin1String("-shm");
    const QString wal = path + QLatin1String("-wal");
    const bool shmStuck = QFileInfo::exists(shm) && !StartupPreflight::isWritable(shm);
    const bool walStuck = QFileInfo::exists(wal) && !StartupPreflight::isWritable(wal);
    if (!shmStuck && !walStuck)
        return true;
    if (const qint64 holder = RecordFileLocks::holderOf(path))
        return failInUse(error, path, holder);
    // The shared memory is made anew from the journal; an empty journal holds nothing.
    if (shmStuck)
        QFile::remove(shm);
    if (walStuck && QFileInfo(wal).size() == 0)
        QFile::remove(wal);
    if (QFileInfo::exists(wal) && !StartupPreflight::isWritable(wal))
        return fail(error, Kind::ReadOnlyFile, wal);
    return true;
}

DatabaseStartup::Handle DatabaseStartup::checkedCopy(const QString& source, QString* error) const
{
    // SQLite would take an empty file for an empty database.
    if (QFileInfo(source).size() == 0) {
        fail(error, Kind::Damaged, source, QStringLiteral("ファイルの大きさが 0 バイトです。"));
        return Handle(nullptr, &sqlite3_close);
    }
    // The copy is made on a connection of its own while this one checks the file.
    Handle copy(nullptr, &sqlite3_close);
    Handle reader(nullptr, &sqlite3_close);
    QString copyFailure;
    std::thread copying([&] {
        const QByteArray memory = memoryName();
        copy.reset(openFile(QString::fromLatin1(memory),
                            SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI));
        reader.reset(openFile(source, SQLITE_OPEN_READWRITE | SQLITE_OPEN_URI));
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(reader.get(), "VACUUM INTO ?", -1, &statement, nullptr) ==
            SQLITE_OK) {
            sqlite3_bind_text(statement, 1, memory.constData(), int(memory.size()), SQLITE_STATIC);
            sqlite3_step(statement);
        }
        if (sqlite3_finalize(statement) != SQLITE_OK) {
            failOf(&copyFailure, reader.get(), source);
            return;
        }
        // A damaged index is copied as it is, and the quick check does not compare indexes with
        // their tables.
        const QString damage = indexDamage(copy.get());
        if (!damage.isEmpty())
            fail(&copyFailure, Kind::Damaged, source, damage);
    });
    Handle checker(openFile(source), &sqlite3_close);
    const QString damage = firstDamage(checker.get(), "PRAGMA quick_check(1)");
    const Kind kind = damage.isEmpty() ? Kind::Other : FailureMessage::kindOf(checker.get());
    copying.join();
    // One after the other: the last connection to close ends the write-ahead journal, and two
    // closing at the same moment each still see the other.
    checker.reset();
    reader.reset();
    if (!damage.isEmpty()) {
        fail(error, kind == Kind::Other ? Kind::Damaged : kind, source, damage);
        copy.reset();
    } else if (!copyFailure.isEmpty()) {
        fail(error, copyFailure);
        copy.reset();
    }
    return copy;
}

bool DatabaseStartup::checkSettled(const QString& path, QString* error) const
{
    if (const qint64 holder = RecordFileLocks::holderOf(path))
        return failInUse(error, path, holder);
    const QString journal = path + QLatin1String("-wal");
    if (!QFileInfo::exists(journal))
        return true;
    // Someone who had the file open while ours closed has gone since: alone now, one more
    // connection is the last to close and ends the journal.
    {
        const Handle alone(openFile(path), &sqlite3_close);
        sqlite3_exec(alone.get(), "SELECT count(*) FROM sqlite_schema", nullptr, nullptr, nullptr);
    }
    if (QFileInfo::exists(journal))
        return fail(error, Kind::Unreadable, journal);
    return true;
}

bool DatabaseStartup::writeCopy(sqlite3* copy, const QString& target, QString* error) const
{
    // The copy's bytes are read straight from the file in memory, a piece at a time.
    sqlite3_file* image = nullptr;
    sqlite3_int64 size = 0;
    if (sqlite3_file_control(copy, "main", SQLITE_FCNTL_FILE_POINTER, &image) != SQLITE_OK ||
        !image || !image->pMethods || image->pMethods->xFileSize(image, &size) != SQLITE_OK)
        return fail(error, Kind::Other, target);
    removeWithSideFiles(target);
    const int fd =
        ::open(QFile::encodeName(target).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    bool ok = fd >= 0;
    QByteArray piece(1 << 20, Qt::Uninitialized);
    for (sqlite3_int64 offset = 0; ok && offset < size;) {
        const int length = int(std::min<sqlite3_int64>(piece.size(), size - offset));
        ok = image->pMethods->xRead(image, piece.data(), length, offset) == SQLITE_OK;
        for (int written = 0; ok && written < length;) {
            const ssize_t n = ::write(fd, piece.constData() + written, size_t(length - written));
            ok = n > 0;
            written += ok ? int(n) : 0;
        }
        offset += length;
    }
    ok = ok && ::fsync(fd) == 0;
    if (!ok)
        failOfSystem(error, target);
    if (fd >= 0)
        ::close(fd);
    if (!ok)
        removeWithSideFiles(target);
    return ok;
}

bool DatabaseStartup::replaceWithCompactedCopy(QString* error)
{
    const QString database = file(DatabaseName);
    const QString backup = file(BackupName);
    const QString compacted = file(CompactName);
    const bool normalStart = QFileInfo::exists(database);
    if (!normalStart && !QFileInfo::exists(backup))
        return fail(error, Kind::Missing, database);
    // Normally the record file is compacted; when an earlier start died after the rename, the
    // backup is the only copy: it is compacted and kept.
    const QString source = normalStart ? database : backup;
    QStringList names{DatabaseName, BackupName, CompactName};
    for (const QString& base : {DatabaseName, BackupName}) {
        for (const char* suffix : SideSuffixes)
            names << base + QLatin1String(suffix);
    }
    if (!StartupPreflight::check(m_folder, names, source, error))
        return false;
    if (const qint64 holder = RecordFileLocks::holderOf(source))
        return failInUse(error, source, holder);
    if (!clearUnwritableSideFiles(source, error))
        return false;

    Handle image = checkedCopy(source, error);
    if (!image || !checkSettled(source, error) || !writeCopy(image.get(), compacted, error))
        return false;
    image.reset();
    reached(Step::Compacted);

    if (normalStart) {
        // The rename replaces the previous backup. Held open until then, that file gives its
        // room back when let go, which happens beside the rest of the start rather than in it.
        // (Opened without waiting, whatever lies under the name.)
        removeSideFiles(backup);
        const int previous =
            ::open(QFile::encodeName(backup).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        const bool renamed = renameFile(database, backup);
        if (!renamed)
            failOfSystem(error, backup);
        if (previous >= 0)
            m_releasing = std::thread([previous] { ::close(previous); });
        if (!renamed) {
            QFile::remove(compacted);
            return false;
        }
        syncToDisk(m_folder);
        reached(Step::Renamed);
    }
    // A journal by the new file's name belongs to no file of ours and would be replayed into it.
    removeSideFiles(database);
    if (!renameFile(compacted, database)) {
        failOfSystem(error, database);
        QFile::remove(compacted);
        return false;
    }
    syncToDisk(m_folder);
    reached(Step::Replaced);
    return true;
}

std::unique_ptr<Database> DatabaseStartup::run(QString* error)
{
    const QStringList sideFilesBefore = sideFilesPresent();
    if (!replaceWithCompactedCopy(error)) {
        removeSideFilesMadeSince(sideFilesBefore);
        return nullptr;
    }
    return Database::open(file(DatabaseName), error);
}

} // namespace orv
