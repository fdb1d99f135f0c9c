#pragma once

#include "support/TempFolder.h"

#include <QString>
#include <QStringList>

class QProcess;

namespace orv::test {

// A copy of the program folder that the program runs from, its record file holding the table
// "旅の印" with one row.
class ProgramCopy
{
public:
    ProgramCopy();

    QString file(const QString& name) const { return m_folder.file(name); }

    // Starts the program with its boxes answered from a file; returns the box log's path.
    QString start(QProcess& process, const QString& name, const QByteArray& answers,
                  const QString& pageScript);

private:
    TempFolder m_folder;
};

// The lines of a box log.
QStringList logLines(const QString& path);

} // namespace orv::test
