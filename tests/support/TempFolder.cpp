#include "support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace orv::test {

TempFolder::TempFolder()
{
    m_dir.setAutoRemove(true);
}

QString TempFolder::file(const QString& name) const
{
    return QDir(m_dir.path()).filePath(name);
}

QString TempFolder::write(const QString& name, const QByteArray& bytes) const
{
    const QString path = file(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile out(path);
    if (out.open(QIODevice::WriteOnly))
        out.write(bytes);
    return path;
}

} // namespace orv::test
