#pragma once

#include <QString>
#include <QTemporaryDir>

namespace orv::test {

// A scratch folder for one test, removed afterwards.
class TempFolder
{
public:
    TempFolder();
    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const;
    // Writes bytes as they are.
    QString write(const QString& name, const QByteArray& bytes) const;

private:
    QTemporaryDir m_dir;
};

} // namespace orv::test
