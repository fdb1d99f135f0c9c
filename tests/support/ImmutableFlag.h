#pragma once

#include <QString>

namespace orv::test {

// Marks a file or folder unchangeable (chattr +i) while this object lives: nothing may be
// created in, renamed in or removed from such a folder, not even by the administrator. Needs
// the right to set the mark and a file system that keeps it; set() tells.
class ImmutableFlag
{
public:
    explicit ImmutableFlag(const QString& path);
    ~ImmutableFlag();
    ImmutableFlag(const ImmutableFlag&) = delete;
    ImmutableFlag& operator=(const ImmutableFlag&) = delete;

    bool set() const { return m_set; }

private:
    bool change(bool on) const;

    QString m_path;
    bool m_set = false;
};

} // namespace orv::test
