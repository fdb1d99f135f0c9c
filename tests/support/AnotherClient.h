#pragma once

#include <QString>

namespace orv::test {

// Whether another process finds a lock of this process on the file (F_GETLK from a child: a
// probe in this process would open and close the file and so drop the locks it looks for).
bool lockedByThisProcess(const QString& path);

// The rows of a table that another process sees in the record file: this test program run
// again as a second SQLite client, which opens the file for reading and writing as the sqlite3
// shell does, counts and closes it. Were the program's locks gone, that close would take the
// journal with the program's last write away. -1 when the client failed.
int rowsSeenByAnotherClient(const QString& path, const QString& table);

// Called first in main(): true when this run is that client, with its exit code.
bool runAsAnotherClient(int* exitCode);

} // namespace orv::test
