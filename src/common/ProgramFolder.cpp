#include "common/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

namespace orv {

ProgramFolder ProgramFolder::ofApplication()
{
    return ProgramFolder(QCoreApplication::applicationDirPath());
}

QString ProgramFolder::file(const QString& relative) const
{
    QString tail = relative;
    tail.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (tail.startsWith(QLatin1Char('/')))
        tail.remove(0, 1);
    return QDir(m_path).filePath(tail);
}

} // namespace orv
