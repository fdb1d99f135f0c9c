#include "ProgramFiles.h"

#include "EntryPageWriter.h"
#include "MainMenuWriter.h"

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
    const QFileInfo file(path);
    // An empty file holds no records: it is made anew like a missing one.
    if (file.exists() && (file.size() > 0 || !QFile::remove(path)))
        return true;
    return orv::SchemaBuilder().createFile(path, error);
}

bool ProgramFiles::writePages(QString* error) const
{
    const orv::Catalogue& catalogue = orv::Catalogue::builtIn();
    for (const orv::CatalogueSection& section : catalogue.sections()) {
        const QString page = EntryPageWriter(catalogue, section).page();
        if (!writeIfChanged(QStringLiteral("FORM/") + section.page, page.toUtf8(), error))
            return false;
    }
    const QString menu = MainMenuWriter(catalogue.name()).page();
    return writeIfChanged(QStringLiteral("MainMenu/MainMenuFr.htm"), menu.toUtf8(), error);
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
