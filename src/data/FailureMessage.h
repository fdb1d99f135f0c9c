#pragma once

#include <QString>

struct sqlite3;

namespace orv {

// What went wrong with a file the program needs, in the user's words: what is wrong and the way
// out, and, when the copy that start-up keeps beside the record file is sound, that it holds the
// records as they were at the last start and how to take it up. The technical text, when there
// is one, follows on a line of its own.
class FailureMessage
{
public:
    enum class Kind
    {
        Missing,
        NotAFile,
        Damaged,
        ReadOnly,
        ReadOnlyFile,
        ReadOnlyDrive,
        Unchangeable,
        NoAccess,
        DiskFull,
        InUse,
        Unreadable,
        PageMissing,
        LockUnusable,
        Other
    };

    // What the user is told to do again once the fault is mended.
    enum class Retry
    {
        Operation,
        Start
    };

    // From SQLite's extended result code and the system error behind it (0 when none).
    static Kind ofSqlite(int extendedCode, int systemError);
    // From a failed system call's errno.
    static Kind ofErrno(int error);

    static QString text(Kind kind, const QString& file, const QString& technical = QString(),
                        Retry retry = Retry::Operation);
    // The last failure of a connection: its kind, SQLite's text, and the two told together
    // about the connection's own file (the one given when the connection has none).
    static Kind kindOf(sqlite3* handle);
    static QString technicalOf(sqlite3* handle);
    static QString ofConnection(sqlite3* handle, const QString& file = QString(),
                                Retry retry = Retry::Operation);
    // The copy start-up keeps beside a record file ("_" before its name), when it exists and is
    // a sound database; empty otherwise. Read without taking a lock or leaving a file behind.
    static QString soundBackupOf(const QString& file);
};

} // namespace orv
