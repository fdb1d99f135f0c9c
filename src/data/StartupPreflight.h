#pragma once

#include <QString>
#include <QStringList>

namespace orv {

// What start-up can tell about the program folder before it touches a file: that the folder
// can be written, that every name it will use is free or a plain file, and that the record file
// to be compacted is not marked read-only. SQLite opening a file it cannot write would leave
// journals behind that lock the next start out.
class StartupPreflight
{
public:
    // names: the files start-up uses in the folder; source: the one it compacts.
    static bool check(const QString& folder, const QStringList& names, const QString& source,
                      QString* error);
    // Whether this process may write path: neither marked read-only nor refused by the system.
    static bool isWritable(const QString& path);
};

} // namespace orv
