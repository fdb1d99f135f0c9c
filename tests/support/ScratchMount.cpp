#include "support/ScratchMount.h"

#include <QDir>
#include <QFile>

#include <sys/mount.h>

namespace orv::test {

ScratchMount::ScratchMount(qint64 bytes)
{
    const QByteArray options = "size=" + QByteArray::number(bytes) + ",mode=0755";
    m_mounted = m_dir.isValid() && ::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(),
                                           "tmpfs", MS_NOSUID | MS_NODEV, options.constData()) == 0;
}

ScratchMount::~ScratchMount()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

QString ScratchMount::file(const QString& name) const
{
    return QDir(m_dir.path()).filePath(name);
}

bool ScratchMount::makeReadOnly()
{
    return m_mounted && ::mount(nullptr, QFile::encodeName(m_dir.path()).constData(), nullptr,
                                MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV, nullptr) == 0;
}

} // namespace orv::test
