#include "ProgramFiles.h"

#include "data/Catalogue.h"
#include "data/SchemaBuilder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

ProgramFiles::ProgramFiles(const QString& folder) : m_folder(folder) {}

bool ProgramFiles::write(QString* error)
{
    return QDir().mkpath(m_folder) && writeDatabase(error) && writePages(error);
}

bool ProgramFiles::writeDatabase(QString* error) const
{
    const QString path = QDir(m_folder).filePath(QStringLiteral("Orv21.db"));
    if (QFileInfo::exists(path))
        return true;
    return orv::SchemaBuilder().createFile(path, error);
}

bool ProgramFiles::writePages(QString*) const
{
    return true;
}

bool ProgramFiles::writeIfChanged(const QString& relativePath, const QByteArray& content,
                                  QString* error) const
{
    const QString path = QDir(m_folder).filePath(relativePath);
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == content)
        return true;
    existing.close();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() ||
        !file.commit()) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}
