#pragma once

#include <QString>

namespace orv {

// The files of the record store in the program folder: the record file, its backup, the copy
// start-up writes, and SQLite's journals beside each. Nothing but SQLite may open them while
// the program runs: closing any descriptor of a file drops every lock SQLite holds on it.
class RecordFiles
{
public:
    // Whether path names one of them, by its name in the folder or as the same file under
    // another name (a link). Looks at names and file facts only, never opens a file.
    static bool isRecordFile(const QString& folder, const QString& path);
    // The refusal of one of them as a file to write.
    static QString refusal(const QString& path);
};

} // namespace orv
