#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <thread>

struct sqlite3;

namespace orv {

class Database;

// Start-up of the record file in the program folder: a compacted copy of "Orv21.db" is made in
// memory while the file is checked, the copy is checked whole and written beside it under a
// temporary name, and only then does "Orv21.db" become the backup "_Orv21.db", replacing the
// previous one, and the copy take its name. So "Orv21.db" is never partial and the previous
// backup goes only once a sound copy is on the disk. When an earlier start died after the rename,
// only the backup holds the data: the copy is then made from it and it is kept. Shows nothing: a
// failure is returned as a message naming the file, and then no file has been deleted, and none
// is left behind that this start made.
class DatabaseStartup
{
public:
    enum class Step
    {
        Compacted,
        Renamed,
        Replaced
    };

    static const QString DatabaseName;
    static const QString BackupName;
    static const QString CompactName;
    // The journals SQLite keeps beside a record file.
    static const char* const SideSuffixes[3];

    explicit DatabaseStartup(const QString& folder);
    ~DatabaseStartup();
    DatabaseStartup(const DatabaseStartup&) = delete;
    DatabaseStartup& operator=(const DatabaseStartup&) = delete;

    std::unique_ptr<Database> run(QString* error);
    // Called after each step; lets a test stop the process there.
    void setStepObserver(std::function<void(Step)> observer) { m_observer = std::move(observer); }

private:
    // A connection of SQLite's own, closed when it goes.
    using Handle = std::unique_ptr<sqlite3, int (*)(sqlite3*)>;

    QString file(const QString& name) const;
    // Puts the compacted copy under the record file's name; false with the error otherwise.
    bool replaceWithCompactedCopy(QString* error);
    // The compacted copy of source in memory, checked whole; null with the error otherwise.
    Handle checkedCopy(const QString& source, QString* error) const;
    // After this process's own connections have closed: nobody else has the file open and
    // no journal of it is left.
    bool checkSettled(const QString& path, QString* error) const;
    // Side files that nobody holds and that would keep SQLite from writing the file.
    bool clearUnwritableSideFiles(const QString& path, QString* error) const;
    // Writes the bytes of the copy to target, flushed to the disk.
    bool writeCopy(sqlite3* copy, const QString& target, QString* error) const;
    QStringList sideFilesPresent() const;
    void removeSideFilesMadeSince(const QStringList& before) const;
    void removeWithSideFiles(const QString& path) const;
    void removeSideFiles(const QString& path) const;
    void reached(Step step) const;

    QString m_folder;
    std::function<void(Step)> m_observer;
    // Lets go of the previous backup.
    std::thread m_releasing;
};

} // namespace orv
