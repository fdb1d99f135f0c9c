#include "data/RecordFiles.h"

#include "data/DatabaseStartup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace orv {

namespace {

QStringList recordFileNames()
{
    QStringList names;
    for (const QString& base : {DatabaseStartup::DatabaseName, DatabaseStartup::BackupName,
                                DatabaseStartup::CompactName}) {
        names << base;
        for (const char* suffix : DatabaseStartup::SideSuffixes)
            names << base + QLatin1String(suffix);
    }
    return names;
}

bool statOf(const QString& path, struct stat* facts)
{
    return ::stat(QFile::encodeName(path).constData(), facts) == 0;
}

} // namespace

bool RecordFiles::isRecordFile(const QString& folder, const QString& path)
{
    if (folder.isEmpty() || path.isEmpty())
        return false;
    const QStringList names = recordFileNames();
    const QFileInfo target(path);
    const QString targetFolder = target.absoluteDir().canonicalPath();
    if (!targetFolder.isEmpty() && targetFolder == QDir(folder).canonicalPath() &&
        names.contains(target.fileName()))
        return true;
    struct stat targetFacts = {};
    if (!statOf(path, &targetFacts))
        return false;
    for (const QString& name : names) {
        struct stat facts = {};
        if (statOf(QDir(folder).filePath(name), &facts) && facts.st_dev == targetFacts.st_dev &&
            facts.st_ino == targetFacts.st_ino)
            return true;
    }
    return false;
}

QString RecordFiles::refusal(const QString& path)
{
    return QStringLiteral(
               "'%1' はこのプログラムのデータベースのファイルなので、保存先にできません。"
               "別の名前を指定してください。")
        .arg(QFileInfo(path).fileName());
}

} // namespace orv
