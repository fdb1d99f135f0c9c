#include "data/DatabaseStartup.h"

#include "data/Database.h"
#include "data/FailureMessage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

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

void DatabaseStartup::removeWithSideFiles(const QString& path) const
{
    QFile::remove(path);
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

QByteArray DatabaseStartup::compactInMemory(const QString& source)
{
    // A database in memory that lives while a connection holds it: VACUUM INTO fills it.
    const QByteArray memory = QByteArrayLiteral("file:/orv21-compact-") +
                              QByteArray::number(qint64(QCoreApplication::applicationPid())) +
                              QByteArrayLiteral("?vfs=memdb");
    sqlite3* copy = nullptr;
    sqlite3* db = nullptr;
    QByteArray image;
    const int uri = SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(memory.constData(), &copy, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | uri,
                        nullptr) == SQLITE_OK &&
        sqlite3_open_v2(QFile::encodeName(source).constData(), &db, SQLITE_OPEN_READWRITE | uri,
                        nullptr) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, "VACUUM INTO ?", -1, &statement, nullptr) == SQLITE_OK) {
            sqlite3_bind_text(statement, 1, memory.constData(), int(memory.size()), SQLITE_STATIC);
            if (sqlite3_step(statement) == SQLITE_DONE) {
                sqlite3_int64 size = 0;
                unsigned char* bytes = sqlite3_serialize(copy, "main", &size, 0);
                if (bytes)
                    image = QByteArray(reinterpret_cast<const char*>(bytes), qsizetype(size));
                sqlite3_free(bytes);
            }
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    sqlite3_close(copy);
    return image;
}

bool DatabaseStartup::writeCopy(const QByteArray& image, const QString& target,
                                QString* error) const
{
    removeWithSideFiles(target);
    const int fd =
        ::open(QFile::encodeName(target).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    bool ok = fd >= 0;
    for (qsizetype written = 0; ok && written < image.size();) {
        const ssize_t n = ::write(fd, image.constData() + written, size_t(image.size() - written));
        ok = n > 0;
        written += ok ? n : 0;
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

    QByteArray image;
    if (QFile::exists(database)) {
        // The copy is made while the file is checked; nothing is touched before both are done.
        std::thread copying([&] { image = compactInMemory(database); });
        const bool sound = checkContent(database, error);
        copying.join();
        if (!sound || !checkClosed(database, error))
            return nullptr;
        removeWithSideFiles(backup);
        if (!renameFile(database, backup)) {
            fail(error, systemFailure(database));
            return nullptr;
        }
        syncToDisk(m_folder);
        reached(Step::Renamed);
    } else if (!QFile::exists(backup)) {
        fail(error, FailureMessage::text(FailureMessage::Kind::Missing, database));
        return nullptr;
    } else if (!checkReadable(backup, error)) {
        // An earlier start died after the rename: the backup is the only copy, so keep it.
        return nullptr;
    }

    const bool copied = image.isEmpty() ? compact(backup, compacted, error)
                                        : writeCopy(std::exchange(image, {}), compacted, error);
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
