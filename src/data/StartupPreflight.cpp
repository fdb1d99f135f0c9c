#include "data/StartupPreflight.h"

#include "data/FailureMessage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace orv {

namespace {

using Kind = FailureMessage::Kind;

bool fail(QString* error, Kind kind, const QString& path, const QString& technical = QString())
{
    if (error)
        *error = FailureMessage::text(kind, path, technical, FailureMessage::Retry::Start);
    return false;
}

// Why path cannot be written; 0 when it can.
int writeRefusal(const QString& path)
{
    return ::access(QFile::encodeName(path).constData(), W_OK) == 0 ? 0 : errno;
}

bool markedReadOnly(const QString& path)
{
    struct stat facts = {};
    return ::stat(QFile::encodeName(path).constData(), &facts) == 0 &&
           (facts.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

bool checkFolder(const QString& folder, QString* error)
{
    const int refusal = writeRefusal(folder);
    switch (refusal) {
    case 0:
        return true;
    case EROFS:
        return fail(error, Kind::ReadOnlyDrive, folder);
    case EPERM:
        return fail(error, Kind::Unchangeable, folder);
    case ENOENT:
        return fail(error, Kind::Missing, folder);
    default:
        return fail(error, Kind::NoAccess, folder, qt_error_string(refusal));
    }
}

bool checkSource(const QString& source, QString* error)
{
    // Marked read-only is read-only, for the administrator too.
    if (markedReadOnly(source))
        return fail(error, Kind::ReadOnlyFile, source);
    const int refusal = writeRefusal(source);
    switch (refusal) {
    case 0:
        return true;
    case EPERM:
        return fail(error, Kind::Unchangeable, source);
    case EROFS:
        return fail(error, Kind::ReadOnlyDrive, QFileInfo(source).absolutePath());
    default:
        return fail(error, Kind::NoAccess, source, qt_error_string(refusal));
    }
}

} // namespace

bool StartupPreflight::isWritable(const QString& path)
{
    return !markedReadOnly(path) && writeRefusal(path) == 0;
}

bool StartupPreflight::check(const QString& folder, const QStringList& names, const QString& source,
                             QString* error)
{
    if (!checkFolder(folder, error))
        return false;
    for (const QString& name : names) {
        const QFileInfo info(QDir(folder).filePath(name));
        if (info.exists() && !info.isFile())
            return fail(error, Kind::NotAFile, info.filePath());
    }
    return source.isEmpty() || checkSource(source, error);
}

} // namespace orv
