#include "print/view/BlankFormWriter.h"

#include <QGuiApplication>

#include <cstdio>

// Writes the blank PDF forms into the folder named on the command line.
int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: orv_blank_form_writer <folder>\n");
        return 2;
    }
    QString error;
    if (!orv::BlankFormWriter::writeAll(args.at(1), &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
