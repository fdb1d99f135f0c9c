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
    // Qt names everything but a file in English, whatever the language.
    if (info.isRoot())
        return QStringLiteral("ドライブ");
    if (info.isDir())
        return QStringLiteral("フォルダ");
    if (!info.isFile())
        return info.isSymLink() ? QStringLiteral("ショートカット") : QStringLiteral("不明");
    return QMimeDatabase()
        .mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension)
        .comment();
}

} // namespace orv
