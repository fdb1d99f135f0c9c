#pragma once

#include <QString>

namespace orv {

// The folder of the executable, where the database, profile, pages, templates and forms live.
class ProgramFolder
{
public:
    explicit ProgramFolder(const QString& path = QString()) : m_path(path) {}
    static ProgramFolder ofApplication();

    QString path() const { return m_path; }
    // A file of the folder; "sub/name" style relative paths.
    QString file(const QString& relative) const;

private:
    QString m_path;
};

} // namespace orv
