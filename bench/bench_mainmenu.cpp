// Start of the program with the shipped, empty record file, from the process start to the
// main-menu page complete, against a bare browser process loading the same page plus the plain
// compaction of the same file.
#include "support/ProgramStart.h"

#include <QCoreApplication>

using namespace orv::bench;

int main(int argc, char** argv)
{
    ProgramStart::prepareEnvironment();
    int code = 0;
    if (ProgramStart::runAsFloorBrowser(argc, argv, &code))
        return code;
    QCoreApplication app(argc, argv);
    return ProgramStart::compare(QStringLiteral("start-up, empty record file"), 0);
}
