#pragma once

#include <QString>

// The files that the catalogue gives the program folder: the record file "Orv21.db" (made
// only when the folder has none), the entry pages in FORM and the main menu page.
class ProgramFiles
{
public:
    explicit ProgramFiles(const QString& folder);
    bool write(QString* error);

private:
    bool writeDatabase(QString* error) const;
    bool writePages(QString* error) const;
    // Leaves a file whose content is already right untouched.
    bool writeIfChanged(const QString& relativePath, const QByteArray& content,
                        QString* error) const;

    QString m_folder;
};
