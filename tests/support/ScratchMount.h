#pragma once

#include <QString>
#include <QTemporaryDir>

namespace orv::test {

// A small file system of its own (tmpfs) mounted on a scratch folder while this object lives:
// a disk that fills up, or a drive that can be made read-only. Mounting needs the right to
// mount; without it, mounted() is false and the test that needs it is skipped.
class ScratchMount
{
public:
    explicit ScratchMount(qint64 bytes);
    ~ScratchMount();
    ScratchMount(const ScratchMount&) = delete;
    ScratchMount& operator=(const ScratchMount&) = delete;

    bool mounted() const { return m_mounted; }
    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const;
    // Mounts it again read-only, as a CD or a share mounted read-only.
    bool makeReadOnly();

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};

} // namespace orv::test
