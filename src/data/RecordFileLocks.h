#pragma once

#include <QString>

namespace orv {

// Whether another process uses a record file, told from the locks SQLite takes on it: a
// connection that has read the file holds a shared lock on the file's lock bytes and on its
// shared-memory file for as long as it is open, a writer more. The kernel drops them when that
// process ends, however it ends, so side files a connection left behind mean nothing here.
//
// Looking opens the files: call it only while this process has no connection of its own to the
// file, for closing any descriptor of a file drops every lock the process holds on it.
class RecordFileLocks
{
public:
    // The process that holds a lock on the file or its shared memory; 0 when none does, -1 when
    // the holder is not known.
    static qint64 holderOf(const QString& databasePath);
    static bool heldElsewhere(const QString& databasePath) { return holderOf(databasePath) != 0; }
};

} // namespace orv
