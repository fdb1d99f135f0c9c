#include "support/ProgramFiles.h"

#include "TestPaths.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace orv::test {

void copyFolder(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = QDir(to).filePath(QDir(from).relativeFilePath(file));
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::remove(target); // the program's own file replaces a stand-in
        QFile::copy(file, target);
    }
}

void copyProgramFiles(const QString& targetFolder)
{
    const QDir program(QString::fromUtf8(ORV_TEST_PROGRAM_DIR));
    const QDir target(targetFolder);
    for (const char* folder : {"MainMenu", "FORM"})
        copyFolder(program.filePath(QString::fromLatin1(folder)),
                   target.filePath(QString::fromLatin1(folder)));
    for (const char* file : {"Orv21.PRA", "RAP_BEGIN_RTF.DAT", "RAP_BOTTOM_RTF.DAT"})
        QFile::copy(program.filePath(QString::fromLatin1(file)),
                    target.filePath(QString::fromLatin1(file)));
}

} // namespace orv::test
