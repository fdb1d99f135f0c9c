#pragma once

#include <QString>

namespace orv::bench {

// Whole-process start-up of the program against the floor of a bare browser process that
// loads the same main-menu page, plus the compaction the record file needs.
class ProgramStart
{
public:
    // Sets up the browser as the tests run it, headless; call before the application object.
    static void prepareEnvironment();
    // When this process was started as the floor browser, runs it and returns true with its
    // exit code; main() calls this first.
    static bool runAsFloorBrowser(int argc, char** argv, int* exitCode);

    // Copies the build's program folder into target, without a lock or backup.
    static bool copyProgramFolder(const QString& target);
    // Starts the program in folder and answers its quit question as soon as the menu page is
    // complete: milliseconds from the start of the process to that question, negative on
    // failure.
    static double timeProgram(const QString& folder);
    // This benchmark started again as a bare browser that loads the folder's menu page and
    // quits once it is loaded: milliseconds from the start to the load.
    static double timeFloorBrowser(const QString& folder);
    // VACUUM INTO a scratch file beside the record file and the sync of that file.
    static double timeFloorCompaction(const QString& databasePath);

    // The whole benchmark: the program folder copied, its record file replaced by one of that
    // many assessments (0 keeps the shipped, empty one), the program's start against the bare
    // browser plus the compaction. Returns main()'s exit code.
    static int compare(const QString& what, int assessments);
};

} // namespace orv::bench
