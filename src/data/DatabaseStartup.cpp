#include "data/DatabaseStartup.h"

#include "data/Database.h"
#include "data/FailureMessage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
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
    // SQLite would take an empty file for an empty database.
    if (QFileInfo(path).isFile() && QFileInfo(path).size() == 0)
        return fail(error,
                    FailureMessage::text(FailureMessage::Kind::Damaged, path,
                                         QStringLiteral("ファイルの大きさが 0 バイトです。")));
    {
        const std::unique_ptr<Database> db = Database::open(path, error);
        if (!db)
            return false;
        const QString damage = firstDamage(*db);
        if (!damage.isEmpty())
            return fail(error, FailureMessage::text(FailureMessage::Kind::Damaged, path, damage));
    }
    for (const char* suffix : SideSuffixes) {
        const QString sideFile = path + QLatin1String(suffix);
        if (QFile::exists(sideFile))
            return fail(
                error, FailureMessage::text(FailureMessage::Kind::InUse, path,
                                            QStringLiteral("'%1' が残っています。").arg(sideFile)));
    }
    return true;
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

    if (QFile::exists(database)) {
        if (!checkReadable(database, error))
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

    if (!compact(backup, compacted, error)) {
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
