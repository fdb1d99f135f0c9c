#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <thread>

struct sqlite3;

namespace orv {

class Database;

// Start-up of the record file in the program folder: the previous backup goes, "Orv21.db"
// becomes the backup "_Orv21.db", a compacted copy of it becomes the new "Orv21.db", and that is
// opened. The copy is written under a temporary name and renamed, so "Orv21.db" is never
// partial; it is made in memory while the file is checked, before any file is touched. When an
// earlier start died after the rename, only the backup holds the data: the copy is then made from
// it and it is kept. Shows nothing: a failure is returned as a message naming the file, and then no
// file has been deleted or created.
class DatabaseStartup
{
public:
    enum class Step
    {
        Renamed,
        Compacted,
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
    QString file(const QString& name) const;
    bool checkReadable(const QString& path, QString* error) const;
    bool checkContent(const QString& path, QString* error) const;
    bool checkClosed(const QString& path, QString* error) const;
    bool compact(const QString& source, const QString& target, QString* error) const;
    // A database in memory, closed when it goes.
    using MemoryDatabase = std::unique_ptr<sqlite3, int (*)(sqlite3*)>;
    // The compacted copy of source in memory; null when it could not be made.
    static MemoryDatabase compactInMemory(const QString& source);
    // Writes the bytes of the copy to target, flushed to the disk.
    bool writeCopy(sqlite3* copy, const QString& target, QString* error) const;
    void removeWithSideFiles(const QString& path) const;
    void removeSideFiles(const QString& path) const;
    void reached(Step step) const;

    QString m_folder;
    std::function<void(Step)> m_observer;
    // Lets go of the previous backup.
    std::thread m_releasing;
};

} // namespace orv
