#include "shell/FileIconsByName.h"

#include <QFileInfo>
#include <QMimeDatabase>

namespace orv {

QIcon FileIconsByName::icon(const QFileInfo& info) const
{
    if (info.isRoot())
        return icon(Drive);
    return icon(info.isDir() ? Folder : File);
}

QString FileIconsByName::type(const QFileInfo& info) const
{
    if (!info.isFile())
        return QFileIconProvider::type(info); // folders and drives are named without a read
    return QMimeDatabase()
        .mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension)
        .comment();
}

} // namespace orv
