#include "data/DatabaseStartup.h"

#include "data/Database.h"
#include "data/FailureMessage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

namespace orv {

namespace {

bool fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
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

// What "PRAGMA quick_check" finds first; empty when the file is sound.
QString firstDamage(Database& db)
{
    sqlite3_stmt* statement = nullptr;
    QString damage;
    if (sqlite3_prepare_v2(db.handle(), "PRAGMA quick_check(1)", -1, &statement, nullptr) !=
        SQLITE_OK) {
        damage = FailureMessage::technicalOf(db.handle());
    } else if (sqlite3_step(statement) == SQLITE_ROW) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        if (qstrcmp(text, "ok") != 0)
            damage = QString::fromUtf8(text);
    } else {
        damage = FailureMessage::technicalOf(db.handle());
    }
    sqlite3_finalize(statement);
    return damage;
}

// The failure of the last system call on a file.
QString systemFailure(const QString& path)
{
    const int error = errno;
    return FailureMessage::text(FailureMessage::ofErrno(error), path, qt_error_string(error));
}

bool renameFile(const QString& from, const QString& to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

} // namespace

const QString DatabaseStartup::DatabaseName = QStringLiteral("Orv21.db");
const QString DatabaseStartup::BackupName = QStringLiteral("_Orv21.db");
const QString DatabaseStartup::CompactName = QStringLiteral("Orv21.db.compact");
const char* const DatabaseStartup::SideSuffixes[3] = {"-wal", "-shm", "-journal"};

DatabaseStartup::DatabaseStartup(const QString& folder) : m_folder(folder) {}

QString DatabaseStartup::file(const QString& name) const
{
    return QDir(m_folder).filePath(name);
}

void DatabaseStartup::reached(Step step) const
{
    if (m_observer)
        m_observer(step);
}

DatabaseStartup::~DatabaseStartup()
{
    if (m_releasing.joinable())
        m_releasing.join();
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

// Opening proves the file is a database and finishes what a crash left in its journal; the
// quick check finds damaged pages before the backup is given up for this file. After the close
// no journal may remain, or the file is still in use elsewhere.
bool DatabaseStartup::checkReadable(const QString& path, QString* error) const
{
    return checkContent(path, error) && checkClosed(path, error);
}

bool DatabaseStartup::checkContent(const QString& path, QString* error) const
{
    // SQLite would take an empty file for an empty database.
    if (QFileInfo(path).isFile() && QFileInfo(path).size() == 0)
        return fail(error,
                    FailureMessage::text(FailureMessage::Kind::Damaged, path,
                                         QStringLiteral("ファイルの大きさが 0 バイトです。")));
    const std::unique_ptr<Database> db = Database::open(path, error);
    if (!db)
        return false;
    const QString damage = firstDamage(*db);
    if (!damage.isEmpty())
        return fail(error, FailureMessage::text(FailureMessage::Kind::Damaged, path, damage));
    return true;
}

bool DatabaseStartup::checkClosed(const QString& path, QString* error) const
{
    for (const char* suffix : SideSuffixes) {
        const QString sideFile = path + QLatin1String(suffix);
        if (QFile::exists(sideFile))
            return fail(
                error, FailureMessage::text(FailureMessage::Kind::InUse, path,
                                            QStringLiteral("'%1' が残っています。").arg(sideFile)));
    }
    return true;
}

DatabaseStartup::MemoryDatabase DatabaseStartup::compactInMemory(const QString& source)
{
    // A database in memory that lives while a connection holds it: VACUUM INTO fills it.
    const QByteArray memory = QByteArrayLiteral("file:/orv21-compact-") +
                              QByteArray::number(qint64(QCoreApplication::applicationPid())) +
                              QByteArrayLiteral("?vfs=memdb");
    sqlite3* copy = nullptr;
    sqlite3* db = nullptr;
    bool made = false;
    const int uri = SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(memory.constData(), &copy, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | uri,
                        nullptr) == SQLITE_OK &&
        sqlite3_open_v2(QFile::encodeName(source).constData(), &db, SQLITE_OPEN_READWRITE | uri,
                        nullptr) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, "VACUUM INTO ?", -1, &statement, nullptr) == SQLITE_OK) {
            sqlite3_bind_text(statement, 1, memory.constData(), int(memory.size()), SQLITE_STATIC);
            made = sqlite3_step(statement) == SQLITE_DONE;
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    if (!made) {
        sqlite3_close(copy);
        copy = nullptr;
    }
    return MemoryDatabase(copy, &sqlite3_close);
}

bool DatabaseStartup::writeCopy(sqlite3* copy, const QString& target, QString* error) const
{
    // The copy's bytes are read straight from the file in memory, a piece at a time.
    sqlite3_file* image = nullptr;
    sqlite3_int64 size = 0;
    if (sqlite3_file_control(copy, "main", SQLITE_FCNTL_FILE_POINTER, &image) != SQLITE_OK ||
        !image || !image->pMethods || image->pMethods->xFileSize(image, &size) != SQLITE_OK)
        return fail(error, FailureMessage::text(FailureMessage::Kind::Other, target));
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
        fail(error, systemFailure(target));
    if (fd >= 0)
        ::close(fd);
    if (!ok)
        removeWithSideFiles(target);
    return ok;
}

bool DatabaseStartup::compact(const QString& source, const QString& target, QString* error) const
{
    auto db = Database::open(source, error);
    if (!db)
        return false;
    removeWithSideFiles(target);
    sqlite3_stmt* statement = nullptr;
    bool ok =
        sqlite3_prepare_v2(db->handle(), "VACUUM INTO ?", -1, &statement, nullptr) == SQLITE_OK;
    if (ok) {
        const QByteArray name = QFile::encodeName(target);
        sqlite3_bind_text(statement, 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
        ok = sqlite3_step(statement) == SQLITE_DONE;
    }
    if (!ok) {
        // A damaged source is named; any other failure is one of writing the copy.
        const FailureMessage::Kind kind = FailureMessage::kindOf(db->handle());
        fail(error,
             FailureMessage::text(kind, kind == FailureMessage::Kind::Damaged ? source : target,
                                  FailureMessage::technicalOf(db->handle())));
    }
    sqlite3_finalize(statement);
    db.reset();
    if (!ok) {
        removeWithSideFiles(target);
        return false;
    }
    syncToDisk(target);
    return true;
}

std::unique_ptr<Database> DatabaseStartup::run(QString* error)
{
    const QString database = file(DatabaseName);
    const QString backup = file(BackupName);
    const QString compacted = file(CompactName);

    MemoryDatabase image(nullptr, &sqlite3_close);
    if (QFile::exists(database)) {
        // The copy is made while the file is checked; nothing is touched before both are done.
        std::thread copying([&] { image = compactInMemory(database); });
        const bool sound = checkContent(database, error);
        copying.join();
        if (!sound || !checkClosed(database, error))
            return nullptr;
        // The rename replaces the previous backup. Held open until then, that file gives its
        // room back when let go, which happens while the copy is written rather than before.
        // (Opened without waiting, whatever lies under the name.)
        removeSideFiles(backup);
        const int previous =
            ::open(QFile::encodeName(backup).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        const bool renamed = renameFile(database, backup);
        if (!renamed)
            fail(error, systemFailure(database));
        if (previous >= 0)
            m_releasing = std::thread([previous] { ::close(previous); });
        if (!renamed)
            return nullptr;
        syncToDisk(m_folder);
        reached(Step::Renamed);
    } else if (!QFile::exists(backup)) {
        fail(error, FailureMessage::text(FailureMessage::Kind::Missing, database));
        return nullptr;
    } else if (!checkReadable(backup, error)) {
        // An earlier start died after the rename: the backup is the only copy, so keep it.
        return nullptr;
    }

    const bool copied =
        image ? writeCopy(image.get(), compacted, error) : compact(backup, compacted, error);
    image.reset();
    if (!copied) {
        // Put the only copy back under its own name.
        if (!QFile::exists(database) && renameFile(backup, database))
            syncToDisk(m_folder);
        return nullptr;
    }
    reached(Step::Compacted);
    // A journal by the new file's name belongs to no file of ours and would be replayed into it.
    removeWithSideFiles(database);
    if (!renameFile(compacted, database)) {
        fail(error, systemFailure(database));
        removeWithSideFiles(compacted);
        return nullptr;
    }
    syncToDisk(m_folder);
    reached(Step::Replaced);
    return Database::open(database, error);
}

} // namespace orv
