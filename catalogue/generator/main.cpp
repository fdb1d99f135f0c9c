#include "ProgramFiles.h"

#include <QCoreApplication>
#include <QTextStream>

// Writes the catalogue's record file (only when there is none) and pages into a program folder.
int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    QTextStream err(stderr);
    if (arguments.size() != 2) {
        err << "usage: orv_catalogue_generator <program folder>\n";
        return 2;
    }
    QString error;
    if (!ProgramFiles(arguments.at(1)).write(&error)) {
        err << error << '\n';
        return 1;
    }
    return 0;
}
